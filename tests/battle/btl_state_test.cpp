// Before the first battle none runs: the screens outside battles (the unit
// dialog, the hub) rely on it. Its own program, so no other case set a battle up first.
#include <gtest/gtest.h>

#include "battle/btl.h"
#include "battle/turn.h"
#include "rules/unit.h"

TEST(BtlState, NoBattleRunsBeforeTheFirstSetUp) {
    EXPECT_EQ(get_btl_state(), BTL_NONE);
    EXPECT_FALSE(is_btl_running());
    EXPECT_TRUE(is_btl_over());
    unit_t u;
    EXPECT_TRUE(u.is_known());  // outside battles the player knows every unit

    reset_btl();  // a battle being set up
    EXPECT_TRUE(is_btl_running());
    EXPECT_FALSE(is_btl_over());
    EXPECT_FALSE(u.is_known());
}
