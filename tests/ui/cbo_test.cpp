#include "ui/cbo.h"

#include "support/font_env.h"
#include "support/owner_test.h"
#include "ui/menu.h"

using namespace harness;

namespace {

// The combo box's owner: records the selection message and answers as told.
struct owner_t : msg_owner_t {
    bool keep(uint32_t code) const override { return code == EVT_SEL_MADE; }
};

class Cbo : public owner_test_t<owner_t> {
protected:
    cbo_t* box = nullptr;
    int menu_seps = -1, menu_items = -1;

    void SetUp() override {
        owner_test_t::SetUp();
        const rect r{100, 50, 120, 24};
        box = new_cbo();
        box->create(0, &own, &r, 7, 0, nullptr);
        reg_owned_wnd(box);
        for (const wchar_t* s : {L"一", L"二", L"_SEP_", L"三"}) box->add_str(s);
    }
    // Opens the box and clicks the menu entries at these indexes in turn (-1: outside the menu).
    void choose(std::vector<int> clicks) {
        now_ms = 0, frame_no = 0;
        reset_dbl_click();
        script = {nullptr, nullptr, nullptr};
        for (int i : clicks) {
            script.push_back([this, i] {
                menu_t* m = get_popup_menu();
                menu_items = int(m->items.size());
                menu_seps = 0;
                for (li_t* it : m->items) menu_seps += (it->flags & LIF_SEP) ? 1 : 0;
                post_click(i >= 0 ? m->get_level(0)->item_rect(i) : rect{700, 500, 10, 10});
            });
            script.push_back(nullptr);
        }
        click_at(110, 60);
    }
};

TEST_F(Cbo, SeparatorStringIsASeparatorAndIndexesMatchTheStrings) {
    choose({3});
    EXPECT_EQ(std::pair(menu_items, menu_seps), std::pair(4, 1));
    EXPECT_EQ(own.args(EVT_SEL_MADE), (std::vector<std::pair<intptr_t, intptr_t>>{{-1, 3}}));
    EXPECT_EQ(box->get_sel(), 3);
    EXPECT_EQ(box->text, Str(L"三"));
    EXPECT_EQ(get_popup_menu()->get_level(0)->rc.y, 50 + 24 - 1);  // opens under the box
    choose({2, -1});  // the separator chooses nothing and keeps the menu open; outside ends it
    EXPECT_EQ(own.args(EVT_SEL_MADE).size(), 1u);
    EXPECT_EQ(box->get_sel(), 3);
}

TEST_F(Cbo, OwnerAnsweringTheChoiceKeepsTheText) {
    box->set_sel(0);
    own.answer = true;
    choose({1});
    EXPECT_EQ(own.args(EVT_SEL_MADE), (std::vector<std::pair<intptr_t, intptr_t>>{{0, 1}}));
    EXPECT_EQ(box->get_sel(), 0);
    EXPECT_EQ(box->text, Str(L"一"));
}

TEST_F(Cbo, InvalidIndexEmptiesTheBox) {
    box->set_sel(1);
    EXPECT_EQ(box->text, Str(L"二"));
    box->set_sel(4);
    EXPECT_EQ(std::pair(box->get_sel(), box->text.empty()), std::pair(-1, true));
    box->set_sel(-3);
    EXPECT_EQ(box->count(), 4);
}

}  // namespace
