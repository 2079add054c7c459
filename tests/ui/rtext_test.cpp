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

    static int adv(char32_t c, int font = FONT_DEF) { return get_font(font)->get_glyph(c)->advance; }
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

TEST_F(Rtext, EmptyOrAbsentTextIsNothing) {
    EXPECT_EQ(rt.item_rect(0), rect{});  // no text object yet
    rt.draw(0, 0);
    lay(L"abc");
    ASSERT_EQ(rt.item_count(), 3);
    EXPECT_EQ(rt.item_rect(3), rect{});
    lay(L"");
    EXPECT_EQ(rt.item_count(), 0);
    EXPECT_EQ(rt.get_rect(), rect{});
    rt.set_text(nullptr, nullptr, FONT_DEF, nullptr, 3);
    EXPECT_EQ(rt.get_rect(), rect{});
    EXPECT_TRUE(rt.get_text().empty());
    rt.free();
    rt.free();
    EXPECT_EQ(rt.item_count(), 0);
}

TEST_F(Rtext, OneLineIsItsAdvancesKerningAndQuarterHeightSpaces) {
    // Kerned pairs in DejaVu Sans; the kerning moves the pair's second glyph.
    ASSERT_NE(kern(U'A', U'V') + kern(U'T', U'o'), 0);
    lay(L"AVA To");
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, line_w(U"AVA To"), fh}));
    EXPECT_EQ(rt.get_text(), Str(L"AVA To"));
    const std::u32string s = U"AVA To";
    for (int i = 0, x = 0; i < 6; ++i) {
        x += i ? kern(s[i - 1], s[i]) : 0;
        const int w = s[i] == U' ' ? fh / 4 : adv(s[i]);
        EXPECT_EQ(rt.item_rect(i), (rect{x, 0, w, fh})) << i;
        x += w;
    }
    lay(L"中");  // a missing character takes the '@'
    EXPECT_EQ(rt.get_rect().w, adv(U'@'));
}

TEST_F(Rtext, LineBreaks) {
    const int ab = line_w(U"ab"), abcd = std::max(ab, line_w(U"cd"));
    const struct {
        const wchar_t* text;
        int items, lines, width;
    } rows[] = {
        {L"ab\ncd", 5, 2, abcd}, {L"ab\r\ncd", 5, 2, abcd}, {L"ab\rcd", 5, 2, abcd},
        {L"ab\n", 3, 2, ab}, {L"\n\n", 2, 3, 0},
    };
    for (const auto& r : rows) {
        lay(r.text);
        EXPECT_EQ(rt.get_rect(), (rect{0, 0, r.width, r.lines * fh})) << to_utf8_string(r.text);
        EXPECT_EQ(rt.item_count(), r.items) << to_utf8_string(r.text);
    }
    lay(L"ab\ncd");
    EXPECT_EQ(rt.item_rect(2), (rect{ab, 0, 0, fh}));  // the break, where the line ended
    EXPECT_EQ(rt.item_rect(3), (rect{0, fh, adv(U'c'), fh}));
}

TEST_F(Rtext, WrapsPerCharacterAtTheBoxWidth) {
    const int ab = line_w(U"ab");
    lay(L"abc", {ab, rt_unbounded});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, ab, 2 * fh}));
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'c'), fh}));
    lay(L"ab", {ab - 1, rt_unbounded});
    EXPECT_EQ(rt.item_rect(1), (rect{0, fh, adv(U'b'), fh}));
    // A wrap parts a kerned pair: the second glyph starts its line at the indent.
    lay(L"AV", {adv(U'A'), rt_unbounded});
    EXPECT_EQ(rt.item_rect(1), (rect{0, fh, adv(U'V'), fh}));
    // A glyph wider than the whole box takes a line of its own after an empty one.
    lay(L"W", {1, rt_unbounded});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, adv(U'W'), 2 * fh}));
}

TEST_F(Rtext, AlignsTheTextInItsBox) {
    const int w = line_w(U"ab");
    lay(L"ab", {300, 200}, 4 | 8);
    EXPECT_EQ(rt.get_rect(), (rect{300 - w, 200 - fh, w, fh}));
    lay(L"ab", {300, 200}, 16 | 32);
    EXPECT_EQ(rt.get_rect(), (rect{150 - w / 2, 100 - fh / 2, w, fh}));
}

TEST_F(Rtext, TabsStopEverySixteenQuartersOfTheFontHeight) {
    const int unit = fh / 4 * 16;
    lay(L"a\tb");
    EXPECT_EQ(rt.item_rect(1), (rect{adv(U'a'), 0, unit - adv(U'a') + 1, fh}));
    EXPECT_EQ(rt.item_rect(2).x, unit);
    lay(L"\t\tb");
    EXPECT_EQ(rt.item_rect(2).x, 2 * unit);
    lay(L"\t\tb", {unit + unit / 2, rt_unbounded});  // the pen stops at the box edge
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'b'), fh}));
}

TEST_F(Rtext, TagsAreConsumedWithoutShowing) {
    const std::pair<const wchar_t*, int> rows[] = {
        {L"a<c=r>b</c>", 2},          {L"<tip='x>y'>z</>", 1}, {L"<tip=\"x>y\">z", 1}, {L"<url=[[a>b]]>z</url>", 1},
        {L"<url=[==[a]]>b]==]>z", 1}, {L"ab<c=r", 2},          {L"<tip='never closed>x", 0},
    };
    for (const auto& [text, items] : rows) {
        lay(text);
        EXPECT_EQ(rt.item_count(), items) << to_utf8_string(text);
    }
    lay(L"<c=r></c>");  // only tags: as high as the base font
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, 0, fh}));

    const std::pair<const wchar_t*, const wchar_t*> stripped[] = {
        {L"plain", L"plain"}, {L"<c=r>red</c> and <b>bold</b>", L"red and bold"}, {L"a > b", L"a  b"},
        {L"x<never", L"x"},
    };
    for (const auto& [in, out] : stripped) EXPECT_EQ(strip_tags(in), Str(out)) << to_utf8_string(in);
    EXPECT_TRUE(strip_tags(nullptr).empty());
}

TEST_F(Rtext, PrefixIsLaidOutBeforeTheText) {
    rt.set_prefix("AV");
    lay(L"A");
    EXPECT_EQ(rt.get_rect().w, line_w(U"AVA"));
    EXPECT_EQ(rt.get_text(), Str(L"A"));
    lay(L"");  // only the mark-up decides whether there is anything to lay out
    EXPECT_EQ(rt.item_count(), 0);
    rt.set_prefix(nullptr);
    lay(L"A");
    EXPECT_EQ(rt.item_count(), 1);
}

TEST_F(Rtext, OtherFontsAndNoFont) {
    lay(L"ab", {rt_unbounded, rt_unbounded}, 3, FONT_B7);
    const zg::font_t* b7 = get_font(FONT_B7);
    const int w = adv(U'a', FONT_B7) + adv(U'b', FONT_B7) + b7->kerning(U'a', U'b');
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, w, b7->height()}));
    lay(L"ab c", {rt_unbounded, rt_unbounded}, 3, 99);  // no font: nothing visible, drawing harmless
    EXPECT_EQ(rt.get_rect(), rect{});
    rt.draw(0, 0);
}

TEST_F(Rtext, DrawsInItsColourAndAlphaInsideItsRect) {
    const clr_t red{0xFFFF0000u}, green{0xFF00FF00u}, half_green{0x8000FF00u};
    const size box{200, 100};
    rt.set_text(L"HW", &box, FONT_B7, &red, 16 | 32);
    const rect r = rt.get_rect();
    font_env_t::clear_black();
    rt.draw(40, 30);
    auto lit = font_env_t::read_lit({0, 0, 300, 200});
    EXPECT_TRUE(font_env_t::inside({40 + r.x, 30 + r.y, r.w, r.h}, lit.bounds));
    EXPECT_EQ((std::array{lit.max_r, lit.max_g, lit.max_b}), (std::array{255, 0, 0}));

    // Recoloured without a new layout; the colour's alpha fades the glyphs.
    for (const clr_t* c : {&green, &half_green}) {
        rt.set_color(c);
        EXPECT_EQ(rt.get_rect(), r);
        font_env_t::clear_black();
        rt.draw(40, 30);
        lit = font_env_t::read_lit({0, 0, 300, 200});
        EXPECT_EQ(lit.max_r, 0);
        EXPECT_NEAR(lit.max_g, c->a(), 1);
    }
}

}  // namespace
