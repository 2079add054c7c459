#include "screens/arena/arena.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/input.h"
#include "app/opts.h"
#include "rules/eqpts.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/menu/main_menu.h"
#include "support/screen_canvas.h"
#include "support/screen_driver.h"
#include "support/text_contrast.h"
#include "ui/memo_ctrl.h"
#include "ui/rtext.h"
#include "rules/mon_ids.h"
#include "battle/enc.h"

namespace {

// Back to the main menu and into the arena again, which resumes it.
void leave_and_return(screen_driver_t& d) {
    ASSERT_TRUE(d.click(d.find(L"返回主界面")));
    ASSERT_TRUE(d.click(d.find(L"竞技场")));
}
}  // namespace

TEST(Arena, EnterLoadsTheSlotAndLeaveSavesIt) {
    in_game([&](screen_driver_t& d) {
        EXPECT_FALSE(d.exists("saves/arena/main.cfg"));
        ASSERT_TRUE(d.click(d.find(L"竞技场")));
        // No arena save yet: a new game with the default party, saved as slot 10000001.
        EXPECT_TRUE(d.exists("saves/arena/main.cfg") && d.exists("saves/arena/10000001/my.pty"));
        EXPECT_EQ(g_pty.units.size(), 5u);
        EXPECT_STREQ(g_pty.name.c_str(), L"异乡人");
        d.on_main([] { g_pty.gold = 1234.5; });
        ASSERT_TRUE(d.click(d.find(L"返回主界面")));
        EXPECT_EQ(get_top_scene(), get_main_menu_scene());
        d.on_main([] { g_pty.gold = 0; });
        EXPECT_EQ(d.quit(), 0);
        ASSERT_TRUE(d.start());
        ASSERT_TRUE(d.click(d.find(L"竞技场")));
        EXPECT_DOUBLE_EQ(g_pty.gold, 1234.5);  // as it was when the arena was left
    });
}

TEST(Arena, AmmunitionLoadsOnResumeOnlyWithTheOptionAndAShortageIsOnlyReported) {
    const int bow = ITM_BOW_S, arrows = get_itm(bow).get_ammo_id(), stack = get_itm(arrows).max_stack();
    in_game([&](screen_driver_t& d) {
        ASSERT_TRUE(d.click(d.find(L"竞技场")));
        unit_t* u = g_pty.units[0];
        d.on_main([&] {
            opts().auto_load_ammos = false;
            for (unit_t* other : g_pty.units) other->eqpts.slots[EQ_MAIN].clear();  // one archer only
            mk_itm_slot(u->eqpts.slots[EQ_MAIN], bow, 1);
            for (int q = EQ_QUICK; q < EQ_QUICK_END; ++q) u->eqpts.slots[q].clear();
            for (itm_slot_t& s : g_pty.bag) s.clear();
            mk_itm_slot(g_pty.bag[7], arrows, stack + 5);
        });
        leave_and_return(d);
        EXPECT_EQ(g_pty.bag[7].get_count(), stack + 5) << "the option is off: nothing moves";
        EXPECT_TRUE(u->eqpts.slots[EQ_QUICK].empty());

        d.on_main([] { opts().auto_load_ammos = true; });
        leave_and_return(d);
        // All of it fits, two quick slots stay empty: short of ammunition.
        ASSERT_NE(d.find(L"自动装填弹药"), nullptr);
        EXPECT_TRUE(g_pty.bag[7].empty());
        EXPECT_EQ(u->eqpts.slots[EQ_QUICK + 1].get_count(), 5);
        ASSERT_TRUE(d.click(d.find(L"关闭")));
        d.on_main([] { opts().auto_load_ammos = false; });
    });
}

namespace {
// The page as the player reads it: its picture, then the first heading.
struct page_look_t {
    int gap = -1;                  // pixels from the picture's bottom to the heading's top
    clr_t heading, bg;             // bg: the dialog's, under the clear pane
    std::vector<std::string> dim;  // the page's glyphs below 3 to 1 on bg
};

page_look_t open_page(screen_driver_t& d, const wchar_t* title, std::function<void()> show) {
    page_look_t out;
    if (!click_test_btn(d, L"页", [show] { show(); return 0; })) return out;
    if (!d.wait_for([&] { return d.find(title) != nullptr; }, "the page")) return out;
    d.frames(1);
    wnd_t* dlg = get_top_modal();
    const auto* pane = d.find_type<memo_ctrl_t>(dlg);
    if (!pane) return out;
    out.bg = text_contrast::over(pane->bg_clr, dlg->bg_clr);
    out.dim = text_contrast::dim_glyphs(pane->text.c_str(), {pane->text_clr, out.bg});
    const rt_item_t* img = nullptr;
    for (int i = 0; i < pane->rtext.item_count(); ++i) {
        const rt_item_t* it = pane->rtext.item(i);
        if (it->kind == RT_IMAGE && !img) img = it;
        if (img && it->kind == RT_GLYPH && it->ch != U' ') {
            out.gap = it->rc.y - (img->rc.y + img->rc.h);
            out.heading = it->clr;
            break;
        }
    }
    d.dismiss();
    return out;
}
}  // namespace

// Both pages are mark-up: a picture, a step down, a heading. The heading
// follows the picture closely and reads on the page; on the victory page every
// text does, the kills' grey too.
TEST(Arena, RewardPagesShowTheirHeadingCloseUnderThePictureAndReadable) {
    in_game([&](screen_driver_t& d) {
        ASSERT_TRUE(d.click(d.find(L"竞技场")));
        const page_look_t win = open_page(d, L"战斗胜利", [] { arena_report_win(enc_t{1, 5, {{MON_RAT_D, 1, 1}}}); });
        const page_look_t lost = open_page(d, L"战斗失败", [] { arena_report_loss(); });
        for (const page_look_t& p : {win, lost}) {
            EXPECT_GE(p.gap, 0);
            EXPECT_LE(p.gap, 48) << "a gap under the picture";
            EXPECT_GE(text_contrast::ratio(p.heading, p.bg), 3.0) << std::hex << p.heading.v << " on " << p.bg.v;
        }
        for (const std::string& dim : win.dim) ADD_FAILURE() << dim;
    });
}
