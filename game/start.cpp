#include "game/start.h"

#include <cstdint>
#include <cstdlib>
#include <string>

#include "app/ani.h"
#include "app/audio.h"
#include "app/db.h"
#include "app/links.h"
#include "app/loop.h"
#include "app/opts.h"
#include "app/platform_start.h"
#include "app/scene.h"
#include "app/text_info.h"
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
// What the command line asks: "--battle" (or "--battle=SEED") fights a battle
// of the default party at once, the way to watch one without the hub.
struct start_args_t {
    bool battle = false;
    uint32_t seed = 0;
};
start_args_t g_args;

start_args_t parse_args(int argc, char** argv) {
    start_args_t a;
    for (int i = 1; i < argc && argv; ++i) {
        const std::string arg = argv[i] ? argv[i] : "";
        if (arg == "--battle") {
            a.battle = true;
        } else if (arg.rfind("--battle=", 0) == 0) {
            a.battle = true;
            a.seed = uint32_t(std::strtoul(arg.c_str() + 9, nullptr, 10));
        }
    }
    return a;
}

// ---- start-up steps that wait for their modules ----

void install_help_link() {
    // Handlers live for the process; a second start in one process adds none.
    static const bool added = (add_link_handler(help_link), true);
    (void)added;
}
}  // namespace

bool app_start() {
    if (!platform_start()) return false;
    start_audio();
    db_init();
    reg_rules_tbls();
    load_txt_tbls();
    init_pwrs();
    load_opts();
    settle_saves();  // before any slot is read: finishes or undoes a save a kill interrupted
    txt::install_text_hooks();
    install_help_link();
    install_btl_act_bar();
    install_btl_pres();
    // The hub's "挑战！" fights through the battle screen.
    set_btl_runner(fight_btl);
    return true;
}

void app_run() {
    goto_main_menu();
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
    g_args = parse_args(argc, argv);
    // What failed has said so on standard error; the result is the one start-up failures always had.
    if (!app_start()) return -1;
    app_run();
    free_pwrs();
    app_shutdown();
    return 0;
}
