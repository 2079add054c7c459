// The battle recalculates a unit after every action, for up to 40 units.
#include <benchmark/benchmark.h>

#include "rules/cond.h"
#include "rules/pwr.h"
#include "rules/unit.h"

namespace {

itm_slot_t gear(int id, int bonus, int e = 0) {
    itm_slot_t s(id, 1);
    s.bonus = bonus;
    s.ies[0] = e;
    return s;
}

// A level-20 fighter in full gear, with a stance, a hold and two lasting conditions.
void make_hero(unit_t& u, unit_t& grappler) {
    u.base.kind = UK_PC;
    u.base.rank = 1;
    u.base.race = 24;
    u.base.cls = 1;
    u.base.lv = 20;
    const int abi[ABIS] = {20, 16, 18, 10, 14, 12};
    for (int i = 0; i < ABIS; ++i) u.base.abi[i] = abi[i];
    for (int p : {16, 18, 19, 20, 21, 22, 23, 25, 48, 53, 54, 74, 75, 146, 149, 173, 228})
        u.pwrs.add(p);
    itm_slot_t* s = u.eqpts.slots;
    s[0] = gear(33, 5, 12);
    s[1] = gear(75, 3, 5);
    s[2] = gear(27, 2);
    s[2].cnt = 5;
    s[6] = gear(72, 5, 44);
    s[7] = gear(88, 4);
    s[8] = gear(119, 3);
    s[9] = gear(84, 3);
    s[10] = gear(111, 2);
    s[11] = gear(104, 3);
    s[12] = gear(93, 3);
    s[13] = gear(124, 2);
    s[14] = gear(133, 3);
    s[15] = gear(144, 3);
    s[16] = gear(155, 3);
    cond_inst_t ci;
    u.conds.add(make_cond_inst(ci, 14, nullptr, 0, CI_NO_ROLL, 0), false);
    u.conds.add(make_cond_inst(ci, 1, nullptr, 0, CI_NO_ROLL, 0), false);
    u.conds.add(make_cond_inst(ci, 20, &grappler, 0, CI_NO_ROLL, 0), false);
    u.conds.add(make_cond_inst(ci, 19, nullptr, 0, CI_NO_ROLL, 0), false);
    u.recalc();
}

void BM_RecalcLevel20(benchmark::State& state) {
    init_pwrs();
    {
        unit_t grappler, u;
        make_hero(u, grappler);
        for (auto _ : state) {
            u.recalc();
            benchmark::DoNotOptimize(u.drv.hp_max);
        }
    }
    free_pwrs();
}
BENCHMARK(BM_RecalcLevel20);

// A whole battle's worth: 40 such units after one action.
void BM_Recalc40Units(benchmark::State& state) {
    init_pwrs();
    {
        unit_t grappler;
        std::vector<unit_t> units(40);
        for (unit_t& u : units) make_hero(u, grappler);
        for (auto _ : state)
            for (unit_t& u : units) u.recalc();
    }
    free_pwrs();
}
BENCHMARK(BM_Recalc40Units);

}  // namespace
