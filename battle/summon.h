#pragma once
// Units that join a battle: summoned elementals and spiders, raised undead and
// the companions some units bring. They fight on their creator's side under
// the computer's control, act right after it, and belong to the battle's
// summon list until the battle ends.
#include "app/types.h"

class unit_t;

// P_SUM and P_SUM_SPIDERS at the cell; false when nobody came.
bool summon(unit_t* creator, int pwr, const pt_t& cell);
// P_MK_UD: the fallen unit is gone for good; an undead rises on its cell.
bool raise_fallen(unit_t* creator, unit_t* fallen);
// The companion the unit's gear names, inserted after it; null for none.
unit_t* add_companion(unit_t* u);
// Living roster units that creator summoned with the power.
int count_summons(const unit_t* creator, int pwr);
// 1 for "sum", 2 for every other power.
int summon_limit(int pwr);
// A new summoned unit of the template at the level, owned by the summon list;
// not yet placed in the battle.
unit_t* new_summon(unit_t* creator, int tpl, int lv);
// The summon leaves the battle for good (roster and full list) but stays owned
// by the summon list, so pointers to it stay valid until the battle ends.
void dismiss_summon(unit_t* s);
// Clears every reference the battle's units hold to the summons, then deletes them.
void free_summons();
