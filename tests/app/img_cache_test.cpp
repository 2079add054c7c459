#include "app/img_cache.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include <unistd.h>

#include "app/paths.h"
#include "app/render.h"

namespace fs = std::filesystem;

namespace {

fs::path gfx_path() { return fs::path(to_utf8_string(get_gfx_dir())); }

void write_img(const fs::path& file, int w, int h) {
    fs::create_directories(file.parent_path());
    SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, w, h, 24, SDL_PIXELFORMAT_RGB24);
    ASSERT_NE(s, nullptr);
    SDL_FillRect(s, nullptr, SDL_MapRGB(s->format, 200, 100, 50));
    const int rc = file.extension() == ".png" ? IMG_SavePNG(s, file.string().c_str())
                                              : IMG_SaveJPG(s, file.string().c_str(), 90);
    SDL_FreeSurface(s);
    ASSERT_EQ(rc, 0) << IMG_GetError();
}

// Images go into a folder of this process under the real graphics folder, so
// names stay relative to it as the game's are.
class ImgCache : public ::testing::Test {
protected:
    std::wstring sub = L"tw_img_" + std::to_wstring(getpid()) + L"/";
    fs::path dir = gfx_path() / ("tw_img_" + std::to_string(getpid()));

    void SetUp() override {
        ASSERT_TRUE(init_sdl_libs()) << SDL_GetError();
        ASSERT_TRUE(open_window()) << SDL_GetError();
    }
    void TearDown() override {
        close_window();
        quit_sdl_libs();
        std::error_code ec;
        fs::remove_all(dir, ec);
        fs::remove(gfx_path(), ec);  // only when no other run still uses it
    }
    Str name(const wchar_t* leaf) const { return Str((sub + leaf).c_str()); }
};

}  // namespace

TEST_F(ImgCache, PngBeforeJpgAndEachLoadedOnce) {
    write_img(dir / "both.png", 3, 2);
    write_img(dir / "both.jpg", 5, 4);
    write_img(dir / "only_jpg.jpg", 6, 1);

    EXPECT_EQ(resolve_img_path(name(L"both")), get_gfx_dir() + name(L"both") + L".png");
    EXPECT_EQ(resolve_img_path(name(L"nothing")), get_gfx_dir() + name(L"nothing") + L".jpg");
    EXPECT_TRUE(img_exists(name(L"both")));
    EXPECT_TRUE(img_exists(name(L"only_jpg")));
    EXPECT_FALSE(img_exists(name(L"nothing")));

    zg::tex_t* both = get_img(name(L"both"));
    ASSERT_NE(both, nullptr);
    EXPECT_EQ(both->get_size(), (size{3, 2}));
    zg::tex_t* jpg = get_img(name(L"only_jpg"));
    ASSERT_NE(jpg, nullptr);
    EXPECT_EQ(jpg->get_size(), (size{6, 1}));

    // Cached: the same object comes back, even after the file is gone.
    fs::remove(dir / "both.png");
    EXPECT_EQ(get_img(name(L"both")), both);
    EXPECT_EQ(Str(get_img_name(both)), name(L"both"));

    // Names compare case-sensitively.
    write_img(dir / "Case.png", 2, 2);
    write_img(dir / "case.png", 4, 4);
    EXPECT_NE(get_img(name(L"Case")), get_img(name(L"case")));
}

TEST_F(ImgCache, NameOfATextureOutsideTheCacheIsNull) {
    zg::tex_t loose;
    EXPECT_EQ(get_img_name(&loose), nullptr);
    EXPECT_EQ(get_img_name(nullptr), nullptr);
    EXPECT_EQ(new_tex(L"/no/such/file.png"), nullptr);
}

TEST_F(ImgCache, CloseWindowEmptiesTheCache) {
    write_img(dir / "a.png", 3, 3);
    zg::tex_t* first = get_img(name(L"a"));
    ASSERT_NE(first, nullptr);
    close_window();
    EXPECT_EQ(get_img_name(first), nullptr);
    // Without a renderer nothing loads, and nothing is made up.
    EXPECT_EQ(get_img(name(L"a")), nullptr);
    ASSERT_TRUE(open_window());
    write_img(dir / "a.png", 7, 7);
    zg::tex_t* again = get_img(name(L"a"));
    ASSERT_NE(again, nullptr);
    EXPECT_EQ(again->get_size(), (size{7, 7}));
}

// The only test that touches the shared placeholder file gfx/null.png.
TEST_F(ImgCache, MissingImagesGiveThePlaceholderWithoutCachingTheName) {
    const fs::path null_png = gfx_path() / "null.png";
    std::error_code ec;
    fs::remove(null_png, ec);
    write_img(null_png, 9, 9);

    zg::tex_t* ph = get_img(name(L"late"));
    ASSERT_NE(ph, nullptr);
    EXPECT_EQ(ph->get_size(), (size{9, 9}));
    EXPECT_EQ(ph, get_img(L"null"));
    EXPECT_STREQ(get_img_name(ph), L"null");

    // The failed name was not cached: once the file exists it loads.
    write_img(dir / "late.png", 2, 3);
    zg::tex_t* late = get_img(name(L"late"));
    ASSERT_NE(late, ph);
    EXPECT_EQ(late->get_size(), (size{2, 3}));

    // With no placeholder file either, one small texture is made, once, as "null".
    close_window();
    fs::remove(null_png);
    ASSERT_TRUE(open_window());
    zg::tex_t* made = get_img(name(L"still_missing"));
    ASSERT_NE(made, nullptr);
    EXPECT_GT(made->get_size().w, 0);
    EXPECT_EQ(get_img(L"null"), made);
    EXPECT_EQ(get_img(name(L"other_missing")), made);
    EXPECT_STREQ(get_img_name(made), L"null");
    EXPECT_EQ(get_img(nullptr), made);
}
