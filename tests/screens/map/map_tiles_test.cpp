#include "screens/map/map_tiles.h"

#include <gtest/gtest.h>

#include "app/paths.h"
#include "app/rnd.h"
#include "support/canvas.h"
#include "support/mapped.h"
#include "support/temp_dir.h"

namespace {

TEST(CellLook, IdsOutsideTheTablesDrawNothingAndTileZeroIsGround) {
    struct row_t {
        int env, tile;
        cell_look_t look;
    };
    const cell_look_t none{}, ground{true, OVER_NONE}, autotile{true, OVER_AUTOTILE}, frame{true, OVER_FRAME};
    for (const row_t& r : {row_t{1, 0, ground}, {1, 1, ground}, {3, 2, autotile}, {5, 5, autotile}, {2, 3, frame},
                           {4, 4, frame}, {0, 1, none}, {6, 1, none}, {-1, 1, none}, {1, 6, none}, {1, -1, none},
                           {1, 1 << 30, none}})
        EXPECT_EQ(cell_look(r.env, r.tile), r.look) << r.env << "/" << r.tile;
}

TEST(TileImgName, KeysOfBothTablesOrNothing) {
    EXPECT_EQ(tile_img_name(1, 1), Str(L"tiles/plain_grnd"));
    EXPECT_EQ(tile_img_name(5, 5), Str(L"tiles/ruin_tree"));
    EXPECT_TRUE(tile_img_name(0, 1).empty());   // environment 0 has no key
    EXPECT_TRUE(tile_img_name(1, 0).empty());   // nor has tile 0
    EXPECT_TRUE(tile_img_name(6, 1).empty());
    EXPECT_TRUE(tile_img_name(1, 99).empty());
}

TEST(TileVariant, TheGeneratorSeededWithOneRowByRowRepeatedEvery20Cells) {
    rnd_srand(12345);
    const int first = tile_variant(0, 0);
    EXPECT_EQ(rnd_get_state(), 12345u);  // the game's draws are not touched
    rnd_srand(1);
    const std::vector<int> draws = mapped(VARIANT_SIDE * VARIANT_SIDE, [](int) { return rnd_rand(); });
    EXPECT_EQ(first, draws[0]);
    EXPECT_EQ(tile_variant(1, 0), draws[1]);
    EXPECT_EQ(tile_variant(0, 1), draws[20]);
    EXPECT_EQ(tile_variant(19, 19), draws[399]);
    for (const pt_t c : {pt_t{20, 0}, {0, 20}, {45, 61}, {-1, -1}, {1000000, 7}})
        EXPECT_EQ(tile_variant(c.x, c.y), draws[size_t(((c.y % 20 + 20) % 20) * 20 + (c.x % 20 + 20) % 20)])
            << c.x << "," << c.y;
}

// The five environments' sheets in a game folder of the test's own.
class TileSheets : public canvas_test_t {
protected:
    // Made before the configuration object, so it outlives its save at exit.
    static temp_dir_t& dir() {
        static temp_dir_t d;
        return d;
    }
    static void SetUpTestSuite() { set_exe_dir(utf8_to_str(dir().path().c_str())); }

    // w x h pixels of one colour under gfx/tiles/.
    static void tile_png(const char* name, int w, int h, uint32_t argb) {
        const std::string path = dir().path(std::string("gfx/tiles/") + name + ".png");
        dir().folder("gfx/tiles");
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        SDL_FillRect(s, nullptr, argb);
        ASSERT_EQ(IMG_SavePNG(s, path.c_str()), 0);
        SDL_FreeSurface(s);
    }
};

TEST_F(TileSheets, EachSheetIsLookedUpOnceAndAMissingOneIsNotProbedAgain) {
    tile_png("plain_grnd", 512, 128, 0xFF102030);
    tile_sheets_t sheets;
    const img_sheet_t* g = sheets.frames(1, 1);
    ASSERT_NE(g, nullptr);
    EXPECT_EQ(g->frames.size(), 4u);
    EXPECT_EQ(sheets.frames(1, 1), g);
    EXPECT_EQ(sheets.autotiles(1, 2), nullptr);  // plain_wall is missing
    EXPECT_EQ(sheets.loads(), 2);
    tile_png("plain_wall", 256, 512, 0xFF405060);
    EXPECT_EQ(sheets.autotiles(1, 2), nullptr);  // remembered as missing
    EXPECT_EQ(sheets.frames(0, 1), nullptr);     // no name: never looked up
    EXPECT_TRUE(!sheets.frames(1, 0) && !sheets.frames(9, 1) && sheets.loads() == 2);
    // A new image cache (a new window) forgets both answers.
    canvas.reset();
    close_window();
    ASSERT_TRUE(open_window());
    canvas.emplace(128);
    ASSERT_NE(sheets.autotiles(1, 2), nullptr);
    EXPECT_EQ(std::tuple(sheets.autotiles(1, 2)->cols, sheets.loads()), std::tuple(4, 3));
}

TEST_F(TileSheets, AWallCellDrawsGroundThenItsJoinedPieces) {
    tile_png("grass_grnd", 128, 128, 0xFF00FF00);
    tile_png("grass_wall", 256, 512, 0xFF0000FF);
    tile_png("grass_obst", 128, 128, 0x00000000);  // transparent: the ground shows through
    draw_cell(2, 1, 7, 0, {0, 0, 64, 64});
    EXPECT_EQ(canvas_t::px(10, 10), 0xFF00FF00u);
    draw_cell(2, 2, 7, NB_N | NB_S | NB_W | NB_E, {64, 0, 64, 64});
    EXPECT_EQ(canvas_t::px(64 + 10, 10), 0xFF0000FFu);
    EXPECT_EQ(canvas_t::px(64 + 40, 40), 0xFF0000FFu);
    draw_cell(2, 4, 7, 0, {0, 64, 64, 64});
    EXPECT_EQ(canvas_t::px(30, 64 + 30), 0xFF00FF00u);
    // Ids outside the tables draw nothing at all.
    draw_cell(0, 1, 7, 0, {64, 64, 64, 64});
    draw_cell(2, 17, 7, 0, {64, 64, 64, 64});
    EXPECT_EQ(canvas_t::px(64 + 30, 64 + 30), 0u);
}

}  // namespace
