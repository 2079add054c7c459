#include "app/types.h"

#include <gtest/gtest.h>

#include <array>

TEST(Types, RectContainsItsLastCellOnly) {
    const rect r{2, 3, 4, 5};
    EXPECT_TRUE(r.contains(2, 3) && r.contains(5, 7));
    EXPECT_FALSE(r.contains(6, 7) || r.contains(5, 8) || rect{}.contains(0, 0));
}

TEST(Types, GridResizeKeepsCellsAndFillsNewOnes) {
    grid_t<int> g;
    g.resize(2, 2, 7);
    g.at(1, 1) = 3;
    g.resize(3, 3);
    EXPECT_EQ((std::array{g.at(0, 0), g.at(1, 1), g.at(2, 2)}), (std::array{7, 3, 0}));
    EXPECT_FALSE(g.in(3, 0));
}
