// The sheet's section toggles in the unit dialog: a click flips a section and
// stores the mask; Alt flips all four while held and stores nothing.
#include "screens/widgets/sheet.h"

#include <gtest/gtest.h>

#include "app/ini.h"
#include "screens/unit/unit_screen.h"
#include "ui/memo_ctrl.h"
#include "ui/tool_bar2.h"

namespace {
constexpr const wchar_t* key = L"_u_xs_dlg_cfg";

int stored() { return CZsConfig::instance().get_int(key, -1, L"Main"); }

void click_toggle(screen_driver_t& d, tool_bar_t2* s, int i) { d.click_at(s->item_rect(i)); }
}  // namespace

TEST(SheetToggles, AClickFlipsASectionAndStoresTheMaskAltFlipsAllWithoutStoring) {
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        tool_bar_t2* s = dlg->toggles();
        EXPECT_EQ(dlg->sheet_mask(), 15);  // nothing stored yet: every section in full
        EXPECT_EQ(s->get_sel_mask(), 15u);
        EXPECT_EQ(s->count(), 5);
        EXPECT_FALSE(s->get_item(4)->selectable());

        click_toggle(d, s, 1);
        EXPECT_EQ(dlg->sheet_mask(), 13);
        EXPECT_EQ(stored(), 13);
        click_toggle(d, s, 4);  // the spare item takes no part
        EXPECT_EQ(dlg->sheet_mask(), 13);

        d.key_down(SDLK_LALT, KMOD_LALT);
        d.frames(1);
        EXPECT_EQ(dlg->sheet_mask(), 2);
        EXPECT_EQ(s->get_sel_mask(), 2u);
        EXPECT_EQ(stored(), 13);
        d.key_up(SDLK_LALT);
        d.frames(1);
        EXPECT_EQ(dlg->sheet_mask(), 13);
        EXPECT_EQ(s->get_sel_mask(), 13u);
        EXPECT_EQ(stored(), 13);
    });
}

TEST(SheetToggles, TheStoredMaskIsReadAtStartUpKeepingTheFourSectionBits) {
    const screen_opts_t o{.config = "_u_xs_dlg_cfg=53\r\n"};  // 0x35: bit 4 and 5 name no section
    in_unit_screen({}, [&](screen_driver_t&, unit_dlg_t* dlg) {
        EXPECT_EQ(dlg->sheet_mask(), 5);
        EXPECT_EQ(dlg->toggles()->get_sel_mask(), 5u);
        EXPECT_FALSE(dlg->toggles()->get_item(4)->is_selected());
    }, o);
}

// The strip lies in a band across the pane's bottom that its view never
// reaches: scrolled to its end by the wheel (the focus is elsewhere), a long
// sheet shows its last line above the strip.
TEST(SheetToggles, TheWheelScrollsTheSheetToItsLastLineAboveTheStrip) {
    in_unit_screen({}, [&](screen_driver_t& d, unit_dlg_t* dlg) {
        memo_ctrl_t* pane = dlg->sheet();
        tool_bar_t2* s = dlg->toggles();
        ASSERT_GT(pane->max_y(), 0) << "every section of a character fills more than the pane";
        d.move_to(pane->rc.x + pane->rc.w / 2, pane->rc.y + pane->rc.h / 2);
        d.wheel(-1);
        EXPECT_EQ(pane->pos_y(), std::min(pane->view.h, pane->max_y())) << "a notch scrolls a page";
        for (int n = 0; n < 20 && pane->pos_y() < pane->max_y(); ++n) d.wheel(-1);
        ASSERT_EQ(pane->pos_y(), pane->max_y());
        pt_t o;
        pane->client_origin(&o);
        const rect t = pane->rtext.get_rect();
        EXPECT_LE(o.y + t.y + t.h, s->rc.y) << "the last line ends under the strip's top";
        EXPECT_EQ(pane->view.y + pane->view.h, s->item_rect(0).y) << "text and bar end above the toggles";
        d.shot("unit-sheet-wheeled");
    });
}
