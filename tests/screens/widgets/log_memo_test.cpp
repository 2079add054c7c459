// The log memo on its own: the height of each mode, going back from the full
// view, and the floating mode that shows the text but none of the box.
#include "screens/widgets/log_memo.h"

#include <gtest/gtest.h>

#include <tuple>

#include "app/font.h"
#include "app/geom.h"
#include "app/render.h"
#include "app/text_log.h"
#include "battle/rolls.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "support/next_d20.h"
#include "support/screen_canvas.h"
#include "ui/rtext.h"

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

// A condition gained with a count is logged as one unit, and a roll's closing
// bracket after its space stays with what it closes: wherever the log's width
// ends a line, "流血 4。" and "23 )。" each stay on one.
TEST(LogMemo, AConditionsCountStaysBesideItsNameAndARollsBracketWithItsRoll) {
    in_game([&](screen_driver_t& d) {
        std::string parted;
        d.on_main([&] {
            reset_pty();
            unit_t* u = g_pty.units[0];
            log_cur_buf()->assign(L"造成<c=r>38</c>点伤害。");
            next_d20(15);
            roll_unit_check(L"流血", u, 21, 23);
            cond_inst_t ci;
            u->conds.add(make_cond_inst(ci, C_BLEED, nullptr, 0, CI_NO_ROLL, 4), false);
            const Str line = *log_cur_buf();
            log_cur_buf()->assign(L"");
            const clr_t white = 0xFFFFFFFF;
            for (int w = 80; w < 400 && parted.empty(); ++w) {
                rtext_t rt;
                const size box{w, UNLIMITED};
                rt.set_text(line.c_str(), &box, FONT_DEF, &white, rect_align::left | rect_align::top);
                // The last of each: the condition's name after the roll's, the roll's "23" after the "38".
                int name = -1, count = -1, three = -1, bracket = -1;
                for (int i = 0; i < rt.item_count(); ++i)
                    if (const rt_item_t* it = rt.item(i); it->kind == RT_GLYPH)
                        for (auto [ch, at] : {std::pair{U'流', &name}, {U'4', &count}, {U'3', &three}, {U')', &bracket}})
                            if (it->ch == ch) *at = it->line;
                if (name < 0 || name != count || three != bracket)
                    parted = "at " + std::to_string(w) + ": " + to_utf8_string(line.c_str());
            }
        });
        EXPECT_EQ(parted, "");
    });
}
