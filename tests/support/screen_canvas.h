#pragma once
// Pixels a running game draws: the drawing runs on the game's thread into a
// clean canvas of 128 pixels a side, which is read back row by row.
#include <gtest/gtest.h>

#include <cstdint>
#include <functional>
#include <vector>

#include "support/canvas.h"
#include "support/screen_driver.h"

constexpr int SCREEN_CANVAS = 128;

// The body beside a game started under a fresh driver.
inline void in_game(const std::function<void(screen_driver_t&)>& body) {
    screen_driver_t d;
    d.run_started([&] { body(d); });
}

// A larger side holds what the screen draws (its pixels at their own places).
inline std::vector<uint32_t> drawn(screen_driver_t& d, const std::function<void()>& draw, int side = SCREEN_CANVAS) {
    std::vector<uint32_t> px;
    d.on_main([&] {
        canvas_t c(side);
        draw();
        px = canvas_t::read({0, 0, side, side});
    });
    return px;
}

inline uint32_t px_at(const std::vector<uint32_t>& px, int x, int y) {
    return px[size_t(y) * SCREEN_CANVAS + size_t(x)];
}

// Pixels of r with any alpha.
inline int inked(const std::vector<uint32_t>& px, const rect& r) {
    int n = 0;
    for (int y = r.y; y < r.y + r.h; ++y)
        for (int x = r.x; x < r.x + r.w; ++x) n += (px_at(px, x, y) >> 24) != 0;
    return n;
}
