#include "ui/modal.h"

#include "app/links.h"
#include "support/loop_harness.h"
#include "support/test_btn.h"

using namespace harness;

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

// However a dialog opened by a click closes, nothing it took reaches the
// windows or the scene under it, nor opens the link they show under the
// pointer once no dialog runs: neither the release of that click nor the
// release after a press the dialog ended on (as a list choosing on the press).
TEST_F(Modal, NothingADialogTookReachesTheWindowsOrTheSceneUnderIt) {
    static int opened = 0;
    add_link_handler([](const wchar_t* t, bool* r) {
        if (t != std::wstring_view(L"test:below")) return false;
        ++opened, *r = true;
        return true;
    });
    rec_scene_t s("s");
    push_scene(&s, true);
    rec_wnd_t under("under", root(), {0, 0, 800, 600});
    rec_wnd_t ok("ok", &dlg, {10, 10, 20, 20}), pick("pick", &dlg, {40, 10, 20, 20});
    ok.end_code = MODAL_OK;
    pick.hook = [&](const evt_t& e) { return e.code == EVT_LBTN_DOWN && pick.is_hot() && (set_modal_result(-1), true); };
    test_btn_t opener;
    create_at(opener, root(), {10, 10, 50, 50});
    opener.on_click = [&] {
        const int r = do_modal(&dlg, 0, 1);
        s.evts.clear(), under.inputs.clear();
        return r;
    };
    const auto clicks = [](const std::vector<uint32_t>& v) { return std::count_if(v.begin(), v.end(), is_mouse_btn); };
    // One pump's events a frame; the last may come after the dialog. Clicks outside
    // also come quick: press and release in one pump, a release with a move right
    // behind it, a move between press and release.
    using pump_t = std::vector<evt_t>;
    struct row_t { std::vector<pump_t> in_dlg; int want; };
    const evt_t out_down{EVT_LBTN_DOWN, 100, 100}, out_up{EVT_LBTN_UP, 100, 100}, away{EVT_MOUSE_MOVE, 90, 104};
    const row_t rows[] = {{{{{EVT_LBTN_DOWN, 320, 220}}, {{EVT_LBTN_UP, 320, 220}}}, MODAL_OK},
                          {{{{EVT_KEY_UP, SDLK_ESCAPE, 0}}}, MODAL_CANCEL},
                          {{{out_down}, {out_up}}, MODAL_CANCEL},
                          {{{{EVT_RBTN_DOWN, 100, 100}}, {{EVT_RBTN_UP, 100, 100}}}, MODAL_CANCEL},
                          {{{{EVT_LBTN_DOWN, 350, 220}}, {}, {{EVT_LBTN_UP, 350, 220}}}, MODAL_OK},
                          {{{out_down, out_up}}, MODAL_CANCEL},
                          {{{out_down}, {out_up, away}}, MODAL_CANCEL},
                          {{{out_down, away, {EVT_LBTN_UP, 90, 104}}}, MODAL_CANCEL}};
    for (const row_t& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << &r - rows);
        reset_dbl_click();
        std::vector<pump_t> pumps{{{EVT_LBTN_DOWN, 20, 20}}, {{EVT_LBTN_UP, 20, 20}}};
        pumps.insert(pumps.end(), r.in_dlg.begin(), r.in_dlg.end());
        pumps.resize(pumps.size() + 6);
        frame_no = 0, script.clear();
        for (const pump_t& p : pumps)
            script.push_back([p] {
                if (!get_top_modal()) set_hover_link(L"test:below");
                for (const evt_t& e : p) {
                    if (e.code == EVT_MOUSE_MOVE || is_mouse_btn(e.code)) move_to(int(e.a), int(e.b));
                    post_evt(&e);
                }
            });
        script[script.size() - 3] = [] { set_modal_result(-7); };  // a dialog that did not close
        while (frame_no < script.size()) ASSERT_TRUE(do_frame());
        EXPECT_EQ(opener.result, r.want);
        EXPECT_EQ(clicks(s.evts) + clicks(under.inputs), 0);
        EXPECT_EQ(opened, 0);
    }
    // A click of the window's own still reaches it.
    click_at(100, 100);
    EXPECT_EQ(under.clicks, 1);
}
