// Shows a generated map (or a map file) in the map scene with the game's
// interface, for looking at maps without a battle. Never in the game folder.
//   map_view GAME_DIR [--env N] [--seed S] [--cells WxH] [--size WxH]
//            [--map FILE] [--grid] [--at X,Y] [--shot OUT.png]
// With --shot it runs headless, saves one picture and ends; otherwise it opens
// a window (N: next environment, R: another seed, G: grid, arrows: scroll).
// The game folder is read through links from a temporary folder with a
// config.ini of its own, so the player's settings are never touched.
#include <SDL.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <string>

#include <stdlib.h>

#include "game/start.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/paths.h"
#include "app/seams.h"
#include "battle/map_gen.h"
#include "rules/pwr.h"
#include "screens/map/map_viewer.h"
#include "tests/support/shot_png.h"
#include "ui/wnd.h"

namespace fs = std::filesystem;

namespace {
struct args_t {
    std::string game, shot, map_file, size = "1280x720";
    int env = 1, seed = 1, cw = ROLL_IT, ch = ROLL_IT;
    int at_x = -1, at_y = -1;
    bool grid = false;
};

bool parse_args(int argc, char** argv, args_t* a) {
    if (argc < 2) return false;
    a->game = argv[1];
    for (int i = 2; i < argc; ++i) {
        const std::string k = argv[i];
        const char* v = i + 1 < argc ? argv[i + 1] : nullptr;
        if (k == "--grid") {
            a->grid = true;
            continue;
        }
        if (!v) return false;
        ++i;
        if (k == "--env") a->env = std::atoi(v);
        else if (k == "--seed") a->seed = std::atoi(v);
        else if (k == "--cells") std::sscanf(v, "%dx%d", &a->cw, &a->ch);
        else if (k == "--size") a->size = v;
        else if (k == "--map") a->map_file = v;
        else if (k == "--at") std::sscanf(v, "%d,%d", &a->at_x, &a->at_y);
        else if (k == "--shot") a->shot = v;
        else return false;
    }
    return true;
}

// A folder that holds links to the game folder's parts and a config of its own.
std::string make_game_view(const args_t& a) {
    std::string tmpl = (fs::temp_directory_path() / "tw-map-view-XXXXXX").string();
    if (!mkdtemp(tmpl.data())) return {};
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(a.game, ec))
        if (e.path().filename() != "config.ini") fs::create_directory_symlink(fs::absolute(e.path()), fs::path(tmpl) / e.path().filename(), ec);
    std::ofstream(fs::path(tmpl) / "config.ini") << "[Main]\nfull_screen=0\nwindowed_size=" << a.size
                                                  << "\nshow_grid=" << (a.grid ? 1 : 0) << "\nmusic=0\nsound=0\n";
    return tmpl;
}

std::string view_dir;

// Runs after the configuration has been written at exit.
void remove_view_dir() {
    std::error_code ec;
    if (!view_dir.empty()) fs::remove_all(view_dir, ec);
}
}  // namespace

int main(int argc, char** argv) {
    args_t a;
    if (!parse_args(argc, argv, &a)) {
        std::fprintf(stderr, "usage: map_view GAME_DIR [--env N] [--seed S] [--cells WxH] [--size WxH] [--map FILE] "
                             "[--grid] [--at X,Y] [--shot OUT.png]\n");
        return 2;
    }
    if (!a.shot.empty()) {
        // The mouse rests on the unit panel: not at a screen edge, which would
        // scroll, and over no cell, which would be marked.
        seams().mouse_state = [](int* x, int* y) {
            *x = get_root_wnd()->rc.w - 100, *y = get_root_wnd()->rc.h / 2;
            return 0u;
        };
        setenv("SDL_VIDEODRIVER", "dummy", 0);
        setenv("SDL_RENDER_DRIVER", "software", 0);
        setenv("SDL_AUDIODRIVER", "dummy", 0);
        // SDL's dummy display is 1024 x 768: one that holds the window asked for.
        static size want{};
        std::sscanf(a.size.c_str(), "%dx%d", &want.w, &want.h);
        seams().display_size = [](int, bool, int* w, int* h) { return *w = want.w, *h = want.h, want.w > 0; };
    }
    view_dir = make_game_view(a);
    if (view_dir.empty()) return 1;
    // Registered before the configuration object exists, so it runs after that is destroyed.
    std::atexit(remove_view_dir);
    set_exe_dir(utf8_to_str((view_dir + "/").c_str()));
    int rc = 0;
    if (app_start()) {
        map_viewer_t* v = goto_map_viewer();
        if (!a.map_file.empty()) {
            if (!v->show_file(utf8_to_str(a.map_file.c_str()))) std::fprintf(stderr, "not a sound map: %s\n", a.map_file.c_str());
        } else {
            v->show_generated(a.env, a.seed, a.cw, a.ch);
        }
        if (a.at_x >= 0) v->get_view().center_on({a.at_x, a.at_y});
        int frames = 3;
        run_modal_loop([&] { return a.shot.empty() || frames-- > 0; });
        if (!a.shot.empty() && !save_png(a.shot.c_str())) rc = 1;
        free_pwrs();
        app_shutdown();
    } else {
        rc = 1;
    }
    return rc;
}
