#include "game/start.h"

#include <SDL.h>
#include <SDL_mixer.h>
#include <gtest/gtest.h>
#include <sys/wait.h>

#include <algorithm>
#include <cstdio>
#include <cwchar>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <tuple>
#include <vector>

#include "app/audio.h"
#include "app/codec.h"
#include "app/db.h"
#include "app/font.h"
#include "app/ini.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/lua_ex.h"
#include "app/notes.h"
#include "app/opts.h"
#include "app/paths.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/scene.h"
#include "app/seams.h"
#include "app/text_info.h"
#include "game/start_args.h"
#include "rules/pwr.h"
#include "screens/arena/arena.h"
#include "screens/menu/main_menu.h"
#include "support/font_env.h"
#include "support/temp_dir.h"
#include "support/test_btn.h"
#include "ui/wnd.h"

namespace {
// A game folder of the test's own; it outlives the configuration, which is
// written into it at process exit.
const temp_dir_t game;

std::vector<std::string> calls;
int msg_boxes = 0;
// Runs at the first frame of the running program, which then quits.
void (*first_frame)() = nullptr;
bool first_done = false;

// One enum table that start-up fills from strs.smokes once the text database is up.
text_info_t smoke_row;
const txt_tbl_reg_t smoke_reg(L"smoke", {&smoke_row}, 0);

// Scenes and windows must go while what they may still use is up.
void note(const char* what) {
    const bool up = get_font(FONT_DEF) && get_renderer() && Mix_QuerySpec(nullptr, nullptr, nullptr) != 0 &&
                    SDL_WasInit(SDL_INIT_VIDEO) != 0;
    calls.push_back(std::string(what) + (up ? "" : " too late"));
}

struct rec_wnd_t : wnd_t {
    ~rec_wnd_t() override { note("window deleted"); }
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        if (m.code == EVT_CLOSING && sender == this) note("window closing");
        return false;
    }
};
struct rec_scene_t : scene_t {
    ~rec_scene_t() override { note("scene deleted"); }
    bool on_evt(const evt_t*, wnd_t*) override { return false; }
    void update() override {}
    void draw() override {}
    bool enter() override { return true; }
    void resume() override {}
    void leave() override { note("scene leave"); }
    pt_t get_cell() override { return {0, 0}; }
};

class App : public ::testing::Test {
protected:
    void SetUp() override {
        std::ifstream shipped(std::string(TW_SOURCE_DIR) + "/data/text/main.lua", std::ios::binary);
        const std::string main_lua{std::istreambuf_iterator<char>(shipped), {}};
        ASSERT_FALSE(main_lua.empty());
        game.folder("text/cn");
        game.file("text/cn/strs.lua", "");  // start-up attaches the terrain texts from it
        game.file("text/main.lua", main_lua + "\nstrs.smokes = {{n = \"Alpha\"}}\n");
        // Eight silent samples of 8-bit mono PCM at 8 kHz.
        game.file("sfx/music/main_00.wav", std::string("RIFF\x2c\0\0\0WAVEfmt \x10\0\0\0\x01\0\x01\0\x40\x1f\0\0\x40\x1f"
                                                       "\0\0\x01\0\x08\0data\x08\0\0\0", 44) + std::string(8, '\x80'));
        if (!std::filesystem::exists(game.root() / "fonts")) font_env_t::copy_fonts(game);
        // The arena needs the game's whole texts; the test that pushes it sets auto_arena itself.
        game.file("config.ini", "[Main]\r\nauto_arena=0\r\nfull_screen=0\r\nwindowed_size=640x480\r\n");
        set_exe_dir(wide_from_utf8(game.path() + "/").c_str());
        CZsConfig::instance().load((get_exe_dir() + L"config.ini").buf, true);
        calls.clear(), msg_boxes = 0, first_done = false, first_frame = nullptr;
        lua_msg_box = [](const char*, const char*) { ++msg_boxes; };
        // The frame timer reads the counter once per frame: the first read is the first frame.
        seams().perf_counter = [] {
            if (!first_done) {
                first_done = true;
                if (first_frame) first_frame();
                request_quit();
            }
            return SDL_GetPerformanceCounter();
        };
        // The quit flag of an earlier run in this process is never cleared by the program.
        input_state() = input_state_t{};
    }
    void TearDown() override { seams_reset(); }
};
}  // namespace

TEST_F(App, RunsHeadlessAndShutsDownInOrder) {
    // What a kill during a save left: a new slot never switched to, a temporary counter.
    game.folder("saves/arena/10000009.new");
    game.file("saves/arena/main.cfg.tmp");
    first_frame = [] {
        EXPECT_FALSE(std::filesystem::exists(game.path("saves/arena/10000009.new")));  // the saves were settled
        EXPECT_FALSE(std::filesystem::exists(game.path("saves/arena/main.cfg.tmp")));
        EXPECT_EQ(get_root_wnd()->rc, (rect{0, 0, 640, 480}));
        EXPECT_TRUE(get_font(FONT_DEF) && get_font(FONT_CH_DMG));
        EXPECT_FALSE(opts().full_screen);  // the options were read
        EXPECT_EQ(std::pair(Mix_VolumeMusic(-1), snd_mgr::get().sfx_vol), std::pair(10 * MIX_MAX_VOLUME / 100, 25));
        EXPECT_TRUE(std::wstring(cur_track().c_str()).ends_with(L"sfx/music/main_00.wav"));
        EXPECT_STREQ(lang_cma.c_str(), L"\uFF0C");  // main.lua ran
        EXPECT_STREQ(smoke_row.n, L"Alpha");        // the tables were read after it
        EXPECT_TRUE(is_pwr_id(1) && is_pwr_id(291));  // the power registry stands
        SDL_Event ev{};
        ev.type = SDL_TEXTINPUT;
        SDL_strlcpy(ev.text.text, "\xE5\xAD\x97", sizeof ev.text.text);  // 字
        evt_t e;
        EXPECT_TRUE(translate_sdl_evt(&ev, &e) && e.code == EVT_TEXT);
        auto* s = new rec_scene_t;
        reg_scene(s);
        push_scene(s, true);
        add_owned(new rec_wnd_t, {0, 0, 10, 10});
    };
    EXPECT_EQ(app_main(0, nullptr), 0);
    ASSERT_TRUE(first_done);
    EXPECT_FALSE(is_pwr_id(1));  // freed after the frame loop
    EXPECT_EQ(msg_boxes, 0);
    EXPECT_EQ(calls, (std::vector<std::string>{"scene leave", "window closing", "window deleted", "scene deleted"}));
    EXPECT_EQ(owned_wnd_count() + cursor_count(), 0);
    EXPECT_TRUE(!get_main_menu_scene() && !get_font(FONT_DEF) && !get_renderer() && !get_main_wnd());
    EXPECT_TRUE(Mix_QuerySpec(nullptr, nullptr, nullptr) == 0 && SDL_WasInit(0) == 0);
}

TEST_F(App, AutoArenaPutsTheArenaOverTheMainMenuAndOffOnlyTheMenu) {
    static std::vector<std::string> stack;  // top first
    for (int on : {1, 0}) {
        stack.clear(), first_done = false;
        first_frame = [] {
            for (; has_scene(); pop_scene())
                stack.push_back(dynamic_cast<arena_scene_t*>(get_top_scene()) ? "arena" : "menu");
        };
        input_state() = input_state_t{};
        CZsConfig::instance().set_int(L"auto_arena", on, L"Main");
        EXPECT_EQ(app_main(0, nullptr), 0);
        EXPECT_EQ(stack, (on ? std::vector<std::string>{"arena", "menu"} : std::vector<std::string>{"menu"}));
    }
}

TEST_F(App, MissingFontIsNamedAndTheStartFailsAndReleasesSdl) {
    std::filesystem::remove(game.path("fonts/console.fon"));
    ::testing::internal::CaptureStderr();
    EXPECT_EQ(app_main(0, nullptr), -1);
    EXPECT_NE(::testing::internal::GetCapturedStderr().find("fonts/console.fon could not be opened"), std::string::npos);
    EXPECT_TRUE(SDL_WasInit(0) == 0 && !first_done);
    font_env_t::copy_fonts(game, "", "", "DejaVuSansMono.ttf");
}

TEST_F(App, FirstFrameOptionQuitsAfterTheFirstMenuFrameAndSaysWhereTheTimeWent) {
    static int frames = 0;
    frames = 0;
    // Frames are counted, and nothing asks the program to quit.
    seams().perf_counter = [] {
        ++frames;
        return SDL_GetPerformanceCounter();
    };
    CZsConfig::instance().set_int(L"auto_arena", 1, L"Main");
    std::filesystem::remove_all(game.path("saves/arena"));
    char name[] = "tarnwick", opt[] = "--first-frame";
    char* argv[] = {name, opt, nullptr};
    ::testing::internal::CaptureStdout();
    EXPECT_EQ(app_main(2, argv), 0);
    const std::string out = ::testing::internal::GetCapturedStdout();
    CZsConfig::instance().set_int(L"auto_arena", 0, L"Main");
    EXPECT_EQ(frames, 1);
    EXPECT_FALSE(std::filesystem::exists(game.path("saves/arena/main.cfg"))) << "the main menu's frame, not the arena's";
    for (const char* step : {"step sdl_libs ", "step window ", "step wait_for_loader ", "step main_menu ",
                             "step first_frame ", "step loader_fonts ", "step loader_texts_tables ",
                             "step loader_images "})
        EXPECT_NE(out.find(step), std::string::npos) << step;
    EXPECT_TRUE(out.ends_with("\npresented\n")) << out;
}

TEST_F(App, AWindowLargerThanTheScreenFallsBackToTheDefaultIsNamedAndStaysInTheConfig) {
    CZsConfig::instance().set_string(L"windowed_size", L"1100x700", L"Main");
    seams().display_size = [](int, bool usable, int* w, int* h) { return *w = 1024, *h = usable ? 728 : 768, true; };
    static size seen;
    first_frame = [] { seen = {get_root_wnd()->rc.w, get_root_wnd()->rc.h}; };
    EXPECT_EQ(app_main(0, nullptr), 0);
    EXPECT_EQ(seen, get_default_wnd_size());
    const auto names_both = [](const Str& s) { return wcsstr(s.c_str(), L"1100x700") && wcsstr(s.c_str(), L"1024x728"); };
    EXPECT_TRUE(std::ranges::any_of(said_notes(), names_both)) << "the log names the size and the room";
    EXPECT_EQ(config_get_string(L"windowed_size", L"", L"Main"), Str(L"1100x700"));
}

TEST(Args, SeedsAreWholeNumbersHelpWinsAndTheBadArgumentIsNamed) {
    using a_t = start_args_t;
    using want_t = std::tuple<a_t::kind_t, bool, uint32_t, bool>;  // kind, battle, seed, first frame
    const a_t::kind_t run = a_t::k_run;
    const want_t help{a_t::k_help, false, 0, false}, bad{a_t::k_bad, false, 0, false};
    const std::pair<std::vector<const char*>, want_t> rows[] = {
        {{}, {run, false, 0, false}}, {{"--battle"}, {run, true, 0, false}}, {{"--battle=42"}, {run, true, 42, false}},
        {{"--first-frame"}, {run, false, 0, true}}, {{"--help"}, help}, {{"-h"}, help},
        {{"--first-frame", "--battle=4294967295"}, {run, true, 4294967295u, true}},
        {{"--battle=abc", "--frobnicate", "-h"}, help}, {{"--battle=abc"}, bad},
        {{"--battle=12x"}, bad}, {{"--battle="}, bad}, {{"--battle=0"}, bad}, {{"--battle=4294967296"}, bad},
        {{"--battle=-1"}, bad}, {{"--battle=+5"}, bad}, {{"--battle", "--frobnicate"}, bad}, {{"battle"}, bad}};
    for (const auto& [args, want] : rows) {
        std::vector<const char*> argv{"tarnwick"};
        argv.insert(argv.end(), args.begin(), args.end());
        const a_t got = parse_args(int(argv.size()), argv.data());
        const std::string last = args.empty() ? "" : args.back();
        EXPECT_EQ(std::tuple(got.kind, got.battle, got.seed, got.first_frame), want) << last;
        EXPECT_EQ(got.error.starts_with("tarnwick: ") && got.error.find("'" + last + "'") != std::string::npos &&
                      got.error.ends_with(" (see --help)"), std::get<0>(want) == a_t::k_bad) << got.error;
    }
}

TEST(Args, TheGameAnswersHelpAndABadOptionBeforeSdlStarts) {
    // A video driver that does not exist: a game that starts SDL says so and ends at once.
    const auto run = [](const std::string& args) {
        FILE* p = popen(("SDL_VIDEODRIVER=none '" TW_GAME_EXE "' " + args).c_str(), "r");
        std::string out(4096, '\0');
        out.resize(std::fread(out.data(), 1, out.size(), p));
        const int st = pclose(p);
        return std::pair(WIFEXITED(st) ? WEXITSTATUS(st) : -1, out);
    };
    EXPECT_EQ(run("--frobnicate 2>&1 >/dev/null"),
              std::pair(2, std::string("tarnwick: unknown option '--frobnicate' (see --help)\n")));
    const auto [st, usage] = run("--help 2>/dev/null");
    EXPECT_EQ(st, 0);
    for (const char* opt : {"--battle ", "--battle=SEED ", "--first-frame ", "--help "})
        EXPECT_NE(usage.find(opt), std::string::npos) << opt;
}
