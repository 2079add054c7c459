#include "app/platform_start.h"

#include "app/audio.h"
#include "app/font.h"
#include "app/ime.h"
#include "app/platform.h"
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

bool platform_start() {
    rnd_seed(0);  // from the clock
    // What was made is released on failure rather than left to the process
    // exit, so a failed start leaves no half-open window behind.
    if (!init_sdl_libs() || !open_window()) {
        release_platform();
        return false;
    }
    ime_start();
    load_cursors();  // a missing cursor image is not fatal
    if (!load_fonts() || !create_root_wnd()) {
        release_platform();
        return false;
    }
    return true;
}

void start_audio() {
    set_volumes(start_music_vol, start_sound_vol);
    play_music_theme(utf8_to_str("music/main"));
}

void release_platform() {
    free_fonts();
    free_cursors();
    close_window();
    quit_sdl_libs();
}
