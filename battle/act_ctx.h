#pragma once
// Carrying out a command: the base of the action contexts, the action-point
// cost of a power, the recharge counters and the attacks of opportunity.
#include <vector>

class unit_t;
struct u_cmd_t;

// One context per command, on the stack of whoever carries the command out.
class act_ctx_base_t {
public:
    virtual ~act_ctx_base_t() = default;
    virtual bool run() = 0;
};

// The act_cost code of the power for u: "swap_wpn" is free (1) with "quick_draw";
// "end_turn" takes whatever is left, which act_cost_spend books.
int act_cost(const unit_t* u, int pwr);

// Both recharge counters 10 rounds since use, both waits 0.
void reset_cooldowns(unit_t* u);
// Each counter + 1, each wait - 1 down to 0: at every turn start.
void tick_cooldowns(unit_t* u);

// The adjacent enemies, other than exclude, that may still make an attack of
// opportunity on victim this round.
std::vector<unit_t*> threatening_units(const unit_t* victim, const unit_t* exclude);
bool is_threatened(const unit_t* u);
// Each threatening unit attacks victim with "atk_m" as a free command (flags | 1).
void provoke_aoos(unit_t* victim, const unit_t* exclude, int flags);
