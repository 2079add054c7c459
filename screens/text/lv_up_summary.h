#pragma once
// What a new level brings, shown at the last step of a level-up.
#include "app/str.h"

class unit_t;

namespace txt {

// Name and level line of the unit as it was; the level row; under "基本" the
// hit points and initiative, then the defences, attacks and abilities, and the
// feats and spells newly learnt. Only values that rose get a row
// ("label  old -> new (+gain)"); a group without one is left out with its heading.
Str lv_up_summary(const unit_t* old_u, const unit_t* new_u);

}  // namespace txt
