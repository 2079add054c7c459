#include "rules/point_buy.h"

#include <gtest/gtest.h>

#include <utility>

TEST(PointBuy, StepsTotalsAndTheBuildCheck) {
    const int steps[][2] = {{13, 1}, {14, 2}, {15, 2}, {16, 3}};
    for (const auto& [score, cost] : steps) EXPECT_EQ(abi_buy_step_cost(score), cost) << score;
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

TEST(PointBuy, TheWizardsStepSpendsThePointsOrOneIncrease) {
    int abi[ABIS] = {3, 3, 3, 3, 3, 3}, ups[ABIS] = {};
    abi_alloc_t a;
    a.start(abi, false);
    EXPECT_EQ(std::pair(abi[5], a.points()), std::pair(PB_MIN, PB_TOTAL));
    EXPECT_FALSE(a.can_lower(abi, 0) || a.lower(abi, 0)) << "nothing below 8";
    for (int i = 0; i < 10; ++i) EXPECT_TRUE(a.raise(abi, 0));
    EXPECT_TRUE(abi[0] == PB_MAX && a.points() == 16 && !a.raise(abi, 0)) << "18 is the most, for 16";
    for (int i = 0; i < 6; ++i) a.raise(abi, 1), a.raise(abi, 2);  // 14 and 14: 4 left
    for (int i = 0; i < 3; ++i) a.raise(abi, 3);                   // 11: 1 left
    EXPECT_FALSE(a.can_raise(abi, 1) || a.raise(abi, 2)) << "a 14 costs 2";
    EXPECT_TRUE(a.lower(abi, 1) && a.points() == 2) << "14 back to 13 refunds 1";
    // A level-up: one increase in all, and only it can be taken back.
    a.start(abi, true);
    EXPECT_EQ(std::pair(abi[1], a.points()), std::pair(13, 1));
    EXPECT_TRUE(!a.can_lower(abi, 3) && a.raise(abi, 3) && !a.raise(abi, 4) && !a.lower(abi, 4));
    EXPECT_TRUE(a.lower(abi, 3) && a.raise(abi, 4) && a.points() == 0 && a.chosen() == 4);
    a.book(ups);
    EXPECT_EQ(std::pair(abi[4], ups[4]), std::pair(9, 1));
}
