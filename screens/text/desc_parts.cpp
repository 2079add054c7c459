#include "screens/text/desc_parts.h"

#include <cstdint>

#include "app/db.h"
#include "app/str.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/race.h"
#include "rules/u_cat.h"
#include "rules/unit.h"

namespace txt {

Str gold_text(double amount) {
    const Str n = num_to_str(amount, NUM_GROUPED);
    if (amount > 0) return Str(L"%s <ico=misc/g c=Gold>", n);
    return Str(L"<c=fc_rr>%s</c> <ico=misc/g c=Gold>", n);
}

Str hp_text(const unit_t* u) {
    // 64-bit: three quarters of any stored maximum stays exact.
    const int64_t cur = u->hp, max = u->drv.hp_max;
    uint32_t clr = 0xFFFF0000;
    if (cur > max / 2) {
        if (cur > max * 3 / 4)
            clr = cur < max ? 0xFFFFFF00 : 0xFFFFFFFF;
        else
            clr = 0xFFFF8C00;
    }
    return Str(L"<c=#%08x>%d</c><c=w>/%d</c>", clr, u->hp, u->drv.hp_max);
}

clr_t side_clr(const unit_t* u) {
    if (u->btl.side == SIDE_PLAYER) return 0xFF009900;
    if (u->btl.side == SIDE_NONE) return 0xFFCCCCCC;
    return 0xFFCC0000;
}

Str& unit_type_line(Str& out, const unit_t* u) {
    const race_t* race = get_race(u->base.race);
    if (u->base.kind != UK_PC) {
        out.format(L"<tip=#ucat_%d><nobr>%s</nobr></tip>", race->type, or_empty(get_u_cat(race->type).n));
        return out;
    }
    // Names wrap whole: a narrow panel moves a name to the next line rather than split it.
    out.format(L"<tip=#race_%d><nobr>%s</nobr></tip>%s", u->base.race, or_empty(race->n), lang_wsp);
    if (u->base.bld > 0)
        out.append_format(L"<tip=#bld_%d><nobr>%s</nobr></tip> ", u->base.bld, or_empty(get_bld(u->base.bld)->n));
    else
        out.append_format(L"<tip=#cls_%d><nobr>%s</nobr></tip> ", u->base.cls, or_empty(get_cls(u->base.cls)->n));
    return out;
}

Str& lv_line(Str& out, const unit_t* u) {
    Str type;
    out.format(L"<b tip=$lv>等级 <c=y>%d</c></b> %s", u->base.lv, unit_type_line(type, u));
    return out;
}

Str& heading_text(Str& out, const wchar_t* folder, const wchar_t* key, const wchar_t* title, int flags,
                  const wchar_t* suffix) {
    out.format(L"<h2%s><ico=%s/%s c=w> %s%s</h2>", (flags & HEAD_SMALL) ? L" f=b4" : L"", or_empty(folder),
               or_empty(key),
               or_empty(title), or_empty(suffix));
    return out;
}

Str& sect_head(Str& out, const wchar_t* key, const wchar_t* title, const wchar_t* trailing) {
    out.format(L"<h3 c=lbl mgn_t=16><tip=$%s><ico=misc/%s> %s</tip> %s</h3>", or_empty(key), or_empty(key),
               or_empty(title), or_empty(trailing));
    return out;
}

Str& sect_head_n(Str& out, const wchar_t* tip, const wchar_t* icon, const wchar_t* title, int count,
                 const wchar_t* trailing) {
    out.format(L"<h3 c=lbl mgn_t=16><tip=\"%s\"><ico=misc/%s> %s <c=w>%d</c></tip> %s</h3>", or_empty(tip),
               or_empty(icon), or_empty(title), count, or_empty(trailing));
    return out;
}

Str& sect_head_cnt(Str& out, const wchar_t* key, const wchar_t* title, const wchar_t* text, int count, bool plain) {
    if (plain) {
        sect_head(out, key, title, Str(L"<c=a>(%d)</c>", count));
        out.append(or_empty(text));
    } else {
        sect_head(out, key, title, Str(L"<c=w tip=\"%s\">(%d)</c>", or_empty(text), count));
    }
    return out;
}

}  // namespace txt
