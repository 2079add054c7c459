#include "app/preload.h"

#include <SDL.h>
#include <SDL_image.h>
#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <filesystem>
#include <mutex>
#include <string>
#include <vector>

#include "app/codec.h"
#include "app/font.h"
#include "app/img_cache.h"
#include "app/lua_ex.h"
#include "app/notes.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/platform_start.h"
#include "support/font_env.h"
#include "support/temp_dir.h"

namespace {

const temp_dir_t game;

// What the loader's data step saw and did, and the main thread's steps.
std::mutex m;
std::condition_variable cv;
bool main_past_loader = false;  // the main thread reached its root window
bool data_done = false;
bool data_done_when_main_went_on = false;
std::vector<std::string> steps;

void on_step(const char* name) {
    const std::lock_guard lock(m);
    steps.push_back(name);
    if (std::string(name) == "wait_for_loader") data_done_when_main_went_on = data_done;
    if (std::string(name) == "cursors_and_root") {
        main_past_loader = true;
        cv.notify_all();
    }
}

// Holds on until the main thread has gone past waiting for the loader, or
// 200 ms have passed. A main thread that waits can never go past, so the step
// always takes its 200 ms there; one that does not goes on at once, and the
// step is still running when it does.
void slow_data() {
    std::unique_lock lock(m);
    cv.wait_for(lock, std::chrono::milliseconds(200), [] { return main_past_loader; });
    data_done = true;
}

SDL_threadID box_thread = 0;
int boxes = 0;

class Preload : public ::testing::Test {
protected:
    static void SetUpTestSuite() {
        font_env_t::copy_fonts(game);
        game.folder("gfx");
        SDL_Surface* s = SDL_CreateRGBSurfaceWithFormat(0, 24, 12, 32, SDL_PIXELFORMAT_ABGR8888);
        ASSERT_NE(s, nullptr);
        SDL_FillRect(s, nullptr, 0xFF336699u);
        ASSERT_EQ(IMG_SavePNG(s, game.path("gfx/pic.png").c_str()), 0);
        SDL_FreeSurface(s);
        game.file("text/broken.lua", "this is not lua (");
        set_exe_dir(wide_from_utf8(game.path() + "/").c_str());
    }
    void SetUp() override {
        main_past_loader = data_done = data_done_when_main_went_on = false;
        steps.clear();
        boxes = 0;
        box_thread = 0;
        lua_msg_box = [](const char*, const char*) {
            ++boxes;
            box_thread = SDL_ThreadID();
        };
        reset_notes();
    }
    void TearDown() override {
        release_platform();
        reset_notes();
    }
    static preload_t what(std::function<void()> data) {
        return {.font_dir = get_exe_dir(), .texts = {{FONT_B7, L"Ab"}}, .data = std::move(data),
                .files = {resolve_img_path(L"pic"), resolve_img_path(L"gone")}};
    }
};

}  // namespace

TEST_F(Preload, TheMainThreadUsesNothingTheLoaderMakesBeforeItHasFinished) {
    ASSERT_TRUE(platform_start(what(slow_data), on_step));
    EXPECT_TRUE(data_done_when_main_went_on) << "the main thread went on while the loader was still at work";
    EXPECT_EQ(steps, (std::vector<std::string>{"sdl_libs", "window", "wait_for_loader", "cursors_and_root"}));
}

TEST_F(Preload, FontsGlyphsAndImagesAreHandedOverToTheMainThread) {
    ASSERT_TRUE(platform_start(what(nullptr)));
    ASSERT_NE(get_font(FONT_DEF), nullptr) << "the font files were opened";
    // The caption's glyphs wait as pixels; their first use makes the texture.
    zg::font_t* b7 = get_font(FONT_B7);
    ASSERT_NE(b7, nullptr);
    zg::glyph_t* a = b7->glyphs.find(U'A');
    ASSERT_NE(a, nullptr) << "rendered ahead";
    EXPECT_TRUE(a->ahead && !a->tex);
    EXPECT_EQ(b7->get_glyph(U'A'), a);
    EXPECT_TRUE(!a->ahead && a->tex);
    EXPECT_EQ(b7->glyphs.find(U'c'), nullptr) << "only the text's glyphs";
    // The decoded image is what loads that file, once: it is not read again.
    const Str pic_file = resolve_img_path(L"pic");
    std::filesystem::rename(game.path("gfx/pic.png"), game.path("gfx/pic.keep"));
    zg::tex_t* pic = new_tex(pic_file);
    std::filesystem::rename(game.path("gfx/pic.keep"), game.path("gfx/pic.png"));
    ASSERT_NE(pic, nullptr);
    EXPECT_EQ(pic->get_size(), (size{24, 12}));
    delete pic;
    EXPECT_EQ(take_preloaded(pic_file), nullptr) << "handed over, not kept twice";
    // A file it could not decode is read again and reported by the main thread, once.
    notes_ready();
    get_img(L"gone");
    get_img(L"gone");
    EXPECT_EQ(said_notes().size(), 1u);
}

TEST_F(Preload, WhatTheLoaderCouldNotReadIsReportedOnTheMainThreadAfterTheMainThreadsOwn) {
    notes_ready();
    ASSERT_TRUE(platform_start(what([] {
        note_trouble(L"lang", {Str(L"xx"), Str(L"cn")});
        lua_ex_t lua;
        lua.init();
        lua.do_file(get_exe_dir() + L"text/broken.lua");
    })));
    note_trouble(L"img", {Str(L"main")});
    EXPECT_EQ(boxes, 0) << "no box from the loader thread";
    ASSERT_EQ(said_notes().size(), 1u) << "only the main thread's note so far";
    preload_report();
    EXPECT_EQ(boxes, 1);
    EXPECT_EQ(box_thread, SDL_ThreadID());
    ASSERT_EQ(said_notes().size(), 2u);
    EXPECT_NE(std::wstring(said_notes()[1].c_str()).find(L"xx"), std::wstring::npos);
    preload_report();
    EXPECT_EQ(boxes, 1) << "reported once";
}

TEST_F(Preload, AMissingFontFileStopsTheStartAfterTheLoaderHasFinished) {
    temp_dir_t empty;
    preload_t p = what(slow_data);
    p.font_dir = utf8_to_str((empty.path() + "/").c_str());
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(platform_start(std::move(p), on_step));
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("fonts/default.ttf could not be opened"), std::string::npos) << err;
    EXPECT_FALSE(data_done) << "no data step without fonts";
    EXPECT_EQ(SDL_WasInit(0), 0u);
}
