#include "app/draw_text.h"

#include <gtest/gtest.h>

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
    const rect screen{0, 0, 400, 300};
};

bool inside(const rect& outer, const rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

TEST_F(DrawText, MeasureMatchesTheLayoutAndItsLimits) {
    size s{-1, -1};
    EXPECT_EQ(measure_text(&s, L"Hello", FONT_N5, 3, rt_unbounded, rt_unbounded), &s);
    rtext_t rt;
    rt.set_text(L"Hello", nullptr, FONT_N5, nullptr, 3);
    EXPECT_EQ(s, (size{rt.get_rect().w, get_font_height(FONT_N5)}));

    // A limit one pixel short of the word pushes its last letter to a second line.
    size wrapped;
    measure_text(&wrapped, L"Hello", FONT_N5, 3, s.w - 1, rt_unbounded);
    EXPECT_EQ(wrapped.h, 2 * s.h);
    EXPECT_LT(wrapped.w, s.w);

    measure_text(&s, L"", FONT_N5, 3, rt_unbounded, rt_unbounded);
    EXPECT_EQ(s, size{});
    EXPECT_EQ(measure_text(nullptr, L"x", FONT_N5, 3, 10, 10), nullptr);
}

TEST_F(DrawText, AtPutsTheTextBelowAndRightOfThePoint) {
    size s;
    measure_text(&s, L"Tarnwick", FONT_B, 3, rt_unbounded, rt_unbounded);
    draw_text_at(L"Tarnwick", 30, 40, FONT_B, &blue);
    const auto lit = font_env_t::read_lit(screen);
    ASSERT_GT(lit.count, 0);
    EXPECT_TRUE(inside({30, 40, s.w, s.h}, lit.bounds));
    // The first letter reaches the left edge within its side bearing.
    EXPECT_LE(lit.bounds.x, 32);
    EXPECT_EQ(lit.max_b, 255);
    EXPECT_EQ(lit.max_r, 0);
    EXPECT_EQ(lit.max_g, 0);
}

TEST_F(DrawText, CenteredSitsAroundThePoint) {
    size s;
    measure_text(&s, L"OOO", FONT_B7, 3, rt_unbounded, rt_unbounded);
    draw_text_centered(L"OOO", 200, 150, FONT_B7, &blue);
    const auto lit = font_env_t::read_lit(screen);
    ASSERT_GT(lit.count, 0);
    EXPECT_TRUE(inside({200 - s.w / 2, 150 - s.h / 2, s.w, s.h}, lit.bounds));
    // Round letters leave about the same margin on both sides.
    const int left = lit.bounds.x - (200 - s.w / 2);
    const int right = (200 - s.w / 2 + s.w) - (lit.bounds.x + lit.bounds.w);
    EXPECT_NEAR(left, right, 2);
}

TEST_F(DrawText, BoxAlignsAndDefaultsToWhite) {
    const rect box{100, 50, 200, 120};
    size s;
    measure_text(&s, L"Mid", FONT_N7, 3, rt_unbounded, rt_unbounded);
    draw_text(L"Mid", &box, FONT_N7, nullptr, 16 | 32);
    const auto lit = font_env_t::read_lit(screen);
    ASSERT_GT(lit.count, 0);
    EXPECT_TRUE(inside({100 + 100 - s.w / 2, 50 + 60 - s.h / 2, s.w, s.h}, lit.bounds));
    EXPECT_EQ(lit.max_r, 255);
    EXPECT_EQ(lit.max_g, 255);
    EXPECT_EQ(lit.max_b, 255);
}

TEST_F(DrawText, NothingToDrawIsNoFault) {
    draw_text(nullptr, &screen, FONT_N, &blue, 3);
    draw_text(L"x", nullptr, FONT_N, &blue, 3);
    draw_text_at(L"x", 10, 10, -1, &blue);
    EXPECT_EQ(font_env_t::read_lit(screen).count, 0);
}

}  // namespace
