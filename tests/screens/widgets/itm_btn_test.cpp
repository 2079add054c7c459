// The item button: what it draws over the item's picture (count, bonus,
// the shade of an item the shown unit cannot use), what it lets drag, and
// which tooltip it shows.
#include "screens/widgets/itm_btn.h"

#include <gtest/gtest.h>

#include "app/img_cache.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/unit.h"
#include "screens/text/itm_desc.h"
#include "support/screen_canvas.h"
#include "ui/drag.h"
#include "ui/tip.h"

namespace {
itm_btn_t* add_btn(itm_slot_t* s, int x, int y) {
    auto* b = new itm_btn_t;
    b->create(WND_ROOT, x, y, 48, 3, 0, nullptr);
    b->set_item(s);
    reg_owned_wnd(b);
    return b;
}
}  // namespace

TEST(ItmBtn, CountsBonusesAndTheShadeOfItemsTheUnitCannotUse) {
    in_game([&](screen_driver_t& d) {
        itm_slot_t one(ITM_BOW_A, 1), two(ITM_BOW_A, 2);
        itm_btn_t* b = nullptr;
        d.on_main([&] { b = add_btn(&one, 0, 0); });
        const rect count_box{24, 24, 24, 24}, rest{0, 0, 24, 48};
        EXPECT_EQ(inked(drawn(d, [&] { b->draw_count(); }), {0, 0, 128, 128}), 0) << "a stack of one shows no count";
        b->set_item(&two);
        auto px = drawn(d, [&] { b->draw_count(); });
        EXPECT_GT(inked(px, count_box), 0) << "a stack of two shows its count";
        EXPECT_EQ(inked(px, rest), 0) << "in the bottom right corner";

        // An enchantment bonus stands at the top right.
        itm_slot_t plain(ITM_SWD_M, 1), magic(ITM_SWD_M, 1);
        magic.set_bonus(2);
        b->set_item(&plain);
        // The picture is found under its one lower-case folder name.
        ASSERT_NE(get_img_name(b->img), nullptr);
        EXPECT_EQ(std::wstring(get_img_name(b->img)), L"items/swd_m");
        const auto no_bonus = drawn(d, [&] { b->draw_content(); });
        b->set_item(&magic);
        const auto bonus = drawn(d, [&] { b->draw_content(); });
        EXPECT_NE(no_bonus, bonus);
        EXPECT_EQ(std::vector<uint32_t>(no_bonus.begin() + 128 * 24, no_bonus.end()),
                  std::vector<uint32_t>(bonus.begin() + 128 * 24, bonus.end()))
            << "only the top half changes";

        // The unit the dialog shows shades what it is not proficient with.
        unit_t nobody;  // holds no proficiency
        itm_slot_t tower(ITM_SHD4, 1);
        ASSERT_FALSE(nobody.is_proficient(tower));
        b->set_item(&tower);
        const auto clear = drawn(d, [&] { b->draw_content(); });
        set_itm_btn_unit(&nobody);
        const auto shaded = drawn(d, [&] { b->draw_content(); });
        set_itm_btn_unit(nullptr);
        EXPECT_NE(clear, shaded);
    });
}

TEST(ItmBtn, AnEmptyButtonNeitherDragsNorHidesItsOwnTooltip) {
    in_game([&](screen_driver_t& d) {
        itm_slot_t none, arrows(ITM_BOW_A, 12);
        itm_btn_t *empty = nullptr, *full = nullptr;
        d.on_main([&] {
            empty = add_btn(&none, 200, 200);
            empty->tip = L"主手";
            full = add_btn(&arrows, 300, 200);
        });
        d.frames(1);
        EXPECT_EQ(empty->drag_flags, 0u);
        ASSERT_TRUE(d.click(empty));
        EXPECT_FALSE(is_dragging());
        d.drag({224, 224}, {400, 400}, 4);
        EXPECT_FALSE(is_dragging());

        // A full one is picked up with its count as the drag's word.
        ASSERT_TRUE(d.click(full));
        ASSERT_TRUE(is_dragging());
        EXPECT_EQ(get_drag_src(), full);
        EXPECT_EQ(*get_drag_data(), 12u);
        d.key(SDLK_ESCAPE);
        EXPECT_FALSE(is_dragging());

        // Resting over the empty one shows its own text; over the full one the item's.
        d.move_to(224, 224);
        ASSERT_TRUE(d.wait_for([] { return get_tip_shown_wnd() != nullptr; }, "the tip", 60));
        EXPECT_EQ(get_tip_shown_wnd(), empty);
        EXPECT_EQ(screen_driver_t::plain(get_tip_wnd()->text.c_str()), L"主手");
        d.move_to(324, 224);
        ASSERT_TRUE(d.wait_for([&] { return get_tip_shown_wnd() == full; }, "the item's tip", 60));
        EXPECT_EQ(get_tip_wnd()->text, txt::itm_desc(arrows));
        EXPECT_NE(std::wstring(get_tip_wnd()->text.c_str()).find(L"<h2>"), std::wstring::npos);
        EXPECT_EQ(get_tip_req().anchor, full->rc);
    });
}
