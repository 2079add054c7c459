#include "app/clr.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <limits>
#include <sstream>

#include "app/clr_names.h"
#include "app/str.h"

// Every colour name with its value: short names as AARRGGBB, CSS names as RRGGBB (opaque).
const wchar_t short_list[] = LR"(
w FFFFFFFF  k FF000000  a FF808080  r FFFF0000  g FF00FF00  b FF0000FF  y FFFFFF00  c FF00FFFF  m FFFF00FF
key FFFFFF00  gray FF808080  lbl FFEECC88  lbl2 FFCC9966  lbl_a FF806D49  bg_k C0000000
fc_r FFE74C3C  fc_rr FFC0392B  fc_g FF2ECC71  fc_gg FF27AE60  fc_b FF3498DB  fc_bb FF2980B9
fc_y FFF1C40F  fc_yy FFF39C12  fc_o FFE67E22  fc_oo FFD35400  fc_p FF9B59B6  fc_pp FF8E44AD
fc_c FF1ABC9C  fc_cc FF16A085  fc_k FF34495E  fc_kk FF2C3E50  fc_w FFECF0F1  fc_ww FFBDC3C7
fc_a FF95A5A6  fc_aa FF7F8C8D  fc_k1 FF0E141A  fc_k2 FF1C2833  fc_k3 FF2A3B4D  fc_k4 FF384F66
fc_k5 FF476380  fc_k6 FF557799  fc_k7 FF638BB2  fc_k8 FF719ECC  fc_k9 FF7FB2E6  fc_k0 FF8DC6FF
)";

const wchar_t css_list[] = LR"(
LavenderBlush FFF0F5  LightPink FFB6C1  Pink FFC0CB  HotPink FF69B4  PaleVioletRed DB7093  DeepPink FF1493
MediumVioletRed C71585  Crimson DC143C  Lavender E6E6FA  Thistle D8BFD8  Plum DDA0DD  Violet EE82EE  Orchid DA70D6
Magenta FF00FF  Fuchsia FF00FF  MediumOrchid BA55D3  MediumPurple 9370DB  BlueViolet 8A2BE2  DarkViolet 9400D3
DarkOrchid 9932CC  DarkMagenta 8B008B  Purple 800080  Indigo 4B0082  AliceBlue F0F8FF  Azure F0FFFF  LightBlue ADD8E6
PowderBlue B0E0E6  LightSkyBlue 87CEFA  SkyBlue 87CEEB  DeepSkyBlue 00BFFF  CornflowerBlue 6495ED  DodgerBlue 1E90FF
RoyalBlue 4169E1  LightSteelBlue B0C4DE  CadetBlue 5F9EA0  SteelBlue 4682B4  LightSlateGray 778899  SlateGray 708090
MediumSlateBlue 7B68EE  SlateBlue 6A5ACD  DarkSlateBlue 483D8B  Blue 0000FF  MediumBlue 0000CD  MidnightBlue 191970
DarkBlue 00008B  Navy 000080  LightCyan E0FFFF  Cyan 00FFFF  DarkSlateGray 2F4F4F  DarkCyan 008B8B  Teal 008080
PaleTurquoise AFEEEE  Aqua 00FFFF  Aquamarine 7FFFD4  MediumAquamarine 66CDAA  Turquoise 40E0D0
MediumTurquoise 48D1CC  DarkTurquoise 00CED1  LightGreen 90EE90  PaleGreen 98FB98  MediumSpringGreen 00FA9A
SpringGreen 00FF7F  LightSeaGreen 20B2AA  SeaGreen 2E8B57  MediumSeaGreen 3CB371  DarkSeaGreen 8FBC8F
ForestGreen 228B22  Green 008000  DarkGreen 006400  Lime 00FF00  LimeGreen 32CD32  LawnGreen 7CFC00  Chartreuse 7FFF00
GreenYellow ADFF2F  YellowGreen 9ACD32  LightYellow FFFFE0  Cornsilk FFF8DC  Beige F5F5DC  LightGoldenrodYellow FAFAD2
OldLace FDF5E6  Linen FAF0E6  LemonChiffon FFFACD  PapayaWhip FFEFD5  BlanchedAlmond FFEBCD  Bisque FFE4C4
Wheat F5DEB3  Moccasin FFE4B5  NavajoWhite FFDEAD  PaleGoldenrod EEE8AA  Khaki F0E68C  DarkKhaki BDB76B  Yellow FFFF00
Gold FFD700  Goldenrod DAA520  DarkGoldenrod B8860B  Olive 808000  OliveDrab 6B8E23  DarkOliveGreen 556B2F
Orange FFA500  Tan D2B48C  BurlyWood DEB887  SandyBrown F4A460  Chocolate D2691E  Peru CD853F  SaddleBrown 8B4513
Sienna A0522D  MistyRose FFE4E1  PeachPuff FFDAB9  LightSalmon FFA07A  Coral FF7F50  DarkOrange FF8C00
LightCoral F08080  RosyBrown BC8F8F  IndianRed CD5C5C  Salmon FA8072  DarkSalmon E9967A  Tomato FF6347
OrangeRed FF4500  Red FF0000  Brown A52A2A  FireBrick B22222  DarkRed 8B0000  Maroon 800000  White FFFFFF  Snow FFFAFA
FloralWhite FFFAF0  Ivory FFFFF0  Seashell FFF5EE  MintCream F5FFFA  GhostWhite F8F8FF  Honeydew F0FFF0
WhiteSmoke F5F5F5  AntiqueWhite FAEBD7  Gainsboro DCDCDC  LightGrey D3D3D3  Silver C0C0C0  DarkGray A9A9A9
Gray 808080  DimGray 696969  Black 000000
)";

constexpr uint32_t sentinel = 0x12345678;
constexpr double nan = std::numeric_limits<double>::quiet_NaN();

TEST(Clr, EveryNameParsesToItsValue) {
    const auto check = [](const wchar_t* text, uint32_t alpha, size_t known) {
        std::wistringstream in(text);
        std::wstring name, hex;
        size_t n = 0;
        for (; in >> name >> hex; ++n) {
            SCOPED_TRACE(to_utf8_string(name.c_str()));
            clr_t c = sentinel;
            EXPECT_TRUE(parse_clr(&c, name.c_str()));
            EXPECT_EQ(uint32_t(c), alpha | uint32_t(std::wcstoul(hex.c_str(), nullptr, 16)));
        }
        EXPECT_EQ(n, known);
    };
    check(short_list, 0, clr_short_names().size());
    check(css_list, 0xFF000000u, clr_css_names().size());
}

TEST(Clr, ExactNamesAndHexForms) {
    // A want of 0 marks text that is not a colour.
    const struct { const wchar_t* text; uint32_t want; } rows[] = {
        {L"gray", 0xFF808080}, {L"Gray", 0xFF808080}, {L"GRAY", 0}, {L" w", 0}, {L"", 0},
        {L"LightGray", 0},  // CSS spells it LightGrey only
        {L"#F", 0xFFFFFFFF}, {L"#8F", 0x88FFFFFF}, {L"#f80", 0xFFFF8800}, {L"#8f80", 0x88FF8800},
        {L"#12345", 0x00012345}, {L"#123456", 0xFF123456}, {L"#80123456", 0x80123456},  // odd lengths as they stand
        {L"#", 0}, {L"#12g", 0}, {L"#123456789", 0}, {L"# 12", 0}, {L"#-1", 0}, {nullptr, 0},
    };
    for (const auto& row : rows) {
        SCOPED_TRACE(to_utf8_string(row.text));
        clr_t c = sentinel;
        EXPECT_EQ(parse_clr(&c, row.text), row.want != 0);
        EXPECT_EQ(uint32_t(c), row.want ? row.want : sentinel);
        EXPECT_EQ(uint32_t(str_to_clr(row.text)), row.want);
    }
}

TEST(Clr, TextForms) {
    const struct { uint32_t c; int flags; const wchar_t* want; } rows[] = {
        {0xFF336699, 1, L"336699"}, {0xFF336699, 0, L"FF336699"}, {0xFF336699, 2 | 1, L"51,102,153"},
        {0xFF336699, 2, L"255,51,102,153"}, {0xFF336699, 4 | 1, L"210,67%,60%"}, {0xFF336699, 4, L"255,210,67%,60%"},
        {0x80336699, 2 | 4, L"128,51,102,153"},  // decimal wins over hue
    };
    for (const auto& row : rows) EXPECT_STREQ(clr_t(row.c).to_str(row.flags).c_str(), row.want) << row.flags;
}

TEST(Clr, HsvBothWays) {
    const struct { uint32_t c; double h, s, v; } from[] = {
        {0xFFFF0000, 0, 1, 1}, {0xFFFFFF00, 60, 1, 1}, {0xFF00FF00, 120, 1, 1}, {0xFF00FFFF, 180, 1, 1},
        {0xFF0000FF, 240, 1, 1}, {0xFFFF00FF, 300, 1, 1}, {0xFFFFFFFF, 180, 0, 1}, {0x00000000, 0, 0, 0},
        {0xFF336699, 210, 2.0 / 3, 0.6}, {0xFFFF0080, 329.88, 1, 1}, {0x12FF8000, 30.12, 1, 1},
    };
    for (const auto& row : from) {
        const hsv_t hsv = clr_to_hsv(row.c);
        EXPECT_TRUE(std::abs(hsv.h - row.h) < 0.01 && std::abs(hsv.s - row.s) < 1e-9 && std::abs(hsv.v - row.v) < 1e-5)
            << std::hex << row.c << std::dec << ": " << hsv.h << "," << hsv.s << "," << hsv.v;
    }
    EXPECT_EQ(clr_to_hsv(0xFF808080).v, double(128.0f / 255.0f));  // a single-precision quotient

    const struct { hsv_t hsv; uint32_t want; } to[] = {
        {{60, 1, 1}, 0xFFFFFF00}, {{0, 1, 0.5}, 0xFF800000},  // 127.5 rounds away from zero
        {{360, 1, 1}, 0xFFFF0000}, {{210, 2.0 / 3, 0.6}, 0xFF336699}, {{90, 0, 1}, 0xFFFFFFFF},
        // Out-of-range input is held to the byte instead of wrapping round it.
        {{0, 1, 2}, 0xFFFF0000}, {{0, 3, 1}, 0xFFFF0000}, {{0, 1, -1}, 0xFF000000}, {{nan, 1, 1}, 0xFF000000},
    };
    for (const auto& row : to) EXPECT_EQ(uint32_t(hsv_to_clr(row.hsv)), row.want) << row.hsv.h << "," << row.hsv.v;
}

TEST(Clr, BrightnessAndScale) {
    const auto bright = [](clr_t c, int percent) { return clr_set_brightness(&c, percent), uint32_t(c); };
    EXPECT_EQ(bright(0x80FF0000, 50), 0xFF800000u);
    EXPECT_EQ(bright(0xFF000000, 50), 0xFF808080u);  // black has no hue: it brightens to grey
    EXPECT_EQ(bright(0xFF336699, 100), 0xFF55AAFFu);
    clr_set_brightness(nullptr, 10);
    const auto scaled = [](double f) { clr_t c = 0x80336699; return c.scale_rgb(f), uint32_t(c); };
    EXPECT_EQ(scaled(0.5), 0x8019334Cu);  // 25.5 and 76.5 truncate
    EXPECT_EQ(scaled(2.0), 0x8066CCFFu);  // 306 held at 255
    EXPECT_EQ(scaled(-1.0) | scaled(nan), 0x80000000u);
}
