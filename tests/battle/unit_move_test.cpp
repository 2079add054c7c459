#include "battle/unit_move.h"

#include <gtest/gtest.h>

#include "battle/roster.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "rules/cond.h"
#include "rules/pwr.h"
#include "rules/unit.h"

namespace {
class KnockBack : public ::testing::Test {
protected:
    tmap_t map;
    unit_t src, u, other;

    void SetUp() override {
        build_pwrs();
        map.set_size(8, 6);
        for (int y = 0; y < 6; ++y)
            for (int x = 0; x < 8; ++x) map.tiles.at(x, y) = 1;  // plain ground
        set_btl_map(&map);
        for (unit_t* v : {&src, &u, &other}) v->hp = 10;
        src.pos = {2, 2};
        u.pos = {3, 2};
        other.pos = {0, 5};
        btl_full_list() = {&src, &u, &other};
        rebuild_roster();
    }
    void TearDown() override {
        set_btl_map(nullptr);
        free_pwrs();
        btl_full_list().clear();
        rebuild_roster();
    }
};
}  // namespace

TEST_F(KnockBack, StraightAwayUntilTheEdge) {
    EXPECT_EQ(knock_back(&src, &u, 2), 2);
    EXPECT_EQ(u.pos, (pt_t{5, 2}));
    EXPECT_EQ(knock_back(&src, &u, 5), 2);  // the map ends at x = 7
    EXPECT_EQ(u.pos, (pt_t{7, 2}));
}

TEST_F(KnockBack, WallsUnitsAndCornersStopIt) {
    map.tiles.at(5, 2) = 2;  // wall
    EXPECT_EQ(knock_back(&src, &u, 3), 1);
    EXPECT_EQ(u.pos, (pt_t{4, 2}));
    u.pos = {4, 4};
    map.tiles.at(5, 4) = 2;  // a diagonal push may not cut this corner
    EXPECT_EQ(knock_back(&src, &u, 3), 0);
    map.tiles.at(5, 4) = 1;
    other.pos = {5, 5};  // now a unit stands on the next cell
    EXPECT_EQ(knock_back(&src, &u, 3), 0);
    EXPECT_EQ(u.pos, (pt_t{4, 4}));
}

TEST_F(KnockBack, ProneOrNoMapMovesNothing) {
    cond_inst_t ci;
    u.conds.add(make_cond_inst(ci, 3, nullptr, 0, 0, 0), false);
    EXPECT_EQ(knock_back(&src, &u, 2), 0);
    u.conds.remove(3);
    set_btl_map(nullptr);
    EXPECT_EQ(knock_back(&src, &u, 2), 0);
    EXPECT_EQ(u.pos, (pt_t{3, 2}));
}

TEST_F(KnockBack, ShiftStepsGoOneCellOverPlainGround) {
    EXPECT_TRUE(can_shift_to(&u, {4, 3}));
    EXPECT_FALSE(can_shift_to(&u, {3, 2}));  // its own cell
    EXPECT_FALSE(can_shift_to(&u, {5, 2}));  // two cells away
    EXPECT_FALSE(can_shift_to(&u, {2, 2}));  // someone stands there
    map.tiles.at(4, 2) = 3;                  // hard ground
    EXPECT_FALSE(can_shift_to(&u, {4, 2}));
    u.pwrs.add(260);
    EXPECT_TRUE(can_shift_to(&u, {4, 2}));
    map.tiles.at(3, 3) = 2;  // a wall beside the diagonal
    EXPECT_FALSE(can_shift_to(&u, {4, 3}));
    u.pos = {7, 5};
    EXPECT_FALSE(can_shift_to(&u, {8, 5}));  // off the map
}
