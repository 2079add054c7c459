#include "screens/text/lv_up_summary.h"

#include <algorithm>
#include <vector>

#include "app/markup_lit.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/u_pwrs.h"
#include "rules/unit.h"
#include "screens/text/desc_parts.h"
#include "screens/text/unit_sheet.h"

namespace txt {

namespace {

// A row when the value rose; gain shows "(+n)" after it. The values start
// at 96 pixels: a label of four characters in the bold font runs to 80.
void row(Str& out, const wchar_t* label, int old_v, int new_v, bool gain) {
    if (new_v <= old_v) return;
    const Str tail = gain ? Str(L"<x=192>(<c=g>+%d</c>)", new_v - old_v) : Str();
    out.append_format(L"<c=lbl>%s</c><x=96><c=a>%d<x=128>-></c><x=160>%d%s\n", label, old_v, new_v, tail);
}

// The rows under a heading; nothing when none rose.
void group(Str& out, const wchar_t* title, const Str& rows) {
    if (!rows.empty()) out.append_format(L"<h3 c=lbl mgn_t=16>%s</h3>%s", title, rows);
}

// The powers of a filter class held by n and not by o, when n holds more of them.
void new_pwrs(Str& out, const wchar_t* title, const unit_t* o, const unit_t* n, int filter) {
    std::vector<int> had, has;
    o->pwrs.get_ids(had, filter);
    n->pwrs.get_ids(has, filter);
    if (has.size() <= had.size()) return;
    std::vector<int> gained;
    std::set_difference(has.begin(), has.end(), had.begin(), had.end(), std::back_inserter(gained));
    out.append_format(L"<h3 c=lbl mgn_t=16>%s</h3><c=g>%s</c>", title, pwr_list(n, gained, 0));
}

}  // namespace

Str lv_up_summary(const unit_t* o, const unit_t* n) {
    Str level;
    // The name is the player's plain text.
    Str out(L"<b><f=b6>%s</f>\n<c=a>%s</c>\n\n", markup_lit(o->name.c_str()), lv_line(level, o));
    out.append(L"<f=b6>");
    row(out, L"等级", o->base.lv, n->base.lv, false);
    out.append(L"</f>");
    out.append(L"<h3 c=lbl mgn_t=16>基本</h3>");
    row(out, L"生命值", o->drv.hp_max, n->drv.hp_max, true);
    row(out, L"先攻", o->drv.init, n->drv.init, true);
    Str defs;
    const wchar_t* def_names[] = {L"护甲", L"强韧", L"反射", L"意志"};
    for (int i = DEF_AC; i <= DEF_WL; ++i) row(defs, def_names[i - DEF_AC], o->get_def(i), n->get_def(i), true);
    group(out, L"<ico=misc/def> 防御", defs);
    Str atks;
    const wchar_t* atk_names[] = {L"近战攻击", L"远程攻击", L"法术攻击"};
    for (int k = ATK_MELEE; k <= ATK_SPL; ++k) row(atks, atk_names[k - ATK_MELEE], o->get_atk(k), n->get_atk(k), true);
    group(out, L"<ico=misc/atk> 攻击", atks);
    Str abis;
    for (int i = 0; i < ABIS; ++i) row(abis, or_empty(get_abi(i)->n), o->base.abi[i], n->base.abi[i], true);
    group(out, L"<ico=misc/abi> 属性", abis);
    new_pwrs(out, L"专长", o, n, UP_FEAT);
    new_pwrs(out, L"法术", o, n, UP_SPELL);
    return out;
}

}  // namespace txt
