#pragma once
// Drives the frame loop headless: a clock and a mouse of the test's own, a
// script of steps run one per frame, and windows and scenes that record what
// reaches them.
#include <SDL.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/frame_timer.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/loop.h"
#include "app/platform.h"
#include "app/scene.h"
#include "app/seams.h"
#include "support/test_btn.h"
#include "ui/modal.h"
#include "ui/wnd.h"

namespace harness {
inline uint32_t now_ms = 0;
inline int mouse_x = -100, mouse_y = -100;
inline size_t frame_no = 0;
// Step i runs at the start of frame i's update; what it posts is pumped the next frame.
inline std::vector<std::function<void()>> script;
// Notable calls in order, across windows and scenes.
inline std::vector<std::string> calls;
inline std::vector<std::string> take_calls() { return std::exchange(calls, {}); }
using wnds = std::vector<wnd_t*>;

// The frame timer reads the counter once per frame update: the frame's clock step.
inline uint64_t perf_counter() {
    now_ms += 10;
    const size_t i = frame_no++;
    if (i < script.size() && script[i]) script[i]();
    return uint64_t(now_ms) * get_frame_timer()->freq / 1000;
}
inline void post_quit() { SDL_Event ev{}; ev.type = SDL_QUIT; SDL_PushEvent(&ev); }
inline void move_to(int x, int y) { mouse_x = x, mouse_y = y; }
inline wnd_t* root() { return get_root_wnd(); }
// Routes one event as the pump would, after the hover follows the mouse.
inline void route(uint32_t code, intptr_t a = 0, intptr_t b = 0) {
    frame_update();
    const evt_t e{code, a, b};
    dispatch_evt(&e);
}
// The same with the mouse moved to (x, y) first.
inline void route_at(uint32_t code, int x, int y) { move_to(x, y), route(code, x, y); }
inline void click_at(int x, int y) { route_at(EVT_LBTN_DOWN, x, y), route_at(EVT_LBTN_UP, x, y); }
inline pt_t centre(const rect& r) { return {r.x + r.w / 2, r.y + r.h / 2}; }
// The mouse moved to p, a press and a release posted there: a click for the next pump.
inline void post_click(pt_t p) {
    move_to(p.x, p.y);
    const evt_t down{EVT_LBTN_DOWN, p.x, p.y}, up{EVT_LBTN_UP, p.x, p.y};
    post_evt(&down), post_evt(&up);
}
inline void post_click(const rect& r) { post_click(centre(r)); }
inline wnds pressed_focus_clicked() { return {get_pressed_wnd(), get_focus_wnd(), get_clicked_wnd()}; }
}  // namespace harness

// A window that counts what reaches it; an optional hook sees input first.
struct rec_wnd_t : wnd_t {
    std::string name;
    int clicks = 0;
    std::vector<uint32_t> inputs;
    std::vector<std::pair<uint32_t, wnd_t*>> msgs;  // code, sender
    std::function<bool(const evt_t&)> hook;

    rec_wnd_t(const char* n, wnd_t* parent, rect r, uint32_t s = 0) : name(n) { create(s, parent, &r, 0, 0, nullptr); }
    ~rec_wnd_t() override { harness::calls.push_back(name + " deleted"); }
    bool click(const evt_t* e) override { ++clicks; return wnd_t::click(e); }
    bool on_input(const evt_t* e) override {
        inputs.push_back(e->code);
        return (hook && hook(*e)) || wnd_t::on_input(e);
    }
    bool on_msg(const evt_t& m, wnd_t* sender) override {
        msgs.emplace_back(m.code, sender);
        if (m.code == EVT_CLOSING && sender == this) harness::calls.push_back(name + " closing");
        return wnd_t::on_msg(m, sender);
    }
    void draw() override { harness::calls.push_back(name + " drawn"); }
    int got(uint32_t code) const { return int(std::count(inputs.begin(), inputs.end(), code)); }
    // Messages this window sent, to itself or up its chain.
    int heard(uint32_t code) const {
        return int(std::count_if(msgs.begin(), msgs.end(), [&](auto& m) { return m.first == code && m.second == this; }));
    }
};

// A scene that logs its life and counts its frames.
struct rec_scene_t : scene_t {
    std::string name;
    int ticks = 0, updates = 0, draws = 0;
    std::vector<uint32_t> evts;
    std::function<void()> on_enter;

    explicit rec_scene_t(const char* n) : name(n) {}
    ~rec_scene_t() override { harness::calls.push_back(name + " deleted"); }
    bool on_evt(const evt_t* e, wnd_t* sender) override {
        evts.push_back(e->code);
        if (e->code == EVT_FRAME && !sender) ++ticks;
        if (e->code == EVT_LAYOUT_DONE && sender == get_root_wnd()) harness::calls.push_back(name + " layout");
        return false;
    }
    void update() override { ++updates; }
    void draw() override { ++draws; }
    bool enter() override {
        harness::calls.push_back(name + " enter");
        if (on_enter) on_enter();
        return true;
    }
    void resume() override { harness::calls.push_back(name + " resume"); }
    void leave() override { harness::calls.push_back(name + " leave"); }
    pt_t get_cell() override { return {0, 0}; }
};

// SDL's events with the dummy video driver, an 800 x 600 root window, the
// test's own clock and mouse, and a clean input state per test.
class loop_test_t : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_EQ(SDL_Init(SDL_INIT_VIDEO | SDL_INIT_EVENTS), 0) << SDL_GetError(); }
    static void TearDownTestSuite() { SDL_Quit(); }

    void SetUp() override {
        using namespace harness;
        now_ms = 0, frame_no = 0;
        script.clear(), calls.clear();
        move_to(-100, -100);
        seams().ticks_ms = [] { return now_ms; };
        seams().perf_counter = perf_counter;
        seams().mouse_state = [](int* x, int* y) { *x = mouse_x; *y = mouse_y; return 0u; };
        seams().mod_state = [] { return 0; };
        input_state() = input_state_t{};
        reset_dbl_click();
        SDL_FlushEvents(0, 0xFFFFFFFF);
        root_at(800, 600);
    }
    void TearDown() override {
        free_scenes();
        destroy_owned_wnds();
        input_state() = input_state_t{};
        seams_reset();
        SDL_FlushEvents(0, 0xFFFFFFFF);
    }
};
