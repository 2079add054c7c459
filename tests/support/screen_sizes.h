#pragma once
// The three screen sizes a screen must lay out whole at, and the checks that
// its windows do.
#include <gtest/gtest.h>

#include <functional>
#include <vector>

#include "app/str.h"
#include "app/types.h"
#include "support/screen_driver.h"
#include "ui/btn.h"

// The smallest window the settings allow, a common one and a large one.
inline constexpr rect min_scr{0, 0, 900, 700};

// Runs the game under a driver of each size in turn; the body reads on once
// the game has started. Its failures name the width: a trace would not reach
// the body's thread.
inline void at_three_sizes(const std::function<void(screen_driver_t& d, const rect& scr)>& body) {
    for (const rect scr : {min_scr, rect{0, 0, 1280, 720}, rect{0, 0, 1920, 1080}}) {
        screen_driver_t d(screen_opts_t::sized(scr.w, scr.h));
        d.run_started([&] { body(d, scr); });
    }
}

// Whether r lies whole on the screen.
inline bool on_screen(const rect& r, const rect& scr) {
    return r.x >= 0 && r.y >= 0 && r.x + r.w <= scr.w && r.y + r.h <= scr.h;
}

// The shown children of parent lie on the screen, over no other, and a
// button's caption fits it on one line; failures name them by their text.
inline void expect_laid_out(const wnd_t* parent, const rect& scr) {
    std::vector<const wnd_t*> v;
    for (const wnd_t* c : parent->children)
        if (screen_driver_t::shown(c)) v.push_back(c);
    const auto name = [](const wnd_t* w) { return to_utf8_string(screen_driver_t::plain(w->text.c_str()).c_str()); };
    for (size_t i = 0; i < v.size(); ++i) {
        const rect& a = v[i]->rc;
        EXPECT_TRUE(on_screen(a, scr)) << name(v[i]) << " on " << scr.w;
        for (size_t j = i + 1; j < v.size(); ++j) {
            const rect& b = v[j]->rc;
            EXPECT_FALSE(a.x < b.x + b.w && b.x < a.x + a.w && a.y < b.y + b.h && b.y < a.y + a.h)
                << name(v[i]) << " over " << name(v[j]) << " on " << scr.w;
        }
        auto* b = dynamic_cast<btn_t*>(const_cast<wnd_t*>(v[i]));
        const rt_item_t* last = b ? b->rtext.item(b->rtext.item_count() - 1) : nullptr;
        if (!last) continue;
        rect t = b->rtext.get_rect(), box;
        EXPECT_TRUE(t.x >= 0 && t.x + t.w <= b->client_rect(&box)->w && last->line == 0)
            << name(b) << "'s caption on " << scr.w;
    }
}
