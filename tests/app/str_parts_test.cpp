#include "app/str_parts.h"

#include <gtest/gtest.h>

#include <tuple>

#include "support/str_list.h"

TEST(StrParts, FindSplitAndTrim) {
    EXPECT_EQ(str_find_chr(L"abcabc", L'a', 1), 3);
    EXPECT_EQ(str_find_chr(L"abc", L'a', -1), -1);  // would read before the text
    for (auto [text, sep, parts] : {std::tuple{L"a,,b,", L",", L"a||b||"}, {L"", L",", L""},
                                    {L"a::b:c", L"::", L"a|b:c|"}, {L"ab", L"", L"ab|"}})
        EXPECT_EQ(joined(str_split(text, sep)), parts) << text;
    Str s(L"\u3000 x \t");
    str_trim_left(s.buf);
    str_trim_right(s.buf);
    EXPECT_STREQ(s.c_str(), L"x");
}
