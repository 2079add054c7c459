#include "ui/menu.h"

#include <SDL.h>

#include "app/loop.h"
#include "app/platform.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {

class Menu : public fonts_test_t<loop_test_t> {
protected:
    menu_t* m = nullptr;
    li_t *a = nullptr, *b = nullptr, *sep = nullptr, *c = nullptr, *a2 = nullptr;

    // "A" with two sub-items, "B", a separator, "C" disabled.
    void SetUp() override {
        loop_test_t::SetUp();
        m = get_popup_menu();
        m->clear();
        a = m->add_text_item(L"A", nullptr);
        m->add_text_item(L"A1", a)->id = 11;
        a2 = m->add_text_item(L"A2", a);
        a2->id = 12;
        a2->data = 1200;
        b = m->add_text_item(L"B", nullptr);
        b->id = 2;
        b->data = 200;
        sep = m->add_sep(nullptr);
        c = m->add_text_item(L"C", nullptr);
        c->flags |= LIF_DISABLED;
    }
    rect item(int level, int i) { return m->get_level(level)->item_rect(i); }
    // A step that moves the mouse onto p and presses and releases there.
    static std::function<void()> click(std::function<pt_t()> where) {
        return [where] { post_click(where()); };
    }
    static std::function<void()> hover(std::function<pt_t()> where) {
        return [where] {
            const pt_t p = where();
            move_to(p.x, p.y);
        };
    }
};

TEST_F(Menu, SubLevelOpensBesideItsItemAndAPlainSiblingClosesIt) {
    bool open_after_hover = false, open_after_sibling = true;
    rect sub{}, parent_item{};
    script = {nullptr, hover([&] { return centre(item(0, 0)); }),
              [&] {
                  open_after_hover = m->level_count() > 1 && !m->get_level(1)->is_hidden();
                  sub = m->get_level(1)->rc;
                  parent_item = item(0, 0);
                  move_to(centre(item(0, 1)).x, centre(item(0, 1)).y);
              },
              [&] {
                  open_after_sibling = !m->get_level(1)->is_hidden();
                  set_modal_result(MODAL_CANCEL);
              }};
    EXPECT_EQ(m->track_popup(100, 100, 0), -1);
    EXPECT_TRUE(open_after_hover);
    EXPECT_EQ(std::pair(sub.x, sub.y), std::pair(parent_item.x + parent_item.w, parent_item.y));
    EXPECT_FALSE(open_after_sibling);
    // After tracking every level is hidden and empty; the items stay in the menu.
    EXPECT_TRUE(m->get_level(0)->is_hidden() && m->get_level(0)->items.empty());
    EXPECT_EQ(m->items.size(), 4u);
}

TEST_F(Menu, ChoosingASubItemAnswersInEachForm) {
    const std::pair<int, intptr_t> forms[] = {{0, -1}, {MENU_RET_ID, 12}, {MENU_RET_DATA, 1200},
                                              {MENU_RET_ITEM, 0}};
    for (const auto& [flags, want] : forms) {
        now_ms = 0, frame_no = 0;
        script = {nullptr, hover([&] { return centre(item(0, 0)); }), hover([&] { return centre(item(1, 1)); }),
                  click([&] { return centre(item(1, 1)); })};
        const intptr_t got = m->track_popup(100, 100, flags);
        EXPECT_EQ(got, flags == MENU_RET_ITEM ? reinterpret_cast<intptr_t>(a2) : want) << flags;
    }
}

TEST_F(Menu, SeparatorAndDisabledClicksKeepItOpenUntilARealChoice) {
    int still_open = 0;
    auto count_open = [&] { still_open += get_top_modal() == m; };
    script = {nullptr, click([&] { return centre(item(0, 2)); }), count_open, click([&] { return centre(item(0, 3)); }),
              count_open, click([&] { return centre(item(0, 1)); })};
    EXPECT_EQ(m->track_popup(100, 100, 0), 1);
    EXPECT_EQ(still_open, 2);
    EXPECT_EQ(m->chosen, b);
}

TEST_F(Menu, ClickOutsideOrEscapeChoosesNothingInEveryForm) {
    const std::pair<int, intptr_t> forms[] = {{0, -1}, {MENU_RET_ID, 0}, {MENU_RET_DATA, 0}, {MENU_RET_ITEM, 0}};
    for (const auto& [flags, want] : forms) {
        now_ms = 0, frame_no = 0;
        script = {nullptr, click([] { return pt_t{5, 500}; })};
        EXPECT_EQ(m->track_popup(100, 100, flags), want) << flags;
        now_ms = 0, frame_no = 0;
        const evt_t esc{EVT_KEY_UP, SDLK_ESCAPE, 0};
        script = {nullptr, [esc] { post_evt(&esc); }};
        EXPECT_EQ(m->track_popup(100, 100, flags), want) << flags;
    }
}

TEST_F(Menu, MenuNearTheRightEdgeIsPulledInsideAndItsSubLevelOpensLeft) {
    rect r0{}, r1{}, a_rc{};
    script = {[&] { r0 = m->get_level(0)->rc; }, hover([&] { return centre(item(0, 0)); }),
              [&] {
                  r1 = m->get_level(1)->rc;
                  a_rc = item(0, 0);
                  set_modal_result(MODAL_CANCEL);
              }};
    const size scr = *get_scrn_size();
    m->track_popup(scr.w - 10, scr.h - 10, 0);
    EXPECT_EQ(r0.x + r0.w, scr.w);
    EXPECT_EQ(r0.y + r0.h, scr.h);
    EXPECT_GE(r0.w, 128);
    EXPECT_EQ(r1.x + r1.w, a_rc.x);  // the sub-level left of its item, over none of its level
    // Right-edge flag: the position names the level's right edge.
    script = {[&] {
        r0 = m->get_level(0)->rc;
        set_modal_result(MODAL_CANCEL);
    }};
    now_ms = 0, frame_no = 0;
    m->track_popup(400, 100, MOVE_AT_RIGHT);
    EXPECT_EQ(r0.x + r0.w, 400);
}

TEST_F(Menu, PopupWindowFillsTheMenuOnBeginAndHearsTheResultAtTheEnd) {
    struct popup_wnd_t : wnd_t {
        std::vector<intptr_t> ends;
        bool on_msg(const evt_t& e, wnd_t* s) override {
            if (e.code == EVT_POPUP_BEGIN) get_popup_menu()->add_text_item(L"only", nullptr);
            if (e.code == EVT_POPUP_END) ends.push_back(e.a);
            return wnd_t::on_msg(e, s);
        }
    } w;
    create_at(w, get_root_wnd(), {50, 60, 80, 20}, WS_POPUP_MENU);
    script = {nullptr, nullptr, nullptr, click([&] { return centre(item(0, 0)); })};
    click_at(55, 65);
    EXPECT_EQ(w.ends, (std::vector<intptr_t>{0}));
    EXPECT_EQ(m->items.size(), 1u);  // the menu was emptied before the handler filled it
    EXPECT_EQ(std::pair(m->get_level(0)->rc.x, m->get_level(0)->rc.y), std::pair(50, 60));
}

TEST_F(Menu, DeletingAnItemTakesItsSubItems) {
    m->del_item(nullptr, a);
    EXPECT_EQ(m->items.size(), 3u);
    m->del_item(nullptr, a);  // not there any more: nothing happens
    m->del_item(b, sep);
    EXPECT_EQ(m->item_vec(nullptr).front(), b);
    m->clear();
    EXPECT_TRUE(m->items.empty());
}

}  // namespace
