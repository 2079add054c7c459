// The log memo on its own: the height of each mode, going back from the full
// view, and the floating mode that shows the text but none of the box.
#include "screens/widgets/log_memo.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/font.h"
#include "app/render.h"
#include "support/screen_canvas.h"

TEST(LogMemo, ModesSizeTheBoxAndTheFullViewGoesBackToTheModeBefore) {
    in_game([&](screen_driver_t& d) {
        wnd_t* parent = nullptr;
        log_memo_t* m = nullptr;
        d.on_main([&] {
            parent = add_owned(new_wnd(), {0, 0, 400, 300});
            m = new_log_memo(parent);
            parent->arrange();
        });
        const int line = get_font_height(FONT_DEF);
        const int box = m->margin_t + m->margin_b + 2 * m->border_w;
        EXPECT_EQ(std::tuple(m->get_mode(), m->rc.h, m->rc.w), std::tuple(int(LOG_STRIP), box + 5 * line, 400));
        EXPECT_EQ(m->rc.y + m->rc.h, 300);  // docked at the bottom
        EXPECT_EQ(m->bg_clr, clr_t(0xFF111111));

        d.on_main([&] { m->set_mode(LOG_FLOAT, true); });
        EXPECT_EQ(m->rc.h, box + 10 * line);
        EXPECT_TRUE(m->has_style(WS_NO_INPUT));
        d.on_main([&] { m->toggle(); });
        EXPECT_EQ(m->get_mode(), LOG_FULL);
        EXPECT_EQ(m->rc.h, 300);
        EXPECT_FALSE(m->has_style(WS_NO_INPUT));
        d.on_main([&] {
            m->set_mode(LOG_FULL, true);  // again: still back to the floating mode
            m->toggle();
        });
        EXPECT_EQ(m->get_mode(), LOG_FLOAT);
        EXPECT_EQ(m->rc.h, box + 10 * line);
    });
}

TEST(LogMemo, FloatingShowsTheTextButNotTheBox) {
    in_game([&](screen_driver_t& d) {
        log_memo_t* m = nullptr;
        d.on_main([&] {
            m = new_log_memo(WND_ROOT);
            const rect r{0, 0, 120, 120};
            m->set_rect(&r);
            m->set_text(L"<b>第一行</b>", true);
        });
        auto painted = [&](int mode) {
            d.on_main([&] { m->set_mode(mode, false); });
            return drawn(d, [&] { m->paint(); });
        };
        const auto strip = painted(LOG_STRIP), floating = painted(LOG_FLOAT);
        EXPECT_EQ(px_at(strip, 110, 110), 0xFF111111u);
        EXPECT_EQ(px_at(floating, 110, 110) >> 24, 0u) << "no background";
        EXPECT_GT(inked(floating, {0, 0, 120, 120}), 20) << "the line is drawn";
    });
}
