#include "app/input.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include "app/codec.h"
#include "app/paths.h"
#include "app/render.h"
#include "app/seams.h"
#include "support/temp_dir.h"

namespace {
const temp_dir_t game;  // the configuration read by the window is the test's own
uint8_t keys[SDL_NUM_SCANCODES];
pt_t mouse;
}  // namespace

TEST(Input, ScrollDirectionFromKeysAndScreenEdges) {
    set_exe_dir(wide_from_utf8(game.path() + "/").c_str());
    ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO), 0);
    ASSERT_TRUE(open_window());
    seams().key_state = [](int* n) -> const uint8_t* { return *n = SDL_NUM_SCANCODES, keys; };
    seams().mouse_state = [](int* x, int* y) { return *x = mouse.x, *y = mouse.y, 0u; };
    const size scr = *get_scrn_size();
    const pt_t mid{scr.w / 2, scr.h / 2};
    struct row_t { std::vector<SDL_Keycode> held; pt_t mouse; int dx, dy; };
    const row_t rows[] = {
        {{}, mid, 0, 0}, {{SDLK_LEFT}, mid, -1, 0}, {{SDLK_d}, mid, 1, 0}, {{SDLK_UP}, mid, 0, -1},
        {{SDLK_s}, mid, 0, 1}, {{SDLK_LEFT, SDLK_d}, mid, 0, 0},  // both ends cancel out
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
    seams_reset();
    close_window();
    SDL_Quit();
}
