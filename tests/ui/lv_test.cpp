#include "ui/lv.h"

#include <SDL.h>

#include "app/font.h"
#include "app/render.h"
#include "app/tex.h"
#include "ui/tip.h"
#include "ui/tool_bar2.h"
#include "support/font_env.h"
#include "support/owner_test.h"

using namespace harness;

namespace {

// Records the messages a list sends up.
struct owner_t : msg_owner_t {
    bool keep(uint32_t code) const override { return code != EVT_PAINT && code != EVT_COMMAND; }
};

class Lv : public owner_test_t<owner_t> {
protected:
    lv_t lv;

    // A list at r with n items "0".."n-1", laid out: the suite's own unless another is given.
    void make(uint32_t ex, rect r, int n, int kind = LIK_SINGLE, lv_t* l = nullptr) {
        if (!l) l = &lv;
        l->create_ex(ex, 0, &own, &r);
        for (int i = 0; i < n; ++i) l->add_item(Str(L"%d", i), nullptr, nullptr, 0, i, 0, 0, nullptr)->kind = kind;
        l->relayout();
    }
    void click_item(int i) {
        const rect r = lv.item_rect(i);
        click_at(r.x + r.w / 2, r.y + r.h / 2);
    }
};

TEST_F(Lv, GridColumnsFromTheWidthAndNeverFewerThanOne) {
    make(0, {0, 0, 200, 400}, 12);
    EXPECT_EQ(lv.item_rect(7), (rect{80, 40, 40, 40}));  // column 2, row 1
    EXPECT_EQ(lv.content_sz, (size{200, 120}));
    int part;
    EXPECT_EQ(lv.item_at(85, 45, &part), 7);
    EXPECT_EQ(part, LIP_ITEM);
    EXPECT_EQ(lv.item_at(85, 125, &part), -1);  // past the last row
    // Narrower than one item: one column, and hit tests do not divide by zero.
    lv.resize(30, 600);
    lv.relayout();
    EXPECT_EQ(lv.item_rect(3), (rect{0, 120, 40, 40}));
    EXPECT_EQ(lv.item_at(5, 125, &part), 3);
    lv.resize(0, 600);
    lv.relayout();
    EXPECT_EQ(lv.item_rect(2).x, 0);
    // Higher than the view: the columns leave room for the scroll bar.
    lv.resize(200, 100);
    lv.relayout();
    EXPECT_EQ(lv.content_sz.w, 160);
}

TEST_F(Lv, ColumnAndRowGeometry) {
    make(LVX_COL, {10, 20, 150, 300}, 4);
    lv.set_item_gap(2);
    lv.relayout();
    EXPECT_EQ(lv.item_rect(2), (rect{10, 20 + 84, 150, 40}));
    EXPECT_EQ(lv.rows_h(3), 124);
    EXPECT_EQ(lv.cols_w(0), 0);
    lv.set_visible_rows(2);
    EXPECT_EQ(lv.rc.h, 82);
    lv.relayout();
    EXPECT_EQ(lv.item_sz.w, 150 - 16);  // content higher than the view
    lv_t row;
    make(LVX_ROW, {0, 0, 400, 50}, 3, LIK_SINGLE, &row);
    EXPECT_EQ(row.item_rect(2), (rect{80, 0, 40, 50}));
    EXPECT_EQ(row.content_sz, (size{120, 50}));
}

TEST_F(Lv, ToggleItemClickedTwiceIsUnselectedWithTwoNotifications) {
    make(LVX_COL, {0, 0, 200, 300}, 3, LIK_TOGGLE);
    click_item(1);
    EXPECT_TRUE(lv.items[1]->is_selected());
    click_item(1);
    EXPECT_EQ(std::tuple(lv.items[1]->is_selected(), lv.sel), std::tuple(false, -1));
    EXPECT_EQ(own.args(EVT_SEL_MADE), (std::vector<std::pair<intptr_t, intptr_t>>{{-1, 1}, {1, -1}}));
}

TEST_F(Lv, CommandItemChosenOnlyByPressAndReleaseOnIt) {
    make(LVX_COL, {0, 0, 200, 300}, 3, LIK_COMMAND);
    const rect a = lv.item_rect(0), b = lv.item_rect(2);
    route_at(EVT_LBTN_DOWN, a.x + 5, a.y + 5);
    EXPECT_EQ(lv.pressed, 0);
    route_at(EVT_LBTN_UP, b.x + 5, b.y + 5);
    EXPECT_EQ(std::pair(own.count(EVT_SEL_MADE), lv.pressed), std::pair(0, -1));
    click_item(2);
    EXPECT_EQ(own.args(EVT_SEL_MADE), (std::vector<std::pair<intptr_t, intptr_t>>{{-1, 2}}));
    EXPECT_EQ(std::tuple(lv.sel, lv.items[2]->is_selected()), std::tuple(-1, false));
}

TEST_F(Lv, AClickInThePumpThatMovedTheMouseChoosesTheItemUnderIt) {
    for (const int kind : {LIK_SINGLE, LIK_COMMAND}) {
        lv_t l;
        make(LVX_COL, {0, 0, 200, 300}, 3, kind, &l);
        const rect a = l.item_rect(0), b = l.item_rect(2);
        route_at(EVT_MOUSE_MOVE, a.x + 5, a.y + 5);  // the last frame saw the mouse over item 0
        move_to(b.x + 5, b.y + 5);
        for (const uint32_t code : {EVT_MOUSE_MOVE, EVT_LBTN_DOWN, EVT_LBTN_UP}) {
            const evt_t e{code, b.x + 5, b.y + 5};
            dispatch_evt(&e);
        }
        const auto made = own.args(EVT_SEL_MADE);
        ASSERT_FALSE(made.empty()) << "kind " << kind;
        EXPECT_EQ(made.back().second, 2) << "kind " << kind;
        own.got.clear();
    }
}

TEST_F(Lv, SetSingleAndToggleSingleKinds) {
    make(LVX_COL, {0, 0, 200, 300}, 3, LIK_SET);
    lv.select(0), lv.select(0);
    EXPECT_EQ(own.count(EVT_SEL_MADE), 1);  // the second changes nothing and says nothing
    lv.select(2);
    EXPECT_EQ(lv.get_sel_mask(), 4u);
    for (li_t* it : lv.items) it->kind = LIK_SINGLE;
    lv.select(2);
    EXPECT_EQ(lv.sel, 2);  // without the deselect bit a single item stays selected
    lv.ex_style |= LVX_DESELECT;
    lv.select(2);
    EXPECT_EQ(lv.sel, -1);
    lv.style |= LVS_KEEP_SEL;
    lv.select(1), lv.select(1);
    EXPECT_EQ(lv.sel, 1);
    for (li_t* it : lv.items) it->kind = LIK_TOGGLE_SINGLE;
    lv.select(0);
    EXPECT_EQ(lv.get_sel_mask(), 1u);
    lv.select(0);
    EXPECT_EQ(lv.get_sel_mask(), 0u);
    lv.set_sel_mask(6);
    EXPECT_EQ(lv.sel, 2);
}

TEST_F(Lv, SeparatorsAndDisabledItemsAreNeverSelected) {
    make(LVX_COL, {0, 0, 200, 300}, 4);
    lv.items[0]->flags |= LIF_SEP;
    lv.items[1]->flags |= LIF_DISABLED;
    lv.items[0]->hot_key = lv.items[1]->hot_key = SDLK_a;
    set_focus_wnd(&lv);
    click_item(0), click_item(1);
    route(EVT_KEY_UP, SDLK_a, 0);
    EXPECT_EQ(own.count(EVT_SEL_MADE), 0);
    EXPECT_EQ(lv.sel, -1);
    EXPECT_FALSE(lv.select(0) || lv.select(1) || lv.select(-1) || lv.select(9));
    EXPECT_TRUE(lv.select_first());
    EXPECT_EQ(lv.sel, 2);
    lv.items[2]->flags |= LIF_DISABLED;
    lv.items[3]->flags |= LIF_SEP;
    lv.unselect_all();
    EXPECT_FALSE(lv.select_first());
}

TEST_F(Lv, HotKeySelectsTheFirstItemThatHasIt) {
    make(LVX_COL, {0, 0, 200, 300}, 4, LIK_TOGGLE);
    lv.items[1]->hot_key = lv.items[3]->hot_key = SDLK_b;
    set_focus_wnd(&lv);
    route(EVT_KEY_UP, SDLK_b, 0);
    EXPECT_EQ(lv.get_sel_mask(), 2u);
    route(EVT_KEY_UP, 0, 0);  // a key code 0 matches no item
    EXPECT_EQ(lv.get_sel_mask(), 2u);
}

TEST_F(Lv, RemovingAnItemFixesTheSelectedAndCurrentIndexes) {
    make(LVX_COL, {0, 0, 200, 300}, 5);
    lv.select(3);
    const rect r = lv.item_rect(3);
    move_to(r.x + 5, r.y + 5), frame_update();
    ASSERT_EQ(lv.cur, 3);
    lv.remove_item(1);
    EXPECT_EQ(std::tuple(lv.sel, lv.cur, lv.items[2]->is_selected()), std::tuple(2, 2, true));
    lv.remove_item(2);  // the selected one: the item now there is selected
    EXPECT_EQ(lv.sel, 2);
    EXPECT_EQ(lv.items[2]->label, Str(L"4"));
    lv.remove_item(2);  // the last one: the new last is selected
    EXPECT_EQ(std::pair(lv.sel, lv.cur), std::pair(1, 1));
    lv.remove_item(7);
    EXPECT_EQ(lv.count(), 2);
    lv.clear();
    EXPECT_EQ(std::pair(lv.sel, lv.cur), std::pair(-1, -1));
}

TEST_F(Lv, CheckBoxesToggleOnPressAndNoInputStillAnswersTipsAndLaysOut) {
    make(LVX_COL | LVX_CHECKS, {0, 0, 200, 300}, 2);
    lv.items[0]->tip = L"first tip";
    const rect c = lv.item_part_rect(0, LIP_CHECK);
    ASSERT_EQ(c.w, 16);
    click_at(c.x + 2, c.y + 2);
    EXPECT_TRUE(lv.items[0]->is_checked());
    EXPECT_EQ(own.args(EVT_CHECK), (std::vector<std::pair<intptr_t, intptr_t>>{{0, 0}}));
    EXPECT_EQ(lv.sel, -1);  // a hot check box selects nothing
    lv.style |= LVS_NO_INPUT;
    const rect t = lv.item_rect(1);
    click_at(t.x + 30, t.y + 5);
    EXPECT_EQ(lv.sel, -1);
    lv.tip_item = 0;
    get_tip_req().reset();
    EXPECT_TRUE(lv.on_msg({EVT_TIP_QUERY, 0, 0}, &lv));
    EXPECT_EQ(get_tip_req().text, Str(L"first tip"));
    EXPECT_EQ(get_tip_req().anchor, lv.item_rect(0));
    // A label cut short, and no tip of its own: the label whole is its tip.
    lv.add_item(L"<el>a label far too long for its row</el>", nullptr, nullptr, 0, 0, 0, 0, nullptr);
    EXPECT_EQ(lv.content_sz.h, 120);
    lv.tip_item = 2;
    EXPECT_TRUE(lv.on_msg({EVT_TIP_QUERY, 0, 0}, &lv));
    EXPECT_EQ(get_tip_req().text, Str(L"a label far too long for its row"));
    lv.tip_item = 1;  // whole
    EXPECT_FALSE(lv.on_msg({EVT_TIP_QUERY, 0, 0}, &lv));
}

TEST_F(Lv, SelectionAndHoverAreDrawnUnderTheItems) {
    make(LVX_COL, {0, 0, 100, 120}, 3);
    lv.bg_clr = 0xFF000000;
    lv.select(0);
    lv.items[2]->extra = 0xFF0000FF;
    font_env_t::clear_black();
    lv.paint();
    EXPECT_EQ(std::pair(canvas_t::px(1, 1), canvas_t::px(1, 81)), std::pair(0xFFFF8C00u, 0xFF0000FFu));
    lv.items[2]->flags |= LIF_DISABLED;
    lv.sel_look = 1;
    font_env_t::clear_black();
    lv.paint();
    EXPECT_EQ(canvas_t::px(1, 81), 0xFF333333u);
    EXPECT_EQ(canvas_t::px(0, 10), 0xFFFF8C00u);  // outlined, not filled
    EXPECT_EQ(canvas_t::px(5, 10), 0xFF000000u);
}

TEST_F(Lv, ScrollingMovesTheItemsUnderTheMouse) {
    make(LVX_COL, {0, 0, 100, 100}, 10);
    ASSERT_TRUE(lv.has_v);
    EXPECT_EQ(std::pair(lv.item_sz.w, lv.v_step), std::pair(100 - 16, 40));
    // A wheel turn under a tip: the next tip, after a rest, names the row now under the still mouse.
    for (li_t* it : lv.items) it->tip = it->label;
    const auto rested_tip = [] {
        for (int i = 0; i < 30 && !get_tip_shown_wnd(); ++i) frame_update();
        return std::wstring(get_tip_wnd()->text.c_str());
    };
    move_to(10, 50);
    EXPECT_EQ(rested_tip(), L"1");
    route(EVT_WHEEL_DOWN, 10, 50);
    int part;
    const int now = lv.item_at(10, 50, &part);
    ASSERT_GT(now, 1);
    EXPECT_EQ(rested_tip(), lv.items[size_t(now)]->tip.c_str());
    hide_tip();
    lv.scroll_v_to(80);
    EXPECT_EQ(lv.item_rect(2).y, 0);
    EXPECT_EQ(lv.item_at(10, 5, &part), 2);
    lv.scroll_v_to(100000);
    EXPECT_EQ(lv.pos_y(), 400 - 100);
}

TEST_F(Lv, ToolStripSizesItselfToItsItems) {
    tool_bar_t2 strip;
    const rect r{0, 0, 10, 10};
    strip.create_ex(LVX_ROW, 0, &own, &r);
    for (int i = 0; i < 4; ++i) strip.add_item(nullptr, nullptr, nullptr, 0, i, 0, 0, nullptr);
    strip.set_item_gap(2);
    strip.relayout();
    EXPECT_EQ(strip.rc.w, 4 * 40 + 3 * 2);
    EXPECT_FALSE(strip.has_h);
}

// Renders its items in one colour, through the owner-draw hook.
struct painted_lv_t : lv_t {
    int drawn = 0;
    void owner_draw(li_t*, int, const rect& r) override {
        const clr_t red{0xFFFF0000u};
        fill_rect(&r, &red);
        ++drawn;
    }
};

TEST_F(Lv, CachedItemsAreRenderedOnceAndMarkersReportTheirClicks) {
    painted_lv_t p;
    const rect r{0, 0, 200, 100};
    p.create_ex(LVX_COL | LVX_CACHE | LVX_MARKERS, 0, &own, &r);
    p.bg_clr = 0xFF000000;
    zg::tex_t mark;
    ASSERT_TRUE(mark.create({16, 16}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET));
    for (int i = 0; i < 2; ++i) p.add_item(L"x", nullptr, nullptr, 0, i, 0, 0, nullptr)->marker = &mark;
    p.relayout();
    ASSERT_NE(p.items[0]->cache, nullptr);
    EXPECT_EQ(p.drawn, 2);
    font_env_t::clear_black();
    p.paint();
    const rect in = p.item_part_rect(1, LIP_INNER);
    EXPECT_EQ(canvas_t::px(in.x + 1, in.y + 1), 0xFFFF0000u);
    EXPECT_EQ(p.drawn, 2);  // drawing uses the textures
    const rect m = p.item_part_rect(1, LIP_MARKER);
    ASSERT_EQ(std::pair(m.w, m.h), std::pair(16, 16));
    EXPECT_EQ(m.x + m.w, in.x + in.w);
    click_at(m.x + 3, m.y + 3);
    EXPECT_EQ(own.args(EVT_MARKER_CLICK), (std::vector<std::pair<intptr_t, intptr_t>>{{1, 0}}));
    EXPECT_EQ(p.sel, -1);
    p.clear();  // the cached textures go with their items
}

}  // namespace
