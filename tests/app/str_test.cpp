#include "app/str.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstdlib>
#include <functional>
#include <limits>
#include <stdexcept>
#include <tuple>

namespace {

std::wstring W(const Str& s) { return s.buf; }

struct edit_t {
    const wchar_t* start;
    std::function<void(Str&)> edit;
    const wchar_t* want;
};

// Each edit runs on a fresh Str; none may shrink its buffer.
void check_edits(const std::vector<edit_t>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        Str s(rows[i].start);
        const int cap = s.cap;
        rows[i].edit(s);
        EXPECT_EQ(W(s), rows[i].want) << "row " << i;
        EXPECT_GE(s.cap, cap) << "row " << i;
    }
}

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
    s.reserve(20);
    EXPECT_EQ(s.cap, 20);
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
    s.assign_a("caf\xC3\xA9");
    EXPECT_EQ(W(s), L"caf\u00e9");
    Str moved(std::move(s));
    s.append(L"again");  // the moved-from text is still usable
    moved = std::move(s);
    EXPECT_EQ(W(moved), L"again");
}

TEST(Str, EditsClampTheirArgumentsAndMayReadTheirOwnBuffer) {
    check_edits({
        {L"", [](Str& s) { s.assign_sub(L"abcdef", 4, 10); }, L"ef"},
        {L"", [](Str& s) { s.assign_sub(L"abcdef", 10, 2); }, L""},
        {L"", [](Str& s) { s.assign_sub(L"abcdef", -2, 3); }, L"abc"},
        {L"xy", [](Str& s) { s.assign_sub(L"abcdef", 1, -1); }, L""},
        {L"abcdef", [](Str& s) { s.assign_sub(s.buf, 2, 3); }, L"cde"},
        {L"q", [](Str& s) { s.assign_n(L'x', 3); }, L"xxx"},
        {L"ab", [](Str& s) { s.append("c\xC3\xA9"); }, L"abc\u00e9"},
        {L"ab", [](Str& s) { s.append_ch('c').append_ch('\xE9'); }, L"abc\uFFFD"},
        {L"ab", [](Str& s) { s.append_n(L'-', 3).append_n(L'+', -1); }, L"ab---"},
        {L"abc", [](Str& s) { s.append(s.buf + 1); }, L"abcbc"},
        {L"n=", [](Str& s) { s.append_format(L"%d/", 3).append_format("%03d", 7); }, L"n=3/007"},
        {L"ab", [](Str& s) { s.prepend(s); }, L"abab"},
        {L"abc", [](Str& s) { s.insert(L"xy", 9); }, L"abcxy"},
        {L"abc", [](Str& s) { s.insert(L"xy", -4); }, L"xyabc"},
        {L"abc", [](Str& s) { s.insert(nullptr, 1); }, L"abc"},
        {L"abc", [](Str& s) { s.insert(s.buf, 1); }, L"aabcbc"},
        {L"abcdef", [](Str& s) { s.erase(1, 2); }, L"adef"},
        {L"abcdef", [](Str& s) { s.erase(2, 10); }, L"ab"},
        {L"abcdef", [](Str& s) { s.erase(100, 2); }, L"abcdef"},  // used to write past the buffer
        {L"abcdef", [](Str& s) { s.erase(1, -3); }, L"abcdef"},
        {L"abcdef", [](Str& s) { s.erase(-1, 2); }, L"cdef"},
        {L"abcdef", [](Str& s) { s.drop_front(-2).drop_front(2); }, L"cdef"},
        {L"abc", [](Str& s) { s.drop_back(7); }, L""},
        {L"abc", [](Str& s) { s.drop_back(-2).drop_back(1); }, L"ab"},
        {L"abc", [](Str& s) { s.cut_after(3); }, L"abc"},  // cap 4 leaves no room to cut
        {L"abc", [](Str& s) { s.cut_after(1); }, L"ab"},
        {L"abc", [](Str& s) { s.cut_after(-5); }, L""},
        {L"abc", [](Str& s) { s = s.mid(1, 1); }, L"b"},
        {L"abc", [](Str& s) { s = s.mid(1, 10); }, L"bc"},
        {L"abc", [](Str& s) { s = s.mid(5, 2); }, L""},
        {L"abc", [](Str& s) { s = s.mid(-1, 2); }, L""},
    });
    EXPECT_EQ(W(Str::from_ch('\xE9')), L"\uFFFD");
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
    const char* null_n = nullptr;
    EXPECT_EQ(s.format(null_n), -1);
    EXPECT_EQ(s.format("%S and %s", "n", L"w"), 7);
    EXPECT_EQ(W(s), L"n and w");
    EXPECT_THROW(s.format(L"%d", 1, 2), std::invalid_argument);
}

TEST(Str, Numbers) {
    for (auto [v, flags, want] :
         {std::tuple{999.5, 4, L"999.5"}, {1000, 4, L"1,000"}, {1234567.25, 4, L"1,234,567.25"}, {1000.005, 4, L"1,000"},
          {-5000, 4, L"-5000"}, {1002003004, 4, L"1,002,003,004"}, {1000, 8, L"1000"}, {1500, 8, L"1.5 K"},
          {1000000, 8, L"1000 K"}, {2500000, 8, L"2.5 M"}, {2500, 12, L"2,500"}, {12.5, 0, L"12.5"},
          {1e300, 4, L"1e+300"}, {std::numeric_limits<double>::infinity(), 4, L"inf"}})
        EXPECT_EQ(W(num_to_str(v, flags)), want) << v << " flags " << flags;
    for (auto [n, group, want] : {std::tuple{1234567, true, L"1,234,567"}, {-123456, false, L"-123456"},
                                  {999, true, L"999"}, {-1000, true, L"-1,000"}, {INT_MIN, true, L"-2,147,483,648"}})
        EXPECT_EQ(W(int_to_str_grouped(n, group)), want) << n;
}

TEST(Str, Utf8Conversions) {
    EXPECT_EQ(W(utf8_to_str("\xE2\x82\xAC\xF0\x9F\x98\x80")), L"\u20ac\U0001F600");
    EXPECT_EQ(W(utf8_to_str(nullptr)), L"");
    int n = -1;
    char* p = str_to_utf8(L"\u00e9!", &n);
    EXPECT_STREQ(p, "\xC3\xA9!");
    EXPECT_EQ(n, 3);
    std::free(p);
    const wchar_t lone[] = {L'a', wchar_t(0xD800), 0};
    EXPECT_EQ(to_utf8_string(lone), "a\xEF\xBF\xBD");  // no "bad conversion" exception
    EXPECT_EQ(to_utf8_string(nullptr), "");
}

}  // namespace
