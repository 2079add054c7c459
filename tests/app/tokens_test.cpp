#include "app/tokens.h"

#include <gtest/gtest.h>

#include <string>

#include "app/str.h"

TEST(Tokens, ReadUntilAndReadValue) {
    using reader_t = int (*)(const wchar_t**, Str*, const wchar_t*, int, wchar_t*);
    // rest: where the cursor is left.
    const struct { reader_t read; const wchar_t *text, *out, *rest; int result; wchar_t end; } cases[] = {
        {read_until, L"abc def", L"abc", L"def", 3, L' '}, {read_until, L"", L"", L"", 0, 0},
        {read_value, L"\"a b>c\" x", L"a b>c", L"x", 5, L' '},  // quotes keep blanks and stops
        {read_value, L"[[say \"hi\" > 'x']]>t", L"say \"hi\" > 'x'", L"t", 14, L'>'},
        {read_value, L"\"\"tail>", L"tail", L"", 4, L'>'},  // an empty quoted value is not taken
        {read_value, L"'end'", L"end", L"", 3, 0}, {read_value, L"\"open", L"open", L"", -1, L'?'},
        {read_value, L"[[open]", L"[[open]", L"", 7, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(to_utf8_string(c.text));
        const wchar_t* cur = c.text;
        Str out(L"old");
        wchar_t end = L'?';
        EXPECT_EQ(c.read(&cur, &out, L" >", 0, &end), c.result);
        EXPECT_STREQ(out.buf, c.out);
        EXPECT_EQ(end, c.end);
        EXPECT_STREQ(cur, c.rest);
    }
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
        {L"a,b,,c>rest", 0, true, {L"a", L"b", L"", L"c"}, L'>'}, {L"a,b", TOK_NEED_STOP, false, {L"a", L"b"}, 0}};
    for (const auto& c : lists) {
        const wchar_t* cur = c.text;
        std::vector<Str> out{Str(L"old")};
        wchar_t end = L'?';
        EXPECT_EQ(read_token_list(&cur, &out, L',', L">", c.flags, &end), c.ok) << to_utf8_string(c.text);
        EXPECT_EQ(std::vector<std::wstring>(out.begin(), out.end()), c.tokens);
        EXPECT_EQ(end, c.end);
    }
}
