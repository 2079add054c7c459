#include "app/codec.h"

#include <gtest/gtest.h>

namespace {

const std::wstring mixed = L"A\u00e9\u20ac\U0001F600z";  // 1-, 2-, 3- and 4-byte forms
const std::wstring rep(1, L'\uFFFD');

TEST(Codec, RoundTripsThroughUtf8AndUtf16) {
    const std::string utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";
    EXPECT_EQ(utf8_from_wide(mixed), utf8);
    EXPECT_EQ(wide_from_utf8(utf8), mixed);
    EXPECT_EQ(wide_from_utf8(std::string("a\0b", 3)), std::wstring(L"a\0b", 3));
    EXPECT_EQ(utf16_from_wide(mixed), (std::u16string{u'A', 0xE9, 0x20AC, 0xD83D, 0xDE00, u'z'}));
    EXPECT_EQ(wide_from_utf16(utf16_from_wide(mixed)), mixed);
    const std::wstring edges = L"\U00010000\U0010FFFF";
    EXPECT_EQ(wide_from_utf16(utf16_from_wide(edges)), edges);
    EXPECT_EQ(wide_from_utf8(utf8_from_wide(edges)), edges);
    const std::string le = utf16le_from_wide(L"A\U0001F600");
    EXPECT_EQ(le, std::string("\x41\x00\x3D\xD8\x00\xDE", 6));  // little-endian, no mark
    EXPECT_EQ(wide_from_utf16le(le.data(), le.size()), L"A\U0001F600");
    EXPECT_EQ(wide_from_utf16le("\x41\x00\x42", 3), L"A" + rep);  // odd trailing byte
}

TEST(Codec, LoneSurrogatesAndNonCharactersBecomeReplacement) {
    const std::pair<std::u16string, std::wstring> rows[] = {
        {{0xD800}, rep}, {{0xDC00, u'a'}, rep + L"a"}, {{0xD83D, u'a'}, rep + L"a"},
        {{0xDE00, 0xD83D}, rep + rep}, {{0xD83D, 0xD83D, 0xDE00}, rep + L"\U0001F600"},
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(wide_from_utf16(in), want) << testing::PrintToString(in);

    const std::wstring bad{wchar_t(0xD800), L'a', wchar_t(0x110000), wchar_t(-1)};
    EXPECT_EQ(utf8_from_wide(bad), "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(utf16_from_wide(bad), (std::u16string{0xFFFD, u'a', 0xFFFD, 0xFFFD}));
    // A pair left in wide text is joined rather than lost.
    const std::wstring pair{wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(utf8_from_wide(pair), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16_from_wide(pair), (std::u16string{0xD83D, 0xDE00}));
}

// One U+FFFD per maximal ill-formed subsequence; the valid text around survives.
TEST(Codec, InvalidUtf8BecomesReplacement) {
    const std::wstring r2 = rep + rep, r3 = r2 + rep, r4 = r3 + rep;
    const std::pair<const char*, std::wstring> rows[] = {
        {"a\x80z", L"a" + rep + L"z"},  // stray continuation byte
        {"\xC0\xAF", r2}, {"\xE0\x80\xAF", r3}, {"\xF0\x8F\xBF\xBF", r4},  // overlong forms
        {"\xED\xA0\x80", r3},                                              // encoded surrogate
        {"\xF4\x90\x80\x80", r4}, {"\xF5\x80", r2},                        // above 0x10FFFF
        {"\xE2\x82", rep}, {"\xF0\x9F\x98" "\xC3\xA9", rep + L"\u00e9"},   // truncated
    };
    for (const auto& [in, want] : rows) EXPECT_EQ(wide_from_utf8(in), want) << testing::PrintToString(std::string(in));
}

}  // namespace
