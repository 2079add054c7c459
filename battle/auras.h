#pragma once
// Auras: bonuses and turn-start effects a power spreads to the units around it.
class unit_t;

// For the statistics calculator: 229 adds 2 to the attack value, 230 adds
// 2 + 2 x (source level / 5) to the damage bonus, each with a breakdown line.
void apply_aura_bonuses(unit_t* u);
