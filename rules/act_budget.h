#pragma once
// The action budget of a turn (u_btl_state_t::act_budget) and what an action
// of each cost takes from it.

constexpr int BUDGET_WHOLE = 4;  // a whole turn
constexpr int BUDGET_STD = 3;    // the standard action is left (the move is spent)
constexpr int BUDGET_MOVE = 2;   // the move action is left
constexpr int BUDGET_NONE = 1;

// Spends cost (an act_cost row) when the budget allows; false otherwise,
// leaving the budget as it was.
bool act_budget_spend(int& budget, int cost);
