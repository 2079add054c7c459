#include "support/screen_driver.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <cstdio>
#include <fstream>
#include <regex>
#include <thread>
#include <typeinfo>

#include "app/audio.h"
#include "app/codec.h"
#include "app/frame_timer.h"
#include "app/ini.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/paths.h"
#include "app/render.h"
#include "app/rnd.h"
#include "app/seams.h"
#include "game/start.h"
#include "rules/pty.h"
#include "rules/save_slots.h"
#include "support/shot_png.h"
#include "ui/rt_markup.h"
#include "ui/menu.h"
#include "ui/rtext.h"
#include "ui/title_wnd.h"
#include "ui/wnd.h"

namespace fs = std::filesystem;

namespace {
screen_driver_t* cur = nullptr;  // the seams are plain functions

// What a player's game folder holds on a fresh install: no saves, no config of anyone's.
void copy_game_folder(const fs::path& from, const fs::path& to) {
    std::error_code ec;
    for (const fs::directory_entry& e : fs::directory_iterator(from, ec)) {
        const std::string leaf = e.path().filename().string();
        if (leaf == "saves" || leaf == "config.ini" || leaf == "tarnwick") continue;
        fs::copy(e.path(), to / leaf, fs::copy_options::recursive, ec);
        EXPECT_FALSE(ec) << "copying " << e.path() << ": " << ec.message();
    }
    fs::create_directories(to / "saves", ec);
}

bool caption_is(wnd_t* w, const wchar_t* caption) {
    if (wcscmp(w->text.c_str(), caption) == 0) return true;
    if (auto* t = dynamic_cast<title_wnd_t*>(w); t && t->title && wcscmp(t->title->title.c_str(), caption) == 0)
        return true;
    return !w->text.empty() && screen_driver_t::plain(w->text.c_str()) == caption;
}

// Depth first, last child (the one painted on top) first.
wnd_t* search(wnd_t* w, const std::function<bool(wnd_t*)>& pred) {
    if (!screen_driver_t::shown(w)) return nullptr;
    if (pred(w)) return w;
    std::vector<wnd_t*> kids = w->children;
    std::stable_sort(kids.begin(), kids.end(), [](wnd_t* a, wnd_t* b) { return a->layer > b->layer; });
    for (auto it = kids.begin(); it != kids.end(); ++it) {
        if (wnd_t* f = search(*it, pred)) return f;
    }
    return nullptr;
}
}  // namespace

// ---- set-up ----

screen_driver_t::screen_driver_t(screen_opts_t o) : opts_(std::move(o)) {
    copy_game_folder(TW_GAME_DIR, game_.root());
    config_path_ = game_.root() / "config.ini";
    std::ofstream(config_path_, std::ios::binary)
        << "[Main]\r\nfull_screen=0\r\nwindowed_size=" << opts_.w << "x" << opts_.h << "\r\n" << opts_.config;
}

screen_driver_t::~screen_driver_t() = default;

bool screen_driver_t::exists(const std::string& rel) const {
    std::error_code ec;
    return fs::exists(game_.root() / rel, ec);
}

void screen_driver_t::install_seams() {
    seams().ticks_ms = hook_ticks;
    seams().perf_counter = hook_counter;
    seams().perf_freq = hook_freq;
    seams().mouse_state = hook_mouse;
    seams().key_state = hook_keys;
    seams().mod_state = hook_mods;
    seams().display_size = hook_display;
}

uint32_t screen_driver_t::hook_ticks() { return cur->now_ms_; }

// The frame timer reads it once per frame update: the frame hook.
uint64_t screen_driver_t::hook_counter() {
    cur->on_frame();
    return uint64_t(cur->now_ms_) * get_frame_timer()->freq / 1000;
}

uint32_t screen_driver_t::hook_mouse(int* x, int* y) {
    if (x) *x = cur->mouse_x_;
    if (y) *y = cur->mouse_y_;
    return cur->buttons_;
}

const uint8_t* screen_driver_t::hook_keys(int* n) {
    if (n) *n = SDL_NUM_SCANCODES;
    return cur->keys_;
}

int screen_driver_t::hook_mods() { return cur->mods_; }

bool screen_driver_t::hook_display(int, bool, int* w, int* h) {
    const size& d = cur->opts_.display;
    *w = d.w > 0 ? d.w : std::max(1920, cur->opts_.w), *h = d.h > 0 ? d.h : std::max(1080, cur->opts_.h);
    return true;
}

// ---- the baton ----

void screen_driver_t::to_game(cmd_t c) {
    std::unique_lock lock(m_);
    cmd_ = c;
    game_turn_ = true;
    cv_.notify_all();
    cv_.wait(lock, [this] { return !game_turn_; });
}

screen_driver_t::cmd_t screen_driver_t::to_body() {
    std::unique_lock lock(m_);
    ++handoffs_;
    game_turn_ = false;
    cv_.notify_all();
    cv_.wait(lock, [this] { return game_turn_; });
    return std::exchange(cmd_, cmd_t{});
}

void screen_driver_t::run(const std::function<void()>& body) {
    ASSERT_EQ(cur, nullptr) << "one screen driver runs at a time";
    cur = this;
    install_seams();
    std::thread t([this, &body] {
        {
            std::unique_lock lock(m_);
            cv_.wait(lock, [this] { return !game_turn_; });
        }
        try {
            body();
        } catch (const std::exception& e) {
            ADD_FAILURE() << "the test body threw: " << e.what();
        } catch (...) {
            ADD_FAILURE() << "the test body threw";
        }
        if (running_) quit();
        std::unique_lock lock(m_);
        cmd_ = cmd_t{cmd_kind::finish, 0, nullptr};
        game_turn_ = true;
        cv_.notify_all();
    });
    game_loop();
    t.join();
    seams_reset();
    cur = nullptr;
}

void screen_driver_t::run_started(const std::function<void()>& body) {
    run([&] {
        ASSERT_TRUE(start());
        body();
    });
}

// The game's thread between runs of the game.
void screen_driver_t::game_loop() {
    cmd_t c;
    {
        std::unique_lock lock(m_);
        cv_.wait(lock, [this] { return game_turn_; });
        c = std::exchange(cmd_, cmd_t{});
    }
    for (;;) {
        switch (c.kind) {
        case cmd_kind::finish: return;
        case cmd_kind::start:
            run_game();
            if (finishing_) return;
            break;
        case cmd_kind::call: (*c.fn)(); break;
        default: break;  // frames with no game running: nothing to run
        }
        c = to_body();
    }
}

void screen_driver_t::run_game() {
    set_exe_dir(wide_from_utf8(game_.path() + "/").c_str());
    set_sfx_dir(get_exe_dir() + L"sfx/");  // a process finds its sounds beside it once
    CZsConfig::instance().load(wide_from_utf8(config_path_.string()).c_str(), true);
    // What a new process starts without: the quit flag of an earlier run (the
    // program never clears it), the party and the slot counters it read.
    input_state() = input_state_t{};
    g_pty.reset();
    forget_slot_cfgs();
    buttons_ = 0, mods_ = 0;
    std::fill(std::begin(keys_), std::end(keys_), 0);
    running_ = true, first_frame_ = true, frames_left_ = 0;
    exit_code_ = app_main(0, nullptr);
    running_ = false;
    // The process exit writes the configuration; the next start reads it.
    CZsConfig::instance().save();
}

void screen_driver_t::on_frame() {
    now_ms_ += uint32_t(opts_.frame_ms);
    ++frame_no_;
    if (first_frame_) {
        first_frame_ = false;
        rnd_srand(opts_.seed);  // everything random after the start repeats
    }
    if (finishing_ || (frames_left_ > 0 && --frames_left_ > 0)) return;
    for (;;) {
        const cmd_t c = to_body();
        if (c.kind == cmd_kind::call) {
            const int before = handoffs_;
            (*c.fn)();
            // The call ran a nested loop and handed over from its frames: the
            // body has gone on since, and this frame goes on with what it asked for.
            if (handoffs_ != before) return;
        } else if (c.kind == cmd_kind::frames) {
            frames_left_ = c.n;
            return;
        } else if (c.kind == cmd_kind::finish) {
            // The body has ended (its thread is gone): the game quits on its own.
            finishing_ = true;
            request_quit();
            return;
        } else {
            ADD_FAILURE() << "the game runs already";
        }
    }
}

// ---- the body's calls ----

bool screen_driver_t::start() {
    if (running_) {
        ADD_FAILURE() << "start: the game runs already";
        return false;
    }
    to_game({cmd_kind::start, 0, nullptr});
    return running_;
}

void screen_driver_t::frames(int n) {
    if (!running_ || n <= 0) return;
    to_game({cmd_kind::frames, n, nullptr});
}

bool screen_driver_t::wait_for(const std::function<bool()>& cond, const char* what, int max_frames) {
    for (int i = 0; i < max_frames; ++i) {
        if (cond()) return true;
        if (!running_) break;
        frames(1);
    }
    if (cond()) return true;
    ADD_FAILURE() << "waited " << max_frames << " frames in vain for " << what
                  << (running_ ? "" : " (the game has ended)");
    return false;
}

bool screen_driver_t::dismiss(SDL_Keycode k) {
    if (k) key(k);
    return wait_for([] { return get_top_modal() == nullptr; }, "the dialog to close");
}

int screen_driver_t::wait_exit(int max_frames) {
    for (int i = 0; i < max_frames && running_; ++i) frames(1);
    if (running_) {
        ADD_FAILURE() << "the game did not end within " << max_frames << " frames";
        return -999;
    }
    return exit_code_;
}

int screen_driver_t::quit() {
    if (!running_) return exit_code_;
    request_quit();
    to_game({cmd_kind::frames, INT_MAX, nullptr});
    return exit_code_;
}

void screen_driver_t::on_main(const std::function<void()>& fn) {
    if (!running_) {
        ADD_FAILURE() << "on_main: no game runs";
        return;
    }
    to_game({cmd_kind::call, 0, std::make_shared<const std::function<void()>>(fn)});
}

// ---- windows ----

bool screen_driver_t::shown(const wnd_t* w) {
    for (; w; w = w->parent)
        if (!w->is_created() || w->is_hidden()) return false;
    return true;
}

std::wstring screen_driver_t::plain(const wchar_t* markup) { return strip_tags(markup).c_str(); }

std::wstring screen_driver_t::shown_chars(const wchar_t* markup) {
    rt_ops_t ops;
    rt_parse(markup, &ops);
    std::wstring chars;
    for (const rt_op_t& op : ops.ops)
        if (op.kind == RO_CHAR) chars += wchar_t(op.ch);
    return chars;
}

wnd_t* screen_driver_t::find_if(const std::function<bool(wnd_t*)>& pred, const wnd_t* in) const {
    if (in) return search(const_cast<wnd_t*>(in), pred);
    if (wnd_t* top = get_top_modal())
        if (wnd_t* f = search(top, pred)) return f;
    return search(get_root_wnd(), pred);
}

wnd_t* screen_driver_t::find(const wchar_t* caption) const {
    return find_if([caption](wnd_t* w) { return caption_is(w, caption); });
}

wnd_t* screen_driver_t::find_tip(const wchar_t* tip) const {
    return find_if([tip](wnd_t* w) { return wcscmp(w->tip.c_str(), tip) == 0; });
}

wnd_t* screen_driver_t::find_id(int id, const wnd_t* in) const {
    return find_if([id](wnd_t* w) { return w->id == id; }, in);
}

// ---- input ----

void screen_driver_t::push_motion(int x, int y) {
    SDL_Event ev{};
    ev.type = SDL_MOUSEMOTION;
    ev.motion.x = x, ev.motion.y = y;
    ev.motion.state = buttons_;
    SDL_PushEvent(&ev);
}

void screen_driver_t::move_to(int x, int y) {
    mouse_x_ = x, mouse_y_ = y;
    push_motion(x, y);
}

void screen_driver_t::push_button(uint8_t button, bool down, int x, int y) {
    SDL_Event ev{};
    ev.type = down ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
    ev.button.button = button;
    ev.button.state = down ? SDL_PRESSED : SDL_RELEASED;
    ev.button.clicks = 1;
    ev.button.x = x, ev.button.y = y;
    SDL_PushEvent(&ev);
    if (down)
        buttons_ |= SDL_BUTTON(button);
    else
        buttons_ &= ~SDL_BUTTON(button);
}

// The input is pumped in the next frame; the frame after that runs inside a
// dialog the input opened, or past the loop of one it closed.
void screen_driver_t::settle() { frames(2); }

// Press and release in frames of their own, as a hand makes them.
void screen_driver_t::click_btn_at(uint8_t button, int x, int y) {
    move_to(x, y);
    push_button(button, true, x, y);
    frames(1);
    push_button(button, false, x, y);
    settle();
}

void screen_driver_t::click_at(int x, int y) { click_btn_at(SDL_BUTTON_LEFT, x, y); }

// SDL's mouse state moves when the pump takes the motion, so the frame before
// that pump still sees the mouse where it was: the hook follows only after it.
void screen_driver_t::tap_at(int x, int y, int taps) {
    push_motion(x, y);
    for (int i = 0; i < taps; ++i)
        push_button(SDL_BUTTON_LEFT, true, x, y), push_button(SDL_BUTTON_LEFT, false, x, y);
    frames(1);
    mouse_x_ = x, mouse_y_ = y;
    settle();
}

void screen_driver_t::slip_click(SDL_Point from, SDL_Point to) {
    move_to(from.x, from.y);
    push_button(SDL_BUTTON_LEFT, true, from.x, from.y);
    frames(1);
    push_motion(to.x, to.y);
    push_button(SDL_BUTTON_LEFT, false, to.x, to.y);
    frames(1);
    mouse_x_ = to.x, mouse_y_ = to.y;
    settle();
}

void screen_driver_t::flick_to(int x, int y) {
    push_motion(x, y);
    frames(1);
    mouse_x_ = x, mouse_y_ = y;
}

void screen_driver_t::rclick_at(int x, int y) { click_btn_at(SDL_BUTTON_RIGHT, x, y); }

bool screen_driver_t::click_link(const rtext_t& t, const wchar_t* target, pt_t origin) {
    for (int i = 0; i < t.item_count(); ++i) {
        const rt_item_t* it = t.item(i);
        if (it->kind != RT_LINK || wcscmp(it->text.c_str(), target) != 0) continue;
        const rect r = t.item_rect(i), box = t.get_rect();
        click_at(origin.x + box.x + r.x + r.w / 2, origin.y + box.y + r.y + r.h / 2);
        // A link opens after its frame is drawn, past the frame hook.
        frames(1);
        return true;
    }
    ADD_FAILURE() << "no link to " << utf8_from_wide(target) << " in the text";
    return false;
}

bool screen_driver_t::click_link(wnd_t* w, const wchar_t* target) {
    if (!w) {
        ADD_FAILURE() << "no window to click a link in";
        return false;
    }
    pt_t origin;
    w->client_origin(&origin);
    return click_link(w->rtext, target, origin);
}

bool screen_driver_t::pick_menu(const wchar_t* caption) {
    menu_t* m = get_popup_menu();
    if (get_top_modal() != m) {
        ADD_FAILURE() << "no popup menu runs";
        return false;
    }
    lv_t* level = m->get_level(0);
    for (int i = 0; i < level->count(); ++i)
        if (plain(level->get_item(i)->label) == caption) {
            click_at(level->item_rect(i));
            return true;
        }
    ADD_FAILURE() << "no menu item " << utf8_from_wide(caption);
    return false;
}

bool screen_driver_t::pick_sys_menu(const wchar_t* caption) { return click(find_tip(L"系统菜单")) && pick_menu(caption); }

bool screen_driver_t::click_wnd(wnd_t* w, uint8_t button) {
    if (!w) {
        ADD_FAILURE() << "no window to click";
        return false;
    }
    if (!shown(w)) {
        ADD_FAILURE() << "the window to click is not shown";
        return false;
    }
    const pt_t p{w->rc.x + w->rc.w / 2, w->rc.y + w->rc.h / 2};
    wnd_t* top = get_top_modal();
    wnd_t* hit = (top ? top : get_root_wnd())->hit_test(&p);
    if (!is_in_wnd(w, hit)) {
        ADD_FAILURE() << "another window lies over the one to click at (" << p.x << ", " << p.y << "): a "
                      << (hit ? typeid(*hit).name() : "nothing") << " '" << (hit ? utf8_from_wide(hit->text.c_str()) : "")
                      << "' at " << (hit ? hit->rc.x : 0) << ", " << (hit ? hit->rc.y : 0);
        return false;
    }
    if (button == SDL_BUTTON_LEFT)
        click_at(p.x, p.y);
    else
        rclick_at(p.x, p.y);
    return true;
}

bool screen_driver_t::click(wnd_t* w) { return click_wnd(w, SDL_BUTTON_LEFT); }
bool screen_driver_t::rclick(wnd_t* w) { return click_wnd(w, SDL_BUTTON_RIGHT); }

void screen_driver_t::drag(SDL_Point from, SDL_Point to, int steps) {
    move_to(from.x, from.y);
    push_button(SDL_BUTTON_LEFT, true, from.x, from.y);
    frames(1);
    steps = std::max(steps, 1);
    for (int i = 1; i <= steps; ++i) {
        move_to(from.x + (to.x - from.x) * i / steps, from.y + (to.y - from.y) * i / steps);
        frames(1);
    }
    push_button(SDL_BUTTON_LEFT, false, to.x, to.y);
    frames(1);
}

void screen_driver_t::wheel(int dy) {
    SDL_Event ev{};
    ev.type = SDL_MOUSEWHEEL;
    ev.wheel.y = dy;
    ev.wheel.direction = SDL_MOUSEWHEEL_NORMAL;
    SDL_PushEvent(&ev);
    frames(1);
}

void screen_driver_t::push_key(SDL_Keycode k, uint16_t mod, bool down) {
    const SDL_Scancode sc = SDL_GetScancodeFromKey(k);
    keys_[sc] = down ? 1 : 0;
    mods_ = mod;
    SDL_Event ev{};
    ev.type = down ? SDL_KEYDOWN : SDL_KEYUP;
    ev.key.state = down ? SDL_PRESSED : SDL_RELEASED;
    ev.key.keysym.sym = k;
    ev.key.keysym.scancode = sc;
    ev.key.keysym.mod = mod;
    SDL_PushEvent(&ev);
}

void screen_driver_t::key_down(SDL_Keycode k, uint16_t mod) {
    push_key(k, mod, true);
    frames(1);
}

void screen_driver_t::key_up(SDL_Keycode k, uint16_t mod) {
    push_key(k, mod, false);
    mods_ = 0;
    frames(1);
}

void screen_driver_t::key(SDL_Keycode k, uint16_t mod) {
    push_key(k, mod, true);
    frames(1);
    push_key(k, mod, false);
    settle();
    mods_ = 0;
}

void screen_driver_t::type(const wchar_t* text) {
    for (const wchar_t* p = text; *p; ++p) {
        SDL_Event ev{};
        ev.type = SDL_TEXTINPUT;
        const std::string u = utf8_from_wide(std::wstring_view(p, 1));
        SDL_strlcpy(ev.text.text, u.c_str(), sizeof ev.text.text);
        SDL_PushEvent(&ev);
    }
    frames(1);
}

// ---- shots ----

std::string screen_driver_t::shot(const std::string& name) {
    const fs::path dir = TW_SHOTS_DIR;
    std::error_code ec;
    fs::create_directories(dir, ec);
    // A renumbered stop leaves no stale picture behind.
    const std::regex same("[0-9][0-9]-" + name + "\\.png");
    for (const fs::directory_entry& e : fs::directory_iterator(dir, ec))
        if (std::regex_match(e.path().filename().string(), same)) fs::remove(e.path(), ec);
    char nn[8];
    std::snprintf(nn, sizeof nn, "%02d-", ++shots_ % 100);
    const std::string path = (dir / (nn + name + ".png")).string();
    frames(1);
    on_main([&path] { EXPECT_TRUE(save_png(path.c_str())) << SDL_GetError(); });
    return path;
}
