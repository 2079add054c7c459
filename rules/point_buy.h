#pragma once
// The ability point-buy of character creation: 32 points over six scores of 8 to 18.
#include "rules/enum_ids.h"

constexpr int PB_TOTAL = 32;
constexpr int PB_MIN = 8;
constexpr int PB_MAX = 18;

// The points to raise a score by one: 1 below 14, 2 at 14 and 15, 3 from 16.
int abi_buy_step_cost(int score);
// The points a score of 8..18 costs in all (8 costs 0, 18 costs 16); -1 outside.
int abi_buy_cost(int score);
// Every score in 8..18 and the costs add up to exactly 32.
bool is_bld_abis_valid(const int abi[ABIS]);

// The ability step of the wizard over six scores: a new character spends
// PB_TOTAL points on scores of PB_MIN to PB_MAX at abi_buy_step_cost; a
// level-up raises one score by one, and "-" takes back only that one.
class abi_alloc_t {
public:
    // A new character: every score PB_MIN and PB_TOTAL points; a level-up: one point.
    void start(int abi[ABIS], bool lv_up);
    bool can_raise(const int abi[ABIS], int i) const;
    bool can_lower(const int abi[ABIS], int i) const;
    // One step of score i when allowed; false (nothing changed) otherwise.
    bool raise(int abi[ABIS], int i);
    bool lower(int abi[ABIS], int i);
    int points() const { return pts_; }
    // The level-up's increase, -1 while none is chosen.
    int chosen() const { return chosen_; }
    // The level-up's increase counts among the unit's increases.
    void book(int abi_ups[ABIS]) const;

private:
    bool lv_up_ = false;
    int pts_ = 0;
    int chosen_ = -1;
};
