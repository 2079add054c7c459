#include "support/loop_harness.h"

using namespace harness;

class Routing : public loop_test_t {};

TEST_F(Routing, PressAndReleaseOnOneWindowClickItOnAnotherNothing) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}, WS_AUTO_CHECK), b("b", root(), {100, 10, 50, 50});
    a.end_code = -1, a.user_data = 77;
    route_at(EVT_LBTN_DOWN, 20, 20);
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
    route_at(EVT_MOUSE_MOVE, 110, 20);
    EXPECT_EQ(std::pair(a.got(EVT_MOUSE_MOVE), b.got(EVT_MOUSE_MOVE)), std::pair(1, 0));
    route(EVT_LBTN_UP, 110, 20);
    EXPECT_TRUE(a.clicks + b.clicks == 1 && !get_clicked_wnd());
    // a still gets its release; the root then offers it to b.
    EXPECT_EQ(std::pair(a.got(EVT_LBTN_UP), b.got(EVT_LBTN_UP)), std::pair(1, 1));
}

TEST_F(Routing, AClickInThePumpThatMovedTheMouseLandsWhereItHappened) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}), b("b", root(), {100, 10, 50, 50});
    route_at(EVT_MOUSE_MOVE, 20, 20);  // the last frame saw the mouse over a
    // A flick to b and a tap, all in one pump: no frame looks at the mouse in between.
    move_to(110, 20);
    for (const uint32_t code : {EVT_MOUSE_MOVE, EVT_LBTN_DOWN, EVT_LBTN_UP}) {
        const evt_t e{code, 110, 20};
        dispatch_evt(&e);
    }
    EXPECT_EQ(std::pair(a.clicks, b.clicks), std::pair(0, 1));
    EXPECT_EQ(get_clicked_wnd(), &b);
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
