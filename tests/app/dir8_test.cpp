#include "app/dir8.h"

#include <gtest/gtest.h>

TEST(Dir8, RowsAgreeWithTheirSteps) {
    EXPECT_EQ(dir8_index(1, -1), 6);
    EXPECT_EQ(dir8_index(0, 0), -1);
    EXPECT_EQ(dir8_index(2, 0), -1);
    for (int i = 0; i < 8; ++i) {
        const dir8_t &d = dir8s[i], &a = dir8s[d.nb1], &b = dir8s[d.nb2];
        EXPECT_EQ(dir8_index(d.dx, d.dy), i);
        EXPECT_EQ(dir8_index(-d.dx, -d.dy), d.opp) << i;
        if (d.dx && d.dy) {  // a diagonal: its two straight parts
            EXPECT_TRUE(a.dx + b.dx == d.dx && a.dy + b.dy == d.dy) << i;
        } else {  // straight: the two diagonals that contain it
            EXPECT_TRUE(a.dx && a.dy && b.dx && b.dy) << i;
            EXPECT_TRUE(d.dx ? a.dx == d.dx && b.dx == d.dx : a.dy == d.dy && b.dy == d.dy) << i;
        }
    }
}
