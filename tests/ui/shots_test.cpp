// Pictures of the toolkit's dialogs and controls, saved beside the test
// program for a person to look at: a confirm dialog, a full-screen list
// dialog with its description, a tree with check boxes and a tabbed page.
#include <SDL.h>

#include <filesystem>

#include "app/font.h"
#include "app/paths.h"
#include "app/render.h"
#include "ui/btn.h"
#include "ui/full_scrn_dlg.h"
#include "ui/lbl.h"
#include "ui/li.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "ui/std_dlgs.h"
#include "ui/tab_ctrl.h"
#include "ui/tv.h"
#include "support/canvas.h"
#include "support/loop_harness.h"
#include "support/test_btn.h"

using namespace harness;

namespace {
// Paints the window tree over the game's backdrop colour and saves the screen.
void save_shot(const char* file) {
    const size scr = *get_scrn_size();
    const clr_t bg{0xFF0E141A};
    clear_screen(&bg);
    get_root_wnd()->paint_children();
    EXPECT_TRUE(save_png(file, scr.w, scr.h)) << file;
}

// A list of rules with a description each.
class rules_dlg_t : public big_list_dlg_t {
public:
    rules_dlg_t() { heading_text = L"<h2>竞技场规则</h2>每场挑战之前请阅读规则。"; }
    void fill() override {}
    Str* item_desc(Str* out, uintptr_t data) override {
        *out = Str(L"<h3>规则 %d</h3>第%d条：每场胜利都会带来<c=fc_y>经验</c>和<c=fc_g>金币</c>，"
                   L"失败则失去一半的金币。队伍最多六人。",
                   int(data), int(data));
        return out;
    }
};

}  // namespace

class Shots : public loop_test_t {
protected:
    static inline Str old_dir;
    static void SetUpTestSuite() {
        if (!std::filesystem::exists(game_dir() / "fonts/default.ttf")) return;
        old_dir = get_exe_dir();
        set_exe_dir(utf8_to_str((game_dir().string() + "/").c_str()));
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        ASSERT_TRUE(load_fonts());
    }
    static void TearDownTestSuite() {
        if (old_dir.empty()) return;
        set_exe_dir(old_dir);
        free_fonts();
        close_window();
        quit_sdl_libs();
    }
    void SetUp() override {
        if (old_dir.empty()) GTEST_SKIP() << "no game folder built";
        loop_test_t::SetUp();
        root_at(get_scrn_size()->w, get_scrn_size()->h);
    }
};

TEST_F(Shots, ConfirmDialog) {
    script = {nullptr, [] { save_shot("confirm_dialog.png"); }, [] { set_modal_result(MODAL_CANCEL); }};
    EXPECT_FALSE(zg_confirm_dlg(L"删除选中项？\n<c=fc_k8>此操作无法撤销。</c>"));
}

TEST_F(Shots, FullScreenListDialogWithItsDescription) {
    auto* d = make_dlg<rules_dlg_t>(L"规则", 0, 800, 600, 0);
    for (int i = 1; i <= 8; ++i) d->list->add_item(Str(L"规则 %d", i), nullptr, nullptr, 0, 0, uintptr_t(i), 0, nullptr);
    const size item{256, 32};
    d->list->set_item_size(&item);
    script = {[d] { d->list->select(2); }, [] { save_shot("full_screen_list_dialog.png"); },
              [] { set_modal_result(MODAL_CANCEL); }};
    do_modal(d, 0, 0);
    EXPECT_NE(d->memo->text.c_str()[0], 0);
}

TEST_F(Shots, TreeWithCheckBoxes) {
    auto* tv = add_owned(new tv_t, {40, 40, 360, 400}, TVS_CHECKS | TVS_REORDER);
    tv->set_title_bar(TITLE_SMALL, L"法术");
    tv->bg_clr = 0xFF222222;
    const clr_t white{0xFFEEEEEEu};
    const wchar_t* schools[] = {L"防护", L"咒法", L"预言", L"惑控"};
    for (int s = 0; s < 4; ++s) {
        const uint32_t open = s < 2 ? TIF_EXPANDED : 0u;
        ti_t* n = tv->add_node(schools[s], open, 0, 0, &white, 0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
        for (int k = 1; k <= 3; ++k) {
            const uint32_t check = k == 2 ? TIF_CHECKED : k == 3 ? TIF_CHECK_OFF : 0u;
            tv->add_node(Str(L"%s %d 级", schools[s], k), check, 0, 0, &white, 0, n, ti_ref_t::LAST_CHILD);
        }
    }
    tv->relayout();
    tv->select(tv->child_at(1, tv->resolve(ti_ref_t::FIRST)));
    save_shot("tree_with_check_boxes.png");
    EXPECT_EQ(tv->shown.size(), 10u);
}

TEST_F(Shots, TabbedPage) {
    auto* frame = make_dlg<dlg_t>(L"设置", DLG_OK_CANCEL, 640, 420, WS_CENTRE_X | WS_CENTRE_Y);
    frame->set_layer(LAYER_MODAL);
    tab_ctrl_t* t = new_tab_ctrl();
    t->ex_style = TCX_ROW;
    add_child(t, frame, WS_FILL_W | WS_FILL_H | TCS_DARK, {0, 0, 100, 100});
    for (const wchar_t* name : {L"图像", L"声音", L"战斗", L"其他"}) t->add_tab(name, nullptr, 0);
    frame->layout_in_parent();
    t->select_tab(1);
    wnd_t* page = t->tab_page(1);
    ASSERT_NE(page, nullptr);
    auto* lbl = add_child(new lbl_t, page, WS_DOCK_TOP | WS_FILL_W, {0, 0, 100, 40});
    lbl->set_text(L"音乐音量：<c=fc_y>10</c>", false);
    auto* b = add_child(new btn_t, page, WS_DOCK_TOP, {0, 0, 160, 40});
    b->set_text(L"试听", false);
    page->parent->arrange();
    save_shot("tabbed_page.png");
    EXPECT_EQ(t->cur_tab(), 1);
}
