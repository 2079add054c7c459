// The bag panel: its pages of fifty slots, the page buttons and the funds.
#include "screens/unit/bag_pnl.h"

#include <gtest/gtest.h>

#include "rules/itm_ids.h"
#include "unit_screen.h"

TEST(BagPnl, PageButtonsShowTheirFiftySlotsAndOtherPagesKeepTheCurrentOne) {
    in_unit_screen([] {
        g_pty.bag[0] = itm_slot_t(ITM_SWD_M, 1);
        g_pty.bag[199] = itm_slot_t(ITM_RING_DFLC, 1);
        g_pty.gold = 1234;
    }, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        bag_pnl_t* bag = dlg->eqpt_bag()->bag_pnl();
        EXPECT_EQ(bag->get_page(), 0);
        EXPECT_EQ(bag->itm_btn(0)->slot, &g_pty.bag[0]);
        EXPECT_EQ(bag->itm_btn(50), nullptr);
        ASSERT_TRUE(d.click(bag->page_btn(3)));
        EXPECT_EQ(bag->get_page(), 3);
        EXPECT_TRUE(bag->page_btn(3)->is_checked());
        EXPECT_FALSE(bag->page_btn(0)->is_checked());
        EXPECT_EQ(bag->itm_btn(49)->slot, &g_pty.bag[199]);
        EXPECT_NE(bag->itm_btn(49)->img, nullptr);
        d.on_main([&] {
            bag->set_page(4);
            bag->set_page(-1);
        });
        EXPECT_EQ(bag->get_page(), 3);
        EXPECT_EQ(bag->itm_btn(0)->slot, &g_pty.bag[150]);
        EXPECT_NE(screen_driver_t::plain(funds_text().c_str()).find(L"234"), std::wstring::npos);
        EXPECT_EQ(d.find_tip(L"队伍资金")->text, funds_text());
        // Funds spent elsewhere show once the panel takes the next unit.
        d.on_main([] { g_pty.gold = 5678; });
        d.key(SDLK_RIGHT);
        EXPECT_EQ(d.find_tip(L"队伍资金")->text, funds_text());
        // Right-clicked on the last page, the ring goes on; taken off, it lands in
        // the first free slot, on the first page, and the last page stays shown.
        ASSERT_TRUE(d.rclick(bag->itm_btn(49)));
        EXPECT_EQ(dlg->get_unit()->eqpts.slots[EQ_RING].id, ITM_RING_DFLC);
        EXPECT_EQ(bag->itm_btn(49)->img, nullptr);
        ASSERT_TRUE(d.rclick(dlg->eqpt_bag()->eqpt_pnl()->slot_btn(EQ_RING)));
        EXPECT_EQ(g_pty.bag[1].id, ITM_RING_DFLC);
        EXPECT_TRUE(bag->get_page() == 3 && bag->page_btn(3)->is_checked());
        ASSERT_TRUE(d.click(bag->page_btn(0)));
        EXPECT_NE(bag->itm_btn(1)->img, nullptr);
    });
}
