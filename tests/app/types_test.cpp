#include "app/types.h"

#include <gtest/gtest.h>

TEST(Rect, ContainsIsInclusiveOfTheLastCell) {
    rect r{2, 3, 4, 5};
    EXPECT_TRUE(r.contains(2, 3));
    EXPECT_TRUE(r.contains(5, 7));
    EXPECT_FALSE(r.contains(6, 7));
    EXPECT_FALSE(r.contains(5, 8));
    EXPECT_FALSE(rect{}.contains(0, 0));
}

TEST(Grid, ResizeKeepsCellsAndFillsNewOnes) {
    grid_t<int> g;
    g.resize(2, 2, 7);
    g.at(1, 1) = 3;
    g.resize(3, 3);
    EXPECT_EQ(g.at(1, 1), 3);
    EXPECT_EQ(g.at(2, 2), 0);
    EXPECT_EQ(g.at(0, 0), 7);
    EXPECT_EQ(g.width, 3);
    EXPECT_FALSE(g.in(3, 0));
}

TEST(Colour, ByteOrderIsArgb) {
    clr_t c(0x80112233u);
    EXPECT_EQ(c.a(), 0x80);
    EXPECT_EQ(c.r(), 0x11);
    EXPECT_EQ(c.g(), 0x22);
    EXPECT_EQ(c.b(), 0x33);
}
