#pragma once
// The screen driver: screens tested through the game's own start-up, frame
// loop and shutdown, headless, on a fresh copy of the game folder.
//
//   TEST(Menu, ArenaEntryOpensTheHub) {
//       screen_driver_t d;                       // build/<kind>/game copied to a temporary folder
//       d.run([&] {                              // the body runs beside the game, see below
//           ASSERT_TRUE(d.start());              // the real start-up; back at the first frame
//           d.click(d.find(L"竞技场"));            // pushed SDL events, routed by the frame loop
//           ASSERT_TRUE(d.wait_for([] { return get_arena_scene() != nullptr; }, "the arena"));
//           d.shot("arena-hub");                 // build/<kind>/shots/NN-arena-hub.png
//           d.click(d.find_tip(L"竞技场说明"));     // opens a modal dialog ...
//           EXPECT_TRUE(d.find(L"帮助"));          // ... and the test goes on inside its loop
//           d.key(SDLK_ESCAPE);
//           d.quit();
//       });
//       EXPECT_EQ(d.exit_code(), 0);
//   }
//
// How it runs: `run` keeps the calling thread for the game and starts the body
// on a second thread. The two hand a baton back and forth, so only one of them
// runs at any time and nothing races. The game gives the baton away in its
// frame hook (the frame timer's read of the clock, at the start of each
// frame's update, after the frame's events were pumped), wherever that frame
// loop runs: the main loop or a dialog's loop nested in a click handler. The
// body then pushes events, reads the window tree and the files, and gives the
// baton back for a number of frames. Whatever must run on the game's thread
// (shots, anything touching the renderer) goes through `on_main`.
//
// Time is the driver's: every frame advances the clock by `frame_ms`, so
// timers, animations and `wait_ms` run by frame counts, never by wall time.
// The mouse, the keyboard state and the modifiers are the driver's too (SDL's
// own state does not follow pushed events). Waits are bounded in frames.
//
// An event pushed now is pumped at the start of the next frame; the position of
// the mouse is read in this frame's update, so a click's press finds the window
// under it. Clicks and keys return at the frame after the one that took them:
// inside a dialog the click opened (its loop runs nested in the click
// handler), or back in the outer loop once a dialog the click closed has gone.
// The hook comes first in a frame's update: what the windows recompute each
// frame is as of the frame before (one `frames()` more shows the newest).
//
// When the body returns the game is asked to quit (if it still runs) and the
// driver waits for its shutdown. `start` may be called again after the game
// ended: a second start on the same folder, as a player restarting the game.
#include <SDL.h>

#include <condition_variable>
#include <cstdint>
#include <filesystem>
#include <functional>
#include <memory>
#include <mutex>
#include <string>

#include "app/types.h"
#include "support/temp_dir.h"
#include "support/test_btn.h"

class rtext_t;
class wnd_t;

struct screen_opts_t {
    int w = 1280, h = 720;           // the window (not full screen)
    uint32_t seed = 1;               // the game's generator, seeded at each start's first frame
    int frame_ms = 16;               // clock step of one frame
    std::string config;              // more lines for section [Main] of config.ini ("key=value\r\n")
    size display{};                  // the display, all of it usable; 0 by 0: 1920 x 1080, grown to hold the window

    static screen_opts_t sized(int w, int h) {
        screen_opts_t o;
        o.w = w, o.h = h;
        return o;
    }
};

// The screen sizes every screen is laid out at in its tests.
inline constexpr SDL_Point three_sizes[] = {{800, 600}, {1280, 720}, {1920, 1080}};

class screen_driver_t {
public:
    explicit screen_driver_t(screen_opts_t o = {});
    ~screen_driver_t();
    screen_driver_t(const screen_driver_t&) = delete;
    screen_driver_t& operator=(const screen_driver_t&) = delete;

    // Runs body beside the game; returns once body has returned and the game has shut down.
    void run(const std::function<void()>& body);
    // The same with the game started first; a failed start fails the test and skips body.
    void run_started(const std::function<void()>& body);

    // ---- the body's calls ----

    // Starts the game; true once it reached its first frame, false when the start failed.
    bool start();
    bool running() const { return running_; }
    // The result of the last run (-1 when its start failed); -999 while none ended.
    int exit_code() const { return exit_code_; }
    // Lets n frames pass (fewer when the game ends meanwhile).
    void frames(int n = 1);
    // Runs frames until cond holds, at most max_frames; a test failure naming `what` when it never does.
    bool wait_for(const std::function<bool()>& cond, const char* what, int max_frames = 300);
    // Presses k (none when 0) and runs frames until no dialog runs, as wait_for.
    bool dismiss(SDL_Keycode k = SDLK_ESCAPE);
    // Runs frames until the game has ended, at most max_frames; its exit code (-999 when it did not end).
    int wait_exit(int max_frames = 300);
    // Asks the game to quit as closing its window would, and waits for the end.
    int quit();
    // Runs fn on the game's thread, from its frame hook. When fn runs a nested
    // frame loop (opens a dialog), the call returns at that loop's first frame
    // and the body goes on inside it; otherwise when fn has returned.
    void on_main(const std::function<void()>& fn);
    // Frames since the driver began; the driver's clock in milliseconds.
    int frame_no() const { return frame_no_; }
    uint32_t now_ms() const { return now_ms_; }

    // ---- windows ----

    // Shown windows only (the window and its ancestors not hidden), the top
    // modal window's first, then the rest, top layer first. Null when none.
    // A caption is the window's text (as written, or with its mark-up tags
    // left out) or a titled window's title.
    wnd_t* find(const wchar_t* caption) const;
    wnd_t* find_tip(const wchar_t* tip) const;
    wnd_t* find_id(int id, const wnd_t* in = nullptr) const;
    wnd_t* find_if(const std::function<bool(wnd_t*)>& pred, const wnd_t* in = nullptr) const;
    template <class T>
    T* find_type(const wnd_t* in = nullptr) const {
        return static_cast<T*>(find_if([](wnd_t* w) { return dynamic_cast<T*>(w) != nullptr; }, in));
    }
    static bool shown(const wnd_t* w);
    // The text with its mark-up tags left out.
    static std::wstring plain(const wchar_t* markup);
    // The characters the mark-up shows, escapes such as <ch=60> resolved.
    static std::wstring shown_chars(const wchar_t* markup);

    // ---- input ----

    void move_to(int x, int y);
    // At the window's centre; a test failure (and false) when w is null or
    // another window lies over that point.
    bool click(wnd_t* w);
    bool rclick(wnd_t* w);
    void click_at(int x, int y);
    // The move there, the press and the release in one pump, as a quick flick
    // and click or a touchpad tap gives them: no frame sees the mouse between.
    // More taps come in the same pump.
    void tap_at(int x, int y, int taps = 1);
    // The press at from in one pump; in the next, a move to `to` and the release
    // there, as a hand that slips while it lets go: no frame sees the mouse at
    // `to` before the release.
    void slip_click(SDL_Point from, SDL_Point to);
    // A move as SDL gives it: the frame that pumps the motion is the first to
    // see the mouse there (move_to shows the place a frame before the motion).
    void flick_to(int x, int y);
    // The link to target in a laid-out text drawn at origin, or in a window's
    // own text; a test failure (and false) when the text has no such link.
    bool click_link(const rtext_t& t, const wchar_t* target, pt_t origin = {0, 0});
    bool click_link(wnd_t* w, const wchar_t* target);
    // Clicks the item of the open popup menu's first level whose caption, its
    // mark-up left out, is caption; a test failure (and false) when no menu
    // runs or none has it. pick_sys_menu opens the system menu first.
    bool pick_menu(const wchar_t* caption);
    bool pick_sys_menu(const wchar_t* caption);
    void rclick_at(int x, int y);
    // The same at the centre of r (a list's item, a cell on the screen).
    void move_to(const rect& r) { move_to(r.x + r.w / 2, r.y + r.h / 2); }
    void click_at(const rect& r) { click_at(r.x + r.w / 2, r.y + r.h / 2); }
    void rclick_at(const rect& r) { rclick_at(r.x + r.w / 2, r.y + r.h / 2); }
    // Press at from, move there in steps frame by frame, release at to.
    void drag(SDL_Point from, SDL_Point to, int steps = 8);
    void wheel(int dy);
    // Key down and up (SDL key code, KMOD_* modifiers).
    void key(SDL_Keycode k, uint16_t mod = 0);
    void key_down(SDL_Keycode k, uint16_t mod = 0);
    void key_up(SDL_Keycode k, uint16_t mod = 0);
    // One text-input event per character.
    void type(const wchar_t* text);

    // ---- files and shots ----

    const std::filesystem::path& dir() const { return game_.root(); }
    std::string read(const std::string& rel) const { return game_.read(rel); }
    // Writes the file afresh, making the folders it needs.
    void write(const std::string& rel, const std::string& body) const { game_.file(rel, body); }
    bool exists(const std::string& rel) const;
    // Saves the screen as it is after one more frame to
    // build/<kind>/shots/NN-name.png (NN counts this driver's shots); the path.
    std::string shot(const std::string& name);

private:
    enum class cmd_kind { none, start, frames, call, finish };
    struct cmd_t {
        cmd_kind kind = cmd_kind::none;
        int n = 0;
        // Shared: a call that opened a nested loop outlives the body's on_main.
        std::shared_ptr<const std::function<void()>> fn;
    };

    static uint32_t hook_ticks();
    static uint64_t hook_counter();
    static uint64_t hook_freq() { return 1000; }
    static uint32_t hook_mouse(int* x, int* y);
    static const uint8_t* hook_keys(int* n);
    static int hook_mods();
    static bool hook_display(int display, bool usable, int* w, int* h);

    void install_seams();
    void game_loop();
    void run_game();
    void on_frame();
    // The body gives the baton to the game with c and waits for it back.
    void to_game(cmd_t c);
    // The game gives the baton to the body and waits for the next command.
    cmd_t to_body();
    void settle();
    void push_motion(int x, int y);
    void push_button(uint8_t button, bool down, int x, int y);
    void push_key(SDL_Keycode k, uint16_t mod, bool down);
    bool click_wnd(wnd_t* w, uint8_t button);
    void click_btn_at(uint8_t button, int x, int y);

    screen_opts_t opts_;
    temp_dir_t game_;
    std::filesystem::path config_path_;

    std::mutex m_;
    std::condition_variable cv_;
    bool game_turn_ = false;  // the baton: the game's thread runs while set, the body's while clear
    cmd_t cmd_;
    bool running_ = false;
    bool first_frame_ = false;
    bool finishing_ = false;  // the body ended while the game ran
    int exit_code_ = -999;
    int frames_left_ = 0;
    int handoffs_ = 0;  // times the game gave the baton to the body
    int frame_no_ = 0;
    uint32_t now_ms_ = 0;
    int mouse_x_ = -100, mouse_y_ = -100;
    uint32_t buttons_ = 0;
    uint16_t mods_ = 0;
    uint8_t keys_[SDL_NUM_SCANCODES] = {};
    int shots_ = 0;
};

// Puts a test button under the root whose click runs open (as a screen's own
// button opens a dialog) and clicks it: the body goes on inside what it opened.
inline bool click_test_btn(screen_driver_t& d, const wchar_t* caption, std::function<int()> open,
                           test_btn_t** btn = nullptr) {
    test_btn_t* b = nullptr;
    d.on_main([&] { b = add_test_btn(caption, 8, std::move(open)); });
    d.frames(1);
    if (btn) *btn = b;
    return d.click(b);
}
