#include "app/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/codec.h"
#include "app/input_state.h"
#include "app/paths.h"
#include "app/render.h"
#include "app/seams.h"
#include "support/temp_dir.h"
#include "ui/wnd.h"

namespace {
const temp_dir_t game;  // the configuration read by the window is the test's own
uint8_t keys[SDL_NUM_SCANCODES];
pt_t mouse;

class Input : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        set_exe_dir(wide_from_utf8(game.path() + "/").c_str());
        ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
        ASSERT_TRUE(open_window());
    }
    static void TearDownTestSuite() {
        close_window();
        SDL_Quit();
    }
    void SetUp() override {
        seams().key_state = [](int* n) -> const uint8_t* {
            *n = SDL_NUM_SCANCODES;
            return keys;
        };
        seams().mouse_state = [](int* x, int* y) {
            *x = mouse.x;
            *y = mouse.y;
            return 0u;
        };
        input_state() = input_state_t{};
    }
    void TearDown() override { seams_reset(); }
};
}  // namespace

TEST_F(Input, ScrollDirectionFromKeysAndScreenEdges) {
    const size scr = *get_scrn_size();
    ASSERT_GT(scr.w, 2);
    const pt_t mid{scr.w / 2, scr.h / 2};
    struct row_t { std::vector<SDL_Keycode> held; pt_t mouse; int dx, dy; };
    const row_t rows[] = {
        {{}, mid, 0, 0},           {{SDLK_LEFT}, mid, -1, 0},  {{SDLK_a}, mid, -1, 0},
        {{SDLK_RIGHT}, mid, 1, 0}, {{SDLK_d}, mid, 1, 0},      {{SDLK_UP}, mid, 0, -1},
        {{SDLK_w}, mid, 0, -1},    {{SDLK_DOWN}, mid, 0, 1},   {{SDLK_s}, mid, 0, 1},
        {{SDLK_LEFT, SDLK_d}, mid, 0, 0},  // both ends cancel out
        {{}, {0, 0}, -1, -1}, {{}, {scr.w - 1, scr.h - 1}, 1, 1}, {{}, {scr.w - 2, 1}, 0, 0},
        {{SDLK_RIGHT}, {0, mid.y}, 0, 0},
    };
    for (const row_t& r : rows) {
        std::fill(std::begin(keys), std::end(keys), 0);
        for (SDL_Keycode k : r.held) keys[SDL_GetScancodeFromKey(k)] = 1;
        mouse = r.mouse;
        int dx = 9, dy = 9;
        get_scroll_dir(&dx, &dy);
        EXPECT_EQ(std::pair(dx, dy), std::pair(r.dx, r.dy)) << "row " << &r - rows;
    }
}

TEST_F(Input, TreeQueriesAndTheStateReset) {
    wnd_t outer, inner, other;
    const rect r{0, 0, 10, 10};
    outer.create(0, WND_ROOT, &r, 0, 0, nullptr);
    inner.create(0, &outer, &r, 0, 0, nullptr);
    other.create(0, WND_ROOT, &r, 0, 0, nullptr);
    EXPECT_TRUE(is_in_wnd(&outer, &inner) && is_in_wnd(&outer, &outer));
    EXPECT_FALSE(is_in_wnd(&inner, &outer) || is_in_wnd(&outer, nullptr));
    EXPECT_FALSE(is_focus_in(&outer));
    set_focus_wnd(&inner);
    EXPECT_TRUE(is_focus_in(&outer));
    EXPECT_FALSE(is_focus_in(&other));

    input_state_t& st = input_state();
    st.hover = st.pressed = st.clicked = &inner;
    st.modal_result = -1;
    st.cur_evt = {EVT_KEY_UP, 1, 2};
    reset_input_state();
    EXPECT_EQ((std::vector<wnd_t*>{get_hover_wnd(), get_pressed_wnd(), get_clicked_wnd()}), std::vector<wnd_t*>(3));
    EXPECT_EQ(get_modal_result(), 0);
    EXPECT_EQ(st.cur_evt.code, 0u);
    EXPECT_EQ(get_focus_wnd(), &inner);  // the focus is kept
}
