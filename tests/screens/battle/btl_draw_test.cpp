// The battle map as the player sees it: the fog of war by sight, distance and
// memory, a step's walk preview, and the order of the blocks of the cell tooltip.
#include <gtest/gtest.h>

#include <string>
#include <tuple>

#include "app/input.h"
#include "app/platform.h"
#include "battle/fog.h"
#include "battle/zone.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/text/unit_sheet.h"
#include "support/btl_stage.h"
#include "support/canvas.h"
#include "support/screen_driver.h"

namespace {
// The fog's alpha over the middle of the cell, drawn alone on a clear canvas.
int fog_alpha(btl_scene_t* s, const pt_t& c) {
    const rect r = s->get_view().cell_scrn_rect(c);
    return int(canvas_t::px(r.x + r.w / 2, r.y + r.h / 2) >> 24);
}
}  // namespace

using BtlDraw = btl_stage_test_t;

TEST_F(BtlDraw, TheFogLiftsNearTheParty) {
    duel(24, 9, 1, {3, 4}, {22, 4}, [&](unit_t* me, unit_t*) {
        btl_scene_t* s = cur_btl_scene();
        // Dark by a quarter of the distance squared, in the sight's five cells.
        const struct {
            pt_t c;
            double light;  // 1 for a cell the party does not see
        } seen[] = {{{3, 4}, 0.0}, {{5, 4}, 4 / 25.0}, {{6, 5}, 10 / 25.0}, {{7, 4}, 16 / 25.0}, {{8, 4}, 1.0}};
        d.on_main([&] {
            s->get_view().center_on({8, 4});
            for (const auto& c : seen) {
                EXPECT_TRUE(is_pt_visible(c.c));
                EXPECT_NEAR(light_factor(c.c), c.light, 1e-9) << c.c.x << "," << c.c.y;
            }
            EXPECT_FALSE(is_pt_explored({12, 4}));
            canvas_t canvas(1280);
            draw_fog(s);
            for (const auto& c : seen) EXPECT_EQ(fog_alpha(s, c.c), int(255 * c.light * 0.75)) << c.c.x;
            EXPECT_EQ(fog_alpha(s, {12, 4}), 255);  // never seen: black
            // The party walks on: what it saw stays remembered, under the fog.
            step_unit(me, {14, 4});
            update_view(me, true, true, false);
            canvas.clear();
            draw_fog(s);
            EXPECT_FALSE(is_pt_visible({5, 4}));
            EXPECT_TRUE(is_pt_explored({5, 4}));
            EXPECT_EQ(fog_alpha(s, {5, 4}), int(255 * 0.75));
            EXPECT_EQ(fog_alpha(s, {12, 4}), int(255 * 4 / 25.0 * 0.75));
        });
    });
}

// A step marks its one cell; past the rat's corner the move goes round it,
// several cells: a walk, said and marked as one. The cell tip reads the
// action, the unit, the zone and the cell.
TEST_F(BtlDraw, AStepOrAWalkIsMarkedAndTheCellTipReadsTheActionTheUnitTheZoneAndTheCell) {
    duel(12, 6, 1, {3, 3}, {4, 3}, [&](unit_t*, unit_t* rat) {
        btl_scene_t* s = cur_btl_scene();
        const auto hovered = [&](const pt_t& c) {
            hover_cell(d, c);
            return std::tuple(s->hover_cursor(), s->pending_cmds(), bv().walk);
        };
        EXPECT_EQ(hovered({2, 4}), std::tuple(CUR_SHIFT, std::vector<u_cmd_t>{{P_MOVE, 0, {2, 4}, UCMD_SHIFT}},
                                              std::vector<pt_t>{{2, 4}}));
        EXPECT_EQ(hovered({4, 4}), std::tuple(CUR_MOV, std::vector<u_cmd_t>{{P_MOVE, 0, {4, 4}, 0}},
                                              std::vector<pt_t>{{2, 4}, {3, 5}, {4, 4}}));
        EXPECT_NE(std::wstring(s->act_tip().c_str()).find(L"行走"), std::wstring::npos);
        d.on_main([&] { btl().zones.push_back(new zone_t{nullptr, 0, P_TOX_FOG, 3, {rat->pos}}); });
        hover_cell(d, rat->pos);
        ASSERT_FALSE(s->act_tip().empty());  // the blow's chances
        Str tip, line;
        d.on_main([&] { btl_cell_tip(s, tip), s->cell_line(line); });
        const std::wstring t = tip.c_str();
        const size_t act = t.find(std::wstring(L"<b>") + s->act_tip().c_str() + L"</b>");
        const size_t unit = t.find(txt::unit_tip_text(rat).c_str());
        const size_t zone = t.find(std::wstring(L"<c=fc_r b>") + get_pwr(P_TOX_FOG)->n + L"区域</c>");
        const size_t cell = t.find(line.c_str());
        ASSERT_NE(act, std::wstring::npos);
        ASSERT_NE(unit, std::wstring::npos);
        ASSERT_NE(zone, std::wstring::npos);
        ASSERT_NE(cell, std::wstring::npos);
        EXPECT_EQ(act, 0u);
        EXPECT_LT(act, unit);
        EXPECT_LT(unit, zone);
        EXPECT_LT(zone, cell);
        // An empty cell out of reach: the cell line alone.
        hover_cell(d, {10, 0});
        Str tip2, line2;
        d.on_main([&] { btl_cell_tip(s, tip2), s->cell_line(line2); });
        EXPECT_STREQ(tip2.c_str(), line2.c_str());
        // The tip shown, then one quick move to the rat: the tip that comes is
        // the rat's cell's, with its blow, not the cell the pointer left.
        ASSERT_FALSE(tip_for(d, get_root_wnd()).empty());
        d.flick_to(cell_pt(rat->pos).x, cell_pt(rat->pos).y);
        d.frames(20);
        const std::wstring shown = tip_for(d, get_root_wnd());
        EXPECT_NE(shown.find(L"[04,03]"), std::wstring::npos);
        EXPECT_EQ(shown.find(L"[10,00]"), std::wstring::npos);
        EXPECT_FALSE(s->pending_cmds().empty());
    });
}
