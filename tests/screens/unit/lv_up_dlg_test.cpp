// The character wizard: new characters by preset and custom builds, level-ups,
// the ability step's points, going back along the strip, Cancel.
#include "screens/unit/lv_up_dlg.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <utility>

#include "rules/bld.h"
#include "rules/bld_ids.h"
#include "rules/cls_ids.h"
#include "rules/enums.h"
#include "rules/lv.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/unit.h"
#include "screens/unit/pwr_pick.h"
#include "screens/unit/u_ctrl.h"
#include "support/mapped.h"
#include "ui/edt.h"
#include "ui/li.h"
#include "ui/memo_ctrl.h"
#include "ui/tab_ctrl.h"
#include "support/screen_sizes.h"
#include "wizard_steps.h"

namespace {
int cur_step(game::lv_up_dlg_t* w) { return w->tabs()->cur_tab(); }

std::vector<int> offered_steps(game::lv_up_dlg_t* w) {
    std::vector<int> v;
    for (int i = 0; i < LVP_COUNT; ++i)
        if (w->tabs()->tab_item(i)->selectable()) v.push_back(i);
    return v;
}

// Every "+" (or "-") enabled.
std::vector<bool> btns_on(game::lv_up_dlg_t* w, bool plus) {
    return mapped(6, [&](int i) { return w->abi_btn(i, plus)->is_enabled(); });
}
}  // namespace

TEST(LvUpDlg, HumansAndHalfElvesPickTheirBonusOthersTakeTheirRacesAdjustments) {
    in_wizard([&](screen_driver_t& d, game::lv_up_dlg_t* w) {
        click_item(d, w->bld_list(), 0);
        d.click(w->fwd_btn());
        for (int row = 0; row < 7; ++row) {
            click_item(d, w->race_list(), row);
            const int race = w->race_list()->get_item(row)->id;
            EXPECT_EQ(screen_driver_t::shown(w->bonus_list()), race == RACE_HUM || race == RACE_HF_ELF) << race;
        }
        // A half-elf with +2 Int.
        click_item(d, w->race_list(), 4);
        click_item(d, w->bonus_list(), 3);
        d.click(w->fwd_btn());
        click_item(d, w->cls_list(), 0);
        d.click(w->fwd_btn());
        spend_all_and_on(d, w);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(w->working().base.abi[i], spent[i] + (i == 3 ? 2 : 0)) << i;
        // A dwarf, after "重置": its own adjustments, whatever the bonus list said.
        d.click(w->reset_btn());
        EXPECT_EQ(cur_step(w), LVP_BUILD);
        custom_to_abis(d, w, 1, 0);
        EXPECT_FALSE(screen_driver_t::shown(w->bonus_list()));
        spend_all_and_on(d, w);
        const race_t* dwarf = get_race(RACE_DWF);
        for (int i = 0; i < 6; ++i) EXPECT_EQ(w->working().base.abi[i], spent[i] + dwarf->abi_adj[i]) << i;
        d.key(SDLK_ESCAPE);
    });
}

TEST(LvUpDlg, PointBuyStepsAndRefundsAcrossTheCostBoundariesAndTheLastPoint) {
    // Points spent on one ability from 8: a step costs 1 below 14, 2 for 14 and 15, 3 from 16.
    constexpr int spent_at[19] = {0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 2, 3, 4, 5, 6, 8, 10, 13, 16};
    in_wizard([&](screen_driver_t& d, game::lv_up_dlg_t* w) {
        custom_to_abis(d, w, 0, 0);  // a human with +2 Str
        // What the row and the label show: the score, the score with the race's bonus, the points left.
        const auto shows = [&](int abi, int score, int pts) {
            const std::wstring row = screen_driver_t::shown_chars(w->abi_list()->get_item(abi)->label.c_str());
            const std::wstring want = std::to_wstring(score) + std::to_wstring(score + (abi == 0 ? 2 : 0));
            EXPECT_TRUE(row.ends_with(want)) << to_utf8_string(row.c_str()) << " at " << score;
            EXPECT_EQ(screen_driver_t::plain(w->points_lbl()->text.c_str()), L"剩余点数：" + std::to_wstring(pts));
            EXPECT_EQ(w->points(), pts) << score;
            EXPECT_EQ(w->working().base.abi[abi], score);
        };
        shows(0, 8, 32);
        EXPECT_EQ(btns_on(w, false), std::vector<bool>(6, false)) << "nothing below 8";
        for (int s = 9; s <= 18; ++s) {
            d.click(w->abi_btn(0, true));
            shows(0, s, 32 - spent_at[s]);
        }
        EXPECT_FALSE(w->abi_btn(0, true)->is_enabled()) << "18 is the most";
        for (int s = 17; s >= 8; --s) {
            d.click(w->abi_btn(0, false));
            shows(0, s, 32 - spent_at[s]);
        }
        EXPECT_FALSE(w->abi_btn(0, false)->is_enabled());
        buy(d, w, 0, 10);  // Str 18: 16 left
        buy(d, w, 1, 6);   // Dex 14: 10 left
        buy(d, w, 2, 6);   // Con 14: 4 left
        buy(d, w, 3, 3);   // Int 11: 1 left
        shows(3, 11, 1);
        EXPECT_EQ(btns_on(w, true), (std::vector<bool>{false, false, false, true, true, true}));
        d.frames(1);
        EXPECT_FALSE(w->fwd_btn()->is_enabled()) << "a point is left";
        d.click(w->fwd_btn());
        EXPECT_EQ(cur_step(w), LVP_ABIS);
        d.click(w->abi_btn(0, false));
        shows(0, 17, 4);
        buy(d, w, 0, 1);
        buy(d, w, 3, 1);
        shows(3, 12, 0);
        d.frames(1);
        EXPECT_TRUE(w->fwd_btn()->is_enabled());
        d.key(SDLK_ESCAPE);
    });
}

TEST(LvUpDlg, CancelLeavesTheUnitALevelUpTakesOneIncreaseAlsoAfterGoingBackToTheStep) {
    screen_driver_t d;
    unit_t u, before;
    test_btn_t* b = nullptr;
    in_wizard(d, u, [&] { before = custom_fighter(u, 3); }, [&](game::lv_up_dlg_t* w) {
        d.click(w->abi_btn(2, true));
        d.click(w->fwd_btn());
        tick_learnable(d, w->feat_pick(), w->working(), 1);
        d.click(w->first_btn);
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        EXPECT_EQ(b->result, 0);
        EXPECT_EQ(std::tuple(u.base.lv, u.base.abi[2], u.pwrs.all.size()),
                  std::tuple(before.base.lv, before.base.abi[2], before.pwrs.all.size())) << "cancelled";
        // The next opening starts from the unit as it is.
        ASSERT_TRUE(d.click(b));
        ASSERT_EQ(get_lv_up_dlg(), w);
        EXPECT_EQ(std::pair(w->working().base.lv, w->working().base.abi[2]),
                  std::pair(before.base.lv + 1, before.base.abi[2]));
        EXPECT_EQ(offered_steps(w), (std::vector<int>{LVP_ABIS, LVP_PWRS, LVP_FINISH}));
        ASSERT_EQ(cur_step(w), LVP_ABIS);
        EXPECT_EQ(w->points(), 1);
        d.click(w->abi_btn(0, true));
        EXPECT_EQ(w->points(), 0);
        EXPECT_EQ(btns_on(w, true), std::vector<bool>(6, false));
        EXPECT_EQ(btns_on(w, false), (std::vector<bool>{true, false, false, false, false, false}));
        d.click(w->abi_btn(0, false));
        EXPECT_EQ(btns_on(w, true), std::vector<bool>(6, true)) << "taking it back frees the others";
        d.click(w->abi_btn(0, true));
        d.click(w->fwd_btn());
        ASSERT_EQ(cur_step(w), LVP_PWRS);
        EXPECT_EQ(w->working().base.abi[0], before.base.abi[0] + 1);
        // Back along the strip: the increase is undone with the point.
        click_tab(d, w->tabs(), LVP_ABIS);
        ASSERT_EQ(cur_step(w), LVP_ABIS);
        EXPECT_EQ(w->working().base.abi[0], before.base.abi[0]);
        EXPECT_EQ(w->points(), 1);
        EXPECT_EQ(btns_on(w, true), std::vector<bool>(6, true));
        d.click(w->abi_btn(1, true));
        d.click(w->fwd_btn());
        ASSERT_EQ(tick_learnable(d, w->feat_pick(), w->working(), 1).size(), 1u);
        EXPECT_EQ(w->feat_pick()->chosen().size(), 1u);
        d.click(w->fwd_btn());
        ASSERT_EQ(cur_step(w), LVP_FINISH);
        // The summary: the level and the ability that rose.
        const std::wstring summary = screen_driver_t::shown_chars(w->desc()->text.c_str());
        EXPECT_NE(summary.find(L"等级3->4"), std::wstring::npos);
        const std::wstring dex = Str(L"%s%d->%d(+1)", get_abi(1)->n, before.base.abi[1], before.base.abi[1] + 1).c_str();
        EXPECT_NE(summary.find(dex), std::wstring::npos) << to_utf8_string(summary.c_str());
        ASSERT_TRUE(d.click(w->fwd_btn()));
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        const int* a = before.base.abi;
        const int* ups = before.base.abi_ups;
        EXPECT_EQ(std::tuple(u.base.lv, u.base.abi[0], u.base.abi[1], u.base.abi_ups[0], u.base.abi_ups[1], u.hp),
                  std::tuple(4, a[0], a[1] + 1, ups[0], ups[1] + 1, u.drv.hp_max));
    }, &b);
}

TEST(LvUpDlg, APresetBuildKeepsOnlyTheMiscAndFinishSteps) {
    screen_driver_t d;
    unit_t u;
    test_btn_t* b = nullptr;
    in_wizard(d, u, [&](game::lv_up_dlg_t* w) {
        EXPECT_EQ(offered_steps(w), (std::vector<int>{LVP_BUILD, LVP_MISC, LVP_FINISH}));
        lv_t* l = w->bld_list();
        const auto it = std::find_if(l->items.begin(), l->items.end(), [](li_t* i) { return i->id == BLD_HLR; });
        ASSERT_NE(it, l->items.end());
        click_item(d, l, int(it - l->items.begin()));
        d.click(w->fwd_btn());
        EXPECT_EQ(cur_step(w), LVP_MISC);
        EXPECT_EQ(offered_steps(w), (std::vector<int>{LVP_BUILD, LVP_MISC, LVP_FINISH}));
        EXPECT_FALSE(w->misc_pnl()->name_edt()->text.empty()) << "a random name to start from";
        d.on_main([&] { w->misc_pnl()->name_edt()->set_text(L"", true); });
        d.type(L"Ann");
        d.click(w->fwd_btn());
        EXPECT_EQ(cur_step(w), LVP_FINISH);
        // Back from the summary: the name typed stays, the gear comes with the summary again.
        click_tab(d, w->tabs(), LVP_MISC);
        EXPECT_EQ(w->misc_pnl()->name_edt()->text, Str(L"Ann"));
        EXPECT_TRUE(w->working().eqpts.slots[EQ_MAIN].empty());
        d.click(w->fwd_btn());
        d.click(w->fwd_btn());
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        EXPECT_EQ(b->result, 1);
        const u_bld_t* hlr = get_bld(BLD_HLR);
        EXPECT_EQ(std::tuple(u.base.lv, u.base.kind, u.base.race, u.base.cls, u.name),
                  std::tuple(1, int(UK_PC), hlr->race, hlr->cls, Str(L"Ann")));
        EXPECT_FALSE(u.eqpts.slots[EQ_MAIN].empty()) << "the starting gear";
        EXPECT_GT(u.hp, 0);
        EXPECT_EQ(u.hp, u.drv.hp_max);
    }, &b);
}

TEST(LvUpDlg, ACustomBuildGoesThroughEveryStepAndKeepsWhatWasChosen) {
    screen_driver_t d;
    unit_t u;
    in_wizard(d, u, [&](game::lv_up_dlg_t* w) {
        std::vector<int> seen{cur_step(w)};
        const auto next = [&] { d.click(w->fwd_btn()), seen.push_back(cur_step(w)); };
        click_item(d, w->bld_list(), 0);
        next();
        click_item(d, w->race_list(), 0);  // human, +2 Str
        next();
        click_item(d, w->cls_list(), 2);  // wizard
        next();
        spend_all_and_on(d, w);
        seen.push_back(cur_step(w));
        ASSERT_EQ(w->feat_pick()->required(), w->choices().picks);
        const std::vector<int> feats = tick_learnable(d, w->feat_pick(), w->working(), w->choices().picks);
        next();
        // One spell to pick: a second tick holds forward until it comes off again.
        const std::vector<int> spells = tick_learnable(d, w->spell_pick(), w->working(), 2);
        ASSERT_EQ(spells.size(), 2u);
        const auto title = [&] { return screen_driver_t::plain(w->spell_pick()->tree()->title->second.c_str()); };
        d.frames(1);
        EXPECT_EQ(std::pair(w->fwd_btn()->is_enabled(), title()), std::pair(false, std::wstring(L"2/1 ")));
        tick(d, w->spell_pick(), spells[1]);
        d.frames(1);
        EXPECT_EQ(std::pair(w->fwd_btn()->is_enabled(), title()), std::pair(true, std::wstring(L"1/1 ")));
        next();
        edt_t* e = w->misc_pnl()->name_edt();
        d.on_main([&] { e->set_text(L"", true); });
        d.type(L"<b>Bo");
        next();
        EXPECT_EQ(seen, (std::vector<int>{0, 1, 2, 3, 4, 5, 6, 7}));
        // The name stands on the finished sheet as typed.
        EXPECT_NE(screen_driver_t::shown_chars(w->desc()->text.c_str()).find(L"<b>Bo"), std::wstring::npos);
        d.click(w->fwd_btn());
        ASSERT_TRUE(d.wait_for([] { return get_lv_up_dlg() == nullptr; }, "the wizard to close", 5));
        EXPECT_EQ(std::tuple(u.name, u.base.bld, u.base.race, u.base.cls),
                  std::tuple(Str(L"<b>Bo"), int(BLD_CUSTOM), int(RACE_HUM), int(CLS_WIZARD)));
        for (int i = 0; i < 6; ++i) EXPECT_EQ(u.base.abi[i], spent[i] + (i == 0 ? 2 : 0)) << i;
        EXPECT_EQ(feats.size(), 3u) << "human, class and general";
        for (int id : feats) EXPECT_TRUE(u.has_pwr(id)) << id;
        EXPECT_TRUE(u.has_pwr(spells[0]));
        EXPECT_FALSE(u.has_pwr(spells[1]));
    });
}

TEST(LvUpDlg, TheStripGoesBackButNeverAhead) {
    in_wizard([&](screen_driver_t& d, game::lv_up_dlg_t* w) {
        click_item(d, w->bld_list(), 0);
        click_tab(d, w->tabs(), LVP_FINISH);
        EXPECT_EQ(cur_step(w), LVP_BUILD) << "finishing a unit without race, class or abilities";
        d.click(w->fwd_btn());
        click_item(d, w->race_list(), 2);
        click_tab(d, w->tabs(), LVP_CLASS);
        EXPECT_EQ(cur_step(w), LVP_RACE);
        EXPECT_EQ(w->tabs()->strip->sel, LVP_RACE) << "the strip shows the step that stays";
        // Back from a step that holds the player (points left, a feat to pick):
        // the step gone back to lets the player on by its own rule.
        const auto back_and_on = [&](int to) {
            d.frames(1);
            EXPECT_FALSE(w->fwd_btn()->is_enabled()) << to;
            click_tab(d, w->tabs(), to);
            d.click(w->fwd_btn());
            EXPECT_EQ(cur_step(w), to + 1);
        };
        d.click(w->fwd_btn());
        d.click(w->fwd_btn());
        back_and_on(LVP_RACE);
        d.click(w->fwd_btn());
        spend_all_and_on(d, w);
        tick_learnable(d, w->feat_pick(), w->working(), 1);
        back_and_on(LVP_CLASS);
        click_tab(d, w->tabs(), LVP_BUILD);
        EXPECT_EQ(cur_step(w), LVP_BUILD);
        d.key(SDLK_ESCAPE);
    });
}

TEST(LvUpDlg, LaysOutWholeAtThreeScreenSizes) {
    at_three_sizes([](screen_driver_t& d, const rect& scr) {
        unit_t u;
        game::lv_up_dlg_t* w = open_wizard(d, &u);
        ASSERT_NE(w, nullptr);
        const wnd_t* shown[] = {w->fwd_btn(), w->reset_btn(), w->bld_list(), w->desc()};
        for (const wnd_t* x : shown) EXPECT_TRUE(on_screen(x->rc, scr)) << scr.w;
        const rect last = w->tabs()->strip->item_rect(LVP_FINISH);
        EXPECT_LE(last.x + last.w, scr.w) << "every step's tab on the screen";
        EXPECT_EQ(last.y, w->tabs()->strip->item_rect(0).y) << "one row of tabs";
        d.key(SDLK_ESCAPE);
    });
}
