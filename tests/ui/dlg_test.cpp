#include "ui/dlg.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <iterator>
#include <tuple>

#include "app/draw_text.h"
#include "app/font.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "support/canvas.h"
#include "support/test_btn.h"
#include "ui/tip.h"

namespace {

// A framed dialog with a scrolling panel and a tooltip, saved for a person to look at.
// First in the file: the picture folder follows the program folder of the first look-up.
TEST(Dlg, ScreenshotOfAFramedDialog) {
    if (!std::filesystem::exists(game_dir() / "fonts/default.ttf")) GTEST_SKIP() << "no game folder built";
    const Str old_dir = get_exe_dir();
    set_exe_dir(utf8_to_str((game_dir().string() + "/").c_str()));
    ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
    ASSERT_TRUE(open_window()) << SDL_GetError();
    ASSERT_TRUE(load_fonts());
    input_state() = input_state_t{};
    const size scr = *get_scrn_size();
    const rect all{0, 0, scr.w, scr.h};
    get_root_wnd()->create(0, nullptr, &all, 0, 0, nullptr);

    auto* d = make_dlg<dlg_t>(L"竞技场设置", DLG_OK_CANCEL, 560, 420, WS_CENTRE_X | WS_CENTRE_Y);
    d->set_layer(LAYER_MODAL);
    auto* panel = add_child(new scroll_wnd2_t, d, WS_FILL_W | WS_FILL_H, {0, 0, 100, 100});
    panel->border_w = 8;
    panel->bg_clr = 0x33000000;
    Str text(L"<h2>规则</h2>");
    for (int i = 1; i <= 12; ++i)
        text.append_format(L"<c=lbl>%d.</c> 第%d条：每场胜利都会带来<c=fc_y>经验</c>和<c=fc_g>金币</c>。\n", i, i);
    d->layout_in_parent();
    size sz;
    const int text_w = panel->rc.w - SCROLL_BAR_W - 16;
    measure_text(&sz, text, FONT_DEF, 3, text_w, UNLIMITED);
    panel->set_scroll_size(panel->rc.w - SCROLL_BAR_W, sz.h + 16);
    panel->set_text(text, true);
    panel->scroll_v_to(60);
    input_state().hover = d->ok_btn;
    tip_req_t req{.anchor = d->ok_btn->rc, .place = TIP_ABOVE, .text = L"保存设置并<c=fc_g>关闭</c>"};
    show_tip(&req);

    const clr_t bg{0xFF0E141A};
    clear_screen(&bg);
    draw_text_at(L"<f=b7><c=fc_k6>Tarnwick</c></f>", 20, 20, FONT_DEF, nullptr);
    get_root_wnd()->paint_children();
    EXPECT_TRUE(panel->has_v);
    EXPECT_TRUE(save_png("dialog_screenshot.png", all.w, all.h));

    hide_tip();
    destroy_owned_wnds();
    input_state() = input_state_t{};
    set_exe_dir(old_dir);
    free_fonts();
    close_window();
    quit_sdl_libs();
}

TEST(Dlg, ModeThreeShowsCloseCentredAndCancelThenOkAtTheRightNarrowedWhereTheyDoNotFit) {
    root_at(1024, 600);
    auto* d = make_dlg<dlg_t>(L"Dialog", DLG_CLOSE | DLG_OK_CANCEL, 1000, 300, 0);
    ASSERT_EQ(d->btn_row->children.size(), 3u);
    EXPECT_FALSE(d->btn_row->is_hidden());
    const wnd_t *close = d->btn_row->children[0], *cancel = d->btn_row->children[1], *ok = d->btn_row->children[2];
    EXPECT_EQ((std::vector{close->text, cancel->text, ok->text}), (std::vector<Str>{L"关闭", L"取消", L"确定"}));
    EXPECT_EQ((std::vector{close->end_code, cancel->end_code, ok->end_code}), (std::vector{-2, -2, -1}));
    EXPECT_EQ(std::tuple(d->first_btn, d->ok_btn), std::tuple(cancel, ok));
    d->layout_in_parent();
    const rect row = d->btn_row->rc;
    EXPECT_EQ(std::pair(row.h, row.y + row.h), std::pair(64, d->rc.y + d->rc.h));
    EXPECT_EQ(cancel->rc.x + cancel->rc.w, row.x + row.w - 8);
    EXPECT_EQ(ok->rc.x + ok->rc.w, cancel->rc.x - 4);
    EXPECT_EQ(close->rc.x, row.x + 8 + (1000 - 16 - 192) / 2);
    EXPECT_EQ(std::pair(ok->rc.h, d->margin_t), std::pair(64 - 16, 32));
    // Too narrow for three: they narrow alike, the centred one gives way, none
    // lies over another; wide again, they take their width back.
    const auto at_width = [d](int w) { d->resize(w, 300), d->layout_in_parent(); };
    at_width(400);
    EXPECT_EQ((std::vector{close->rc.w, cancel->rc.w}), (std::vector{ok->rc.w, ok->rc.w}));
    EXPECT_LT(ok->rc.w, 192);
    const int edges[] = {d->btn_row->rc.x + 8, close->rc.x, close->rc.x + close->rc.w, ok->rc.x,
                         ok->rc.x + ok->rc.w, cancel->rc.x, cancel->rc.x + cancel->rc.w, d->btn_row->rc.x + 400 - 8};
    EXPECT_TRUE(std::is_sorted(std::begin(edges), std::end(edges)));
    at_width(60);
    // Never below its caption's room and its icon's square, even where that cannot fit
    // (no fonts here: a caption takes no width).
    EXPECT_EQ(ok->rc.w, 2 * 8 + (d->ok_btn->icon ? ok->rc.h : 0));
    at_width(1000);
    EXPECT_EQ((std::vector{close->rc.w, cancel->rc.w, ok->rc.w}), (std::vector{192, 192, 192}));
    destroy_owned_wnds();
}

}  // namespace
