#include "screens/arena/arena.h"

#include <gtest/gtest.h>

#include <cstring>
#include <functional>

#include "app/input.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/rnd.h"
#include "rules/eqpts.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/menu/main_menu.h"
#include "support/screen_canvas.h"
#include "support/screen_driver.h"
#include "support/screen_sizes.h"
#include "support/text_contrast.h"
#include "ui/dlg.h"
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
        EXPECT_TRUE(g_pty.bag[7].get_count() == stack + 5 && u->eqpts.slots[EQ_QUICK].empty())
            << "the option is off: nothing moves";

        d.on_main([] { opts().auto_load_ammos = true; });
        leave_and_return(d);
        // All of it fits, two quick slots stay empty: short of ammunition.
        ASSERT_NE(d.find(L"自动装填弹药"), nullptr);
        EXPECT_TRUE(g_pty.bag[7].empty() && u->eqpts.slots[EQ_QUICK + 1].get_count() == 5);
        ASSERT_TRUE(d.click(d.find(L"关闭")));
        d.on_main([] { opts().auto_load_ammos = false; });
    });
}

namespace {
// A page's dialog, whether its pane scrolled, the pane drawn alone on the clear screen.
struct page_look_t { rect rc; bool scrolls = false; std::vector<uint32_t> px; };

// Opens a page and fails where the player cannot read it: the heading far from
// the picture or dim, a glyph dim on the victory page, ink off the pane (under
// the button row, off the page), a kill's experience parted, loot that did not
// fit named as received, a last line the wheel does not bring into view.
page_look_t open_page(screen_driver_t& d, const std::string& where, const wchar_t* title, std::function<void()> show,
                      const std::string& shot = "") {
    page_look_t out;
    if (!click_test_btn(d, L"页", [show] { show(); return 0; })) return out;
    if (!d.wait_for([&] { return d.find(title) != nullptr; }, "the page")) return out;
    d.frames(1);
    auto* dlg = static_cast<dlg_t*>(get_top_modal());
    auto* pane = d.find_type<memo_ctrl_t>(dlg);
    if (!pane) return out;
    const auto fault = [&](const std::string& what) { ADD_FAILURE() << what << " (" << where << ")"; };
    const rect& p = pane->rc;
    const rect scr{0, 0, get_scrn_size()->w, get_scrn_size()->h};
    out.rc = dlg->rc, out.scrolls = pane->has_v;
    if (!on_screen(out.rc, scr) || p.y + p.h > dlg->btn_row->rc.y || pane->pos_y()) fault("the pane misplaced");
    const int side = std::max(scr.w, scr.h);
    out.px = drawn(d, [pane] { pane->paint(); }, side);
    for (int i = 0, off = 0; i < int(out.px.size()); ++i)
        if ((out.px[i] >> 24) && !p.contains(i % side, i / side) && !off++) fault("ink off the pane");
    const clr_t bg = text_contrast::over(pane->bg_clr, dlg->bg_clr);
    if (title == std::wstring(L"战斗胜利"))
        for (const std::string& dim : text_contrast::dim_glyphs(pane->text.c_str(), {pane->text_clr, bg})) fault(dim);
    const rtext_t& t = pane->rtext;
    const rt_item_t *img = nullptr, *heading = nullptr;
    std::wstring group;  // from the last "(" on
    for (int i = 0, opened = 0; i < t.item_count(); ++i) {
        const rt_item_t* it = t.item(i);
        if (it->kind == RT_IMAGE && !img) img = it;
        if (img && !heading && it->kind == RT_GLYPH && it->ch != U' ') heading = it;
        if (it->ch == U'(') group.clear(), opened = it->line;
        if (it->kind == RT_GLYPH) group += wchar_t(it->ch);
        if (it->ch == U')' && group.find(L"XP") != std::wstring::npos && it->line != opened)
            fault("parted: " + to_utf8_string(group.c_str()));
    }
    const int gap = heading ? heading->rc.y - (img->rc.y + img->rc.h) : -1;
    if (gap < 0 || gap > 48 || text_contrast::ratio(heading->clr, bg) < 3.0) fault("the heading apart or dim");
    // A full bag holds a kind no loot is: nothing fits, so no item stands above the note.
    const std::wstring text = pane->text.c_str();
    const size_t full = text.find(L"背包已满");
    if (full != std::wstring::npos && text.rfind(L"<tip=", full) != std::wstring::npos) fault("named as received");
    if (!shot.empty()) d.shot(shot);
    d.move_to(p.x + p.w / 2, p.y + p.h / 2);
    for (int i = 0; i < 8 && pane->pos_y() < pane->max_y(); ++i) d.wheel(-1);
    pt_t o;
    const rect last = t.item(t.item_count() - 1)->rc;
    pane->client_origin(&o);
    if (!pane->view.contains(o.x + last.x, o.y + last.y + last.h - 1)) fault("the last line out of view");
    d.dismiss();
    return out;
}

// The victory page of a party of level lv, its bag empty or full: a short page
// at level 1; at 12 among the tallest of levels 10 to 20 (three kinds of
// monster, the gold line, several items).
page_look_t win_page(screen_driver_t& d, const std::string& at, int lv, bool bag_full, const std::string& shot = "") {
    return open_page(d, at, L"战斗胜利", [=] {
        g_pty.units[0]->base.lv = lv;
        for (itm_slot_t& s : g_pty.bag) s = bag_full ? itm_slot_t(ITM_BOW_S, 1) : itm_slot_t();
        rnd_srand(1000 * lv + 2);
        arena_report_win(lv == 1 ? enc_t{1, 5, {{MON_RAT_D, 1, 1}}} : gen_enc(lv, g_pty.units.size(), ENC_ROLL, 0));
    }, shot);
}
}  // namespace

// Both pages are mark-up: a picture, a step down, a heading. The heading
// follows the picture closely and every text reads on the page, the kills'
// grey too. Every line of a late fight's long page can be read: the page grows
// within the window, and its pane scrolls where the window is too small. The
// dialog is kept: a short page after a long one looks as it did before.
TEST(Arena, RewardPagesShowEveryLineWithTheirHeadingCloseUnderThePicture) {
    for (const rect scr : {min_scr, rect{0, 0, 1920, 1080}})
        for (const std::string lang : {"cn", "en"}) {
            screen_driver_t d({.w = scr.w, .h = scr.h, .config = "Lang=" + lang + "\r\n"});
            d.run_started([&] {
                const std::string at = lang + " at " + std::to_string(scr.w);
                const bool small = scr.h < 1080;
                ASSERT_TRUE(d.click(d.find(L"竞技场")));
                const page_look_t first = win_page(d, at, 1, false);
                EXPECT_EQ(first.rc.h, 576 + 32) << "as high as it was made, with its title bar";
                open_page(d, at, L"战斗失败", [] { arena_report_loss(); });
                for (const bool full : {false, true}) {
                    const page_look_t late = win_page(d, at, 12, full, full && small ? "victory-long-" + lang : "");
                    // It grows within the window and scrolls only once it fills it, as the
                    // longer English page does at the smallest window; a large one holds it whole.
                    EXPECT_TRUE(late.rc.h > first.rc.h && late.scrolls == (late.rc.h == scr.h)) << at;
                    EXPECT_TRUE(late.scrolls || !(full && small && lang == "en")) << at;
                }
                const page_look_t again = win_page(d, at, 1, false);
                EXPECT_TRUE(std::tie(again.rc, again.scrolls, again.px) == std::tie(first.rc, first.scrolls, first.px))
                    << "the short page looks otherwise after a long one";
            });
        }
}
