#pragma once
// The battle AI: one decision per call. Every cell the unit can reach (its own
// first), every action it can use there and every cell it can aim it at are
// priced by the hit statistics, less the attacks of opportunity the move and
// the action provoke; ties go to the cell's two positional values. Only an
// aim that scores is taken, even when its total is below 0. When nothing
// scores, the unit walks towards the enemy it weighs most. Values are
// 64-bit: a weak caster far away weighs millions times a squared distance.
// The search leaves out the aims that cannot be taken and prices the rest by
// parts kept for the cell (aim_scorer_t); it decides as the plain search does.
#include <cstdint>
#include <vector>

#include "app/sentinels.h"
#include "app/types.h"
#include "battle/pf.h"
#include "rules/u_cmd.h"

class unit_t;

constexpr int64_t AI_UNSET = -UNLIMITED;

struct ai_cell_t {
    int64_t v1 = AI_UNSET;            // next to enemies: cell_adj_value
    int64_t v2 = AI_UNSET;            // distance to enemies: cell_dist_value
    int64_t move_provoke = AI_UNSET;  // the attacks of opportunity the move suffers
};

struct ai_plan_t {
    unit_t* unit = nullptr;
    bool front_line = false;
    std::vector<int> acts;
    std::vector<unit_t*> enemies;
    move_range_t range;
    grid_t<ai_cell_t> cells;
    u_cmd_t best[4];  // [1] the move, [2] the action
    u_cmd_t cand[4];  // the candidate being priced, in the same slots
    int64_t best_score = AI_UNSET;  // AI_UNSET: no candidate yet
    int64_t best_total = AI_UNSET;
    int64_t best_v1 = AI_UNSET;
    int64_t best_v2 = AI_UNSET;
    int64_t best_move_provoke = AI_UNSET;
    std::vector<pt_t> tgts;
    // Every aim of every action measured in full, none left out: the plain
    // search, which the quick one must match decision for decision.
    bool plain = false;

    explicit ai_plan_t(unit_t* u);
};

void ai_run(unit_t* u);
// True when u's command queue is not empty afterwards.
bool ai_plan(ai_plan_t& p);
bool ai_try_cells(ai_plan_t& p);
void ai_place_at(ai_plan_t& p, const pt_t& c);
void ai_try_actions(ai_plan_t& p, ai_cell_t& r);
void ai_consider(ai_plan_t& p, int64_t s, int64_t a, const ai_cell_t& r);
bool ai_approach(ai_plan_t& p);
// A unit whose weapon set has nothing to fight with (a launcher without
// ammunition) swaps to the first set that has: a weapon first, else empty
// hands for the unarmed strike.
bool ai_swap_wpn(ai_plan_t& p);
int64_t cell_adj_value(const ai_plan_t& p);
int64_t cell_dist_value(const ai_plan_t& p);
// Scanning from the path's end, the first cell among cells; (-1, -1) for none.
pt_t last_reachable_on_path(const std::vector<pt_t>& path, const std::vector<pt_t>& cells);
// The fighting classes stand next to the enemy; the others keep their distance.
bool is_front_line_cls(int cls);
