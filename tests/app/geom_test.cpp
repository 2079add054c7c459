#include "app/geom.h"

#include <gtest/gtest.h>

#include "app/sentinels.h"

using pts_t = std::vector<pt_t>;

static pts_t collect_radius(const pt_t& c, int r, int flags, const rect* clip = nullptr) {
    pts_t out;
    for_each_cell_in_radius(c, r, [&](const pt_t& p) { out.push_back(p); return true; }, flags, clip);
    return out;
}

TEST(CellWalk, FlagsRowsThenColumnsClipStopAndAppend) {
    // The full ring applies to radius 1 only.
    const struct { int r, flags; size_t count; } rows[] = {
        {1, 0, 5}, {1, 2, 9}, {1, 3, 8}, {2, 0, 13}, {2, 2, 13}, {0, 1, 0}, {-1, 0, 0}};
    for (const auto& row : rows)
        EXPECT_EQ(collect_radius({5, -3}, row.r, row.flags).size(), row.count) << row.r << " " << row.flags;
    EXPECT_EQ(collect_radius({0, 0}, 1, 0), (pts_t{{0, -1}, {-1, 0}, {0, 0}, {1, 0}, {0, 1}}));
    const rect clip{0, 0, 2, 2};
    pts_t sq;
    for_each_cell_in_square({0, 0}, 1, [&](const pt_t& p) { sq.push_back(p); return true; }, 0, &clip);
    EXPECT_EQ(sq, (pts_t{{0, 0}, {1, 0}, {0, 1}, {1, 1}}));
    EXPECT_EQ(collect_radius({0, 0}, 1, 1, &clip), (pts_t{{1, 0}, {0, 1}}));
    int calls = 0;
    const auto stop = [&](const pt_t&) { return ++calls < 0; };
    for_each_cell_in_square({0, 0}, 3, stop);
    for_each_cell_in_radius({0, 0}, 3, stop, 3);
    EXPECT_EQ(calls, 2);
    pts_t out{{99, 99}};
    get_pts_in_radius({1, 1}, 2, &out);  // the square, not the disc
    ASSERT_EQ(out.size(), 1u + 25u);
    EXPECT_EQ(out[1], (pt_t{-1, -1}));
    EXPECT_EQ(square_pts({4, 4}, 1), (pts_t{{3, 3}, {4, 3}, {5, 3}, {3, 4}, {5, 4}, {3, 5}, {4, 5}, {5, 5}}));
    EXPECT_TRUE(square_pts({4, 4}, -2).empty());
}

TEST(Line, KnownLinesAndEveryLineConnected) {
    const struct { pt_t a, b; pts_t want; } rows[] = {
        {{0, 0}, {3, 1}, {{0, 0}, {1, 0}, {2, 1}, {3, 1}}}, {{4, 7}, {4, 7}, {{4, 7}}},
        {{0, 0}, {1, 3}, {{0, 0}, {0, 1}, {1, 2}, {1, 3}}}, {{2, 0}, {-1, 0}, {{2, 0}, {1, 0}, {0, 0}, {-1, 0}}},
        // Half-way errors step the short axis early.
        {{0, 0}, {1, 2}, {{0, 0}, {1, 1}, {1, 2}}}, {{0, 0}, {2, 1}, {{0, 0}, {1, 1}, {2, 1}}},
    };
    for (const auto& row : rows) EXPECT_EQ(line_pts(row.a, row.b), row.want) << row.b.x << "," << row.b.y;

    for (int k = 0; k < 19 * 19; ++k) {
        const int bx = k / 19 - 9, by = k % 19 - 9;
        const pts_t line = line_pts({1, -2}, {1 + bx, -2 + by});
        ASSERT_EQ(line.size(), size_t(cheb_dist({1, -2}, {1 + bx, -2 + by})) + 1) << bx << "," << by;
        EXPECT_EQ(line.back(), (pt_t{1 + bx, -2 + by}));
        for (size_t i = 1; i < line.size(); ++i)  // one step to a neighbour each time
            EXPECT_EQ(cheb_dist(line[i], line[i - 1]), 1);
    }
}

TEST(PointSet, NearestAndFarthest) {
    EXPECT_EQ(nearest_pt({{2, 0}, {1, 1}, {-1, -1}}, {0, 0}), (pt_t{1, 1}));  // the first of a tie
    EXPECT_EQ(nearest_pt({}, {3, 3}), (pt_t{0, 0}));
    // 31622² is below the limit, 31623² is not.
    EXPECT_EQ(nearest_pt({{31623, 0}}, {0, 0}), (pt_t{0, 0}));
    EXPECT_EQ(nearest_pt({{31622, 0}}, {0, 0}), (pt_t{31622, 0}));
    // Far-apart cells must not overflow into a small distance.
    EXPECT_EQ(nearest_pt({{-2000000000, 0}, {7, 7}}, {2000000000, 0}), (pt_t{0, 0}));

    pt_t out{-9, -9};
    const auto not_x2 = [](const pt_t& p) { return p.x != 2; };
    EXPECT_FALSE(nearest_pt_if({{2, 0}, {2, 5}}, {0, 0}, &out, not_x2));
    EXPECT_EQ(out, (pt_t{-9, -9}));
    EXPECT_TRUE(nearest_pt_if({{2, 0}, {0, 3}, {0, 4}}, {0, 0}, &out, not_x2));
    EXPECT_EQ(out, (pt_t{0, 3}));

    EXPECT_FALSE(farthest_pt_if({{4, 4}, {4, 4}}, {4, 4}, &out, not_x2));
    EXPECT_EQ(out, (pt_t{0, 3}));
    EXPECT_TRUE(farthest_pt_if({{1, 0}, {0, 3}, {3, 0}, {2, 2}, {2, 9}}, {0, 0}, &out, not_x2));
    EXPECT_EQ(out, (pt_t{0, 3}));  // first of the two at distance 3
}

TEST(PointSet, WithinDistanceAndDedup) {
    const pts_t src{{1, 1}, {2, 2}, {0, 1}, {3, 0}, {-1, 0}};
    const struct { int dist, max; pts_t out, want; } rows[] = {
        // sqrt(2) truncates to 1 and stays; sqrt(8) truncates to 2 and goes.
        {1, UNLIMITED, {{42, 42}}, {{42, 42}, {1, 1}, {0, 1}, {-1, 0}}},
        {2, 3, {{42, 42}}, {{42, 42}, {1, 1}, {2, 2}}},
        {5, 2, {{42, 42}, {43, 43}}, {{42, 42}, {43, 43}}},  // an out already at max is left as it is
        {UNLIMITED, UNLIMITED, {{42, 42}}, src},             // both limits copy src whole
        {UNLIMITED, 2, {}, {{1, 1}, {2, 2}}},                // a single one still filters
    };
    for (const auto& row : rows) {
        pts_t out = row.out;
        pts_within_dist({0, 0}, row.dist, src, &out, row.max);
        EXPECT_EQ(out, row.want) << row.dist << " " << row.max;
    }
    pts_t pts{{1, 2}, {-1, 2}, {1, 2}, {2, 1}, {-1, 2}, {1, -2}, {2, 1}};
    dedup_pts(pts);
    EXPECT_EQ(pts, (pts_t{{1, 2}, {-1, 2}, {2, 1}, {1, -2}}));
}

TEST(RectLayout, AlignFitAndPow) {
    const rect box{10, 20, 25, 31};
    const struct { int flags, x, y; } align[] = {
        {1, 10, -6}, {2, -5, 20}, {4 | 8, 25, 41}, {16 | 32, 17, 30},
        {4 | 16 | 1, 25, -6}, {8 | 32 | 2, -5, 41},  // far edge over centre over near edge
    };
    for (const auto& row : align) {
        rect r{-5, -6, 10, 10};
        align_rect(&r, &box, row.flags);
        EXPECT_EQ(r, (rect{row.x, row.y, 10, 10})) << "flags=" << row.flags;
    }
    const struct { size s, box, want; } fit[] = {
        {{200, 100}, {100, 100}, {100, 50}}, {{100, 300}, {200, 150}, {50, 150}},
        {{400, 400}, {100, 50}, {50, 50}},  // both steps apply
        {{30, 40}, {100, 100}, {30, 40}},   // never grown
        {{0, 10}, {-1, 5}, {0, 5}},         // a zero side is not divided by
        {{50000, 50000}, {40000, 40000}, {40000, 40000}},
    };
    for (const auto& row : fit) {
        size s = row.s;
        fit_size(&s, &row.box);
        EXPECT_EQ(s, row.want) << row.s.w << "x" << row.s.h;
    }
    for (auto [b, e, want] : {std::tuple{2.0, 10, 1024.0}, {-0.5, 3, -0.125}, {7.0, 0, 1.0}, {7.0, -2, 1.0}})
        EXPECT_DOUBLE_EQ(pow_int(b, e), want) << b << "^" << e;
}
