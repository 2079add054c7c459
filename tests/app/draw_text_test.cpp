#include "app/draw_text.h"

#include <gtest/gtest.h>

#include <array>

#include "app/font.h"
#include "app/render.h"
#include "support/font_env.h"
#include "ui/rtext.h"

namespace {

class DrawText : public ::testing::Test {
protected:
    static void SetUpTestSuite() { font_env_t::up(); }
    static void TearDownTestSuite() { font_env_t::down(); }
    void SetUp() override { font_env_t::clear_black(); }

    const clr_t blue{0xFF0000FFu};
    static font_env_t::lit_t lit() { return font_env_t::read_lit({0, 0, 400, 300}); }
    static size measured(const wchar_t* text, int font) {
        size s;
        measure_text(&s, text, font, 3, rt_unbounded, rt_unbounded);
        return s;
    }
};

TEST_F(DrawText, MeasureMatchesTheLayoutAndItsLimits) {
    const size s = measured(L"Hello", FONT_N5);
    rtext_t rt;
    rt.set_text(L"Hello", nullptr, FONT_N5, nullptr, 3);
    EXPECT_EQ(s, (size{rt.get_rect().w, get_font_height(FONT_N5)}));
    size wrapped;  // one pixel short pushes the last letter to a second line
    EXPECT_EQ(measure_text(&wrapped, L"Hello", FONT_N5, 3, s.w - 1, rt_unbounded), &wrapped);
    EXPECT_EQ(wrapped.h, 2 * s.h);
    EXPECT_EQ(measured(L"", FONT_N5), size{});
    EXPECT_EQ(measure_text(nullptr, L"x", FONT_N5, 3, 10, 10), nullptr);
}

TEST_F(DrawText, AtPutsTheTextBelowAndRightOfThePointCenteredAroundIt) {
    const size s = measured(L"OOO", FONT_B7);
    draw_text_at(L"OOO", 30, 40, FONT_B7, &blue);
    auto l = lit();
    EXPECT_TRUE(font_env_t::inside({30, 40, s.w, s.h}, l.bounds));
    EXPECT_EQ((std::array{l.max_r, l.max_g, l.max_b}), (std::array{0, 0, 255}));
    font_env_t::clear_black();
    draw_text_centered(L"OOO", 200, 150, FONT_B7, &blue);
    l = lit();
    const rect want{200 - s.w / 2, 150 - s.h / 2, s.w, s.h};
    EXPECT_TRUE(font_env_t::inside(want, l.bounds));
    // Round letters leave about the same margin on both sides.
    EXPECT_NEAR(l.bounds.x - want.x, want.x + want.w - (l.bounds.x + l.bounds.w), 2);
}

TEST_F(DrawText, BoxAlignsAndDefaultsToWhite) {
    const rect box{100, 50, 200, 120};
    const size s = measured(L"Mid", FONT_N7);
    draw_text(L"Mid", &box, FONT_N7, nullptr, 16 | 32);
    const auto l = lit();
    EXPECT_TRUE(font_env_t::inside({200 - s.w / 2, 110 - s.h / 2, s.w, s.h}, l.bounds));
    EXPECT_EQ(l.max_r + l.max_g + l.max_b, 3 * 255);

    font_env_t::clear_black();  // nothing to draw is no fault
    draw_text(nullptr, &box, FONT_N, &blue, 3);
    draw_text(L"x", nullptr, FONT_N, &blue, 3);
    draw_text_at(L"x", 10, 10, -1, &blue);
    EXPECT_EQ(lit().count, 0);
}

}  // namespace
