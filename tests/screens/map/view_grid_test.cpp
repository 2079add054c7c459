#include "screens/map/view_grid.h"

#include <gtest/gtest.h>

#include <tuple>

#include "screens/map/map_scene.h"

namespace {

// A view of cols x rows cells at the screen's corner over a map of mw x mh.
zs::view_grid make_view(int cols, int rows, int mw, int mh) {
    zs::view_grid v;
    v.set_view_size(cols * MAP_CELL, rows * MAP_CELL);
    v.set_map_size(mw, mh);
    return v;
}

TEST(GridSys, CellsOfAGridAndNoneForACellSizeOfZero) {
    EXPECT_EQ(std::tuple(zs::grid_sys(130, 64, 64, 64).cols, zs::grid_sys(130, 64, 64, 64).rows), std::tuple(2, 1));
    const zs::grid_sys none(130, 64, 0, 0);
    EXPECT_EQ(std::tuple(none.cols, none.rows), std::tuple(0, 0));
}

TEST(ViewGrid, ViewIsWhatThePanelsLeaveInWholeCells) {
    struct row_t {
        size scrn, view;
    };
    for (const row_t& r : {row_t{{1280, 720}, {1024, 640}}, {{1024, 768}, {768, 704}}, {{1281, 721}, {1024, 640}},
                           {{1000, 699}, {704, 640}}, {{319, 99}, {0, 0}}, {{200, 20}, {0, 0}}})
        EXPECT_EQ(map_view_size(r.scrn), r.view) << r.scrn.w << "x" << r.scrn.h;
}

TEST(ViewGrid, ASmallMapScrollsUntilItsEdgeReachesTheViewCentre) {
    zs::view_grid v = make_view(16, 10, 5, 4);
    v.set_org_x(100000);
    v.set_org_y(100000);
    EXPECT_EQ(v.org(), (pt_t{(5 - 8) * 64, (4 - 5) * 64}));
    // The map's right and bottom edges sit in the view's middle.
    EXPECT_EQ(v.centre_cell(), (pt_t{5, 4}));
    v.set_org_x(-100000);
    v.set_org_y(-100000);
    EXPECT_EQ(std::tuple(v.org(), v.centre_cell()), std::tuple(pt_t{-8 * 64, -5 * 64}, pt_t{0, 0}));
}

TEST(ViewGrid, OddViewsScrollByHalfTheirCellsRoundedDown) {
    zs::view_grid v = make_view(15, 9, 40, 30);
    EXPECT_EQ(std::tuple(v.min_cell_x, v.max_cell_x, v.min_cell_y, v.max_cell_y), std::tuple(-7, 40 - 7, -4, 30 - 4));
    EXPECT_EQ(v.max_px_x, 33 * 64);
    // A view that is no whole number of cells: its cells are its whole ones.
    v.set_view_size(15 * 64 + 63, 9 * 64 + 1);
    EXPECT_EQ(std::tuple(v.cols, v.rows), std::tuple(15, 9));
}

TEST(ViewGrid, OriginBetweenCellsLiesInTheCellItFallsIn) {
    zs::view_grid v = make_view(4, 4, 10, 10);
    v.set_org_x(-32);
    v.set_org_y(96);
    EXPECT_EQ(v.org_cell, (pt_t{-1, 1}));
    EXPECT_EQ(std::tuple(v.cell_to_scrn_x(0), v.cell_to_scrn_y(2)), std::tuple(32, 128 - 96));
}

TEST(ViewGrid, CentringOnACellClampsAtTheLimits) {
    zs::view_grid v = make_view(16, 10, 40, 40);
    v.center_on({20, 20});
    EXPECT_EQ(std::tuple(v.org(), v.centre_cell()), std::tuple(pt_t{12 * 64, 15 * 64}, pt_t{20, 20}));
    v.center_on({100, -100});
    EXPECT_EQ(v.org(), (pt_t{v.max_px_x, v.min_px_y}));
    // A map that shrinks pulls the origin back inside the new limits.
    v.set_map_size(4, 4);
    EXPECT_EQ(v.org(), (pt_t{(4 - 8) * 64, -5 * 64}));
}

TEST(ViewGrid, PointsAtTheBordersOfTheViewAndTheMap) {
    zs::view_grid v = make_view(16, 10, 20, 12);
    v.set_scrn_pos(10, 20);
    v.set_org_x(0);
    v.set_org_y(0);
    EXPECT_EQ(v.scrn_to_cell({10, 20}), (pt_t{0, 0}));
    EXPECT_EQ(v.scrn_to_cell({10 + 1023, 20 + 639}), (pt_t{15, 9}));
    EXPECT_EQ(v.scrn_to_cell({9, 20}), NO_HOVER);            // left of the view
    EXPECT_EQ(v.scrn_to_cell({10 + 1024, 20}), NO_HOVER);    // right of the view
    EXPECT_EQ(v.scrn_to_cell({10, 20 + 640}), NO_HOVER);     // below the view
    // Scrolled to the limit: the view passes the map's last cell.
    v.set_org_x(v.max_px_x);
    const int last_px = 20 * 64 - 1 - v.org().x;
    EXPECT_EQ(v.scrn_to_cell({10 + last_px, 20}), (pt_t{19, 0}));
    EXPECT_EQ(v.scrn_to_cell({10 + last_px + 1, 20}), NO_HOVER);
    v.set_org_y(-64);
    EXPECT_EQ(v.scrn_to_cell({10 + last_px, 20 + 63}), NO_HOVER);  // above the map
    EXPECT_EQ(v.scrn_to_cell({10 + last_px, 20 + 64}), (pt_t{19, 0}));
}

TEST(ViewGrid, WholeMapShownOnlyWhenEveryCellIsInTheView) {
    zs::view_grid v = make_view(16, 10, 14, 10);
    v.center_on({7, 5});
    EXPECT_TRUE(v.shows_whole_map());
    v.set_org_x(v.org().x + 64);  // one spare cell on each side
    EXPECT_TRUE(v.shows_whole_map());
    v.set_org_x(v.org().x + 64);
    EXPECT_FALSE(v.shows_whole_map());
    v = make_view(16, 10, 16, 10);
    v.center_on({8, 5});
    EXPECT_TRUE(v.shows_whole_map()) << "a map that fills the view exactly";
    EXPECT_FALSE(make_view(16, 10, 17, 10).shows_whole_map());
}

TEST(ScrollSteps, DiagonalUntilTheShorterAxisIsDone) {
    using d = scroll_dir_t;
    EXPECT_EQ(scroll_steps(3, 1), (std::vector<d>{{1, 1}, {1, 0}, {1, 0}}));
    EXPECT_EQ(scroll_steps(-1, -2), (std::vector<d>{{-1, -1}, {0, -1}}));
    EXPECT_EQ(scroll_steps(0, 2), (std::vector<d>{{0, 1}, {0, 1}}));
    EXPECT_TRUE(scroll_steps(0, 0).empty());
}

TEST(Minimap, CellSizeFitsTheMapIntoThePanel) {
    const rect inner{1028, 4, 248, 256};
    struct row_t {
        int w, h, cell;
        rect r;
    };
    for (const row_t& r : {
             row_t{10, 10, 24, {1028 + 4, 4 + 8, 240, 240}},   // small: the narrower side decides
             row_t{40, 40, 6, {1028 + 4, 4 + 8, 240, 240}},    // large
             row_t{62, 20, 4, {1028, 4 + 88, 248, 80}},        // wide
             row_t{248, 256, 1, {1028, 4, 248, 256}},           // a pixel a cell
             row_t{249, 10, 0, {1028 + 124, 4 + 128, 0, 0}},   // more cells than pixels: nothing
         }) {
        const minimap_lay_t lay = layout_minimap_in(inner, r.w, r.h);
        EXPECT_EQ(lay.cell, r.cell) << r.w << "x" << r.h;
        EXPECT_EQ(lay.r, r.r) << r.w << "x" << r.h;
    }
    EXPECT_EQ(layout_minimap_in(inner, 0, 10).cell, 0);
    EXPECT_EQ(layout_minimap_in({0, 0, 0, 0}, 10, 10).cell, 0);
}

TEST(Minimap, ViewFrameStaysInsideTheMinimap) {
    // A 30 x 20 map at 8 pixels a cell; a view of 12 x 9 cells.
    const rect mm{1040, 52, 240, 160};
    const auto inside = [&](const rect& r) {
        return r.x >= mm.x && r.y >= mm.y && r.x + r.w <= mm.x + mm.w && r.y + r.h <= mm.y + mm.h;
    };
    // Scrolled to the top-left limit: half the view lies before the map.
    const rect tl = minimap_view_frame(mm, 8, {-6, -4, 12, 9});
    EXPECT_EQ(tl, (rect{1040, 52, 6 * 8, 5 * 8}));
    // To the bottom-right limit.
    const rect br = minimap_view_frame(mm, 8, {24, 16, 12, 9});
    EXPECT_EQ(br, (rect{1040 + 24 * 8, 52 + 16 * 8, 6 * 8, 4 * 8}));
    // Inside the map the frame is the view's cells as they are.
    EXPECT_EQ(minimap_view_frame(mm, 8, {3, 2, 12, 9}), (rect{1040 + 24, 52 + 16, 96, 72}));
    for (const rect& r : {tl, br}) EXPECT_TRUE(inside(r)) << r.x << "," << r.y << " " << r.w << "x" << r.h;
    // Wider and taller than the map: the whole minimap.
    EXPECT_EQ(minimap_view_frame(mm, 8, {-10, -10, 60, 50}), mm);
    // Wholly off the map (a view past the limits): nothing to draw.
    EXPECT_EQ(minimap_view_frame(mm, 8, {40, 0, 12, 9}), rect{});
}

}  // namespace
