#include "rules/point_buy.h"

#include <gtest/gtest.h>

TEST(PointBuy, StepsTotalsAndTheBuildCheck) {
    EXPECT_EQ(abi_buy_step_cost(13), 1);
    EXPECT_EQ(abi_buy_step_cost(14), 2);
    EXPECT_EQ(abi_buy_step_cost(15), 2);
    EXPECT_EQ(abi_buy_step_cost(16), 3);
    // Each step's price adds up to the table.
    for (int s = PB_MIN; s < PB_MAX; ++s) EXPECT_EQ(abi_buy_cost(s + 1), abi_buy_cost(s) + abi_buy_step_cost(s)) << s;
    EXPECT_EQ(abi_buy_cost(7), -1);
    EXPECT_EQ(abi_buy_cost(19), -1);

    const int high_one[6] = {18, 8, 8, 8, 8, 8};   // 16 points
    const int short_28[6] = {15, 15, 14, 12, 10, 8};  // 8 + 8 + 6 + 4 + 2 + 0
    const int exact[6] = {16, 14, 14, 12, 12, 10};    // 10 + 6 + 6 + 4 + 4 + 2
    const int out_of_range[6] = {20, 8, 8, 8, 8, 8};
    EXPECT_FALSE(is_bld_abis_valid(high_one));
    EXPECT_FALSE(is_bld_abis_valid(short_28));
    EXPECT_TRUE(is_bld_abis_valid(exact));
    EXPECT_FALSE(is_bld_abis_valid(out_of_range));
}
