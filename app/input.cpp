#include "app/input.h"

#include <SDL.h>

#include <algorithm>

#include "app/frame_timer.h"
#include "app/input_state.h"
#include "app/platform.h"
#include "app/seams.h"
#include "app/wnd_layer.h"

input_state_t& input_state() {
    // Never destroyed: windows with static storage unregister themselves at exit.
    static auto* st = new input_state_t;
    return *st;
}

void request_quit() { input_state().quit = true; }
bool is_quitting() { return input_state().quit; }
void set_busy(bool v) { input_state().busy = v; }
bool is_busy() { return input_state().busy; }

wnd_t* get_root_wnd() { return wnd_layer().root(); }

wnd_t* get_hover_wnd() { return input_state().hover; }
wnd_t* get_pressed_wnd() { return input_state().pressed; }
wnd_t* get_clicked_wnd() { return input_state().clicked; }
wnd_t* get_focus_wnd() { return input_state().focus; }
void set_focus_wnd(wnd_t* w) { input_state().focus = w; }

wnd_t* get_top_modal() {
    const auto& m = input_state().modal_stack;
    return m.empty() ? nullptr : m.back();
}
int modal_depth() { return int(input_state().modal_stack.size()); }
uint32_t dialogs_closed() { return input_state().dialogs_closed; }

void set_modal_result(int code) { input_state().modal_result = code; }
int get_modal_result() { return input_state().modal_result; }
const evt_t* get_cur_evt() { return &input_state().cur_evt_copy; }

const pt_t* get_mouse_pos() { return &input_state().mouse; }
rect get_mouse_rect() {
    const pt_t& m = input_state().mouse;
    return {m.x, m.y, 32, 32};
}
bool mouse_moved() { return input_state().moved; }
bool is_hover_in_ui() {
    const wnd_t* h = input_state().hover;
    return h && h != get_root_wnd();
}
bool frame_no_modal() { return input_state().no_modal; }

void set_frame_cursor(int id) { input_state().cursor_id = id; }
int get_frame_cursor() { return input_state().cursor_id; }
Str& hint_text() { return input_state().hint; }

void arrange_root() { wnd_layer().arrange_root(); }

void reset_input_state() {
    input_state_t& st = input_state();
    st.modal_result = 0;
    st.hover = nullptr;
    st.pressed = nullptr;
    st.clicked = nullptr;
    st.cur_evt.code = 0;
}

double get_frame_dt() { return std::min(get_frame_timer()->dt, FRAME_DT_MAX); }

void input_forget_wnd(const wnd_t* w) {
    input_state_t& st = input_state();
    for (wnd_t** p : {&st.hover, &st.prev_hover, &st.pressed, &st.clicked, &st.focus, &st.press_outside})
        if (*p == w) *p = nullptr;
    auto& m = st.modal_stack;
    m.erase(std::remove(m.begin(), m.end(), w), m.end());
}

bool is_alt_down() { return (seams().mod_state() & KMOD_ALT) != 0; }
bool is_ctrl_down() { return (seams().mod_state() & KMOD_CTRL) != 0; }

namespace {
uint32_t mouse_buttons() {
    int x = 0, y = 0;
    return seams().mouse_state(&x, &y);
}

bool key_held(SDL_Keycode k) {
    int n = 0;
    const uint8_t* keys = seams().key_state(&n);
    const int sc = int(SDL_GetScancodeFromKey(k));
    return keys && sc > 0 && sc < n && keys[sc];
}

// -1, 0 or +1 along one axis; both ends held cancel out.
int scroll_axis(SDL_Keycode neg_arrow, SDL_Keycode neg_key, SDL_Keycode pos_arrow, SDL_Keycode pos_key, int mouse,
                int extent) {
    int d = 0;
    if (key_held(neg_arrow) || key_held(neg_key) || mouse < 1) d -= 1;
    if (key_held(pos_arrow) || key_held(pos_key) || mouse >= extent - 1) d += 1;
    return d;
}
}  // namespace

bool is_lbtn_down() { return (mouse_buttons() & SDL_BUTTON_LMASK) != 0; }
bool is_mbtn_down() { return (mouse_buttons() & SDL_BUTTON_MMASK) != 0; }
bool is_rbtn_down() { return (mouse_buttons() & SDL_BUTTON_RMASK) != 0; }

void get_scroll_dir(int* dx, int* dy) {
    int x = 0, y = 0;
    seams().mouse_state(&x, &y);
    const size* scr = get_scrn_size();
    *dx = scroll_axis(SDLK_LEFT, SDLK_a, SDLK_RIGHT, SDLK_d, x, scr->w);
    *dy = scroll_axis(SDLK_UP, SDLK_w, SDLK_DOWN, SDLK_s, y, scr->h);
}
