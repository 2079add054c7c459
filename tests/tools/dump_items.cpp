// The item table, the enchantments and the rarity levels. Columns that the
// design writes in words ("damage text", "built-in enchantments") keep those
// names, in the form the design writes them, so the rows compare one to one.
#include "rules/dice.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/rare_lv.h"
#include "tests/tools/dump_rules.h"

namespace {

Str num_text(double v) { return Str(L"%g", v); }

Str limit_text(int v, const wchar_t* none) { return v == UNLIMITED ? Str(none) : Str(L"%d", v); }

// "1d6spb": the dice, then the letters of the damage types in row order.
Str dmg_text(const dmg_part_t& d) {
    Str s = dice_text(d.dice());
    for (int bit = 1; bit < DMG_TYPES; ++bit)
        if (d.mask & (1u << bit)) s.append_char(wchar_t(dmg_letters[bit]));
    return s;
}

// "light throw_s" by the wpn_flag keys; "0" for none.
Str flag_names(int flags) {
    Str s;
    for (int bit = 1; bit <= 10; ++bit) {
        if (!(flags & (1 << bit))) continue;
        if (!s.empty()) s.append_char(L' ');
        s.append(get_wpn_flag(bit)->k);
    }
    return s.empty() ? Str(L"0") : s;
}

// "hr2 (64), be_heal (62)" and "64,62"; "0" for none.
void dump_ies(dump_row_t& row, const int32_t* ies) {
    Str named, ids;
    for (int i = 0; i < 4 && ies[i]; ++i) {
        named.append_format(named.empty() ? L"%s (%d)" : L", %s (%d)", get_ie(ies[i]).k, ies[i]);
        ids.append_format(ids.empty() ? L"%d" : L",%d", ies[i]);
    }
    row.f("ies", ids.empty() ? L"0" : ids.buf).f("built-in_enchantments", named.empty() ? L"0" : named.buf);
}

void dump_itm(const itm_t& it, int id) {
    dump_row_t row(id, it.k);
    row.f("type", it.type).f("grp", it.grp).f("price", num_text(it.price).buf).f("wt", num_text(it.wt).buf);
    if (it.type == IT_WPN || it.type == IT_SHD || it.type == IT_DRUG) {
        const itm_wpn_t& w = it.wpn;
        row.f("cat", w.cat).f("hands", w.hands).f("damage_text", dmg_text(w.dmg).buf);
        row.f("crit_rng", w.crit_rng).f("crit_mul", w.crit_mul).f("range", w.range).f("flags", flag_names(w.flags).buf);
    }
    if (it.type == IT_AMR || it.type == IT_SHD) {
        const itm_amr_t& a = it.amr;
        row.f("max_dex", limit_text(a.max_dex, L"unlimited").buf).f("np_pen", a.np_pen).f("spd", a.spd);
        row.f("asf", a.asf).f("def", a.def);
    }
    row.f("min_lv", limit_text(it.min_lv, L"never").buf).f("rare_lv", it.rare_lv);
    dump_ies(row, it.ies);
}

}  // namespace

void dump_items() {
    dump_head("items");
    for (int id = 0; id < ITM_COUNT; ++id) dump_itm(get_itm(id), id);
    dump_head("ienchs");
    for (int id = 0; id < IE_COUNT; ++id) {
        const ie_t& e = get_ie(id);
        Str val(L"%d", e.val);
        if (is_packed_dice(e.val)) {
            int count = 0, sides = 0;
            unpack_dice(&count, &sides, e.val);
            val.format(L"%dd%d", count, sides);
        }
        dump_row_t(id, e.k).f("lv", e.lv).f("val", val.buf).f("cost", e.cost).f("grp", e.grp)
            .f("flags", Str(L"0x%X", e.flags).buf).f("param", e.param);
    }
    dump_head("rare_lvs");
    for (int lv = 0; lv < RARE_LV_COUNT; ++lv)
        dump_row_t(lv, get_ex_info(lv).k).f("clr", Str(L"#%08x", uint32_t(get_ex_info(lv).clr)).buf);
}
