#include "rules/unit.h"

void unit_t::recalc() {
    for (int i = 0; i < U_TEXTS; ++i) {
        text_ptrs[i] = &texts[i];
        texts[i].assign(L"");
    }
    conds.upd_mask();
    // TODO: the derived statistics need the equipment and gear bonuses; until
    // they are built the derived block keeps what it holds.
    if (!hp_ready) hp = drv.hp_max;
}
