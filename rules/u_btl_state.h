#pragma once
// What a unit carries through a battle: controller and side, per-battle power
// uses, the turn's action budget, recharges, auras and the command queue. Never
// saved: a loaded unit starts with a fresh block.
#include <map>
#include <vector>

#include "rules/act_budget.h"
#include "rules/u_cmd.h"

class unit_t;

// Values of u_btl_state_t::side: units of one side are allies.
constexpr int SIDE_PLAYER = 0;
constexpr int SIDE_FOES = 1;
constexpr int SIDE_NONE = 3;  // attacks nobody and is nobody's enemy
constexpr int BTL_SIDES = 4;  // side ids 0 .. 3

// Bits of u_btl_state_t::turn_flags, cleared when the unit's turn begins.
constexpr int TF_MOVED = 1;    // the once-per-turn move was taken
constexpr int TF_CLEAVED = 2;  // "cleave" struck its extra blow
constexpr int TF_DELAYED = 4;  // the unit waited this round

struct u_aura_t {
    int pwr = 0;
    unit_t* src = nullptr;
};

// The recharge of one category of actions (battle/act_ctx.cpp keeps them).
constexpr int CD_CATS = 2;  // spells, every other action
struct u_cooldown_t {
    int since = 0;  // rounds since an action of the category that has a recharge
    int wait = 0;   // rounds still to wait
};

class u_btl_state_t {
public:
    int ai = 1;    // computer-controlled
    int side = SIDE_FOES;  // indexes side_clrs
    int init = 0;  // initiative total, the battle engine's
    unsigned known : 1 = 0;  // the player has seen the unit
    // The once-a-battle heals of the gear (u_drv_t::auto_heal1, auto_heal2) are spent.
    unsigned auto_heal1_used : 1 = 0;
    unsigned auto_heal2_used : 1 = 0;
    std::map<int, int> pwr_uses;  // power id -> uses in this battle
    int turn_flags = 0;           // TF_ bits
    int regen_off = 0;            // regeneration suppressed this turn
    int act_budget = BUDGET_WHOLE;
    int free_cmds = 0;            // 0 after a turn reset
    u_cooldown_t cooldowns[CD_CATS];
    std::vector<u_aura_t> auras;
    std::vector<u_cmd_t> cmds;

    u_btl_state_t() = default;
    u_btl_state_t(const u_btl_state_t&) = default;
    u_btl_state_t& operator=(const u_btl_state_t&) = default;

    // A battle begins: the seen mark, the spent heals and the use table start empty.
    void reset();
    void turn_reset();
};
