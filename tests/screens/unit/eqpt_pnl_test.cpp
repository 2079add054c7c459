// The equipment panel: weapon sets, experience with "升级！", and the load.
#include "screens/unit/eqpt_pnl.h"

#include <gtest/gtest.h>

#include "rules/enum_ids.h"
#include "rules/itm_ids.h"
#include "rules/lv.h"
#include "screens/unit/lv_up_dlg.h"
#include "support/screen_sizes.h"
#include "ui/tab_ctrl.h"
#include "ui/tip.h"
#include "unit_screen.h"

TEST(EqptPnl, TheLevelUpButtonShowsExactlyAtTheThreshold) {
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        eqpt_pnl_t* eq = dlg->eqpt_bag()->eqpt_pnl();
        unit_t* u = dlg->get_unit();
        const int need = xp_for_lv(u->base.lv + 1);
        const auto set_xp = [&](int xp) { d.on_main([&] { u->xp = xp, eq->show_xp(); }); };
        set_xp(need - 1);
        EXPECT_FALSE(screen_driver_t::shown(eq->lv_up_btn()));
        EXPECT_EQ(screen_driver_t::plain(eq->xp_lbl()->text.c_str()), L" " + std::to_wstring(need - 1) + L" /" +
                                                                          std::to_wstring(need) + L" XP");
        set_xp(need);
        EXPECT_TRUE(screen_driver_t::shown(eq->lv_up_btn()));
        EXPECT_EQ(d.find(L"升级！"), eq->lv_up_btn());
        // The wizard on the unit: cancelled, nothing changes. Closed either
        // way, it leaves no press or release to the dialog under it.
        btn_tap_t* tap = nullptr;
        d.on_main([&] { tap = add_btn_tap(dlg); });
        ASSERT_TRUE(d.click(eq->lv_up_btn()));
        game::lv_up_dlg_t* w = get_lv_up_dlg();
        ASSERT_NE(w, nullptr);
        EXPECT_EQ(screen_driver_t::plain(w->fwd_btn()->text.c_str()), L"完成") << "the summary alone, first opened";
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        EXPECT_EQ(u->base.lv, 1);
        EXPECT_TRUE(screen_driver_t::shown(eq->lv_up_btn()));
        // A premade character takes its gains from its plan: only the summary to confirm.
        ASSERT_TRUE(d.click(eq->lv_up_btn()));
        ASSERT_EQ(get_lv_up_dlg(), w);
        EXPECT_EQ(w->tabs()->cur_tab(), LVP_FINISH);
        ASSERT_TRUE(d.click(w->fwd_btn()));
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        EXPECT_EQ(u->base.lv, 2);
        EXPECT_EQ(get_unit_dlg(), dlg);
        EXPECT_EQ(dlg->get_unit(), u);
        EXPECT_FALSE(screen_driver_t::shown(eq->lv_up_btn())) << "the next level needs more";
        EXPECT_EQ(tap->heard, 0);
    });
}

TEST(EqptPnl, AWeaponSetButtonSwapsTheHandsAndTellsTheDialog) {
    in_unit_screen([] {
        eqpts_t& e = g_pty.units.front()->eqpts;
        e.slots[EQ_MAIN] = itm_slot_t(ITM_SWD_M, 1);
        e.slots[EQ_OFF] = itm_slot_t(ITM_SHD1, 1);
        e.sets[1][0] = itm_slot_t(ITM_BOW_S, 1);  // set 3: the bow
        e.cur_set = 0;
    }, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        eqpt_pnl_t* eq = dlg->eqpt_bag()->eqpt_pnl();
        unit_t* u = dlg->get_unit();
        EXPECT_TRUE(eq->set_btn(0)->is_checked());
        const Str load_before = eq->load_lbl()->text;
        ASSERT_TRUE(d.click(eq->set_btn(2)));
        EXPECT_EQ(u->eqpts.cur_set, 2);
        EXPECT_TRUE(eq->set_btn(2)->is_checked());
        EXPECT_FALSE(eq->set_btn(0)->is_checked());
        EXPECT_EQ(u->eqpts.slots[EQ_MAIN].id, ITM_BOW_S);
        EXPECT_TRUE(u->eqpts.slots[EQ_OFF].empty());
        EXPECT_EQ(eq->slot_btn(EQ_OFF)->img, nullptr) << "the shield's picture went with it";
        EXPECT_NE(eq->load_lbl()->text, load_before);  // the bow weighs less than sword and shield
        ASSERT_TRUE(d.click(eq->set_btn(0)));
        EXPECT_EQ(u->eqpts.slots[EQ_MAIN].id, ITM_SWD_M);
        EXPECT_EQ(u->eqpts.slots[EQ_OFF].id, ITM_SHD1);
        EXPECT_EQ(eq->set_btn(1)->tip, Str(L"武器组2"));
    });
}

TEST(EqptPnl, TheLoadShowsWeightLimitAndTheLevelsAbove) {
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        eqpt_pnl_t* eq = dlg->eqpt_bag()->eqpt_pnl();
        unit_t* u = dlg->get_unit();
        const eqpts_t& e = u->eqpts;
        const std::wstring shown = screen_driver_t::plain(eq->load_lbl()->text.c_str());
        EXPECT_EQ(shown.substr(0, shown.find(L' ')), std::to_wstring(int(e.weight())));
        EXPECT_NE(shown.find(L"/" + std::to_wstring(e.load_cap(1))), std::wstring::npos);
        const std::wstring tip = eq->load_lbl()->tip.c_str();
        EXPECT_EQ(tip.rfind(L"<b>当前负重 / 最大无减值负重:\n\n", 0), 0u);
        EXPECT_NE(tip.back(), L'\n');
        EXPECT_NE(tip.find(L"(>" + std::to_wstring(e.load_floor(2)) + L" 磅)"), std::wstring::npos);
        EXPECT_NE(tip.find(L"无法移动"), std::wstring::npos);  // an overload stops the bearer
        EXPECT_EQ(tip.find(L"小体型"), std::wstring::npos) << "a medium character";
        // At the smallest window the table shows whole under the figure, inside the dialog.
        d.move_to(eq->load_lbl()->rc);
        ASSERT_TRUE(d.wait_for([&] { return get_tip_shown_wnd() == eq->load_lbl(); }, "the load tip"));
        const rect r = get_tip_wnd()->rc, l = eq->load_lbl()->rc, g = dlg->rc;
        EXPECT_TRUE(r.x >= g.x && r.x + r.w <= l.x + l.w && r.y >= l.y + l.h && r.y + r.h <= g.y + g.h);
        const rtext_t& t = get_tip_wnd()->rtext;  // the overload row, 无法移动 last, on one line
        int over = 0;
        while (over < t.item_count() - 1 && t.item(over)->ch != U'超') ++over;
        EXPECT_EQ(t.item(t.item_count() - 1)->line, t.item(over)->line);
        d.on_main([&] { u->drv.size = SIZE_SMALL; });
        EXPECT_NE(screen_driver_t::plain(load_tip(u).c_str()).find(L"小体型角色自动换用小体型装备"), std::wstring::npos);
    }, screen_opts_t::sized(min_scr.w, min_scr.h));
}
