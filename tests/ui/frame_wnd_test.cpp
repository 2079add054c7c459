#include "ui/frame_wnd.h"

#include <SDL_keycode.h>
#include <gtest/gtest.h>

#include "app/input.h"
#include "app/input_state.h"

namespace {

TEST(FrameWnd, EscapeCancelsTheRunningDialogAndAnEndCodeHidesTheFrame) {
    input_state() = input_state_t{};
    frame_wnd_t f;
    const rect r{0, 0, 300, 200};
    f.create(L"Frame", 0, nullptr, &r);
    EXPECT_EQ(std::pair(f.close_btn.end_code, f.close_btn.rc), std::pair(-2, rect{300 - 32, 0, 32, 32}));
    set_focus_wnd(&f);
    // Key code 0 (a key without a code) cancels nothing.
    const evt_t key0{EVT_KEY_UP, 0, 0}, esc{EVT_KEY_UP, SDLK_ESCAPE, 0};
    f.on_input(&key0);
    EXPECT_EQ(get_modal_result(), 0);
    // The frame is not the modal window; Esc still ends the loop that runs.
    f.on_input(&esc);
    EXPECT_EQ(get_modal_result(), -2);
    set_modal_result(0);
    f.close_btn.click(nullptr);
    EXPECT_EQ(get_modal_result(), -2);
    EXPECT_TRUE(f.is_hidden());
    input_state() = input_state_t{};
}

}  // namespace
