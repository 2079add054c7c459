#include "app/fmt.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "app/str.h"

namespace {

// The formatted text, or "<-1>" when the formatter reports a failure.
template <class... A>
std::wstring F(const wchar_t* fmt, const A&... a) {
    std::wstring out = L"stale";
    const int n = fmt_format(out, fmt, a...);
    if (n < 0) return out.empty() ? L"<-1>" : L"<-1 with text>";
    return size_t(n) == out.size() ? out : L"<bad count>";
}

void check(const std::vector<std::pair<std::wstring, std::wstring>>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) EXPECT_EQ(rows[i].first, rows[i].second) << "row " << i;
}

TEST(Fmt, StringsAndCharacters) {
    const wchar_t* null_w = nullptr;
    const char* null_n = nullptr;
    check({
        {F(L"[%s|%s|%s]", Str(L"wide"), L"lit", std::wstring(L"std")), L"[wide|lit|std]"},
        {F(L"[%s]", "caf\xC3\xA9"), L"[caf\u00e9]"},  // narrow text is UTF-8
        {F(L"[%S|%S]", "narrow", L"wide too"), L"[narrow|wide too]"},
        {F(L"[%s|%S]", null_w, null_n), L"[(null)|(null)]"},
        {F(L"[%-5s|%.2s|%*s]", L"ab", L"abcdef", 4, L"ab"), L"[ab   |ab|  ab]"},
        {F(L"[%.0s|%.0S]", L"gone", "gone"), L"[|]"},  // a precision of 0 is no precision missing
        {F(L"%c%C%c%c", L'W', 'n', 65, 0x20AC), L"WnA\u20ac"},  // an integer prints its character
        {F(L"%c%c", '\xE9', 0xD800), L"\uFFFD\uFFFD"},          // a lone byte or surrogate is no character
    });
}

TEST(Fmt, NumbersAsCPrintsThem) {
    check({
        {F(L"%08x|%x|%x", -5, short(-1), -1LL), L"fffffffb|ffff|ffffffffffffffff"},
        {F(L"%+d|%+i|% d|100%%", 7, -7, 7), L"+7|-7| 7|100%"},
        {F(L"%05d|%.0d|%-*d|%*d|", -42, 0, 4, 1, -3, 9), L"-0042||1   |9  |"},
        {F(L"%d|%d|%d|%d", 4000000000u, 18446744073709551615ull, L'A', true), L"4000000000|18446744073709551615|65|1"},
        // Length modifiers are ignored: the argument's type decides.
        {F(L"%hd|%I64d|%zu|%hhx|%lx", 70000, 7, size_t(8), 300, -1), L"70000|7|8|12c|ffffffff"},
        {F(L"%g|%g|%g|%G", 0.1, 1e20, 100000.0, 1e-10), L"0.1|1e+20|100000|1E-10"},
        {F(L"%.*f|%g|%g|%f", 2, 3.14159, 2.5f, 3, 2u), L"3.14|2.5|3|2.000000"},  // integers widen without loss
    });
}

TEST(Fmt, FailuresGiveMinusOneAndEmptyText) {
    const int* ptr = nullptr;
    const std::wstring got[] = {F(L"%d %d", 1), F(L"%s"), F(L"%d", L"text"), F(L"%d", 1.5), F(L"%s", 5), F(L"%p", 5),
                                F(L"%*d", L"w", 5), F(L"%n", &ptr), F(L"%y", 1), F(L"50%"), F(L"%99999999999d", 1),
                                F(L"%4097d", 1), F(L"%.4097f", 1.0), F(L"%*d", 5000, 1), F(L"%02000020000f", 1.0)};
    for (size_t i = 0; i < std::size(got); ++i) EXPECT_EQ(got[i], L"<-1>") << "row " << i;
    EXPECT_EQ(F(L"%4096d", 1).size(), 4096u);  // the widest field
    std::wstring out;
    EXPECT_EQ(fmt_format_v(out, nullptr, nullptr, 0), -1);
}

TEST(Fmt, ExtraArgumentsThrow) {
    std::wstring out;
    try {
        fmt_format(out, L"%d", 1, 2);
        FAIL();
    } catch (const std::invalid_argument& e) {
        EXPECT_STREQ(e.what(), "extra arguments provided");
    }
    EXPECT_THROW(Str(L"plain", 1), std::invalid_argument);  // and the Str is not leaked
}

}  // namespace
