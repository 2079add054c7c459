#include "app/loop.h"

#include "app/draw_text.h"
#include "app/opts.h"
#include "app/render.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {
wnd_t* root() { return get_root_wnd(); }

// Draws a frame; bright (text) pixels inside and outside the area.
std::pair<int, int> bright_in(const rect& area) {
    frame_render();
    const size s = *get_scrn_size();
    const auto px = canvas_t::read({0, 0, s.w, s.h});
    int in = 0, out = 0;
    for (size_t i = 0; i < px.size(); ++i)
        if (clr_t(px[i]).g() > 200) ++(area.contains(int(i) % s.w, int(i) / s.w) ? in : out);
    return {in, out};
}
}  // namespace

class Routing : public loop_test_t {};

TEST_F(Routing, PressAndReleaseOnOneWindowClickItOnAnotherNothing) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}, WS_AUTO_CHECK), b("b", root(), {100, 10, 50, 50});
    a.end_code = -1, a.user_data = 77;
    move_to(20, 20);
    route(EVT_LBTN_DOWN, 20, 20);
    EXPECT_EQ(pressed_focus_clicked(), (wnds{&a, &a, nullptr}));
    route(EVT_LBTN_UP, 20, 20);
    EXPECT_EQ(pressed_focus_clicked(), (wnds{nullptr, &a, &a}));
    EXPECT_EQ(std::pair(a.clicks, a.heard(EVT_COMMAND)), std::pair(1, 1));
    EXPECT_EQ(std::pair(get_modal_result(), get_last_cmd()), std::pair(-1, uintptr_t(77)));
    EXPECT_TRUE(a.is_checked());
    // The pressed window sees the release, then the root routes it again.
    EXPECT_EQ(a.got(EVT_LBTN_UP), 2);

    // Pressed, a keeps the mouse; released over b, nothing is clicked.
    a.inputs.clear(), b.inputs.clear();
    route(EVT_LBTN_DOWN, 20, 20);
    move_to(110, 20);
    route(EVT_MOUSE_MOVE, 110, 20);
    EXPECT_EQ(std::pair(a.got(EVT_MOUSE_MOVE), b.got(EVT_MOUSE_MOVE)), std::pair(1, 0));
    route(EVT_LBTN_UP, 110, 20);
    EXPECT_TRUE(a.clicks + b.clicks == 1 && !get_clicked_wnd());
    // a still gets its release; the root then offers it to b.
    EXPECT_EQ(std::pair(a.got(EVT_LBTN_UP), b.got(EVT_LBTN_UP)), std::pair(1, 1));
}

TEST_F(Routing, DisabledWindowsAndCheckedRadioButtonsAreNotClicked) {
    struct row_t { uint32_t style; int grp; bool checked; int clicks; };
    for (const row_t& r : {row_t{WS_DISABLED, 0, false, 0}, {0, 1, true, 0}, {0, 1, false, 1}, {0, 0, true, 1}}) {
        rec_wnd_t a("a", root(), {10, 10, 50, 50}, r.style);
        a.radio_grp = r.grp;
        a.set_checked(r.checked);
        click_at(20, 20);
        EXPECT_EQ(a.clicks, r.clicks) << r.style << " group " << r.grp << " checked " << r.checked;
        EXPECT_EQ(get_clicked_wnd(), &a);
    }
}

TEST_F(Routing, BusyDropsInputButNotWindowEventsAndClicksNothing) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50});
    a.ex_style = WSX_ALL_KEYS;
    set_busy(true);
    move_to(20, 20);
    // Input is dropped; window and user events still pass.
    const std::pair<uint32_t, int> rows[] = {{EVT_IDLE, 0}, {EVT_MOUSE_MOVE, 0}, {EVT_WHEEL_UP, 0}, {EVT_RBTN_DOWN, 0},
        {EVT_LBTN_DBL, 0}, {EVT_KEY_UP, 0}, {EVT_CLOSE, 1}, {EVT_TEXT, 1}, {EVT_BATTLE_START, 1}};
    for (const auto& [code, passes] : rows) {
        route(code, 20, 20);
        EXPECT_EQ(a.got(code), passes) << std::hex << code;
    }
    click_at(20, 20);
    EXPECT_EQ(pressed_focus_clicked(), (wnds{nullptr, nullptr, nullptr}));
    // A press made before the busy spell is released without a click.
    set_busy(false);
    route(EVT_LBTN_DOWN, 20, 20);
    set_busy(true);
    route(EVT_LBTN_UP, 20, 20);
    EXPECT_TRUE(a.clicks == 0 && !get_pressed_wnd());
}

class Modal : public loop_test_t {
protected:
    rec_wnd_t dlg{"dlg", get_root_wnd(), {300, 200, 100, 100}, WS_HIDDEN};
};

TEST_F(Modal, PopupEndsWithMinusTwoOnEscapeOrTheKeyReleasedOrAPressAndReleaseOutside) {
    const evt_t esc_up{EVT_KEY_UP, SDLK_ESCAPE, 0}, q_up{EVT_KEY_UP, SDLK_q, 0};
    const evt_t out_down{EVT_LBTN_DOWN, 10, 10}, out_up{EVT_LBTN_UP, 12, 10};
    const evt_t in_down{EVT_LBTN_DOWN, 350, 250}, in_up{EVT_LBTN_UP, 350, 250};
    struct row_t { std::vector<evt_t> evts; int key, want; };
    const row_t rows[] = {{{esc_up}, 0, -2}, {{q_up}, SDLK_q, -2}, {{out_down, out_up}, 0, -2},
                          {{{EVT_KEY_DOWN, SDLK_ESCAPE, 0}}, 0, -7}, {{q_up}, 0, -7}, {{out_down, in_up}, 0, -7},
                          {{in_down, out_up}, 0, -7}};
    for (const row_t& r : rows) {
        reset_dbl_click();  // a second press would arrive as a double click
        frame_no = 0, script.clear();
        for (const evt_t& e : r.evts) script.push_back([e] { post_evt(&e); });
        script.resize(4);
        script.push_back([] { set_modal_result(-7); });
        EXPECT_EQ(do_modal(&dlg, r.key, 1), r.want) << "row " << &r - rows;
    }
}

TEST_F(Modal, DialogRunsOnTheModalLayerWithFocusInsideAndIsPutBack) {
    rec_wnd_t under("under", root(), {0, 0, 800, 600});
    rec_wnd_t first("first", &dlg, {0, 0, 10, 10}), second("second", &dlg, {20, 0, 10, 10});
    first.focus_order = 2, second.focus_order = 1;
    set_focus_wnd(&under);
    set_busy(true);
    std::vector<int> state;  // layer, depth, busy, hidden
    wnd_t* focus = nullptr;
    script = {[&] {
        state = {dlg.layer, modal_depth(), is_busy(), dlg.is_hidden()};
        focus = get_focus_wnd();
        set_modal_result(-1);
    }};
    EXPECT_EQ(do_modal(&dlg, 0, 1), -1);
    EXPECT_EQ(state, (std::vector<int>{LAYER_MODAL, 1, false, false}));
    EXPECT_EQ((wnds{focus, get_focus_wnd()}), (wnds{&second, &under}));
    EXPECT_TRUE(dlg.layer == 0 && dlg.is_hidden() && is_busy() && !get_top_modal());
    EXPECT_EQ(std::pair(dlg.got(EVT_MODAL_OPEN), dlg.got(EVT_MODAL_CLOSE)), std::pair(1, 1));
    EXPECT_EQ(dlg.rc.x, 300);  // flag 1 keeps it in place
}

TEST_F(Modal, MouseOverTheDialogsEmptyAreaHoversTheDialogAndOutsideItTheRoot) {
    rec_wnd_t under("under", root(), {0, 0, 800, 600});  // would take the hover without the dialog
    rec_wnd_t button("button", &dlg, {0, 0, 10, 10});
    wnds seen;
    script = {[] { move_to(350, 250); }, [&] { seen.push_back(get_hover_wnd()), move_to(302, 202); },
              [&] { seen.push_back(get_hover_wnd()), move_to(5, 5); },
              [&] { seen.push_back(get_hover_wnd()), set_modal_result(-1); }};
    EXPECT_EQ(do_modal(&dlg, 0, 1), -1);
    EXPECT_EQ(seen, (wnds{&dlg, &button, root()}));
}

TEST_F(Modal, SceneStandsStillButIsDrawnUnderADialog) {
    rec_scene_t s("s");
    push_scene(&s, true);
    ASSERT_TRUE(do_frame());
    EXPECT_TRUE(frame_no_modal());
    script = {nullptr, nullptr, nullptr, nullptr, [] { set_modal_result(-3); }};
    set_modal_result(-1);  // a result left from before the loop ends nothing
    EXPECT_EQ(do_modal(&dlg, 0, 1), -3);
    EXPECT_EQ(std::vector<int>({s.ticks, s.updates, s.draws}), std::vector<int>({1, 1, 5}));
    EXPECT_FALSE(frame_no_modal());
}

TEST_F(Modal, NestedWaitDoesNotStretchTheOuterOne) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    int nested = -9;
    a.hook = [&](const evt_t& e) {
        if (e.code == EVT_IDLE && nested == -9) {
            nested = 1;  // no deeper wait from the nested one's own frames
            nested = wait_ms(80);
        }
        return false;
    };
    EXPECT_EQ(wait_ms(100), 0);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(std::pair(now_ms, frame_no), std::pair(100u, size_t(10)));
}

TEST_F(Modal, QuitInsideANestedWaitEndsEveryLoopWithMinusFive) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    int inner = 0;
    a.hook = [&](const evt_t& e) {
        if (e.code == EVT_IDLE && inner == 0) {
            inner = 1;
            script.resize(frame_no + 2);
            script[frame_no + 1] = post_quit;
            inner = wait_ms(100000);
        }
        return false;
    };
    EXPECT_EQ(run_modal_loop([] { return true; }), -5);
    EXPECT_TRUE(inner == -5 && is_quitting());
}

TEST(FrameText, HintLineAtTheBottomLeftAndFrameCounterOnlyWhenSwitchedOn) {
    font_env_t::up();
    const rect scr{0, 0, get_scrn_size()->w, get_scrn_size()->h};
    get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
    opts().show_fps = false;
    hint_text() = L"Hint";
    size t;
    measure_text(&t, L"Hint", FONT_DEF, 3, WND_UNLIMITED, WND_UNLIMITED);
    const auto hint = bright_in({0, scr.h - t.h - 4, t.w + 4, t.h + 4});
    EXPECT_TRUE(hint.first > 0 && hint.second == 0) << hint.first << " " << hint.second;
    hint_text() = L"";
    opts().show_fps = true;
    const auto fps = bright_in({4, 4, 40, 30});
    EXPECT_TRUE(fps.first > 0 && fps.second == 0) << fps.first << " " << fps.second;
    opts().show_fps = false;
    font_env_t::down();
}
