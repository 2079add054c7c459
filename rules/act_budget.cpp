#include "rules/act_budget.h"

#include "rules/enum_ids.h"

bool act_budget_spend(int& budget, int cost) {
    int left = budget;
    switch (cost) {
    case COST_FULL: left = budget == BUDGET_WHOLE ? BUDGET_NONE : 0; break;
    case COST_STD:
        left = budget == BUDGET_STD ? BUDGET_NONE : budget == BUDGET_WHOLE ? BUDGET_MOVE : 0;
        break;
    case COST_AUX:
        left = budget == BUDGET_MOVE || budget == BUDGET_STD ? BUDGET_NONE : budget == BUDGET_WHOLE ? BUDGET_STD : 0;
        break;
    default: return true;  // "No" and unknown costs take nothing
    }
    if (left == 0) return false;
    budget = left;
    return true;
}
