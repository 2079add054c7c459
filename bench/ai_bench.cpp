// The battle AI's cost: one decision in crowded battles, one action's
// evaluation, a whole AI-against-AI battle, and the encounter generator. The
// AI runs between frames on the one thread: a decision for one unit with 40
// units on the map should take at most 20 ms. Run from a Release build with
// repetitions for the median and the maximum:
//   build/rel/bench/ai_bench --benchmark_repetitions=20 --benchmark_report_aggregates_only=true
#include <benchmark/benchmark.h>

#include <algorithm>
#include <initializer_list>
#include <memory>
#include <vector>

#include "app/rnd.h"
#include "battle/ai.h"
#include "battle/btl.h"
#include "battle/enc.h"
#include "battle/map_gen.h"
#include "battle/stat_act.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "rules/bld_ids.h"
#include "rules/lv.h"
#include "rules/mon.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "tests/support/ai_battle.h"

namespace {

struct pwrs_t {
    pwrs_t() { init_pwrs(); }
};

// A unit of a build, or n of a template, at a level; the group owns them.
void add_bld(unit_grp_t& g, int bld, int lv) {
    unit_t* u = new unit_t;
    u->from_bld(bld, L"", L"", L"");
    lv_choices_t picks;
    while (u->base.lv < lv) lv_up_unit(*u, picks);
    u->reset_for_play();
    u->hp = u->drv.hp_max;
    g.units.push_back(u);
}

void add_mon(unit_grp_t& g, int rank, int lv, int n) {
    int id = 1;
    while (id < MON_COUNT && (get_mon(id).rank != rank || get_mon(id).min_lv > lv)) ++id;
    for (int i = 0; i < n; ++i) {
        unit_t* u = new unit_t;
        u->from_mon(id, lv);
        g.units.push_back(u);
    }
}

// A battle set up on a generated map of side x side cells, every unit
// computer-controlled: one unit of each build listed against monsters of a
// rank, all of one level.
struct scene_t {
    tmap_t map;
    unit_grp_t a, b;

    scene_t(std::initializer_list<int> blds, int lv, int mon_rank, int mons) {
        for (int bld : blds) add_bld(a, bld, lv);
        add_mon(b, mon_rank, lv, mons);
    }

    void start(int side) {
        rnd_srand(7);
        gen_rnd_map(&map, ROLL_IT, ROLL_IT, side, side);
        begin_btl(&a, &b, &map);
        for (unit_t* u : a.units) u->btl.ai = 1;
    }
    ~scene_t() { reset_btl(); }
};

void time_decision(benchmark::State& st, unit_t* u) {
    for (auto _ : st) {
        u->btl.cmds.clear();
        ai_run(u);
        benchmark::DoNotOptimize(u->btl.cmds.data());
    }
}

// A fighter and an archer among 6 against 12.
void BM_ai_run_fighter_archer(benchmark::State& st) {
    static pwrs_t p;
    scene_t s({BLD_TH, BLD_RNG, BLD_HLR, BLD_HLR, BLD_ELM, BLD_ELM}, 5, 1, 12);
    s.start(20);
    time_decision(st, s.a.units[size_t(st.range(0))]);
}
BENCHMARK(BM_ai_run_fighter_archer)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

// A caster holding 20 spells.
void BM_ai_run_caster_20_spells(benchmark::State& st) {
    static pwrs_t p;
    scene_t s({BLD_ELM, BLD_TH, BLD_TH, BLD_TH, BLD_TH, BLD_TH}, 10, 1, 12);
    unit_t* u = s.a.units[0];
    for (int id = 119, n = 0; id <= 143 && n < 20; ++id)
        if (!u->has_pwr(id)) u->pwrs.add(id), ++n;
    u->drv.abi[u->cast_abi()] = 30;  // every spell castable
    s.start(20);
    time_decision(st, u);
}
BENCHMARK(BM_ai_run_caster_20_spells)->Unit(benchmark::kMillisecond);

// A caster of twenty spells and every shape of area in the third round of a
// battle of level-10 characters against a hard encounter, friends and foes
// mixed about the map: the decision is timed where the battle stands.
void BM_ai_run_caster_mid_battle(benchmark::State& st) {
    static pwrs_t p;
    ai_battle_t b;
    b.blds = {BLD_TH, BLD_ELM, BLD_RNG, BLD_SUM};  // two fighters, two wizards
    b.adjust_party = give_area_powers;
    bool timed = false;
    b.listener.orders = [&](unit_t* u) {
        if (!timed && b.listener.last_round >= 3 && u->btl.side == SIDE_PLAYER && !is_front_line_cls(u->base.cls)) {
            timed = true;
            time_decision(st, u);
            abort_btl();
        }
        u->btl.cmds.clear();
        ai_run(u);
    };
    b.run(10305, 10, 3);
    reset_btl();
    if (!timed) st.SkipWithError("no caster lived to the third round");
}
BENCHMARK(BM_ai_run_caster_mid_battle)->Unit(benchmark::kMillisecond);

// 6 against 36 minions on 16 x 16: the 40-unit decision.
void BM_ai_run_6_vs_36(benchmark::State& st) {
    static pwrs_t p;
    scene_t s({BLD_TH, BLD_TH, BLD_RNG, BLD_HLR, BLD_ELM, BLD_ELM}, 8, 4, 36);
    s.start(16);
    time_decision(st, st.range(0) ? s.b.units[0] : s.a.units[0]);
}
BENCHMARK(BM_ai_run_6_vs_36)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void BM_eval_act(benchmark::State& st) {
    static pwrs_t p;
    scene_t s({BLD_ELM}, 6, 1, 8);
    s.start(12);
    unit_t* u = s.a.units[0];
    u->pwrs.add(127);
    const unit_t* t = s.b.units[0];
    const u_cmd_t cmd{.pwr = st.range(0) ? 127 : 3, .param = 0, .tgt = t->pos, .flags = 0};
    for (auto _ : st) {
        int64_t score = 0;
        eval_act(u, cmd, &score);
        benchmark::DoNotOptimize(score);
    }
}
BENCHMARK(BM_eval_act)->Arg(0)->Arg(1)->Unit(benchmark::kMicrosecond);

void BM_ai_battle(benchmark::State& st) {
    static pwrs_t p;
    uint32_t seed = 1;
    for (auto _ : st) {
        ai_battle_t b;
        benchmark::DoNotOptimize(b.run(seed++, int(st.range(0)), 2));
        reset_btl();
    }
}
BENCHMARK(BM_ai_battle)->Arg(1)->Arg(5)->Unit(benchmark::kMillisecond);

void BM_gen_enc(benchmark::State& st) {
    static pwrs_t p;
    uint32_t seed = 1;
    for (auto _ : st) {
        rnd_srand(seed++);
        benchmark::DoNotOptimize(gen_enc(int(st.range(0)), 4, ENC_ROLL, 0));
    }
}
BENCHMARK(BM_gen_enc)->Arg(1)->Arg(10)->Arg(20)->Unit(benchmark::kMicrosecond);

}  // namespace
