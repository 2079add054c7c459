#include "app/app.h"

#include <cstdlib>

#include "app/audio.h"
#include "app/db.h"
#include "app/font.h"
#include "app/ime.h"
#include "app/input.h"
#include "app/links.h"
#include "app/loop.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/rnd.h"
#include "app/scene.h"
#include "app/text_info.h"
#include "rules/enums.h"
#include "rules/pwr.h"
#include "screens/dlgs/help_dlg.h"
#include "screens/menu/main_menu.h"
#include "ui/wnd.h"

namespace {
constexpr int start_music_vol = 10;  // 0..100
constexpr int start_sound_vol = 25;

// ---- start-up steps that wait for their modules ----

// TODO: set_tip_hook(tip_resolve) once the screens' tooltip resolver lands.
void install_tip_resolver() {}
void install_help_link() {
    // Handlers live for the process; a second start in one process adds none.
    static const bool added = (add_link_handler(help_link), true);
    (void)added;
}

void start_audio() {
    set_volumes(start_music_vol, start_sound_vol);
    play_music_theme(utf8_to_str("music/main"));
}

// What platform_start made, released in the reverse order.
void release_platform() {
    free_fonts();
    free_cursors();
    close_window();
    quit_sdl_libs();
}
}  // namespace

bool create_root_wnd() {
    const size* s = get_scrn_size();
    const rect r{0, 0, s->w, s->h};
    return get_root_wnd()->create(0, nullptr, &r, 0, 0, nullptr);
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

bool app_start() {
    if (!platform_start()) return false;
    start_audio();
    db_init();
    reg_rules_tbls();
    load_txt_tbls();
    init_pwrs();
    load_opts();
    install_tip_resolver();
    install_help_link();
    return true;
}

void app_run() {
    goto_main_menu();
    if (opts().auto_arena) goto_arena();
    run_modal_loop([] { return true; });
}

void app_shutdown() {
    leave_top_scene();
    destroy_owned_wnds();
    free_scenes();
    // The mixer goes before SDL itself quits, not at process exit after it.
    close_audio();
    release_platform();
}

int app_main(int, char**) {
    // What failed has said so on standard error; the result is the one start-up failures always had.
    if (!app_start()) return -1;
    app_run();
    free_pwrs();
    app_shutdown();
    return 0;
}
