#include "battle/deploy.h"

#include <gtest/gtest.h>

#include <cmath>
#include <set>

#include "app/rnd.h"
#include "app/str.h"
#include "battle/btl_fixture.h"
#include "battle/terrain.h"
#include "support/mapped.h"

namespace {
class Deploy : public btl_test {
protected:
    std::vector<unit_t*> group(int n, int side, int cls) {
        std::vector<unit_t*> out;
        for (int i = 0; i < n; ++i) {
            unit_t* u = add(0, 0, side);
            u->base.cls = cls;
            out.push_back(u);
        }
        return out;
    }
    // Every unit of both groups on its own cell that is not blocked.
    void expect_distinct_open_cells(std::vector<unit_t*> all, const std::vector<unit_t*>& more = {}) {
        all.insert(all.end(), more.begin(), more.end());
        std::set<pt_t> cells;
        for (const unit_t* u : all) {
            ASSERT_TRUE(map.tiles.in(u->pos.x, u->pos.y));
            EXPECT_NE(map.get_pass1(u->pos.x, u->pos.y), PASS_BLOCK);
            cells.insert(u->pos);
        }
        EXPECT_EQ(cells.size(), all.size());
    }
};

}  // namespace

TEST_F(Deploy, BothSidesOnDistinctFreeCellsOfTheLargestRegion) {
    draw({"..........#......",
          "..........#......",
          "..........#......",
          "###########......",
          "..........#......",
          "..........#......"});
    const std::vector<pt_t> start = get_start_cells();
    ASSERT_EQ(start.size(), 36u) << "the 10 x 3 and 10 x 2 blocks are smaller";
    EXPECT_EQ(start.front(), (pt_t{11, 0}));
    const std::vector<unit_t*> a = group(4, 0, 1);
    const std::vector<unit_t*> b = group(5, 1, 3);
    rnd_srand(99);
    ASSERT_TRUE(deploy_groups(a, b));
    std::vector<unit_t*> all = a;
    all.insert(all.end(), b.begin(), b.end());
    expect_distinct_open_cells(all);
    for (const unit_t* u : all) EXPECT_GE(u->pos.x, 11) << "only the largest region";
    // The same seed places everyone the same way.
    const std::vector<pt_t> first = mapped(all, [](const unit_t* u) { return u->pos; });
    rnd_srand(99);
    ASSERT_TRUE(deploy_groups(a, b));
    for (size_t i = 0; i < all.size(); ++i) EXPECT_EQ(all[i]->pos, first[i]);
}

TEST_F(Deploy, TheOtherSideStartsAboutTenCellsAway) {
    const std::vector<pt_t> cells = {{1, 0}, {9, 0}, {0, 10}, {10, 1}, {0, 12}};
    EXPECT_EQ(far_start_cell({0, 0}, cells), (pt_t{0, 10}));  // the first at distance 10
    EXPECT_EQ(far_start_cell({0, 0}, {{1, 0}, {9, 1}, {0, 12}}), (pt_t{9, 1})) << "9 is as near to 10 as 11: the first";
    EXPECT_EQ(far_start_cell({3, 3}, {}), (pt_t{3, 3}));
    draw_open(20, 20);
    const std::vector<unit_t*> a = group(1, 0, 3);
    const std::vector<unit_t*> b = group(1, 1, 3);
    for (uint32_t s = 1; s < 30; ++s) {
        rnd_srand(s);
        ASSERT_TRUE(deploy_groups(a, b));
        const int dx = a[0]->pos.x - b[0]->pos.x, dy = a[0]->pos.y - b[0]->pos.y;
        EXPECT_EQ(int(std::sqrt(double(dx * dx + dy * dy))), 10) << s;
    }
}

TEST_F(Deploy, AFullRegionSpillsToTheNearestFreeCellsOfTheMap) {
    draw({"...#......",
          "####......",
          ".........."});
    // The largest region is the 6 x 2 block plus the bottom row; the top-left
    // pocket of 3 cells is the spill-over's only other room.
    const std::vector<unit_t*> a = group(20, 0, 1);
    const std::vector<unit_t*> b = group(5, 1, 1);
    rnd_srand(5);
    ASSERT_TRUE(deploy_groups(a, b));
    expect_distinct_open_cells(a, b);
    // One more unit than cells: the battle cannot start, and says why.
    draw({".#", "#."});
    const std::vector<unit_t*> c = group(2, 0, 1);
    const std::vector<unit_t*> d = group(1, 1, 1);
    Str why;
    EXPECT_FALSE(deploy_groups(c, d, &why));
    EXPECT_FALSE(why.empty());
    // With room enough, no unit is left on a wall or on another.
    const std::vector<unit_t*> e = group(1, 1, 1);
    EXPECT_TRUE(deploy_groups(c, {}));
    expect_distinct_open_cells(c);
    btl().map = nullptr;
    EXPECT_FALSE(deploy_groups(c, e, &why));
}
