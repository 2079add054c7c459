#include "app/str_pool.h"

#include <gtest/gtest.h>

#include "app/str.h"

TEST(StrPool, CopiesStayPutAsThePoolGrows) {
    str_pool_t pool;
    EXPECT_EQ(pool.add(L""), nullptr);
    Str src(L"link");
    const wchar_t* a = pool.add(src);
    src.set_at(0, L'X');
    for (int i = 0; i < 100; ++i) pool.add(L"more");  // growth must not move earlier texts
    EXPECT_STREQ(a, L"link");
}
