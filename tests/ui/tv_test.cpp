#include "ui/tv.h"

#include <SDL.h>

#include "app/ini.h"
#include "ui/tip.h"
#include "support/font_env.h"
#include "support/owner_test.h"

using namespace harness;

namespace {
struct owner_t : msg_owner_t {
    bool keep(uint32_t c) const override { return c == EVT_SEL_MADE || c == EVT_CHECK || c == EVT_CUR_CHANGED; }
};

Str cfg_key(const char* name, const wchar_t* what) { return Str::from_a(name) + L"." + what; }
}  // namespace

class Tv : public owner_test_t<owner_t> {
protected:
    tv_t tv;
    ti_t *a = nullptr, *a1 = nullptr, *a2 = nullptr, *b = nullptr, *b1 = nullptr, *c = nullptr;
    // A (A1, A2), B (B1 hidden), C fixed; nothing expanded.
    void make(uint32_t style, rect r = {10, 10, 300, 200}) {
        tv.create(style, &own, &r, 0, 0, nullptr);
        a = tv.add_node(L"A", 0, 0, 0, nullptr, 0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
        a1 = tv.add_node(L"A1", 0, 0, 0, nullptr, 0, a, ti_ref_t::LAST_CHILD);
        a2 = tv.add_node(L"A2", 0, 0, 0, nullptr, 0, a, ti_ref_t::LAST_CHILD);
        b = tv.add_node(L"B", 0, 0, 0, nullptr, 0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
        b1 = tv.add_node(L"B1", TIF_HIDDEN, 0, 0, nullptr, 0, b, ti_ref_t::LAST_CHILD);
        c = tv.add_node(L"C", TIF_FIXED, 0, 0, nullptr, 0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
        tv.relayout();
    }
    void key(int k, int mods = 0) { tv.on_msg({EVT_KEY_DOWN, k, mods}, &tv); }
    std::vector<ti_t*> top() const { return tv.root.children; }
    // The mouse over r for a frame, then the event `then` there when one is given.
    void hover(const rect& r, uint32_t then = 0) {
        move_to(r.x + r.w / 2, r.y + r.h / 2);
        frame_update();
        tv.on_msg({EVT_FRAME, 0, 0}, &tv);
        if (then) tv.on_msg({then, 0, 0}, &tv);
    }
};

TEST_F(Tv, ReferencesAndPreorderRows) {
    make(0);
    using r = ti_ref_t;
    EXPECT_EQ((std::vector<ti_t*>{tv.resolve(r::FIRST), tv.resolve(r::LAST), tv.resolve(r::FIRST_CHILD, a),
                                  tv.resolve(r::LAST_CHILD2, a), tv.resolve(r::FIRST_CHILD, c), tv.child_at(1, r::ROOT),
                                  tv.child_at(3, r::ROOT)}),
              (std::vector<ti_t*>{a, c, a1, a2, nullptr, b, nullptr}));
    // Inserted after the first child.
    ti_t* mid = tv.add_node(L"mid", 0, 0, 0, nullptr, 0, a, a1);
    EXPECT_EQ(a->children, (std::vector<ti_t*>{a1, mid, a2}));
    tv.relayout();
    EXPECT_EQ((std::vector<int>{a->lay.pre_idx, a1->lay.pre_idx, mid->lay.pre_idx, b->lay.pre_idx, c->lay.pre_idx}),
              (std::vector<int>{0, 1, 2, 4, 6}));
    EXPECT_EQ((std::vector<int>{a->get_row(), a1->get_row(), b->get_row(), c->get_row()}),
              (std::vector<int>{0, -1, 1, 2}));
    tv.expand_top();
    EXPECT_EQ((std::vector<int>{a1->get_row(), mid->get_row(), b->get_row(), b1->get_row(), c->get_row()}),
              (std::vector<int>{1, 2, 4, -1, 5}));
    int visited = 0;
    tv.for_each([&](ti_t*) { return ++visited < 3; }, ti_ref_t::ROOT, true);
    EXPECT_EQ(visited, 3);
    tv.fit_to_content();
    EXPECT_EQ(tv.rc, (rect{tv.rc.x, tv.rc.y, 200, 6 * 24}));
}

TEST_F(Tv, RepeatedLayoutsKeepTheRowsAsWideAsTheView) {
    make(0, {10, 10, 300, 60});  // short: the rows overflow and the bar shows
    tv.expand_top();
    const rect first = tv.row_rect(a);
    for (int i = 0; i < 30; ++i) tv.relayout();
    const rect again = tv.row_rect(a);
    EXPECT_EQ(again.w, first.w);
    rect v;
    tv.view_rect(&v);
    EXPECT_EQ(again.w, v.w);
}

TEST_F(Tv, NodesAddedBeforeTheFirstLayoutGetTheirRowsFromIt) {
    create_at(tv, &own, {10, 10, 300, 200}, WS_FILL_W);
    ti_t* n = tv.add_node(L"n", 0, 0, 0, nullptr, 0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD);
    EXPECT_EQ(n->get_row(), -1);
    own.arrange();
    EXPECT_EQ(n->get_row(), 0);
    EXPECT_EQ(tv.rc.w, 800);
}

TEST_F(Tv, ALongCaptionIsOneRowCutAtItsEdgeAndWholeInItsTip) {
    make(TVS_CHECKS, {10, 10, 120, 200});
    ti_t* n = tv.add_node(L"Greater Weapon Specialization", 0, 0, 0, nullptr, 0, a, ti_ref_t::LAST_CHILD);
    tv.expand_top();
    font_env_t::clear_black();
    tv.paint();
    const rect row = tv.row_rect(n), ink = font_env_t::read_lit(row).bounds;
    EXPECT_LE(ink.x + ink.w, row.x + row.w - tv.tv_margin) << "cut at the row's edge, not clipped by the view";
    for (ti_t* hovered : {n, a1}) {
        hover(tv.row_rect(hovered));
        const bool tip = tv.on_msg({EVT_TIP_QUERY, 0, 0}, &tv);
        EXPECT_EQ(tip ? get_tip_req().text : Str(L"none"), hovered == n ? n->caption : L"none");
    }
    // Its check box taken after the layout, the caption takes the room at the next paint.
    const int w = n->text.get_rect().w;
    n->flags |= TIF_NO_CHECK;
    tv.paint();
    EXPECT_GT(n->text.get_rect().w, w);
}

TEST_F(Tv, HiddenChildrenGiveNoExpanderAndRightDoesNothing) {
    make(0);
    EXPECT_GT(tv.expander_rect(a).w, 0);
    EXPECT_EQ(tv.expander_rect(b).w, -1);
    tv.select(b);
    key(SDLK_RIGHT);
    EXPECT_FALSE(b->is_expanded());
    EXPECT_EQ(tv.sel, b);
    tv.select(a);
    key(SDLK_RIGHT);
    EXPECT_TRUE(a->is_expanded());
    key(SDLK_RIGHT);
    EXPECT_EQ(tv.sel, a1);
    key(SDLK_LEFT);
    EXPECT_EQ(tv.sel, a);
    key(SDLK_LEFT);
    EXPECT_FALSE(a->is_expanded());
}

TEST_F(Tv, SelectingInsideACollapsedBranchExpandsIt) {
    make(0);
    tv.select(a2);
    EXPECT_TRUE(a->is_expanded());
    EXPECT_EQ(a2->get_row(), 2);
    EXPECT_EQ(own.count(EVT_SEL_MADE), 1);
    tv.select(a2);  // no change, no message
    EXPECT_EQ(own.count(EVT_SEL_MADE), 1);
    // A filtered node is selected without opening anything.
    tv.select(b1);
    EXPECT_FALSE(b->is_expanded());
}

TEST_F(Tv, UpAndDownWalkTheShownRows) {
    make(0);
    tv.select(a);
    key(SDLK_RIGHT);
    std::vector<ti_t*> seen;
    for (int i = 0; i < 5; ++i) key(SDLK_DOWN), seen.push_back(tv.sel);
    EXPECT_EQ(seen, (std::vector<ti_t*>{a1, a2, b, c, c}));
    key(SDLK_UP), key(SDLK_UP), key(SDLK_UP);
    EXPECT_EQ(tv.sel, a1);
}

TEST_F(Tv, CtrlKeysReorderSiblingsButNotPastTheEndsOrFixedNodes) {
    make(TVS_REORDER);
    tv.select(c);
    key(SDLK_HOME, KMOD_LCTRL);  // fixed: stays last
    EXPECT_EQ(top(), (std::vector<ti_t*>{a, b, c}));
    tv.select(b);
    key(SDLK_DOWN, KMOD_LCTRL);  // the next sibling is fixed
    EXPECT_EQ(top(), (std::vector<ti_t*>{a, b, c}));
    key(SDLK_UP, KMOD_LCTRL);
    EXPECT_EQ(top(), (std::vector<ti_t*>{b, a, c}));
    key(SDLK_UP, KMOD_LCTRL);  // already first
    EXPECT_EQ(top(), (std::vector<ti_t*>{b, a, c}));
    key(SDLK_END, KMOD_LCTRL);
    EXPECT_EQ(top(), (std::vector<ti_t*>{a, c, b}));
    tv.select(a2);
    key(SDLK_DOWN, KMOD_LCTRL);  // the last sibling
    EXPECT_EQ(a->children, (std::vector<ti_t*>{a1, a2}));
    key(SDLK_HOME, KMOD_LCTRL);
    EXPECT_EQ(a->children, (std::vector<ti_t*>{a2, a1}));
    // Without the style nothing moves.
    tv.style &= ~TVS_REORDER;
    key(SDLK_END, KMOD_LCTRL);
    EXPECT_EQ(a->children, (std::vector<ti_t*>{a2, a1}));
}

TEST_F(Tv, ChecksToggleBySpaceAndClickButNotWhenGreyed) {
    make(TVS_CHECKS);
    c->flags |= TIF_CHECK_OFF;
    b->flags |= TIF_NO_CHECK;
    EXPECT_EQ(tv.check_rect(b).w, -1);
    tv.select(a);
    key(SDLK_SPACE);
    EXPECT_TRUE(a->has(TIF_CHECKED));
    tv.select(c);
    key(SDLK_SPACE);
    EXPECT_FALSE(c->has(TIF_CHECKED));
    const rect box = tv.check_rect(a);
    hover(box);
    EXPECT_EQ(tv.hot_chk, a);
    tv.on_msg({EVT_LBTN_DOWN, 0, 0}, &tv);
    EXPECT_FALSE(a->has(TIF_CHECKED));
    hover(tv.check_rect(c), EVT_LBTN_DOWN);
    EXPECT_FALSE(c->has(TIF_CHECKED));
    ASSERT_EQ(own.count(EVT_CHECK), 2);
    EXPECT_EQ(own.got.back().a, reinterpret_cast<intptr_t>(a));
    // Ticking two boxes quickly: the second press arrives as a double click.
    tv.select(a);
    tv.toggle(a, 0);
    hover(tv.check_rect(a1), EVT_LBTN_DOWN);
    hover(tv.check_rect(a2), EVT_LBTN_DBL);
    EXPECT_TRUE(a1->has(TIF_CHECKED));
    EXPECT_TRUE(a2->has(TIF_CHECKED));
}

TEST_F(Tv, MousePressSelectsRowsAndTogglesExpanders) {
    make(0);
    hover(tv.row_rect(b));
    EXPECT_EQ(tv.hot, b);
    EXPECT_EQ(own.count(EVT_CUR_CHANGED), 1);
    click_at(tv.row_rect(b).x + 150, tv.row_rect(b).y + 5);
    EXPECT_EQ(tv.sel, b);
    hover(tv.expander_rect(a));
    EXPECT_EQ(tv.hot_exp, a);
    tv.on_msg({EVT_LBTN_DOWN, 0, 0}, &tv);
    EXPECT_TRUE(a->is_expanded());
    EXPECT_EQ(tv.sel, b);
    // A double click on a row toggles it.
    hover(tv.row_rect(a), EVT_LBTN_DBL);
    EXPECT_FALSE(a->is_expanded());
}

TEST_F(Tv, AClickInThePumpThatMovedTheMouseSelectsTheRowUnderIt) {
    make(0);
    hover(tv.row_rect(a));  // the last frame saw the mouse over A
    const rect r = tv.row_rect(b);
    const int x = r.x + r.w / 2, y = r.y + r.h / 2;
    move_to(x, y);
    for (const uint32_t code : {EVT_MOUSE_MOVE, EVT_LBTN_DOWN, EVT_LBTN_UP}) {
        const evt_t e{code, x, y};
        dispatch_evt(&e);
    }
    EXPECT_EQ(tv.sel, b);
}

TEST_F(Tv, DraggingMovesTheSelectedSiblingBothWays) {
    make(TVS_REORDER);
    c->flags &= ~TIF_FIXED;
    tv.select(a);
    input_state().pressed = &tv;
    hover(tv.row_rect(c), EVT_MOUSE_MOVE);
    EXPECT_EQ(top(), (std::vector<ti_t*>{b, c, a}));
    hover(tv.row_rect(b), EVT_MOUSE_MOVE);
    EXPECT_EQ(top(), (std::vector<ti_t*>{a, b, c}));
    input_state().pressed = nullptr;
}

TEST_F(Tv, PositionIsKeptUnderTheStateNameOnly) {
    static const char name[] = "tv_test_tree";
    auto& cfg = CZsConfig::instance();
    auto& main = cfg.sections[L"Main"];
    main.erase(cfg_key(name, L"top_idx")), main.erase(cfg_key(name, L"sel_idx"));
    const size_t keys = main.size();
    make(0);
    tv.select(a2);
    tv.on_msg({EVT_CLOSING, 0, 0}, &tv);  // user word 0: nothing stored
    EXPECT_EQ(main.size(), keys);
    tv.user_word = reinterpret_cast<uintptr_t>(name);
    tv.on_msg({EVT_CLOSING, 0, 0}, &tv);
    EXPECT_EQ(cfg.get_int(cfg_key(name, L"sel_idx").c_str(), -9, L"Main"), 2);
    EXPECT_EQ(cfg.get_int(cfg_key(name, L"top_idx").c_str(), -9, L"Main"), 0);
    tv.select(c);
    tv.on_msg({EVT_LAYOUT_DONE, 0, 0}, &tv);
    EXPECT_EQ(tv.sel, a2);
    // An index the tree no longer has (or never had) is ignored.
    for (const wchar_t* bad : {L"6", L"-3", L"99999999999"}) {
        cfg.set_string(cfg_key(name, L"sel_idx").c_str(), bad, L"Main");
        cfg.set_string(cfg_key(name, L"top_idx").c_str(), bad, L"Main");
        tv.select(b);
        tv.on_msg({EVT_LAYOUT_DONE, 0, 0}, &tv);
        EXPECT_EQ(tv.sel, b) << bad;
    }
    main.erase(cfg_key(name, L"top_idx")), main.erase(cfg_key(name, L"sel_idx"));
}

TEST_F(Tv, TheSavedTopRowScrollsIntoView) {
    tv.create(0, &own, nullptr, 0, 0, nullptr);
    const rect r{10, 10, 300, 100};
    tv.set_rect(&r);
    std::vector<ti_t*> nodes;
    for (int i = 0; i < 20; ++i)
        nodes.push_back(tv.add_node(Str(L"n%d", i), 0, 0, 0, nullptr, 0, ti_ref_t::ROOT, ti_ref_t::LAST_CHILD));
    tv.relayout();
    tv.ensure_visible(nodes[10]);
    EXPECT_EQ(tv.pos_y(), 10 * 24);
    tv.ensure_visible(nodes[19]);
    EXPECT_EQ(tv.pos_y(), tv.max_y());
    rect v;
    tv.view_rect(&v);
    const rect last = tv.row_rect(nodes[19]);
    EXPECT_LE(last.y + last.h, v.y + v.h);  // the last row is whole at the end
    tv.select(nodes[0]);
    key(SDLK_DOWN);
    EXPECT_EQ(tv.sel, nodes[1]);
    // Scrolled up just far enough: the row's top (below the 4-pixel margin) at the view's top.
    EXPECT_EQ(tv.pos_y(), 24 + 4);
}
