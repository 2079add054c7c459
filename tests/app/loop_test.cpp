#include "app/loop.h"

#include "app/ani.h"
#include "app/draw_text.h"
#include "app/opts.h"
#include "app/render.h"
#include "support/font_env.h"
#include "support/loop_harness.h"

using namespace harness;

namespace {

// Draws a frame; bright (text) pixels inside and outside the area.
std::pair<int, int> bright_in(const rect& area) {
    frame_render();
    const size s = *get_scrn_size();
    const auto px = canvas_t::read({0, 0, s.w, s.h});
    int in = 0, out = 0;
    for (size_t i = 0; i < px.size(); ++i)
        if (clr_t(px[i]).g() > 200) ++(area.contains(int(i) % s.w, int(i) / s.w) ? in : out);
    return {in, out};
}
}  // namespace

class Modal : public loop_test_t {};

TEST_F(Modal, NestedWaitDoesNotStretchTheOuterOne) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    int nested = -9;
    a.hook = [&](const evt_t& e) {
        if (e.code == EVT_IDLE && nested == -9) {
            nested = 1;  // no deeper wait from the nested one's own frames
            nested = wait_ms(80);
        }
        return false;
    };
    EXPECT_EQ(wait_ms(100), 0);
    EXPECT_EQ(nested, 0);
    EXPECT_EQ(std::pair(now_ms, frame_no), std::pair(100u, size_t(10)));
}

TEST_F(Modal, QuitInsideANestedWaitEndsEveryLoopWithMinusFive) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    int inner = 0;
    a.hook = [&](const evt_t& e) {
        if (e.code == EVT_IDLE && inner == 0) {
            inner = 1;
            script.resize(frame_no + 2);
            script[frame_no + 1] = post_quit;
            inner = wait_ms(100000);
        }
        return false;
    };
    EXPECT_EQ(run_modal_loop([] { return true; }), -5);
    EXPECT_TRUE(inner == -5 && is_quitting());
}

TEST_F(Modal, AnimationsDrawOverTheWindowsButUnderADialog) {
    rec_wnd_t a("a", root(), {0, 0, 800, 600});
    get_ani_mgr()->play(new zg::custom_ani_t([](zg::custom_ani_t&) { calls.push_back("ani drawn"); }, zg::ANI_CUSTOM, 0, 0, 0));
    frame_render();
    EXPECT_EQ(take_calls(), (std::vector<std::string>{"a drawn", "ani drawn"}));
    input_state().modal_stack.push_back(&a);
    frame_render();
    EXPECT_EQ(take_calls(), (std::vector<std::string>{"ani drawn", "a drawn"}));
    input_state().modal_stack.clear();
    get_ani_mgr()->clear();
}

TEST(FrameText, HintLineAtTheBottomLeftAndFrameCounterOnlyWhenSwitchedOn) {
    font_env_t::up();
    const rect scr{0, 0, get_scrn_size()->w, get_scrn_size()->h};
    get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
    opts().show_fps = false;
    hint_text() = L"Hint";
    size t;
    measure_text(&t, L"Hint", FONT_DEF, 3, UNLIMITED, UNLIMITED);
    const auto hint = bright_in({0, scr.h - t.h - 4, t.w + 4, t.h + 4});
    EXPECT_TRUE(hint.first > 0 && hint.second == 0) << hint.first << " " << hint.second;
    hint_text() = L"";
    opts().show_fps = true;
    const auto fps = bright_in({4, 4, 40, 30});
    EXPECT_TRUE(fps.first > 0 && fps.second == 0) << fps.first << " " << fps.second;
    opts().show_fps = false;
    font_env_t::down();
}
