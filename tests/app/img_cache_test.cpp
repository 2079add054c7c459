#include "app/img_cache.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "support/canvas.h"

namespace fs = std::filesystem;

namespace {

class ImgCache : public ::testing::Test {
protected:
    const test_gfx_t gfx{"tw_img"};

    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
    }
    void TearDown() override {
        close_window();
        quit_sdl_libs();
    }
    void write(const std::string& file, int w, int h) const {
        gfx.img(file, w, h, [](int, int) { return 0xFFC86432u; });
    }
    zg::tex_t* get(const char* leaf) const { return get_img(gfx.name(leaf)); }
};

TEST_F(ImgCache, PngBeforeJpgAndEachLoadedOnce) {
    write("both.png", 3, 2);
    write("both.jpg", 5, 4);
    write("only_jpg.jpg", 6, 1);
    zg::tex_t* both = get("both");
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(both->get_size(), (size{3, 2}));
    EXPECT_EQ(get("only_jpg")->get_size(), (size{6, 1}));
    fs::remove(test_gfx_t::root() / to_utf8_string(gfx.name("both.png")));
    EXPECT_EQ(get("both"), both);  // cached, even with the file gone
    EXPECT_EQ(Str(get_img_name(both)), gfx.name("both"));
    close_window();  // the cache goes with the renderer; without one nothing loads, and nothing is made up
    EXPECT_EQ(get("both"), nullptr);
    ASSERT_TRUE(open_window());
}

// The only test that touches the shared placeholder file gfx/null.png.
TEST_F(ImgCache, MissingImagesGiveThePlaceholderWithoutCachingTheName) {
    const fs::path null_png = test_gfx_t::root() / "null.png";
    fs::remove(null_png);
    write("../null.png", 9, 9);
    zg::tex_t* ph = get("late");
    ASSERT_NE(ph, nullptr);
    EXPECT_EQ(ph->get_size(), (size{9, 9}));
    EXPECT_EQ(ph, get_img(L"null"));
    write("late.png", 2, 3);  // the failed name was not cached: now it loads
    EXPECT_EQ(get("late")->get_size(), (size{2, 3}));

    // With no placeholder file either, one small texture is made, once, as "null".
    close_window();
    fs::remove(null_png);
    ASSERT_TRUE(open_window());
    zg::tex_t* made = get("still_missing");
    ASSERT_NE(made, nullptr);
    EXPECT_EQ(get_img(L"null"), made);
    EXPECT_EQ(get("other_missing"), made);
}

TEST_F(ImgCache, OptionalImagesRememberTheirAbsenceUntilTheCacheIsFreed) {
    const int gen = img_cache_generation();
    EXPECT_EQ(get_opt_img(gfx.name("opt")), nullptr);
    EXPECT_EQ(get_opt_img(nullptr), nullptr);
    EXPECT_EQ(get_opt_img(L""), nullptr);
    write("opt.png", 4, 4);
    EXPECT_EQ(get_opt_img(gfx.name("opt")), nullptr);  // no second look at the disk
    close_window();
    EXPECT_NE(img_cache_generation(), gen);
    ASSERT_TRUE(open_window());
    zg::tex_t* t = get_opt_img(gfx.name("opt"));
    ASSERT_NE(t, nullptr);
    EXPECT_EQ(t, get("opt"));
}

TEST_F(ImgCache, ASizedImageIsScaledOnceAndKept) {
    write("big.png", 8, 8);
    zg::tex_t* big = get("big");
    zg::tex_t* small = get_img_sized(gfx.name("big"), 4, 2);
    ASSERT_NE(small, nullptr);
    EXPECT_NE(small, big);
    EXPECT_EQ(small->get_size(), (size{4, 2}));
    EXPECT_EQ(get_img_sized(gfx.name("big"), 4, 2), small);  // made once
    EXPECT_EQ(Str(get_img_name(small)), gfx.name("big") + L"@4x2");
    EXPECT_EQ(get("big"), big);  // the image itself stays as it was
    EXPECT_EQ(get_img_sized(gfx.name("big"), 8, 8), big);
    EXPECT_EQ(get_img_sized(gfx.name("big"), 0, 3), big);  // nothing to scale to
}

}  // namespace
