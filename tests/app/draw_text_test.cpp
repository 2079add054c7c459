#include "app/draw_text.h"

#include <gtest/gtest.h>

#include "app/font.h"
#include "app/render.h"
#include "support/font_env.h"
#include "ui/rtext.h"

namespace {

class DrawText : public fonts_test_t<> {
protected:
    void SetUp() override { font_env_t::clear_black(); }

    const clr_t blue{0xFF0000FFu};
    static font_env_t::lit_t lit() { return font_env_t::read_lit({0, 0, 400, 300}); }
};

TEST_F(DrawText, CentredAroundThePointInItsColourOrWhite) {
    size s;
    measure_text(&s, L"OOO", FONT_B7, 3, UNLIMITED, UNLIMITED);
    draw_text_centered(L"OOO", 200, 150, FONT_B7, &blue);
    auto l = lit();
    const rect want{200 - s.w / 2, 150 - s.h / 2, s.w, s.h};
    EXPECT_TRUE(font_env_t::inside(want, l.bounds));
    // Round letters leave about the same margin on both sides.
    EXPECT_NEAR(l.bounds.x - want.x, want.x + want.w - (l.bounds.x + l.bounds.w), 2);
    EXPECT_EQ(l.max_r + l.max_g, 0);

    font_env_t::clear_black();
    const rect box{100, 50, 200, 120};
    draw_text(L"Mid", &box, FONT_N7, nullptr, 16 | 32);
    EXPECT_EQ(lit().max_r, 255);
    font_env_t::clear_black();  // nothing to draw is no fault
    draw_text(nullptr, &box, FONT_N, &blue, 3);
    draw_text(L"x", nullptr, FONT_N, &blue, 3);
    draw_text_at(L"x", 10, 10, -1, &blue);
    EXPECT_EQ(lit().count, 0);
    EXPECT_EQ(measure_text(nullptr, L"x", FONT_N5, 3, 10, 10), nullptr);
}

}  // namespace
