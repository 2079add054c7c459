// Typed names, and the random name of a new character (the names are read once; no texts are loaded here).
#include "rules/u_name.h"

#include <gtest/gtest.h>

TEST(UName, BlanksAreNoNameAndWithoutNamesTheRandomOneIsUnnamed) {
    EXPECT_FALSE(is_name_given(L"") || is_name_given(nullptr) || is_name_given(L" \t\x3000"));
    EXPECT_TRUE(is_name_given(L" 星 "));
    EXPECT_STREQ(rnd_u_name(), L"未命名");
}
