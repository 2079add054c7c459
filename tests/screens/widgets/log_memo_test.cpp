// The log memo on its own: the height of each mode, going back from the full
// view, and the floating mode that shows the text but none of the box.
#include "screens/widgets/log_memo.h"

#include <gtest/gtest.h>

#include <string>
#include <string_view>
#include <tuple>
#include <utility>
#include <vector>

#include "app/db.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/render.h"
#include "app/text_log.h"
#include "battle/rolls.h"
#include "battle/turn.h"
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

// The log's lines as the battle writes them, a roll followed by a
// condition's name in either language, laid out at every width from 150
// (where every roll, name and count fits a line with its mark) to 1000: no
// wrapped line begins with a closing mark or ends with an opening bracket, a
// roll's brackets lie on one line, and a condition gained with a count keeps
// the count beside its name.
namespace {
// A heal, a check, a condition gained and lost, two lost in a row; a blow, a
// check, two conditions gained with a count; a check that fails, a chance.
std::vector<Str> log_lines() {
    unit_t* u = g_pty.units[0];
    cond_inst_t ci;
    const auto gain = [&](int id, int n) { u->conds.add(make_cond_inst(ci, id, nullptr, 0, CI_NO_ROLL, n), false); };
    std::vector<Str> lines;
    log_cur_buf()->assign(Str(L"%s: 恢复<c=g>49</c>点生命%s", unit_disp_name(u), lang_dot));
    next_d20(17), roll_unit_check(cond_name(C_MAD), u, 13, 25);
    gain(C_MAD, 0), u->conds.remove(C_MAD), gain(C_SLOW, 0), u->conds.remove(C_SLOW);
    lines.push_back(*log_cur_buf());
    log_cur_buf()->assign(L"造成<c=r>38</c>点伤害。");
    next_d20(15), roll_unit_check(cond_name(C_BLEED), u, 21, 23);
    gain(C_BLEED, 4), gain(C_TOX, 10);
    lines.push_back(*log_cur_buf());
    log_cur_buf()->assign(L"");
    next_d20(2), roll_unit_check(cond_name(C_PRONE), u, 27, 19);
    roll_pct(60, L"<c=a>施法成功</c>", L"<c=r>施法失败</c>");
    lines.push_back(*log_cur_buf());
    return lines;
}

// What is wrong with the line laid out at width w, or "".
std::string misfit(const Str& line, int w) {
    const auto is = [](const char32_t* set, const rt_item_t* it) {
        return it->kind == RT_GLYPH && std::u32string_view(set).find(it->ch) != std::u32string_view::npos;
    };
    rtext_t rt;
    const size box{w, UNLIMITED};
    rt.set_text(line.c_str(), &box, FONT_DEF, &default_clr, rect_align::left | rect_align::top);
    for (int i = 1, last = 0, roll = -1; i < rt.item_count(); ++i) {  // last: the glyph before; roll: where "( " opened
        const rt_item_t *it = rt.item(i), *before = rt.item(i - 1);
        if ((it->flags & before->flags & RT_NOBR) && it->line != before->line) return "a count apart from its name";
        if (it->kind != RT_GLYPH) continue;
        const bool wrapped = it->line != rt.item(last)->line;
        if (wrapped && is(U")]）】》」』.,;:!?。，、；：！？", it)) return "a line begins with a closing mark";
        if (wrapped && is(U"([（【《「『", rt.item(last))) return "a line ends with an opening bracket";
        if (it->ch == U'(' && i + 1 < rt.item_count() && rt.item(i + 1)->kind == RT_BLANK) roll = it->line;
        if (it->ch == U')' && roll >= 0 && std::exchange(roll, -1) != it->line) return "a roll parted";
        last = i;
    }
    return "";
}
}  // namespace

TEST(LogMemo, NoLineBreaksInsideARollOrBeforeAClosingMark) {
    for (const std::string lang : {"cn", "en"}) {
        screen_driver_t d({.config = "Lang=" + lang + "\r\n"});
        d.run_started([&] {
            std::string fault;
            d.on_main([&] {
                reset_pty();
                for (const Str& line : log_lines())
                    for (int w = 150; w <= 1000 && fault.empty(); ++w)
                        if (const std::string f = misfit(line, w); !f.empty())
                            fault = f + " at " + std::to_string(w) + ": " + to_utf8_string(line.c_str());
            });
            EXPECT_EQ(fault, "") << lang;
        });
    }
}
