#include "rules/enums.h"
#include "rules/pwr.h"
#include "tests/tools/dump_rules.h"

namespace {
// The damage text a builder would pass: "W1", "P100n", "2d6f;1d6b".
Str dmg_src_text(const dmg_list_t& list) {
    Str s;
    for (size_t i = 0; i < list.size(); ++i) {
        const dmg_part_t& p = list[i];
        if (i) s.append(L";");
        if (p.count == DMG_WPN) {
            s.append_format(L"W%d", p.sides);
            continue;
        }
        if (p.count == DMG_PCT) s.append_format(L"P%d", p.sides);
        else s.append(dice_text(p.dice()).buf);
        for (int row : dmg_type_bits(p.mask))
            if (row >= 1 && row < DMG_TYPES) s.append_char(wchar_t(dmg_letters[row]));
    }
    return or_dash(s);
}

Str abi_text(const Pwr& p) {
    Str s;
    for (int i = 0; i < ABIS; ++i)
        if (p.abi_min[i]) s.append_format(s.empty() ? L"%s %d" : L", %s %d", get_abi(i)->k, p.abi_min[i]);
    return or_dash(s);
}

Str prereq_text(const Pwr& p) {
    Str s;
    for (int id : p.prereqs) {
        const Pwr* q = get_pwr(id);
        s.append_format(s.empty() ? L"%d \"%s\"" : L", %d \"%s\"", id, q ? or_empty(q->k) : L"");
    }
    return or_dash(s);
}
}  // namespace

void dump_powers() {
    dump_head("powers");
    for (int id = 1; id < PWR_SLOTS; ++id) {
        const Pwr* p = get_pwr(id);
        if (!p) continue;
        dump_row_t row(id, p->k);
        row.f("kind", p->get_kind()).f("group", p->get_group()).f("tier", p->get_tier());
        row.f("flags", p->flags).f("cat", p->cat).f("class_mask", p->cls_mask).f("level", p->lv);
        row.f("ability_minimums", abi_text(*p).buf).f("prerequisites", prereq_text(*p).buf);
        const act_t* a = dynamic_cast<const act_t*>(p);
        if (!a) continue;
        row.f("cost", a->cost).f("cd", a->cd).f("rng", a->rng).f("area", a->area).f("atk", a->atk).f("def", a->def);
        row.f("damage_text", dmg_src_text(a->dmg).buf).f("lv_scale", a->lv_scale).f("cond", a->cond);
        row.f("zone_dur", a->zone_dur).f("school", a->school);
    }
}
