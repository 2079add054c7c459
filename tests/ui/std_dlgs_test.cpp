#include "ui/std_dlgs.h"

#include <SDL.h>

#include "app/draw_text.h"
#include "app/ini.h"
#include "app/input_state.h"
#include "app/seams.h"
#include "ui/edt.h"
#include "ui/lv.h"
#include "ui/memo_ctrl.h"
#include "support/canvas.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {
constexpr int text_font = 15;

template <class T>
T* find_child(wnd_t* w) {
    for (wnd_t* c : w->children)
        if (auto* t = dynamic_cast<T*>(c)) return t;
    return nullptr;
}

// Script steps that press and release the left button at p.
void click_steps(pt_t p) {
    script.push_back([p] { move_to(p.x, p.y); });
    script.push_back([p] { const evt_t e{EVT_LBTN_DOWN, p.x, p.y}; post_evt(&e); });
    script.push_back([p] { const evt_t e{EVT_LBTN_UP, p.x, p.y}; post_evt(&e); });
}

void key_up_step(int key) {
    script.push_back([key] { const evt_t e{EVT_KEY_UP, key, 0}; post_evt(&e); });
}
}  // namespace

class StdDlgs : public loop_test_t {
protected:
    // The memo dialog's default size is read from the window: 1280 x 720.
    static void SetUpTestSuite() {
        auto& cfg = CZsConfig::instance();
        cfg.set_int(L"full_screen", 0, L"Main");
        cfg.set_string(L"windowed_size", L"1280x720", L"Main");
        seams().display_size = [](int, bool, int* w, int* h) { return *w = 1280, *h = 720, true; };
        font_env_t::up();
        seams_reset();
        cfg.sections[L"Main"].erase(L"full_screen");
        cfg.sections[L"Main"].erase(L"windowed_size");
    }
    static void TearDownTestSuite() { font_env_t::down(); }

    // What the dialog looked like while it ran.
    rect seen_rc;
    wnd_t* seen = nullptr;
    void look_step() {
        script.push_back([this] { seen = get_top_modal(), seen_rc = seen ? seen->rc : rect{}; });
    }
    // A fresh script for the next dialog, which is looked at first.
    void look_at_next() { script.clear(), frame_no = 0, look_step(); }
    // The same for a dialog that Esc dismisses at once.
    void look_at_next_esc() { look_at_next(), key_up_step(SDLK_ESCAPE); }
    size seen_sz() const { return {seen_rc.w, seen_rc.h}; }
    btn_t* ok() const { return static_cast<dlg_t*>(seen)->ok_btn; }
    btn_t* first() const { return static_cast<dlg_t*>(seen)->first_btn; }
};

TEST_F(StdDlgs, ConfirmIsAsHighAsItsTextAndOnlyOkAnswersTrue) {
    const wchar_t* text = L"删除选中项？";
    // OK by click.
    look_step();
    script.push_back([this] { click_steps(centre(ok()->rc)); });
    EXPECT_TRUE(zg_confirm_dlg(text));
    size t;
    measure_text(&t, text, text_font, 3, 512 - 64, UNLIMITED);
    const dlg_t* d = static_cast<dlg_t*>(seen);
    EXPECT_EQ(std::tuple(d->margin_t, seen_sz(), seen_rc.x),  // the large title bar; centred
              std::tuple(32, size{512, 64 + 32 + t.h + 64}, (800 - 512) / 2));
    // Cancel, Esc, and a click outside.
    look_at_next();
    script.push_back([this] { click_steps(centre(first()->rc)); });
    EXPECT_FALSE(zg_confirm_dlg(text));
    script.clear(), frame_no = 0;
    key_up_step(SDLK_ESCAPE);
    EXPECT_FALSE(zg_confirm_dlg(text));
    script.clear(), frame_no = 0;
    click_steps({3, 3});
    EXPECT_FALSE(zg_confirm_dlg(text));
    // A longer text makes it higher, up to the screen; a taller one scrolls, drawing nothing past its pane.
    const size scr = *get_scrn_size();
    Str tall = L"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十";
    tall.append((L"\n" + std::wstring(150, L'x')).c_str());  // a word that fills its lines to their ends
    for (int lines : {0, 40}) {
        while (lines--) tall.append(L"\n行");
        look_at_next_esc();
        zg_confirm_dlg(tall);
        auto* pane = find_child<memo_ctrl_t>(seen);
        EXPECT_TRUE(seen_rc.h > 64 + 32 + t.h + 64 && seen_rc.h <= scr.h && pane->has_v == (seen_rc.h == scr.h));
        pane->scroll_v_to(pane->max_y() / 2);
        font_env_t::clear_black();
        pane->paint();
        EXPECT_TRUE(font_env_t::inside(pane->rc, font_env_t::read_lit({0, 0, scr.w, scr.h}).bounds));
    }
    // The tall one's text keeps clear of its bar and its keys scroll it; another
    // long page after it scrolled to its end opens at its top.
    auto* pane = find_child<memo_ctrl_t>(seen);
    pt_t o;
    pane->client_origin(&o);
    const int right = o.x + pane->rtext.get_rect().x + pane->rtext.get_rect().w;
    bool at_end = false;
    int opened_at = -1;
    look_at_next();
    script.push_back([] { const evt_t e{EVT_KEY_DOWN, SDLK_END, 0}; post_evt(&e); });
    script.push_back([&] { at_end = pane->pos_y() == pane->max_y() && pane->max_y() > 0; });
    key_up_step(SDLK_ESCAPE);
    zg_confirm_dlg(tall);
    look_at_next();
    script.push_back([&] { opened_at = pane->pos_y(); });
    key_up_step(SDLK_ESCAPE);
    zg_confirm_dlg(tall + L"\n行");
    EXPECT_EQ(std::tuple(pane->has_v, right <= pane->v_track.x, at_end, opened_at), std::tuple(true, true, true, 0));
}

TEST_F(StdDlgs, QuittingWhileADialogRunsAnswersNo) {
    script = {[] { post_quit(); }};
    EXPECT_FALSE(zg_confirm_dlg(L"?"));
    EXPECT_TRUE(is_quitting());
    input_state() = input_state_t{};
    Str value = L"kept";
    script = {[] { post_quit(); }};
    frame_no = 0;
    EXPECT_FALSE(zg_input_dlg(value, L"名字", nullptr));
    EXPECT_EQ(value, L"kept");
}

TEST_F(StdDlgs, InputTakesTheTextOnOkAndLeavesTheValueOnCancel) {
    Str value = L"old";
    look_step();
    script.push_back([this] {
        edt_t* e = find_child<edt_t>(seen);
        ASSERT_NE(e, nullptr);
        EXPECT_EQ(e->text, L"old");
        e->set_text(L"new", true);
        click_steps(centre(first()->rc));
    });
    EXPECT_FALSE(zg_input_dlg(value, L"名字", nullptr));
    EXPECT_EQ(value, L"old");
    look_at_next();
    script.push_back([this] {
        find_child<edt_t>(seen)->set_text(L"new", true);
        click_steps(centre(ok()->rc));
    });
    EXPECT_TRUE(zg_input_dlg(value, L"名字", nullptr));
    EXPECT_EQ(value, L"new");
    // OK with a text the check refuses keeps the dialog open with it.
    std::vector<Str> asked;
    look_at_next();
    const auto type_and_ok = [this](const wchar_t* text) {
        find_child<edt_t>(seen)->set_text(text, true);
        click_steps(centre(ok()->rc));
    };
    script.push_back([=] {
        type_and_ok(L"bad");
        script.push_back([=] { type_and_ok(L"good"); });  // after the first click's steps
    });
    EXPECT_TRUE(zg_input_dlg(value, L"名字", nullptr, [&](const Str& t) { return asked.push_back(t), t == L"good"; }));
    EXPECT_EQ(std::tuple(asked, value), std::tuple(std::vector<Str>{L"bad", L"good"}, L"good"));
}

TEST_F(StdDlgs, TextDialogFitsItsTextOrTakesTheGivenSize) {
    const wchar_t* text = L"一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十一二三四五六七八九十";
    look_step();
    key_up_step(SDLK_ESCAPE);
    zg_text_dlg(text, L"战斗胜利", 0, TEXT_DLG_FIT, 512);
    size t;
    measure_text(&t, text, text_font, 3, 512 - 64, UNLIMITED);
    EXPECT_LE(t.w, 448);
    EXPECT_EQ(seen_sz(), (size{t.w + 64, 64 + 32 + t.h + 64}));
    look_at_next_esc();  // closing line breaks make it no higher
    zg_text_dlg((Str(text) + L"\n\n").c_str(), L"战斗胜利", 0, TEXT_DLG_FIT, 512);
    EXPECT_EQ(seen_sz(), (size{t.w + 64, 64 + 32 + t.h + 64}));
    // A fixed size is the client size; no title bar without a title.
    look_at_next_esc();
    zg_text_dlg(L"x", nullptr, -1, 300, 400);
    EXPECT_EQ(std::tuple(seen_sz(), seen->bg_clr), std::tuple(size{400, 300}, 0xFF99825Cu));  // the brown palette
}

TEST_F(StdDlgs, MessageDialogShowsItsTextAndCloses) {
    look_step();
    script.push_back([this] { click_steps(centre(first()->rc)); });
    zg_msg_dlg(L"<c=red>注意</c>", L"提示");
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(std::tuple(seen_sz(), find_child<memo_ctrl_t>(seen)->text, seen->is_hidden()),
              std::tuple(size{512, 256}, Str(L"<c=red>注意</c>"), true));
    look_at_next_esc();
    zg_msg_dlg(L"一\n二\n三\n四\n五\n六\n七\n八\n九\n十", nullptr);  // taller than the dialog: it grows
    EXPECT_TRUE(seen_rc.h > 256 && !find_child<memo_ctrl_t>(seen)->has_v);
}

TEST_F(StdDlgs, ImageChooserShowsTenBySixCellsAndAnswersTheChosenName) {
    test_gfx_t gfx("imgs");
    gfx.png("b", 8, 8, 0xFF00FF00);
    gfx.png("a", 8, 8, 0xFFFF0000);
    std::filesystem::create_directories(test_gfx_t::root() / to_utf8_string(gfx.name("sub")));
    gfx.img("sub/c.jpg", 8, 8, [](int, int) { return 0xFF0000FFu; });
    const Str folder = gfx.name("");
    const size cell{64, 64};
    lv_t* list = nullptr;
    look_step();
    script.push_back([&] {
        list = find_child<lv_t>(seen);
        click_steps(centre(list->item_rect(1)));
    });
    Str out = L"stale";
    zg_imgs_dlg(out, folder.c_str(), &cell);
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(std::tuple(list->count(), out), std::tuple(3, gfx.name("b")));
    // The list fills the dialog, which keeps 16 pixels for the scroll bar.
    EXPECT_EQ((size{list->rc.w, list->rc.h}), (size{10 * 64 + 9 * 2 + 16, 6 * 64 + 5 * 2}));
    const dlg_t* d = static_cast<dlg_t*>(seen);
    EXPECT_EQ(seen_rc.w, 10 * 66 - 2 + 16 + d->margin_l + d->margin_r);
    // Esc chooses nothing.
    script.clear(), frame_no = 0;
    key_up_step(SDLK_ESCAPE);
    EXPECT_EQ(zg_imgs_dlg(out, folder.c_str(), &cell), L"");
}

TEST_F(StdDlgs, ImageChooserOverAMissingFolderIsEmpty) {
    lv_t* list = nullptr;
    look_step();
    script.push_back([&] { list = find_child<lv_t>(seen); });
    click_steps({2, 2});
    Str out = L"stale";
    const size cell{48, 48};
    EXPECT_EQ(zg_imgs_dlg(out, L"no_such_folder_here", &cell), L"");
    ASSERT_NE(list, nullptr);
    EXPECT_EQ(list->count(), 0);
}

TEST_F(StdDlgs, MemoDialogOfSizeZeroTakesHalfTheWidthAndThreeQuartersOfTheHeight) {
    ASSERT_EQ(*get_scrn_size(), (size{1280, 720}));
    look_step();
    key_up_step(SDLK_F1);  // the key given dismisses it too
    zg_memo_dlg(L"日志", nullptr, 0, 0, 0, SDLK_F1);
    ASSERT_NE(seen, nullptr);
    EXPECT_EQ(std::tuple(seen_sz(), static_cast<dlg_t*>(seen)->title, find_child<memo_ctrl_t>(seen)->text),
              std::tuple(size{640, 540}, nullptr, Str(L"日志")));
    look_at_next_esc();
    zg_memo_dlg(L"x", L"记录", 300, 200, 0, 0);
    EXPECT_TRUE(seen_sz() == (size{300, 200}) && static_cast<dlg_t*>(seen)->title);
    // Asked to, it shows the end of a long text.
    Str text;
    for (int i = 0; i < 80; ++i) text.append_format(L"第%d行\n", i);
    int pos = -1, max = -1;
    script.clear(), frame_no = 0;
    script.push_back([&] {
        auto* m = find_child<memo_ctrl_t>(get_top_modal());
        pos = m->pos_y(), max = m->max_y();
        set_modal_result(MODAL_CANCEL);
    });
    zg_memo_dlg(text, nullptr, 400, 300, 1, 0);
    EXPECT_GT(max, 0);
    EXPECT_EQ(pos, max);
}
