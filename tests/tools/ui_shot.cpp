// Renders the data controls once and saves the picture, for looking at them:
// a list in each geometry with a selection, an edit box with Chinese text and
// its caret, and an open cascading menu.
//   xvfb-run -a -s "-screen 0 1024x768x24" build/test/tests/ui_shot build/test/game out.png
#include <SDL.h>

#include <cstdio>

#include "app/font.h"
#include "app/input.h"
#include "app/loop.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/seams.h"
#include "tests/support/shot_png.h"
#include "tests/support/test_btn.h"
#include "ui/edt.h"
#include "ui/lv.h"
#include "ui/menu.h"

namespace {
int mouse_x = 0, mouse_y = 0;
const char* out_path = "ui_shot.png";
bool saved = false;

edt_t* shot_edt = nullptr;
int frame = 0;

// Steps the picture along, one step a frame, while the menu runs: the frame
// timer reads the counter once at the start of every frame's update.
void step() {
    menu_t* m = get_popup_menu();
    if (++frame == 3) {
        const rect r = m->get_level(0)->item_rect(1);
        mouse_x = r.x + r.w / 2, mouse_y = r.y + r.h / 2;
    } else if (frame == 6) {
        const rect r = m->get_level(1)->item_rect(0);
        mouse_x = r.x + r.w / 2, mouse_y = r.y + r.h / 2;
    } else if (frame == 9) {
        // The menu holds the focus; lend it to the box so its caret shows.
        wnd_t* had = get_focus_wnd();
        set_focus_wnd(shot_edt);
        shot_edt->caret_clock = 0;
        const clr_t bg{0xFF1C2833u};
        clear_screen(&bg);
        get_root_wnd()->paint_children();
        saved = save_png(out_path);
        set_focus_wnd(had);
        set_modal_result(MODAL_CANCEL);
    }
}

uint64_t stepping_counter() {
    step();
    return SDL_GetPerformanceCounter();
}

lv_t* make_list(uint32_t ex, const rect& r, int n, bool icons) {
    static const wchar_t* names[] = {L"长剑", L"短弓", L"皮甲", L"治疗药水", L"火把", L"绳索", L"盾牌", L"法杖", L"戒指"};
    static const wchar_t* imgs[] = {L"items/acc_str", L"items/acc_dex", L"items/acc_con", L"items/acc_int",
                                    L"items/acc_wis", L"items/acc_cha", L"items/acc_luck1", L"items/acc_phy", L"items/acc_psy"};
    auto* l = new lv_t;
    l->create_ex(ex, 0, WND_ROOT, &r);
    l->bg_clr = 0xFF0E141A;
    l->border_clr = 0xFF2C3E50;
    for (int i = 0; i < n; ++i) {
        li_t* it = l->add_item(icons && (ex & LVX_COL) == 0 ? nullptr : names[i % 9], names[i % 9], nullptr, 0, i, 0, 0, nullptr);
        if (icons) it->set_icon(imgs[i % 9], nullptr);
    }
    l->relayout();
    reg_owned_wnd(l);
    return l;
}
}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: ui_shot <game folder> [out.png]\n");
        return 2;
    }
    if (argc > 2) out_path = argv[2];
    set_exe_dir(utf8_to_str((std::string(argv[1]) + "/").c_str()));
    if (!init_sdl_libs() || !open_window() || !load_fonts()) {
        std::fprintf(stderr, "start-up failed: %s\n", SDL_GetError());
        return 1;
    }
    seams().mouse_state = [](int* x, int* y) { *x = mouse_x, *y = mouse_y; return 0u; };
    root_at(get_scrn_size()->w, get_scrn_size()->h);
    get_root_wnd()->bg_clr = 0;

    lv_t* col = make_list(LVX_COL | LVX_CHECKS | LVX_ZEBRA_ROWS, {20, 20, 220, 200}, 9, true);
    const size row_sz{0, 28};
    col->set_item_size(&row_sz);
    col->relayout();
    col->select(2);
    col->items[1]->flags |= LIF_CHECKED;
    col->items[4]->flags |= LIF_DISABLED;
    col->relayout();
    lv_t* row = make_list(LVX_ROW, {20, 240, 360, 56}, 9, true);
    row->sel_look = 1;
    row->select(3);
    lv_t* grid = make_list(0, {260, 20, 230, 200}, 16, true);
    grid->sel_look = 2;
    grid->select(5);
    grid->marked = 7;

    edt_t* ed = add_owned(new_edt(), {20, 320, 260, 34});
    ed->font = FONT_N;
    ed->set_text(L"勇者之名<b>", true);
    ed->caret = 2;
    set_focus_wnd(ed);

    shot_edt = ed;
    seams().perf_counter = stepping_counter;

    menu_t* m = get_popup_menu();
    m->clear();
    m->add_text_item(L"新游戏", nullptr);
    li_t* load = m->add_text_item(L"载入", nullptr);
    for (const wchar_t* s : {L"存档一", L"存档二", L"存档三"}) m->add_text_item(s, load);
    m->add_sep(nullptr);
    m->add_text_item(L"设置", nullptr);
    m->add_text_item(L"退出", nullptr)->flags |= LIF_DISABLED;
    m->track_popup(560, 60, 0);
    std::printf("%s %s\n", saved ? "saved" : "not saved", out_path);
    destroy_owned_wnds();
    free_fonts();
    close_window();
    quit_sdl_libs();
    return saved ? 0 : 1;
}
