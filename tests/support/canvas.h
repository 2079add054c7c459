#pragma once
// For tests that check drawn pixels: a target texture to draw into and read
// back (and save_png for a person to look at it), and test images written under the game's graphics folder so that
// get_img finds them by name.
#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <unistd.h>

#include "app/paths.h"
#include "app/render.h"
#include "app/str.h"
#include "app/tex.h"
#include "support/shot_png.h"

// The game folder that the build fills (fonts and the ui pictures).
inline std::filesystem::path game_dir() { return std::filesystem::current_path().parent_path() / "game"; }

// Needs the renderer and must go before it: drawing lands here until then.
class canvas_t {
public:
    zg::tex_t tex;

    explicit canvas_t(int side) {
        EXPECT_TRUE(tex.create({side, side}, zg::TEX_ARGB8888, SDL_TEXTUREACCESS_TARGET)) << SDL_GetError();
        clear();
    }
    ~canvas_t() { set_render_target(nullptr, nullptr); }

    // Makes this the target again, cleared to transparent.
    void clear() { set_render_target(&tex, nullptr); }
    // ARGB8888 pixels of the current target, row by row.
    static std::vector<uint32_t> read(const rect& r) {
        std::vector<uint32_t> v(size_t(r.w) * size_t(r.h));
        const SDL_Rect sr{r.x, r.y, r.w, r.h};
        EXPECT_EQ(SDL_RenderReadPixels(get_renderer(), &sr, SDL_PIXELFORMAT_ARGB8888, v.data(), r.w * 4), 0)
            << SDL_GetError();
        return v;
    }
    static uint32_t px(int x, int y) { return read({x, y, 1, 1})[0]; }
};

// SDL and a window, drawing into a canvas of 128 pixels a side.
class canvas_test_t : public ::testing::Test {
protected:
    std::optional<canvas_t> canvas;

    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
        canvas.emplace(128);
    }
    void TearDown() override {
        canvas.reset();
        close_window();
        quit_sdl_libs();
    }
    static uint32_t px(int x, int y) { return canvas_t::px(x, y); }
};

// A folder of this process under gfx/, removed with its images at the end.
class test_gfx_t {
public:
    explicit test_gfx_t(const std::string& tag) : sub_(tag + "_" + std::to_string(getpid())), dir_(root() / sub_) {}
    // The shared gfx/ root stays: removing it races with other test programs creating theirs.
    ~test_gfx_t() { std::error_code ec; std::filesystem::remove_all(dir_, ec); }
    test_gfx_t(const test_gfx_t&) = delete;
    test_gfx_t& operator=(const test_gfx_t&) = delete;

    static std::filesystem::path root() { return std::filesystem::path(to_utf8_string(get_gfx_dir())); }
    // The image name get_img takes for a file written here.
    Str name(const std::string& leaf) const { return Str((sub_ + "/" + leaf).c_str()); }
    // Writes file (".png" or ".jpg", relative to this folder), each pixel coloured by argb_at(x, y).
    void img(const std::string& file, int w, int h, const std::function<uint32_t(int, int)>& argb_at) const {
        std::filesystem::create_directories(dir_);
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 32, SDL_PIXELFORMAT_ARGB8888);
        ASSERT_NE(s, nullptr);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x) static_cast<uint32_t*>(s->pixels)[y * (s->pitch / 4) + x] = argb_at(x, y);
        const std::string path = (dir_ / file).string();
        const int rc = file.ends_with(".jpg") ? IMG_SaveJPG(s, path.c_str(), 90) : IMG_SavePNG(s, path.c_str());
        SDL_FreeSurface(s);
        ASSERT_EQ(rc, 0) << IMG_GetError();
    }
    void png(const std::string& leaf, int w, int h, uint32_t argb) const {
        img(leaf + ".png", w, h, [argb](int, int) { return argb; });
    }

private:
    std::string sub_;
    std::filesystem::path dir_;
};
