#include "app/scene.h"

#include "support/loop_harness.h"

using namespace harness;

namespace {
using strs = std::vector<std::string>;

// A top window made on the heap and owned like the screens' windows.
rec_wnd_t* top_wnd(const char* name, uint32_t style = 0) {
    auto* w = new rec_wnd_t(name, get_root_wnd(), {0, 0, 10, 10}, style);
    reg_owned_wnd(w);
    return w;
}
}  // namespace

class Scenes : public loop_test_t {
protected:
    rec_scene_t* a = new rec_scene_t("a");
    rec_scene_t* b = new rec_scene_t("b");
    void SetUp() override {
        loop_test_t::SetUp();
        reg_scene(a), reg_scene(b);
    }
};

TEST_F(Scenes, PushLeavesThenEntersLaysOutAndResumesAndShutdownLeavesOnlyTheTop) {
    push_scene(a, true);
    take_calls();
    push_scene(b, true);
    EXPECT_EQ(take_calls(), (strs{"a leave", "b enter", "b layout", "b resume"}));
    push_scene(a, false);
    EXPECT_EQ(take_calls(), (strs{"b leave", "a resume"}));
    leave_top_scene();
    free_scenes();
    EXPECT_EQ(take_calls(), (strs{"a leave", "a deleted", "b deleted"}));
    EXPECT_FALSE(has_scene());
}

TEST_F(Scenes, EachSceneShowsOnlyItsOwnWindows) {
    rec_wnd_t *a1 = nullptr, *a_hidden = nullptr, *b1 = nullptr;
    a->on_enter = [&] { a1 = top_wnd("a1"), a_hidden = top_wnd("a_hidden", WS_HIDDEN); };
    b->on_enter = [&] { b1 = top_wnd("b1"); };
    push_scene(a, true);
    EXPECT_EQ(a->wnds, (wnds{a1}));
    rec_wnd_t* late = top_wnd("late");  // made after enter: not the scene's own
    push_scene(b, true);
    EXPECT_TRUE(a1->is_hidden() && late->is_hidden() && !b1->is_hidden());
    take_calls();
    pop_scene();
    EXPECT_EQ(take_calls(), (strs{"b leave", "a resume"}));
    EXPECT_FALSE(a1->is_hidden());
    EXPECT_TRUE(a_hidden->is_hidden() && late->is_hidden() && b1->is_hidden());
}

TEST_F(Scenes, SwitchesForgetPressAndAStrayPopLeavesAnEmptyStack) {
    rec_wnd_t* w = nullptr;
    a->on_enter = [&] { w = top_wnd("w"); };
    push_scene(a, true);
    route_at(EVT_LBTN_DOWN, 5, 5);
    ASSERT_EQ(get_pressed_wnd(), w);
    set_modal_result(-1);
    push_scene(b, true);
    EXPECT_EQ((wnds{get_pressed_wnd(), get_hover_wnd()}), (wnds{nullptr, nullptr}));
    EXPECT_EQ(get_modal_result(), 0);
    // The button held across the switch is not clicked by its release.
    pop_scene();
    route(EVT_LBTN_UP, 5, 5);
    EXPECT_TRUE(w->clicks == 0 && !get_clicked_wnd());
    pop_scene();
    pop_scene();
    EXPECT_TRUE(!get_top_scene() && !has_scene());
}
