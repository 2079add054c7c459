#include "ui/rtext.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

#include "app/font.h"
#include "app/render.h"
#include "support/font_env.h"

namespace {

class Rtext : public ::testing::Test {
protected:
    static void SetUpTestSuite() { font_env_t::up(); }
    static void TearDownTestSuite() { font_env_t::down(); }

    rtext_t rt;
    const int fh = get_font_height(FONT_DEF);

    static int adv(char32_t c) { return get_font(FONT_DEF)->get_glyph(c)->advance; }
    static int kern(char32_t a, char32_t b) { return get_font(FONT_DEF)->kerning(a, b); }
    // Width of one unwrapped line of plain characters in FONT_DEF.
    int line_w(const std::u32string& s) const {
        int w = 0;
        for (size_t i = 0; i < s.size(); ++i) w += (s[i] == U' ' ? fh / 4 : adv(s[i])) + (i ? kern(s[i - 1], s[i]) : 0);
        return w;
    }
    void lay(const wchar_t* text, size box = {rt_unbounded, rt_unbounded}, int flags = 3, int font = FONT_DEF) {
        rt.set_text(text, &box, font, &default_clr, flags);
    }
};

TEST_F(Rtext, EmptyAbsentOrFontlessTextIsNothing) {
    EXPECT_EQ(rt.item_rect(0), rect{});  // no text object yet
    rt.draw(0, 0);
    lay(L"abc");
    EXPECT_EQ(rt.item_rect(3), rect{});
    rt.set_text(nullptr, nullptr, FONT_DEF, nullptr, 3);
    EXPECT_EQ(std::pair(rt.get_rect(), rt.item_count()), std::pair(rect{}, 0));
    lay(L"ab c", {rt_unbounded, rt_unbounded}, 3, 99);  // no font: nothing visible, drawing harmless
    EXPECT_EQ(rt.get_rect(), rect{});
    rt.draw(0, 0);
}

TEST_F(Rtext, OneLineIsItsAdvancesKerningAndQuarterHeightSpaces) {
    // Kerned pairs in DejaVu Sans; the kerning moves the pair's second glyph.
    ASSERT_NE(kern(U'A', U'V') + kern(U'T', U'o'), 0);
    lay(L"AVA To");
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, line_w(U"AVA To"), fh}));
    EXPECT_EQ(rt.item_rect(1), (rect{adv(U'A') + kern(U'A', U'V'), 0, adv(U'V'), fh}));
    EXPECT_EQ(rt.item_rect(3), (rect{line_w(U"AVA"), 0, fh / 4, fh}));
}

TEST_F(Rtext, LineBreaks) {
    const int ab = line_w(U"ab"), abcd = std::max(ab, line_w(U"cd"));
    const std::tuple<const wchar_t*, int, int, int> rows[] = {
        {L"\n\n", 2, 3, 0}, {L"ab\r\ncd", 5, 2, abcd}, {L"ab\rcd", 5, 2, abcd}, {L"ab\ncd", 5, 2, abcd}};
    for (const auto& [text, items, lines, width] : rows) {
        lay(text);
        EXPECT_EQ(rt.get_rect(), (rect{0, 0, width, lines * fh})) << to_utf8_string(text);
        EXPECT_EQ(rt.item_count(), items) << to_utf8_string(text);
    }
    EXPECT_EQ(rt.item_rect(2), (rect{ab, 0, 0, fh}));  // the break, where the line ended
    EXPECT_EQ(rt.item_rect(3), (rect{0, fh, adv(U'c'), fh}));
}

TEST_F(Rtext, WrapsPerCharacterAtTheBoxWidthAndAligns) {
    const int ab = line_w(U"ab");
    lay(L"abc", {ab, rt_unbounded});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, ab, 2 * fh}));
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'c'), fh}));
    // A wrap parts a kerned pair: the second glyph starts its line at the indent.
    lay(L"AV", {adv(U'A'), rt_unbounded});
    EXPECT_EQ(rt.item_rect(1), (rect{0, fh, adv(U'V'), fh}));
    // A glyph wider than the whole box takes a line of its own after an empty one.
    lay(L"W", {1, rt_unbounded});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, adv(U'W'), 2 * fh}));
    lay(L"ab", {300, 200}, 4 | 8);
    EXPECT_EQ(rt.get_rect(), (rect{300 - ab, 200 - fh, ab, fh}));
    lay(L"ab", {300, 200}, 16 | 32);
    EXPECT_EQ(rt.get_rect(), (rect{150 - ab / 2, 100 - fh / 2, ab, fh}));
}

TEST_F(Rtext, TagsAreConsumedWithoutShowing) {
    const std::pair<const wchar_t*, int> rows[] = {
        {L"a<c=r>b</c>", 2}, {L"<tip='x>y'>z</>", 1}, {L"<tip=\"x>y\">z", 1}, {L"<url=[==[a]]>b]==]>z", 1},
        {L"ab<c=r", 2}, {L"<tip='never closed>x", 0}};
    for (const auto& [text, items] : rows) {
        lay(text);
        EXPECT_EQ(rt.item_count(), items) << to_utf8_string(text);
    }
    EXPECT_EQ(strip_tags(L"<c=r>red</c> and <b>bold</b> > x<never"), Str(L"red and bold  x"));
    EXPECT_TRUE(strip_tags(nullptr).empty());
}

TEST_F(Rtext, DrawsInItsColourAndAlphaInsideItsRect) {
    const clr_t red{0xFFFF0000u}, half_green{0x8000FF00u};
    const size box{200, 100};
    rt.set_text(L"HW", &box, FONT_B7, &red, 16 | 32);
    const rect r = rt.get_rect();
    font_env_t::clear_black();
    rt.draw(40, 30);
    auto lit = font_env_t::read_lit({0, 0, 300, 200});
    EXPECT_TRUE(font_env_t::inside({40 + r.x, 30 + r.y, r.w, r.h}, lit.bounds));
    EXPECT_EQ((std::array{lit.max_r, lit.max_g, lit.max_b}), (std::array{255, 0, 0}));
    rt.set_color(&half_green);  // recoloured without a new layout; the colour's alpha fades the glyphs
    EXPECT_EQ(rt.get_rect(), r);
    font_env_t::clear_black();
    rt.draw(40, 30);
    lit = font_env_t::read_lit({0, 0, 300, 200});
    EXPECT_EQ(lit.max_r, 0);
    EXPECT_NEAR(lit.max_g, 0x80, 1);
}

}  // namespace
