// The class, race, condition, effect, rank and unit-category tables for dump_rules.
#include <vector>

#include "app/str.h"
#include "rules/cls.h"
#include "rules/cond.h"
#include "rules/eff.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/u_cat.h"
#include "rules/urank.h"
#include "tests/tools/dump_rules.h"

namespace {

// Power ids with their keys, as `97 "grap1", 262 "web_mov"`; "none" when empty.
Str pwr_list(const std::vector<int>& ids) {
    if (ids.empty()) return Str(L"none");
    Str s;
    for (size_t i = 0; i < ids.size(); ++i) {
        const Pwr* p = get_pwr(ids[i] < 0 ? -ids[i] : ids[i]);
        s.append_format(L"%s%d \"%s\"", i ? L", " : L"", ids[i], p && p->k ? p->k : L"?");
    }
    return s;
}

Str hex(int v) { return Str(L"0x%02X", v); }

}  // namespace

void dump_units() {
    dump_head("clss");
    for (int id = 1; id < CLS_COUNT; ++id) {
        const cls_t* c = get_cls(id);
        dump_row_t(id, c->k)
            .f("def", join(c->def + 1, 5, L", ", false).buf)
            .f("sr", c->sr)
            .f("hp_lv", c->hp_lv)
            .f("lv1_pick", c->lv1_pick)
            .f("lv1_spl", c->lv1_spl)
            .f("cast_abi", c->cast_abi)
            .f("pwrs", pwr_list(c->pwrs).buf);
    }
    dump_head("races");
    for (int id = 1; id < RACE_COUNT; ++id) {
        const race_t* r = get_race(id);
        dump_row_t(id, r->k)
            .f("type", r->type)
            .f("size", r->size)
            .f("vision", r->vision)
            .f("spd", r->spd)
            .f("nac", r->nac)
            .f("abi_adj", join(r->abi_adj, 6, L", ", true).buf)
            .f("flags", r->flags)
            .f("pwrs", pwr_list(r->pwrs).buf);
    }
    dump_head("conds");
    for (int id = 1; id < COND_COUNT; ++id) {
        const cond_t* c = get_cond(id);
        dump_row_t(id, c->k)
            .f("dur", c->dur)
            .f("def", c->def)
            .f("flags", hex(c->flags).buf)
            .f("dmg_types", hex(c->dmg_types).buf)
            .f("ai_pct", c->ai_pct)
            .f("dis_rank", c->dis_rank);
    }
    dump_head("effs");
    for (int id = 1; id < EFF_COUNT; ++id) dump_row_t(id, get_eff(id)->k).f("def", get_eff(id)->def);
    dump_head("uranks");
    for (int id = 1; id < URANKS; ++id) {
        const urank_t& r = get_urank(id);
        dump_row_t(id, r.k).f("multiplier", r.xp_mul).f("colour", Str(L"0x%08X", uint32_t(r.clr)).buf);
    }
    dump_head("u_cats");
    for (int i = 0; i < U_CAT_COUNT; ++i) dump_row_t(i, get_u_cat(i).k).f("name", get_u_cat(i).n);
}
