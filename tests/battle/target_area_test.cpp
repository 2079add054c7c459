// Aimable and affected cells: every area code in every direction, clipping at
// the map's edges, walls and what the side has explored, and cover.
#include "battle/target_area.h"

#include <set>

#include "battle/btl_fixture.h"
#include "battle/act_ctx.h"
#include "app/geom.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "rules/pwr_ids.h"

namespace {
using cells_t = std::set<std::pair<int, int>>;

cells_t as_set(const std::vector<pt_t>& v) {
    cells_t s;
    for (const pt_t& p : v) s.insert({p.x, p.y});
    return s;
}

class Area : public btl_test {
protected:
    unit_t* u = nullptr;
    act_t* a = nullptr;

    // An open 11 x 11 map with the unit in the middle; power 2 is reshaped per case.
    void SetUp() override {
        btl_test::SetUp();
        draw_open(11, 11);
        u = add(5, 5, 0);
        a = dynamic_cast<act_t*>(get_pwr(2));
        shape(1, 0);
        fog();
    }
    // The unit stands on p and its side sees from there.
    void stand(pt_t p) { u->pos = p, fog(); }
    void shape(int rng, int area, int atk = 3) {
        a->rng = rng;
        a->area = area;
        a->atk = atk;
        a->flags = 0;
    }
    cells_t tgt() {
        std::vector<pt_t> v;
        get_act_tgt_pts(u, 2, &v);
        return as_set(v);
    }
    cells_t area(pt_t at) {
        std::vector<pt_t> v;
        get_act_area_pts(u, 2, at, &v);
        return as_set(v);
    }
};

const pt_t dirs[8] = {{0, -1}, {1, -1}, {1, 0}, {1, 1}, {0, 1}, {-1, 1}, {-1, 0}, {-1, -1}};
}  // namespace

TEST_F(Area, RangeOneReachesAllEightNeighboursAndRadiusOneCoversFive) {
    EXPECT_EQ(tgt().size(), 9u) << "area 0 may aim at the unit's own cell";
    EXPECT_TRUE(tgt().count({5, 5}));
    shape(1, -1);
    EXPECT_EQ(tgt().size(), 8u) << "a burst never aims at its own cell";
    shape(3, 1);
    EXPECT_EQ(area({7, 5}), (cells_t{{7, 5}, {6, 5}, {8, 5}, {7, 4}, {7, 6}}));
    shape(3, 2);
    EXPECT_EQ(area({7, 5}).size(), 13u);
    // Clipped at the corner: the centre and its two neighbours on the map.
    stand({1, 1});
    shape(3, 1);
    EXPECT_EQ(area({0, 0}), (cells_t{{0, 0}, {1, 0}, {0, 1}}));
    shape(2, 0);
    EXPECT_EQ(tgt().size(), 13u - 2u) << "the disc of radius 2 less (-1, 1) and (1, -1)";
    std::vector<pt_t> from;
    get_act_tgt_pts_from(u, 2, {3, 3}, &from);
    EXPECT_TRUE(contains(from, {5, 3}) && !contains(from, {0, 0})) << "aimed as from (3, 3)";
    EXPECT_EQ(u->pos, (pt_t{1, 1})) << "and put back";
    EXPECT_TRUE(aims_at_fallen(P_RESURRECT) && aims_at_fallen(P_MK_UD) && !aims_at_fallen(P_HEAL)) << "bodies marked";
}

TEST_F(Area, ConesInEveryDirection) {
    shape(1, -2);
    for (const pt_t& d : dirs) {
        const cells_t c = area({5 + d.x, 5 + d.y});
        EXPECT_EQ(c.size(), 9u) << d.x << "," << d.y;
        EXPECT_FALSE(c.count({5, 5}));
        if (d.x && d.y) {
            for (int i = 1; i <= 3; ++i)
                for (int j = 1; j <= 3; ++j) EXPECT_TRUE(c.count({5 + i * d.x, 5 + j * d.y}));
        } else {
            // 1, 3 and 5 cells in rows 1 to 3 ahead.
            EXPECT_TRUE(c.count({5 + 3 * d.x + 2 * d.y, 5 + 3 * d.y + 2 * d.x}));
            EXPECT_FALSE(c.count({5 + d.x + d.y, 5 + d.y + d.x}));
        }
    }
    // Near the edge only what lies on the map.
    stand({1, 5});
    EXPECT_EQ(area({0, 5}), (cells_t{{0, 5}}));
    EXPECT_EQ(area({0, 4}), (cells_t{{0, 4}, {0, 3}, {0, 2}}));
}

TEST_F(Area, LinesTheWholeMapAndBursts) {
    shape(4, -3);
    std::vector<pt_t> line = line_pts({5, 5}, {9, 7});
    line.erase(line.begin());
    EXPECT_EQ(area({9, 7}), as_set(line));
    EXPECT_EQ(area({9, 7}).size(), 4u);
    EXPECT_EQ(area({5, 1}), (cells_t{{5, 4}, {5, 3}, {5, 2}, {5, 1}}));
    shape(0, -4);
    std::vector<pt_t> all;
    ASSERT_TRUE(get_act_area_pts(u, 2, {5, 5}, &all));
    ASSERT_EQ(all.size(), 121u);
    EXPECT_EQ(all[1], (pt_t{1, 0})) << "row by row";
    shape(2, -1);
    const cells_t burst = area({5, 5});
    EXPECT_EQ(burst.size(), 12u);
    EXPECT_FALSE(burst.count({5, 5}));
}

TEST_F(Area, ArcsOfTwoAndThreeCellsInEveryDirection) {
    shape(1, -5);
    for (const pt_t& d : dirs) {
        const pt_t c{5 + d.x, 5 + d.y};
        const cells_t two = area(c);
        EXPECT_EQ(two.size(), 2u) << d.x << "," << d.y;
        EXPECT_TRUE(two.count({c.x, c.y}));
    }
    EXPECT_EQ(area({6, 6}), (cells_t{{6, 6}, {5, 6}}));
    EXPECT_EQ(area({6, 5}), (cells_t{{6, 5}, {6, 6}}));
    EXPECT_EQ(area({5, 4}), (cells_t{{5, 4}, {6, 4}}));
    shape(1, -6);
    for (const pt_t& d : dirs) EXPECT_EQ(area({5 + d.x, 5 + d.y}).size(), 3u) << d.x << "," << d.y;
    EXPECT_EQ(area({4, 4}), (cells_t{{4, 4}, {4, 5}, {5, 4}}));
    EXPECT_EQ(area({6, 5}), (cells_t{{6, 5}, {6, 4}, {6, 6}}));
    // Power 61 reads -5 as -6.
    shape(1, -5);
    u->pwrs.add(61);
    EXPECT_EQ(area({6, 5}).size(), 3u);
}

TEST_F(Area, AnArcWhoseSecondCellIsNotAimableCoversTheCentreOnly) {
    draw({".....", ".#...", ".....", ".....", "....."});
    stand({2, 2});
    shape(1, -5);
    // From (2, 2) aiming at (1, 2) the second cell is (1, 1): an explored wall.
    EXPECT_EQ(area({1, 2}), (cells_t{{1, 2}}));
}

TEST_F(Area, WallsAreAimableOnlyWhileUnexploredAndTheFogIsInForce) {
    draw({"...........", "...........", "...#......#"});
    stand({1, 1});
    shape(10, 0);
    EXPECT_FALSE(tgt().count({3, 2})) << "an explored wall";
    EXPECT_TRUE(tgt().count({10, 2})) << "an unexplored wall looks like any unknown cell";
    // Why a cell is not aimable, as the player is told.
    EXPECT_EQ(aim_refusal(u, 2, {3, 2}), USE_NO_AIM);
    EXPECT_EQ(aim_refusal(u, 2, {10, 2}), USE_OK);
    shape(9, 0);
    EXPECT_EQ(aim_refusal(u, 2, {10, 1}), USE_OK);
    EXPECT_EQ(aim_refusal(u, 2, {10, 2}), USE_OUT_OF_REACH) << "81 + 1 past 9 squared";
    shape(1, -1);
    EXPECT_EQ(aim_refusal(u, 2, {2, 2}), USE_OK) << "a reach of 1 takes the corners";
    EXPECT_EQ(aim_refusal(u, 2, u->pos), USE_NO_AIM) << "a burst never aims at its own cell";
    shape(10, 0);
    set_fog_in_search(false);
    EXPECT_FALSE(tgt().count({10, 2})) << "the true state while a command is carried out";
    set_fog_in_search(true);
}

TEST_F(Area, TotalCoverDropsCellsFromABurst) {
    draw({".......", ".......", "...#...", "...#...", "...#...", ".......", "......."});
    stand({1, 3});
    shape(6, 3);
    const cells_t c = area({2, 3});
    EXPECT_TRUE(c.count({1, 3}));
    EXPECT_FALSE(c.count({3, 3})) << "the wall itself";
    EXPECT_FALSE(c.count({5, 3})) << "behind the wall from the centre";
    EXPECT_EQ(aim_refusal(u, 2, {5, 3}), USE_LINE_BLOCKED);
    EXPECT_EQ(atk_cover(u, 2, {5, 3}), 3);
    EXPECT_EQ(atk_cover(u, 2, {1, 0}), 0);
}

TEST_F(Area, EnemiesInAreaAreThoseOnAimableCells) {
    unit_t* near = add(6, 6, 1);
    add(8, 5, 1);  // out of reach
    add(4, 5, 0);  // an ally within reach
    fog();
    EXPECT_EQ(enemies_in_area(u, 2), std::vector<unit_t*>{near});
    shape(3, 0);
    EXPECT_EQ(enemies_in_area(u, 2).size(), 2u);
}

TEST_F(Area, PredicatesOfActions) {
    shape(-12, 0);
    u->drv.spd = 7;
    EXPECT_EQ(act_range(a, u), 7);
    shape(-1, 0, 1);
    EXPECT_EQ(act_range(a, u), 1) << "unarmed reach";
    EXPECT_FALSE(a->is_burst_area());
    shape(3, 2, 3);
    EXPECT_TRUE(a->is_burst_area());
    a->dmg = {{.count = DMG_PCT, .sides = 100, .bonus = 0, .mask = 0x800}};
    EXPECT_TRUE(a->is_insta_kill());
    EXPECT_TRUE(a->deals_dmg());
    a->lv_scale = -5;
    u->base.lv = 12;
    EXPECT_EQ(a->lv_bonus(u), 2);
    a->lv_scale = 2;
    EXPECT_EQ(a->lv_bonus(u), 24);

    unit_t* foe = add(6, 5, 1);
    unit_t* ally = add(4, 5, 0);
    a->dmg = {{.count = 1, .sides = 6, .bonus = 0, .mask = 1u << 4}};
    EXPECT_FALSE(a->is_harmless_to(u, foe));
    foe->drv.res[4] = 200;
    EXPECT_TRUE(a->is_harmless_to(u, foe)) << "fire heals it";
    a->flags = PF_NO_ROLL_ALLY;
    EXPECT_TRUE(a->is_harmless_to(u, ally));
    EXPECT_FALSE(a->is_harmless_to(u, foe));
    EXPECT_TRUE(is_fit_target(2, u, foe));
    EXPECT_FALSE(is_fit_target(2, u, ally));
    EXPECT_FALSE(is_fit_target(137, u, foe));

    pt_t near;
    EXPECT_TRUE(nearest_unit_to_path_end({{7, 5}, {8, 5}}, &near));
    EXPECT_EQ(near, (pt_t{6, 5}));
    EXPECT_FALSE(nearest_unit_to_path_end({{10, 10}}, &near)) << "nobody within squared distance 9";
}
