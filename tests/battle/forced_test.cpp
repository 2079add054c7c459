// Forced behaviour: wandering, fleeing and rampaging units fill only their queue.
#include "battle/forced.h"

#include <set>

#include "app/geom.h"
#include "app/rnd.h"
#include "battle/btl_fixture.h"
#include "battle/move_search.h"
#include "rules/cond.h"

namespace {

class Forced : public btl_test {
protected:
    unit_t* ready(unit_t* u) {
        u->turn_reset();
        u->pwrs.add(2);
        return u;
    }
    const std::vector<u_cmd_t>& cmds(unit_t* u) { return u->btl.cmds; }
    // The queue forced behaviour fills afresh, the generator seeded first when a seed is given.
    const std::vector<u_cmd_t>& plan(unit_t* u, uint32_t seed = 0) {
        u->btl.cmds.clear();
        if (seed) rnd_srand(seed);
        forced_behaviour(u);
        return u->btl.cmds;
    }
    // Whether the queue planned afresh only ends the turn, at the unit's cell.
    bool plans_end_turn(unit_t* u) {
        plan(u);
        return u->btl.cmds.size() == 1 && u->btl.cmds[0].pwr == 15 && u->btl.cmds[0].tgt == u->pos;
    }
    // A unit at `at` frightened of a foe at foe_at, the foe first in the roster;
    // the fog follows.
    unit_t* afraid(pt_t at, pt_t foe_at) {
        unit_t* foe = ready(add(foe_at.x, foe_at.y, 1));
        unit_t* u = ready(add(at.x, at.y, 0));
        fog();
        put_cond(u, 10, foe);
        return u;
    }
    // u's conditions replaced by the one src gives.
    void only_cond(unit_t* u, int id, unit_t* src) {
        u->conds.map.clear();
        put_cond(u, id, src);
    }
};

}  // namespace

TEST_F(Forced, AFrightenedUnitThatCannotMoveOnlyEndsItsTurn) {
    draw({"#####",
          "#...#",
          "#####"});
    unit_t* u = afraid({1, 1}, {3, 1});
    u->btl.turn_flags |= 1;  // it has moved already this turn
    EXPECT_TRUE(plans_end_turn(u));
    u->btl.turn_flags = 0;
    map.tiles.at(2, 1) = 2;  // walled in: an empty range
    EXPECT_TRUE(plans_end_turn(u));
}

TEST_F(Forced, AFrightenedUnitRunsToTheFarthestCellFromTheSource) {
    draw({"#########",
          "#.......#",
          "#########"});
    unit_t* u = afraid({3, 1}, {1, 1});
    ASSERT_EQ(plan(u).size(), 1u);
    EXPECT_EQ(cmds(u)[0].pwr, 1);
    EXPECT_EQ(cmds(u)[0].tgt, (pt_t{7, 1}));
    // Turned undead flee the same way; with no giver left there is nothing to flee.
    only_cond(u, 9, nullptr);
    EXPECT_TRUE(plans_end_turn(u));
}

TEST_F(Forced, PolymorphIsTestedBeforeFearAndWanders) {
    draw_open(9, 3);
    unit_t* u = afraid({4, 1}, {0, 0});
    put_cond(u, 8);
    std::set<std::pair<int, int>> seen;
    for (uint32_t s = 1; s <= 12; ++s) {
        ASSERT_EQ(plan(u, s).size(), 1u);
        const u_cmd_t got = cmds(u)[0];
        EXPECT_EQ(got.pwr, 1);
        seen.insert({got.tgt.x, got.tgt.y});
        u->btl.cmds.clear();
        rnd_srand(s);
        wander(u);
        ASSERT_EQ(cmds(u).size(), 1u);
        EXPECT_EQ(cmds(u)[0], got);
    }
    EXPECT_GT(seen.size(), 2u) << "a wander is a random cell, not the flight";
}

TEST_F(Forced, MadUnitsStrikeTheNearestOfAnySideCharmedOnesTheirOwn) {
    draw_open(9, 3);
    unit_t* u = ready(add(4, 1, 0));
    unit_t* foe = ready(add(5, 1, 1));
    unit_t* ally = ready(add(2, 1, 0));
    fog();
    put_cond(u, 11);
    ASSERT_FALSE(plan(u).empty());
    EXPECT_EQ(std::pair(cmds(u).back().pwr, cmds(u).back().tgt), std::pair(2, foe->pos));
    only_cond(u, 12, nullptr);
    ASSERT_FALSE(plan(u).empty());
    EXPECT_EQ(std::pair(cmds(u).back().pwr, cmds(u).back().tgt), std::pair(2, ally->pos));
    EXPECT_EQ(cmds(u).front().pwr, cmds(u).size() == 2 ? 1 : 2);  // a walk to the ally first, if any
}

TEST_F(Forced, AMadUnitThatCannotReachItsTargetEndsItsTurnWhereItIs) {
    draw({"...#...",
          "...#...",
          "...#..."});
    unit_t* u = ready(add(1, 1, 0));
    ready(add(4, 1, 1));
    ready(add(6, 2, 0));
    fog();
    put_cond(u, 11);
    EXPECT_TRUE(plans_end_turn(u));
}

TEST_F(Forced, ARampagingUnitTriesItsCellsInRandomOrder) {
    draw_open(9, 4);
    unit_t* u = ready(add(1, 1, 0));
    unit_t* foe = ready(add(5, 1, 1));
    fog();
    put_cond(u, 11);
    std::set<std::pair<int, int>> cells;
    for (uint32_t s = 1; s <= 16; ++s) {
        ASSERT_EQ(plan(u, s).size(), 2u);
        EXPECT_EQ(cmds(u)[1].tgt, foe->pos);
        const pt_t to = cmds(u)[0].tgt;
        EXPECT_LE(cheb_dist(to, foe->pos), 1);
        cells.insert({to.x, to.y});
        EXPECT_EQ(u->pos, (pt_t{1, 1})) << "planning puts the unit back";
    }
    EXPECT_GT(cells.size(), 1u);
}
