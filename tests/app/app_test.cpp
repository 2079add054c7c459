#include "app/app.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>

#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

#include "app/audio.h"
#include "app/codec.h"
#include "app/db.h"
#include "app/font.h"
#include "app/ini.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/lua_ex.h"
#include "app/opts.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/scene.h"
#include "app/seams.h"
#include "app/text_info.h"
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

// One enum table that start-up fills from strs.smokes once the text database is up.
text_info_t smoke_row;
const txt_tbl_reg_t smoke_reg(L"smoke", {&smoke_row}, 0);

// Scenes and windows must go while what they may still use is up.
bool services_up() {
    return get_font(FONT_DEF) && get_renderer() && Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 &&
           SDL_WasInit(SDL_INIT_VIDEO) != 0;
}
void note(const char* what) { calls.push_back(std::string(what) + (services_up() ? "" : " too late")); }

// A silent second of 8-bit mono PCM.
std::string silent_wav() {
    const uint32_t n = 8000;
    std::string w = "RIFF";
    auto u32 = [&w](uint32_t v) { for (int i = 0; i < 4; ++i) w += char(v >> (8 * i)); };
    auto u16 = [&w](uint16_t v) { w += char(v & 0xFF), w += char(v >> 8); };
    u32(36 + n);
    w += "WAVEfmt ";
    u32(16), u16(1), u16(1), u32(8000), u32(8000), u16(1), u16(8);
    w += "data";
    u32(n);
    w.append(n, char(0x80));
    return w;
}

struct rec_scene_t : scene_t {
    ~rec_scene_t() override { note("scene deleted"); }
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
    void leave() override { note("scene leave"); }
    pt_t get_cell() override { return {0, 0}; }

    struct rec_wnd_t : wnd_t {
        ~rec_wnd_t() override { note("window deleted"); }
        bool on_msg(const evt_t& m, wnd_t* sender) override {
            if (m.code == EVT_CLOSING && sender == this) note("window closing");
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
        std::ifstream shipped(std::string(TW_SOURCE_DIR) + "/data/text/main.lua", std::ios::binary);
        const std::string main_lua{std::istreambuf_iterator<char>(shipped), {}};
        ASSERT_FALSE(main_lua.empty());
        game.file("text/main.lua", main_lua + "\nstrs.smokes = {{n = \"Alpha\"}}\n");
        game.file("sfx/music/main_00.wav", silent_wav());
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
    // What start-up brought up, seen at the first frame.
    static rect root_rc;
    static bool fonts, text_input, full_screen;
    static int music_vol, sound_vol;
    static std::wstring track, table_name, comma;
    first_frame = [] {
        root_rc = get_root_wnd()->rc;
        fonts = get_font(FONT_DEF) && get_font(FONT_CH_DMG);
        SDL_Event ev{};
        ev.type = SDL_TEXTINPUT;
        SDL_strlcpy(ev.text.text, "\xE5\xAD\x97", sizeof ev.text.text);  // 字
        evt_t e;
        text_input = translate_sdl_evt(&ev, &e) && e.code == EVT_TEXT;
        music_vol = Mix_VolumeMusic(-1);
        sound_vol = snd_mgr::get().sfx_vol;
        track = cur_track().c_str();
        table_name = smoke_row.n ? smoke_row.n : L"";
        comma = lang_cma.c_str();
        full_screen = opts().full_screen;
        auto* s = new rec_scene_t;
        reg_scene(s);
        push_scene(s, true);
    };
    EXPECT_EQ(app_main(0, nullptr), 0);
    ASSERT_TRUE(first_done);
    EXPECT_EQ(root_rc, (rect{0, 0, 640, 480}));
    EXPECT_TRUE(fonts);
    EXPECT_TRUE(text_input);
    EXPECT_EQ(music_vol, 10 * MIX_MAX_VOLUME / 100);
    EXPECT_EQ(sound_vol, 25);
    EXPECT_TRUE(track.ends_with(L"sfx/music/main_00.wav")) << to_utf8_string(track.c_str());
    EXPECT_EQ(comma, L"\uFF0C");       // main.lua ran
    EXPECT_EQ(table_name, L"Alpha");  // the tables were read after it
    EXPECT_FALSE(full_screen);        // the options were read
    EXPECT_EQ(msg_boxes, 0);

    EXPECT_EQ(calls, (std::vector<std::string>{"scene leave", "window closing", "window deleted", "scene deleted"}));
    EXPECT_EQ(get_main_menu_scene(), nullptr);
    EXPECT_EQ(owned_wnd_count(), 0);
    EXPECT_EQ(get_font(FONT_DEF), nullptr);
    EXPECT_EQ(cursor_count(), 0);
    EXPECT_EQ(get_renderer(), nullptr);
    EXPECT_EQ(get_main_wnd(), nullptr);
    EXPECT_EQ(Mix_QuerySpec(nullptr, nullptr, nullptr), 0);
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
