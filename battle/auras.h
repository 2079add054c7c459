#pragma once
// Auras and triggered powers: six monster auras that work on the units around
// their holder, "dead_tox" when its holder dies and "pack_shock" at the start
// of its holder's turn.
#include "rules/dmg.h"

class unit_t;

struct aura_shape_t {
    int radius = 0;  // Chebyshev distance
    bool friendly = false;
};

// Recomputes every roster unit's aura list; a unit whose list changed is recalculated.
void update_auras();
// The first aura (P_AURA5_ATK2..P_AURA5_FEAR) u holds; false when none.
bool get_unit_aura(const unit_t* u, aura_shape_t* out);
// P_AURA5_ATK2..P_AURA5_HEAL5 work on the holder's side, the rest on the others.
bool is_ally_aura(int pwr);
// For the statistics calculator: P_AURA5_ATK2 adds 2 to the attack value,
// P_AURA5_DMG2 adds 2 + 2 x (source level / 5) to the damage bonus, each with a breakdown line.
void apply_aura_bonuses(unit_t* u);
// The turn-start effects of u's aura list.
void aura_turn_effects(unit_t* u);
// "dead_tox": every neighbour of the dead holder is poisoned.
void on_death_trigger(unit_t* u);
// "pack_shock": lightning on everything within 3 cells, by the holders chained to u.
void turn_start_trigger(unit_t* u);
// "<power> 生效: " in the log, the power by its name alone (no key).
void log_takes_effect(int pwr);
// amount of the types in mask, through reduction and percentages.
void deal_flat_dmg(unit_t* u, int amount, uint32_t mask);
// An attack of a power without an action: src's attack value of the kind
// against tgt's defence def, flags 6 and critical range 1.
void pwr_atk(unit_t* src, unit_t* tgt, int atk_kind, int def, const dmg_list_t& dmg);
