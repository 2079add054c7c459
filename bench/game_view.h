#pragma once
// The game started for real in a frame benchmark: SDL headless on the
// software renderer, the build's game folder read through links from a
// temporary folder with a windowed 1280 x 720 config of its own and no sound;
// and the counters the frame benchmarks report. Needs TW_GAME_DIR.
#include <SDL.h>
#include <benchmark/benchmark.h>

#include <algorithm>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>
#include <vector>

#include <stdlib.h>

#include "app/paths.h"
#include "app/seams.h"
#include "app/str.h"
#include "game/start.h"

constexpr double frame_us = 1e6 / 60;

inline std::string& game_view_dir() {
    static std::string dir;
    return dir;
}

inline void remove_game_view() {
    std::error_code ec;
    if (!game_view_dir().empty()) std::filesystem::remove_all(game_view_dir(), ec);
}

// Starts the game on a view of its folder named after the benchmark, its
// config given the extra lines; false when it did not start.
inline bool start_game_view(const std::string& name, const std::string& extra_config = "") {
    namespace fs = std::filesystem;
    setenv("SDL_VIDEODRIVER", "dummy", 0);
    setenv("SDL_RENDER_DRIVER", "software", 0);
    setenv("SDL_AUDIODRIVER", "dummy", 0);
    std::string tmpl = (fs::temp_directory_path() / ("tw-" + name + "-XXXXXX")).string();
    if (!mkdtemp(tmpl.data())) return false;
    game_view_dir() = tmpl;
    // Before the configuration object exists, so it runs after that is written at exit.
    std::atexit(remove_game_view);
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(TW_GAME_DIR, ec))
        if (e.path().filename() != "config.ini")
            fs::create_directory_symlink(e.path(), fs::path(tmpl) / e.path().filename(), ec);
    std::ofstream(fs::path(tmpl) / "config.ini")
        << "[Main]\nfull_screen=0\nwindowed_size=1280x720\nmusic=0\nsound=0\n" << extra_config;
    set_exe_dir(utf8_to_str((tmpl + "/").c_str()));
    // SDL's dummy display is 1024 x 768: one that holds the window.
    seams().display_size = [](int, bool, int* w, int* h) { return *w = 1280, *h = 720, true; };
    return app_start();
}

inline double now_us() { return double(SDL_GetPerformanceCounter()) * 1e6 / double(SDL_GetPerformanceFrequency()); }

inline double median(std::vector<double> v) {
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// The median of the times taken and its share of a 60 Hz frame.
inline void frame_counters(benchmark::State& state, const std::vector<double>& us) {
    const double med = median(us);
    state.counters["median_us"] = med;
    state.counters["of_frame"] = med / frame_us;
}
