#include "screens/text/itm_desc.h"

#include "app/db.h"
#include "app/opts.h"
#include "rules/dice.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/itm.h"
#include "rules/itm_price.h"
#include "rules/itm_slot.h"
#include "rules/rare_lv.h"
#include "screens/text/desc_parts.h"

namespace txt {

namespace {

bool is_natural(const itm_t& k) { return k.type == IT_WPN && k.wpn.cat == WCAT_NATURAL; }

Str wpn_block(const itm_slot_t& it, const itm_t& k, const Str& bonus, const Str& rare) {
    Str out;
    if (is_natural(k))
        out.assign(L"天生武器");
    else
        out.format(L"%s%s%s", or_empty(get_wpn_hands(k.wpn.hands)->n), lang_wsp, or_empty(get_wpn_grp(k.grp)->n));
    out.append(rare).append(L"\n");
    const Str atk = it.bonus != 0 ? Str(L"<r c=g>+%d 攻击</r>", it.bonus) : Str();
    out.append_format(L"<f=b6>%s%s</f> <c=a>%s</c>%s\n%s <c=a>暴击</c>", dice_rng_text(k.wpn.dmg.count, k.wpn.dmg.sides),
                      bonus, k.wpn.dmg.get_type_names(), atk, crit_text(k.wpn.crit_rng, k.wpn.crit_mul));
    if (k.wpn.flags & (WF_RNG | WF_THROW_S | WF_THROW_B))
        out.append_format(L"\n<c=a>射程</c> %d", k.wpn.get_rng(RNG_USE_RANGED));
    return out;
}

Str amr_block(const itm_t& k, const Str& bonus, const Str& rare) {
    const bool shd = k.type == IT_SHD;
    const text_info_t* type = shd ? get_shd_type(k.grp) : get_amr_type(k.grp);
    const Str max_dex = k.amr.max_dex == UNLIMITED ? Str(L"不限") : int_to_str(k.amr.max_dex);
    return Str(L"%s%s\n<f=b6>%d%s</f> <c=a>防御%s</c>\n<c=a>速度减值：</c><c=r>%d</c>\n<c=a>最大敏捷加值：</c><c=g>%s</c>\n"
               L"<c=a>非擅长攻击/反射减值：</c><c=r>%d</c>\n<c=a>奥术失败率：</c><c=r>%d%%</c>",
               or_empty(type->n), rare, k.amr.def, bonus, shd ? L"/反射" : L"", k.amr.spd, max_dex, k.amr.np_pen,
               k.amr.asf);
}

}  // namespace

Str crit_text(int r, int m) {
    if (!opts().show_dnd_ch) return Str(L"%d%%/x%d", 5 * r, m);
    if (r < 2) return Str(L"x%d", m);
    return Str(L"%d-20/x%d", 21 - r, m);
}

Str itm_desc(const itm_slot_t& it) {
    const itm_t& k = get_itm(it.id);
    Str name;
    Str out(L"<h2>%s</h2>", it.get_name(name));
    const Str bonus = it.bonus != 0 ? Str(L"<c=g>+%d</c>", it.bonus) : Str();
    const Str& lbl = itm_rare_lbl(it);
    const Str rare = lbl.empty() ? Str() : Str(L"<r>%s</r>", lbl);
    switch (k.type) {
    case IT_WPN: out.append(wpn_block(it, k, bonus, rare)); break;
    case IT_SHD:
    case IT_AMR: out.append(amr_block(k, bonus, rare)); break;
    case IT_AMMO: out.append_format(L"<c=a>适用于：</c>%s", or_empty(get_wpn_grp(k.grp)->n)); break;
    default: out.append(or_empty(get_itm_type(k.type).n)).append(rare); break;
    }
    itm_wpn_flags_tip(it, out);
    itm_enchs_tip(it, out);
    out.append(L"<hr>");
    if (k.d && *k.d) out.append_format(L"<c=a>%s</c>", k.d);
    if (k.rare_lv > RARE_NORMAL) out.append_format(L"\n\n<c=a>%s</c>", db_get_str(L"xbns_note", L"strs"));
    if (!is_natural(k)) out.append_format(L"\n<dy=4>%s<r>%g <ico=misc/wt></r>", gold_text(it.get_price()), k.wt);
    return out;
}

}  // namespace txt
