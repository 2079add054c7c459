#include "app/geom.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

namespace {

using pts_t = std::vector<pt_t>;

pts_t collect_radius(const pt_t& c, int r, int flags, const rect* clip = nullptr) {
    pts_t out;
    for_each_cell_in_radius(
        c, r,
        [&](const pt_t& p) {
            out.push_back(p);
            return true;
        },
        flags, clip);
    return out;
}

std::set<std::pair<int, int>> as_set(const pts_t& pts) {
    std::set<std::pair<int, int>> s;
    for (const pt_t& p : pts) s.insert({p.x, p.y});
    return s;
}

}  // namespace

TEST(CellWalk, RadiusVisitsTheDiscWithItsFlags) {
    struct row_t {
        int r, flags;
        size_t count;
    };
    const row_t rows[] = {
        {1, 0, 5},  // plus sign
        {1, 2, 9},  // whole 3 x 3
        {1, 3, 8},  // whole 3 x 3 less the centre
        {1, 1, 4},
        {2, 0, 13},
        {2, 2, 13},  // the full ring applies to radius 1 only
        {0, 0, 1},
        {0, 1, 0},
        {-1, 0, 0},
    };
    for (const row_t& row : rows) {
        const pts_t got = collect_radius({5, -3}, row.r, row.flags);
        EXPECT_EQ(got.size(), row.count) << "r=" << row.r << " flags=" << row.flags;
        for (const pt_t& p : got) {
            const int dx = p.x - 5, dy = p.y + 3;
            if (!(row.r == 1 && (row.flags & 2))) {
                EXPECT_LE(dx * dx + dy * dy, row.r * row.r);
            }
            if (row.flags & 1) {
                EXPECT_FALSE(dx == 0 && dy == 0);
            }
        }
    }
    const auto r2 = as_set(collect_radius({0, 0}, 2, 0));
    for (const auto& corner : {std::pair{2, 1}, {-2, 1}, {2, -1}, {-2, -1}, {1, 2}, {-1, -2}})
        EXPECT_FALSE(r2.count(corner)) << corner.first << "," << corner.second;
    EXPECT_TRUE(r2.count({0, 2}));
    EXPECT_TRUE(r2.count({-2, 0}));
}

TEST(CellWalk, RowsThenColumnsAndClip) {
    const pts_t plus = collect_radius({0, 0}, 1, 0);
    EXPECT_EQ(plus, (pts_t{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}));

    const rect clip{0, 0, 2, 2};  // the cells 0..1 in both axes
    pts_t sq;
    for_each_cell_in_square(
        {0, 0}, 1,
        [&](const pt_t& p) {
            sq.push_back(p);
            return true;
        },
        0, &clip);
    EXPECT_EQ(sq, (pts_t{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    EXPECT_EQ(collect_radius({0, 0}, 1, 1, &clip), (pts_t{{1, 0}, {0, 1}}));
}

TEST(CellWalk, FalseFromTheVisitorStopsAtOnce) {
    int calls = 0;
    const auto stop = [&](const pt_t&) {
        ++calls;
        return false;
    };
    for_each_cell_in_square({0, 0}, 3, stop);
    EXPECT_EQ(calls, 1);
    for_each_cell_in_radius({0, 0}, 3, stop, 3);
    EXPECT_EQ(calls, 2);

    calls = 0;
    for_each_cell_in_square({0, 0}, 2, [&](const pt_t&) { return ++calls < 7; });
    EXPECT_EQ(calls, 7);
}

TEST(CellWalk, PointsInRadiusTakeTheSquareAndAppend) {
    pts_t out{{99, 99}};
    get_pts_in_radius({1, 1}, 2, &out);
    ASSERT_EQ(out.size(), 1u + 25u);
    EXPECT_EQ(out[0], (pt_t{99, 99}));
    EXPECT_EQ(out[1], (pt_t{-1, -1}));
    EXPECT_EQ(out.back(), (pt_t{3, 3}));

    const rect clip{1, 1, 10, 10};
    pts_t clipped;
    get_pts_in_radius({1, 1}, 2, &clipped, 1, &clip);
    EXPECT_EQ(clipped.size(), 8u);  // the 3 x 3 corner at (1..3, 1..3) less the centre

    const pts_t ring = square_pts({4, 4}, 1);
    EXPECT_EQ(ring, (pts_t{{3, 3}, {4, 3}, {5, 3}, {3, 4}, {5, 4}, {3, 5}, {4, 5}, {5, 5}}));
    EXPECT_TRUE(square_pts({4, 4}, 0).empty());
    EXPECT_TRUE(square_pts({4, 4}, -2).empty());
}

TEST(Line, KnownLines) {
    struct row_t {
        pt_t a, b;
        pts_t want;
    };
    const row_t rows[] = {
        {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}},
        {{0, 0}, {0, -2}, {{0, 0}, {0, -1}, {0, -2}}},
        {{4, 7}, {4, 7}, {{4, 7}}},
        {{0, 0}, {-2, -2}, {{0, 0}, {-1, -1}, {-2, -2}}},
        {{0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}},
        {{2, 0}, {-1, 0}, {{2, 0}, {1, 0}, {0, 0}, {-1, 0}}},
        // Half-way errors step the short axis early.
        {{0, 0}, {1, 2}, {{0, 0}, {1, 1}, {1, 2}}},
        {{0, 0}, {2, 1}, {{0, 0}, {1, 1}, {2, 1}}},
    };
    for (const row_t& row : rows)
        EXPECT_EQ(line_pts(row.a, row.b), row.want) << row.a.x << "," << row.a.y << " to " << row.b.x << "," << row.b.y;
}

TEST(Line, EveryLineIsConnectedAndEndsAtItsEnds) {
    const pt_t a{1, -2};
    for (int bx = -9; bx <= 9; ++bx) {
        for (int by = -9; by <= 9; ++by) {
            const pt_t b{a.x + bx, a.y + by};
            const pts_t line = line_pts(a, b);
            ASSERT_EQ(line.size(), size_t(std::max(std::abs(bx), std::abs(by))) + 1) << bx << "," << by;
            EXPECT_EQ(line.front(), a);
            EXPECT_EQ(line.back(), b);
            for (size_t i = 1; i < line.size(); ++i) {
                EXPECT_LE(std::abs(line[i].x - line[i - 1].x), 1);
                EXPECT_LE(std::abs(line[i].y - line[i - 1].y), 1);
                EXPECT_FALSE(line[i] == line[i - 1]);
            }
        }
    }
}

TEST(PointSet, Nearest) {
    EXPECT_EQ(nearest_pt({{2, 0}, {0, 2}}, {0, 0}), (pt_t{2, 0}));
    EXPECT_EQ(nearest_pt({{5, 5}, {1, 1}, {-1, -1}}, {0, 0}), (pt_t{1, 1}));
    EXPECT_EQ(nearest_pt({}, {3, 3}), (pt_t{0, 0}));
    // 31622² + 0 is below the limit, 31623² is not.
    EXPECT_EQ(nearest_pt({{31623, 0}}, {0, 0}), (pt_t{0, 0}));
    EXPECT_EQ(nearest_pt({{31622, 0}}, {0, 0}), (pt_t{31622, 0}));
    // Far-apart cells must not overflow into a small distance.
    EXPECT_EQ(nearest_pt({{-2000000000, 0}, {7, 7}}, {2000000000, 0}), (pt_t{0, 0}));

    pt_t out{-9, -9};
    const auto not_x2 = [](const pt_t& p) { return p.x != 2; };
    EXPECT_TRUE(nearest_pt_if({{2, 0}, {0, 3}, {0, 4}}, {0, 0}, &out, not_x2));
    EXPECT_EQ(out, (pt_t{0, 3}));
    out = {-9, -9};
    EXPECT_FALSE(nearest_pt_if({{2, 0}, {2, 5}}, {0, 0}, &out, not_x2));
    EXPECT_EQ(out, (pt_t{-9, -9}));
}

TEST(PointSet, Farthest) {
    const auto any = [](const pt_t&) { return true; };
    pt_t out{-9, -9};
    EXPECT_TRUE(farthest_pt_if({{1, 0}, {0, 3}, {3, 0}, {2, 2}}, {0, 0}, &out, any));
    EXPECT_EQ(out, (pt_t{0, 3}));  // first of the two at distance 3
    out = {-9, -9};
    EXPECT_FALSE(farthest_pt_if({{4, 4}, {4, 4}}, {4, 4}, &out, any));
    EXPECT_EQ(out, (pt_t{-9, -9}));
    EXPECT_TRUE(farthest_pt_if({{0, 9}, {1, 1}}, {0, 0}, &out, [](const pt_t& p) { return p.y < 5; }));
    EXPECT_EQ(out, (pt_t{1, 1}));
}

TEST(PointSet, WithinDistance) {
    const pts_t src{{1, 1}, {2, 2}, {0, 1}, {3, 0}, {-1, 0}};
    pts_t out{{42, 42}};
    pts_within_dist({0, 0}, 1, src, &out, 1000000000);
    // sqrt(2) truncates to 1 and stays; sqrt(8) truncates to 2 and goes.
    EXPECT_EQ(out, (pts_t{{42, 42}, {1, 1}, {0, 1}, {-1, 0}}));

    out = {{42, 42}};
    pts_within_dist({0, 0}, 2, src, &out, 3);
    EXPECT_EQ(out, (pts_t{{42, 42}, {1, 1}, {2, 2}}));

    // An out already at max is left as it is.
    out = {{42, 42}, {43, 43}};
    pts_within_dist({0, 0}, 5, src, &out, 2);
    EXPECT_EQ(out.size(), 2u);

    out = {{42, 42}};
    pts_within_dist({100, 100}, 1000000000, src, &out, 1000000000);
    EXPECT_EQ(out, src);

    // Only both limits together copy; a single one still filters.
    out.clear();
    pts_within_dist({0, 0}, 1000000000, src, &out, 2);
    EXPECT_EQ(out, (pts_t{{1, 1}, {2, 2}}));
}

TEST(PointSet, DedupKeepsTheFirstAndTheOrder) {
    pts_t pts{{1, 2}, {-1, 2}, {1, 2}, {2, 1}, {-1, 2}, {1, -2}, {2, 1}};
    dedup_pts(pts);
    EXPECT_EQ(pts, (pts_t{{1, 2}, {-1, 2}, {2, 1}, {1, -2}}));
    pts_t none;
    dedup_pts(none);
    EXPECT_TRUE(none.empty());
}

TEST(RectLayout, Align) {
    struct row_t {
        int flags, x, y;
    };
    const rect box{10, 20, 25, 31};
    const row_t rows[] = {
        {0, -5, -6},    // untouched
        {1, 10, -6},    // left only
        {2, -5, 20},    // top only
        {4 | 8, 25, 41},
        {16 | 32, 17, 30},
        {4 | 16 | 1, 25, -6},  // right wins over centre and left
        {8 | 32 | 2, -5, 41},  // bottom wins over middle and top
        {16 | 1, 17, -6},      // centre wins over left
    };
    for (const row_t& row : rows) {
        rect r{-5, -6, 10, 10};
        align_rect(&r, &box, row.flags);
        EXPECT_EQ(r, (rect{row.x, row.y, 10, 10})) << "flags=" << row.flags;
    }
    rect r{0, 0, 10, 10};
    const rect square{0, 0, 25, 25};
    align_rect(&r, &square, 16 | 32);
    EXPECT_EQ(r, (rect{7, 7, 10, 10}));
}

TEST(RectLayout, FitSize) {
    struct row_t {
        size s, box, want;
    };
    const row_t rows[] = {
        {{200, 100}, {100, 100}, {100, 50}},
        {{100, 300}, {200, 150}, {50, 150}},
        {{400, 400}, {100, 50}, {50, 50}},  // both steps apply
        {{30, 40}, {100, 100}, {30, 40}},   // never grown
        {{0, 10}, {-1, 5}, {0, 5}},         // a zero side is not divided by
        {{50000, 50000}, {40000, 40000}, {40000, 40000}},
    };
    for (const row_t& row : rows) {
        size s = row.s;
        fit_size(&s, &row.box);
        EXPECT_EQ(s, row.want) << row.s.w << "x" << row.s.h;
    }
}

TEST(Numbers, PowInt) {
    EXPECT_DOUBLE_EQ(pow_int(2.0, 10), 1024.0);
    EXPECT_DOUBLE_EQ(pow_int(0.5, 3), 0.125);
    EXPECT_DOUBLE_EQ(pow_int(-3.0, 3), -27.0);
    EXPECT_DOUBLE_EQ(pow_int(7.0, 0), 1.0);
    EXPECT_DOUBLE_EQ(pow_int(7.0, -2), 1.0);
}
