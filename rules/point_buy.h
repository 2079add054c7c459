#pragma once
// The ability point-buy of character creation: 32 points over six scores of 8 to 18.

constexpr int PB_TOTAL = 32;
constexpr int PB_MIN = 8;
constexpr int PB_MAX = 18;

// The points to raise a score by one: 1 below 14, 2 at 14 and 15, 3 from 16.
int abi_buy_step_cost(int score);
// The points a score of 8..18 costs in all (8 costs 0, 18 costs 16); -1 outside.
int abi_buy_cost(int score);
// Every score in 8..18 and the costs add up to exactly 32.
bool is_bld_abis_valid(const int abi[6]);
