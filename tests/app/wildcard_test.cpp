#include "app/wildcard.h"

#include <gtest/gtest.h>

#include <tuple>

TEST(Wildcard, StarsQuestionMarksAndLists) {
    for (auto [name, pats, cs, want] :
         {std::tuple{L"Portrait.PNG", L"*.png;*.jpg", false, true}, {L"Portrait.PNG", L"*.png;*.jpg", true, false},
          {L"ab", L"?b?", false, false}, {L"", L"*", false, true}, {L"", L"", false, false},
          {L"a", L";;a", false, true}, {L"abbbd", L"a*c", false, false}, {L"mississippi", L"m*iss*ppi", true, true},
          {L"pc01.sav", L"pc??.sav", true, true}, {L"pc1.sav", L"pc??.sav", true, false},
          {L"aaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaaa", L"*a*a*a*a*a*a*a*a*a*a*b", false, false}})
        EXPECT_EQ(match_wildcards(name, pats, cs), want) << name << " ~ " << pats;
    EXPECT_TRUE(match_wildcard(L"x;y", L"x;y", true));  // one pattern is not split
    EXPECT_FALSE(match_wildcard(L"x", nullptr, true) || match_wildcards(L"x", nullptr, true));
}
