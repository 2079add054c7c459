#include "ui/wnd.h"

#include <tuple>

#include "app/draw_text.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {
pt_t pos(const wnd_t& w) { return {w.rc.x, w.rc.y}; }
}  // namespace

class Wnd : public loop_test_t {};

TEST_F(Wnd, CreationPlacesInTheParentsClientArea) {
    rec_wnd_t p("p", root(), {100, 50, 300, 200});
    const int m[4] = {5, 6, 7, 8};
    p.set_margins(m);
    wnd_t plain, outer, unlinked;
    const rect r{1, 2, 3, 4};
    plain.create(0, &p, nullptr, 0, 0, nullptr);
    outer.create(WS_OUTER_POS, &p, &r, 0, 0, nullptr);
    unlinked.create(WS_UNLINKED, &p, &r, 0, 0, nullptr);
    EXPECT_EQ(plain.rc, (rect{105, 57, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE}));
    EXPECT_EQ(outer.rc, (rect{101, 52, 3, 4}));
    rect rel;
    EXPECT_EQ(*outer.get_rel_rect(&rel), (rect{-4, -5, 3, 4}));
    EXPECT_TRUE(unlinked.parent == &p && p.children.size() == 2);
}

TEST_F(Wnd, DeletedWindowLeavesItsParentAndTheInputState) {
    rec_wnd_t p("p", root(), {0, 0, 300, 200});
    auto* c = new rec_wnd_t("c", &p, {0, 0, 50, 50});
    rec_wnd_t grandchild("g", c, {0, 0, 10, 10});
    move_to(5, 5);
    frame_update();
    set_focus_wnd(c);
    reg_owned_wnd(c);
    delete c;
    EXPECT_TRUE(p.children.empty() && !grandchild.parent && !get_focus_wnd() && owned_wnd_count() == 0);
}

TEST_F(Wnd, InputGoesToChildrenLastFirstSkippingHiddenAndDisabled) {
    rec_wnd_t p("p", root(), {0, 0, 300, 200}), first("first", &p, {0, 0, 10, 10});
    rec_wnd_t hidden("hidden", &p, {0, 0, 10, 10}, WS_HIDDEN), disabled("disabled", &p, {0, 0, 10, 10}, WS_DISABLED);
    rec_wnd_t last("last", &p, {0, 0, 10, 10});
    std::vector<std::string> order;
    for (rec_wnd_t* w : {&first, &hidden, &disabled, &last})
        w->hook = [&order, &last, w](const evt_t&) { return order.push_back(w->name), w != &last; };
    const evt_t e{EVT_BATTLE_START, 0, 0};
    EXPECT_TRUE(p.on_input(&e));
    EXPECT_EQ(order, (std::vector<std::string>{"last", "first"}));
    p.style |= WS_NO_INPUT;
    EXPECT_FALSE(p.on_input(&e));
}

TEST_F(Wnd, RightAndMiddleClicksNeedPressAndReleaseOnTheSameWindow) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}), b("b", root(), {100, 10, 50, 50});
    struct row_t { uint32_t down, up, click; };
    for (const row_t r : {row_t{EVT_RBTN_DOWN, EVT_RBTN_UP, EVT_RCLICK}, {EVT_MBTN_DOWN, EVT_MBTN_UP, EVT_MCLICK}}) {
        route_at(r.down, 20, 20);
        route_at(r.up, 110, 20);
        EXPECT_EQ(a.heard(r.click) + b.heard(r.click), 0);
        route(r.down, 110, 20);
        route(r.up, 111, 22);
        EXPECT_EQ(b.heard(r.click), 1);
    }
}

TEST_F(Wnd, KeysNeedTheFocusInsideButAHotKeyClicksOnKeyUpAndStillBubbles) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}), a1("a1", &a, {10, 10, 5, 5}), other("other", root(), {100, 100, 5, 5});
    for (uint32_t code : {EVT_KEY_DOWN, EVT_WHEEL_UP}) {
        const evt_t e{code, 'k', 0};
        set_focus_wnd(&other);
        a.on_input(&e);
        EXPECT_EQ(a.heard(code), 0) << std::hex << code;
        set_focus_wnd(&a1);
        a.on_input(&e);
        EXPECT_EQ(a.heard(code), 1) << std::hex << code;
    }
    set_focus_wnd(&other);
    a.hot_key = SDLK_RETURN;
    route(EVT_KEY_DOWN, SDLK_RETURN, 0);
    route(EVT_KEY_UP, SDLK_RETURN, 0);
    EXPECT_EQ((std::vector<int>{a.clicks, a.heard(EVT_COMMAND), a.heard(EVT_KEY_UP)}), (std::vector<int>{1, 1, 1}));
    // Hot key 0 is none: not even a key event with code 0 clicks it.
    const evt_t zero_up{EVT_KEY_UP, 0, 0};
    other.on_input(&zero_up);
    EXPECT_EQ(other.clicks, 0);
}

TEST_F(Wnd, HitTestFindsTheLaterOfOverlappingSiblings) {
    rec_wnd_t a("a", root(), {10, 10, 50, 50}), b("b", root(), {30, 30, 50, 50});
    for (auto [x, y, want] : {std::tuple{40, 40, &b}, {15, 15, &a}, {79, 79, &b}, {80, 80, nullptr}}) {
        const pt_t p{x, y};
        EXPECT_EQ(root()->hit_test(&p), want) << x << "," << y;
    }
}

TEST_F(Wnd, HeldRepeatButtonWaitsThenRepeatsUntilReleased) {
    rec_wnd_t b("b", root(), {0, 0, 20, 20}, WS_REPEAT);
    input_state().pressed = input_state().hover = &b;
    repeat_clock(1, 0.3), repeat_clock(1, 0.03);  // both clocks start from zero
    get_frame_timer()->dt = 0.016;
    const evt_t idle{EVT_IDLE, 0, 0}, up{EVT_LBTN_UP, 0, 0};
    auto commands_at = [&](int ticks) {
        std::vector<int> at;
        for (int t = 1; t <= ticks; ++t)
            if (b.on_input(&idle)) at.push_back(t);
        return at;
    };
    // 19 ticks pass 0.3 s, then every second tick passes 0.03 s.
    EXPECT_EQ(commands_at(25), (std::vector<int>{21, 23, 25}));
    EXPECT_EQ(b.heard(EVT_COMMAND), 3);
    b.on_input(&up);  // a release waits out the first delay again
    EXPECT_EQ(commands_at(20), (std::vector<int>{}));
    input_state().hover = root();
    EXPECT_EQ(commands_at(30), (std::vector<int>{}));  // not under the mouse: no repeat
}

TEST_F(Wnd, NotifyBubblesToTheAncestorsThenTheScene) {
    struct answering_wnd_t : rec_wnd_t {
        using rec_wnd_t::rec_wnd_t;
        bool on_msg(const evt_t& m, wnd_t* sender) override { return rec_wnd_t::on_msg(m, sender), m.code == 0xB000; }
    };
    answering_wnd_t p("p", root(), {0, 0, 300, 200});
    rec_wnd_t c("c", &p, {0, 0, 10, 10});
    rec_scene_t s("s");
    push_scene(&s, true);
    EXPECT_TRUE(c.notify({0xB000, 0, 0}));
    EXPECT_TRUE(s.evts.empty() || s.evts.back() != 0xB000);
    EXPECT_FALSE(c.notify({0xB001, 0, 0}));
    EXPECT_EQ(s.evts.back(), 0xB001u);
    // The sender stays the window that sent it.
    EXPECT_EQ(p.msgs.back(), (std::pair<uint32_t, wnd_t*>(0xB001, &c)));
}

TEST_F(Wnd, ChildrenPaintByLayerThenInChildOrder) {
    const rect r{0, 0, 10, 10};
    rec_wnd_t modal("modal", root(), r), a("a", root(), r), hidden("hidden", root(), r, WS_HIDDEN), b("b", root(), r);
    rec_wnd_t below("below", root(), r), top("top", root(), r), a_child("a_child", &a, r);
    modal.set_layer(LAYER_MODAL), below.set_layer(-1), top.set_layer(0x7FFFFFFF);
    root()->paint_children();
    EXPECT_EQ(calls, (std::vector<std::string>{"a drawn", "a_child drawn", "b drawn", "modal drawn"}));
}

TEST_F(Wnd, DockingFillsAndCentresInTheRemainingBoundsAndAutoSizeFitsHiddenChildren) {
    rec_wnd_t p("p", root(), {100, 100, 400, 300});
    p.padding = 10, p.gap = 4;
    rec_wnd_t left("left", &p, {0, 0, 50, 20}, WS_DOCK_LEFT | WS_FILL_H);
    rec_wnd_t topbar("top", &p, {0, 0, 30, 25}, WS_DOCK_TOP | WS_FILL_W);
    rec_wnd_t right("right", &p, {0, 0, 40, 20}, WS_DOCK_RIGHT);
    rec_wnd_t bottom("bottom", &p, {0, 0, 30, 15}, WS_DOCK_BOTTOM);
    rec_wnd_t hidden("hidden", &p, {0, 0, 30, 15}, WS_DOCK_LEFT | WS_HIDDEN);
    rec_wnd_t centre("centre", &p, {0, 0, 20, 10}, WS_CENTRE_X | WS_CENTRE_Y);
    p.arrange();
    EXPECT_EQ(left.rc, (rect{110, 110, 50, 280}));
    EXPECT_EQ(topbar.rc, (rect{164, 110, 326, 25}));
    EXPECT_EQ(right.rc, (rect{450, 100, 40, 20}));
    EXPECT_EQ(bottom.rc, (rect{100, 375, 30, 15}));
    EXPECT_EQ(hidden.rc, (rect{100, 100, 30, 15}));
    // Centred in what the docked windows left: x 164..445, y 139..370.
    EXPECT_EQ(centre.rc, (rect{295, 250, 20, 10}));
    EXPECT_EQ(std::pair(left.heard(EVT_LAYOUT_DONE), hidden.heard(EVT_LAYOUT_DONE)), std::pair(1, 0));
    // An automatic size fits all children, hidden ones too.
    rec_wnd_t q("q", root(), {0, 0, 10, 10}, WS_AUTO_W | WS_AUTO_H);
    q.padding = 4;
    rec_wnd_t c("c", &q, {4, 4, 50, 20}), h("h", &q, {4, 30, 80, 20}, WS_HIDDEN);
    q.arrange();
    EXPECT_EQ(q.rc, (rect{0, 0, 83, 53}));
}

TEST_F(Wnd, GroupsCentreTheirMembersInsideThePaddingClearOfDockedWindows) {
    rec_wnd_t p("p", root(), {0, 0, 400, 300});
    p.padding = 10;
    rec_wnd_t a("a", &p, {0, 0, 50, 20}, WS_ROW_GROUP), b("b", &p, {0, 0, 30, 40}, WS_ROW_GROUP | WS_COL_GROUP);
    rec_wnd_t c("c", &p, {0, 0, 20, 60}, WS_COL_GROUP), hidden("h", &p, {0, 0, 99, 99}, WS_ROW_GROUP | WS_HIDDEN);
    p.arrange();
    // Row: 10 + (400 - 20 - 80) / 2; column: 10 + (300 - 20 - 100) / 2.
    EXPECT_EQ((std::vector<int>{a.rc.x, b.rc.x, b.rc.y, c.rc.y}), (std::vector<int>{160, 210, 100, 140}));
    // The gap separates members but is not part of the centred width.
    rec_wnd_t q("q", root(), {0, 0, 200, 100});
    q.gap = 8;
    rec_wnd_t d("d", &q, {0, 0, 50, 10}, WS_ROW_GROUP), e("e", &q, {0, 0, 50, 10}, WS_ROW_GROUP);
    q.arrange();
    EXPECT_EQ(std::pair(d.rc.x, e.rc.x), std::pair(50, 108));
    rec_wnd_t r("r", root(), {0, 0, 200, 100});
    rec_wnd_t side("side", &r, {0, 0, 60, 10}, WS_DOCK_LEFT), g("g", &r, {0, 0, 100, 10}, WS_ROW_GROUP);
    r.arrange();
    EXPECT_EQ(g.rc.x, 60);  // centred at 50 it would run under the docked window: it gives way
}

TEST_F(Wnd, ResizeClampsMovesOrGrowsChildrenByTheirOwnAxisAndIgnoresTheSameSize) {
    rec_wnd_t p("p", root(), {0, 0, 100, 100});
    rec_wnd_t mover("mover", &p, {10, 10, 20, 20}, WS_MOVE_W), sinker("sinker", &p, {10, 10, 20, 20}, WS_MOVE_H);
    rec_wnd_t grower("grower", &p, {10, 10, 20, 20}, WS_GROW_W | WS_MOVE_W | WS_GROW_H);
    p.resize(150, 130);
    EXPECT_EQ(mover.rc, (rect{60, 10, 20, 20}));
    EXPECT_EQ(sinker.rc, (rect{10, 40, 20, 20}));
    EXPECT_EQ(grower.rc, (rect{10, 10, 70, 50}));
    p.min_sz = {120, 120}, p.max_sz = {140, 140};
    p.resize(5, 5000);
    EXPECT_EQ(p.rc, (rect{0, 0, 120, 140}));
    p.text = L"label";
    p.resize(120, 140);  // the same size: nothing moves, the text stays laid out
    EXPECT_TRUE(mover.rc.x == 30 && !p.text_dirty);
}

TEST_F(Wnd, CheckingARadioMemberUnchecksItsGroupOnly) {
    rec_wnd_t p("p", root(), {0, 0, 100, 100}), other("other", root(), {0, 0, 10, 10});
    rec_wnd_t a("a", &p, {0, 0, 10, 10}, WS_CHECKED), b("b", &p, {0, 0, 10, 10}, WS_CHECKED);
    rec_wnd_t c("c", &p, {0, 0, 10, 10}, WS_CHECKED), cousin("cousin", &other, {0, 0, 10, 10}, WS_CHECKED);
    a.radio_grp = b.radio_grp = cousin.radio_grp = 1, c.radio_grp = 2;
    b.set_checked(true);
    EXPECT_EQ((std::vector<bool>{a.is_checked(), b.is_checked(), c.is_checked(), cousin.is_checked()}),
              (std::vector<bool>{false, true, true, true}));
}

TEST_F(Wnd, MoveCarriesDescendantsHonoursEdgeFlagsAndReportsBothAxesAtOnce) {
    struct moved_wnd_t : rec_wnd_t {
        std::vector<pt_t> moves;
        using rec_wnd_t::rec_wnd_t;
        void on_moved(int dx, int dy) override { moves.push_back({dx, dy}); }
    };
    rec_wnd_t p("p", root(), {100, 100, 300, 300});
    moved_wnd_t c("c", &p, {10, 10, 40, 20});
    rec_wnd_t g("g", &c, {1, 1, 5, 5});
    c.move_to(50, 30, 0);
    c.move_to(50, 30, 0);
    EXPECT_EQ(c.moves, (std::vector<pt_t>{{40, 20}}));
    const std::pair<int, pt_t> rows[] = {{1, {110, 130}}, {4, {130, 130}}, {2, {150, 110}}, {8, {150, 120}}};
    for (const auto& [flags, want] : rows) {
        c.move_to(50, 30, flags);
        EXPECT_EQ(pos(c), want) << flags;
        EXPECT_EQ(pos(g), (pt_t{want.x + 1, want.y + 1})) << flags;
    }
}

TEST(WndText, AutoSizedWindowFitsItsTextAndDrawsItAtTheClientOrigin) {
    font_env_t::up();
    wnd_t w, row;
    const rect r{20, 30, 300, 100};
    w.create(WS_AUTO_W | WS_AUTO_H, nullptr, &r, 0, 0, nullptr);
    const int m[4] = {2, 3, 4, 5};
    w.set_margins(m);
    w.border_w = row.border_w = 8;
    w.bg_clr = 0, w.text_clr = 0xFF00FF00;
    w.set_text(L"Tarnwick", true);
    size t;
    measure_text(&t, L"Tarnwick", FONT_DEF, 3, UNLIMITED, UNLIMITED);
    ASSERT_GT(t.w, 0);
    EXPECT_EQ(std::pair(w.rc.w, w.rc.h), std::pair(t.w + 16 + 5, t.h + 16 + 9));
    font_env_t::clear_black();
    w.paint();
    const auto lit = font_env_t::read_lit({0, 0, 400, 200});
    // The first glyph's ink may start left of the pen by its own bearing.
    const int ink_x = get_font(FONT_DEF)->get_glyph(U'T')->ink_x;
    EXPECT_TRUE(lit.bounds.x >= 30 + ink_x && lit.bounds.y >= 41) << lit.bounds.x << " " << lit.bounds.y;
    EXPECT_EQ((std::pair(lit.max_r, lit.max_g)), (std::pair(0, 0xFF)));
    row.create(WS_AUTO_W, nullptr, &r, 0, 0, nullptr);
    for (int i = 0; i < 3; ++i) row.set_text(L"Tarnwick", true);
    EXPECT_EQ(row.rc.h, 100);  // the height is not automatic and stays
    font_env_t::down();
}
