#include "app/codec.h"

#include <gtest/gtest.h>

namespace {

const std::wstring mixed = L"A\u00e9\u20ac\U0001F600z";  // 1-, 2-, 3- and 4-byte forms
const std::string mixed_utf8 = "A\xC3\xA9\xE2\x82\xAC\xF0\x9F\x98\x80z";

TEST(Codec, Utf8RoundTripsEveryEncodedLength) {
    EXPECT_EQ(utf8_from_wide(mixed), mixed_utf8);
    EXPECT_EQ(wide_from_utf8(mixed_utf8), mixed);
    EXPECT_EQ(wide_from_utf8(utf8_from_wide(L"\U0010FFFF")), L"\U0010FFFF");
    const std::string with_nul("a\0b", 3);
    EXPECT_EQ(wide_from_utf8(with_nul), std::wstring(L"a\0b", 3));
}

TEST(Codec, Utf16UsesSurrogatePairsAboveTheBasicPlane) {
    const std::u16string u = utf16_from_wide(mixed);
    EXPECT_EQ(u, (std::u16string{u'A', 0xE9, 0x20AC, 0xD83D, 0xDE00, u'z'}));
    EXPECT_EQ(wide_from_utf16(u), mixed);
    EXPECT_EQ(wide_from_utf16(utf16_from_wide(L"\U00010000\U0010FFFF")), L"\U00010000\U0010FFFF");
}

TEST(Codec, Utf16LeBytesAreLittleEndianWithoutBom) {
    const std::string b = utf16le_from_wide(L"A\U0001F600");
    EXPECT_EQ(b, std::string("\x41\x00\x3D\xD8\x00\xDE", 6));
    EXPECT_EQ(wide_from_utf16le(b.data(), b.size()), L"A\U0001F600");
    EXPECT_EQ(wide_from_utf16le("\x41\x00\x42", 3), L"A\uFFFD");  // odd trailing byte
    EXPECT_EQ(wide_from_utf16le(nullptr, 4), L"");
}

TEST(Codec, LoneSurrogatesInUtf16BecomeReplacement) {
    struct row_t {
        std::u16string in;
        std::wstring want;
    };
    const row_t rows[] = {
        {{0xD800}, L"\uFFFD"},
        {{0xDC00, u'a'}, L"\uFFFDa"},
        {{0xD83D, u'a'}, L"\uFFFDa"},
        {{0xDE00, 0xD83D}, L"\uFFFD\uFFFD"},
        {{0xD83D, 0xD83D, 0xDE00}, L"\uFFFD\U0001F600"},
    };
    for (const auto& r : rows) EXPECT_EQ(wide_from_utf16(r.in), r.want) << testing::PrintToString(r.in);
}

TEST(Codec, WideValuesThatAreNotCharactersBecomeReplacement) {
    const std::wstring bad{wchar_t(0xD800), L'a', wchar_t(0x110000), wchar_t(-1), wchar_t(0xDFFF)};
    EXPECT_EQ(utf8_from_wide(bad), "\xEF\xBF\xBD" "a" "\xEF\xBF\xBD\xEF\xBF\xBD\xEF\xBF\xBD");
    EXPECT_EQ(utf16_from_wide(bad), (std::u16string{0xFFFD, u'a', 0xFFFD, 0xFFFD, 0xFFFD}));
    // A pair left in wide text is joined rather than lost.
    const std::wstring pair{wchar_t(0xD83D), wchar_t(0xDE00)};
    EXPECT_EQ(utf8_from_wide(pair), "\xF0\x9F\x98\x80");
    EXPECT_EQ(utf16_from_wide(pair), (std::u16string{0xD83D, 0xDE00}));
}

// One U+FFFD per maximal ill-formed subsequence; the valid text around survives.
TEST(Codec, InvalidUtf8BecomesReplacement) {
    struct row_t {
        const char* in;
        std::wstring want;
    };
    const row_t rows[] = {
        {"a\x80z", L"a\uFFFDz"},                                   // stray continuation byte
        {"\xC0\xAF", L"\uFFFD\uFFFD"},                             // overlong '/'
        {"\xC1\xBF", L"\uFFFD\uFFFD"},                             // overlong
        {"\xE0\x80\xAF", L"\uFFFD\uFFFD\uFFFD"},                   // overlong 3-byte
        {"\xF0\x8F\xBF\xBF", L"\uFFFD\uFFFD\uFFFD\uFFFD"},         // overlong 4-byte
        {"\xED\xA0\x80", L"\uFFFD\uFFFD\uFFFD"},                   // encoded surrogate
        {"\xF4\x90\x80\x80", L"\uFFFD\uFFFD\uFFFD\uFFFD"},         // above 0x10FFFF
        {"\xF5\x80", L"\uFFFD\uFFFD"},                             // lead byte never valid
        {"\xFF" "b", L"\uFFFDb"},
        {"\xE2\x82", L"\uFFFD"},                                   // truncated at the end
        {"\xE2\x82" "A", L"\uFFFDA"},                              // truncated before ASCII
        {"\xF0\x9F\x98" "\xC3\xA9", L"\uFFFD\u00e9"},              // truncated before a valid form
        {"\xEF\xBF\xBD", L"\uFFFD"},                               // U+FFFD itself is valid
        {"\xF4\x8F\xBF\xBF", L"\U0010FFFF"},
    };
    for (const auto& r : rows) EXPECT_EQ(wide_from_utf8(r.in), r.want) << testing::PrintToString(std::string(r.in));
}

TEST(Codec, AppendKeepsWhatIsThere) {
    std::wstring out = L"x";
    append_wide_from_utf8(out, "\xC3\xA9");
    EXPECT_EQ(out, L"x\u00e9");
}

}  // namespace
