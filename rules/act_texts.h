#pragma once
// The short texts an action's range, area and duration show, and the action
// budget rule. Texts come back by value: two calls never share a buffer.
class Str;

Str get_rng_text(int rng);
Str get_area_text(int area);
// "整场战斗" for 1000000000, else the rounds, the word space and "回合".
Str& get_dur_text(Str& out, int n);

// The action budget of a turn: 4 whole turn, 3 standard action left, 2 move left,
// 1 nothing. Spends cost (an act_cost row) when the budget allows; false otherwise,
// leaving the budget as it was.
bool act_budget_spend(int& budget, int cost);
