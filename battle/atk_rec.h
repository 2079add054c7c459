#pragma once
// One attack of an action: its reach, bonus, damage, conditions, effects and
// critical rules, with the breakdown texts the tooltips show; and the list of
// them that a unit makes with one power.
#include <cstdint>
#include <vector>

#include "app/str.h"
#include "battle/rolls.h"
#include "rules/cond.h"
#include "rules/dmg.h"
#include "rules/eff.h"

class unit_t;
struct itm_slot_t;

struct atk_rec_t {
    int32_t rng = 0;
    int32_t atk = NO_TARGET;
    dmg_list_t dmg;
    std::vector<cond_inst_t> conds;
    std::vector<int_pair_t> effs;
    itm_slot_t* wpn = nullptr;  // null for an attack that is not a weapon's
    Str atk_tip, dmg_tip, sit_tip;
    int32_t crit_rng = 1;   // a roll above 20 - crit_rng threatens
    int32_t crit_mult = 2;
    dmg_list_t crit_dmg;
    std::vector<cond_inst_t> crit_conds;
    std::vector<cond_inst_t> crit_extra;
    std::vector<int_pair_t> crit_effs;

    // The critical lists from the plain ones: the first part's dice times the
    // multiplier, the conditions followed by the extra ones.
    void build_crit();
};

// The attack records of u using the power. Draws from the generator (the
// critical-condition shuffle, the imbued damage type): planning callers wrap
// the call in a plan_rnd_t. False when no record could be made.
bool get_atks(std::vector<atk_rec_t>& out, unit_t* u, int pwr, int cmd_flags);

// The defender's bonus against the manoeuvres 4 to 8.
int manoeuvre_bonus(int pwr, const unit_t* def);

// a could flank t: t lacks "all_eyes", is a foe of a and adjacent, and a has reach.
bool can_flank_with(const unit_t* a, const unit_t* t);
// a and a partner on the cell mirrored through t flank it.
bool is_flanked(const unit_t* a, const unit_t* t);

// level / 10 + 1: scales level-dependent bonuses and dice.
int unit_tier(const unit_t* u);
// While one lives, the game's generator runs on a separate planning state, so
// that evaluating actions never changes what the battle draws next.
class plan_rnd_t {
public:
    plan_rnd_t();
    ~plan_rnd_t();
    plan_rnd_t(const plan_rnd_t&) = delete;
    plan_rnd_t& operator=(const plan_rnd_t&) = delete;

private:
    uint32_t saved_;
};
// A battle starts its planning draws afresh, so it replays from its seed alone.
void plan_rnd_reset();
