// The battle's quick-slot bar: what each slot holds while a unit waits for
// orders (power, parameter, cooldown, uses left, usable or refused, aimed or
// not, its tooltip), and all of it gone while the engine works.
#include <gtest/gtest.h>

#include "app/font.h"
#include "app/loop.h"
#include "app/render.h"
#include "battle/act_ctx.h"
#include "battle/rolls.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "support/btl_stage.h"
#include "support/canvas.h"
#include "support/screen_driver.h"

namespace {
constexpr uint32_t refused_fill = 0xff660000;
constexpr uint32_t slot_fill = 0xff1a1a1a;
constexpr uint32_t key_strip = 0xff222222;
}  // namespace

using BtlActBar = btl_stage_test_t;

TEST_F(BtlActBar, TheSlotsShowTheWaitingUnitsPowersAndNothingAfter) {
    st.before_run = [&] {
        unit_t* me = st.u(me_i);
        if (!me->has_pwr(P_FIRE_BALL)) me->pwrs.add(P_FIRE_BALL);
        me->actbar.set_slot(8, {P_FIRE_BALL, 0});
        me->actbar.set_slot(9, {P_STAND_UP, 0});  // refused: the unit is not lying down
    };
    duel(12, 6, 9, {2, 3}, {9, 3}, [&](unit_t* me, unit_t*) {
        act_bar_t* bar = main_ui().act_bar;
        ASSERT_EQ(bar->count(), ACT_BAR_SLOTS);
        int refused = -1, used = 0;
        for (int i = 0; i < bar->count(); ++i) {
            SCOPED_TRACE(i);
            const actbar_item_t& slot = me->actbar.items[i];
            const qslot_t* q = bar->slot_rec(i);
            const li_t* it = bar->get_item(i);
            ASSERT_NE(q, nullptr);
            EXPECT_EQ(q->pwr, slot.pwr);
            if (slot.pwr == 0) {
                EXPECT_TRUE(it->flags & LIF_DISABLED);
                EXPECT_STREQ(it->tip.c_str(), L"右键设置动作项");
                EXPECT_EQ(it->icon, nullptr);
                continue;
            }
            ++used;
            const act_t* a = as_act(slot.pwr);
            EXPECT_EQ(q->param, slot.param);
            EXPECT_EQ(q->cd, get_act_cooldown(me, a));
            EXPECT_EQ(q->uses, pwr_uses_left(me, slot.pwr));
            EXPECT_EQ(!(it->flags & LIF_DISABLED), can_use_pwr(me, slot.pwr));
            EXPECT_EQ(it->kind, a && a->rng != 0 ? LIK_TOGGLE_SINGLE : LIK_COMMAND);
            EXPECT_STREQ(it->tip.c_str(), pwr_tip_ref(slot.pwr).c_str());
            EXPECT_NE(it->icon, nullptr);
            if (slot.pwr == P_STAND_UP) refused = i;
        }
        EXPECT_GE(used, 4);
        ASSERT_EQ(refused, 9);
        EXPECT_TRUE(bar->get_item(refused)->flags & LIF_DISABLED);
        ASSERT_FALSE(bar->get_item(8)->flags & LIF_DISABLED);
        // A refused slot is filled in dark red beside its icon; under each slot its key's strip.
        uint32_t refused_px = 0, usable_px = 0, strip_px = 0;
        std::vector<uint32_t> key_0, digit_0;  // the tenth slot's key strip, and a "0" drawn as the bar does
        d.on_main([&] {
            frame_render();
            const rect r = bar->item_rect(refused), u = bar->item_rect(8), k{r.x, r.y + r.h, r.w, 16};
            refused_px = canvas_t::px(r.x + 1, r.y + r.h / 2);
            usable_px = canvas_t::px(u.x + 1, u.y + u.h / 2);
            strip_px = canvas_t::px(r.x + 1, r.y + r.h + 2);
            key_0 = canvas_t::read(k);
            const clr_t strip_clr = key_strip;
            fill_rect(&k, &strip_clr);
            draw_kept_text(L"0", k.x + k.w / 2, k.y + k.h / 2, FONT_B, 0xff444444);
            digit_0 = canvas_t::read(k);
        });
        EXPECT_EQ(refused_px, refused_fill);
        EXPECT_EQ(usable_px, slot_fill);
        EXPECT_EQ(strip_px, key_strip);
        EXPECT_EQ(key_0, digit_0);
        // A recharging slot is shaded to its last round and plain once ready (the fire ball recharges in 3).
        const auto recharging_px = [&](int rounds) {
            d.on_main([&] {
                reset_cooldowns(me), start_cooldown(me, as_act(P_FIRE_BALL));
                for (int k = 0; k < rounds; ++k) tick_cooldowns(me);
                bar->show_unit(me), frame_render();
                const rect r = bar->item_rect(8);
                usable_px = canvas_t::px(r.x + 1, r.y + r.h / 2);
            });
            return usable_px;
        };
        const uint32_t two_left = recharging_px(1);
        EXPECT_NE(two_left, refused_fill);
        EXPECT_EQ(recharging_px(2), two_left);
        EXPECT_EQ(recharging_px(3), slot_fill);
        // The engine's turn: every slot empty and refused.
        hover_cell(d, me->pos);
        click_cell(d, me->pos);
        ASSERT_TRUE(d.wait_for([] { return !cur_btl_scene()->waiting_unit(); }, "the end of the turn"));
        for (int i = 0; i < bar->count(); ++i) {
            EXPECT_TRUE(bar->get_item(i)->flags & LIF_DISABLED);
            EXPECT_EQ(bar->slot_rec(i)->pwr, 0);
        }
    });
}
