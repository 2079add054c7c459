#include "app/dir8.h"

#include <gtest/gtest.h>

namespace {

TEST(Dir8, IndexOfSteps) {
    struct {
        int dx, dy, expected;
    } cases[] = {{0, -1, 0}, {0, 1, 1}, {-1, 0, 2}, {1, 0, 3}, {-1, -1, 4},
                 {-1, 1, 5}, {1, -1, 6}, {1, 1, 7},  {0, 0, -1}, {2, 0, -1}};
    for (const auto& c : cases) EXPECT_EQ(dir8_index(c.dx, c.dy), c.expected) << c.dx << "," << c.dy;
}

TEST(Dir8, OppositesAndNeighboursAgreeWithTheSteps) {
    for (int i = 0; i < 8; ++i) {
        const dir8_t& d = dir8s[i];
        EXPECT_EQ(dir8_index(-d.dx, -d.dy), d.opp) << i;
        EXPECT_EQ(dir8s[d.opp].opp, i);
        const dir8_t& a = dir8s[d.nb1];
        const dir8_t& b = dir8s[d.nb2];
        if (d.dx == 0 || d.dy == 0) {
            // A straight direction's neighbours are the diagonals that contain it.
            for (const dir8_t* n : {&a, &b}) {
                EXPECT_TRUE(n->dx != 0 && n->dy != 0) << i;
                EXPECT_TRUE((d.dx && n->dx == d.dx) || (d.dy && n->dy == d.dy)) << i;
            }
        } else {
            // A diagonal's neighbours are its two straight parts.
            EXPECT_EQ(a.dx + b.dx, d.dx) << i;
            EXPECT_EQ(a.dy + b.dy, d.dy) << i;
        }
    }
    EXPECT_STREQ(dir8s[6].name, L"Up Right");
}

}  // namespace
