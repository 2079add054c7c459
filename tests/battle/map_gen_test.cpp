#include "battle/map_gen.h"

#include <gtest/gtest.h>

#include <set>
#include <tuple>

#include "app/rnd.h"
#include "battle/map_art.h"
#include "battle/regions.h"
#include "battle/tmap.h"

namespace {
// The number of open regions (first pass class not 6), edges joining cells.
int open_regions(const tmap_t& m) {
    grid_t<int> g;
    get_passable_grid(m, &g);
    label_regions(g);
    std::set<int> labels;
    for (const auto& row : g.rows)
        for (int c : row)
            if (c) labels.insert(c);
    return int(labels.size());
}

int count_tile(const tmap_t& m, int t) {
    int n = 0;
    for (const auto& row : m.tiles.rows)
        for (int c : row) n += c == t;
    return n;
}

// The shares are of walls, hard ground, obstacles and trees.
gen_params_t params(int w, int h, int seed, int env, int wall, int hard, int obst, int tree) {
    return {w, h, seed, env, {wall, hard, obst, tree}};
}

struct MapGen : ::testing::Test {
    tmap_t m;
    grid_t<int> g;
};
}  // namespace

TEST_F(MapGen, AThousandSeedsHoldTheInvariants) {
    for (uint32_t s = 1; s <= 1000; ++s) {
        rnd_srand(s * 2654435761u);
        const uint32_t st = rnd_get_state();
        rnd_rand();  // the rolled seed
        const int env = rnd_rand() % 5 + 1;
        rnd_set_state(st);
        gen_rnd_map(&m, ROLL_IT, ROLL_IT, ROLL_IT, ROLL_IT);
        ASSERT_EQ(m.get_w() % 2, 0) << s;
        ASSERT_EQ(m.get_h() % 2, 0) << s;
        ASSERT_TRUE(m.get_w() >= 10 && m.get_w() <= 20) << s;
        ASSERT_TRUE(m.get_h() >= 10 && m.get_h() <= 20) << s;
        ASSERT_EQ(m.hdr.w, m.get_w());
        ASSERT_EQ(m.hdr.env, env) << s;
        ASSERT_EQ(m.generated, 1);
        ASSERT_EQ(m.search_grid.width, m.get_w());
        ASSERT_EQ(open_regions(m), 1) << "seed " << s;
        for (const auto& row : m.tiles.rows)
            for (int t : row) ASSERT_TRUE(t >= 1 && t <= 5) << s;
        // Cave and ruin have no trees.
        if (env >= 4) {
            ASSERT_EQ(count_tile(m, 5), 0) << s;
        }
    }
}

TEST_F(MapGen, TheDrawAfterwardsDoesNotDependOnTheMap) {
    for (uint32_t s = 1; s <= 200; ++s) {
        rnd_srand(s);
        gen_rnd_map(&m, 3, int(s) * 7, 16, 14);
        const int after_a = rnd_rand();
        const std::vector<std::vector<int>> tiles_a = m.tiles.rows;
        rnd_srand(s);
        gen_rnd_map(&m, 3, int(s) * 7 + 1, 16, 14);
        EXPECT_EQ(rnd_rand(), after_a) << s;
        EXPECT_NE(m.tiles.rows, tiles_a) << "another seed, another map (almost always)" << s;
    }
    // The same seed, size and shares give the same tiles whatever the state
    // before; a rolled seed of 0 replays like any other.
    for (const gen_params_t& p : {params(18, 12, 4321, 2, 10, 5, 5, 10), params(18, 12, 0, 4, 10, 5, 5, 0)}) {
        rnd_srand(1);
        build_map(&m, p);
        const auto first = m.tiles.rows;
        rnd_srand(2);
        build_map(&m, p);
        EXPECT_EQ(m.tiles.rows, first) << p.seed;
    }
}

TEST_F(MapGen, SharesOfZeroAndOne) {
    build_map(&m, params(20, 20, 9, 1, 0, 0, 0, 0));
    EXPECT_EQ(count_tile(m, 1), 400);
    EXPECT_EQ(m.hdr.env, 1);
    // A share of 1 makes each ground cell an obstacle with a chance of 2 in 100.
    build_map(&m, params(100, 100, 11, 1, 0, 0, 1, 0));
    const int obst = count_tile(m, 4);
    EXPECT_GT(obst, 120);
    EXPECT_LT(obst, 300);
    EXPECT_EQ(count_tile(m, 2) + count_tile(m, 3) + count_tile(m, 5), 0);
    // Given values stay inside the tables.
    gen_rnd_map(&m, 99, 5, -4, 5000);
    EXPECT_EQ(std::tuple(m.hdr.env, m.get_w(), m.get_h()), std::tuple(5, 1, ZMAP_MAX_SIDE));
}

TEST_F(MapGen, SpreadAndScatter) {
    g.resize(9, 9, 1);
    rnd_srand(3);
    const int n = spread_tile(g, {4, 4}, 200, 2);
    for (int y = 0; y < 9; ++y)
        for (int x = 0; x < 9; ++x)
            if (std::abs(x - 4) + std::abs(y - 4) <= 1) {
                EXPECT_EQ(g.at(x, y), 2) << x << "," << y;
            }
    EXPECT_GE(n, 5);
    EXPECT_EQ(spread_tile(g, {4, 4}, 200, 2), 0) << "no longer ground";
    EXPECT_EQ(spread_tile(g, {-1, 4}, 200, 2), 0);
    std::vector<pt_t> ground = find_cells(g, 1);
    EXPECT_EQ(int(ground.size()), 81 - n);
    scatter_tile(g, 99, 3);  // a roll of 0..99 is never above 99
    EXPECT_TRUE(find_cells(g, 1).empty());
    grow_blobs(g, 50, 4);  // no ground left: stops at once
    EXPECT_TRUE(find_cells(g, 4).empty());
}

TEST_F(MapGen, CorridorsJoinEveryRegion) {
    // The first region found is the largest: the pocket is joined anyway.
    draw_map(m, {".....#...",
                 ".....#.#.",
                 ".....####",
                 "#####....",
                 ".##......"});
    ASSERT_EQ(open_regions(m), 4);
    connect_regions(&m);
    EXPECT_EQ(open_regions(m), 1);
    // Two cells touching only at a corner: the corridor opens nothing but a side
    // cell, and the merge still ends.
    draw_map(m, {".#", "#."});
    connect_regions(&m);
    EXPECT_EQ(open_regions(m), 1);
    EXPECT_EQ(count_tile(m, 1), 3);
    // Hard ground is open ground.
    draw_map(m, {"h#h"});
    connect_regions(&m);
    EXPECT_EQ(m.tiles.at(1, 0), 1);
}

TEST_F(MapGen, ClosestPairPrefersTheFirstOfEqualPairs) {
    g = {6, 3, {{2, 0, 0, 3, 0, 0},
                {0, 0, 0, 0, 0, 0},
                {3, 0, 0, 0, 0, 2}}};
    pt_t a, b;
    ASSERT_TRUE(closest_pair(g, &a, &b));
    EXPECT_EQ(std::pair(a, b), std::pair(pt_t{0, 0}, pt_t{0, 2}));
    g.at(0, 2) = 0;
    ASSERT_TRUE(closest_pair(g, &a, &b));
    EXPECT_EQ(std::pair(a, b), std::pair(pt_t{3, 0}, pt_t{5, 2}));  // (3,0)-(5,2) is 8, (0,0)-(3,0) is 9
    g.at(3, 0) = 2;
    EXPECT_FALSE(closest_pair(g, &a, &b));
}

TEST_F(MapGen, RegionLabelsOnAHugeMapNeedNoDeepStack) {
    // A serpentine corridor through 1024 x 1024 cells: one region of over half
    // a million cells, which a recursive fill would follow cell by cell.
    g.resize(1024, 1024, 0);
    int open = 0;
    for (int y = 0; y < 1024; ++y)
        for (int x = 0; x < 1024; ++x) {
            const bool row_open = y % 2 == 0;
            const bool link = (y % 4 == 1 && x == 1023) || (y % 4 == 3 && x == 0);
            if (row_open || link) g.at(x, y) = 1, ++open;
        }
    EXPECT_EQ(label_regions(g), 2);
    EXPECT_EQ(fill_region(g, 0, 0, 2, 9), open);
    // Labels go 2, 3, ... in scan order; the largest wins, the first on ties.
    grid_t<int> s{5, 2, {{1, 0, 1, 1, 0}, {0, 0, 1, 0, 1}}};
    EXPECT_EQ(label_regions(s), 3);
    EXPECT_EQ(s.rows, (std::vector<std::vector<int>>{{2, 0, 3, 3, 0}, {0, 0, 3, 0, 4}}));
    grid_t<int> t{3, 1, {{1, 0, 1}}};
    EXPECT_EQ(label_regions(t), 2);
    grid_t<int> none{2, 2, {{0, 0}, {0, 0}}};
    EXPECT_EQ(label_regions(none), 0);
}
