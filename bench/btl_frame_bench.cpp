// The battle scene's cost, Release build, software renderer at 1280 x 720:
//   BM_BtlFrame      one frame (update and draw, the interface included) of a
//                    battle of 40 units on a 40 x 40 generated map, with fog,
//                    the acting unit's move range, default-action marks, every
//                    target's hit-chance label, the walk preview to a hovered
//                    foe and two animations running;
//   BM_ClickToCommit from the mouse coming onto a foe out of reach to the
//                    move and the attack in the unit's queue (the hover's
//                    search for the cell to strike from, then the click).
// The counters give the median, its share of a 60 Hz frame and the process's
// peak resident memory. The game starts for real on the build's game folder,
// read through links from a temporary folder with a config of its own:
//   cmake --build build/rel --target btl_frame_bench && build/rel/bench/btl_frame_bench
#include <SDL.h>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/ani.h"
#include "app/geom.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/opts.h"
#include "app/rnd.h"
#include "app/scene.h"
#include "app/seams.h"
#include "battle/btl.h"
#include "battle/enc.h"
#include "battle/fog.h"
#include "battle/map_gen.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "rules/mon_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "ui/wnd.h"
#include "game_view.h"

namespace {
constexpr int map_side = 40;
constexpr int per_side = 20;
constexpr uint32_t bench_seed = 20240611;

pt_t mouse{0, 0};

struct bench_btl_t {
    tmap_t map;
    unit_grp_t foes;
    btl_scene_t* scene = nullptr;
    unit_t* me = nullptr;
    unit_t* foe = nullptr;  // in the move range, out of reach
};

// Each unit to the free cell nearest to where the layout wants it.
void place(unit_t* u, const pt_t& want) {
    u->pos = {-1, -1};
    step_unit(u, nearest_free_cell(want));
}

// The foe the click goes to: seen, out of the acting unit's reach, with a
// stop of its move range beside it, so that the hover builds a walk and a blow.
bool place_foe(bench_btl_t* st) {
    move_range_t mr;
    get_move_range(st->me, &mr);
    const pt_t at = st->me->pos;
    for (int d = 3; d <= 6; ++d)
        for (const pt_t& s : mr.stop_pts) {
            const pt_t c{s.x + 1, s.y};
            if (cheb_dist(c, at) != d || !is_pt_visible(c)) continue;
            if (!is_free_cell(c)) continue;
            place(st->foe, c);
            return st->foe->pos == c;
        }
    return false;
}

// A battle as it stands while the first of the party waits for orders: the
// party on the left half, the monsters on the right, one wolf four cells from
// the acting unit. The battle loop is not run; the scene is shown and ready.
bench_btl_t* start_btl() {
    static bench_btl_t* b = []() -> bench_btl_t* {
        if (!start_game_view("btl-bench", "show_all_hits_in_rng=1\n")) return nullptr;
        seams().mouse_state = [](int* x, int* y) {
            *x = mouse.x, *y = mouse.y;
            return 0u;
        };
        auto* st = new bench_btl_t;
        // One map and one battle on every run, so that runs compare.
        rnd_srand(bench_seed);
        gen_rnd_map(&st->map, 3, 7, map_side, map_side);
        std::vector<unit_t*> party;
        for (int i = 0; i < per_side; ++i) {
            auto* u = new unit_t(*get_preset_pcs()[size_t(i % 10)]);
            u->reset_for_play();
            party.push_back(u);
        }
        g_pty.init(L"bench", party);
        for (int i = 0; i < per_side; ++i) {
            auto* u = new unit_t;
            u->from_mon(i % 2 ? MON_RAT_D : 9, 1);
            st->foes.units.push_back(u);
        }
        if (!begin_btl(&g_pty, &st->foes, &st->map)) return nullptr;
        const pt_t mid{map_side / 2, map_side / 2};
        for (int i = 0; i < per_side; ++i) place(party[size_t(i)], {mid.x - 1 - i % 5 * 2, mid.y - 8 + i / 5 * 4});
        st->me = party[0];
        place(st->me, mid);
        for (int i = 0; i < per_side; ++i)
            place(st->foes.units[size_t(i)], {mid.x + 6 + i % 5 * 2, mid.y - 8 + i / 5 * 4});
        btl_t& bt = btl();
        bt.full.erase(std::find(bt.full.begin(), bt.full.end(), st->me));
        bt.full.insert(bt.full.begin(), st->me);
        rebuild_roster();
        init_fog();
        bt.cur = st->me;
        for (unit_t* u : bt.roster) u->recalc();
        st->foe = st->foes.units[0];
        if (!place_foe(st)) return nullptr;

        bool made = false;
        st->scene = get_btl_scene(&made);
        push_scene(st->scene, made);
        set_cur_scene(st->scene);
        st->scene->set_map(&st->map, false);
        st->scene->get_view().center_on(st->me->pos);
        st->scene->on_unit_ready(st->me, false);
        // As the wait for orders leaves it: the unit's slots on the bar, input open.
        bv().waiting = st->me;
        main_ui().act_bar->show_unit(st->me);
        set_busy(false);
        const rect r = st->scene->get_view().cell_scrn_rect(st->foe->pos);
        mouse = {r.x + 20, r.y + 20};
        for (int i = 0; i < 3; ++i) do_frame();  // sheets cut, glyphs cached
        return st;
    }();
    return b;
}

// Two effects always in flight: a missile across the view and a fire over the foe.
void keep_two_animations(bench_btl_t* st) {
    if (get_ani_mgr()->count() >= 2) return;
    get_ani_mgr()->clear();
    const rect a = st->scene->get_view().cell_scrn_rect(st->me->pos);
    const rect f = st->scene->get_view().cell_scrn_rect(st->foe->pos);
    get_ani_mgr()->play(new zg::missile_ani_t(L"missiles/_wpn_arrow", {a.x, a.y}, {f.x + 600, f.y}, ANI_F_BTL, 0, 0));
    get_ani_mgr()->play(new zg::imgs_ani_t(L"effects/_dt_fire", f, nullptr, ANI_F_BTL, 0, 0));
}

double peak_rss_mb() {
    rusage r{};
    getrusage(RUSAGE_SELF, &r);
    return double(r.ru_maxrss) / 1024.0;
}
}  // namespace

static void BM_BtlFrame(benchmark::State& state) {
    bench_btl_t* st = start_btl();
    if (!st) return state.SkipWithError("the battle did not start (is the game folder built?)");
    std::vector<double> us;
    for (auto _ : state) {
        keep_two_animations(st);
        const double t0 = now_us();
        frame_update();
        frame_render();
        us.push_back(now_us() - t0);
    }
    frame_counters(state, us);
    state.counters["pending"] = double(st->scene->pending_cmds().size());
    state.counters["peak_rss_mb"] = peak_rss_mb();
}
BENCHMARK(BM_BtlFrame)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

static void BM_ClickToCommit(benchmark::State& state) {
    bench_btl_t* st = start_btl();
    if (!st) return state.SkipWithError("the battle did not start");
    std::vector<double> us;
    size_t given = 0;
    for (auto _ : state) {
        st->scene->refresh_hover();
        const double t0 = now_us();
        st->scene->update();
        st->scene->commit_cmds();
        us.push_back(now_us() - t0);
        given = st->me->btl.cmds.size();
        st->me->btl.cmds.clear();
    }
    frame_counters(state, us);
    state.counters["cmds"] = double(given);
}
BENCHMARK(BM_ClickToCommit)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The scene's own drawing (map layer, marks, units, labels), without the interface.
static void BM_BtlScene(benchmark::State& state) {
    bench_btl_t* st = start_btl();
    if (!st) return state.SkipWithError("the battle did not start");
    for (auto _ : state) st->scene->draw();
}
BENCHMARK(BM_BtlScene)->Unit(benchmark::kMicrosecond);

// The interface's windows: the roster's faces, the panels, the bars, the log.
static void BM_BtlInterface(benchmark::State& state) {
    if (!start_btl()) return state.SkipWithError("the battle did not start");
    for (auto _ : state) get_root_wnd()->paint_children();
}
BENCHMARK(BM_BtlInterface)->Unit(benchmark::kMicrosecond);
