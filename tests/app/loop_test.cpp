#include "app/loop.h"

#include "app/draw_text.h"
#include "app/font.h"
#include "app/opts.h"
#include "app/render.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {
wnd_t* root() { return get_root_wnd(); }
}  // namespace

// ---- routing of presses and releases ----

class Routing : public loop_test_t {};

TEST_F(Routing, PressAndReleaseOnOneWindowClicksItOnce) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50});
    move_to(20, 20);
    route(EVT_LBTN_DOWN, 20, 20);
    EXPECT_EQ(get_pressed_wnd(), &a);
    EXPECT_EQ(get_focus_wnd(), &a);
    route(EVT_LBTN_UP, 20, 20);
    EXPECT_EQ(a.clicks, 1);
    EXPECT_EQ(get_clicked_wnd(), &a);
    EXPECT_EQ(get_pressed_wnd(), nullptr);
    // The captured window sees the release, then the root routes it again.
    EXPECT_EQ(a.got(EVT_LBTN_UP), 2);
    EXPECT_EQ(a.heard(EVT_COMMAND), 1);
}

TEST_F(Routing, ReleaseOverAnotherWindowClicksNothing) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50});
    rec_wnd_t b("b", root(), {100, 10, 50, 50});
    move_to(20, 20);
    route(EVT_LBTN_DOWN, 20, 20);
    move_to(110, 20);
    route(EVT_LBTN_UP, 110, 20);
    EXPECT_EQ(a.clicks, 0);
    EXPECT_EQ(b.clicks, 0);
    EXPECT_EQ(get_clicked_wnd(), nullptr);
    // The pressed window still gets its release; the root then offers it to b.
    EXPECT_EQ(a.got(EVT_LBTN_UP), 1);
    EXPECT_EQ(b.got(EVT_LBTN_UP), 1);
}

TEST_F(Routing, CapturedWindowGetsEveryEventUntilTheRelease) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50});
    rec_wnd_t b("b", root(), {100, 10, 50, 50});
    move_to(20, 20);
    route(EVT_LBTN_DOWN, 20, 20);
    move_to(110, 20);
    route(EVT_MOUSE_MOVE, 110, 20);
    EXPECT_EQ(a.got(EVT_MOUSE_MOVE), 1);
    EXPECT_EQ(b.got(EVT_MOUSE_MOVE), 0);
    route(EVT_LBTN_UP, 110, 20);
    route(EVT_MOUSE_MOVE, 110, 20);
    EXPECT_EQ(b.got(EVT_MOUSE_MOVE), 1);
}

TEST_F(Routing, DisabledWindowIsNotClickedButBecomesTheClickedWindow) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}, WS_DISABLED);
    click_at(20, 20);
    EXPECT_EQ(a.clicks, 0);
    EXPECT_EQ(get_clicked_wnd(), &a);
}

TEST_F(Routing, CheckedRadioButtonIsNotClickedAgain) {
    struct row_t {
        int grp;
        bool checked;
        int clicks;
    };
    const row_t rows[] = {{1, true, 0}, {1, false, 1}, {0, true, 1}};
    for (const row_t& r : rows) {
        rec_wnd_t a("a", root(), {10, 10, 50, 50});
        a.radio_grp = r.grp;
        a.set_checked(r.checked);
        click_at(20, 20);
        EXPECT_EQ(a.clicks, r.clicks) << "group " << r.grp << " checked " << r.checked;
    }
}

TEST_F(Routing, ClickEndsModalWithEndCodeAndSetsLastCommand) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}, WS_AUTO_CHECK);
    a.end_code = -1;
    a.user_data = 77;
    click_at(20, 20);
    EXPECT_EQ(get_modal_result(), -1);
    EXPECT_EQ(get_last_cmd(), 77u);
    EXPECT_TRUE(a.is_checked());
    clear_last_cmd();
    EXPECT_EQ(get_last_cmd(), 0u);
}

// ---- busy ----

TEST_F(Routing, BusyDropsInputEventsButNotWindowAndUserEvents) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    a.ex_style = WSX_ALL_KEYS;
    set_focus_wnd(&a);
    set_busy(true);
    move_to(20, 20);
    const uint32_t dropped[] = {EVT_IDLE,    EVT_MOUSE_MOVE, EVT_WHEEL_DOWN, EVT_WHEEL_UP, EVT_LBTN_DOWN,
                                EVT_RBTN_DOWN, EVT_LBTN_UP,  EVT_RBTN_UP,    EVT_LBTN_DBL, EVT_KEY_DOWN,
                                EVT_KEY_UP};
    for (uint32_t code : dropped) {
        route(code, 20, 20);
        EXPECT_EQ(a.got(code), 0) << std::hex << code;
    }
    const uint32_t passed[] = {EVT_CLOSE, EVT_FOCUS_GAINED, EVT_MINIMISED, EVT_TEXT, EVT_BATTLE_START};
    for (uint32_t code : passed) {
        route(code);
        EXPECT_EQ(a.got(code), 1) << std::hex << code;
    }
}

TEST_F(Routing, BusyPressAndReleaseClickNothingAndMoveNoFocus) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50});
    set_busy(true);
    click_at(20, 20);
    EXPECT_EQ(a.clicks, 0);
    EXPECT_EQ(get_focus_wnd(), nullptr);
    EXPECT_EQ(get_clicked_wnd(), nullptr);
    // A press made before the busy spell is released without a click.
    set_busy(false);
    move_to(20, 20);
    route(EVT_LBTN_DOWN, 20, 20);
    set_busy(true);
    route(EVT_LBTN_UP, 20, 20);
    EXPECT_EQ(a.clicks, 0);
    EXPECT_EQ(get_pressed_wnd(), nullptr);
}

TEST_F(Routing, BusyFramesSendNoIdleTickAndShowTheWaitCursor) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    ASSERT_TRUE(do_frame());
    EXPECT_EQ(a.got(EVT_IDLE), 1);
    EXPECT_EQ(get_frame_cursor(), CUR_DEFAULT);
    set_busy(true);
    ASSERT_TRUE(do_frame());
    EXPECT_EQ(a.got(EVT_IDLE), 1);
    EXPECT_EQ(get_frame_cursor(), CUR_WAIT);
}

// ---- keys and the frame ----

TEST_F(Routing, CtrlAltF1TogglesTheFrameCounterWithTheLeftKeysOnly) {
    const bool before = opts().show_fps;
    route(EVT_KEY_UP, SDLK_F1, KMOD_RCTRL | KMOD_RALT);
    route(EVT_KEY_UP, SDLK_F1, KMOD_LCTRL);
    EXPECT_EQ(opts().show_fps, before);
    route(EVT_KEY_UP, SDLK_F1, KMOD_LCTRL | KMOD_LALT | KMOD_LSHIFT);
    EXPECT_EQ(opts().show_fps, !before);
    route(EVT_KEY_DOWN, SDLK_F1, KMOD_LCTRL | KMOD_LALT);
    EXPECT_EQ(opts().show_fps, !before);
    opts().show_fps = before;
}

TEST_F(Routing, FirstFrameReportsTheMouseAsMoved) {
    move_to(5, 5);
    frame_update();
    EXPECT_TRUE(mouse_moved());
    frame_update();
    EXPECT_FALSE(mouse_moved());
    move_to(6, 5);
    frame_update();
    EXPECT_TRUE(mouse_moved());
    EXPECT_EQ(*get_mouse_pos(), (pt_t{6, 5}));
}

TEST_F(Routing, HoverChangesNotifyLeaveThenEnter) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50});
    rec_wnd_t b("b", root(), {100, 10, 50, 50});
    move_to(20, 20);
    frame_update();
    EXPECT_EQ(get_hover_wnd(), &a);
    EXPECT_EQ(a.heard(EVT_MOUSE_ENTER), 1);
    move_to(110, 20);
    frame_update();
    EXPECT_EQ(a.heard(EVT_MOUSE_LEAVE), 1);
    EXPECT_EQ(b.heard(EVT_MOUSE_ENTER), 1);
    move_to(400, 300);
    frame_update();
    EXPECT_EQ(get_hover_wnd(), root());
    EXPECT_FALSE(is_hover_in_ui());
    move_to(900, 300);
    frame_update();
    EXPECT_EQ(get_hover_wnd(), nullptr);
}

// ---- pump ----

class Pump : public loop_test_t {};

TEST_F(Pump, PostedEventsComeBackTranslated) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    std::vector<evt_t> seen;
    a.hook = [&](const evt_t& e) {
        if (e.code != EVT_IDLE && e.code != EVT_MODAL_OPEN) seen.push_back(e);
        return false;
    };
    post(EVT_MOUSE_MOVE, 5, 6);
    post(EVT_BATTLE_START, 7, 8);
    ASSERT_TRUE(pump_events());
    ASSERT_EQ(seen.size(), 2u);
    EXPECT_EQ(seen[0].code, EVT_MOUSE_MOVE);
    EXPECT_EQ(seen[0].a, 5);
    EXPECT_EQ(seen[0].b, 6);
    EXPECT_EQ(seen[1].code, EVT_BATTLE_START);
    EXPECT_EQ(seen[1].a, 7);
    EXPECT_EQ(seen[1].b, 8);
    EXPECT_EQ(get_cur_evt()->code, EVT_BATTLE_START);
}

TEST_F(Pump, QuitStopsThePumpAndLeavesTheRestQueued) {
    post(EVT_BATTLE_START);
    post_quit();
    post(EVT_BATTLE_START, 1);
    EXPECT_FALSE(pump_events());
    EXPECT_TRUE(is_quitting());
    EXPECT_FALSE(pump_events());
    EXPECT_FALSE(do_frame());
    SDL_Event ev;
    ASSERT_EQ(SDL_PollEvent(&ev), 1);
    EXPECT_EQ(ev.type, uint32_t(EVT_BATTLE_START));
}

// ---- modal loops ----

class Modal : public loop_test_t {
protected:
    // A 100 x 100 dialog at (300, 200) under the root.
    rec_wnd_t dlg{"dlg", get_root_wnd(), {300, 200, 100, 100}, WS_HIDDEN};
};

TEST_F(Modal, EscapeOrTheBoundKeyOnKeyUpEndsWithMinusTwo) {
    struct row_t {
        int key;
        int bound;
        uint32_t code;
        int frames_before_end;  // 0: not ended by the key
    };
    const row_t rows[] = {{SDLK_ESCAPE, 0, EVT_KEY_UP, 2}, {SDLK_q, SDLK_q, EVT_KEY_UP, 2},
                          {SDLK_ESCAPE, 0, EVT_KEY_DOWN, 0}, {SDLK_q, 0, EVT_KEY_UP, 0}};
    for (const row_t& r : rows) {
        frame_no = 0;
        script = {[&] { post(r.code, r.key, 0); }, nullptr, nullptr, nullptr, [] { set_modal_result(-7); }};
        const int got = do_modal(&dlg, r.bound, 1);
        EXPECT_EQ(got, r.frames_before_end ? -2 : -7) << r.key;
    }
}

TEST_F(Modal, PressAndReleaseOutsideEndIt) {
    script = {[] { post(EVT_LBTN_DOWN, 10, 10); }, [] { post(EVT_LBTN_UP, 12, 10); }, nullptr,
              [] { set_modal_result(-7); }};
    EXPECT_EQ(do_modal(&dlg, 0, 1), -2);
}

TEST_F(Modal, PressOutsideAndReleaseInsideDoNot) {
    script = {[] { post(EVT_LBTN_DOWN, 10, 10); }, [] { post(EVT_LBTN_UP, 350, 250); }, nullptr,
              [] { set_modal_result(-7); }};
    EXPECT_EQ(do_modal(&dlg, 0, 1), -7);
    frame_no = 0;
    script = {[] { post(EVT_LBTN_DOWN, 350, 250); }, [] { post(EVT_LBTN_UP, 10, 10); }, nullptr,
              [] { set_modal_result(-7); }};
    EXPECT_EQ(do_modal(&dlg, 0, 1), -7);
}

TEST_F(Modal, DialogRunsOnTheModalLayerAndIsPutBack) {
    set_busy(true);
    int layer = -1, depth = -1;
    bool busy = true, shown = false;
    script = {[&] {
        layer = dlg.layer;
        depth = modal_depth();
        busy = is_busy();
        shown = !dlg.is_hidden();
        set_modal_result(-1);
    }};
    do_modal(&dlg, 0, 1);
    EXPECT_EQ(layer, LAYER_MODAL);
    EXPECT_EQ(depth, 1);
    EXPECT_FALSE(busy);
    EXPECT_TRUE(shown);
    EXPECT_EQ(dlg.layer, 0);
    EXPECT_TRUE(dlg.is_hidden());
    EXPECT_TRUE(is_busy());
    EXPECT_EQ(get_top_modal(), nullptr);
    EXPECT_EQ(dlg.got(EVT_MODAL_OPEN), 1);
    EXPECT_EQ(dlg.got(EVT_MODAL_CLOSE), 1);
}

TEST_F(Modal, SceneStandsStillButIsDrawnUnderADialog) {
    rec_scene_t s("s");
    push_scene(&s, true);
    ASSERT_TRUE(do_frame());
    EXPECT_EQ(s.ticks, 1);
    EXPECT_EQ(s.updates, 1);
    EXPECT_TRUE(frame_no_modal());
    script = {nullptr, nullptr, nullptr, nullptr, [] { set_modal_result(-1); }};
    do_modal(&dlg, 0, 1);
    EXPECT_EQ(s.ticks, 1);
    EXPECT_EQ(s.updates, 1);
    EXPECT_EQ(s.draws, 5);
    EXPECT_FALSE(frame_no_modal());
}

TEST_F(Modal, HoverStaysInsideTheDialog) {
    rec_wnd_t under("under", root(), {0, 0, 800, 600});
    wnd_t* hover_in = nullptr;
    wnd_t* hover_out = nullptr;
    script = {[] { move_to(350, 250); }, [&] {
                  hover_in = get_hover_wnd();
                  move_to(10, 10);
              },
              [&] {
                  hover_out = get_hover_wnd();
                  set_modal_result(-1);
              }};
    do_modal(&dlg, 0, 1);
    EXPECT_EQ(hover_in, &dlg);
    EXPECT_EQ(hover_out, root());
}

TEST_F(Modal, FocusGoesToTheFirstFocusChildAndComesBack) {
    rec_wnd_t first("first", &dlg, {0, 0, 10, 10});
    rec_wnd_t second("second", &dlg, {20, 0, 10, 10});
    first.focus_order = 2;
    second.focus_order = 1;
    rec_wnd_t before("before", root(), {0, 0, 10, 10});
    set_focus_wnd(&before);
    wnd_t* during = nullptr;
    script = {[&] {
        during = get_focus_wnd();
        set_modal_result(-1);
    }};
    do_modal(&dlg, 0, 1);
    EXPECT_EQ(during, &second);
    EXPECT_EQ(get_focus_wnd(), &before);
}

TEST_F(Modal, ResultSetBeforeTheLoopHasNoEffect) {
    set_modal_result(-1);
    script = {nullptr, nullptr, [] { set_modal_result(-3); }};
    EXPECT_EQ(do_modal(&dlg, 0, 1), -3);
    EXPECT_EQ(frame_no, 3u);
}

TEST_F(Modal, LayoutInParentUnlessAskedToKeepThePlace) {
    dlg.style |= WS_CENTRE_X | WS_CENTRE_Y;
    script = {[] { set_modal_result(-1); }};
    do_modal(&dlg, 0, 1);
    EXPECT_EQ(dlg.rc.x, 300);
    frame_no = 0;
    do_modal(&dlg, 0, 0);
    EXPECT_EQ(dlg.rc.x, 350);
    EXPECT_EQ(dlg.rc.y, 250);
}

// ---- waits ----

class Wait : public loop_test_t {};

TEST_F(Wait, RunsUntilItsTimeHasPassedOnTheClock) {
    EXPECT_EQ(wait_ms(100), 0);
    EXPECT_EQ(now_ms, 100u);
    EXPECT_EQ(frame_no, 10u);
}

TEST_F(Wait, NestedWaitDoesNotStretchTheOuterOne) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    bool nested = false;
    a.hook = [&](const evt_t& e) {
        if (e.code == EVT_IDLE && !nested) {
            nested = true;
            wait_ms(80);
        }
        return false;
    };
    wait_ms(100);
    EXPECT_TRUE(nested);
    EXPECT_EQ(now_ms, 100u);
}

TEST_F(Wait, QuitInsideANestedWaitEndsEveryLoopWithMinusFive) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    int inner = 0;
    a.hook = [&](const evt_t& e) {
        if (e.code == EVT_IDLE && inner == 0) {
            inner = 1;
            script.resize(frame_no + 2);
            script[frame_no + 1] = [] { post_quit(); };
            inner = wait_ms(100000);
        }
        return false;
    };
    script = {nullptr};
    const int outer = run_modal_loop([] { return true; });
    EXPECT_EQ(inner, -5);
    EXPECT_EQ(outer, -5);
    EXPECT_TRUE(is_quitting());
}

// ---- the hint line and the frame counter ----

class FrameText : public ::testing::Test {
protected:
    static void SetUpTestSuite() { font_env_t::up(); }
    static void TearDownTestSuite() { font_env_t::down(); }
    void SetUp() override {
        input_state() = input_state_t{};
        const size* s = get_scrn_size();
        const rect scr{0, 0, s->w, s->h};
        get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
    }
    // Bright pixels (text) inside and outside an area of the last frame.
    static std::pair<int, int> bright_in(const rect& area) {
        const size* s = get_scrn_size();
        std::vector<uint32_t> px(size_t(s->w) * size_t(s->h));
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), nullptr, SDL_PIXELFORMAT_ARGB8888, px.data(), s->w * 4), 0);
        int in = 0, out = 0;
        for (int y = 0; y < s->h; ++y)
            for (int x = 0; x < s->w; ++x)
                if (clr_t(px[size_t(y) * size_t(s->w) + size_t(x)]).g() > 200) ++(area.contains(x, y) ? in : out);
        return {in, out};
    }
};

TEST_F(FrameText, HintLineSitsAtTheBottomLeftInADarkBox) {
    hint_text() = L"Hint";
    size t;
    measure_text(&t, L"Hint", FONT_DEF, 3, WND_UNLIMITED, WND_UNLIMITED);
    frame_render();
    const int h = get_scrn_size()->h;
    const auto [in, out] = bright_in({0, h - t.h - 4, t.w + 4, t.h + 4});
    EXPECT_GT(in, 0);
    EXPECT_EQ(out, 0);
    hint_text() = L"";
    frame_render();
    EXPECT_EQ(bright_in({0, 0, 1, 1}).second, 0);
}

TEST_F(FrameText, FrameCounterShowsOnlyWhenSwitchedOn) {
    opts().show_fps = false;
    frame_render();
    EXPECT_EQ(bright_in({0, 0, 1, 1}).second, 0);
    opts().show_fps = true;
    frame_render();
    const auto [in, out] = bright_in({4, 4, 40, 30});
    EXPECT_GT(in, 0);
    EXPECT_EQ(out, 0);
    opts().show_fps = false;
}
