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
    const wchar_t* rest;  // where the cursor is left
};

using reader_t = int (*)(const wchar_t**, Str*, const wchar_t*, int, wchar_t*);

template <size_t N>
void check(reader_t read, const read_case_t (&cases)[N]) {
    for (const auto& c : cases) {
        SCOPED_TRACE(to_utf8_string(c.text));
        const wchar_t* cur = c.text;
        Str out(L"old");
        wchar_t end = L'?';
        EXPECT_EQ(read(&cur, &out, L" >", 0, &end), c.result);
        EXPECT_STREQ(out.buf, c.out);
        EXPECT_EQ(end, c.end);
        EXPECT_STREQ(cur, c.rest);
    }
}

TEST(Tokens, ReadUntilAndReadValue) {
    const read_case_t until[] = {{L"abc def", 3, L"abc", L' ', L"def"}, {L"", 0, L"", 0, L""}};
    const read_case_t value[] = {
        {L"\"a b>c\" x", 5, L"a b>c", L' ', L"x"},  // quotes keep blanks and stops
        {L"[[say \"hi\" > 'x']]>t", 14, L"say \"hi\" > 'x'", L'>', L"t"},
        {L"\"\"tail>", 4, L"tail", L'>', L""},  // an empty quoted value is not taken
        {L"'end'", 3, L"end", 0, L""},
        {L"\"open", -1, L"open", L'?', L""},
        {L"[[open]", 7, L"[[open]", 0, L""},
    };
    check(read_until, until);
    check(read_value, value);
    const wchar_t* cur = L"abc";
    Str out;
    EXPECT_EQ(read_until(&cur, &out, L" ", TOK_NEED_STOP, nullptr), -1);
    cur = L"[[unclosed]";
    int len = 0;
    EXPECT_FALSE(read_bracketed(&cur, &out, &len));
    EXPECT_STREQ(cur, L"[[unclosed]");
}

TEST(Tokens, ReadPairAndList) {
    const struct { const wchar_t* text; int result; const wchar_t* key; const wchar_t* value; wchar_t end; } pairs[] = {
        {L"c=r>", 2, L"c", L"r", L'>'}, {L"b>", 1, L"b", L"", L'>'}, {L"=v>", 0, L"", L"", L'?'},
        {L"k=\"open", 0, L"k", L"open", L'?'},
    };
    for (const auto& c : pairs) {
        SCOPED_TRACE(to_utf8_string(c.text));
        const wchar_t* cur = c.text;
        Str k, v(L"stale");
        wchar_t end = L'?';
        EXPECT_EQ(read_pair_token(&cur, &k, &v, L'=', L" >", 0, &end), c.result);
        EXPECT_STREQ(k.buf, c.key);
        EXPECT_STREQ(v.buf, c.value);
        EXPECT_EQ(end, c.end);
    }

    const struct { const wchar_t* text; int flags; bool ok; std::vector<std::wstring> tokens; wchar_t end; } lists[] = {
        {L"a,b,,c>rest", 0, true, {L"a", L"b", L"", L"c"}, L'>'},
        {L"a,b", TOK_NEED_STOP, false, {L"a", L"b"}, 0},
    };
    for (const auto& c : lists) {
        SCOPED_TRACE(to_utf8_string(c.text));
        const wchar_t* cur = c.text;
        std::vector<Str> out{Str(L"old")};
        wchar_t end = L'?';
        EXPECT_EQ(read_token_list(&cur, &out, L',', L">", c.flags, &end), c.ok);
        EXPECT_EQ(std::vector<std::wstring>(out.begin(), out.end()), c.tokens);
        EXPECT_EQ(end, c.end);
    }
}

}  // namespace
