// The map scene through the game's own start-up, with shots to look at: a
// generated map of each environment, and the whole interface at two screen
// sizes. The map viewer is the way in until a battle shows the scene.
#include <gtest/gtest.h>

#include "app/input.h"
#include "app/text_log.h"
#include "app/str.h"
#include "battle/tmap.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "screens/map/open_viewer.h"
#include "screens/widgets/log_memo.h"
#include "support/screen_driver.h"
#include "ui/tip.h"
#include "ui/tool_bar.h"

namespace {

constexpr int shot_side = 20;  // the largest generated map fills the view

// What a player sees of the interface on any screen.
void expect_interface(screen_driver_t& d, map_viewer_t* v, int slots) {
    ASSERT_TRUE(main_ui_built());
    const main_ui_t& ui = main_ui();
    for (const wnd_t* w : std::vector<const wnd_t*>{ui.right_pnl, ui.bottom_bar, ui.status_pnl, ui.act_bar, ui.log_bar})
        EXPECT_TRUE(screen_driver_t::shown(w));
    EXPECT_EQ(ui.act_bar->count(), slots);
    EXPECT_NE(d.find_tip(L"系统菜单"), nullptr);
    ASSERT_EQ(ui.log_bar->count(), 7);
    EXPECT_EQ(ui.log_bar->get_item(LOG_BAR_FULL)->tip, Str(L"浏览记录 (Z)"));
    EXPECT_GT(v->minimap_cell(), 0);
    EXPECT_TRUE(screen_driver_t::shown(ui.log_memo) && ui.log_memo->get_mode() == LOG_FLOAT);
}

TEST(MapShots, EachEnvironmentOnAGeneratedMap) {
    screen_driver_t d;
    d.run_started([&] {
        // Seeds whose maps hold both joined walls and, where the environment
        // grows them, stands of trees.
        const struct {
            int env, seed;
            const char* name;
        } envs[] = {{1, 3, "map-plain"}, {2, 6, "map-grass"}, {3, 7, "map-forest"}, {4, 5, "map-cave"}, {5, 6, "map-ruin"}};
        for (const auto& e : envs) {
            map_viewer_t* v = open_viewer(d, e.env, e.seed, shot_side);
            ASSERT_NE(v, nullptr);
            EXPECT_EQ(get_top_scene(), v);
            EXPECT_EQ(v->get_map()->hdr.env, e.env);
            EXPECT_EQ(v->get_map()->get_w(), shot_side);
            d.shot(e.name);
        }
        EXPECT_EQ(d.quit(), 0);
    });
    EXPECT_EQ(d.exit_code(), 0);
}

void interface_shot(int w, int h, int slots) {
    screen_driver_t d(screen_opts_t::sized(w, h));
    d.run_started([&] {
        map_viewer_t* v = open_viewer(d, 3, 7, shot_side);
        ASSERT_NE(v, nullptr);
        expect_interface(d, v, slots);
        // Each line shows at once: the log runs a frame, which hands the test its turn.
        for (const wchar_t* line : {L"<c=fc_k8>第 1 轮</c>", L"哥布林 攻击 战士：命中，造成 4 点伤害。",
                                    L"战士 攻击 哥布林：未命中。", L"<c=fc_k8>第 2 轮</c>"})
            d.on_main([line] {
                *log_cur_buf() += line;
                log_flush();
            });
        d.frames(2);
        EXPECT_NE(std::wstring(main_ui().log_memo->text.c_str()).find(L"第 2 轮"), std::wstring::npos);
        // Rest on a cell: its mark, then its tooltip.
        d.move_to(5 * 64 + 20, 3 * 64 + 20);
        ASSERT_TRUE(d.wait_for([] { return get_tip_shown_wnd() == get_root_wnd(); }, "the cell's tooltip"));
        EXPECT_EQ(v->get_cell(), (pt_t{v->get_view().org_cell.x + 5, v->get_view().org_cell.y + 3}));
        d.shot("map-interface-" + std::to_string(w) + "x" + std::to_string(h));
        EXPECT_EQ(d.quit(), 0);
    });
    EXPECT_EQ(d.exit_code(), 0);
}

TEST(MapShots, InterfaceAt1280x720) { interface_shot(1280, 720, ACT_BAR_SLOTS); }
TEST(MapShots, InterfaceAt1024x768WithTenQuickSlots) { interface_shot(1024, 768, ACT_BAR_NARROW_SLOTS); }

}  // namespace
