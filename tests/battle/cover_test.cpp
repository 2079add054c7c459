#include "battle/cover.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/rnd.h"
#include "battle/map_art.h"

namespace {

struct cover_map_t {
    tmap_t m;
    explicit cover_map_t(const std::vector<std::string>& rows) { draw_map(m, rows); }
    int best(int ax, int ay, int bx, int by) { return cover_level(prep_sight(m), ax, ay, bx, by, false); }
    int mixed(int ax, int ay, int bx, int by) { return cover_level(prep_sight(m), ax, ay, bx, by, true); }
};

}  // namespace

TEST(Cover, NeighboursSeeEachOtherUnlessADiagonalIsBoxedIn) {
    cover_map_t c(open_rows(3, 3));
    for (int x = 0; x < 3; ++x)
        for (int y = 0; y < 3; ++y) EXPECT_EQ(c.best(1, 1, x, y), 0) << x << "," << y;
    cover_map_t one({
        ".#",
        "..",
    });
    EXPECT_EQ(one.best(0, 0, 1, 1), 0);
    EXPECT_EQ(one.best(1, 1, 0, 0), 0);
    // Mixed mode counts the source corner whose beam the wall cuts.
    EXPECT_EQ(one.mixed(1, 1, 0, 0), 1);
    cover_map_t two({
        ".#",
        "#.",
    });
    EXPECT_EQ(two.best(0, 0, 1, 1), 3);
    EXPECT_EQ(two.mixed(1, 1, 0, 0), 3);
}

TEST(Cover, StraightLinesAreClearOrBlocked) {
    cover_map_t c({
        ".#...",
        "...#.",
        ".....",
        ".....",
    });
    EXPECT_EQ(c.best(0, 1, 4, 1), 3);  // the wall lies between
    EXPECT_EQ(c.mixed(4, 1, 0, 1), 3);
    EXPECT_EQ(c.best(0, 2, 4, 2), 0);  // the wall lies beside the row
    EXPECT_EQ(c.best(1, 1, 1, 3), 0);
    EXPECT_EQ(c.best(3, 0, 3, 3), 3);
    EXPECT_EQ(c.best(3, 2, 3, 0), 3);
    EXPECT_TRUE(col_has_block(prep_sight(c.m), 3, 1, 1));
    EXPECT_FALSE(col_has_block(prep_sight(c.m), 3, 2, 3));
    EXPECT_FALSE(col_has_block(prep_sight(c.m), 3, 1, 0));  // an empty span
    EXPECT_TRUE(row_has_block(prep_sight(c.m), 0, 0, 4));
    EXPECT_FALSE(row_has_block(prep_sight(c.m), 0, 2, 4));
}

TEST(Cover, AWallCoversByTheShareOfBeamsItCutsNotCountingTheTargetCell) {
    const std::vector<std::string> wall_between = {"..#..", "..#..", "..#..", "..#..", "..#.."};
    const struct {
        const char* what;
        std::vector<std::string> map;
        int ax, ay, bx, by;
        int best, mixed;  // -1: not asked
    } cases[] = {
        // From (2, 1) the wall hides (0, 0) from three corners; from (2, 2) and
        // (3, 2) it hides two thirds and three quarters of it.
        {"past a wall's corner", {".#.", "..."}, 2, 1, 0, 0, 1, 1},
        // The column beside the source is walled, and the best corner, (2, 4),
        // sees only a fifth of the target past the wall at (1, 1).
        {"improved cover", {"..", ".#", "..", "#."}, 1, 3, 0, 0, 2, 1},
        {"every beam cut", wall_between, 0, 0, 4, 3, 3, -1},
        {"every beam cut, mixed", wall_between, 0, 4, 4, 1, -1, 3},
        {"a wall on the target's own cell", {"....", "....", "...#"}, 0, 0, 3, 2, 0, 0},
    };
    for (const auto& c : cases) {
        cover_map_t m(c.map);
        if (c.best >= 0) {
            EXPECT_EQ(m.best(c.ax, c.ay, c.bx, c.by), c.best) << c.what;
        }
        if (c.mixed >= 0) {
            EXPECT_EQ(m.mixed(c.ax, c.ay, c.bx, c.by), c.mixed) << c.what;
        }
    }
}

TEST(Cover, MirroredCellsOnMirroredMapsHaveTheSameLevel) {
    rnd_srand(1942);
    constexpr int n = 7;
    for (int map = 0; map < 6; ++map) {
        std::vector<std::string> rows(n, std::string(n, '.'));
        for (auto& r : rows)
            for (char& ch : r)
                if (rnd_below(100) < 20) ch = '#';
        for (int mirror = 1; mirror < 4; ++mirror) {
            const bool mx = mirror & 1, my = mirror & 2;
            std::vector<std::string> mr(n, std::string(n, '.'));
            for (int y = 0; y < n; ++y)
                for (int x = 0; x < n; ++x) mr[size_t(my ? n - 1 - y : y)][size_t(mx ? n - 1 - x : x)] = rows[size_t(y)][size_t(x)];
            cover_map_t a(rows), b(mr);
            auto fx = [&](int x) { return mx ? n - 1 - x : x; };
            auto fy = [&](int y) { return my ? n - 1 - y : y; };
            for (int ay = 0; ay < n; ++ay)
                for (int ax = 0; ax < n; ++ax)
                    for (int by = 0; by < n; ++by)
                        for (int bx = 0; bx < n; ++bx) {
                            ASSERT_EQ(a.best(ax, ay, bx, by), b.best(fx(ax), fy(ay), fx(bx), fy(by)))
                                << map << " " << mirror << " (" << ax << "," << ay << ")->(" << bx << "," << by << ")";
                            ASSERT_EQ(a.mixed(ax, ay, bx, by), b.mixed(fx(ax), fy(ay), fx(bx), fy(by)));
                        }
        }
    }
}

TEST(Cover, CellsOutsideTheGridAssertInDebugBuilds) {
    cover_map_t c({"..", ".."});
    EXPECT_DEBUG_DEATH(c.best(0, 0, 2, 1), "outside the grid");
}
