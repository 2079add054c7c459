#include "battle/auras.h"

#include "rules/brk_line.h"
#include "rules/pwr.h"
#include "rules/unit.h"

namespace {
const wchar_t* pwr_name(int id) {
    const Pwr* p = get_pwr(id);
    return p ? p->n : nullptr;
}
}  // namespace

void apply_aura_bonuses(unit_t* u) {
    for (const u_aura_t& a : u->btl.auras) {
        if (a.pwr == 229) {
            u->drv.atk += 2;
            brk_line(*u->text_ptrs[BT_ATK], 2, pwr_name(229));
        } else if (a.pwr == 230 && a.src) {
            const int v = 2 + 2 * (a.src->base.lv / 5);
            u->drv.dmg += v;
            brk_line(*u->text_ptrs[BT_DMG], v, pwr_name(230));
        }
    }
}
