// One frame of the map scene (update and draw, the interface included) at
// 1280 x 720 on the software renderer, over a 40 x 40 generated map scrolled
// to its middle with the mouse on a cell. The game starts for real on the
// build's game folder, read through links from a temporary folder with a
// config of its own. Run it from a Release build:
//   cmake --build build/rel --target map_frame_bench && build/rel/bench/map_frame_bench
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "game/start.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/paths.h"
#include "app/scene.h"
#include "app/seams.h"
#include "battle/map_gen.h"
#include "battle/tmap.h"
#include "screens/map/map_scene.h"
#include "ui/wnd.h"

namespace fs = std::filesystem;

namespace {
constexpr double frame_us = 1e6 / 60;
constexpr int map_side = 40;

std::string view_dir;

void remove_view_dir() {
    std::error_code ec;
    if (!view_dir.empty()) fs::remove_all(view_dir, ec);
}

// The game folder's parts linked beside a windowed 1280 x 720 config.
bool make_game_view() {
    std::string tmpl = (fs::temp_directory_path() / "tw-map-bench-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return false;
    view_dir = tmpl;
    // Before the configuration object exists, so it runs after that is written at exit.
    std::atexit(remove_view_dir);
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(TW_GAME_DIR, ec))
        if (e.path().filename() != "config.ini")
            fs::create_directory_symlink(e.path(), fs::path(tmpl) / e.path().filename(), ec);
    std::ofstream(fs::path(tmpl) / "config.ini") << "[Main]\nfull_screen=0\nwindowed_size=1280x720\nmusic=0\nsound=0\n";
    return true;
}

map_scene_t* start_scene() {
    static map_scene_t* scene = [] () -> map_scene_t* {
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        if (!make_game_view()) return nullptr;
        set_exe_dir(utf8_to_str((view_dir + "/").c_str()));
        if (!app_start()) return nullptr;
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

double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}
}  // namespace

static void BM_MapFrame(benchmark::State& state) {
    if (!start_scene()) return state.SkipWithError("the game did not start (is the game folder built?)");
    std::vector<double> us;
    for (auto _ : state) {
        const uint64_t t0 = SDL_GetPerformanceCounter();
        frame_update();
        frame_render();
        us.push_back(double(SDL_GetPerformanceCounter() - t0) * 1e6 / double(SDL_GetPerformanceFrequency()));
    }
    const double med = median(us);
    state.counters["median_us"] = med;
    state.counters["of_frame"] = med / frame_us;
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
