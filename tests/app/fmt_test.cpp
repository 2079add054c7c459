#include "app/fmt.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>
#include <stdexcept>

#include "app/str.h"

namespace {

// The formatted text, or "<-1>" when the formatter reports a failure.
template <class... A>
std::wstring F(const wchar_t* fmt, const A&... a) {
    std::wstring out = L"stale";
    const int n = fmt_format(out, fmt, a...);
    if (n < 0) return out.empty() ? L"<-1>" : L"<-1 with text>";
    if (size_t(n) != out.size()) return L"<bad count>";
    return out;
}

struct row_t {
    std::wstring got;
    const wchar_t* want;
};

void check(const std::vector<row_t>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].got, rows[i].want) << "row " << i;
}

TEST(Fmt, Strings) {
    const Str s(L"wide");
    const wchar_t* null_w = nullptr;
    const char* null_n = nullptr;
    std::wstring ws = L"std";
    check({
        {F(L"[%s]", s), L"[wide]"},
        {F(L"[%s]", L"lit"), L"[lit]"},
        {F(L"[%s]", ws), L"[std]"},
        {F(L"[%s]", "caf\xC3\xA9"), L"[caf\u00e9]"},  // narrow text is UTF-8
        {F(L"[%S]", "narrow"), L"[narrow]"},
        {F(L"[%S]", L"wide too"), L"[wide too]"},
        {F(L"[%s|%S]", null_w, null_n), L"[(null)|(null)]"},
        {F(L"[%5s]", L"ab"), L"[   ab]"},
        {F(L"[%-5s]", L"ab"), L"[ab   ]"},
        {F(L"[%.2s]", L"abcdef"), L"[ab]"},
        {F(L"[%*s]", 4, L"ab"), L"[  ab]"},
        {F(L"\u00fc%s\u00fc", L"\U0001F600"), L"\u00fc\U0001F600\u00fc"},
    });
}

TEST(Fmt, Characters) {
    check({
        {F(L"%c", L'W'), L"W"},
        {F(L"%C", 'n'), L"n"},
        {F(L"%c", 65), L"A"},          // an integer prints its character
        {F(L"%c", 0x20AC), L"\u20ac"},
        {F(L"%c", '\xE9'), L"\uFFFD"},  // a lone high byte is not UTF-8
        {F(L"%c", 0xD800), L"\uFFFD"},
        {F(L"[%3c]", L'x'), L"[  x]"},
        {F(L"[%-3c]", L'x'), L"[x  ]"},
    });
}

TEST(Fmt, Integers) {
    check({
        {F(L"%08x", -5), L"fffffffb"},
        {F(L"%x", short(-1)), L"ffff"},
        {F(L"%x", -1LL), L"ffffffffffffffff"},
        {F(L"%u", -5), L"4294967291"},
        {F(L"%X|%#x|%#o|%o", 255, 255, 8, 8), L"FF|0xff|010|10"},
        {F(L"%06X", 0xBEEF), L"00BEEF"},
        {F(L"%d|%i", -42, 42), L"-42|42"},
        {F(L"%+d|%+d", 7, -7), L"+7|-7"},
        {F(L"% d|% d", 7, -7), L" 7|-7"},
        {F(L"%05d|%-5d|", -42, 3), L"-0042|3    |"},
        {F(L"%02d:%03d:%08d", 5, 7, 123), L"05:007:00000123"},
        {F(L"%.3d|%5.3d|%.0d|", 7, 7, 0), L"007|  007||"},
        {F(L"%*d|%-*d|%*d|", 5, 42, 4, 1, -3, 9), L"   42|1   |9  |"},
        {F(L"%d", 4000000000u), L"4000000000"},
        {F(L"%d", 18446744073709551615ull), L"18446744073709551615"},
        {F(L"%d", L'A'), L"65"},
        {F(L"%d|%d", true, 'a'), L"1|97"},
        // Length modifiers are ignored: the argument's type decides.
        {F(L"%hd|%ld|%lld|%I64d|%zu|%hhx|%lx", 70000, 5, 6, 7, size_t(8), 300, -1), L"70000|5|6|7|8|12c|ffffffff"},
    });
}

TEST(Fmt, FloatingPointMatchesC) {
    check({
        {F(L"%g|%g|%g|%g", 0.1, 1e20, 100000.0, 1000000.0), L"0.1|1e+20|100000|1e+06"},
        {F(L"%G|%E", 1e-10, 12345.678), L"1E-10|1.234568E+04"},
        {F(L"%f|%e", 1.5, 12345.678), L"1.500000|1.234568e+04"},
        {F(L"[%8.3f]|[%-8.2f]|%+.1f", 3.14159, 2.5, 1.0), L"[   3.142]|[2.50    ]|+1.0"},
        {F(L"%.*f|%010.4f", 2, 3.14159, -3.5), L"3.14|-0003.5000"},
        {F(L"%g", 2.5f), L"2.5"},
        {F(L"%g|%f", 3, 2u), L"3|2.000000"},  // integers widen without loss
    });
}

TEST(Fmt, PercentAndPointer) {
    int x = 0;
    char c_text[64];
    std::snprintf(c_text, sizeof c_text, "%p", static_cast<void*>(&x));
    EXPECT_EQ(F(L"%p", &x), std::wstring(c_text, c_text + std::strlen(c_text)));
    EXPECT_EQ(F(L"100%%"), L"100%");
    EXPECT_EQ(F(L""), L"");
}

TEST(Fmt, FailuresGiveMinusOneAndEmptyText) {
    const int* ptr = nullptr;
    check({
        {F(L"%d %d", 1), L"<-1>"},  // missing argument
        {F(L"%s"), L"<-1>"},
        {F(L"%d", L"text"), L"<-1>"},
        {F(L"%d", 1.5), L"<-1>"},  // a double never narrows to %d
        {F(L"%x", ptr), L"<-1>"},
        {F(L"%s", 5), L"<-1>"},
        {F(L"%c", 2.0), L"<-1>"},
        {F(L"%p", 5), L"<-1>"},
        {F(L"%f", L"1.5"), L"<-1>"},
        {F(L"%*d", L"w", 5), L"<-1>"},
        {F(L"%n", &ptr), L"<-1>"},  // never writes through an argument
        {F(L"%y", 1), L"<-1>"},
        {F(L"50%"), L"<-1>"},
        {F(L"%99999999999d", 1), L"<-1>"},
    });
    std::wstring out;
    EXPECT_EQ(fmt_format_v(out, nullptr, nullptr, 0), -1);
}

TEST(Fmt, ExtraArgumentsThrow) {
    std::wstring out;
    try {
        fmt_format(out, L"%d", 1, 2);
        FAIL() << "no exception";
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "extra arguments provided");
    }
    EXPECT_THROW(fmt_format(out, L"plain", 1), std::invalid_argument);
    EXPECT_THROW(Str(L"plain", 1), std::invalid_argument);  // and the Str is not leaked
}

}  // namespace
