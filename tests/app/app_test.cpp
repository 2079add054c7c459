#include "app/app.h"

#include <SDL.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/codec.h"
#include "app/ini.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/lua_ex.h"
#include "app/paths.h"
#include "app/scene.h"
#include "app/seams.h"
#include "screens/arena.h"
#include "screens/main_menu.h"
#include "support/font_env.h"
#include "support/temp_dir.h"
#include "ui/wnd.h"

namespace {
// A game folder of the test's own; it outlives the configuration, which is
// written into it at process exit.
const temp_dir_t game;

std::vector<std::string> calls;
int msg_boxes = 0;
// The one step run at the first frame of the running program.
void (*first_frame)() = nullptr;
bool first_done = false;

struct rec_scene_t : scene_t {
    ~rec_scene_t() override { calls.push_back("scene deleted"); }
    bool on_evt(const evt_t*, wnd_t*) override { return false; }
    void update() override {}
    void draw() override {}
    bool enter() override {
        auto* w = new rec_wnd_t;
        const rect r{0, 0, 10, 10};
        w->create(0, WND_ROOT, &r, 0, 0, nullptr);
        reg_owned_wnd(w);
        return true;
    }
    void resume() override {}
    void leave() override { calls.push_back("scene leave"); }
    pt_t get_cell() override { return {0, 0}; }

    struct rec_wnd_t : wnd_t {
        ~rec_wnd_t() override { calls.push_back("window deleted"); }
        bool on_msg(const evt_t& m, wnd_t* sender) override {
            if (m.code == EVT_CLOSING && sender == this) calls.push_back("window closing");
            return false;
        }
    };
};

// The frame timer reads the counter once per frame: the first read is the first frame.
uint64_t counter() {
    if (!first_done) {
        first_done = true;
        if (first_frame) first_frame();
        request_quit();
    }
    return SDL_GetPerformanceCounter();
}

class App : public ::testing::Test {
protected:
    void SetUp() override {
        std::filesystem::create_directories(game.root() / "text/cn");
        std::filesystem::copy_file(std::string(TW_SOURCE_DIR) + "/data/text/main.lua", game.path("text/main.lua"),
                                   std::filesystem::copy_options::overwrite_existing);
        if (!std::filesystem::exists(game.root() / "fonts")) font_env_t::copy_fonts(game);
        game.file("config.ini", "[Main]\r\nauto_arena=1\r\nfull_screen=0\r\nwindowed_size=640x480\r\n");
        set_exe_dir(wide_from_utf8(game.path() + "/").c_str());
        CZsConfig::instance().load((get_exe_dir() + L"config.ini").buf, true);
        calls.clear();
        msg_boxes = 0;
        lua_msg_box = [](const char*, const char*) { ++msg_boxes; };
        first_done = false;
        first_frame = nullptr;
        seams().perf_counter = counter;
        // The quit flag of an earlier run in this process is never cleared by the program.
        input_state() = input_state_t{};
    }
    void TearDown() override { seams_reset(); }
};
}  // namespace

TEST_F(App, RunsHeadlessAndShutsDownInOrder) {
    static rect root_rc;
    first_frame = [] {
        root_rc = get_root_wnd()->rc;
        auto* s = new rec_scene_t;
        reg_scene(s);
        push_scene(s, true);
    };
    EXPECT_EQ(app_main(0, nullptr), 0);
    EXPECT_TRUE(first_done);
    EXPECT_EQ(root_rc, (rect{0, 0, 640, 480}));
    EXPECT_EQ(msg_boxes, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"scene leave", "window closing", "window deleted", "scene deleted"}));
    EXPECT_EQ(get_main_menu_scene(), nullptr);
    EXPECT_EQ(owned_wnd_count(), 0);
    EXPECT_EQ(SDL_WasInit(0), 0u);
}

TEST_F(App, AutoArenaPutsTheArenaOverTheMainMenu) {
    static bool arena_on_top, menu_below;
    first_frame = [] {
        arena_on_top = dynamic_cast<arena_scene_t*>(get_top_scene()) != nullptr;
        pop_scene();
        menu_below = dynamic_cast<main_menu_scene_t*>(get_top_scene()) != nullptr;
    };
    EXPECT_EQ(app_main(0, nullptr), 0);
    EXPECT_TRUE(arena_on_top);
    EXPECT_TRUE(menu_below);
    EXPECT_EQ(get_arena_scene(), nullptr);
}

TEST_F(App, WithoutAutoArenaOnlyTheMainMenuIsPushed) {
    CZsConfig::instance().set_int(L"auto_arena", 0, L"Main");
    static bool menu_on_top, only_one;
    first_frame = [] {
        menu_on_top = dynamic_cast<main_menu_scene_t*>(get_top_scene()) != nullptr;
        pop_scene();
        only_one = !has_scene();
    };
    EXPECT_EQ(app_main(0, nullptr), 0);
    EXPECT_TRUE(menu_on_top);
    EXPECT_TRUE(only_one);
}

TEST_F(App, MissingFontsFailTheStart) {
    std::filesystem::remove(game.path("fonts/console.fon"));
    EXPECT_EQ(app_main(0, nullptr), -1);
    EXPECT_FALSE(first_done);
    EXPECT_EQ(SDL_WasInit(0), 0u);
    font_env_t::copy_fonts(game, "", "", "DejaVuSansMono.ttf");
}

TEST_F(App, PlatformFailureEndsWithMinusOneAndReleasesSdl) {
    const char* old = std::getenv("SDL_VIDEODRIVER");
    const std::string saved = old ? old : "";
    setenv("SDL_VIDEODRIVER", "no-such-driver", 1);
    EXPECT_EQ(app_main(0, nullptr), -1);
    setenv("SDL_VIDEODRIVER", saved.c_str(), 1);
    EXPECT_FALSE(first_done);
    EXPECT_EQ(SDL_WasInit(0), 0u);
}
