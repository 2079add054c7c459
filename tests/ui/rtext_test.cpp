#include "ui/rtext.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <string>

#include "app/font.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/links.h"
#include "app/loop.h"
#include "app/shell.h"
#include "app/render.h"
#include "app/seams.h"
#include "support/canvas.h"
#include "support/font_env.h"
#include "support/mapped.h"
#include "ui/rt_markup.h"
#include "ui/tip.h"
#include "ui/wnd.h"

namespace {

class Rtext : public fonts_test_t<> {
protected:
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
    void lay(const wchar_t* text, size box = {UNLIMITED, UNLIMITED}, int flags = 3, int font = FONT_DEF) {
        rt.set_text(text, &box, font, &default_clr, flags);
    }
    // The line of each item.
    using lines_t = std::vector<int>;
    lines_t lines() const { return mapped(rt.item_count(), [&](int i) { return rt.item(i)->line; }); }
    // The same for text laid out as wide as `fits` is on one line.
    lines_t lines_in(const wchar_t* text, const std::u32string& fits) {
        lay(text, {line_w(fits), UNLIMITED});
        return lines();
    }
};

TEST_F(Rtext, EmptyAbsentOrFontlessTextIsNothing) {
    EXPECT_EQ(rt.item_rect(0), rect{});  // no text object yet
    rt.draw(0, 0);
    lay(L"abc");
    EXPECT_EQ(rt.item_rect(3), rect{});
    rt.set_text(nullptr, nullptr, FONT_DEF, nullptr, 3);
    EXPECT_EQ(std::pair(rt.get_rect(), rt.item_count()), std::pair(rect{}, 0));
    lay(L"ab c", {UNLIMITED, UNLIMITED}, 3, 99);  // no font: nothing visible, drawing harmless
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
    lay(L"abc", {ab, UNLIMITED});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, ab, 2 * fh}));
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'c'), fh}));
    // A wrap parts a kerned pair: the second glyph starts its line at the indent.
    lay(L"AV", {adv(U'A'), UNLIMITED});
    EXPECT_EQ(rt.item_rect(1), (rect{0, fh, adv(U'V'), fh}));
    // A glyph wider than the whole box takes a line of its own after an empty one.
    lay(L"W", {1, UNLIMITED});
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, adv(U'W'), 2 * fh}));
    lay(L"ab", {300, 200}, 4 | 8);
    EXPECT_EQ(rt.get_rect(), (rect{300 - ab, 200 - fh, ab, fh}));
    lay(L"ab", {300, 200}, 16 | 32);
    EXPECT_EQ(rt.get_rect(), (rect{150 - ab / 2, 100 - fh / 2, ab, fh}));
}

TEST_F(Rtext, AClosingMarkNeverStartsALineButTakesTheCharacterBeforeIt) {
    const int abc = line_w(U"abc");
    lay(L"abc.", {abc, UNLIMITED});
    // As wide as its widest line now: the c left the first.
    EXPECT_EQ(rt.get_rect(), (rect{0, 0, std::max(line_w(U"ab"), line_w(U"c.")), 2 * fh}));
    EXPECT_EQ(rt.item_rect(2), (rect{0, fh, adv(U'c'), fh})) << "c goes down with the full stop";
    EXPECT_EQ(std::tuple(rt.item_rect(3), rt.item_rect(1).y), std::tuple(rect{adv(U'c'), fh, adv(U'.'), fh}, 0));
    // Coloured text keeps its colour when it moves.
    lay(L"ab<c=r>c</c>,", {abc, UNLIMITED});
    ASSERT_NE(rt.item(2), nullptr);
    EXPECT_EQ(std::tuple(rt.item(2)->clr, rt.item_rect(2).y), std::tuple(clr_t{0xFFFF0000u}, fh));
    // Alone on its line, or after a blank, the character stays and the mark wraps.
    lay(L"a.", {adv(U'a'), UNLIMITED});
    EXPECT_EQ(std::tuple(rt.item_rect(0).y, rt.item_rect(1)), std::tuple(0, rect{0, fh, adv(U'.'), fh}));
    lay(L"ab .", {line_w(U"ab "), UNLIMITED});
    EXPECT_EQ(std::tuple(rt.item_rect(2).y, rt.item_rect(3).y), std::tuple(0, fh));
    // When the two would not fit a line together, the mark wraps alone.
    lay(L"iW?", {line_w(U"iW"), UNLIMITED});
    ASSERT_GT(adv(U'?'), adv(U'i'));
    EXPECT_EQ(std::tuple(rt.item_rect(1).y, rt.item_rect(2)), std::tuple(0, rect{0, fh, adv(U'?'), fh}));
    // Other characters wrap alone.
    lay(L"abcd", {abc, UNLIMITED});
    EXPECT_EQ(rt.item_rect(2).y, 0);
}

TEST_F(Rtext, LatinWordsWrapWholeAtSpacesAndAfterHyphensChineseAtAnyCharacter) {
    EXPECT_EQ(lines_in(L"Two-Handed Fighter", U"Two-Hand"),
              (lines_t{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2, 2}));
    EXPECT_EQ(rt.item_rect(4), (rect{0, fh, adv(U'H'), fh})) << "the word starts its line";
    EXPECT_EQ(rt.get_rect().w, line_w(U"Handed ")) << "the widest line";
    // A space that does not fit ends its line with the room left; the next word starts the next.
    EXPECT_EQ(lines_in(L"ab  cd", U"ab "), (lines_t{0, 0, 0, 0, 1, 1}));
    EXPECT_EQ(rt.item_rect(3).w, 0);
    EXPECT_EQ(rt.item_rect(4).x, 0);
    // The anchor of a tooltip opened before the word goes with it.
    EXPECT_EQ(lines_in(L"ab <tip=x>cd</tip>", U"ab c"), (lines_t{0, 0, 0, 1, 1, 1}));
    EXPECT_EQ(rt.item_rect(3).x, 0);
    // Kerning inside a moved word stays; a word after a Chinese character moves alone.
    lay(L"a AV", {line_w(U"a A"), UNLIMITED});
    EXPECT_EQ(rt.item_rect(3).x, adv(U'A') + kern(U'A', U'V'));
    EXPECT_EQ(lines_in(L"中中Alt", U"中中Al"), (lines_t{0, 0, 1, 1, 1}));
    EXPECT_EQ(lines_in(L"中中中", U"中中"), (lines_t{0, 0, 1}));
}

TEST_F(Rtext, ANameKeptWholeWrapsBeforeItNeverInside) {
    const size narrow{line_w(U"等级 1 侏儒 控制法"), UNLIMITED};
    lay(L"等级 1 侏儒 控制法师", narrow);
    EXPECT_EQ(lines(), (lines_t{0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 0, 1})) << "plain Chinese breaks anywhere";
    lay(L"等级 1 <tip=r>侏儒</tip> <tip=c><nobr>控制法师</nobr></tip>", narrow);
    EXPECT_EQ(lines(), (lines_t{0, 0, 0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(rt.item_rect(9).x, 0) << "the anchor goes along";
    EXPECT_EQ(rt.item(10)->ch, U'控');
    // A closing mark after a name takes all of it along; a name that begins its line stays.
    EXPECT_EQ(lines_in(L"等级 <nobr>控制法师</nobr>。", U"等级 控制法师"), (lines_t{0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(lines_in(L"<nobr>控制法师</nobr>。", U"控制法师"), (lines_t{0, 0, 0, 0, 1}));
    // Latin names move with their spaces; one longer than the line parts between its words.
    EXPECT_EQ(lines_in(L"a <nobr>Battle Cleric</nobr>", U"Battle Cleric"),
              (lines_t{0, 0, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1, 1}));
    EXPECT_EQ(lines_in(L"<nobr>Battle Cleric</nobr>", U"Battle Cl"), (lines_t{0, 0, 0, 0, 0, 0, 0, 1, 1, 1, 1, 1, 1}));
    lay(L"<ico=a><min_x=16><nobr>Battle Cleric</nobr>", {16 + line_w(U"Battle Cl"), UNLIMITED});
    EXPECT_EQ(lines(), (lines_t{0, 1, 1, 1, 1, 1, 1, 1, 2, 2, 2, 2, 2, 2})) << "after moving too";
    // A list of names breaks after the mark that closes one.
    EXPECT_EQ(lines_in(L"免疫<nobr>寒冷</nobr>,<nobr>毒素</nobr>", U"免疫寒冷,毒"), (lines_t{0, 0, 0, 0, 0, 1, 1}));
}

TEST_F(Rtext, SignsRangesAndMarkChainsStayWithTheirCharacters) {
    // A sign after Chinese text goes with its number, and the full stop with both.
    EXPECT_EQ(lines_in(L"攻击-2。", U"攻击-"), (lines_t{0, 0, 1, 1, 1}));
    EXPECT_EQ(lines_in(L"攻击-2。", U"攻击-2"), (lines_t{0, 0, 1, 1, 1}));
    // A range is one word; a hyphen after a letter still parts.
    EXPECT_EQ(lines_in(L"+20 (19-25)", U"+20 (19-"), (lines_t{0, 0, 0, 0, 1, 1, 1, 1, 1, 1, 1}));
    // A closing mark after another takes both and the character before them along.
    EXPECT_EQ(lines_in(L"一项），", U"一项）"), (lines_t{0, 1, 1, 1}));
    // An opening bracket goes down with what it opens.
    EXPECT_EQ(lines_in(L"伤害（豁免", U"伤害（"), (lines_t{0, 0, 1, 1, 1}));
    // A space that ended its line in the room left takes its width back when it moves on.
    lay(L"ab cd )", {line_w(U"ab cd") + 1, UNLIMITED});
    EXPECT_EQ(std::tuple(lines(), rt.item_rect(6).x - rt.item_rect(5).x, rt.item_rect(5).w),
              std::tuple(lines_t{0, 0, 0, 1, 1, 1, 1}, fh / 4, fh / 4));
}

TEST_F(Rtext, AWrappedTabCellGoesOnUnderItsColumn) {
    const int unit = fh / 4 * 16;
    lay(L"ab\tcd cd cd cd cd\ngh", {2 * unit, UNLIMITED});
    const int n = rt.item_count();
    EXPECT_GT(rt.item(n - 3)->line, 0);
    for (int i = 3; i < n - 3; ++i) EXPECT_GE(rt.item_rect(i).x, unit) << "under the cell, not the label: " << i;
    EXPECT_EQ(rt.item_rect(n - 2).x, 0) << "a line break ends the cell";
    // A column narrower than a tab stop wraps under the label.
    lay(L"a\tcd ef", {unit + line_w(U"cd") + 2, UNLIMITED});
    EXPECT_EQ(rt.item_rect(5).x, 0);
}

TEST_F(Rtext, ARightAlignedPartThatDoesNotFitTakesALineOfItsOwnWhole) {
    const int w = line_w(U"Chain Lightning ") + line_w(U"Standard动");
    const auto find = [&](const std::function<bool(const rt_item_t&)>& f) {
        for (int i = 0; i < rt.item_count(); ++i)
            if (f(*rt.item(i))) return i;
        return -1;
    };
    lay(L"Chain Lightning <r>Standard动作</r>", {w, UNLIMITED});
    const rect a = rt.item_rect(16), z = rt.item_rect(25);
    EXPECT_EQ(std::pair(a.y, z.y), std::pair(fh, fh)) << "one line of its own";
    EXPECT_EQ(z.x + z.w, w) << "at the right edge";
    // The word right before it stays behind.
    EXPECT_EQ(lines_in(L"Chain<r>+5 攻击</r>", U"Chain+5 攻"), (lines_t{0, 0, 0, 0, 0, 1, 1, 1, 1, 1}));
    EXPECT_EQ(rt.item_rect(9).x + rt.item_rect(9).w, line_w(U"Chain+5 攻"));
    lay(L"<h2>Chain Lightning <r>Standard动作</r></h2>", {w, UNLIMITED});
    const int first = find([](const rt_item_t& it) { return it.ch == U'S'; });
    const int rule = find([](const rt_item_t& it) { return it.kind == RT_RULE; });
    ASSERT_GT(rule, first);
    EXPECT_EQ(rt.item(rule)->side, rt.item_rect(first).x - 4 - rt.item_rect(rule).x) << "the rule parts around the label";
    // In a tooltip sized to its text it stands right of the widest line, never left of the box.
    rt.set_fit(true);
    lay(L"<h2>Chain Lightning <r>Standard动作</r></h2>", {w, UNLIMITED});
    for (int i = 0; i < rt.item_count(); ++i) EXPECT_GE(rt.item_rect(i).x, 0) << i;
    rt.set_fit(false);
}

TEST_F(Rtext, ACellTakesItsWidthAndCutsWhatPassesItWithAnEllipsis) {
    lay(L"<el=40>ab</el>x", {200, UNLIMITED});
    EXPECT_EQ(std::pair(rt.item_rect(2).x, rt.was_cut()), std::pair(40, false));
    lay(L"<el=-30>abcdefghijklmnop qrs</el>x", {line_w(U"abcde") + 30, UNLIMITED});
    ASSERT_TRUE(rt.was_cut());
    const int n = rt.item_count();
    EXPECT_EQ(rt.item(n - 2)->ch, U'\u2026');
    EXPECT_LE(rt.item_rect(n - 2).x + rt.item_rect(n - 2).w, line_w(U"abcde"));
    EXPECT_EQ(rt.item_rect(n - 1).x, line_w(U"abcde")) << "the next column starts where the cell ends";
    EXPECT_EQ(rt.get_rect().h, fh) << "one line";
    // Spaces before the cut go with it; a tooltip anchor inside is cut to the cell.
    const int room = line_w(U"ab ") + adv(U'\u2026');
    lay(L"<el><tip=t>ab cdefgh</tip></el>", {room, UNLIMITED});
    const int last = rt.item_count() - 1;
    EXPECT_EQ(std::pair(rt.item(last)->ch, rt.item_rect(last).x), std::pair(U'\u2026', line_w(U"ab")));
    EXPECT_LE(rt.item_rect(0).x + rt.item_rect(0).w, room);
    // A region waiting for the widest line keeps its items when the cell around it cuts.
    rt.set_fit(true);
    lay(L"<h2>Title</h2><el=20><r>abcdefgh</r></el>", {200, UNLIMITED});
    rt.set_fit(false);
    EXPECT_TRUE(rt.was_cut());
    lay(L"<el=40>abcdefghijklmnop</el>");  // unbounded boxes keep their width limit of 40
    EXPECT_TRUE(rt.was_cut());
}

TEST_F(Rtext, TagsAreConsumedWithoutShowing) {
    const std::pair<const wchar_t*, int> rows[] = {
        {L"a<c=r>b</c>", 2}, {L"<tip='x>y'>z</>", 2}, {L"<tip=\"x>y\">z", 2}, {L"<url=[==[a]]>b]==]>z", 2},
        {L"ab<c=r", 2}, {L"<tip='never closed>x", 1}, {L"<zz=1>", 0}};
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

TEST_F(Rtext, ColourOnlyTextIsOneEmptyLineOfTheBaseFont) {
    lay(L"<c=r></c><c=g><a=50%>");
    EXPECT_EQ(std::tuple(rt.item_count(), rt.get_rect()), std::tuple(0, rect{0, 0, 0, fh}));
}

TEST_F(Rtext, TabStopsAreSixteenQuartersOfTheBaseFontAndNeverZero) {
    lay(L"a\tb\t\tc");
    const int unit = fh / 4 * 16;
    EXPECT_EQ(std::tuple(rt.item_rect(2).x, rt.item_rect(5).x), std::tuple(unit, 3 * unit));
    // A font 20 pixels high puts the stops 80 pixels apart, whatever font the text then switches to.
    int id20 = -1;
    for (int pt = 12; pt < 24 && id20 < 0; ++pt)
        if (load_font(Str(dejavu_dir).plus_a("DejaVuSans.ttf"), pt) && get_font_height(font_count() - 1) == 20)
            id20 = font_count() - 1;
    ASSERT_GE(id20, 0);
    lay(L"a<f=b7>\tb", {UNLIMITED, UNLIMITED}, 3, id20);
    EXPECT_EQ(rt.item_rect(2).x, 80);
    // A font under 4 pixels high still advances the pen by whole stops of 1 pixel.
    ASSERT_TRUE(load_font(Str(dejavu_dir).plus_a("DejaVuSans.ttf"), 2));
    ASSERT_LT(get_font_height(font_count() - 1), 4);
    lay(L"\t\tx", {UNLIMITED, UNLIMITED}, 3, font_count() - 1);
    EXPECT_EQ(rt.item_rect(2).x, 2);
}

TEST_F(Rtext, RegionsTakeTheirWidthAndAlignTheirText) {
    // An r region without a value opened at pen 100 in a 300-pixel box ends at 300, and so does the pen.
    lay(L"<x=100><r>ab</r><tip=t>", {300, 100});
    EXPECT_EQ(std::tuple(rt.item_rect(1).x + rt.item_rect(1).w, rt.item_rect(2).x), std::tuple(300, 300));
    lay(L"<r=100>ab</r>c", {300, 100});
    EXPECT_EQ(std::tuple(rt.item_rect(1).x + rt.item_rect(1).w, rt.item_rect(2).x), std::tuple(100, 100));
    // Aligned per line, or as one block by the widest line.
    const int ab = line_w(U"ab"), abcd = line_w(U"abcd");
    lay(L"<c=w ha=r>abcd\nab</c>", {300, 100});
    EXPECT_EQ(std::pair(rt.item_rect(0).x, rt.item_rect(5).x), std::pair(300 - abcd, 300 - ab));
    lay(L"<c=w hba=r>abcd\nab</c>", {300, 100});
    EXPECT_EQ(std::pair(rt.item_rect(0).x, rt.item_rect(5).x), std::pair(300 - abcd, 300 - abcd));
    // Unbounded: the region waits for the widest line.
    lay(L"abcd\n<m>ab</m>");
    EXPECT_EQ(rt.item_rect(5).x, (abcd - ab) / 2);
}

TEST_F(Rtext, CentredHeadingSitsInAGapOfItsRuleAndMovesTheNextLineDown) {
    lay(L"<m><h1 hr=c>Hi</h1>x</m>", {300, 200});
    const int h7 = get_font_height(FONT_B7);
    const rect H = rt.item_rect(0), i = rt.item_rect(1);
    const int text_w = i.x + i.w - H.x;
    EXPECT_NEAR(H.x + text_w / 2, 150, 1);
    EXPECT_EQ(std::pair(H.h, H.y), std::pair(h7, 0));
    const rt_item_t* rule = rt.item(2);
    ASSERT_EQ(rule->kind, RT_RULE);
    EXPECT_EQ(std::tuple(rule->rc, rule->gap), std::tuple(rect{0, (h7 - 5) / 2, 300, 5}, text_w + 9));
    EXPECT_NEAR(rule->side, (300 - text_w - 9) / 2, 1);
    EXPECT_EQ(rt.item_rect(4), (rect{(300 - adv(U'x')) / 2, h7 + 8, adv(U'x'), fh}));  // after the break item
    // A heading on the left leaves its rule only to its right.
    lay(L"<h2>Hi</h2>", {300, 200});
    EXPECT_EQ(std::pair(rt.item(2)->side, rt.item(2)->gap), std::pair(0, rt.item_rect(1).x + rt.item_rect(1).w + 5));
    lay(L"a<hr>b", {300, 200});
    EXPECT_EQ(std::pair(rt.item(2)->kind, rt.item_rect(2)), std::pair(int(RT_RULE), rect{0, fh + (fh - 1) / 2, 300, 1}));
}

TEST_F(Rtext, SetColorRecoloursTextOfColourTagsToo) {
    lay(L"a<c=r>b</c><a=10>c");
    const clr_t green{0xFF00FF00u};
    rt.set_color(&green);
    for (int i = 0; i < 3; ++i) EXPECT_EQ(rt.item(i)->clr, green) << i;
    EXPECT_EQ(*rt.color_ptr(), green);
}

TEST_F(Rtext, ImagesFillTheirCellsAndMakeTheLineTall) {
    test_gfx_t gfx("rtext");
    gfx.png("dot", 8, 6, 0xFFFF0000u);
    const Str dot = gfx.name("dot");
    for (const wchar_t* f : {L"<img=%s sz=32>", L"<sz=32 img=%s>"}) {
        lay(Str(f, dot));
        EXPECT_EQ(rt.item_rect(0), (rect{0, 0, 32, 32})) << to_utf8_string(f);
    }
    lay(Str(L"a<img=%s>b<ico_l=%s><ico=%s w=50>", dot, dot, dot));
    EXPECT_EQ(rt.item_rect(1), (rect{adv(U'a'), 0, 8, 6}));
    EXPECT_EQ(rt.item_rect(3), (rect{adv(U'a') + 8 + adv(U'b'), 0, 64, 64}));
    EXPECT_EQ(rt.item_rect(4).w, 16);
    EXPECT_EQ(rt.item_rect(2).y, 64 - fh);  // glyphs keep to the bottom of the tall line
    font_env_t::clear_black();
    lay(Str(L"<img=%s w=16 h=16 bg_c=#00f>", dot));
    rt.draw(10, 10);
    // An 8 x 6 picture keeps its size, centred in its 16 x 16 cell on the background.
    EXPECT_EQ(canvas_t::px(10 + 4, 10 + 5) & 0xFFFFFF, 0xFF0000u);
    EXPECT_EQ(canvas_t::px(10 + 1, 10 + 1) & 0xFFFFFF, 0x0000FFu);
}

TEST_F(Rtext, AGlyphIsDrawnAtItsOwnSizeAndItsOverhangCounts) {
    // A glyph whose ink passes its advance.
    zg::font_t* f = get_font(FONT_B7);
    char32_t wide = 0;
    for (char32_t c = U'!'; c <= U'~' && !wide; ++c) {
        const zg::glyph_t* g = f->get_glyph(c);
        if (g->tex && g->ink_x + g->tex->get_size().w > g->advance) wide = c;
    }
    ASSERT_NE(wide, 0u);
    const zg::glyph_t* g = f->get_glyph(wide);
    const size ts = g->tex->get_size();
    const wchar_t text[] = {wchar_t(wide), 0};
    rt.set_text(text, nullptr, FONT_B7, &default_clr, 3);
    EXPECT_EQ(rt.get_rect().w, g->ink_x + ts.w);
    font_env_t::clear_black();
    rt.draw(40, 30);
    const auto drawn = canvas_t::read({0, 0, 120, 80});
    font_env_t::clear_black();
    const rect at{40 + g->ink_x, 30 + rt.item_rect(0).h - ts.h, ts.w, ts.h};
    draw_tex_clr(g->tex, &default_clr, &at, nullptr);
    EXPECT_EQ(drawn, canvas_t::read({0, 0, 120, 80}));
}

TEST_F(Rtext, TipAnchorsAnswerTheTooltipQuery) {
    lay(L"ab<tip='<b>hi</b>' tip_w=120>cd</tip>");
    const rect c = rt.item_rect(2);  // the anchor
    EXPECT_EQ(c, (rect{line_w(U"ab"), 0, line_w(U"abcd") - line_w(U"ab") + 1, fh}));
    get_tip_req().reset();
    const pt_t origin{100, 50}, in{100 + c.x + 2, 55}, out{101, 55};
    EXPECT_FALSE(rt.hit_tip(&out, &origin));
    ASSERT_TRUE(rt.hit_tip(&in, &origin));
    EXPECT_EQ(std::tuple(get_tip_req().text, get_tip_req().width), std::tuple(Str(L"<b>hi</b>"), 120));
    EXPECT_EQ(get_tip_req().anchor, (rect{100 + c.x, 50, c.w, fh}));
}

// A window that says when it is painting.
struct painting_wnd_t : wnd_t {
    static inline bool painting = false;
    void paint() override {
        painting = true;
        wnd_t::paint();
        painting = false;
    }
};

class RtextLinks : public Rtext {
protected:
    painting_wnd_t w;
    rect link;
    void SetUp() override {
        input_state() = input_state_t{};
        const rect scr{0, 0, 800, 600}, r{100, 100, 300, 60};
        get_root_wnd()->create(0, nullptr, &scr, 0, 0, nullptr);
        w.create(0, WND_ROOT, &r, 0, 0, nullptr);
        w.bg_clr = 0;
        w.set_text(L"<url=help:topic>Link</url> and <url=javascript:x>more</url>", true);
        link = w.rtext.item_rect(0);
        link.x += 100, link.y += 100;
    }
    void TearDown() override {
        input_state() = input_state_t{};
        seams_reset();
        clear_hover_link();
    }
    // Lit pixels on the bottom row of the link after painting the window.
    int paint_underline() {
        font_env_t::clear_black();
        w.paint();
        const rect row{link.x, link.y + link.h - 1, link.w, 1};
        return font_env_t::read_lit(row).count;
    }
};

TEST_F(RtextLinks, UnderlinedOnlyWhileHoveredAndOnlyInTheLayerTakingInput) {
    input_state().mouse = {link.x + 2, link.y + 2};
    EXPECT_GT(paint_underline(), link.w / 2);
    EXPECT_EQ(get_hover_link(), Str(L"help:topic"));
    EXPECT_EQ(std::pair(hint_text(), get_frame_cursor()), std::pair(Str(L"help:topic"), int(CUR_HAND)));
    clear_hover_link();
    wnd_t dialog;
    input_state().modal_stack.push_back(&dialog);  // a dialog runs: the window below shows no hover
    EXPECT_EQ(paint_underline(), 0);
    EXPECT_TRUE(get_hover_link().empty());
    input_state().modal_stack.clear();
    input_state().mouse = {link.x + link.w + 5, link.y + 2};
    EXPECT_EQ(paint_underline(), 0);
}

TEST_F(RtextLinks, AReleaseOverALinkOpensItAfterTheFrameNotWhilePainting) {
    static std::vector<std::pair<std::wstring, bool>> opened;
    static std::vector<std::string> urls;
    add_link_handler([](const wchar_t* t, bool* result) {
        if (!std::wstring_view(t).starts_with(L"help:")) return false;
        opened.emplace_back(t, painting_wnd_t::painting);
        *result = true;
        return true;
    });
    set_url_opener([](const char* u) { urls.push_back(u); return 0; });
    static pt_t mouse;
    seams().mouse_state = [](int* x, int* y) { *x = mouse.x, *y = mouse.y; return 0u; };
    // A move right behind the release, in the same pump (the hand moving as the
    // button comes up), has taken SDL's pointer off the link by the frame.
    const auto release_at = [](pt_t p, pt_t then) {
        mouse = then;
        const evt_t up{EVT_LBTN_UP, p.x, p.y}, move{EVT_MOUSE_MOVE, then.x, then.y};
        post_evt(&up), post_evt(&move);
        ASSERT_TRUE(do_frame());
    };
    release_at({link.x + 2, link.y + 2}, {link.x + 2, link.y + link.h + 20});
    EXPECT_EQ(opened, (std::vector<std::pair<std::wstring, bool>>{{L"help:topic", false}}));
    int second = w.rtext.item_count() - 1;
    while (second > 0 && w.rtext.item(second)->kind != RT_LINK) --second;
    const rect more = w.rtext.item_rect(second);
    const pt_t at_more{100 + more.x + 2, 100 + more.y + 2};
    release_at(at_more, at_more);  // a target of no allowed kind is refused
    mouse = {link.x + 2, link.y + 2};
    ASSERT_TRUE(do_frame());  // hovering alone opens nothing
    EXPECT_EQ(opened.size(), 1u);
    EXPECT_TRUE(urls.empty());
    set_url_opener(nullptr);
}

// The game's own font family (Noto Sans CJK, package fonts-noto-cjk), for a
// page with Chinese text.
class RtextPage : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        font_env_t::up("NotoSansCJK-Regular.ttc", "NotoSansCJK-Bold.ttc", "NotoSansCJK-Regular.ttc",
                       "/usr/share/fonts/opentype/noto/");
    }
    static void TearDownTestSuite() { font_env_t::down(); }
};

// Written to the build folder for a person to look at.
TEST_F(RtextPage, SamplePageRendersToAPicture) {
    test_gfx_t gfx("rtext_page");
    gfx.img("gem.png", 32, 32, [](int x, int y) {
        const int dx = x - 16, dy = y - 16;
        return dx * dx + dy * dy < 196 ? 0xFF000000u | uint32_t(0xC0 + y * 2) << 16 | uint32_t(0x40 + x * 4) << 8 : 0u;
    });
    const Str page(
        L"<obc=fc_k2><s hr=c:fc_k6><h1 hr=c>Tarnwick 样张</h1>"
        L"<c=lbl>Colours:</c> <c=fc_r>red</c>, <c=fc_g>green</c>, <c=fc_b>blue</c>, <c=#fea>gold</c>, "
        L"<b>bold</b>, <f=n7>large</f>, <a=50%%>faded</a>, <shadow=1><c=fc_y>shadowed</c></shadow>\n"
        L"An icon <ico_m=%s> inside a line<r>right-aligned</r>\n"
        L"<h2>Party</h2>"
        L"<c=lbl>Name\tLevel\tGold</c>\n<bc=fc_k3>Aldric\t3\t120</bc>\nBrenna\t5\t1,450\nCorwin\t2\t35\n"
        L"<h3>段落</h3>"
        L"<p>竞技场的挑战按难度排列：每场胜利都会带来经验、金币和战利品，商人会用它们换来更好的装备。"
        L"队伍最多六人，每个角色都有自己的能力、职业和专长。</p>"
        L"<m>See <url=help:credits>the credits</url> or <tip='A tooltip'><c=fc_k9>hover here</c></tip></m></s></obc>",
        gfx.name("gem"));
    rtext_t rt;
    const size box{480, UNLIMITED};
    rt.set_pad(8);
    rt.set_text(page, &box, FONT_DEF, &default_clr, 3);
    const rect r = rt.get_rect();
    EXPECT_LE(r.w, 480);
    EXPECT_GT(r.h, 12 * get_font_height(FONT_DEF));
    // The right-aligned region ends at the box's edge.
    int right_edge = 0;
    for (int i = 0; i < rt.item_count(); ++i)
        if (rt.item(i)->kind == RT_GLYPH) right_edge = std::max(right_edge, rt.item_rect(i).x + rt.item_rect(i).w);
    EXPECT_EQ(right_edge, 480);

    canvas_t canvas(r.h + 16 > 496 ? r.h + 16 : 496);
    const clr_t bg{0xFF0E141A};
    fill_rect(nullptr, &bg);
    rt.draw(8, 8);
    EXPECT_TRUE(save_png("rtext_sample_page.png", 496, r.h + 16));
}

}  // namespace
