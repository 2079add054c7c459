#include "app/render.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>

#include "support/canvas.h"
#include "support/temp_dir.h"

namespace {

class Render : public canvas_test_t {
protected:
    void TearDown() override {
        set_fade(255);
        set_clip_rect(nullptr);
        canvas_test_t::TearDown();
    }
};

// A static blending texture, each pixel coloured by argb_at(x, y).
void fill_tex(zg::tex_t& t, int w, int h, const std::function<uint32_t(int, int)>& argb_at) {
    std::vector<uint32_t> px(size_t(w) * size_t(h));
    for (int i = 0; i < w * h; ++i) px[size_t(i)] = argb_at(i % w, i / w);
    ASSERT_TRUE(t.create({w, h}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_STATIC));
    SDL_UpdateTexture(t.tex, nullptr, px.data(), w * 4);
    SDL_SetTextureBlendMode(t.tex, SDL_BLENDMODE_BLEND);
    SDL_SetTextureScaleMode(t.tex, SDL_ScaleModeNearest);
}

uint32_t white_px(int, int) { return 0xFFFFFFFFu; }

TEST_F(Render, FadeScalesAlphaOfShapesAndTextures) {
    EXPECT_GT(get_scrn_size()->w, 0);
    set_fade(128);
    EXPECT_EQ(faded_draw_alpha(255), 128);
    EXPECT_EQ(faded_tex_alpha(100), 100 * 128 / 255);

    const clr_t red{0xFFFF0000u};
    const rect a{0, 0, 10, 10}, b{20, 0, 4, 4}, c{40, 0, 10, 10}, d{60, 0, 4, 4};
    EXPECT_EQ(fill_rect(&a, &red), 0);
    zg::tex_t white;
    fill_tex(white, 4, 4, white_px);
    EXPECT_EQ(draw_tex(&white, &b, nullptr), 0);
    EXPECT_NEAR(canvas_t::alpha(px(5, 5)), 128, 1);
    EXPECT_NEAR(canvas_t::alpha(px(21, 1)), 128, 1);

    set_fade(0);
    fill_rect(&c, &red);
    draw_tex(&white, &d, nullptr);
    EXPECT_EQ((std::array{px(45, 5), px(61, 1)}), (std::array{0u, 0u}));
}

TEST_F(Render, TintModulatesTextureColourWithoutSticking) {
    zg::tex_t white;
    fill_tex(white, 4, 4, white_px);
    const clr_t green{0xFF00FF00u}, half{0x80FFFFFFu};
    const rect a{0, 0, 4, 4}, b{10, 0, 4, 4}, c{20, 0, 4, 4};
    EXPECT_EQ(draw_tex_clr(&white, &green, &a, nullptr), 0);
    draw_tex(&white, &b, nullptr);
    draw_tex_clr(&white, &half, &c, nullptr);  // alphas multiply
    EXPECT_EQ((std::array{px(1, 1), px(11, 1)}), (std::array{0xFF00FF00u, 0xFFFFFFFFu}));
    EXPECT_NEAR(canvas_t::alpha(px(21, 1)), 0x80, 1);
}

TEST_F(Render, NineSliceSkinKeepsCornersAndStretchesTheRest) {
    // 64 x 64 skin in 16-pixel cells: corners red, edges green, centre blue.
    const uint32_t red = 0xFFFF0000u, green = 0xFF00FF00u, blue = 0xFF0000FFu;
    zg::tex_t skin;
    fill_tex(skin, 64, 64, [&](int x, int y) {
        const bool ex = x < 16 || x >= 48, ey = y < 16 || y >= 48;
        return ex && ey ? red : ex || ey ? green : blue;
    });
    const rect dst{10, 10, 100, 40};
    EXPECT_EQ(draw_tex_9slice(&dst, &skin, nullptr), 0);
    const struct {
        int x, y;
        uint32_t want;
    } probes[] = {
        {10, 10, red},   {25, 25, red},   {109, 10, red},  {94, 10, red},   {10, 49, red},  {109, 49, red},
        {26, 10, green}, {93, 25, green}, {10, 26, green}, {109, 30, green}, {60, 49, green}, {94, 30, green},
        {26, 26, blue},  {93, 26, blue},  {26, 33, blue},  {93, 33, blue},  {9, 10, 0u},    {110, 30, 0u},
        {60, 50, 0u},
    };
    for (const auto& p : probes) EXPECT_EQ(px(p.x, p.y), p.want) << p.x << "," << p.y;
}

TEST_F(Render, ClipLimitsDrawingAndAnswersPoints) {
    const rect clip{20, 20, 10, 10}, none{};
    const clr_t white{0xFFFFFFFFu};
    const pt_t in{29, 20}, out{30, 20};
    set_clip_rect(&clip);
    fill_rect(nullptr, &white);
    EXPECT_EQ((std::array{px(29, 29), px(19, 20), px(30, 29)}), (std::array{0xFFFFFFFFu, 0u, 0u}));
    EXPECT_TRUE(clip_has_pt(&in));
    EXPECT_FALSE(clip_has_pt(&out));
    set_clip_rect(&none);  // also "no clip"
    EXPECT_TRUE(clip_has_pt(&out));
}

TEST_F(Render, RenderTargetClearsTransparentOrToTheColour) {
    zg::tex_t& target = canvas->tex;
    const clr_t white{0xFFFFFFFFu}, zero{0}, navy{0xFF102030u}, black{0xFF000000u};
    fill_rect(nullptr, &white);
    SDL_SetTextureBlendMode(target.tex, SDL_BLENDMODE_NONE);
    set_render_target(&target, &zero);
    EXPECT_EQ(px(3, 3), 0u);  // transparent, not opaque black
    SDL_BlendMode mode = SDL_BLENDMODE_NONE;
    SDL_GetTextureBlendMode(target.tex, &mode);
    EXPECT_EQ(mode, SDL_BLENDMODE_BLEND);

    set_render_target(&target, &navy);
    // Back on the screen, the target keeps what it holds and can be drawn.
    set_render_target(nullptr, nullptr);
    clear_screen(&black);
    const rect dst{0, 0, 16, 16};
    EXPECT_EQ(draw_tex(&target, &dst, nullptr), 0);
    EXPECT_EQ(px(5, 5), 0xFF102030u);
    present_frame();
}

TEST_F(Render, TextureCreateRefusesBadKindsAndSizes) {
    const struct {
        size sz;
        int kind;
        bool ok;
    } rows[] = {
        {{8, 8}, zg::TEX_ARGB8888, true}, {{7, 3}, zg::TEX_ARGB1555, true},  {{8, 8}, 0, false},
        {{8, 8}, 3, false},               {{0, 8}, zg::TEX_ARGB8888, false}, {{8, -1}, zg::TEX_ARGB8888, false},
    };
    for (const auto& r : rows) {
        zg::tex_t t;
        EXPECT_EQ(t.create(r.sz, r.kind, SDL_TEXTUREACCESS_STREAMING), r.ok) << (&r - rows);
        EXPECT_EQ(t.get_size(), (r.ok ? r.sz : size{})) << (&r - rows);
        EXPECT_EQ(t.get_format_kind(), r.ok ? r.kind : 0) << (&r - rows);
    }
    zg::tex_t t;  // odd 16-bit widths may pad the pitch; a static texture cannot be locked
    ASSERT_TRUE(t.create({7, 3}, zg::TEX_ARGB1555, SDL_TEXTUREACCESS_STREAMING));
    int pitch = 0;
    ASSERT_NE(t.lock(nullptr, &pitch), nullptr);
    EXPECT_GE(pitch, 7 * 2);
    t.unlock();
    ASSERT_TRUE(t.create({4, 4}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_STATIC));
    EXPECT_FALSE(t.touch(nullptr));
}

TEST_F(Render, LoadTakesTrueColourAndPaletteImages) {
    const temp_dir_t tmp;
    const Str rgba = utf8_to_str(tmp.path("rgba.png").c_str()), pal = utf8_to_str(tmp.path("pal.png").c_str());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 5, 3, 32, SDL_PIXELFORMAT_ARGB8888);
    SDL_FillRect(s, nullptr, 0x80336699u);
    ASSERT_EQ(IMG_SavePNG(s, tmp.path("rgba.png").c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(s);
    SDL_Surface* p = SDL_CreateRGBSurfaceWithFormat(0, 4, 2, 8, SDL_PIXELFORMAT_INDEX8);
    const SDL_Color colours[2] = {{255, 0, 0, 255}, {0, 0, 255, 255}};
    SDL_SetPaletteColors(p->format->palette, colours, 0, 2);
    SDL_FillRect(p, nullptr, 1);
    ASSERT_EQ(IMG_SavePNG(p, tmp.path("pal.png").c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(p);

    zg::tex_t t, q, direct;
    ASSERT_TRUE(t.load(rgba, SDL_TEXTUREACCESS_STREAMING));
    ASSERT_TRUE(q.load(pal, SDL_TEXTUREACCESS_STREAMING));
    EXPECT_EQ(t.get_size(), (size{5, 3}));
    const rect dt{0, 0, 5, 3}, dq{10, 0, 4, 2};
    SDL_SetTextureBlendMode(t.tex, SDL_BLENDMODE_NONE);
    draw_tex(&t, &dt, nullptr);
    draw_tex(&q, &dq, nullptr);
    EXPECT_EQ((std::array{px(4, 2), px(13, 1)}), (std::array{0x80336699u, 0xFF0000FFu}));

    // Access 0 loads a static texture straight from the file.
    EXPECT_TRUE(direct.load(rgba, 0));
    EXPECT_EQ(direct.get_access(), SDL_TEXTUREACCESS_STATIC);
    EXPECT_FALSE(direct.load(utf8_to_str(tmp.path("missing.png").c_str()), 0));
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

}  // namespace
