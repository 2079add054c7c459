#include "app/num_parse.h"

#include <gtest/gtest.h>

#include <climits>
#include <tuple>

TEST(NumParse, ExactDigitCountsThatFit) {
    for (auto [s, n, ok, want] : {std::tuple{L"12ab", 2, true, 12}, {L"1-2", 3, false, 0}, {L"12", -1, false, 0},
                                  {L"2147483647", 10, true, INT_MAX}, {L"2147483648", 10, false, 0}}) {
        int v = -7;
        EXPECT_EQ(parse_int_n(s, n, &v), ok) << s;
        EXPECT_EQ(v, ok ? want : -7) << s;
    }
    unsigned h = 0;
    EXPECT_TRUE(parse_hex_n(L"ffFFFFFF", 8, &h) && h == 0xffffffffu);
    EXPECT_FALSE(parse_hex_n(L"1FFFFFFFF", 9, &h) || parse_hex_n(L"fg", 2, &h));
}
