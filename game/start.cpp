#include "game/start.h"

#include "app/audio.h"
#include "app/db.h"
#include "app/links.h"
#include "app/loop.h"
#include "app/notes.h"
#include "app/opts.h"
#include "app/platform_start.h"
#include "app/scene.h"
#include "app/text_info.h"
#include "rules/enums.h"
#include "rules/pwr.h"
#include "rules/save_slots.h"
#include "screens/dlgs/help_dlg.h"
#include "screens/menu/main_menu.h"
#include "screens/text/text_hooks.h"
#include "ui/wnd.h"

namespace {
// ---- start-up steps that wait for their modules ----

void install_help_link() {
    // Handlers live for the process; a second start in one process adds none.
    static const bool added = (add_link_handler(help_link), true);
    (void)added;
}
}  // namespace

bool app_start() {
    reset_notes();
    if (!platform_start()) return false;
    start_audio();
    db_init();
    notes_ready();  // what could not be read so far is said in the player's language
    reg_rules_tbls();
    load_txt_tbls();
    init_pwrs();
    load_opts();
    settle_saves();  // before any slot is read: finishes or undoes a save a kill interrupted
    txt::install_text_hooks();
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
