#include "ui/rtext.h"

#include <gtest/gtest.h>

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
    static int kern(char32_t a, char32_t b, int font = FONT_DEF) { return get_font(font)->kerning(a, b); }
    // Width of one unwrapped line of plain characters in FONT_DEF.
    int line_w(const std::u32string& s) const {
        int w = 0;
        for (size_t i = 0; i < s.size(); ++i) {
            w += s[i] == U' ' ? fh / 4 : adv(s[i]);
            if (i > 0) w += kern(s[i - 1], s[i]);
        }
        return w;
    }
    void lay(const wchar_t* text, size box = {rt_unbounded, rt_unbounded}, int flags = 3, int font = FONT_DEF) {
        rt.set_text(text, &box, font, &default_clr, flags);
    }
};

bool inside(const rect& outer, const rect& inner) {
    return inner.x >= outer.x && inner.y >= outer.y && inner.x + inner.w <= outer.x + outer.w &&
           inner.y + inner.h <= outer.y + outer.h;
}

// ---- layout ----

TEST_F(Rtext, EmptyTextLaysOutToNothing) {
    lay(L"abc");
    ASSERT_EQ(rt.item_count(), 3);
    lay(L"");
    EXPECT_EQ(rt.item_count(), 0);
    EXPECT_EQ(rt.get_rect(), rect{});
    rt.set_text(nullptr, nullptr, FONT_DEF, nullptr, 3);
    EXPECT_EQ(rt.item_count(), 0);
    EXPECT_EQ(rt.get_rect(), rect{});
    EXPECT_TRUE(rt.get_text().empty());
}

TEST_F(Rtext, OneLineIsItsAdvancesKerningAndQuarterHeightSpaces) {
    // "AV" and "To" are kerned in DejaVu Sans, so leaving kerning out shows;
    // the kerning moves the second glyph of the pair.
    ASSERT_NE(kern(U'A', U'V') + kern(U'T', U'o'), 0);
    lay(L"AVA To");
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, line_w(U"AVA To"), fh}));
    ASSERT_EQ(rt.item_count(), 6);
    int x = 0;
    const std::u32string s = U"AVA To";
    for (int i = 0; i < 6; ++i) {
        if (i > 0) x += kern(s[i - 1], s[i]);
        const int w = s[i] == U' ' ? fh / 4 : adv(s[i]);
        EXPECT_EQ(rt.item_rect(i), (rect{x, 0, w, fh})) << i;
        x += w;
    }
    EXPECT_EQ(rt.get_text(), Str(L"AVA To"));
}

TEST_F(Rtext, LineBreaks) {
    const int ab = line_w(U"ab");
    const struct {
        const wchar_t* text;
        int items, lines, width;
    } rows[] = {
        {L"ab\ncd", 5, 2, std::max(ab, line_w(U"cd"))},
        {L"ab\r\ncd", 5, 2, std::max(ab, line_w(U"cd"))},  // CR LF is one break
        {L"ab\rcd", 5, 2, std::max(ab, line_w(U"cd"))},
        {L"ab\n", 3, 2, ab},
        {L"\n\n", 2, 3, 0},
        {L"ab\n\ncd", 6, 3, std::max(ab, line_w(U"cd"))},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(to_utf8_string(r.text));
        lay(r.text);
        EXPECT_EQ(rt.get_rect(), (rect{0, 0, r.width, r.lines * fh}));
        EXPECT_EQ(rt.item_count(), r.items);
    }
    lay(L"ab\ncd");
    EXPECT_EQ(rt.item_rect(2), (rect{ab, 0, 0, fh}));  // the break item, where the line ended
    EXPECT_EQ(rt.item_rect(3).x, 0);
    EXPECT_EQ(rt.item_rect(3).y, fh);
}

TEST_F(Rtext, WrapsPerCharacterAtTheBoxWidth) {
    const int ab = line_w(U"ab");
    lay(L"abc", {ab, rt_unbounded});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, ab, 2 * fh}));
    EXPECT_EQ(rt.item_rect(1).y, 0);
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'c'), fh}));

    // One pixel short: "b" goes down as well.
    lay(L"ab", {ab - 1, rt_unbounded});
    EXPECT_EQ(rt.item_rect(1), (rect{0, fh, adv(U'b'), fh}));

    // A wrap parts a kerned pair: the second glyph starts its line at the indent.
    ASSERT_NE(kern(U'A', U'V'), 0);
    lay(L"AV", {adv(U'A'), rt_unbounded});
    EXPECT_EQ(rt.item_rect(1), (rect{0, fh, adv(U'V'), fh}));

    // A glyph wider than the whole box takes a line of its own after an empty one.
    lay(L"W", {1, rt_unbounded});
    EXPECT_EQ(rt.item_rect(0), (rect{0, fh, adv(U'W'), fh}));
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, adv(U'W'), 2 * fh}));
}

TEST_F(Rtext, AlignsTheTextInItsBox) {
    const int w = line_w(U"ab");
    const struct {
        int flags, x, y;
    } rows[] = {
        {0, 0, 0},
        {1 | 2, 0, 0},
        {4 | 8, 300 - w, 200 - fh},
        {16 | 32, 150 - w / 2, 100 - fh / 2},
        {4 | 16 | 2, 300 - w, 0},  // right wins over centre
        {1 | 32, 0, 100 - fh / 2},
    };
    for (const auto& r : rows) {
        lay(L"ab", {300, 200}, r.flags);
        EXPECT_EQ(rt.get_rect(), (rect{r.x, r.y, w, fh})) << "flags " << r.flags;
    }
}

TEST_F(Rtext, TabsStopEverySixteenQuartersOfTheFontHeight) {
    const int unit = fh / 4 * 16;
    ASSERT_GT(unit, adv(U'a'));
    lay(L"a\tb");
    EXPECT_EQ(rt.item_rect(1), (rect{adv(U'a'), 0, unit - adv(U'a') + 1, fh}));
    EXPECT_EQ(rt.item_rect(2).x, unit);

    lay(L"\t\tb");
    EXPECT_EQ(rt.item_rect(2).x, 2 * unit);

    // The pen stops at the box edge, so the next character wraps.
    lay(L"\t\tb", {unit + unit / 2, rt_unbounded});
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'b'), fh}));
}

TEST_F(Rtext, TagsAreConsumedWithoutShowing) {
    const struct {
        const wchar_t* text;
        int items;
    } rows[] = {
        {L"a<c=r>b</c>", 2},
        {L"<tip='x>y'>z</>", 1},
        {L"<tip=\"x>y\">z", 1},
        {L"<url=[[a>b]]>z</url>", 1},
        {L"<url=[==[a]]>b]==]>z", 1},
        {L"ab<c=r", 2},
        {L"<tip='never closed>x", 0},
    };
    for (const auto& r : rows) {
        lay(r.text);
        EXPECT_EQ(rt.item_count(), r.items) << to_utf8_string(r.text);
    }
    // Only tags: no items and a text as high as the base font.
    lay(L"<c=r></c>");
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, 0, fh}));
}

TEST_F(Rtext, PrefixIsLaidOutBeforeTheText) {
    rt.set_prefix("AV");
    lay(L"A");
    EXPECT_EQ(rt.item_count(), 3);
    EXPECT_EQ(rt.get_rect().w, line_w(U"AVA"));
    EXPECT_EQ(rt.get_text(), Str(L"A"));
    // Only the mark-up decides whether there is anything to lay out.
    lay(L"");
    EXPECT_EQ(rt.item_count(), 0);
    rt.set_prefix(nullptr);
    lay(L"A");
    EXPECT_EQ(rt.item_count(), 1);
}

TEST(RtextStrip, DropsTagsAndStrayClosers) {
    const struct {
        const wchar_t* in;
        const wchar_t* out;
    } rows[] = {
        {L"", L""},
        {L"plain", L"plain"},
        {L"<c=r>red</c> and <b>bold</b>", L"red and bold"},
        {L"a > b", L"a  b"},
        {L"x<never closed", L"x"},
    };
    for (const auto& r : rows) EXPECT_EQ(strip_tags(r.in), Str(r.out)) << to_utf8_string(r.in);
    EXPECT_TRUE(strip_tags(nullptr).empty());
}

TEST_F(Rtext, MissingCharactersTakeTheAtSign) {
    lay(L"中");
    EXPECT_EQ(rt.get_rect().w, adv(U'@'));
}

TEST_F(Rtext, OtherFontsAndNoFont) {
    lay(L"ab", {rt_unbounded, rt_unbounded}, 3, FONT_B7);
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, adv(U'a', FONT_B7) + adv(U'b', FONT_B7) + kern(U'a', U'b', FONT_B7),
                                   get_font_height(FONT_B7)}));
    // An id without a font lays out to nothing visible, and drawing it is harmless.
    lay(L"ab c", {rt_unbounded, rt_unbounded}, 3, 99);
    EXPECT_EQ(rt.get_rect(), rect{});
    rt.draw(0, 0);
}

TEST_F(Rtext, HandleWithoutTextObject) {
    EXPECT_EQ(rt.item_count(), 0);
    EXPECT_EQ(rt.get_rect(), rect{});
    EXPECT_EQ(rt.item_rect(0), rect{});
    rt.draw(0, 0);
    lay(L"a");  // lays out without an explicit init
    EXPECT_EQ(rt.item_count(), 1);
    EXPECT_EQ(rt.item_rect(-1), rect{});
    EXPECT_EQ(rt.item_rect(1), rect{});
    rt.free();
    rt.free();
    EXPECT_EQ(rt.item_count(), 0);
}

// ---- drawing ----

TEST_F(Rtext, DrawsInItsColourInsideItsRect) {
    const clr_t red{0xFFFF0000u};
    const size box{200, 100};
    rt.set_text(L"HW", &box, FONT_B7, &red, 16 | 32);
    const rect r = rt.get_rect();
    font_env_t::clear_black();
    rt.draw(40, 30);
    const auto lit = font_env_t::read_lit({0, 0, 300, 200});
    ASSERT_GT(lit.count, 0);
    EXPECT_TRUE(inside({40 + r.x, 30 + r.y, r.w, r.h}, lit.bounds));
    EXPECT_EQ(lit.max_r, 255);
    EXPECT_EQ(lit.max_g, 0);
    EXPECT_EQ(lit.max_b, 0);
}

TEST_F(Rtext, SetColorRecoloursWithoutNewLayout) {
    const clr_t red{0xFFFF0000u}, green{0xFF00FF00u};
    rt.set_text(L"H", nullptr, FONT_B7, &red, 3);
    const rect before = rt.item_rect(0);
    rt.set_color(&green);
    EXPECT_EQ(*rt.color_ptr(), green);
    EXPECT_EQ(rt.item_rect(0), before);
    font_env_t::clear_black();
    rt.draw(10, 10);
    const auto lit = font_env_t::read_lit({0, 0, 100, 100});
    ASSERT_GT(lit.count, 0);
    EXPECT_EQ(lit.max_g, 255);
    EXPECT_EQ(lit.max_r, 0);
}

TEST_F(Rtext, ColourAlphaFadesTheGlyphs) {
    const clr_t half_green{0x8000FF00u};
    rt.set_text(L"H", nullptr, FONT_B7, &half_green, 3);
    font_env_t::clear_black();
    rt.draw(10, 10);
    const auto lit = font_env_t::read_lit({0, 0, 100, 100});
    ASSERT_GT(lit.count, 0);
    EXPECT_NEAR(lit.max_g, 128, 1);
    EXPECT_EQ(lit.max_r, 0);
}

}  // namespace
