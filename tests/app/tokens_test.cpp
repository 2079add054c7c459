#include "app/tokens.h"

#include <gtest/gtest.h>

#include <string>

#include "app/str.h"

namespace {

struct read_case_t {
    const wchar_t* text;
    int result;
    const wchar_t* out;
    wchar_t end;
    const wchar_t* rest;  // what the cursor is left on
};

TEST(Tokens, ReadUntil) {
    const read_case_t cases[] = {
        {L"abc def", 3, L"abc", L' ', L"def"},
        {L"abc", 3, L"abc", 0, L""},
        {L" x", 0, L"", L' ', L"x"},
        {L"", 0, L"", 0, L""},
    };
    for (const auto& c : cases) {
        const wchar_t* cur = c.text;
        Str out(L"old");
        wchar_t end = L'?';
        EXPECT_EQ(read_until(&cur, &out, L" >", 0, &end), c.result) << c.text;
        EXPECT_STREQ(out.buf, c.out);
        EXPECT_EQ(end, c.end);
        EXPECT_STREQ(cur, c.rest);
    }
    const wchar_t* cur = L"abc";
    Str out;
    EXPECT_EQ(read_until(&cur, &out, L" ", TOK_NEED_STOP, nullptr), -1);
}

TEST(Tokens, QuotedPredicateAndBracketed) {
    const wchar_t* cur = L"ab'c";
    Str out;
    EXPECT_EQ(read_quoted(&cur, &out, L'\''), 2);
    EXPECT_STREQ(cur, L"c");
    cur = L"open";
    EXPECT_EQ(read_quoted(&cur, &out, L'\''), -1);
    EXPECT_STREQ(cur, L"");  // left on the end, never past it

    cur = L"xy|z";
    EXPECT_EQ(read_until_pred(&cur, &out, [](const wchar_t* p) { return *p == L'|'; }), 2);
    EXPECT_STREQ(cur, L"|z");

    int len = 0;
    cur = L"[[a]b\"]]rest";
    EXPECT_TRUE(read_bracketed(&cur, &out, &len));
    EXPECT_STREQ(out.buf, L"a]b\"");
    EXPECT_EQ(len, 4);
    EXPECT_STREQ(cur, L"rest");
    for (const wchar_t* bad : {L"[x]]", L"[[unclosed]", L""}) {
        cur = bad;
        EXPECT_FALSE(read_bracketed(&cur, &out, &len)) << bad;
        EXPECT_EQ(cur, bad);
    }
}

TEST(Tokens, ReadValue) {
    const read_case_t cases[] = {
        {L"\"a b>c\" x", 5, L"a b>c", L' ', L"x"},  // quotes keep blanks and stops
        {L"'it'>", 2, L"it", L'>', L""},
        {L"[[say \"hi\" > 'x']]>t", 14, L"say \"hi\" > 'x'", L'>', L"t"},
        {L"\"\"tail>", 4, L"tail", L'>', L""},  // an empty quoted value is not taken
        {L"plain>", 5, L"plain", L'>', L""},
        {L"\"end\"", 3, L"end", 0, L""},
        {L"\"open", -1, L"open", L'?', L""},
    };
    for (const auto& c : cases) {
        const wchar_t* cur = c.text;
        Str out;
        wchar_t end = L'?';
        EXPECT_EQ(read_value(&cur, &out, L" >", 0, &end), c.result) << c.text;
        EXPECT_STREQ(out.buf, c.out) << c.text;
        EXPECT_EQ(end, c.end) << c.text;
        EXPECT_STREQ(cur, c.rest) << c.text;
    }
}

TEST(Tokens, ReadPairToken) {
    struct {
        const wchar_t* text;
        int result;
        const wchar_t* key;
        const wchar_t* value;
        wchar_t end;
    } cases[] = {
        {L"c=r>", 2, L"c", L"r", L'>'},
        {L"b>", 1, L"b", L"", L'>'},
        {L"t=\"a b\" x", 2, L"t", L"a b", L' '},
        {L"=v>", 0, L"", L"", L'?'},
        {L"k=\"open", 0, L"k", L"open", L'?'},
    };
    for (const auto& c : cases) {
        const wchar_t* cur = c.text;
        Str k, v(L"stale");
        wchar_t end = L'?';
        EXPECT_EQ(read_pair_token(&cur, &k, &v, L'=', L" >", 0, &end), c.result) << c.text;
        EXPECT_STREQ(k.buf, c.key) << c.text;
        EXPECT_STREQ(v.buf, c.value) << c.text;
        EXPECT_EQ(end, c.end) << c.text;
    }
}

TEST(Tokens, ReadTokenList) {
    struct {
        const wchar_t* text;
        int flags;
        bool result;
        std::vector<std::wstring> tokens;
        wchar_t end;
    } cases[] = {
        {L"a,b,,c>rest", 0, true, {L"a", L"b", L"", L"c"}, L'>'},
        {L"a,b", 0, true, {L"a", L"b"}, 0},
        {L"a,b", TOK_NEED_STOP, false, {L"a", L"b"}, 0},
        {L">", 0, true, {L""}, L'>'},
    };
    for (const auto& c : cases) {
        const wchar_t* cur = c.text;
        std::vector<Str> out{Str(L"old")};
        wchar_t end = L'?';
        EXPECT_EQ(read_token_list(&cur, &out, L',', L">", c.flags, &end), c.result) << c.text;
        std::vector<std::wstring> got;
        for (const Str& s : out) got.push_back(s.buf);
        EXPECT_EQ(got, c.tokens) << c.text;
        EXPECT_EQ(end, c.end) << c.text;
    }
}

}  // namespace
