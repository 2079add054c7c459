#include "app/img_sheet.h"

#include <gtest/gtest.h>

#include <optional>

#include "app/img_cache.h"
#include "support/canvas.h"

namespace {

struct quarters_case_t {
    int mask;
    std::array<pt_t, 4> want;  // top-left, top-right, bottom-left, bottom-right
};

const quarters_case_t quarter_cases[] = {
    {255, {{{2, 4}, {1, 4}, {2, 3}, {1, 3}}}},                        // all match: the centre
    {0, {{{0, 2}, {3, 2}, {0, 5}, {3, 5}}}},                          // isolated: outer corners
    {NB_N | NB_W, {{{2, 0}, {3, 4}, {2, 5}, {3, 5}}}},                // inner corner top-left
    {NB_NW, {{{0, 2}, {3, 2}, {0, 5}, {3, 5}}}},                      // a diagonal alone is ignored
    {NB_N | NB_S | NB_W | NB_E, {{{2, 0}, {3, 0}, {2, 1}, {3, 1}}}},  // a cross: four inner corners
    {NB_W | NB_E, {{{2, 2}, {1, 2}, {2, 5}, {1, 5}}}},                // horizontal run
    {NB_N | NB_S, {{{0, 4}, {3, 4}, {0, 3}, {3, 3}}}},                // vertical run
    {NB_S | NB_E | NB_SE, {{{0, 2}, {1, 2}, {0, 3}, {1, 3}}}},        // top-left corner of an area
    {255 & ~NB_SE, {{{2, 4}, {1, 4}, {2, 3}, {3, 1}}}},               // one diagonal missing
};

TEST(AutotileQuarters, FramesFollowTheNeighbourMask) {
    for (const auto& c : quarter_cases) {
        const auto got = autotile_quarters(c.mask);
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(got[i], c.want[i]) << "mask " << c.mask << " quarter " << i << " gave (" << got[i].x << ", "
                                         << got[i].y << ")";
    }
}

// Frame colours encode their grid position, so a pixel read back tells which
// frame was drawn there.
constexpr uint32_t frame_clr(int col, int row) {
    return 0xFF000000u | uint32_t(40 + col * 50) << 16 | uint32_t(20 + row * 25) << 8;
}

constexpr int side = 64;

class ImgSheet : public ::testing::Test {
protected:
    test_gfx_t gfx{"tw_sheet"};
    std::optional<canvas_t> canvas;

    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        canvas.emplace(side);
    }
    void TearDown() override {
        canvas.reset();
        close_window();
        quit_sdl_libs();
    }
    // A sheet of fw x fh frames.
    Str grid(const char* leaf, int cols, int rows, int fw, int fh) {
        gfx.png(leaf, cols * fw, rows * fh, [=](int x, int y) { return frame_clr(x / fw, y / fh); });
        return gfx.name(leaf);
    }
    // Scaled copies must not blend neighbouring frames into each other.
    static void nearest(const Str& n) { SDL_SetTextureScaleMode(get_img(n)->tex, SDL_ScaleModeNearest); }
    static uint32_t px(int x, int y) { return canvas_t::px(x, y); }
    static bool all_clear() {
        for (uint32_t v : canvas_t::read({0, 0, side, side}))
            if (v != 0) return false;
        return true;
    }
};

TEST_F(ImgSheet, SplitsRowByRowAndAppends) {
    const Str big = grid("big", 4, 8, 32, 32);
    const Str b = grid("b", 3, 2, 5, 7);
    img_sheet_t sheet(big);
    EXPECT_EQ(sheet.cols, 4);
    EXPECT_EQ(sheet.rows, 8);
    ASSERT_EQ(sheet.frames.size(), 32u);
    const img_frame_t& f = sheet.frames[23];
    EXPECT_EQ(f.src, (rect{96, 160, 32, 32}));
    EXPECT_EQ(f.name, big);
    EXPECT_EQ(f.tex, get_img(big));
    EXPECT_EQ(sheet.frame(3, 5), &f);

    // A second split adds its frames after the first's and sets the grid.
    ASSERT_TRUE(sheet.split_by_size(b, 5, 7));
    EXPECT_EQ(sheet.cols, 3);
    EXPECT_EQ(sheet.rows, 2);
    ASSERT_EQ(sheet.frames.size(), 38u);
    EXPECT_EQ(sheet.frames[32].name, b);
    EXPECT_EQ(sheet.frames[37].src, (rect{10, 7, 5, 7}));
}

TEST_F(ImgSheet, SheetsSmallerThanTheirGridAreRefused) {
    const Str narrow = grid("narrow", 3, 8, 1, 1);  // 3 x 8
    const Str low = grid("low", 4, 7, 1, 1);        // 4 x 7
    const Str ok = grid("ok", 4, 8, 2, 2);          // 8 x 16

    img_sheet_t by_name(narrow);
    EXPECT_EQ(by_name.cols, 0);
    EXPECT_TRUE(by_name.frames.empty());
    img_sheet_t sheet;
    EXPECT_FALSE(sheet.load(low));
    EXPECT_FALSE(sheet.split_by_size(ok, 0, 2));
    EXPECT_FALSE(sheet.split_by_size(ok, 2, -1));
    EXPECT_FALSE(sheet.split_by_size(ok, 9, 2));  // wider than the image
    EXPECT_TRUE(sheet.frames.empty());

    // A refused split keeps what the sheet held.
    ASSERT_TRUE(sheet.load(ok));
    EXPECT_FALSE(sheet.load(narrow));
    EXPECT_EQ(sheet.cols, 4);
    EXPECT_EQ(sheet.rows, 8);
    EXPECT_EQ(sheet.frames.size(), 32u);
}

TEST_F(ImgSheet, AutotileDrawsTheChosenQuarters) {
    const Str tiles = grid("tiles", 4, 8, 4, 4);
    img_sheet_t sheet(tiles);
    ASSERT_EQ(sheet.frames.size(), 32u);
    nearest(tiles);

    for (const int mask : {255, 0, NB_N | NB_W, NB_S | NB_E | NB_SE}) {
        canvas->clear();
        const rect cell{8, 12, 8, 8};
        sheet.draw_autotile(&cell, mask, nullptr);
        const auto q = autotile_quarters(mask);
        const pt_t probe[4] = {{9, 13}, {14, 13}, {9, 18}, {14, 18}};
        for (int i = 0; i < 4; ++i)
            EXPECT_EQ(px(probe[i].x, probe[i].y), frame_clr(q[i].x, q[i].y)) << "mask " << mask << " quarter " << i;
        EXPECT_EQ(px(7, 12), 0u);
        EXPECT_EQ(px(16, 20), 0u);
    }

    // An odd cell is drawn in whole halves: its last column and row stay empty.
    canvas->clear();
    const rect odd{0, 0, 33, 9};
    sheet.draw_autotile(&odd, 0, nullptr);
    EXPECT_EQ(px(15, 0), frame_clr(0, 2));
    EXPECT_EQ(px(16, 0), frame_clr(3, 2));
    EXPECT_EQ(px(31, 7), frame_clr(3, 5));
    EXPECT_EQ(px(32, 0), 0u);
    EXPECT_EQ(px(0, 8), 0u);
}

TEST_F(ImgSheet, AutotileOnAnotherGridDrawsNothing) {
    const rect cell{0, 0, 16, 16};
    img_sheet_t empty;
    empty.draw_autotile(&cell, 255, nullptr);
    img_sheet_t short_sheet;  // 4 x 5
    ASSERT_TRUE(short_sheet.split_by_size(grid("short", 4, 5, 4, 4), 4, 4));
    short_sheet.draw_autotile(&cell, 0, nullptr);
    img_sheet_t thin;  // 3 x 8
    ASSERT_TRUE(thin.split_by_size(grid("thin", 3, 8, 4, 4), 4, 4));
    thin.draw_autotile(&cell, 255, nullptr);
    EXPECT_TRUE(all_clear());
}

}  // namespace
