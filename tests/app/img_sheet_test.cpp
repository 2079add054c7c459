#include "app/img_sheet.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/img_cache.h"
#include "app/paths.h"
#include "app/render.h"
#include "app/tex.h"

namespace fs = std::filesystem;

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

fs::path gfx_path() { return fs::path(to_utf8_string(get_gfx_dir())); }

// Frame colours encode their grid position, so a pixel read back tells which
// frame was drawn there.
constexpr uint32_t frame_clr(int col, int row) {
    return 0xFF000000u | uint32_t(40 + col * 50) << 16 | uint32_t(20 + row * 25) << 8;
}

void write_grid(const fs::path& file, int cols, int rows, int fw, int fh) {
    const int w = cols * fw;
    const int h = rows * fh;
    fs::create_directories(file.parent_path());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
    ASSERT_NE(s, nullptr);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x)
            static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] = frame_clr(x / fw, y / fh);
    const int rc = IMG_SavePNG(s, file.string().c_str());
    SDL_FreeSurface(s);
    ASSERT_EQ(rc, 0) << IMG_GetError();
}

constexpr int side = 64;

// Draws into a cleared ARGB8888 target and reads it back.
class ImgSheet : public ::testing::Test {
protected:
    std::wstring sub = L"tw_sheet_" + std::to_wstring(getpid()) + L"/";
    fs::path dir = gfx_path() / ("tw_sheet_" + std::to_string(getpid()));
    zg::tex_t target;

    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        ASSERT_TRUE(target.create({side, side}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET));
        const clr_t clear{0};
        set_render_target(&target, &clear);
    }
    void TearDown() override {
        set_render_target(nullptr, nullptr);
        SDL_DestroyTexture(target.tex);
        target.tex = nullptr;
        close_window();
        quit_sdl_libs();
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::remove(gfx_path(), ec);  // only when no other run still uses it
    }
    Str name(const char* leaf) const { return Str((sub + Str(leaf).c_str()).c_str()); }
    // Scaled copies must not blend neighbouring frames into each other.
    void nearest(const Str& n) { SDL_SetTextureScaleMode(get_img(n)->tex, SDL_ScaleModeNearest); }

    uint32_t px(int x, int y) {
        uint32_t v = 0;
        const SDL_Rect r{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), &r, SDL_PIXELFORMAT_ARGB8888, &v, 4), 0) << SDL_GetError();
        return v;
    }
    bool all_clear() {
        for (int y = 0; y < side; ++y)
            for (int x = 0; x < side; ++x)
                if (px(x, y) != 0) return false;
        return true;
    }
};

TEST_F(ImgSheet, SplitsRowByRowAndAppends) {
    write_grid(dir / "big.png", 4, 8, 32, 32);
    write_grid(dir / "b.png", 3, 2, 5, 7);
    img_sheet_t sheet(name("big"));
    EXPECT_EQ(sheet.cols, 4);
    EXPECT_EQ(sheet.rows, 8);
    ASSERT_EQ(sheet.frames.size(), 32u);
    const img_frame_t& f = sheet.frames[23];
    EXPECT_EQ(f.src, (rect{96, 160, 32, 32}));
    EXPECT_EQ(f.name, name("big"));
    EXPECT_EQ(f.tex, get_img(name("big")));
    EXPECT_EQ(sheet.frame(3, 5), &f);

    // A second split adds its frames after the first's and sets the grid.
    ASSERT_TRUE(sheet.split_by_size(name("b"), 5, 7));
    EXPECT_EQ(sheet.cols, 3);
    EXPECT_EQ(sheet.rows, 2);
    ASSERT_EQ(sheet.frames.size(), 38u);
    EXPECT_EQ(sheet.frames[32].name, name("b"));
    EXPECT_EQ(sheet.frames[37].src, (rect{10, 7, 5, 7}));
}

TEST_F(ImgSheet, SheetsSmallerThanTheirGridAreRefused) {
    write_grid(dir / "narrow.png", 3, 8, 1, 1);  // 3 x 8
    write_grid(dir / "low.png", 4, 7, 1, 1);     // 4 x 7
    write_grid(dir / "ok.png", 4, 8, 2, 2);      // 8 x 16

    img_sheet_t narrow(name("narrow"));
    EXPECT_EQ(narrow.cols, 0);
    EXPECT_TRUE(narrow.frames.empty());
    img_sheet_t low;
    EXPECT_FALSE(low.load(name("low")));
    EXPECT_TRUE(low.frames.empty());

    img_sheet_t sheet;
    EXPECT_FALSE(sheet.split_by_size(name("ok"), 0, 2));
    EXPECT_FALSE(sheet.split_by_size(name("ok"), 2, -1));
    EXPECT_FALSE(sheet.split_by_size(name("ok"), 9, 2));  // wider than the image
    EXPECT_TRUE(sheet.frames.empty());

    // A refused split keeps what the sheet held.
    ASSERT_TRUE(sheet.load(name("ok")));
    EXPECT_FALSE(sheet.load(name("narrow")));
    EXPECT_EQ(sheet.cols, 4);
    EXPECT_EQ(sheet.rows, 8);
    EXPECT_EQ(sheet.frames.size(), 32u);
}

TEST_F(ImgSheet, AutotileDrawsTheChosenQuarters) {
    write_grid(dir / "tiles.png", 4, 8, 4, 4);
    const Str n = name("tiles");
    img_sheet_t sheet(n);
    ASSERT_EQ(sheet.frames.size(), 32u);
    nearest(n);

    for (const int mask : {255, 0, NB_N | NB_W, NB_S | NB_E | NB_SE}) {
        const clr_t clear{0};
        set_render_target(&target, &clear);
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
    const clr_t clear{0};
    set_render_target(&target, &clear);
    const rect odd{0, 0, 33, 9};
    sheet.draw_autotile(&odd, 0, nullptr);
    EXPECT_EQ(px(15, 0), frame_clr(0, 2));
    EXPECT_EQ(px(16, 0), frame_clr(3, 2));
    EXPECT_EQ(px(31, 7), frame_clr(3, 5));
    EXPECT_EQ(px(32, 0), 0u);
    EXPECT_EQ(px(0, 8), 0u);
}

TEST_F(ImgSheet, AutotileOnAnotherGridDrawsNothing) {
    write_grid(dir / "short.png", 4, 5, 4, 4);
    write_grid(dir / "thin.png", 3, 8, 4, 4);
    const rect cell{0, 0, 16, 16};

    img_sheet_t empty;
    empty.draw_autotile(&cell, 255, nullptr);
    img_sheet_t short_sheet;
    ASSERT_TRUE(short_sheet.split_by_size(name("short"), 4, 4));
    short_sheet.draw_autotile(&cell, 0, nullptr);
    img_sheet_t thin;
    ASSERT_TRUE(thin.split_by_size(name("thin"), 4, 4));
    thin.draw_autotile(&cell, 255, nullptr);
    EXPECT_TRUE(all_clear());
}

}  // namespace
