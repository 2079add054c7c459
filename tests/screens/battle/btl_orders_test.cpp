// The player's orders on staged battles: what hovering builds (every case of
// the hover builders), what a click gives, picking and cancelling, the marks
// of the default actions, the quick menu and the slot set-up menu.
#include <gtest/gtest.h>

#include <algorithm>

#include "app/input.h"
#include "app/platform.h"
#include "battle/act_ctx.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/target_area.h"
#include "battle/unit_move.h"
#include "rules/mon_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race_ids.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "support/btl_stage.h"
#include "support/screen_driver.h"
#include "ui/menu.h"
#include "ui/wnd.h"

namespace {
// The quick slot that holds the power; -1 when none.
int slot_of(int pwr) {
    act_bar_t* bar = main_ui().act_bar;
    for (int i = 0; i < bar->count(); ++i)
        if (const qslot_t* q = bar->slot_rec(i); q && q->pwr == pwr) return i;
    return -1;
}

SDL_Keycode slot_key(int i) { return i < 9 ? SDLK_1 + i : SDLK_0; }

// A click on a menu's item; the menu's loop ends with the frame after it.
void click_rect(screen_driver_t& d, const rect& r) {
    d.click_at(r);
    d.frames(1);
}

bool refused(int slot) { return main_ui().act_bar->get_item(slot)->flags & LIF_DISABLED; }

// Every case is one staged battle; the orders the player gives are read from
// st.given after the click's frames.
using BtlOrders = btl_stage_test_t;
}  // namespace

TEST_F(BtlOrders, AFoeInTheMoveRangeButOutOfReachIsWalkedToAndHitWithOneClick) {
    duel(12, 6, 1, {9, 3}, {5, 3}, [&](unit_t*, unit_t* rat) {
        btl_scene_t* s = cur_btl_scene();
        hover_cell(d, rat->pos);
        const std::vector<u_cmd_t> cmds = s->pending_cmds();
        ASSERT_EQ(cmds.size(), 2u);
        EXPECT_EQ(cmds[0].pwr, P_MOVE);
        EXPECT_EQ(cmds[0].tgt, (pt_t{6, 3}));  // the nearest of the cells beside it
        EXPECT_EQ(cmds[1], (u_cmd_t{P_ATK_M, 0, rat->pos, 0}));
        EXPECT_FALSE(bv().walk.empty());
        EXPECT_EQ(bv().walk.back(), cmds[0].tgt);
        EXPECT_EQ(s->hovered_unit(), rat);
        EXPECT_GE(s->hover_cursor(), CUR_ATK);
        EXPECT_LE(s->hover_cursor(), CUR_ATK_S);
        EXPECT_FALSE(s->act_tip().empty());  // the chance from the cell it will strike from
        click_cell(d, rat->pos);
        EXPECT_EQ(st.given, cmds);
    });
}

TEST_F(BtlOrders, AClickWhereNothingIsBuiltDoesNothing) {
    duel(24, 6, 1, {2, 3}, {5, 1}, [&](unit_t* me, unit_t*) {
        btl_scene_t* s = cur_btl_scene();
        // A cell in view, off the move range, with nobody on it.
        pt_t far = NO_PT;
        const rect view = s->get_view().cell_rect();
        for (int x = view.x + view.w - 1; x >= std::max(view.x, 0) && far == NO_PT; --x)
            if (x < 24 && !contains(bv().mr.all_pts, {x, 3}) && !get_unit_at({x, 3})) far = {x, 3};
        ASSERT_NE(far, NO_PT);
        click_cell(d, far);
        EXPECT_TRUE(s->pending_cmds().empty());
        d.frames(3);
        EXPECT_TRUE(st.given.empty());
        EXPECT_EQ(s->waiting_unit(), me);
        // A cell of the move range is a walk there.
        const pt_t near{me->pos.x + 2, 4};
        hover_cell(d, near);
        ASSERT_EQ(s->pending_cmds().size(), 1u);
        EXPECT_EQ(s->pending_cmds()[0], (u_cmd_t{P_MOVE, 0, near, 0}));
        EXPECT_EQ(s->hover_cursor(), CUR_MOV);
        hover_cell(d, {me->pos.x + 1, 3});
        EXPECT_EQ(s->hover_cursor(), CUR_SHIFT);
        // The keys scroll the view a cell under the resting pointer: no frame
        // holds the walk to the cell it left, and then the walk to the new one.
        hover_cell(d, near);
        d.key_down(SDLK_RIGHT);
        d.frames(3);
        d.key_up(SDLK_RIGHT);
        for (int f = 0; f < 4; ++f, d.frames(1))
            EXPECT_TRUE(s->pending_cmds().empty() || s->pending_cmds()[0].tgt == s->get_cell()) << f;
        EXPECT_EQ(s->pending_cmds(), (std::vector<u_cmd_t>{{P_MOVE, 0, {near.x + 1, near.y}, 0}}));
        EXPECT_EQ(bv().walk.back(), (pt_t{near.x + 1, near.y}));
    });
}

// No frame saw the mouse where the button came up: the order is that cell's all the same.
TEST_F(BtlOrders, AClickRightAfterAMoveGivesTheOrderOfTheCellItEndsOn) {
    duel(12, 6, 1, {2, 3}, {10, 3}, [&](unit_t* me, unit_t*) {
        // The last frames saw the mouse on the unit itself, where a click ends the turn.
        hover_cell(d, me->pos);
        const pt_t to{me->pos.x + 2, 4};
        ASSERT_TRUE(contains(bv().mr.all_pts, to));
        const SDL_Point p = cell_pt(to);
        d.tap_at(p.x, p.y, 2);  // a double tap within one frame gives the walk once
        EXPECT_EQ(st.given, (std::vector<u_cmd_t>{{P_MOVE, 0, to, 0}}));
        // Pressed east of the unit, where no order lies now that it has walked,
        // and let go just over the edge, on the unit: the turn ends.
        ASSERT_TRUE(st.wait_next_orders(d, me));
        const rect east = cur_btl_scene()->get_view().cell_scrn_rect({to.x + 1, to.y});
        hover_cell(d, {to.x + 1, to.y});
        ASSERT_TRUE(cur_btl_scene()->pending_cmds().empty());
        d.slip_click({east.x + 2, east.y + east.h / 2}, {east.x - 3, east.y + east.h / 2});
        ASSERT_EQ(st.given.size(), 2u);
        EXPECT_EQ(st.given[1], (u_cmd_t{P_END_TURN, 0, to, 0}));
    });
}

TEST_F(BtlOrders, ARightClickCancelsThePickedPowerThenOpensTheQuickMenu) {
    duel(12, 6, 1, {2, 3}, {9, 3}, [&](unit_t*, unit_t*) {
        btl_scene_t* s = cur_btl_scene();
        const int slot = slot_of(P_ATK_M);
        ASSERT_GE(slot, 0);
        d.key(slot_key(slot));
        EXPECT_EQ(s->sel_pwr(), (pt_t{P_ATK_M, 0}));
        EXPECT_FALSE(bv().tgt_pts.empty());
        // A blow is no order on the unit's own cell, nor is the end of the turn
        // while it is picked: a click there gives nothing.
        unit_t* me = s->waiting_unit();
        EXPECT_FALSE(contains(bv().tgt_pts, me->pos));
        hover_cell(d, me->pos);
        EXPECT_TRUE(s->pending_cmds().empty());
        EXPECT_EQ(s->act_tip(), pwr_heading(P_ATK_M) + L"<c=a>无效目标: 无法瞄准该处</c>");
        click_cell(d, me->pos);
        d.frames(2);
        EXPECT_TRUE(st.given.empty());
        EXPECT_EQ(me->hp, me->drv.hp_max);
        rclick_cell(d, {5, 3});
        EXPECT_EQ(s->sel_pwr(), (pt_t{0, 0}));
        EXPECT_EQ(get_top_modal(), nullptr);
        EXPECT_EQ(s->pending_cmds(), (std::vector<u_cmd_t>{{P_MOVE, 0, {5, 3}, 0}}));  // the cell's own order again
        rclick_cell(d, {5, 3});
        ASSERT_EQ(get_top_modal(), get_popup_menu());
        rect r;
        li_t* sets = menu_item(0, L"切换武器组", &r);
        ASSERT_NE(sets, nullptr);
        EXPECT_EQ(sets->subs.size(), 4u);
        // Closed without a choice: nothing is picked.
        d.key(SDLK_ESCAPE);
        d.frames(1);
        ASSERT_EQ(get_top_modal(), nullptr);
        EXPECT_EQ(s->sel_pwr(), (pt_t{0, 0}));
        EXPECT_TRUE(st.given.empty());
        // Chosen: the end of the turn needs no aim and is given at once.
        rclick_cell(d, {5, 3});
        ASSERT_NE(menu_item(0, pwr_name(P_END_TURN), &r), nullptr);
        click_rect(d, r);
        ASSERT_EQ(st.given.size(), 1u);
        EXPECT_EQ(st.given[0].pwr, P_END_TURN);
    });
}

TEST_F(BtlOrders, TheHealMarkSparesTheWholeTheUndeadAndTheConstructs) {
    st.plain_map(12, 8);
    const int healer_i = st.pc(5, {3, 3});
    const int whole_i = st.pc(1, {4, 3});
    const int hurt_i = st.pc(2, {3, 4});
    const int undead_i = st.pc(3, {2, 3});
    const int golem_i = st.pc(6, {3, 2});
    st.mon(MON_RAT_D, 1, {10, 6});
    st.before_run = [&] {
        unit_t* healer = st.u(healer_i);
        if (!healer->has_pwr(P_HEAL)) healer->pwrs.add(P_HEAL);
        st.u(undead_i)->base.race = RACE_SKELETON;
        st.u(golem_i)->base.race = RACE_GOLEM;
        for (int i : {hurt_i, undead_i, golem_i}) st.u(i)->recalc();
        for (int i : {hurt_i, undead_i, golem_i}) st.u(i)->hp = 1;
    };
    play([&] {
        ASSERT_EQ(cur_btl_scene()->waiting_unit(), st.u(healer_i));
        ASSERT_EQ(st.u(whole_i)->hp, st.u(whole_i)->drv.hp_max);
        EXPECT_EQ(bv().dflt_marks[2], std::vector<pt_t>{st.u(hurt_i)->pos});
        // The marked ally is healed with one click.
        hover_cell(d, st.u(hurt_i)->pos);
        ASSERT_EQ(cur_btl_scene()->pending_cmds().size(), 1u);
        EXPECT_EQ(cur_btl_scene()->pending_cmds()[0], (u_cmd_t{P_HEAL, 0, st.u(hurt_i)->pos, 0}));
    });
}

TEST_F(BtlOrders, TheSlotSetUpMenuFillsAndClearsAQuickSlot) {
    duel(12, 6, 1, {2, 3}, {9, 3}, [&](unit_t* me, unit_t*) {
        act_bar_t* bar = main_ui().act_bar;
        const int slot = 9;
        ASSERT_EQ(me->actbar.items[slot].pwr, 0);
        const rect sr = bar->item_rect(slot);
        d.rclick_at(sr);
        ASSERT_EQ(get_top_modal(), get_popup_menu());
        rect r;
        li_t* clear = menu_item(0, L"清除动作", &r);
        ASSERT_NE(clear, nullptr);
        EXPECT_TRUE(clear->flags & LIF_DISABLED);  // the slot is empty
        ASSERT_NE(menu_item(0, pwr_name(P_WAIT), &r), nullptr);
        click_rect(d, r);
        EXPECT_EQ(me->actbar.items[slot].pwr, P_WAIT);
        ASSERT_NE(bar->slot_rec(slot), nullptr);
        EXPECT_EQ(bar->slot_rec(slot)->pwr, P_WAIT);
        d.rclick_at(sr);
        ASSERT_NE(menu_item(0, L"清除动作", &r), nullptr);
        click_rect(d, r);
        EXPECT_EQ(me->actbar.items[slot].pwr, 0);
        EXPECT_EQ(bar->slot_rec(slot)->pwr, 0);
        EXPECT_TRUE(st.given.empty());  // setting slots gives no order
    });
}

TEST_F(BtlOrders, EachOrderTakesItsShareOfTheTurnAndTheBarFollowsTheWeapons) {
    // Character 8: a light crossbow, a staff in the other set, sleep.
    duel(16, 8, 8, {4, 4}, {12, 4}, [&](unit_t* me, unit_t*) {
        btl_scene_t* s = cur_btl_scene();
        act_bar_t* bar = main_ui().act_bar;
        const int blow = slot_of(P_ATK_M), shot = slot_of(P_ATK_R), sleep = slot_of(P_SLEEP);
        ASSERT_TRUE(blow >= 0 && shot >= 0 && sleep >= 0 && slot_of(P_WAIT) == sleep + 1);
        EXPECT_TRUE(refused(blow));
        EXPECT_FALSE(refused(shot) || refused(sleep));
        // The other weapon set from the quick menu: its move action is spent.
        Str other;
        me->eqpts.wpn_set_name(other, WSET_OTHER);
        rclick_cell(d, {6, 6});
        rect r;
        EXPECT_TRUE(menu_item(0, L"切换武器组", nullptr)->subs[0]->flags & LIF_SELECTED);  // the set in hand
        ASSERT_NE(menu_item(0, std::wstring(pwr_name(P_SWAP_WPN)) + L": " + other.c_str(), &r), nullptr);
        click_rect(d, r);
        ASSERT_TRUE(st.wait_next_orders(d, me));
        EXPECT_EQ(st.given, (std::vector<u_cmd_t>{{P_SWAP_WPN, WSET_OTHER, me->pos, 0}}));
        EXPECT_EQ(me->eqpts.cur_set, 1);
        EXPECT_EQ(me->btl.act_budget, BUDGET_STD);
        // The staff strikes, the crossbow is gone, and sleep wants the whole turn.
        EXPECT_FALSE(refused(blow));
        EXPECT_TRUE(refused(shot) && refused(sleep));
        // A refused slot says what it holds and why, above the bar, clear of the pointer.
        d.move_to(bar->item_rect(sleep));
        std::wstring tip = tip_for(d, bar);
        EXPECT_NE(tip.find(pwr_name(P_SLEEP)), std::wstring::npos);
        EXPECT_NE(tip.find(std::wstring(L"无法使用: ") + refusal_text(USE_NO_POINTS)), std::wstring::npos);
        EXPECT_LE(get_tip_wnd()->rc.y + get_tip_wnd()->rc.h, bar->rc.y);
        // One quick move onto the next slot: its own tip, not the one the pointer left.
        const rect n = bar->item_rect(sleep + 1);
        d.flick_to(n.x + n.w / 2, n.y + n.h / 2);
        d.frames(20);
        tip = tip_for(d, bar);
        EXPECT_NE(tip.find(pwr_name(P_WAIT)), std::wstring::npos);
        EXPECT_EQ(get_tip_wnd()->rc.x, n.x);
        // A step aside: free, but it takes the turn's move.
        const pt_t step{me->pos.x + 1, me->pos.y};
        hover_cell(d, step);
        EXPECT_EQ(s->hover_cursor(), CUR_SHIFT);
        click_cell(d, step);
        ASSERT_TRUE(st.wait_next_orders(d, me));
        EXPECT_EQ(st.given.back(), (u_cmd_t{P_MOVE, 0, step, UCMD_SHIFT}));
        EXPECT_EQ(me->pos, step);
        EXPECT_EQ(me->btl.act_budget, BUDGET_STD);
        EXPECT_TRUE(me->btl.turn_flags & TF_MOVED);
        EXPECT_TRUE(bv().mr.all_pts.empty());  // no move marks left
        hover_cell(d, {me->pos.x + 2, me->pos.y + 2});
        EXPECT_TRUE(s->pending_cmds().empty());
        // The end of the turn needs no aim: its key gives it at once, with what is left.
        d.key(slot_key(slot_of(P_END_TURN)));
        EXPECT_EQ(st.given.back(), (u_cmd_t{P_END_TURN, 0, me->pos, 0}));
        EXPECT_EQ(s->sel_pwr(), (pt_t{0, 0}));
        ASSERT_TRUE(d.wait_for([&] { return get_cur_unit() != me; }, "the end of the turn"));
        EXPECT_EQ(me->btl.act_budget, BUDGET_NONE);
    });
}

TEST_F(BtlOrders, AnAimedAreaPowerIsGivenAtTheEdgeOfItsReachAndAStepBeyondTheTipSaysNo) {
    st.plain_map(16, 8);
    const int me_i = st.pc(8, {2, 3});
    const int ally_i = st.pc(1, {8, 1});  // sees the rat, which stands beyond the caster's sight
    const int rat_i = st.mon(MON_RAT_D, 1, {9, 4});
    st.mon(MON_RAT_D, 1, {0, 2});
    st.map.tiles.at(1, 2) = TILE_WALL;
    play([&] {
        unit_t *me = st.u(me_i), *ally = st.u(ally_i), *rat = st.u(rat_i);
        btl_scene_t* s = cur_btl_scene();
        hover_cell(d, {0, 2});
        EXPECT_EQ(s->hover_cursor(), CUR_SHOT_C);  // a shot past the wall's corner meets cover
        const int sleep = slot_of(P_SLEEP);
        ASSERT_GE(sleep, 0);
        d.key(slot_key(sleep));
        ASSERT_EQ(s->sel_pwr(), (pt_t{P_SLEEP, 0}));
        const int r = act_range(as_act(P_SLEEP), me);
        const pt_t edge{me->pos.x + r, me->pos.y}, beyond{edge.x + 1, edge.y};
        ASSERT_TRUE(contains(bv().tgt_pts, edge) && !contains(bv().tgt_pts, beyond));
        d.on_main([&] { s->get_view().center_on(edge); });
        // Both areas would hold the rat; a step beyond reach gives nothing and says so.
        hover_cell(d, beyond);
        EXPECT_TRUE(s->pending_cmds().empty());
        EXPECT_EQ(s->act_tip(), pwr_heading(P_SLEEP) + L"<c=a>无效目标: 超出范围</c>");
        Str tip;
        d.on_main([&] { btl_cell_tip(s, tip); });
        EXPECT_TRUE(std::wstring(tip.c_str()).starts_with(std::wstring(L"<b>") + s->act_tip().c_str()));
        click_cell(d, beyond);
        d.frames(2);
        EXPECT_TRUE(st.given.empty());
        EXPECT_EQ(s->sel_pwr(), (pt_t{P_SLEEP, 0}));  // still aiming
        hover_cell(d, edge);
        EXPECT_EQ(s->pending_cmds(), (std::vector<u_cmd_t>{{P_SLEEP, 0, edge, 0}}));
        std::vector<pt_t> area;
        d.on_main([&] { get_act_area_pts(me, P_SLEEP, edge, &area); });
        EXPECT_EQ(bv().area_pts, area);
        EXPECT_TRUE(contains(area, rat->pos));
        EXPECT_EQ(s->hover_cursor(), CUR_SPL);
        EXPECT_NE(std::wstring(s->act_tip().c_str()).find(unit_disp_name(rat).c_str()), std::wstring::npos);
        click_cell(d, edge);
        EXPECT_EQ(st.given, (std::vector<u_cmd_t>{{P_SLEEP, 0, edge, 0}}));
        // It takes the whole turn, then it recharges.
        ASSERT_TRUE(st.wait_next_orders(d, ally));
        EXPECT_EQ(me->btl.act_budget, BUDGET_NONE);
        click_cell(d, ally->pos);
        ASSERT_TRUE(st.wait_next_orders(d, me));
        EXPECT_GT(main_ui().act_bar->slot_rec(sleep)->cd, 0);
        EXPECT_TRUE(refused(sleep));
    });
}
