#include "app/render.h"

#include <gtest/gtest.h>

#include <array>
#include <functional>
#include <memory>
#include <tuple>

#include "support/canvas.h"
#include "support/temp_dir.h"

namespace {

class Render : public canvas_test_t {
protected:
    void TearDown() override {
        set_fade(255);
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
    const clr_t red{0xFFFF0000u};
    const rect a{0, 0, 10, 10}, b{20, 0, 4, 4}, c{40, 0, 10, 10};
    zg::tex_t white;
    fill_tex(white, 4, 4, white_px);
    set_fade(128);
    fill_rect(&a, &red);
    draw_tex(&white, &b, nullptr);
    EXPECT_NEAR(int(px(5, 5) >> 24), 128, 1);
    EXPECT_NEAR(int(px(21, 1) >> 24), 128, 1);
    set_fade(0);
    fill_rect(&c, &red);
    EXPECT_EQ(px(45, 5), 0u);
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
    EXPECT_NEAR(int(px(21, 1) >> 24), 0x80, 1);
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
    const std::tuple<int, int, uint32_t> probes[] = {
        {25, 25, red}, {94, 10, red}, {109, 49, red}, {26, 10, green}, {93, 25, green}, {60, 49, green},
        {26, 26, blue}, {93, 33, blue}, {9, 10, 0u}, {110, 30, 0u}, {60, 50, 0u}};
    for (const auto& [x, y, want] : probes) EXPECT_EQ(px(x, y), want) << x << "," << y;
}

TEST_F(Render, RenderTargetClearsTransparentOrToTheColour) {
    zg::tex_t& target = canvas->tex;
    const clr_t white{0xFFFFFFFFu}, zero{0}, navy{0xFF102030u}, black{0xFF000000u};
    fill_rect(nullptr, &white);
    set_render_target(&target, &zero);
    EXPECT_EQ(px(3, 3), 0u);  // transparent, not opaque black
    set_render_target(&target, &navy);
    // Back on the screen, the target keeps what it holds and can be drawn.
    set_render_target(nullptr, nullptr);
    clear_screen(&black);
    const rect dst{0, 0, 16, 16};
    EXPECT_EQ(draw_tex(&target, &dst, nullptr), 0);
    EXPECT_EQ(px(5, 5), 0xFF102030u);

    // A scope draws into a layer and gives the target back; an opaque layer has
    // the window's format and copies without blending.
    std::unique_ptr<zg::tex_t> layer(new_target_tex({16, 16}, TARGET_OPAQUE));
    ASSERT_NE(layer, nullptr);
    canvas->clear();
    {
        const render_into_t into(layer.get(), &navy);
        EXPECT_EQ(px(1, 1), 0xFF102030u);
    }
    EXPECT_EQ(px(1, 1), 0u) << "the canvas is the target again";
    uint32_t fmt = 0;
    SDL_BlendMode mode = SDL_BLENDMODE_BLEND;
    SDL_QueryTexture(layer->tex, &fmt, nullptr, nullptr, nullptr);
    SDL_GetTextureBlendMode(layer->tex, &mode);
    EXPECT_EQ(fmt, SDL_GetWindowPixelFormat(get_main_wnd()));
    EXPECT_EQ(mode, SDL_BLENDMODE_NONE);
    EXPECT_EQ(new_target_tex({0, 16}, TARGET_OPAQUE), nullptr);
}

TEST_F(Render, OpaqueAndInvisibleFillsGiveWhatBlendingGives) {
    const clr_t half_blue{0x800000FFu}, red{0xFFFF0000u}, clear{0x00FF0000u};
    const rect a{0, 0, 8, 8};
    fill_rect(&a, &half_blue);
    const uint32_t under = px(2, 2);
    fill_rect(&a, &clear);  // alpha 0: nothing changes
    EXPECT_EQ(px(2, 2), under);
    fill_rect(&a, &red);  // alpha 255: the colour, opaque
    EXPECT_EQ(px(2, 2), 0xFFFF0000u);
    set_fade(128);  // faded, the opaque colour blends again
    fill_rect(&a, &half_blue);
    EXPECT_NE(px(2, 2), 0xFFFF0000u);
    EXPECT_NE(px(2, 2) & 0xFFu, 0u);
    set_fade(255);
    const clr_t back{0x80102030u};
    fill_rect(&a, &back);  // the renderer blends again afterwards
    EXPECT_NE(px(2, 2) >> 24, 0x80u);
}

TEST_F(Render, ScaledCopyKeepsTransparencyAndTheTarget) {
    zg::tex_t src;
    // Columns: opaque red, half-transparent green, transparent; 2 pixels each.
    fill_tex(src, 6, 2, [](int x, int) { return x < 2 ? 0xFFFF0000u : x < 4 ? 0x8000FF00u : 0u; });
    const rect part{0, 0, 6, 2};
    zg::tex_t* half = new_scaled_copy(&src, &part, 3, 1);
    ASSERT_NE(half, nullptr);
    EXPECT_EQ(half->get_size(), (size{3, 1}));
    // Drawing went on into the canvas, the target before the copy.
    const rect dst{10, 10, 3, 1};
    EXPECT_EQ(draw_tex(half, &dst, nullptr), 0);
    EXPECT_EQ(px(10, 10), 0xFFFF0000u);
    EXPECT_NEAR(int(px(11, 10) >> 24), 0x80, 1);  // blended once, when drawn
    // Over the transparent canvas half the green shows: a copy that blended
    // would have halved it once more.
    EXPECT_NEAR(int((px(11, 10) >> 8) & 0xFFu), 0x7F, 1);
    EXPECT_EQ(px(12, 10), 0u);
    delete half;
    EXPECT_EQ(new_scaled_copy(&src, nullptr, 0, 1), nullptr);
    EXPECT_EQ(new_scaled_copy(nullptr, nullptr, 3, 1), nullptr);
}

TEST_F(Render, LoadTakesPaletteImages) {
    const temp_dir_t tmp;
    SDL_Surface* p = SDL_CreateRGBSurfaceWithFormat(0, 5, 2, 8, SDL_PIXELFORMAT_INDEX8);
    const SDL_Color colours[2] = {{255, 0, 0, 255}, {0, 0, 255, 255}};
    SDL_SetPaletteColors(p->format->palette, colours, 0, 2);
    SDL_FillRect(p, nullptr, 1);
    ASSERT_EQ(IMG_SavePNG(p, tmp.path("pal.png").c_str()), 0) << IMG_GetError();
    SDL_FreeSurface(p);
    zg::tex_t q;
    ASSERT_TRUE(q.load(utf8_to_str(tmp.path("pal.png").c_str()), SDL_TEXTUREACCESS_STREAMING));
    const rect dq{10, 0, 5, 2};  // an odd width pads the 8-bit rows
    draw_tex(&q, &dq, nullptr);
    EXPECT_EQ(px(14, 1), 0xFF0000FFu);
    EXPECT_FALSE(q.load(utf8_to_str(tmp.path("missing.png").c_str()), 0));
}

TEST(RenderClosed, DrawingBeforeOpenFailsWithoutCrashing) {
    const clr_t c{0xFFFFFFFFu};
    EXPECT_NE(fill_rect(nullptr, &c), 0);
    clear_screen(&c);
    present_frame();
    zg::tex_t t;
    EXPECT_FALSE(t.create({4, 4}, zg::TEX_ARGB8888, 0));
    close_window();  // closing twice or unopened is harmless
}

}  // namespace
