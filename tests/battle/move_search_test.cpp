#include "battle/move_search.h"

#include <gtest/gtest.h>

#include "battle/btl_fixture.h"
#include "battle/target_area.h"
#include "battle/terrain.h"
#include "battle/zone.h"

namespace {
using Search = btl_test;
const std::vector<std::string> corridor = {"#######", ".......", "#######"};
}  // namespace

TEST_F(Search, AlliesAreCrossedButNotHeld) {
    draw(corridor);
    unit_t* u = add(0, 1, 0);
    add(2, 1, 0);
    fog();
    move_range_t r;
    get_move_range(u, &r);
    EXPECT_TRUE(contains(r.all_pts, {2, 1}));
    EXPECT_FALSE(contains(r.stop_pts, {2, 1}));
    EXPECT_TRUE(contains(r.stop_pts, {4, 1}));
    EXPECT_TRUE(is_pass_only_cell({0, 1})) << "the unit's own cell is marked too";
    std::vector<pt_t> path;
    find_unit_path(u, {5, 1}, &path);
    EXPECT_EQ(path, (std::vector<pt_t>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
}

TEST_F(Search, EnemiesBlockAndThreatenUnlessHelplessOrProne) {
    draw_open(7, 3);
    unit_t* u = add(0, 1, 0);
    unit_t* foe = add(3, 1, 1);
    fog();
    mark_search_grid(u, SF_WALK);
    const pf::node_grid_t& g = map.search_grid;
    EXPECT_EQ(g.at(3, 1).pass, PASS_BLOCK);
    EXPECT_TRUE(g.at(2, 0).marks & pf::MARK_STOP);
    EXPECT_TRUE(g.at(4, 2).marks & pf::MARK_STOP);
    EXPECT_FALSE(g.at(1, 1).marks & pf::MARK_STOP);
    put_cond(foe, 3);  // prone: still in the way, but threatens nothing
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(g.at(3, 1).pass, PASS_BLOCK);
    EXPECT_FALSE(g.at(2, 1).marks & pf::MARK_STOP);
    foe->conds.map.clear();
    foe->conds.upd_mask();
    put_cond(foe, 6);  // asleep: helpless, crossed like an ally
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(g.at(3, 1).pass, 3);
    EXPECT_TRUE(g.at(3, 1).marks & pf::MARK_PASS_ONLY);
    EXPECT_FALSE(g.at(2, 1).marks & pf::MARK_STOP);
    // Side 3 has no enemies: the foe is only a unit in the way.
    foe->conds.map.clear();
    foe->conds.upd_mask();
    u->btl.side = SIDE_NONE;
    recalc_side_views();
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(g.at(3, 1).pass, 3);
}

TEST_F(Search, WhatTheSideDoesNotSeeIsPlannedThrough) {
    draw_open(14, 3);
    unit_t* u = add(0, 1, 0);
    add(9, 1, 1);  // 9 cells away: unseen
    fog();
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(map.search_grid.at(9, 1).pass, 2);
    set_fog_in_search(false);
    mark_search_grid(u, SF_WALK);
    set_fog_in_search(true);
    EXPECT_EQ(map.search_grid.at(9, 1).pass, PASS_BLOCK) << "the true state";
    // The fog marks: unexplored as plain for the AI, unseen as blocking.
    map.tiles.at(12, 1) = 3;
    mark_search_grid(u, SF_AI_RANGE);
    EXPECT_EQ(map.search_grid.at(12, 1).pass, 2);
    mark_search_grid(u, SF_LAYER1 | SF_FOG_UNSEEN);
    EXPECT_EQ(map.search_grid.at(12, 1).pass, PASS_BLOCK);
    EXPECT_EQ(map.search_grid.at(1, 1).pass, 2);
}

TEST_F(Search, HardGroundZonesAndTraitSix) {
    draw({"hhhhhh",
          "######",
          "......"});
    unit_t* u = add(0, 0, 0);
    fog();
    double cost = 0;
    prep_unit_paths(u, SF_WALK);
    ASSERT_TRUE(pf::find_path(map.search_grid, u->pos, {5, 0}, nullptr, nullptr, &cost));
    EXPECT_DOUBLE_EQ(cost, 10.0);  // 5 steps at 2.0
    u->drv.trait[6] = 1;
    prep_unit_paths(u, SF_WALK);
    ASSERT_TRUE(pf::find_path(map.search_grid, u->pos, {5, 0}, nullptr, nullptr, &cost));
    EXPECT_DOUBLE_EQ(cost, 5.0);
    // A zone raises plain ground to hard ground for the units it affects.
    btl().zones.push_back(new zone_t{u, 0, 121, 3, {{2, 2}, {3, 2}}});
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(map.search_grid.at(2, 2).pass, 2) << "behind the wall, unseen";
    set_fog_in_search(false);
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(map.search_grid.at(2, 2).pass, 3);
    u->pwrs.add(263);  // "swamper": grease does not hold it
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(map.search_grid.at(2, 2).pass, 2);
    set_fog_in_search(true);
    EXPECT_EQ(get_zone_at({3, 2}), btl().zones[0]);
    EXPECT_EQ(get_zone_at({4, 2}), nullptr);
}

TEST_F(Search, ShiftStepsNeedPlainGroundOrPowerTwoSixty) {
    draw({".h.",
          "...",
          "..."});
    unit_t* u = add(1, 1, 0);
    fog();
    mark_search_grid(u, SF_WALK);
    EXPECT_TRUE(can_shift_to(u, {0, 0}));
    EXPECT_FALSE(can_shift_to(u, {1, 0})) << "hard ground";
    EXPECT_FALSE(can_shift_to(u, {1, 1})) << "its own cell";
    EXPECT_FALSE(can_shift_to(u, {3, 1})) << "two cells";
    u->pwrs.add(260);
    EXPECT_TRUE(can_shift_to(u, {1, 0}));
    // Nor past a foe's corner, which the walk that carries it out would go round.
    unit_t* foe = add(2, 1, 1);
    EXPECT_FALSE(can_shift_to(u, {2, 2}));
    put_cond(foe, 6);  // asleep: crossed like an ally
    EXPECT_TRUE(can_shift_to(u, {2, 2}));
    put_cond(u, 1);  // slowed
    EXPECT_FALSE(can_shift_to(u, {0, 0}));
    EXPECT_FALSE(can_step({0, 0}, {-1, 0})) << "off the map";
}

TEST_F(Search, StraightRunsOverPlainGround) {
    draw_open(5, 5);
    unit_t* u = add(4, 0, 0);
    fog();
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(straight_run_dir({0, 0}, {3, 3}), 7);
    EXPECT_EQ(straight_run_dir({0, 0}, {3, 2}), -1);
    EXPECT_EQ(straight_run_dir({0, 0}, {1, 1}), -1) << "shorter than 2";
    EXPECT_EQ(straight_run_dir({0, 4}, {0, 1}), 0);
    map.tiles.at(2, 2) = 3;
    mark_search_grid(u, SF_WALK);
    EXPECT_EQ(straight_run_dir({0, 0}, {3, 3}), -1) << "hard ground on the way";
    EXPECT_EQ(straight_run_dir({0, 2}, {4, 2}), -1) << "across the hard cell";
    EXPECT_EQ(straight_run_dir({3, 0}, {1, 0}), 2);
}

TEST_F(Search, NearestFreeCellLooksAtWholeRings) {
    // Ring 1 is walled in and ring 2's eight straight and diagonal cells are
    // taken: the one free cell of ring 2 lies between them.
    draw({".......",
          ".#####.",
          ".#...#.",
          ".#...#.",
          ".#...#.",
          ".#####.",
          "......."});
    for (int y = 0; y < 7; ++y)
        for (int x = 0; x < 7; ++x)
            if (x == 0 || y == 0 || x == 6 || y == 6) map.tiles.at(x, y) = 2;
    map.tiles.at(2, 1) = 1;
    for (int y = 2; y <= 4; ++y)
        for (int x = 2; x <= 4; ++x) add(x, y, 0);
    EXPECT_EQ(nearest_free_cell({3, 3}), (pt_t{2, 1}));
    map.tiles.at(4, 5) = 1;  // a second free cell, later in row order
    EXPECT_EQ(nearest_free_cell({3, 3}), (pt_t{2, 1}));
    map.tiles.at(2, 1) = 2;
    EXPECT_EQ(nearest_free_cell({3, 3}), (pt_t{4, 5}));
    map.tiles.at(4, 5) = 2;
    EXPECT_EQ(nearest_free_cell({3, 3}), (pt_t{-1, -1}));
    map.tiles.at(0, 6) = 1;
    EXPECT_EQ(nearest_free_cell({3, 3}), (pt_t{0, 6})) << "ring 3, the farthest corner";
    EXPECT_EQ(nearest_free_cell({9, 9}), (pt_t{0, 6})) << "from outside the map";
    std::vector<pt_t> found;
    auto visit = collect_free_cells(&found);
    for (const pt_t& p : {pt_t{0, 6}, pt_t{3, 3}, pt_t{1, 1}, pt_t{7, 7}}) visit(p);
    EXPECT_EQ(found, (std::vector<pt_t>{{0, 6}}));
}

TEST_F(Search, PathsRestrictedToSomeCellsAndNearestByPath) {
    draw(corridor);
    unit_t* u = add(0, 1, 0);
    add(3, 1, 1);
    fog();
    std::vector<pt_t> path;
    EXPECT_FALSE(find_unit_path_in(u, {6, 1}, nullptr, &path));
    const std::vector<pt_t> only{{5, 1}};
    EXPECT_TRUE(find_unit_path_in(u, {6, 1}, &only, &path)) << "the foe's cell is not in the list";
    find_unit_path(u, {6, 1}, &path);
    EXPECT_TRUE(path.empty());
    prep_unit_paths(u, SF_WALK);
    pt_t best{-9, -9};
    EXPECT_TRUE(nearest_by_path(u, {{6, 1}, {2, 1}, {1, 1}}, &best));
    EXPECT_EQ(best, (pt_t{1, 1}));
    EXPECT_FALSE(nearest_by_path(u, {{6, 1}, {0, 0}}, &best));
    move_range_t r;
    EXPECT_TRUE(get_move_range_ai(u, &r));
}

TEST_F(Search, TheAreaGridSeesTheSecondClassesAndTheUnits) {
    draw({".h#t.",
          "....."});
    unit_t* u = add(0, 1, 0);
    add(4, 1, 1);
    add(1, 1, 0);  // an ally
    fog();
    prep_area_grid(u, 0x10202);
    const pf::pass_grid_t& g = get_area_grid();
    ASSERT_EQ(g.width, 5);
    EXPECT_EQ(g.at(1, 0).pass, 2) << "hard ground does not block sight";
    EXPECT_EQ(g.at(2, 0).pass, PASS_BLOCK);
    EXPECT_EQ(g.at(3, 0).pass, PASS_BLOCK);
    EXPECT_EQ(g.at(4, 1).pass, PASS_BLOCK) << "an enemy stands in the way";
    EXPECT_EQ(g.at(1, 1).pass, 2) << "allies are no obstacle to an area";
    prep_area_grid(u, 0x202);
    EXPECT_EQ(g.at(4, 1).pass, 2);
    btl().map = nullptr;
    EXPECT_EQ(get_area_grid().width, 0) << "no battle map: an empty grid";
}
