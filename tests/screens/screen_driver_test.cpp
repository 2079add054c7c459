// The screen driver itself: the game starts headless on a fresh folder, the
// main menu is there, a click found by caption reaches the game, a shot is
// written, and the test reads on linearly inside a nested frame loop.
#include "support/screen_driver.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "app/input.h"
#include "app/loop.h"
#include "app/scene.h"
#include "screens/arena/arena.h"
#include "screens/menu/main_menu.h"
#include "support/test_btn.h"
#include "ui/modal.h"
#include "ui/wnd.h"

TEST(ScreenDriver, StartsClicksShootsAndQuits) {
    screen_driver_t d;
    EXPECT_FALSE(d.exists("saves/main.cfg"));
    d.run_started([&] {
        EXPECT_EQ(get_top_scene(), get_main_menu_scene());
        ASSERT_NE(d.find(L"竞技场"), nullptr);
        EXPECT_NE(d.find(L"冒险模式（开发中）"), nullptr);  // found by its text without mark-up
        const std::string png = d.shot("driver-menu");
        EXPECT_GT(std::filesystem::file_size(png), 1000u);

        EXPECT_TRUE(d.click(d.find(L"竞技场")));
        ASSERT_TRUE(d.wait_for([] { return get_top_scene() == get_arena_scene(); }, "the arena scene"));
        // The menu's windows are hidden under the arena.
        EXPECT_EQ(d.find_tip(L"使用预设或自定义的角色和队伍，挑战各种怪物群体！"), nullptr);
        d.quit();
    });
    EXPECT_EQ(d.exit_code(), 0);
    EXPECT_EQ(get_main_menu_scene(), nullptr);  // shut down
}

TEST(ScreenDriver, TheBodyGoesOnInsideNestedLoopsAndTheClockRunsByFrames) {
    screen_driver_t d;
    d.run_started([&] {
        test_btn_t *opener = nullptr, *waiter = nullptr;
        wnd_t* inner = nullptr;
        int frames_waited = -1;
        d.on_main([&] {
            inner = add_owned(new_wnd(), {0, 0, 200, 100}, WS_HIDDEN | WS_CENTRE_X | WS_CENTRE_Y);
            inner->set_text(L"里面", false);
            opener = add_test_btn(L"打开", 8, [&] { return do_modal(inner, 0, 0); });
            waiter = add_test_btn(L"等一下", 48, [&] {
                const int f0 = d.frame_no();
                wait_ms(160);
                frames_waited = d.frame_no() - f0;
                return 0;
            });
        });
        d.frames(1);
        ASSERT_TRUE(d.click(d.find(L"打开")));
        // Back inside the dialog's own loop, which the click handler runs.
        EXPECT_EQ(get_top_modal(), inner);
        EXPECT_EQ(d.find(L"里面"), inner);
        EXPECT_EQ(opener->result, 0);
        d.key(SDLK_ESCAPE);
        ASSERT_TRUE(d.wait_for([&] { return opener->result == MODAL_CANCEL; }, "the dialog to end"));
        EXPECT_EQ(get_top_modal(), nullptr);

        // 160 ms are ten frames of 16 ms, however long the frames take.
        ASSERT_TRUE(d.click(waiter));
        ASSERT_TRUE(d.wait_for([&] { return frames_waited >= 0; }, "the wait to end"));
        EXPECT_EQ(frames_waited, 10);

        EXPECT_TRUE(d.click(d.find(L"退出")));
        EXPECT_EQ(d.wait_exit(), 0);
        EXPECT_FALSE(d.running());
        // The same folder starts again, as a player starts the game again.
        ASSERT_TRUE(d.start());
        EXPECT_NE(d.find(L"竞技场"), nullptr);
    });
    EXPECT_EQ(d.exit_code(), 0);
}
