#include "game/start.h"

#include <chrono>
#include <cstdio>
#include <utility>
#include <vector>

#include "app/ani.h"
#include "app/audio.h"
#include "app/db.h"
#include "app/img_cache.h"
#include "app/links.h"
#include "app/loop.h"
#include "app/notes.h"
#include "app/opts.h"
#include "app/paths.h"
#include "app/platform_start.h"
#include "app/preload.h"
#include "app/scene.h"
#include "app/text_info.h"
#include "game/start_args.h"
#include "rules/enums.h"
#include "rules/pwr.h"
#include "rules/save_slots.h"
#include "screens/arena/arena.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/dlgs/help_dlg.h"
#include "screens/menu/main_menu.h"
#include "screens/text/text_hooks.h"
#include "ui/wnd.h"

namespace {
start_args_t g_args;

// The start-up steps' times for "--first-frame", in milliseconds: the main
// thread's, and the loader thread's ("loader_..."), which run beside them.
using step_clock = std::chrono::steady_clock;
struct step_times_t {
    std::vector<std::pair<const char*, double>> steps;
    step_clock::time_point mark;

    void done(const char* name) {
        if (!g_args.first_frame) return;
        const step_clock::time_point now = step_clock::now();
        steps.emplace_back(name, std::chrono::duration<double, std::milli>(now - mark).count());
        mark = now;
    }
};
step_times_t g_main_steps;
step_times_t g_loader_steps;  // written by the loader thread until it is joined

void step_done(const char* name) { g_main_steps.done(name); }
// Null: the loader thread starts.
void loader_step_done(const char* name) {
    if (name)
        g_loader_steps.done(name);
    else
        g_loader_steps.mark = step_clock::now();
}

void print_steps() {
    for (const step_times_t* t : {&g_main_steps, &g_loader_steps})
        for (const auto& [name, ms] : t->steps) std::printf("step %s %.2f\n", name, ms);
    std::printf("presented\n");
    std::fflush(stdout);
}

// The texts and the rules tables built from them: on the loader thread.
void load_texts_and_tables() {
    db_init();
    reg_rules_tbls();
    load_txt_tbls();
    init_pwrs();
}

// What the main menu's first frame needs, loaded while the window opens.
preload_t first_screen_preload() {
    preload_t p;
    p.font_dir = get_exe_dir();
    p.texts = main_menu_texts();
    p.data = load_texts_and_tables;
    for (const wchar_t* name : main_menu_imgs()) p.files.push_back(resolve_img_path(name));
    p.done = loader_step_done;
    return p;
}

// ---- start-up steps that wait for their modules ----

void install_help_link() {
    // Handlers live for the process; a second start in one process adds none.
    static const bool added = (add_link_handler(help_link), true);
    (void)added;
}
}  // namespace

bool app_start() {
    reset_notes();
    if (!platform_start(first_screen_preload(), step_done)) {
        free_pwrs();  // the loader may have built them
        return false;
    }
    start_audio();
    step_done("audio");
    // What the loader could not read is said now, after the platform's and the
    // music's notes, where the texts' loading used to say it.
    preload_report();
    notes_ready();  // what could not be read so far is said in the player's language
    step_done("notes");
    load_opts();
    settle_saves();  // before any slot is read: finishes or undoes a save a kill interrupted
    step_done("options_and_saves");
    txt::install_text_hooks();
    install_help_link();
    install_btl_act_bar();
    install_btl_pres();
    // The hub's "挑战！" fights through the battle screen.
    set_btl_runner(fight_btl);
    step_done("hooks");
    return true;
}

void app_run() {
    goto_main_menu();
    step_done("main_menu");
    if (g_args.first_frame) {
        run_modal_loop([] { return false; });  // one frame, presented
        step_done("first_frame");
        print_steps();
        return;
    }
    if (opts().auto_arena) goto_arena();
    if (g_args.battle) watch_btl(g_args.seed);
    run_modal_loop([] { return true; });
}

void app_shutdown() {
    get_ani_mgr()->clear();
    leave_top_scene();
    destroy_owned_wnds();
    free_scenes();
    // The mixer goes before SDL itself quits, not at process exit after it.
    close_audio();
    release_platform();
}

int app_main(int argc, char** argv) {
    g_main_steps = {{}, step_clock::now()};
    g_loader_steps = {};
    g_args = parse_args(argc, argv);
    // Answered before anything starts: a typo opens no window.
    if (g_args.kind == start_args_t::k_help) {
        std::fputs(start_usage, stdout);
        return 0;
    }
    if (g_args.kind == start_args_t::k_bad) {
        std::fprintf(stderr, "%s\n", g_args.error.c_str());
        return 2;  // the usual status for a bad command line
    }
    // What failed has said so on standard error; the result is the one start-up failures always had.
    if (!app_start()) return -1;
    app_run();
    free_pwrs();
    app_shutdown();
    return 0;
}
