#pragma once
// What enchantments do: the standing bonuses of everything a unit wears, and a
// weapon's extra damage, slaying and life drain when it hits.
#include "rules/dmg.h"

class Str;
class unit_t;
struct itm_slot_t;

// The best value of each enchantment bonus kind over the unit's 17 equipment
// slots, into the gear-bonus record (gear.h); ties keep the first slot.
void ie_best_bonuses(const unit_t& u, int* values, const itm_slot_t** sources);

// One damage part per damage enchantment of the weapon, and a breakdown line each.
void itm_ench_dmg(const itm_slot_t& w, dmg_list_t& parts, Str& text);
// "kill" (1 in 20) or "kill_ud" against undead; true when the target was slain.
bool itm_kill_on_hit(const itm_slot_t& w, unit_t* attacker, unit_t* target);
// "vampire": the wielder heals the rolled dice, unless the target has TRAIT_LIFELESS.
void itm_vampire_on_hit(const itm_slot_t& w, unit_t* wielder, unit_t* target);

void mk_fire_dmg(dmg_part_t& out, int packed);
void mk_pierce_dmg(dmg_part_t& out, int packed);
