#include "app/font.h"

#include <SDL_ttf.h>
#include <gtest/gtest.h>

#include <cstdint>
#include <initializer_list>
#include <string>
#include <tuple>

#include "support/font_env.h"

namespace {

// ---- a tiny TrueType font ----
// Three glyphs: 0 the missing-glyph box, 1 "A" (a box), 2 the space; no "@".
// Its kern table says A-A -50 and A-space / space-A -100 (units of 1000 per em).

// Big-endian fields, as every TrueType table stores them.
struct be_buf_t {
    std::string b;
    be_buf_t& u16(std::initializer_list<int> vs) {
        for (int v : vs) b += char((v >> 8) & 0xFF), b += char(v & 0xFF);
        return *this;
    }
    be_buf_t& u32(std::initializer_list<uint32_t> vs) {
        for (uint32_t v : vs) u16({int(v >> 16), int(v & 0xFFFF)});
        return *this;
    }
};

// One contour through the four corners, all points on the curve.
std::string box_glyph(int x0, int y0, int x1, int y1) {
    be_buf_t g;
    g.u16({1, x0, y0, x1, y1, 3, 0});  // contours, bounds, last point, no instructions
    g.b += std::string(4, char(1));    // flags: on curve, 16-bit deltas
    g.u16({x0, x1 - x0, 0, x0 - x1}).u16({y0, 0, y1 - y0, 0});
    return g.b;
}

std::string tiny_ttf() {
    be_buf_t head;  // 1000 units per em; then dates, bounds and short loca offsets
    head.u32({0x00010000, 0x00010000, 0, 0x5F0F3CF5}).u16({0x000B, 1000}).u32({0, 0, 0, 0});
    head.u16({0, 0, 600, 800, 0, 8, 2, 0, 0});
    // Ascender 800, descender -200, 3 horizontal metrics; advances 500, 600 and 250.
    const std::string hhea = be_buf_t{}.u32({0x10000}).u16({800, -200, 0, 600, 0, 0, 600, 1, 0, 0, 0, 0, 0, 0, 0, 3}).b;
    const std::string maxp = be_buf_t{}.u32({0x10000}).u16({3, 4, 1, 0, 0, 2, 0, 0, 0, 0, 0, 0, 0, 0}).b;
    const std::string hmtx = be_buf_t{}.u16({500, 50, 600, 50, 250, 0}).b;
    const std::string notdef = box_glyph(50, 0, 450, 700), a = box_glyph(50, 0, 550, 700);
    const int a_end = int(notdef.size() + a.size());
    const std::string loca = be_buf_t{}.u16({0, int(notdef.size()) / 2, a_end / 2, a_end / 2}).b;
    be_buf_t cmap;  // Windows Unicode, format 4: segments space, "A" and the closing 0xFFFF
    cmap.u16({0, 1, 3, 1}).u32({12}).u16({4, 16 + 8 * 3, 0, 6, 4, 1, 2});
    cmap.u16({0x20, 0x41, 0xFFFF, 0}).u16({0x20, 0x41, 0xFFFF}).u16({2 - 0x20, 1 - 0x41, 1}).u16({0, 0, 0});
    // Format 0, horizontal: A-A, A-space, space-A.
    const std::string kern = be_buf_t{}.u16({0, 1, 0, 14 + 3 * 6, 1, 3, 12, 1, 6, 1, 1, -50, 1, 2, -100, 2, 1, -100}).b;
    const std::pair<const char*, std::string> tables[] = {{"cmap", cmap.b}, {"glyf", notdef + a}, {"head", head.b},
        {"hhea", hhea}, {"hmtx", hmtx}, {"kern", kern}, {"loca", loca}, {"maxp", maxp}};
    const int n = int(std::size(tables));
    be_buf_t dir, body;
    dir.u32({0x00010000}).u16({n, 128, 3, n * 16 - 128});
    for (const auto& [tag, data] : tables) {
        dir.b += tag;
        dir.u32({0, uint32_t(12 + 16 * n + body.b.size()), uint32_t(data.size())});
        body.b += data;
        while (body.b.size() % 4) body.b += '\0';
    }
    return dir.b + body.b;
}

using Fonts = fonts_test_t<>;

// Opened on its own, so its glyph cache starts empty: the file given at 16
// pixels, or the tiny font at 20.
struct own_font_t {
    temp_dir_t dir;
    zg::font_t f;
    explicit own_font_t(const std::string& path = "") {
        if (path.empty()) dir.file("tiny.ttf", tiny_ttf());
        const std::string file = path.empty() ? dir.path("tiny.ttf") : path;
        EXPECT_TRUE(f.open(utf8_to_str(file.c_str()), path.empty() ? 20 : 16)) << TTF_GetError();
    }
};

const std::string dejavu_sans = std::string(dejavu_dir) + "DejaVuSans.ttf";

TEST_F(Fonts, TwentyIdsOverFifteenOpenFontsEachOpenedOnFirstUse) {
    ASSERT_EQ(font_count(), 20);
    EXPECT_EQ(registered_font_count(), 3);  // one size of each file until the others are drawn with
    for (int id = 0; id < FONT_COUNT; ++id) EXPECT_NE(get_font(id), nullptr) << id;
    EXPECT_EQ(registered_font_count(), 15);
    EXPECT_EQ(get_font(FONT_DEF), get_font(FONT_N4));  // one file and size, opened once
    EXPECT_EQ(get_font(20), nullptr);
}

TEST_F(Fonts, IdsFromNamesNumbersAndBareSizes) {
    const std::tuple<const wchar_t*, int, int> rows[] = {
        {L"DEF", FONT_B, 0}, {L"b7", FONT_N, 17}, {L"dmg", FONT_N, 3}, {L"#19", FONT_N, 19}, {L"#20", FONT_N, -1},
        {L"#-1", FONT_N, -1}, {L"3", FONT_B, 13}, {L"3", FONT_N, 6}, {L"x", FONT_N, 3}, {L"-4", FONT_N, -1},
        {L"99999999999", FONT_B, -1}, {nullptr, FONT_N, -1}};
    for (const auto& [name, cur, want] : rows)
        EXPECT_EQ(get_font_id(name, cur), want) << (name ? to_utf8_string(name) : "null");
    const std::tuple<int, int, int> twins[] = {
        {FONT_DEF, 14, 7}, {FONT_N, 3, 2}, {FONT_N1, 11, 4}, {FONT_B7, 17, 10}, {FONT_DMG, 18, 18}, {-1, -1, -1}};
    for (const auto& [id, bold, norm] : twins)
        EXPECT_EQ(std::pair(to_bold_font(id), to_norm_font(id)), std::pair(bold, norm)) << id;
}

TEST(FontLoading, StopsAtTheFirstMissingFile) {
    ASSERT_TRUE(init_sdl_libs());
    temp_dir_t dir;
    font_env_t::copy_fonts(dir, "DejaVuSans.ttf", "", "DejaVuSansMono.ttf");
    // "DEF", "CON" and "n" load; "b" needs the missing bold file, named on standard error.
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(load_fonts_from(font_env_t::dir_of(dir)));
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("fonts/default_b.ttf could not be opened"), std::string::npos);
    EXPECT_EQ(std::pair(font_count(), registered_font_count()), std::pair(3, 2));
    EXPECT_NE(get_font(FONT_N), nullptr);
    EXPECT_EQ(get_font_id(L"#2", FONT_N), 2);  // "#k" counts the fonts loaded
    EXPECT_EQ(get_font_id(L"#3", FONT_N), -1);
    free_fonts();
    quit_sdl_libs();
}

TEST_F(Fonts, MissingCharacterGivesTheAtSignUncached) {
    own_font_t o(dejavu_sans);
    ASSERT_FALSE(TTF_GlyphIsProvided32(o.f.font, 0x4E2D));
    zg::glyph_t* first = o.f.get_glyph(0x4E2D);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(o.f.get_glyph(U'@'), first);
    EXPECT_EQ(o.f.glyphs.size(), 1u);
    zg::font_t closed;
    EXPECT_EQ(closed.get_glyph(U'A'), nullptr);
    EXPECT_EQ(closed.kerning(U'A', U'V'), 0);
}

TEST_F(Fonts, FontWithoutAtSignDrawsItsMissingGlyphBox) {
    own_font_t o;
    ASSERT_FALSE(TTF_GlyphIsProvided32(o.f.font, U'@'));
    zg::glyph_t* g = o.f.get_glyph(U'Z');
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->advance, 10);  // the box's 500 units at 20 pixels per 1000
    EXPECT_EQ(o.f.get_glyph(U'@'), g);
    EXPECT_EQ(o.f.glyphs.size(), 1u);
    EXPECT_EQ(o.f.get_glyph(U'A')->advance, 12);
}

TEST_F(Fonts, KerningIsZeroNextToSpacesTabsAndMissingGlyphs) {
    own_font_t o;
    ASSERT_EQ(TTF_GetFontKerningSizeGlyphs32(o.f.font, U'A', U' '), -2);  // what the font itself says
    ASSERT_EQ(TTF_GetFontKerningSizeGlyphs32(o.f.font, U' ', U'A'), -2);
    EXPECT_EQ(o.f.kerning(U'A', U'A'), -1);
    const std::pair<char32_t, char32_t> none[] = {{U'A', U' '}, {U' ', U'A'}, {U'A', U'\t'}, {U'A', U'Q'}};
    for (const auto& [a, b] : none) EXPECT_EQ(o.f.kerning(a, b), 0) << int(a) << "," << int(b);
}

}  // namespace
