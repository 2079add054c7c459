#include "app/grid_find.h"

#include <gtest/gtest.h>

TEST(GridFind, CellsInRowOrderClippedToTheGrid) {
    grid_t<int> g;
    g.resize(4, 3);
    g.at(0, 0) = g.at(3, 0) = g.at(1, 1) = g.at(3, 2) = 1;
    const struct { rect r; std::vector<pt_t> expected; } cases[] = {
        {{1, 0, 3, 2}, {{3, 0}, {1, 1}}}, {{4, 0, 2, 2}, {}}, {{1, 1, -3, 2}, {}},
        {{-5, -5, 100, 100}, {{0, 0}, {3, 0}, {1, 1}, {3, 2}}},  // past every edge
    };
    for (const auto& c : cases) EXPECT_EQ(grid_find_cells(g, c.r, 1), c.expected) << c.r.x << "," << c.r.y;
    EXPECT_TRUE(grid_find_cells(grid_t<int>{}, {0, 0, 5, 5}, 0).empty());
}
