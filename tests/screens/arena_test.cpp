#include "screens/arena.h"

#include "support/loop_harness.h"

class Arena : public loop_test_t {};

TEST_F(Arena, HubFillsTheScreenAtEverySize) {
    const size sizes[] = {{800, 600}, {1280, 720}, {1920, 1080}};
    for (const size& s : sizes) {
        const rect scr{0, 0, s.w, s.h};
        get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
        arena_scene_t* a = new_arena_scene();
        reg_scene(a);
        push_scene(a, true);
        ASSERT_EQ(a->wnds.size(), 1u);
        EXPECT_EQ(a->wnds[0]->rc, scr) << s.w;
        free_scenes();
        destroy_owned_wnds();
    }
}
