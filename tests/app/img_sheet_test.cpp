#include "app/img_sheet.h"

#include <gtest/gtest.h>

#include "app/img_cache.h"
#include "support/canvas.h"

namespace {

TEST(AutotileQuarters, FramesFollowTheNeighbourMask) {
    // Top-left, top-right, bottom-left, bottom-right.
    const std::pair<int, std::array<pt_t, 4>> rows[] = {
        {255, {{{2, 4}, {1, 4}, {2, 3}, {1, 3}}}},           // all match: the centre
        {0, {{{0, 2}, {3, 2}, {0, 5}, {3, 5}}}},             // isolated: outer corners
        {NB_N | NB_W, {{{2, 0}, {3, 4}, {2, 5}, {3, 5}}}},   // inner corner top-left
        {NB_NW, {{{0, 2}, {3, 2}, {0, 5}, {3, 5}}}},         // a diagonal alone is ignored
        {255 & ~NB_SE, {{{2, 4}, {1, 4}, {2, 3}, {3, 1}}}},  // one diagonal missing
    };
    for (const auto& [mask, want] : rows) EXPECT_EQ(autotile_quarters(mask), want) << "mask " << mask;
}

// Frame colours encode their grid position, so a pixel read back tells which
// frame was drawn there.
constexpr uint32_t frame_clr(int col, int row) {
    return 0xFF000000u | uint32_t(40 + col * 50) << 16 | uint32_t(20 + row * 25) << 8;
}

class ImgSheet : public canvas_test_t {
protected:
    const test_gfx_t gfx{"tw_sheet"};

    // A sheet of fw x fh frames, drawn unblended when scaled.
    Str grid(const char* leaf, int cols, int rows, int fw, int fh) const {
        gfx.img(std::string(leaf) + ".png", cols * fw, rows * fh,
                [=](int x, int y) { return frame_clr(x / fw, y / fh); });
        SDL_SetTextureScaleMode(get_img(gfx.name(leaf))->tex, SDL_ScaleModeNearest);
        return gfx.name(leaf);
    }
};

TEST_F(ImgSheet, SplitsRowByRowAppendsAndRefusesSmallSheets) {
    const Str big = grid("big", 4, 8, 32, 32), b = grid("b", 3, 2, 5, 7);
    img_sheet_t sheet(big);
    ASSERT_EQ(sheet.frames.size(), 32u);
    EXPECT_EQ(sheet.frame(3, 5)->src, (rect{96, 160, 32, 32}));
    EXPECT_EQ(sheet.frame(4, 0), nullptr);
    ASSERT_TRUE(sheet.split_by_size(b, 5, 7));  // appends and sets the grid
    ASSERT_EQ(sheet.frames.size(), 38u);
    EXPECT_EQ(sheet.frames[37].src, (rect{10, 7, 5, 7}));

    // Sheets smaller than their grid are refused, and a refusal keeps what the sheet held.
    const Str narrow = grid("narrow", 3, 8, 1, 1), low = grid("low", 4, 7, 1, 1);
    img_sheet_t by_name(narrow), empty;
    EXPECT_TRUE(by_name.frames.empty());
    EXPECT_FALSE(empty.load(low));
    EXPECT_FALSE(empty.split_by_size(b, 0, 2) || empty.split_by_size(b, 16, 2));  // 16: wider than the image
    EXPECT_TRUE(empty.frames.empty());
    EXPECT_FALSE(sheet.load(narrow));
    EXPECT_EQ(sheet.frames.size(), 38u);
}

TEST_F(ImgSheet, AutotileDrawsTheChosenQuartersOnItsGridOnly) {
    const img_sheet_t sheet(grid("tiles", 4, 8, 4, 4));
    const rect cell{8, 12, 8, 8};
    const int mask = NB_S | NB_E | NB_SE;
    sheet.draw_autotile(&cell, mask, nullptr);
    const auto q = autotile_quarters(mask);
    const pt_t probe[4] = {{9, 13}, {14, 13}, {9, 18}, {14, 18}};
    for (int i = 0; i < 4; ++i) EXPECT_EQ(px(probe[i].x, probe[i].y), frame_clr(q[i].x, q[i].y)) << "quarter " << i;
    EXPECT_EQ(px(7, 12), 0u);
    EXPECT_EQ(px(16, 20), 0u);

    canvas->clear();  // sheets cut to another grid draw nothing
    img_sheet_t empty, short_sheet, thin;
    ASSERT_TRUE(short_sheet.split_by_size(grid("short", 4, 5, 4, 4), 4, 4));
    ASSERT_TRUE(thin.split_by_size(grid("thin", 3, 8, 4, 4), 4, 4));
    empty.draw_autotile(&cell, 255, nullptr);
    short_sheet.draw_autotile(&cell, 0, nullptr);
    thin.draw_autotile(&cell, 255, nullptr);
    for (uint32_t v : canvas_t::read(cell)) EXPECT_EQ(v, 0u);
}

}  // namespace
