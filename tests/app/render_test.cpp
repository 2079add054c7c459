#include "app/render.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "app/str.h"
#include "support/temp_dir.h"

namespace {

constexpr int side = 128;

// Draws into an ARGB8888 target texture and reads it back, so every check
// sees exactly the pixels the software renderer wrote.
class Render : public ::testing::Test {
protected:
    zg::tex_t target;

    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        ASSERT_TRUE(target.create({side, side}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET));
        const clr_t clear{0};
        set_render_target(&target, &clear);
    }
    void TearDown() override {
        set_fade(255);
        set_clip_rect(nullptr);
        set_render_target(nullptr, nullptr);
        SDL_DestroyTexture(target.tex);
        target.tex = nullptr;
        close_window();
        quit_sdl_libs();
    }

    uint32_t px(int x, int y) {
        uint32_t v = 0;
        const SDL_Rect r{x, y, 1, 1};
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), &r, SDL_PIXELFORMAT_ARGB8888, &v, 4), 0) << SDL_GetError();
        return v;
    }
    static int alpha(uint32_t v) { return int(v >> 24); }
};

// A static texture of one colour per pixel, given row by row.
zg::tex_t* make_tex(int w, int h, const std::vector<uint32_t>& argb) {
    auto* t = new zg::tex_t;
    EXPECT_TRUE(t->create({w, h}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_STATIC));
    SDL_UpdateTexture(t->tex, nullptr, argb.data(), w * 4);
    SDL_SetTextureBlendMode(t->tex, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(t->tex, SDL_ScaleModeNearest);
    return t;
}

zg::tex_t* solid_tex(int w, int h, uint32_t argb) { return make_tex(w, h, std::vector<uint32_t>(w * h, argb)); }

}  // namespace

TEST_F(Render, OpenWindowKnowsScreenAndTextureLimits) {
    EXPECT_NE(get_main_wnd(), nullptr);
    EXPECT_GT(get_scrn_size()->w, 0);
    EXPECT_GT(get_scrn_size()->h, 0);
    // The software renderer reports 0, "no limit"; -1 would mean no renderer yet.
    EXPECT_GE(get_max_tex_size()->w, 0);
}

TEST_F(Render, FadeScalesAlphaOfShapesAndTextures) {
    EXPECT_EQ(faded_draw_alpha(255), 255);
    EXPECT_EQ(faded_tex_alpha(200), 200);
    set_fade(128);
    EXPECT_EQ(faded_draw_alpha(255), 128);
    EXPECT_EQ(faded_tex_alpha(255), 128);
    EXPECT_EQ(faded_tex_alpha(100), 100 * 128 / 255);

    const clr_t red{0xFFFF0000u};
    const rect a{0, 0, 10, 10};
    EXPECT_EQ(fill_rect(&a, &red), 0);
    EXPECT_NEAR(alpha(px(5, 5)), 128, 1);

    std::unique_ptr<zg::tex_t> white(solid_tex(4, 4, 0xFFFFFFFFu));
    const rect b{20, 0, 4, 4};
    EXPECT_EQ(draw_tex(white.get(), &b, nullptr), 0);
    EXPECT_NEAR(alpha(px(21, 1)), 128, 1);

    set_fade(0);
    const rect c{40, 0, 10, 10};
    fill_rect(&c, &red);
    draw_line(40, 20, 60, 20, &red);
    const rect d{60, 0, 4, 4};
    draw_tex(white.get(), &d, nullptr);
    EXPECT_EQ(px(45, 5), 0u);
    EXPECT_EQ(px(50, 20), 0u);
    EXPECT_EQ(px(61, 1), 0u);
}

TEST_F(Render, TintModulatesTextureColour) {
    std::unique_ptr<zg::tex_t> white(solid_tex(4, 4, 0xFFFFFFFFu));
    const clr_t green{0xFF00FF00u};
    const rect dst{0, 0, 4, 4};
    EXPECT_EQ(draw_tex_clr(white.get(), &green, &dst, nullptr), 0);
    EXPECT_EQ(px(1, 1), 0xFF00FF00u);
    // The tint does not stick to the texture: a plain draw is white again.
    const rect dst2{10, 0, 4, 4};
    draw_tex(white.get(), &dst2, nullptr);
    EXPECT_EQ(px(11, 1), 0xFFFFFFFFu);
    // The texture's own alpha multiplies with the tint's.
    const clr_t half{0x80FFFFFFu};
    const rect dst3{20, 0, 4, 4};
    draw_tex_clr(white.get(), &half, &dst3, nullptr);
    EXPECT_NEAR(alpha(px(21, 1)), 0x80, 1);
}

TEST_F(Render, NineSliceSkinKeepsCornersAndStretchesTheRest) {
    // 64 x 64 skin in a 4 x 4 grid of 16-pixel cells: corners red, edges green, centre blue.
    std::vector<uint32_t> skin(64 * 64);
    for (int y = 0; y < 64; ++y)
        for (int x = 0; x < 64; ++x) {
            const bool edge_x = x < 16 || x >= 48, edge_y = y < 16 || y >= 48;
            skin[y * 64 + x] = edge_x && edge_y ? 0xFFFF0000u : edge_x || edge_y ? 0xFF00FF00u : 0xFF0000FFu;
        }
    std::unique_ptr<zg::tex_t> t(make_tex(64, 64, skin));
    const rect dst{10, 10, 100, 40};
    EXPECT_EQ(draw_tex_9slice(&dst, t.get(), nullptr), 0);

    const uint32_t red = 0xFFFF0000u, green = 0xFF00FF00u, blue = 0xFF0000FFu;
    const struct {
        int x, y;
        uint32_t want;
    } probes[] = {
        {10, 10, red},  {25, 25, red},   {109, 10, red},  {94, 10, red},   {10, 49, red},   {109, 49, red},
        {26, 10, green}, {93, 25, green}, {10, 26, green}, {25, 33, green}, {109, 30, green}, {60, 49, green},
        {26, 26, blue}, {93, 26, blue},  {26, 33, blue},  {93, 33, blue},   // the centre is 68 x 8
        {94, 30, green}, {60, 34, green}, {9, 10, 0u},     {110, 30, 0u},   {60, 50, 0u},
    };
    for (const auto& p : probes) {
        SCOPED_TRACE(testing::Message() << p.x << "," << p.y);
        EXPECT_EQ(px(p.x, p.y), p.want);
    }
}

TEST_F(Render, ClipLimitsDrawingAndAnswersPoints) {
    const rect clip{20, 20, 10, 10};
    set_clip_rect(&clip);
    const clr_t white{0xFFFFFFFFu};
    fill_rect(nullptr, &white);
    EXPECT_EQ(px(20, 20), 0xFFFFFFFFu);
    EXPECT_EQ(px(29, 29), 0xFFFFFFFFu);
    EXPECT_EQ(px(19, 20), 0u);
    EXPECT_EQ(px(30, 29), 0u);

    const pt_t in{29, 20}, out{30, 20};
    EXPECT_TRUE(clip_has_pt(&in));
    EXPECT_FALSE(clip_has_pt(&out));

    set_clip_rect(nullptr);
    EXPECT_TRUE(clip_has_pt(&out));
    fill_rect(nullptr, &white);
    EXPECT_EQ(px(0, 0), 0xFFFFFFFFu);

    // {0, 0, 0, 0} also means "no clip".
    const rect none{};
    set_clip_rect(&none);
    EXPECT_TRUE(clip_has_pt(&out));
}

TEST_F(Render, RenderTargetClearsTransparentOrToTheColour) {
    const clr_t white{0xFFFFFFFFu};
    fill_rect(nullptr, &white);
    ASSERT_EQ(px(3, 3), 0xFFFFFFFFu);

    const clr_t zero{0};
    SDL_SetTextureBlendMode(target.tex, SDL_BLENDMODE_NONE);
    set_render_target(&target, &zero);
    EXPECT_EQ(px(3, 3), 0u);  // transparent, not opaque black
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(target.tex, &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_BLEND);

    const clr_t navy{0xFF102030u};
    set_render_target(&target, &navy);
    EXPECT_EQ(px(100, 100), 0xFF102030u);

    // Back on the screen, the target keeps what it holds and can be drawn.
    set_render_target(nullptr, nullptr);
    const clr_t black{0xFF000000u};
    clear_screen(&black);
    const rect dst{0, 0, 16, 16};
    EXPECT_EQ(draw_tex(&target, &dst, nullptr), 0);
    EXPECT_EQ(px(5, 5), 0xFF102030u);
    present_frame();
}

TEST_F(Render, TextureCreateRefusesBadKindsAndSizes) {
    zg::tex_t t;
    const struct {
        size sz;
        int kind;
        bool ok;
    } rows[] = {
        {{8, 8}, zg::TEX_ARGB8888, true}, {{7, 3}, zg::TEX_ARGB1555, true}, {{8, 8}, 0, false},
        {{8, 8}, 3, false},               {{0, 8}, zg::TEX_ARGB8888, false}, {{8, -1}, zg::TEX_ARGB8888, false},
    };
    for (const auto& r : rows) {
        SCOPED_TRACE(testing::Message() << "row " << (&r - rows));
        EXPECT_EQ(t.create(r.sz, r.kind, SDL_TEXTUREACCESS_STREAMING), r.ok);
        if (r.ok) {
            EXPECT_EQ(t.get_size(), r.sz);
            EXPECT_EQ(t.get_format_kind(), r.kind);
            EXPECT_EQ(t.get_access(), SDL_TEXTUREACCESS_STREAMING);
        }
    }
    // Locking answers the pitch, which odd 16-bit widths may pad; a static texture cannot be locked.
    ASSERT_TRUE(t.create({7, 3}, zg::TEX_ARGB1555, SDL_TEXTUREACCESS_STREAMING));
    int pitch = 0;
    ASSERT_NE(t.lock(nullptr, &pitch), nullptr);
    EXPECT_GE(pitch, 7 * 2);
    t.unlock();
    ASSERT_TRUE(t.create({4, 4}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_STATIC));
    EXPECT_FALSE(t.touch(nullptr));
    zg::tex_t none;
    EXPECT_EQ(none.get_size(), (size{}));
    EXPECT_EQ(none.get_format_kind(), 0);
}

TEST_F(Render, LoadCopiesAnImageIntoAStreamingTexture) {
    const temp_dir_t tmp;
    const auto& dir = tmp.root();
    const auto rgba = (dir / "rgba.png").string();
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 5, 3, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0x80336699u);
    ASSERT_EQ(IMG_SavePNG(s, rgba.c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
    // An 8-bit palette image: renderers have no palette textures.
    const auto pal = (dir / "pal.png").string();
    SDL_Surface* p = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 8, SDL_PIXELFORMAT_INDEX8);
    SDL_Color colours[2] = {{255, 0, 0, 255}, {0, 0, 255, 255}};
    SDL_SetPaletteColors(p->format->palette, colours, 0, 2);
    SDL_FillRect(p, nullptr, 1);
    ASSERT_EQ(IMG_SavePNG(p, pal.c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(p);

    zg::tex_t t;
    ASSERT_TRUE(t.load(utf8_to_str(rgba.c_str()), SDL_TEXTUREACCESS_STREAMING));
    EXPECT_EQ(t.get_size(), (size{5, 3}));
    EXPECT_EQ(t.get_access(), SDL_TEXTUREACCESS_STREAMING);
    const rect dst{0, 0, 5, 3};
    SDL_SetTextureBlendMode(t.tex, SDL_BLENDMODE_NONE);
    draw_tex(&t, &dst, nullptr);
    EXPECT_EQ(px(4, 2), 0x80336699u);

    zg::tex_t q;
    ASSERT_TRUE(q.load(utf8_to_str(pal.c_str()), SDL_TEXTUREACCESS_STREAMING));
    EXPECT_EQ(q.get_size(), (size{4, 2}));
    const rect dst2{10, 0, 4, 2};
    draw_tex(&q, &dst2, nullptr);
    EXPECT_EQ(px(13, 1), 0xFF0000FFu);

    // Access 0 loads a static texture straight from the file.
    zg::tex_t direct;
    EXPECT_TRUE(direct.load(utf8_to_str(rgba.c_str()), 0));
    EXPECT_EQ(direct.get_access(), SDL_TEXTUREACCESS_STATIC);
    EXPECT_FALSE(direct.load(utf8_to_str((dir / "missing.png").string().c_str()), 0));
    EXPECT_EQ(direct.tex, nullptr);
}

TEST(RenderClosed, DrawingBeforeOpenFailsWithoutCrashing) {
    const clr_t c{0xFFFFFFFFu};
    EXPECT_EQ(get_renderer(), nullptr);
    EXPECT_NE(fill_rect(nullptr, &c), 0);
    EXPECT_NE(draw_line(0, 0, 1, 1, &c), 0);
    clear_screen(&c);
    present_frame();
    zg::tex_t t;
    EXPECT_FALSE(t.create({4, 4}, zg::TEX_ARGB8888, 0));
    close_window();  // closing twice or unopened is harmless
}
