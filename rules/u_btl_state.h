#pragma once
// What a unit carries through a battle: controller and side, per-battle power
// uses, the turn's action budget, auras and the command queue.
#include <cstdint>
#include <map>
#include <vector>

#include "rules/u_cmd.h"

class unit_t;

// Values of u_btl_state_t::act_budget.
constexpr int BUDGET_WHOLE = 4;  // a whole turn
constexpr int BUDGET_STD = 3;    // the standard action is left (the move is spent)
constexpr int BUDGET_MOVE = 2;   // the move action is left
constexpr int BUDGET_NONE = 1;

// Values of u_btl_state_t::side: units of one side are allies.
constexpr int SIDE_PLAYER = 0;
constexpr int SIDE_FOES = 1;
constexpr int SIDE_NONE = 3;  // attacks nobody and is nobody's enemy

// Bits of u_btl_state_t::turn_flags, cleared when the unit's turn begins.
constexpr int TF_MOVED = 1;    // the once-per-turn move was taken
constexpr int TF_CLEAVED = 2;  // "cleave" struck its extra blow
constexpr int TF_DELAYED = 4;  // the unit waited this round

struct u_aura_t {
    int pwr = 0;
    unit_t* src = nullptr;
};

// A three-word record of the battle engine.
struct u_btl_rec_t {
    int a = 0;
    int b = 0;
    int c = 0;
};

class u_btl_state_t {
public:
    int ai = 1;    // computer-controlled
    int side = SIDE_FOES;  // indexes side_clrs
    int init = 0;  // initiative total, the battle engine's
    unsigned known : 1 = 0;  // the player has seen the unit
    unsigned flag1 : 1 = 0;  // the battle engine's
    unsigned flag2 : 1 = 0;
    std::map<int, int> pwr_uses;  // power id -> uses in this battle
    int turn_flags = 0;           // TF_ bits
    int turn_word = -1;           // the battle engine's, -1 after a turn reset
    int regen_off = 0;            // regeneration suppressed this turn
    int act_budget = BUDGET_WHOLE;
    int free_cmds = 0;            // 0 after a turn reset
    int eng[6] = {};              // the battle engine's counters
    std::vector<u_btl_rec_t> recs;
    std::vector<u_aura_t> auras;
    std::vector<u_cmd_t> cmds;
    int eng_end[2] = {};
    int64_t eng_64 = 0;

    u_btl_state_t() = default;
    u_btl_state_t(const u_btl_state_t&) = default;
    u_btl_state_t& operator=(const u_btl_state_t&) = default;

    // A battle begins: the flag bits and the use table start empty.
    void reset();
    void turn_reset();
};
