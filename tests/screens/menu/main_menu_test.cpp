#include "screens/menu/main_menu.h"

#include "screens/arena/arena.h"
#include "support/loop_harness.h"

class MainMenu : public loop_test_t {};

TEST_F(MainMenu, FrameIsCentredAtEveryScreenSize) {
    for (const rect scr : {rect{0, 0, 800, 600}, {0, 0, 1280, 720}, {0, 0, 1920, 1080}}) {
        get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
        goto_main_menu();
        ASSERT_EQ(get_top_scene(), get_main_menu_scene());
        const std::vector<wnd_t*>& own = get_main_menu_scene()->wnds;
        ASSERT_EQ(own.size(), 1u);
        EXPECT_EQ(own[0]->rc, (rect{(scr.w - 288) / 2, (scr.h - 320) / 2, 288, 320})) << scr.w;
        free_scenes();
        destroy_owned_wnds();
    }
}

TEST_F(MainMenu, SwitchesMakeEachSceneOnceAndResumeItAfterwards) {
    goto_main_menu();
    main_menu_scene_t* menu = get_main_menu_scene();
    const int frames = owned_wnd_count();
    goto_arena();
    arena_scene_t* arena = get_arena_scene();
    ASSERT_TRUE(arena && get_top_scene() == arena);
    goto_main_menu();
    EXPECT_TRUE(get_main_menu_scene() == menu && get_top_scene() == menu);
    EXPECT_EQ(owned_wnd_count(), frames + 1);  // no second menu frame
    EXPECT_TRUE(!menu->wnds[0]->is_hidden() && arena->wnds[0]->is_hidden());
}
