#include "screens/text/text_hooks.h"

#include <gtest/gtest.h>

#include "battle/listener.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "screens/text/desc_parts.h"
#include "screens/text/pwr_desc.h"
#include "screens/text/tip_refs.h"
#include "screens/text/tip_resolve.h"
#include "screens/text/unit_sheet.h"
#include "support/screen_driver.h"
#include "text_env.h"
#include "ui/tip.h"
#include "ui/wnd.h"

namespace {
class TextHooks : public text_env_t {};
}  // namespace

TEST_F(TextHooks, TheSlotsTheTipAndTheBattleTextsReachTheBuilders) {
    // As the rules and the battle engine run without the screens.
    set_pwr_texts({});
    set_tip_hook(nullptr);
    btl_pres() = btl_pres_t();
    const Pwr* atk = get_pwr(P_ATK_M);
    const Pwr* feat = get_pwr(P_DODGE);
    Str t, want;
    EXPECT_EQ(atk->get_desc_text(t), Str(L"%s\n%s", atk->n, atk->d));
    EXPECT_EQ(gold_text(5), Str(L"5.00"));

    txt::install_text_hooks();
    EXPECT_EQ(atk->get_tip_text(t), txt::act_tip_text(static_cast<const act_t&>(*atk), want));
    EXPECT_EQ(atk->get_desc_text(t), txt::act_desc_text(static_cast<const act_t&>(*atk), want));
    EXPECT_EQ(feat->get_tip_text(t), txt::pwr_tip_text(*feat, want));
    EXPECT_EQ(feat->get_desc_text(t), txt::pwr_desc_text(*feat, want));
    EXPECT_EQ(get_tip_hook(), &txt::tip_resolve);
    EXPECT_EQ(gold_text(5), txt::gold_text(5));
    const itm_slot_t s(ITM_SWD_M, 1);
    EXPECT_EQ(itm_tip_ref(s), txt::itm_tip_ref(s));
    unit_t u;
    u.name = L"Orc";
    EXPECT_EQ(unit_caption(&u), txt::unit_caption(&u));
    EXPECT_EQ(pwr_heading(P_ATK_M), txt::get_heading(want, *atk, 1, L""));
    EXPECT_TRUE(pwr_heading(0).empty());
    btl_pres() = btl_pres_t();
}

// The game's start-up installs the resolver: a tip holding a power reference
// shows the power's description.
TEST(TextHooksAtStartUp, ATooltipReferenceShowsItsDescription) {
    screen_driver_t d;
    d.run_started([&] {
        wnd_t* w = nullptr;
        d.on_main([&] {
            w = add_owned(new wnd_t, {600, 40, 80, 40});
            w->set_layer(LAYER_MODAL - 1);
            w->tip = txt::pwr_tip_ref(get_pwr(P_FIRE_BALL));
        });
        d.move_to(640, 60);
        ASSERT_TRUE(d.wait_for([] { return get_tip_shown_wnd() && !get_tip_wnd()->is_hidden(); }, "the tooltip"));
        d.on_main([&] {
            Str want;
            get_pwr(P_FIRE_BALL)->get_desc_text(want);
            EXPECT_EQ(get_tip_wnd()->text, want);
            EXPECT_EQ(get_tip_wnd()->rc.w, 256);
        });
        d.shot("text-fire-ball-tip");
        d.quit();
    });
    EXPECT_EQ(d.exit_code(), 0);
}
