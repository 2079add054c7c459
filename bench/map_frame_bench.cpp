// One frame of the map scene (update and draw, the interface included) at
// 1280 x 720 on the software renderer, over a 40 x 40 generated map scrolled
// to its middle with the mouse on a cell. The game starts for real on the
// build's game folder, read through links from a temporary folder with a
// config of its own. Run it from a Release build:
//   cmake --build build/rel --target map_frame_bench && build/rel/bench/map_frame_bench
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <vector>

#include "app/input.h"
#include "app/loop.h"
#include "app/scene.h"
#include "app/seams.h"
#include "battle/map_gen.h"
#include "battle/tmap.h"
#include "screens/map/map_scene.h"
#include "ui/wnd.h"
#include "game_view.h"

namespace {
constexpr int map_side = 40;

map_scene_t* start_scene() {
    static map_scene_t* scene = [] () -> map_scene_t* {
        if (!start_game_view("map-bench")) return nullptr;
        // The mouse rests on a cell in the middle of the view.
        seams().mouse_state = [](int* x, int* y) {
            *x = 6 * 64 + 20, *y = 4 * 64 + 20;
            return 0u;
        };
        auto* s = new map_scene_t;
        reg_scene(s);
        push_scene(s, true);
        auto* m = new tmap_t;
        gen_rnd_map(m, 3, 7, map_side, map_side);
        s->set_map(m, true);
        // Between cells, as a scroll leaves it.
        s->get_view().center_on({map_side / 2, map_side / 2});
        s->get_view().set_org_x(s->get_view().org().x + 24);
        s->get_view().set_org_y(s->get_view().org().y + 40);
        for (int i = 0; i < 3; ++i) do_frame();  // sheets cut, glyphs cached
        return s;
    }();
    return scene;
}
}  // namespace

static void BM_MapFrame(benchmark::State& state) {
    if (!start_scene()) return state.SkipWithError("the game did not start (is the game folder built?)");
    std::vector<double> us;
    for (auto _ : state) {
        const double t0 = now_us();
        frame_update();
        frame_render();
        us.push_back(now_us() - t0);
    }
    frame_counters(state, us);
}
BENCHMARK(BM_MapFrame)->Unit(benchmark::kMicrosecond)->MinTime(2.0);

// The tiles alone: the part of the frame the map's size decides.
static void BM_MapTiles(benchmark::State& state) {
    map_scene_t* s = start_scene();
    if (!s) return state.SkipWithError("the game did not start");
    for (auto _ : state) s->draw();
}
BENCHMARK(BM_MapTiles)->Unit(benchmark::kMicrosecond);

// The interface's windows alone: panels, bars, minimap and log.
static void BM_MapInterface(benchmark::State& state) {
    if (!start_scene()) return state.SkipWithError("the game did not start");
    for (auto _ : state) get_root_wnd()->paint_children();
}
BENCHMARK(BM_MapInterface)->Unit(benchmark::kMicrosecond);
