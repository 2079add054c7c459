#include "battle/unit_move.h"

#include <gtest/gtest.h>

#include <cstring>
#include <tuple>

#include "battle/btl_fixture.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/u_pos_guard.h"
#include "rules/cond.h"

namespace {
class Moves : public btl_test {
protected:
    std::vector<pt_t> steps;  // the cells the scene was shown, in order
    void SetUp() override {
        btl_test::SetUp();
        btl_pres().unit_step = [this](unit_t*, const pt_t& c, int) { steps.push_back(c); };
    }
    void TearDown() override {
        btl_pres() = btl_pres_t();
        btl_test::TearDown();
    }
    int moved_calls() const { return rec.count(26); }
};

const std::vector<std::string> corridor = {"##########", "..........", "###.######"};
}  // namespace

TEST_F(Moves, AWalkPassesThroughAlliesToItsEnd) {
    draw(corridor);
    unit_t* u = add(0, 1, 0);
    add(2, 1, 0);
    fog();
    EXPECT_TRUE(walk_unit(u, {5, 1}));
    EXPECT_EQ(u->pos, (pt_t{5, 1}));
    EXPECT_EQ(steps, (std::vector<pt_t>{{1, 1}, {2, 1}, {3, 1}, {4, 1}, {5, 1}}));
    EXPECT_EQ(u->run_dir, -1) << "the ally's cell is no plain step";
    EXPECT_TRUE(walk_unit(u, {9, 1}));
    EXPECT_EQ(u->run_dir, 3) << "a straight run to the right";
    EXPECT_EQ(moved_calls(), 2);
    EXPECT_TRUE(get_walk_path().empty());
    EXPECT_EQ(get_walk_step(), 0);
    EXPECT_EQ(u->sight.at(9, 1), 1) << "the sight moved with the unit";
    EXPECT_EQ(u->sight.at(3, 1), 0);
}

TEST_F(Moves, AWalkStopsOnEnteringAThreatenedCell) {
    // An enemy in a niche beyond sight: planned through, then met on the way.
    draw({"##############", "..............", "#########.####"});
    unit_t* u = add(0, 1, 0);
    add(9, 2, 1);
    fog();
    EXPECT_FALSE(walk_unit(u, {12, 1}));
    EXPECT_EQ(u->pos, (pt_t{8, 1})) << "the first cell next to the enemy";
    EXPECT_EQ(u->run_dir, -1) << "a stopped walk keeps its run direction";
    EXPECT_EQ(moved_calls(), 1);
}

TEST_F(Moves, AnUnseenEnemyIsFoundByBumpingIntoIt) {
    draw({"##############", "..............", "##############"});
    unit_t* u = add(0, 1, 0);
    unit_t* foe = add(9, 1, 1);
    put_cond(foe, 3);  // prone: in the way, threatening nobody
    fog();
    EXPECT_FALSE(is_pt_visible({9, 1}));
    EXPECT_FALSE(walk_unit(u, {12, 1}));
    EXPECT_EQ(std::tuple(u->pos, steps.back()), std::tuple(pt_t{8, 1}, pt_t{8, 1}));
}

TEST_F(Moves, AWalkStoppedOnAnAlliesCellStepsBack) {
    draw(corridor);
    unit_t* u = add(0, 1, 0);
    unit_t* a1 = add(2, 1, 0);
    unit_t* a2 = add(3, 1, 0);
    fog();
    // The move is spent on entering the second ally's cell: the unit cannot stay
    // there, nor on the first ally's, and goes back to the last cell of its own.
    btl_pres().enter_view = [&](unit_t* v) {
        if (v->pos == a2->pos) v->btl.turn_flags |= 1;
    };
    EXPECT_FALSE(walk_unit(u, {6, 1}));
    EXPECT_EQ(std::tuple(u->pos, count_units_at({1, 1}), a1->pos), std::tuple(pt_t{1, 1}, 1, pt_t{2, 1}));
    // With allies from the start on, the unit goes back to where it began.
    u->btl.turn_flags = 0;
    u->pos = {1, 1};
    a1->pos = {0, 1};
    a2->pos = {2, 1};
    EXPECT_FALSE(walk_unit(u, {6, 1}));
    EXPECT_EQ(u->pos, (pt_t{1, 1}));
}

TEST_F(Moves, NoWalkEndsOnAnotherUnitsCell) {
    // Blocked by an unseen enemy right after crossing a sleeper: back off it.
    draw({"############", "............", "############"});
    unit_t* u = add(0, 1, 0);
    put_cond(add(6, 1, 1), 6);
    unit_t* foe = add(7, 1, 1);
    put_cond(foe, 3);  // prone: blocks, threatens nobody
    fog();
    EXPECT_FALSE(walk_unit(u, {9, 1}));
    EXPECT_EQ(u->pos, (pt_t{5, 1}));
    // Sent onto the sleeper's cell: it stops short of it.
    u->pos = {0, 1};
    fog();
    EXPECT_FALSE(walk_unit(u, {6, 1}));
    EXPECT_EQ(std::tuple(u->pos, count_units_at({6, 1})), std::tuple(pt_t{5, 1}, 1));
}

TEST_F(Moves, AWalkEndsWhenTheUnitCanNoLongerMoveOrFallsProne) {
    draw(corridor);
    unit_t* u = add(0, 1, 0);
    fog();
    btl_pres().enter_view = [&](unit_t* v) {
        if (v->pos == pt_t{2, 1}) v->btl.turn_flags |= 1;  // the move was spent meanwhile
    };
    EXPECT_FALSE(walk_unit(u, {6, 1}));
    EXPECT_EQ(u->pos, (pt_t{2, 1}));
    u->btl.turn_flags = 0;
    btl_pres().enter_view = [&](unit_t* v) {
        if (v->pos == pt_t{4, 1}) put_cond(v, 3);
    };
    EXPECT_FALSE(walk_unit(u, {8, 1}));
    EXPECT_EQ(u->pos, (pt_t{4, 1}));
    // A unit already prone at the start is not stopped by being prone.
    btl_pres().enter_view = nullptr;
    EXPECT_TRUE(walk_unit(u, {6, 1}));
}

TEST_F(Moves, AnImpossibleWalkReportsFailure) {
    draw({".....", ".###.", ".#.#.", ".###."});
    unit_t* u = add(0, 0, 0);
    fog();
    EXPECT_FALSE(walk_unit(u, {2, 2}));
    EXPECT_EQ(u->pos, (pt_t{0, 0}));
    EXPECT_TRUE(steps.empty());
    EXPECT_EQ(moved_calls(), 1);
    EXPECT_TRUE(walk_unit(u, {0, 0})) << "a walk to its own cell is done already";
}

TEST_F(Moves, PushesCheckTheTrueStateOfEveryStep) {
    draw({"........", "........", "......#."});
    unit_t* src = add(0, 1, 1);
    unit_t* u = add(1, 1, 0);
    unit_t* blocker = add(4, 1, 0);
    fog();
    // The last preparation was for a unit that may cross the blocker's cell:
    // the push must not read it and land on the blocker.
    mark_search_grid(blocker, SF_WALK);
    EXPECT_EQ(knock_back(src, u, 5), 2);
    EXPECT_EQ(std::tuple(u->pos, count_units_at({4, 1})), std::tuple(pt_t{3, 1}, 1));
    // Diagonally: stops at the map edge, and never cuts a wall's corner.
    src->pos = {3, 0};
    u->pos = {4, 1};
    blocker->pos = {0, 0};
    EXPECT_EQ(knock_back(src, u, 1), 1);
    EXPECT_EQ(u->pos, (pt_t{5, 2}));
    src->pos = {4, 1};
    EXPECT_EQ(knock_back(src, u, 3), 0) << "(6,3) is off the map";
    src->pos = {6, 1};
    u->pos = {7, 2};
    EXPECT_EQ(knock_back(src, u, 1), 0) << "off the map";
    src->pos = {4, 0};
    u->pos = {5, 1};
    EXPECT_EQ(knock_back(src, u, 1), 0) << "the step to (6,2) enters a wall";
    u->pos = {5, 0};
    src->pos = {4, 0};
    put_cond(u, 3);
    EXPECT_EQ(knock_back(src, u, 2), 0) << "a prone unit is not pushed";
    EXPECT_FALSE(can_push_step(u, {6, 1}, {7, 2}) && can_push_step(u, {5, 1}, {6, 2}));
    EXPECT_FALSE(can_push_step(u, {5, 0}, {4, 0})) << "occupied";
}

TEST_F(Moves, SlidesAndPlacing) {
    draw({"......", "......"});
    unit_t* u = add(0, 0, 0);
    unit_t* v = add(5, 1, 1);
    fog();
    EXPECT_FALSE(slide_unit(u, {5, 1}));
    EXPECT_TRUE(slide_unit(u, {3, 1}));
    EXPECT_EQ(std::tuple(u->pos, steps), std::tuple(pt_t{3, 1}, std::vector<pt_t>{{1, 1}, {2, 1}, {3, 1}}));
    EXPECT_EQ(moved_calls(), 1);
    place_unit(u, {5, 1});
    EXPECT_EQ(u->pos, (pt_t{3, 1})) << "someone stands there";
    place_unit(v, {5, 0});
    EXPECT_EQ(std::tuple(v->pos, moved_calls()), std::tuple(pt_t{5, 0}, 2));
}

TEST_F(Moves, AGuardPutsATrialMoveBackExactly) {
    draw({"......", "......"});
    unit_t* u = add(0, 0, 0);
    fog();
    mark_search_grid(u, SF_WALK);
    u->run_dir = 5;
    u->btl.turn_flags = 4;
    u->btl.act_budget = 4;
    u_pos_state_t before;
    save_unit_pos(&before, u);
    {
        const u_pos_guard_t trial(u, {3, 0});
        EXPECT_EQ(std::tuple(u->pos, u->run_dir), std::tuple(pt_t{3, 0}, 3));
        EXPECT_EQ(u->btl.act_budget, 3) << "the move action";
        EXPECT_EQ(u->btl.turn_flags, 5);
    }
    u_pos_state_t after;
    save_unit_pos(&after, u);
    EXPECT_EQ(std::memcmp(&before, &after, sizeof before), 0);
    {
        // A trial of a shift step books only the move bit.
        const u_pos_guard_t trial(u, {1, 1});
        EXPECT_EQ(std::tuple(u->btl.act_budget, u->btl.turn_flags), std::tuple(4, 5));
        EXPECT_EQ(make_mov_cmd(u, {2, 2}).flags, 0);
    }
    EXPECT_EQ(make_mov_cmd(u, {1, 1}).flags, UCMD_SHIFT);
    {
        const u_pos_guard_t trial(u, {0, 0});  // its own cell: no move is booked
        EXPECT_EQ(u->btl.act_budget, 4);
        u->pos = {4, 1};
        trial.restore();
        EXPECT_EQ(u->pos, (pt_t{0, 0})) << "put back before the guard ends";
        u->pos = {4, 1};
    }
    EXPECT_EQ(u->pos, (pt_t{0, 0}));
}

// ---- pushes and shift steps on a map set up directly ----

namespace {
class KnockBack : public btl_test {
protected:
    unit_t *src = nullptr, *u = nullptr, *other = nullptr;

    void SetUp() override {
        btl_test::SetUp();
        draw_open(8, 6);
        src = add(2, 2, SIDE_FOES), u = add(3, 2, SIDE_FOES), other = add(0, 5, SIDE_FOES);
    }
};
}  // namespace

TEST_F(KnockBack, StraightAwayUntilTheEdge) {
    EXPECT_EQ(knock_back(src, u, 2), 2);
    EXPECT_EQ(u->pos, (pt_t{5, 2}));
    EXPECT_EQ(knock_back(src, u, 5), 2);  // the map ends at x = 7
    EXPECT_EQ(u->pos, (pt_t{7, 2}));
}

TEST_F(KnockBack, WallsUnitsAndCornersStopIt) {
    map.tiles.at(5, 2) = 2;  // wall
    EXPECT_EQ(knock_back(src, u, 3), 1);
    EXPECT_EQ(u->pos, (pt_t{4, 2}));
    u->pos = {4, 4};
    map.tiles.at(5, 4) = 2;  // a diagonal push may not cut this corner
    EXPECT_EQ(knock_back(src, u, 3), 0);
    map.tiles.at(5, 4) = 1;
    other->pos = {5, 5};  // now a unit stands on the next cell
    EXPECT_EQ(knock_back(src, u, 3), 0);
    EXPECT_EQ(u->pos, (pt_t{4, 4}));
}

TEST_F(KnockBack, ProneOrNoMapMovesNothing) {
    put_cond(u, 3);
    EXPECT_EQ(knock_back(src, u, 2), 0);
    u->conds.remove(3);
    set_btl_map(nullptr);
    EXPECT_EQ(knock_back(src, u, 2), 0);
    EXPECT_EQ(u->pos, (pt_t{3, 2}));
}

TEST_F(KnockBack, ShiftStepsGoOneCellOverPlainGround) {
    EXPECT_TRUE(can_shift_to(u, {4, 3}));
    EXPECT_FALSE(can_shift_to(u, {3, 2}));  // its own cell
    EXPECT_FALSE(can_shift_to(u, {5, 2}));  // two cells away
    EXPECT_FALSE(can_shift_to(u, {2, 2}));  // someone stands there
    map.tiles.at(4, 2) = 3;                 // hard ground
    EXPECT_FALSE(can_shift_to(u, {4, 2}));
    u->pwrs.add(260);
    EXPECT_TRUE(can_shift_to(u, {4, 2}));
    map.tiles.at(3, 3) = 2;  // a wall beside the diagonal
    EXPECT_FALSE(can_shift_to(u, {4, 3}));
    u->pos = {7, 5};
    EXPECT_FALSE(can_shift_to(u, {8, 5}));  // off the map
}

// ---- many seeded walks and pushes on generated maps ----

#include <set>

#include "app/rnd.h"
#include "battle/deploy.h"
#include "battle/map_gen.h"
#include "battle/terrain.h"

namespace {
using Crowd = btl_test;

// No two living units on one cell, every one on an enterable cell of the map.
::testing::AssertionResult sound_positions(const tmap_t& m) {
    std::set<pt_t> taken;
    for (const unit_t* u : btl_roster()) {
        if (!m.tiles.in(u->pos.x, u->pos.y)) return ::testing::AssertionFailure() << "off the map";
        if (m.get_pass1(u->pos.x, u->pos.y) == PASS_BLOCK) return ::testing::AssertionFailure() << "in a wall";
        if (!taken.insert(u->pos).second)
            return ::testing::AssertionFailure() << "two units on " << u->pos.x << "," << u->pos.y;
    }
    return ::testing::AssertionSuccess();
}
}  // namespace

TEST_F(Crowd, SeededWalksAndPushesKeepEveryUnitOnACellOfItsOwn) {
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        reset_btl();
        btl().map = &map;
        set_cur_scene(&rec);
        owned.clear();
        rnd_srand(seed);
        gen_rnd_map(&map, ROLL_IT, ROLL_IT, ROLL_IT, ROLL_IT);
        std::vector<unit_t*> sides[2];
        for (int i = 0; i < 10; ++i) sides[i % 2].push_back(add(0, 0, i % 2));
        build_roster(sides[0], sides[1]);
        ASSERT_TRUE(deploy_groups(sides[0], sides[1]));
        fog();
        ASSERT_TRUE(sound_positions(map)) << "deployed, seed " << seed;
        for (int round = 0; round < 6; ++round)
            for (unit_t* u : std::vector<unit_t*>(btl_roster())) {
                const pt_t to{rnd_rand() % map.get_w(), rnd_rand() % map.get_h()};
                u->btl.turn_flags = 0;
                const bool ok = walk_unit(u, to);
                ASSERT_TRUE(sound_positions(map)) << "walk, seed " << seed;
                if (ok) {
                    ASSERT_EQ(u->pos, to);
                }
                unit_t* v = btl_roster()[size_t(rnd_rand()) % btl_roster().size()];
                if (v != u) knock_back(u, v, 2);
                ASSERT_TRUE(sound_positions(map)) << "push, seed " << seed;
            }
    }
}
