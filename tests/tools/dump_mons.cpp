// The monster templates and the builds for dump_rules. Columns that the design
// writes in words keep its names and forms beside the record's fields
// ("build" = "11 1h", "abilities" = "+4 0 -2 ...", "joins_families" = "10, 11"),
// so the rows compare one to one.
#include <vector>

#include "app/str.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/enums.h"
#include "rules/mon.h"
#include "rules/race.h"
#include "tests/tools/dump_rules.h"

namespace {

Str abis_text(const int* a) {
    for (int i = 0; i < 6; ++i)
        if (a[i]) return join(a, 6, L" ", true);
    return Str(L"-");
}

Str families(int mask) {
    std::vector<int> v;
    for (int f = 1; f <= MON_FAMILIES; ++f)
        if (mask & (1 << f)) v.push_back(f);
    return or_dash(join(v, L", "));
}

// The key of the first build whose plan this is.
Str plan_name(const u_bld_t& b) {
    for (int id = 1; id < BLD_COUNT; ++id)
        if (get_bld(id)->plan == b.plan) return Str(L"plan \"%s\"", get_bld(id)->k);
    return Str(L"-");
}

}  // namespace

void dump_monsters() {
    dump_head("monsters");
    for (int id = 1; id < MON_COUNT; ++id) {
        const mon_t& m = get_mon(id);
        dump_row_t(id, m.k)
            .f("rank", m.rank)
            .f("race", Str(L"%d %s", m.race, get_race(m.race)->k).buf)
            .f("role", m.role)
            .f("cls_tier", m.cls_tier)
            .f("tier", m.cls_tier)
            .f("bld", m.bld)
            .f("build", Str(L"%d %s", m.bld, get_bld(m.bld)->k).buf)
            .f("gear", m.gear)
            .f("abis", join(m.abis, 6, L", ", false).buf)
            .f("abilities", abis_text(m.abis).buf)
            .f("pwrs", or_dash(join(m.pwrs, L" ")).buf)
            .f("powers", or_dash(join(m.pwrs, L" ")).buf)
            .f("itms", join(m.itms, L" ").buf)
            .f("items", join(m.itms, L" ").buf)
            .f("family", m.family)
            .f("joins", Str(L"0x%X", m.joins).buf)
            .f("joins_families", families(m.joins).buf)
            .f("min_lv", m.min_lv)
            .f("max_lv", m.max_lv);
    }
    dump_head("builds");
    for (int id = 1; id < BLD_COUNT; ++id) {
        const u_bld_t& b = *get_bld(id);
        const Str race = b.race ? Str(L"%d \"%s\"", b.race, get_race(b.race)->k) : Str(L"0");
        dump_row_t(id, b.k)
            .f("race", race.buf)
            .f("cls", Str(L"%d \"%s\"", b.cls, get_cls(b.cls)->k).buf)
            .f("abi", join(b.abi, 6, L", ", false).buf)
            .f("key_abi", get_abi(b.key_abi)->k)
            .f("plan", plan_name(b).buf)
            .f("plan_ids", join(b.plan, L", ").buf)
            .f("plan_len", int(b.plan.size()));
    }
}
