#include "app/str.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <limits>
#include <tuple>

namespace {

std::wstring W(const Str& s) { return s.buf; }

TEST(Str, CapacitiesGrowExactlyAndNeverShrink) {
    for (auto [cap, want] : {std::pair{Str().cap, 4}, {Str(10).cap, 10}, {Str(0).cap, 1},
                             {Str(Str(L"abcdefghi")).cap, 10}, {Str(L"%d", 123456).cap, 7}})
        EXPECT_EQ(cap, want);
    Str s(L"ab");
    s.append(L"cde");
    EXPECT_EQ(s.cap, 6);
    s.erase(1, 2);
    s.reserve(3);
    EXPECT_EQ(s.cap, 6);
    Str sub;
    sub.assign_sub(L"abcdef", 1, 2);
    EXPECT_EQ(sub.cap, 7);  // room for the whole source, as it always took
}

TEST(Str, ConstructionAndAssignment) {
    const wchar_t* null_w = nullptr;
    EXPECT_EQ(W(Str(null_w)), L"");
    EXPECT_EQ(W(Str("100%%")), L"100%");
    Str s(L"abcdef");
    s.assign(s.buf + 2);
    s = s;
    EXPECT_EQ(W(s), L"cdef");
    Str moved(std::move(s));
    s.append(L"again");  // the moved-from text is still usable
    moved = std::move(s);
    EXPECT_EQ(W(moved), L"again");
}

// Each edit runs on a fresh Str; none may shrink its buffer.
TEST(Str, EditsClampTheirArgumentsAndMayReadTheirOwnBuffer) {
    using S = Str&;
    const std::tuple<const wchar_t*, void (*)(Str&), const wchar_t*> rows[] = {
        {L"", [](S s) { s.assign_sub(L"abcd", 2, 10); }, L"cd"}, {L"", [](S s) { s.assign_sub(L"abc", 10, 2); }, L""},
        {L"", [](S s) { s.assign_sub(L"abc", -2, 2); }, L"ab"}, {L"x", [](S s) { s.assign_sub(L"abc", 1, -1); }, L""},
        {L"abcd", [](S s) { s.assign_sub(s.buf, 1, 2); }, L"bc"}, {L"abc", [](S s) { s.append(s.buf + 1); }, L"abcbc"},
        {L"ab", [](S s) { s.append("c\xC3\xA9").append_ch('\xE9'); }, L"abc\u00e9\uFFFD"},
        {L"ab", [](S s) { s.append_n(L'-', 3).append_n(L'+', -1); }, L"ab---"},
        {L"ab", [](S s) { s.prepend(s); }, L"abab"},
        {L"abc", [](S s) { s.insert(L"xy", 9); }, L"abcxy"}, {L"abc", [](S s) { s.insert(L"xy", -4); }, L"xyabc"},
        {L"abc", [](S s) { s.insert(s.buf, 1); }, L"aabcbc"}, {L"abcdef", [](S s) { s.erase(2, 10); }, L"ab"},
        {L"abcdef", [](S s) { s.erase(100, 2); }, L"abcdef"},  // used to write past the buffer
        {L"abcdef", [](S s) { s.erase(1, -3); }, L"abcdef"}, {L"abcdef", [](S s) { s.erase(-1, 2); }, L"cdef"},
        {L"abcdef", [](S s) { s.drop_front(-2).drop_front(2); }, L"cdef"}, {L"abc", [](S s) { s.drop_back(7); }, L""},
        {L"abc", [](S s) { s.cut_after(3); }, L"abc"},  // cap 4 leaves no room to cut
        {L"abc", [](S s) { s.cut_after(-5); }, L""}, {L"abc", [](S s) { s = s.mid(1, 10); }, L"bc"},
        {L"abc", [](S s) { s = s.mid(5, 2); }, L""}, {L"abc", [](S s) { s = s.mid(-1, 2); }, L""},
    };
    for (size_t i = 0; i < std::size(rows); ++i) {
        const auto [start, edit, want] = rows[i];
        Str s(start);
        const int cap = s.cap;
        edit(s);
        EXPECT_EQ(W(s), want) << "row " << i;
        EXPECT_GE(s.cap, cap) << "row " << i;
    }
    EXPECT_EQ(Str(L"abc").at_from_end(2), L'a');
    EXPECT_EQ(Str(L"abc").at_from_end(3), 0);
}

TEST(Str, ConcatenationAndComparison) {
    const Str a(L"ab");
    EXPECT_EQ(W((L"<" + a + L'c' + Str(L"d") + L"e" + "\xC3\xA9").plus_int(-12)), L"<abcde\u00e9-12");
    EXPECT_EQ(W(a), L"ab");
    const wchar_t* null_w = nullptr;
    EXPECT_TRUE(Str(L"abc") == L"abc" && Str() == null_w);
    EXPECT_FALSE(Str(L"abc") == Str(L"abcd") || Str(L"abc") == L"ab");
    // Case-sensitive code-point order, the key order of every map of texts.
    EXPECT_TRUE(Str(L"B") < Str(L"a") && Str(L"ab") < Str(L"abc") && Str(L"\uFFFD") < Str(L"\U0001F600"));
    EXPECT_FALSE(Str(L"abc") < Str(L"abc"));
}

TEST(Str, Format) {
    Str s(L"abc");
    EXPECT_EQ(s.format(L"<%s>", s), 5);  // the argument may be the Str itself
    EXPECT_EQ(s.format(s.buf), 5);
    EXPECT_EQ(W(s), L"<abc>");
    const int cap = s.cap;
    EXPECT_EQ(s.format(L"%d", L"oops"), -1);
    EXPECT_EQ(W(s), L"");
    EXPECT_EQ(s.cap, cap);
}

TEST(Str, Numbers) {
    for (auto [v, flags, want] :
         {std::tuple{999.5, 4, L"999.5"}, {1234567.25, 4, L"1,234,567.25"}, {1000.005, 4, L"1,000"},
          {-5000, 4, L"-5000"}, {1500, 8, L"1.5 K"}, {1000000, 8, L"1000 K"}, {2500000, 8, L"2.5 M"},
          {2500, 12, L"2,500"}, {1e300, 4, L"1e+300"}, {std::numeric_limits<double>::infinity(), 4, L"inf"}})
        EXPECT_EQ(W(num_to_str(v, flags)), want) << v << " flags " << flags;
    for (auto [n, group, want] :
         {std::tuple{-123456, false, L"-123456"}, {-1000, true, L"-1,000"}, {INT_MIN, true, L"-2,147,483,648"}})
        EXPECT_EQ(W(int_to_str_grouped(n, group)), want) << n;
}

TEST(Str, Utf8Conversions) {
    int n = -1;
    char* p = str_to_utf8(L"\u00e9!", &n);
    EXPECT_EQ(std::string(p) + std::to_string(n), "\xC3\xA9!3");  // the length counts bytes
    std::free(p);
    const wchar_t lone[] = {L'a', wchar_t(0xD800), 0};
    EXPECT_EQ(to_utf8_string(lone), "a\xEF\xBF\xBD");  // no "bad conversion" exception
}

}  // namespace
