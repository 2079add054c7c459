// The unit dialog: stepping through lists of one, three and no units by keys
// and title arrows, the equipment panel only for player characters, and the
// layout at three screen sizes.
#include "screens/unit/unit_dlg.h"

#include <gtest/gtest.h>

#include "rules/mon_ids.h"
#include "support/desc_corpus.h"
#include "ui/memo_ctrl.h"
#include "ui/tool_bar2.h"
#include "unit_screen.h"

TEST(UnitDlg, StepsThroughThreeUnitsByKeysAndArrowsWrappingAtTheEnds) {
    std::vector<unit_t*> three;
    const auto open = [&] {
        three = {g_pty.units[0], g_pty.units[1], g_pty.units[2]};
        return open_unit_dlg(three[2], &three);
    };
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        EXPECT_EQ(d.find(L"角色信息"), dlg);
        EXPECT_EQ(dlg->get_unit(), three[2]);
        d.key(SDLK_d);  // past the last: the first
        EXPECT_EQ(dlg->get_unit(), three[0]);
        d.key(SDLK_a);  // before the first: the last
        EXPECT_EQ(dlg->get_unit(), three[2]);
        d.key(SDLK_LEFT);
        EXPECT_EQ(dlg->get_unit(), three[1]);
        d.key(SDLK_RIGHT);
        EXPECT_EQ(dlg->get_unit(), three[2]);
        click_item(d, dlg->title_items, 1);  // on
        EXPECT_EQ(dlg->get_unit(), three[0]);
        click_item(d, dlg->title_items, 0);  // back
        EXPECT_EQ(dlg->get_unit(), three[2]);
        // The equipment panel follows the shown unit.
        EXPECT_EQ(dlg->eqpt_bag()->get_unit(), three[2]);
        EXPECT_EQ(dlg->eqpt_bag()->eqpt_pnl()->slot_btn(0)->slot, &three[2]->eqpts.slots[0]);
        ASSERT_TRUE(close_unit_screen(d));
        EXPECT_TRUE(unit_dlg_list().empty());
        EXPECT_EQ(get_itm_btn_unit(), nullptr);
    }, {}, open);
}

TEST(UnitDlg, OneUnitStaysNoneNeverOpensAndAMissingUnitCountsAsTheFirst) {
    std::vector<unit_t*> list;
    int opened = 0;
    const auto open = [&] {
        list = {g_pty.units[3]};
        return open_unit_dlg(g_pty.units[3], &list);
    };
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        d.key(SDLK_d);
        EXPECT_EQ(dlg->get_unit(), g_pty.units[3]);
        d.key(SDLK_a);
        EXPECT_EQ(dlg->get_unit(), g_pty.units[3]);
        ASSERT_TRUE(close_unit_screen(d));

        // No unit and an empty list: nothing to show, no dialog.
        d.on_main([&] {
            list.clear();
            opened = open_unit_dlg(nullptr, &list);
        });
        EXPECT_EQ(opened, MODAL_CANCEL);
        EXPECT_EQ(get_unit_dlg(), nullptr);
        // An empty party as well.
        d.on_main([&] {
            const auto members = std::move(g_pty.units);
            g_pty.units.clear();
            opened = open_unit_dlg(nullptr);
            g_pty.units = members;
        });
        EXPECT_EQ(opened, MODAL_CANCEL);

        // A unit outside the list stands in the first one's place: next is the second.
        test_btn_t* b = nullptr;
        d.on_main([&] {
            list = {g_pty.units[0], g_pty.units[1], g_pty.units[2]};
            b = add_test_btn(L"外人", 48, [&] { return open_unit_dlg(g_pty.units[4], &list); });
        });
        d.frames(1);
        ASSERT_TRUE(d.click(b));
        dlg = get_unit_dlg();
        ASSERT_NE(dlg, nullptr);
        EXPECT_EQ(dlg->get_unit(), g_pty.units[4]);
        d.key(SDLK_d);
        EXPECT_EQ(dlg->get_unit(), g_pty.units[1]);
        // Opened again while it runs (a face clicked inside it): it shows the unit where it is.
        d.on_main([&] { opened = open_unit_dlg(g_pty.units[2], nullptr); });
        EXPECT_EQ(opened, MODAL_CANCEL);
        EXPECT_EQ(get_unit_dlg(), dlg);
        EXPECT_EQ(dlg->get_unit(), g_pty.units[2]);
        EXPECT_EQ(unit_dlg_list(), g_pty.units);
        d.key(SDLK_ESCAPE);
    }, {}, open);
}

TEST(UnitDlg, MonstersShowTheSheetOnly) {
    unit_t mon;
    std::vector<unit_t*> list;
    const auto open = [&] {
        mon.from_mon(MON_RAT_D, 1);
        list = {g_pty.units[0], &mon};
        return open_unit_dlg(&mon, &list);
    };
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        EXPECT_FALSE(screen_driver_t::shown(dlg->eqpt_bag()));
        ASSERT_TRUE(screen_driver_t::shown(dlg->placeholder()));
        const rect holder = dlg->placeholder()->rc;
        d.key(SDLK_a);  // to the party member: the panel takes the same place
        EXPECT_TRUE(screen_driver_t::shown(dlg->eqpt_bag()));
        EXPECT_FALSE(screen_driver_t::shown(dlg->placeholder()));
        EXPECT_EQ(dlg->eqpt_bag()->rc, holder);
        EXPECT_FALSE(dlg->sheet()->text.empty());
        d.key(SDLK_ESCAPE);
    }, {}, open);
}

// The dialog at three screen sizes: inside the screen, the panel on the
// right, the sheet filling what is left, the toggles at its bottom right.
TEST(UnitDlg, LaysOutAtThreeScreenSizes) {
    for (const size scr : {size{900, 700}, size{1280, 720}, size{1920, 1080}}) {
        in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
            const rect r = dlg->rc;
            EXPECT_TRUE(r.x >= 0 && r.y >= 0 && r.x + r.w <= scr.w && r.y + r.h <= scr.h) << scr.w;
            const rect p = dlg->eqpt_bag()->rc, s = dlg->sheet()->rc, t = dlg->toggles()->rc;
            EXPECT_EQ(p.w, 532);
            EXPECT_EQ(p.x + p.w, r.x + r.w - dlg->margin_r) << scr.w;
            EXPECT_LE(s.x + s.w, p.x) << scr.w;
            EXPECT_GT(s.w, 200) << scr.w;
            size box;
            EXPECT_EQ(dlg->sheet()->text_box(&box)->w, desc_corpus::unit_dlg.w) << "where sheets are checked";
            EXPECT_TRUE(t.x >= s.x && t.x + t.w <= s.x + s.w && t.y + t.h <= s.y + s.h) << scr.w;
            // The bag's last row and the funds stay inside the dialog.
            const rect bag = dlg->eqpt_bag()->bag_pnl()->rc;
            EXPECT_LE(bag.y + bag.h, r.y + r.h) << scr.w;
            if (scr.w == 900) d.shot("unit-dialog-900");
        }, screen_opts_t::sized(scr.w, scr.h));
    }
}
