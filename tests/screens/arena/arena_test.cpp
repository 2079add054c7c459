#include "screens/arena/arena.h"

#include "support/loop_harness.h"

class Arena : public loop_test_t {};

TEST_F(Arena, HubFillsTheScreenAtEverySize) {
    for (const rect scr : {rect{0, 0, 800, 600}, {0, 0, 1280, 720}, {0, 0, 1920, 1080}}) {
        get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
        arena_scene_t* a = new_arena_scene();
        reg_scene(a);
        push_scene(a, true);
        ASSERT_EQ(a->wnds.size(), 1u);
        EXPECT_EQ(a->wnds[0]->rc, scr) << scr.w;
        free_scenes();
        destroy_owned_wnds();
    }
}
