#include "battle/fog.h"

#include <gtest/gtest.h>

#include <set>

#include "battle/btl_fixture.h"
#include "battle/unit_move.h"

namespace {
using Fog = btl_test;

std::set<pt_t> seen_cells(const grid_t<int>& g) {
    std::set<pt_t> out;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.at(x, y)) out.insert({x, y});
    return out;
}

// The eight symmetries of the square, as (dx, dy) -> (a dx + b dy, c dx + d dy).
constexpr int syms[8][4] = {{1, 0, 0, 1},  {0, 1, 1, 0},  {-1, 0, 0, 1}, {0, -1, 1, 0},
                            {1, 0, 0, -1}, {0, 1, -1, 0}, {-1, 0, 0, -1}, {0, -1, -1, 0}};
pt_t apply_sym(const int* s, const pt_t& o, int dx, int dy) { return {o.x + s[0] * dx + s[1] * dy, o.y + s[2] * dx + s[3] * dy}; }
}  // namespace

TEST_F(Fog, AUnitInTheOpenSeesExactlyTheDiscOfRadiusFive) {
    draw_open(21, 21);
    unit_t* u = add(10, 10, 0);
    fog();
    std::set<pt_t> want;
    for (int dy = -5; dy <= 5; ++dy)
        for (int dx = -5; dx <= 5; ++dx)
            if (dx * dx + dy * dy <= 25) want.insert({10 + dx, 10 + dy});
    EXPECT_EQ(seen_cells(u->sight), want);
    for (const pt_t& p : {pt_t{15, 10}, pt_t{14, 13}, pt_t{13, 14}, pt_t{6, 7}}) EXPECT_TRUE(is_pt_visible(p));
    EXPECT_FALSE(is_pt_visible({14, 14}));
    EXPECT_TRUE(is_pt_explored({14, 13}));
    EXPECT_FALSE(is_pt_visible_to_side({10, 10}, SIDE_FOES));
}

TEST_F(Fog, ShadowsFallAlikeInAllEightOctants) {
    // A pillar two cells out and one across: its shadow, turned and mirrored by
    // each symmetry, is what the turned and mirrored pillar casts.
    const pt_t o{10, 10};
    std::set<pt_t> base;
    for (int k = 0; k < 8; ++k) {
        draw_open(21, 21);
        const pt_t wall = apply_sym(syms[k], o, 2, 1);
        map.tiles.at(wall.x, wall.y) = 2;
        grid_t<int> g;
        g.resize(21, 21);
        cast_view(&g, blocks_sight, o, SIGHT_RADIUS, true);
        EXPECT_EQ(g.at(wall.x, wall.y), 1) << "the wall itself is lit, octant " << k;
        const pt_t behind = apply_sym(syms[k], o, 4, 2);
        EXPECT_EQ(g.at(behind.x, behind.y), 0) << "straight behind the wall, octant " << k;
        std::set<pt_t> norm;  // the seen cells taken back through the symmetry
        for (int dy = -6; dy <= 6; ++dy)
            for (int dx = -6; dx <= 6; ++dx) {
                const pt_t p = apply_sym(syms[k], o, dx, dy);
                if (g.in(p.x, p.y) && g.at(p.x, p.y)) norm.insert({dx, dy});
            }
        if (k == 0) base = norm;
        EXPECT_EQ(norm, base) << "octant " << k;
    }
}

TEST_F(Fog, WallsEdgesAndTheWholeMapRadius) {
    draw({"..........",
          "....#.....",
          "..........",
          "..........",
          ".........."});
    grid_t<int> g;
    g.resize(10, 5);
    cast_view(&g, blocks_sight, {4, 3}, SIGHT_RADIUS, true);
    EXPECT_EQ(g.at(4, 1), 1);
    EXPECT_EQ(g.at(4, 0), 0);
    cast_view(&g, blocks_sight, {4, 3}, SIGHT_RADIUS, false);
    EXPECT_EQ(g.at(4, 1), 0) << "without light walls the wall is not lit";
    // At the corner only the quarter disc inside the map; nothing breaks.
    cast_view(&g, blocks_sight, {0, 0}, SIGHT_RADIUS, true);
    for (const pt_t& p : {pt_t{0, 0}, pt_t{3, 4}, pt_t{5, 0}}) EXPECT_EQ(g.at(p.x, p.y), 1) << p.x << "," << p.y;
    EXPECT_EQ(g.at(6, 0), 0);
    // Radius 0 reaches across any map.
    draw_open(40, 30);
    g.rows.clear();
    g.resize(40, 30);
    cast_view(&g, blocks_sight, {0, 29}, 0, true);
    EXPECT_EQ(seen_cells(g).size(), 40u * 30u);
    // An origin off the grid sees nothing rather than writing outside it.
    cast_view(&g, blocks_sight, {40, 3}, 5, true);
    EXPECT_TRUE(seen_cells(g).empty());
}

TEST_F(Fog, ExploredCellsStayAfterTheUnitWalksAway) {
    draw_open(30, 10);
    unit_t* u = add(2, 5, 0);
    fog();
    EXPECT_TRUE(is_pt_visible({0, 5}));
    u->pos = {20, 5};
    update_view(u, true, true, false);
    EXPECT_FALSE(is_pt_visible({0, 5}));
    EXPECT_TRUE(is_pt_explored({0, 5}));
    EXPECT_TRUE(is_pt_explored_for({0, 5}, u));
    EXPECT_TRUE(is_pt_visible_for({24, 5}, u));
    EXPECT_FALSE(is_pt_explored({29, 0}));
    // Outside the map, or for a side that does not exist: nothing.
    EXPECT_FALSE(is_pt_visible({-1, 5}));
    EXPECT_FALSE(is_pt_explored({30, 5}));
    EXPECT_FALSE(is_pt_visible_to_side({20, 5}, 7));
}

TEST_F(Fog, SpottedMarksAndTheDead) {
    draw_open(30, 10);
    unit_t* scout = add(2, 5, 0);
    unit_t* foe = add(12, 5, 1);
    fog();
    EXPECT_TRUE(scout->btl.known);
    EXPECT_FALSE(foe->btl.known);
    EXPECT_TRUE(is_pt_visible_to_side({12, 5}, SIDE_FOES));
    // The foe steps into sight: its own view marks it, as the side grid shows its cell.
    foe->pos = {6, 5};
    update_view(foe, true, false, false);
    EXPECT_TRUE(foe->btl.known);
    // Or the scout's view marks the foe it sees.
    unit_t* other = add(25, 5, 1);
    update_view(other, true, true, true);
    EXPECT_FALSE(other->btl.known);
    scout->pos = {21, 5};
    update_view(scout, true, true, false);
    EXPECT_TRUE(other->btl.known);
    // A dead unit sees nothing, and leaves its side's grid once out of the roster.
    scout->hp = 0;
    calc_unit_view(scout);
    EXPECT_TRUE(seen_cells(scout->sight).empty());
    roster_on_death(scout);
    recalc_side_views();
    EXPECT_FALSE(is_pt_visible({21, 5}));
    EXPECT_TRUE(is_pt_explored({21, 5}));
    EXPECT_DOUBLE_EQ(sq_dist_ratio({0, 0}, {3, 4}, 5), 1.0);
    EXPECT_DOUBLE_EQ(sq_dist_ratio({0, 0}, {3, 0}, 5), 9.0 / 25.0);
    EXPECT_DOUBLE_EQ(sq_dist_ratio({0, 0}, {9, 9}, 5), 1.0);
}

TEST_F(Fog, MergeIsACellWiseOrOverTheSharedPart) {
    grid_t<int> dst{3, 2, {{7, 0, 0}, {0, 0, 0}}};
    const grid_t<int> src{4, 1, {{1, 1, 0, 1}}};  // (3, 0) lies outside dst: ignored
    merge_grid(&dst, src);
    EXPECT_EQ(dst.rows, (std::vector<std::vector<int>>{{7, 1, 0}, {0, 0, 0}}));
}
