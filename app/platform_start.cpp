#include "app/platform_start.h"

#include <SDL.h>

#include <cstdio>
#include <string>
#include <utility>

#include "app/audio.h"
#include "app/font.h"
#include "app/ime.h"
#include "app/platform.h"
#include "app/preload.h"
#include "app/render.h"
#include "app/rnd.h"
#include "app/wnd_layer.h"

namespace {
constexpr int start_music_vol = 10;  // 0..100
constexpr int start_sound_vol = 25;
}  // namespace

bool create_root_wnd() {
    const size* s = get_scrn_size();
    return wnd_layer().create_root({0, 0, s->w, s->h});
}

bool platform_start(preload_t first_screen, void (*step)(const char* name)) {
    auto done = [step](const char* name) {
        if (step) step(name);
    };
    rnd_seed(0);  // from the clock
    // What was made is released on failure rather than left to the process
    // exit, so a failed start leaves no half-open window behind.
    if (!init_img_ttf()) {
        release_platform();
        return false;
    }
    // The loader works while SDL starts and opens the window, which takes most of the start.
    for (int id = 0; id < CUR_COUNT; ++id) first_screen.files.push_back(cursor_file(id));
    // SDL's clock starts here, not on the loader (its scripts' time limit reads
    // it) at the same time as SDL_Init would start it.
    SDL_GetTicks();
    preload_start(std::move(first_screen));
    const bool sdl = init_sdl();
    done("sdl_libs");
    const bool window = sdl && open_window();
    done("window");
    const std::string font_err = preload_wait();
    done("wait_for_loader");
    if (!window) {
        release_platform();
        return false;
    }
    ime_start();
    load_cursors();  // a missing cursor image is not fatal
    if (!font_err.empty()) {
        std::fputs(font_err.c_str(), stderr);
        release_platform();
        return false;
    }
    if (!create_root_wnd()) {
        release_platform();
        return false;
    }
    done("cursors_and_root");
    return true;
}

void start_audio() {
    set_volumes(start_music_vol, start_sound_vol);
    play_music_theme(utf8_to_str("music/main"));
}

void release_platform() {
    free_preloaded();
    free_fonts();
    free_cursors();
    close_window();
    quit_sdl_libs();
}
