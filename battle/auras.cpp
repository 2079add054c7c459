#include "battle/auras.h"

#include "rules/pwr.h"
#include "rules/unit.h"

namespace {
constexpr int text_atk = 3;  // breakdown texts of the attack and damage bonuses
constexpr int text_dmg = 4;

void brk_line(Str& text, int v, const wchar_t* label) {
    const uint32_t clr = v > 0 ? 0xFF00FF00 : v < 0 ? 0xFFFF0000 : 0xFFFFFFFF;
    text.append_format(L"<c=#%08x>%+d</c>\t%s\n", clr, v, label ? label : L"");
}

const wchar_t* pwr_name(int id) {
    const Pwr* p = get_pwr(id);
    return p ? p->n : nullptr;
}
}  // namespace

void apply_aura_bonuses(unit_t* u) {
    for (const u_aura_t& a : u->btl.auras) {
        if (a.pwr == 229) {
            u->drv.atk += 2;
            brk_line(*u->text_ptrs[text_atk], 2, pwr_name(229));
        } else if (a.pwr == 230 && a.src) {
            const int v = 2 + 2 * (a.src->base.lv / 5);
            u->drv.dmg += v;
            brk_line(*u->text_ptrs[text_dmg], v, pwr_name(230));
        }
    }
}
