#pragma once
// The three screen sizes a screen must lay out whole at.
#include <gtest/gtest.h>

#include <functional>

#include "app/types.h"
#include "support/screen_driver.h"

// Runs the game under a driver of each size in turn; the body reads on once
// the game has started. Its failures name the width: a trace would not reach
// the body's thread.
inline void at_three_sizes(const std::function<void(screen_driver_t& d, const rect& scr)>& body) {
    for (const rect scr : {rect{0, 0, 1024, 768}, rect{0, 0, 1280, 720}, rect{0, 0, 1920, 1080}}) {
        screen_driver_t d(screen_opts_t::sized(scr.w, scr.h));
        d.run_started([&] { body(d, scr); });
    }
}

// Whether r lies whole on the screen.
inline bool on_screen(const rect& r, const rect& scr) {
    return r.x >= 0 && r.y >= 0 && r.x + r.w <= scr.w && r.y + r.h <= scr.h;
}
