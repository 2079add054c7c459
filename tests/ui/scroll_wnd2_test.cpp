#include "ui/scroll_wnd2.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include <tuple>

namespace {

class ScrollWnd : public ::testing::Test {
protected:
    scroll_wnd2_t w;
    void SetUp() override {
        const rect r{10, 20, 200, 100};
        w.create(0, nullptr, &r, 0, 0, nullptr);
    }
    void send(uint32_t code, int a = 0, int b = 0) { w.on_msg({code, a, b}, &w); }
};

TEST_F(ScrollWnd, BarsShowOnlyWhenTheContentOverflowsOrTheyAreForced) {
    // content w, h -> horizontal bar, vertical bar
    const std::tuple<int, int, bool, bool> rows[] = {
        {200, 100, false, false}, {201, 100, true, true},  // the horizontal bar's room makes the height overflow
        {200, 101, true, true},   {150, 101, false, true}, {201, 50, true, false}, {184, 101, false, true},
    };
    for (const auto& [cw, ch, h, v] : rows) {
        w.set_scroll_size(cw, ch);
        EXPECT_EQ(std::pair(w.has_h, w.has_v), std::pair(h, v)) << cw << "x" << ch;
    }
    w.set_scroll_size(150, 101);
    EXPECT_EQ(w.view, (rect{10, 20, 184, 100}));
    EXPECT_EQ(w.v_track, (rect{194, 20, 16, 100}));
    w.always_h = true;
    w.set_scroll_size(10, 10);
    EXPECT_EQ(std::pair(w.has_h, w.has_v), std::pair(true, false));
    EXPECT_EQ(w.h_thumb.w, 200);  // fills its track
}

TEST_F(ScrollWnd, PositionsClampAndThumbsFollowThem) {
    w.set_scroll_size(100, 1000);
    EXPECT_EQ(w.v_thumb.h, 10);
    w.scroll_v_to(-5);
    EXPECT_EQ(w.pos_y(), 0);
    w.scroll_v_to(5000);
    EXPECT_EQ(std::pair(w.pos_y(), w.v_thumb.y), std::pair(900, 20 + 90));
    rect c;
    EXPECT_EQ(w.content_rect(&c)->y, 20 - 900);  // the text and content move up
    w.scroll_v_by(-450);
    EXPECT_EQ(std::pair(w.pos_y(), w.v_thumb.y), std::pair(450, 20 + 45));
    w.set_scroll_size(100, 100000000);
    EXPECT_EQ(w.v_thumb.h, 1);  // never shorter than a pixel
    w.set_scroll_size(100, 500);  // a smaller content pulls the position back into range
    EXPECT_EQ(w.pos_y(), 400);
    w.move_by(5, 5);
    EXPECT_EQ(std::pair(w.view.y, w.v_thumb.y), std::pair(25, 25 + 80));
}

TEST_F(ScrollWnd, MouseWheelAndKeysScroll) {
    w.set_scroll_size(400, 1000);  // both bars: view 184 x 84
    send(EVT_LBTN_DOWN, 200, 20 + 60);  // on the track below the thumb: the thumb centres on the mouse
    EXPECT_GT(w.pos_y(), 0);
    const int grabbed = w.pos_y();
    send(EVT_MOUSE_MOVE, 200, 20 + 60 + 10);
    EXPECT_GT(w.pos_y(), grabbed);
    send(EVT_LBTN_UP);
    send(EVT_MOUSE_MOVE, 200, 20);
    EXPECT_GT(w.pos_y(), grabbed);  // no longer dragging
    send(EVT_KEY_DOWN, SDLK_HOME);
    EXPECT_EQ(w.pos_y(), 0);
    send(EVT_WHEEL_DOWN);
    EXPECT_EQ(w.pos_y(), 84);
    send(EVT_KEY_DOWN, SDLK_s);
    send(EVT_KEY_DOWN, SDLK_PAGEDOWN);
    EXPECT_EQ(w.pos_y(), 84 + 40 + 84);
    send(EVT_KEY_DOWN, SDLK_END);
    EXPECT_EQ(w.pos_y(), 1000 - 84);
    send(EVT_KEY_DOWN, SDLK_RIGHT);
    send(EVT_KEY_DOWN, SDLK_d);
    EXPECT_EQ(w.pos_x(), 80);
    send(EVT_KEY_DOWN, SDLK_LEFT);
    EXPECT_EQ(w.pos_x(), 40);
}

TEST_F(ScrollWnd, AThumbFillingItsTrackCanBeDraggedWithoutMoving) {
    w.always_v = true;
    w.set_scroll_size(100, 50);
    ASSERT_EQ(w.v_thumb.h, w.v_track.h);
    send(EVT_LBTN_DOWN, 200, 30);
    send(EVT_MOUSE_MOVE, 200, 90);
    EXPECT_EQ(std::pair(w.pos_y(), w.v_thumb.y), std::pair(0, 20));
}

}  // namespace
