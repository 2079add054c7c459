#include "app/str.h"

#include <gtest/gtest.h>

#include <climits>
#include <cmath>
#include <cstdlib>
#include <functional>
#include <limits>
#include <map>
#include <stdexcept>

namespace {

std::wstring W(const Str& s) { return s.buf; }

// Runs one edit on a fresh copy of `start` and reports the text it leaves.
struct edit_row_t {
    const wchar_t* start;
    std::function<void(Str&)> edit;
    const wchar_t* want;
};

void check_edits(const std::vector<edit_row_t>& rows) {
    for (size_t i = 0; i < rows.size(); ++i) {
        Str s(rows[i].start);
        const int cap = s.cap;
        rows[i].edit(s);
        EXPECT_EQ(W(s), rows[i].want) << "row " << i;
        EXPECT_GE(s.cap, cap) << "row " << i << ": capacity shrank";
    }
}

TEST(Str, CapacityRules) {
    EXPECT_EQ(Str().cap, 4);
    EXPECT_EQ(Str(10).cap, 10);
    EXPECT_EQ(Str(0).cap, 1);  // always room for the terminator
    EXPECT_EQ(Str(Str(L"a")).cap, 4);
    EXPECT_EQ(Str(Str(L"abcdefghi")).cap, 10);
    EXPECT_EQ(Str(L"%d", 123456).cap, 7);

    Str s(L"ab");
    ASSERT_EQ(s.cap, 4);
    s.append(L"cde");
    EXPECT_EQ(s.cap, 6);  // exactly what is needed, no doubling
    s.append_char(L'f');
    EXPECT_EQ(s.cap, 7);
    s.erase(1, 2);
    EXPECT_EQ(s.cap, 7);  // shortening never shrinks
    s.reserve(3);
    EXPECT_EQ(s.cap, 7);
    s.reserve(20);
    EXPECT_EQ(s.cap, 20);
    EXPECT_EQ(W(s), L"adef");
    EXPECT_EQ((Str(L"ab") + L"cde").cap, 6);
}

TEST(Str, ConstructionAndAssignment) {
    const wchar_t* null_w = nullptr;
    EXPECT_EQ(W(Str(null_w)), L"");
    EXPECT_EQ(W(Str("%s-%d", L"x", 3)), L"x-3");  // %s in a narrow format is wide text
    EXPECT_EQ(W(Str("100%%")), L"100%");

    Str s(L"abcdef");
    s.assign(s.buf + 2);  // a source inside the buffer
    EXPECT_EQ(W(s), L"cdef");
    s = s;
    EXPECT_EQ(W(s), L"cdef");
    s.assign(null_w);
    EXPECT_EQ(W(s), L"");
    EXPECT_EQ(s.cap, 7);
    s.assign_a("caf\xC3\xA9");
    EXPECT_EQ(W(s), L"caf\u00e9");
    s.assign_a(nullptr);
    EXPECT_EQ(W(s), L"");

    Str moved(std::move(s));
    EXPECT_EQ(s.buf[0], 0);  // the moved-from text is empty and still usable
    s.append(L"again");
    EXPECT_EQ(W(s), L"again");
    moved = std::move(s);
    EXPECT_EQ(W(moved), L"again");
}

TEST(Str, AssignSubAndAssignN) {
    check_edits({
        {L"", [](Str& s) { s.assign_sub(L"abcdef", 1, 3); }, L"bcd"},
        {L"", [](Str& s) { s.assign_sub(L"abcdef", 4, 10); }, L"ef"},
        {L"", [](Str& s) { s.assign_sub(L"abcdef", 10, 2); }, L""},  // start past the source
        {L"", [](Str& s) { s.assign_sub(L"abcdef", -2, 3); }, L"abc"},
        {L"xy", [](Str& s) { s.assign_sub(L"abcdef", 1, -1); }, L""},
        {L"xy", [](Str& s) { s.assign_sub(nullptr, 0, 3); }, L""},
        {L"abcdef", [](Str& s) { s.assign_sub(s.buf, 2, 3); }, L"cde"},
        {L"q", [](Str& s) { s.assign_n(L'x', 3); }, L"xxx"},
        {L"q", [](Str& s) { s.assign_n(L'x', 0); }, L""},
    });
    Str s;
    s.assign_sub(L"abcdef", 1, 2);
    EXPECT_EQ(s.cap, 7);  // grows to the whole source, as it always did
    Str n;
    n.assign_n(L'z', 5);
    EXPECT_EQ(n.cap, 6);
}

TEST(Str, AppendAndPrepend) {
    const char* null_n = nullptr;
    check_edits({
        {L"ab", [](Str& s) { s.append("c\xC3\xA9"); }, L"abc\u00e9"},
        {L"ab", [null_n](Str& s) { s.append(null_n); }, L"ab"},
        {L"ab", [](Str& s) { s.append_ch('c').append_ch('\xE9'); }, L"abc\uFFFD"},
        {L"ab", [](Str& s) { s.append_n(L'-', 3).append_n(L'+', -1); }, L"ab---"},
        {L"abc", [](Str& s) { s.append(s.buf); }, L"abcabc"},  // the source moves as the buffer grows
        {L"abc", [](Str& s) { s.append(s.buf + 1); }, L"abcbc"},
        {L"n=", [](Str& s) { s.append_format(L"%d/%s", 3, L"x"); }, L"n=3/x"},
        {L"n=", [](Str& s) { s.append_format("%03d", 7); }, L"n=007"},
        {L"tail", [](Str& s) { s.prepend(Str(L"head-")); }, L"head-tail"},
        {L"ab", [](Str& s) { s.prepend(s); }, L"abab"},
        {L"x", [](Str& s) { s.prepend_format("%d-", 5); }, L"5-x"},
        {L"a", [](Str& s) { s += L"b"; s += L'c'; }, L"abc"},
    });
    EXPECT_EQ(W(Str::from_ch('A')), L"A");
    EXPECT_EQ(W(Str::from_ch('\xE9')), L"\uFFFD");
    EXPECT_EQ(W(Str::from_a(nullptr)), L"");
    EXPECT_EQ(W(Str::from_a("\xC0\xAF")), L"\uFFFD\uFFFD");
}

TEST(Str, Insert) {
    check_edits({
        {L"abc", [](Str& s) { s.insert(L"xy", 1); }, L"axybc"},
        {L"abc", [](Str& s) { s.insert(L"xy", 3); }, L"abcxy"},
        {L"abc", [](Str& s) { s.insert(L"xy", 9); }, L"abcxy"},
        {L"abc", [](Str& s) { s.insert(L"xy", 0); }, L"xyabc"},
        {L"abc", [](Str& s) { s.insert(L"xy", -4); }, L"xyabc"},
        {L"abc", [](Str& s) { s.insert(L"", 1); }, L"abc"},
        {L"abc", [](Str& s) { s.insert(nullptr, 1); }, L"abc"},
        {L"abc", [](Str& s) { s.insert(s.buf, 1); }, L"aabcbc"},
    });
}

TEST(Str, EraseAndDrop) {
    check_edits({
        {L"abcdef", [](Str& s) { s.erase(2, 10); }, L"ab"},
        {L"abcdef", [](Str& s) { s.erase(1, 2); }, L"adef"},
        {L"abcdef", [](Str& s) { s.erase(4, 2); }, L"abcd"},
        {L"abcdef", [](Str& s) { s.erase(0, 6); }, L""},
        {L"abcdef", [](Str& s) { s.erase(6, 1); }, L"abcdef"},
        {L"abcdef", [](Str& s) { s.erase(100, 2); }, L"abcdef"},  // used to write past the buffer
        {L"abcdef", [](Str& s) { s.erase(1, 0); }, L"abcdef"},
        {L"abcdef", [](Str& s) { s.erase(1, -3); }, L"abcdef"},
        {L"abcdef", [](Str& s) { s.erase(-1, 2); }, L"cdef"},
        {L"abcdef", [](Str& s) { s.drop_front(2); }, L"cdef"},
        {L"abcdef", [](Str& s) { s.drop_front(6); }, L""},
        {L"abcdef", [](Str& s) { s.drop_front(0).drop_front(-2); }, L"abcdef"},
        {L"abc", [](Str& s) { s.drop_back(7); }, L""},
        {L"abc", [](Str& s) { s.drop_back(3); }, L""},
        {L"abc", [](Str& s) { s.drop_back(1); }, L"ab"},
        {L"abc", [](Str& s) { s.drop_back(0).drop_back(-2); }, L"abc"},
    });
}

TEST(Str, CutAfter) {
    Str s(9);
    s.assign(L"abcdefgh");
    s.cut_after(3);
    EXPECT_EQ(W(s), L"abcd");
    Str small(L"abc");
    ASSERT_EQ(small.cap, 4);
    small.cut_after(3);
    small.cut_after(2);  // cap 4 is not greater than 4
    EXPECT_EQ(W(small), L"abc");
    small.cut_after(1);
    EXPECT_EQ(W(small), L"ab");
    s.cut_after(-5);
    EXPECT_EQ(W(s), L"");
}

TEST(Str, MidLeftAndAtFromEnd) {
    const Str s(L"abc");
    struct row_t {
        int start, count;
        const wchar_t* want;
    };
    const row_t rows[] = {{5, 2, L""}, {0, 0, L""}, {1, 1, L"b"}, {1, 10, L"bc"}, {-1, 2, L""}, {3, 1, L""}, {0, 3, L"abc"}};
    for (const auto& r : rows) EXPECT_EQ(W(s.mid(r.start, r.count)), r.want) << r.start << "," << r.count;
    EXPECT_EQ(W(s.left(2)), L"ab");
    EXPECT_EQ(W(s.left(0)), L"");
    EXPECT_EQ(s.at_from_end(0), L'c');
    EXPECT_EQ(s.at_from_end(2), L'a');
    EXPECT_EQ(s.at_from_end(3), 0);  // out of range reads nothing
}

TEST(Str, Concatenation) {
    const Str a(L"ab");
    EXPECT_EQ(W(a + L'c'), L"abc");
    EXPECT_EQ(W(a + Str(L"cd")), L"abcd");
    EXPECT_EQ(W(a + L"cd"), L"abcd");
    EXPECT_EQ(W(a + "\xC3\xA9"), L"ab\u00e9");
    EXPECT_EQ(W(a.plus_a("x")), L"abx");
    EXPECT_EQ(W(a.plus_int(-12)), L"ab-12");
    EXPECT_EQ(W(L"<" + a), L"<ab");
    EXPECT_EQ(W(a), L"ab");
}

TEST(Str, Comparison) {
    const wchar_t* null_w = nullptr;
    EXPECT_TRUE(Str(L"abc") == Str(L"abc"));
    EXPECT_FALSE(Str(L"abc") == Str(L"abcd"));
    EXPECT_FALSE(Str(L"abc") == Str(L"abC"));
    EXPECT_TRUE(Str(L"abc") == L"abc");
    EXPECT_FALSE(Str(L"abc") == L"ab");
    EXPECT_TRUE(Str() == null_w);
    EXPECT_TRUE(Str(L"abc") != L"abd");

    EXPECT_TRUE(Str(L"B") < Str(L"a"));  // case-sensitive code order
    EXPECT_TRUE(Str(L"ab") < Str(L"abc"));
    EXPECT_FALSE(Str(L"abc") < Str(L"abc"));
    EXPECT_TRUE(Str(L"\uFFFD") < Str(L"\U0001F600"));
    std::map<Str, int> m{{Str(L"b"), 1}, {Str(L"a"), 2}, {Str(L"B"), 3}};
    std::wstring order;
    for (const auto& [k, v] : m) order += k.buf;
    EXPECT_EQ(order, L"Bab");
}

TEST(Str, Format) {
    Str s(L"abc");
    EXPECT_EQ(s.format(L"<%s>", s), 5);  // the argument may be the Str itself
    EXPECT_EQ(W(s), L"<abc>");
    EXPECT_EQ(s.format(s.buf), 5);
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

TEST(Str, NumToStr) {
    struct row_t {
        double v;
        int flags;
        const wchar_t* want;
    };
    const row_t rows[] = {
        {999.5, 4, L"999.5"},        {1000, 4, L"1,000"},          {2500000, 8, L"2.5 M"},
        {1000, 8, L"1000"},          {1500, 8, L"1.5 K"},          {1000000, 8, L"1000 K"},
        {1234567.25, 4, L"1,234,567.25"}, {1234.5, 4, L"1,234.5"}, {-5000, 4, L"-5000"},
        {1000000, 4, L"1,000,000"},  {1000.005, 4, L"1,000"},      {1002003004, 4, L"1,002,003,004"},
        {12.5, 0, L"12.5"},          {1e7, 0, L"1e+07"},           {2500, 12, L"2,500"},
        {std::numeric_limits<double>::infinity(), 4, L"inf"},     {std::nan(""), 4, L"nan"},
        {1e300, 4, L"1e+300"},
    };
    for (const auto& r : rows) EXPECT_EQ(W(num_to_str(r.v, r.flags)), r.want) << r.v << " flags " << r.flags;
}

TEST(Str, IntToStr) {
    struct row_t {
        int n;
        bool group;
        const wchar_t* want;
    };
    const row_t rows[] = {
        {1234567, true, L"1,234,567"}, {-123456, true, L"-123,456"}, {-123456, false, L"-123456"},
        {0, true, L"0"},               {999, true, L"999"},          {1000, true, L"1,000"},
        {-1000, true, L"-1,000"},      {INT_MIN, true, L"-2,147,483,648"},
    };
    for (const auto& r : rows) EXPECT_EQ(W(int_to_str_grouped(r.n, r.group)), r.want) << r.n;
    EXPECT_EQ(W(int_to_str(-7)), L"-7");
}

TEST(Str, Utf8Conversions) {
    EXPECT_EQ(W(utf8_to_str("\xE2\x82\xAC\xF0\x9F\x98\x80")), L"\u20ac\U0001F600");
    EXPECT_EQ(W(utf8_to_str(nullptr)), L"");

    int n = -1;
    char* p = str_to_utf8(L"\u00e9!", &n);
    EXPECT_STREQ(p, "\xC3\xA9!");
    EXPECT_EQ(n, 3);
    std::free(p);
    p = str_to_utf8(nullptr, nullptr);
    EXPECT_STREQ(p, "");
    std::free(p);

    const wchar_t lone[] = {L'a', wchar_t(0xD800), 0};
    EXPECT_EQ(to_utf8_string(lone), "a\xEF\xBF\xBD");  // no "bad conversion" exception
    EXPECT_EQ(to_utf8_string(nullptr), "");
}

}  // namespace
