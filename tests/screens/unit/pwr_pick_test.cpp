// The feat and spell pick lists: learn states, prerequisites, the exact count,
// and a step shown again.
#include "screens/unit/pwr_pick.h"

#include <gtest/gtest.h>

#include <functional>

#include "rules/bld_ids.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "support/screen_canvas.h"
#include "ui/btn.h"
#include "ui/memo_ctrl.h"
#include "ui/tab_ctrl.h"
#include "ui/title_wnd.h"
#include "wizard_steps.h"

namespace {
bool has_box(const ti_t* n) { return !n->has(TIF_NO_CHECK); }
clr_t clr_of(const ti_t* n) { return *n->text.color_ptr(); }

// The game run with the wizard at the feat step of a new human fighter of the
// custom build (Dex 14, three picks); the body runs there.
void at_feats(const std::function<void(screen_driver_t&, game::lv_up_dlg_t*)>& body) {
    in_wizard([&](screen_driver_t& d, game::lv_up_dlg_t* w) {
        custom_to_abis(d, w, 0, 0);
        spend_all_and_on(d, w);
        body(d, w);
    });
}

// The pick list's tree in a window of its own that hands the tree's messages
// to it; the window lives until shutdown, and the pick list with it.
struct host_t : wnd_t {
    pwr_pick_t pick;
    unit_t u;
    bool on_msg(const evt_t& msg, wnd_t* sender) override {
        return pick.on_msg(msg, sender) || wnd_t::on_msg(msg, sender);
    }
};
}  // namespace

TEST(PwrPick, APrerequisiteOpensItsDependentWhichThenLocksIt) {
    at_feats([](screen_driver_t& d, game::lv_up_dlg_t* w) {
        pwr_pick_t* p = w->feat_pick();
        ASSERT_EQ(w->tabs()->cur_tab(), LVP_PWRS);
        ASSERT_EQ(p->required(), 3) << "human, class and general";
        ti_t* dodge = p->node_of(P_DODGE);
        ti_t* mob = p->node_of(P_MOBILITY);
        ASSERT_TRUE(dodge && mob);
        EXPECT_EQ(clr_of(dodge), PICK_LEARNABLE);
        EXPECT_TRUE(has_box(dodge));
        EXPECT_EQ(clr_of(mob), PICK_LOCKED);
        EXPECT_FALSE(has_box(mob));
        ASSERT_TRUE(tick(d, p, P_DODGE));
        EXPECT_TRUE(w->working().has_pwr(P_DODGE)) << "on the working unit at once";
        EXPECT_EQ(clr_of(dodge), PICK_HELD);
        EXPECT_TRUE(has_box(dodge)) << "ticked: its box stays to untick it";
        EXPECT_EQ(clr_of(mob), PICK_LEARNABLE);
        EXPECT_TRUE(has_box(mob));
        ASSERT_TRUE(tick(d, p, P_MOBILITY));
        Str tip;
        EXPECT_EQ(w->desc()->text, get_pwr(P_MOBILITY)->get_tip_text(tip)) << "the details follow the tick";
        EXPECT_EQ(p->tree()->sel, mob) << "selected, the row the details come back to after a hover";
        EXPECT_TRUE(dodge->has(TIF_CHECK_OFF));
        tick(d, p, P_DODGE);  // greyed: nothing happens
        EXPECT_TRUE(w->working().has_pwr(P_DODGE));
        EXPECT_EQ(p->chosen(), (std::vector<int>{P_DODGE, P_MOBILITY}));
        EXPECT_EQ(screen_driver_t::plain(p->tree()->title->second.c_str()), L"2/3 ");
        // Forward at exactly three ticks: not at two, nor at four.
        for (const bool on : {false, true, false}) {
            d.frames(1);
            EXPECT_EQ(w->fwd_btn()->is_enabled(), on) << p->chosen().size();
            if (p->chosen().size() < 4) {
                ASSERT_EQ(tick_learnable(d, p, w->working(), 1).size(), 1u);
            }
        }
        tick(d, p, p->chosen().back());
        d.frames(1);
        EXPECT_TRUE(w->fwd_btn()->is_enabled()) << "back to three";
        tick(d, p, P_MOBILITY);
        EXPECT_FALSE(dodge->has(TIF_CHECK_OFF)) << "free again once the dependent goes";
        EXPECT_FALSE(w->working().has_pwr(P_MOBILITY));
        d.key(SDLK_ESCAPE);
    });
}

TEST(PwrPick, AStepShownAgainGivesNoExtraPicks) {
    at_feats([](screen_driver_t& d, game::lv_up_dlg_t* w) {
        pwr_pick_t* p = w->feat_pick();
        const std::vector<int> first = tick_learnable(d, p, w->working(), 3);
        ASSERT_EQ(first.size(), 3u);
        click_tab(d, w->tabs(), LVP_ABIS);
        EXPECT_EQ(w->points(), 32) << "the point buy starts again";
        spend_all_and_on(d, w);
        ASSERT_EQ(w->tabs()->cur_tab(), LVP_PWRS);
        EXPECT_TRUE(p->chosen().empty());
        for (int id : first) EXPECT_FALSE(w->working().has_pwr(id)) << id;
        EXPECT_EQ(screen_driver_t::plain(p->tree()->title->second.c_str()), L"0/3 ");
        d.key(SDLK_ESCAPE);
    });
}

TEST(PwrPick, RebuiltOnItsOwnItTakesItsEarlierTicksBack) {
    in_game([&](screen_driver_t& d) {
        host_t* host = nullptr;
        memo_ctrl_t* memo = nullptr;
        d.on_main([&] {
            host = add_owned(new host_t, {300, 60, 300, 500});
            host->u.from_bld(BLD_ELM, L"法师", L"units_pc/010601", L"faces_pc/0117");
            memo = add_owned(new memo_ctrl_t, {620, 60, 300, 500});
            pwr_pick_t& p = host->pick;
            p.set_kind(PICK_SPELLS);
            p.create(host, WS_FILL_W | WS_FILL_H);
            host->arrange();
            p.bind(&host->u, memo, nullptr, 1);
            p.rebuild();
        });
        pwr_pick_t& p = host->pick;
        const unit_t& u = host->u;
        d.frames(1);
        // Only level-1 spells can be learnt at level 1: the other levels have no group.
        int groups = 0;
        p.tree()->for_each([&](ti_t* n) { return groups += !n->data2 && !n->has(TIF_HIDDEN), true; }, ti_ref_t::ROOT,
                           false);
        EXPECT_EQ(groups, 1);
        const std::vector<int> ids = tick_learnable(d, &p, u, 1);
        ASSERT_EQ(ids.size(), 1u);
        EXPECT_TRUE(u.has_pwr(ids[0]));
        d.on_main([&] { p.rebuild(); });
        EXPECT_FALSE(u.has_pwr(ids[0]));
        EXPECT_TRUE(p.chosen().empty());
        // The memo describes the entry under the mouse.
        const rect r = p.tree()->row_rect(p.node_of(ids[0]));
        d.move_to(r.x + r.w - 20, r.y + r.h / 2);
        d.frames(2);
        Str tip;
        get_pwr(ids[0])->get_tip_text(tip);
        EXPECT_EQ(memo->text, tip);
    });
}
