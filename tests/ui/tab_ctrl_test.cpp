#include "ui/tab_ctrl.h"

#include "ui/li.h"
#include "ui/lv.h"
#include "support/font_env.h"
#include "support/owner_test.h"

using namespace harness;

namespace {
// Logs the control's messages as "code:index".
struct owner_t : wnd_t {
    std::vector<std::string> log;
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        if (dynamic_cast<tab_ctrl_t*>(sender) && m.code >= EVT_SEL_MADE && m.code <= EVT_TAB_PAGE_LAID_OUT) {
            char buf[32];
            snprintf(buf, sizeof buf, "%X:%d", unsigned(m.code), int(m.code == EVT_SEL_MADE ? m.b : m.a));
            log.push_back(buf);
        }
        return wnd_t::on_msg(m, sender);
    }
    std::vector<std::string> take() { return std::exchange(log, {}); }
};
using strs = std::vector<std::string>;
}  // namespace

class Tabs : public owner_test_t<owner_t> {
protected:
    // Laid out unless `laid` is false, which leaves the first layout to the test.
    template <class T>
    T* make(T* t, uint32_t ex, int tabs, bool laid = true) {
        t->ex_style = ex;
        add_child(t, &own, 0, {0, 0, 600, 400});
        for (int i = 0; i < tabs; ++i) t->add_tab(Str(L"tab %d", i), nullptr, uintptr_t(i));
        if (laid) own.arrange();
        return t;
    }
};

TEST_F(Tabs, FirstSelectionMakesThePageThenReselectionOnlyShowsIt) {
    tab_ctrl_t* t = make(new_tab_ctrl(), TCX_ROW, 3);
    EXPECT_EQ(t->tab_page(0), nullptr);
    t->select_tab(0);
    EXPECT_EQ(own.take(), (strs{"A02D:0", "A030:0", "A02F:0", "A02B:0"}));
    t->select_tab(2);
    EXPECT_EQ(own.take(), (strs{"A02E:0", "A02D:2", "A030:2", "A02F:2", "A02B:2"}));
    wnd_t* p0 = t->tab_page(0);
    ASSERT_NE(p0, nullptr);
    EXPECT_TRUE(p0->is_hidden());
    t->select_tab(0);
    EXPECT_EQ(own.take(), (strs{"A02E:2", "A02F:0", "A02B:0"}));
    EXPECT_FALSE(p0->is_hidden());
    EXPECT_TRUE(t->tab_page(2)->is_hidden());
    EXPECT_EQ(t->page_index(t->tab_page(2)), 2);
    EXPECT_EQ(t->page_index(nullptr), -1);
    // The page fills the container under the strip.
    EXPECT_EQ(t->strip->rc, (rect{0, 0, 600, 40}));
    EXPECT_EQ(p0->rc, (rect{0, 40, 600, 360}));
}

TEST_F(Tabs, EagerPagesExistAtOnceAndSwitchWithoutPageMessages) {
    tab_ctrl2_t* t = make(new_tab_ctrl2(), TCX_COL, 0, false);
    wnd_t* p0 = t->add_tab(L"a", nullptr, 0);
    wnd_t* p1 = t->add_tab(L"b", nullptr, 0);
    ASSERT_TRUE(p0 && p1);
    t->select_tab(1);  // not laid out yet: switched directly
    EXPECT_EQ(t->cur_tab(), 1);
    EXPECT_TRUE(p0->is_hidden());
    EXPECT_FALSE(p1->is_hidden());
    own.arrange();
    own.take();
    t->select_tab(0);
    EXPECT_EQ(own.take(), (strs{"A02B:0"}));
    EXPECT_FALSE(p0->is_hidden());
    EXPECT_TRUE(p1->is_hidden());
    EXPECT_EQ(t->strip->rc.w, 128);
    EXPECT_EQ(p0->rc, (rect{128, 0, 472, 400}));
}

TEST_F(Tabs, NoTabsAndNavigation) {
    tab_ctrl_t* none = make(new_tab_ctrl(), TCX_ROW, 0);
    EXPECT_EQ(none->cur_tab(), -1);
    EXPECT_EQ(none->tab_count(), 0);
    for (int code = TAB_FIRST; code <= TAB_NEXT_ENABLED; ++code) none->select_nav(code);
    EXPECT_EQ(none->cur_tab(), -1);
    EXPECT_TRUE(own.take().empty());

    tab_ctrl_t* t = make(new_tab_ctrl(), TCX_ROW, 5);
    struct row_t { int code, from, want; };
    auto run = [&](std::initializer_list<row_t> rows) {
        for (const row_t r : rows) {
            t->select_tab(r.from);
            ASSERT_EQ(t->cur_tab(), r.from);
            t->select_nav(r.code);
            EXPECT_EQ(t->cur_tab(), r.want) << r.code;
        }
    };
    run({{TAB_LAST, 0, 4}, {TAB_PREV, 3, 2}, {TAB_NEXT, 3, 4}, {TAB_FIRST, 3, 0}});
    // Marked tabs 0 and 4 are passed over by the plain searches.
    t->tab_item(0)->flags |= TAB_ITEM_MARK;
    t->tab_item(4)->flags |= TAB_ITEM_MARK;
    run({{TAB_FIRST_PLAIN, 4, 1}, {TAB_LAST_PLAIN, 0, 3}, {TAB_PREV_PLAIN, 4, 3}, {TAB_NEXT_PLAIN, 0, 1}});
    t->tab_item(0)->flags &= ~TAB_ITEM_MARK;
    t->tab_item(4)->flags &= ~TAB_ITEM_MARK;
    // Disabled tabs 1 and 3 by the enabled searches.
    t->enable_tab(1, false);
    t->enable_tab(3, false);
    run({{TAB_FIRST_ENABLED, 4, 0}, {TAB_LAST_ENABLED, 0, 4}, {TAB_PREV_ENABLED, 4, 2}, {TAB_NEXT_ENABLED, 0, 2}});
    // No match, a start outside the tabs, or an unknown code: nothing changes.
    t->select_tab(2);
    own.take();
    t->enable_tab(0, false);
    for (int code : {int(TAB_PREV_ENABLED), -1012, 7}) {
        t->select_nav(code);
        EXPECT_EQ(t->cur_tab(), 2) << code;
    }
    t->enable_tab(0, true);
    t->select_tab(0);
    t->select_nav(TAB_PREV_PLAIN);  // nothing before the first
    t->select_nav(TAB_PREV);
    EXPECT_EQ(t->cur_tab(), 0);
    t->reset();
    EXPECT_EQ(t->cur_tab(), -1);
    EXPECT_FALSE(t->tab_item(0)->is_selected());
}

TEST_F(Tabs, APickTheOwnerRefusesKeepsTheCurrentTabButCodeStillSelects) {
    tab_ctrl_t* t = make(new_tab_ctrl(), TCX_ROW, 3);
    t->can_pick = [t](int i) { return i < t->cur_tab(); };  // back only
    t->select_tab(1);
    own.take();
    t->strip->select(2);  // what a click on the strip does
    EXPECT_EQ(own.take(), strs{});
    EXPECT_EQ(t->cur_tab(), 1);
    EXPECT_EQ(t->strip->sel, 1);
    EXPECT_TRUE(t->tab_item(1)->is_selected());
    EXPECT_FALSE(t->tab_item(2)->is_selected());
    t->strip->select(0);
    EXPECT_EQ(t->cur_tab(), 0);
    t->select_nav(TAB_LAST);
    EXPECT_EQ(t->cur_tab(), 2);
}
