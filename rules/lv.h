#pragma once
// What a unit gains at each level: ability increases, power picks by category
// and spells. A preset build takes its picks from its plan at once; the custom
// build leaves them to the player, and the rules report which wizard pages to
// show and what may be chosen there.
#include <cstdint>
#include <vector>

class Pwr;
class u_bld_t;
class unit_t;

// Wizard pages, as bits of lv_choices_t::flags.
enum : int {
    LVP_BUILD = 0,
    LVP_RACE = 1,
    LVP_CLASS = 2,
    LVP_ABIS = 3,
    LVP_PWRS = 4,
    LVP_SPELLS = 5,
    LVP_MISC = 6,
    LVP_FINISH = 7,
    LVP_COUNT = 8,
};

// Power-category masks (bit c = category c).
constexpr uint32_t CAT_FEATS = 254;    // categories 1..7
constexpr uint32_t CAT_MAGIC = 512;    // category 9
constexpr uint32_t CAT_ANY = 766;      // both

// Flag of the pickers: a monster takes no proficiencies, no armour use and no actions.
constexpr int PICK_MON = 1;

struct lv_choices_t {
    uint32_t flags = 0;             // bit per wizard page to show
    uint32_t masks[LVP_COUNT] = {}; // category mask per page; only the powers page is filled
    int32_t picks = 0;              // powers still to pick on the powers page
};

// Total experience for reaching lv: 250 lv (lv - 1).
int xp_for_lv(int lv);
// The unit's experience reaches the next level's total.
bool can_lv_up(const unit_t& u);
uint32_t class_pick_mask(int cls, int lv);

bool can_learn_pwr(const unit_t& u, int id);
// Where a power stands for the pick lists: held, learnable now, or not (yet).
enum class pwr_learn_e { held, learnable, locked };
pwr_learn_e pwr_learn_state(const unit_t& u, int id);
bool has_pwr_prereqs(const unit_t& u, const Pwr& p);
int count_learnable(const unit_t& u, uint32_t mask);
bool any_spell_learnable(const unit_t& u);

void pick_from_plan(unit_t& u, const std::vector<int>& plan, uint32_t mask, int flags);
void pick_spell_from_plan(unit_t& u, const std::vector<int>& plan);
void learn_all_spells(unit_t& u);
// With a preset build bld the pick is taken; without one (null) it is recorded.
void pick_or_record(unit_t& u, const u_bld_t* bld, uint32_t mask, int page, lv_choices_t& out);

void lv1_picks(unit_t& u, int flags);
void lv_spells(unit_t& u, const std::vector<int>& plan, lv_choices_t& out);
// The wizard's level-up: one level up as a rank-1 character, then its gains.
void lv_up_unit(unit_t& u, lv_choices_t& out);
// The gains of the unit's current level.
void apply_bld_lv(unit_t& u, lv_choices_t& out);
// The wizard's last step: a new character gets its starting gear and is
// readied for play, a level-up is recalculated; either at full hit points.
void finish_lv_up(unit_t& u, bool new_unit);
// One monster level: passive feats only, no spells.
void lv_up_mon(unit_t& u);
