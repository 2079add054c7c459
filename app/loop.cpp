// Sections: routing, pump, frame, loops.
#include "app/loop.h"

#include <SDL.h>

#include <algorithm>

#include "app/ani.h"
#include "app/audio.h"
#include "app/drag.h"
#include "app/draw_text.h"
#include "app/font.h"
#include "app/frame_timer.h"
#include "app/geom.h"
#include "app/ime.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/links.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/scene.h"
#include "app/seams.h"
#include "ui/tip.h"
#include "ui/wnd.h"

namespace {
constexpr clr_t screen_clr = 0xFF0E141A;
constexpr int lctrl_lalt = KMOD_LCTRL | KMOD_LALT;
constexpr int flag_keep_place = 1;
constexpr clr_t white = 0xFFFFFFFF;
constexpr clr_t hint_bg = 0xCC000000;
constexpr int text_flags = rect_align::left | rect_align::top;

bool is_busy_dropped(uint32_t code) { return code >= EVT_IDLE && code <= EVT_KEY_UP; }

// ---- routing ----

void release_left(const evt_t& e) {
    input_state_t& st = input_state();
    if (st.busy) {
        // Orders stay out while the battle resolves actions, so no click.
        st.pressed = nullptr;
        return;
    }
    if (is_dragging()) {
        // The release that drops a drag clicks nothing and leaves the clicked window as it was.
    } else if (st.pressed && st.pressed == st.hover) {
        wnd_t* w = st.pressed;
        // A checked radio button is not clicked again.
        if (w->is_enabled() && !(w->is_checked() && w->radio_grp != 0)) w->click(&e);
        // A click that ran a nested loop has cleared the pressed window.
        st.clicked = st.pressed;
    } else {
        st.clicked = nullptr;
    }
    if (st.pressed && st.pressed != get_root_wnd()) st.pressed->on_input(&e);
    st.pressed = nullptr;
}

void track_input(const evt_t& e) {
    input_state_t& st = input_state();
    switch (e.code) {
    case EVT_LBTN_DOWN:
    case EVT_LBTN_DBL:
        if (!st.busy) st.pressed = st.focus = st.hover;
        break;
    case EVT_LBTN_UP: release_left(e); break;
    case EVT_KEY_UP:
        st.pressed = nullptr;
        if (e.a == SDLK_F1 && (e.b & lctrl_lalt) == lctrl_lalt) opts().show_fps = !opts().show_fps;
        break;
    default: break;
    }
}

// ---- frame ----

void update_hover() {
    input_state_t& st = input_state();
    wnd_t* root = get_root_wnd();
    wnd_t* h = nullptr;
    if (st.modal_stack.empty()) {
        h = root->hit_test(&st.mouse);
    } else {
        wnd_t* m = st.modal_stack.back();
        h = m->hit_test(&st.mouse);
        if (!h && m->rc.contains(st.mouse)) h = m;
    }
    if (!h && root->rc.contains(st.mouse)) h = root;
    st.hover = h;
    if (h == st.prev_hover) return;
    wnd_t* old = st.prev_hover;
    st.prev_hover = h;
    if (old) old->notify({EVT_MOUSE_LEAVE, 0, 0});
    if (h) h->notify({EVT_MOUSE_ENTER, 0, 0});
}

void draw_hint_text() {
    const Str& hint = input_state().hint;
    if (hint.empty()) return;
    size sz;
    measure_text(&sz, hint, FONT_DEF, text_flags, WND_UNLIMITED, WND_UNLIMITED);
    rect box{-4, -4, sz.w + 8, sz.h + 8};
    const size* scr = get_scrn_size();
    const rect screen{0, 0, scr->w, scr->h};
    align_rect(&box, &screen, rect_align::left | rect_align::bottom);
    fill_rect(&box, &hint_bg);
    draw_text(hint, &box, FONT_DEF, &white, rect_align::centre | rect_align::middle);
}

void draw_fps() {
    const rect box{4, 4, WND_UNLIMITED, WND_UNLIMITED};
    draw_text(Str(L"%d", int(get_frame_timer()->fps)), &box, FONT_CON, &white, text_flags);
}

// A link is opened after the frame, never while painting: a "help:" link runs
// a dialog, which must not start while the window tree is being walked.
void open_clicked_link() {
    if (get_cur_evt()->code != EVT_LBTN_UP || get_hover_link().empty()) return;
    const Str target = get_hover_link();
    clear_hover_link();
    open_link(target);
}

// One frame after the pump: update, draw, cursor and the idle tick.
void frame_pass() {
    input_state_t& st = input_state();
    st.hint = L"";
    st.cursor_id = CUR_DEFAULT;
    clear_hover_link();
    frame_update();
    frame_render();
    open_clicked_link();
    if (st.busy) st.cursor_id = CUR_WAIT;
    set_cursor(st.cursor_id);
    if (!st.busy) {
        const evt_t idle{EVT_IDLE, 0, 0};
        dispatch_evt(&idle);
    }
}

// ---- loops ----

// Keeps a popup running until Escape or `key` is released, or a press and
// its release both fall outside it; judged on the last event taken.
bool popup_keep_going(int key) {
    input_state_t& st = input_state();
    const evt_t& e = st.cur_evt;
    wnd_t* top = get_top_modal();
    const bool outside = top && !top->rc.contains(int(e.a), int(e.b));
    switch (e.code) {
    case EVT_KEY_UP:
        if (e.a == SDLK_ESCAPE || (key != 0 && e.a == key)) st.modal_result = MODAL_CANCEL;
        break;
    case EVT_LBTN_DOWN:
    case EVT_RBTN_DOWN: st.press_outside = outside ? top : nullptr; break;
    case EVT_LBTN_UP:
    case EVT_RBTN_UP:
        if (top && st.press_outside == top && outside) st.modal_result = MODAL_CANCEL;
        st.press_outside = nullptr;
        break;
    default: break;
    }
    return st.modal_result == 0;
}

void post_mouse_move() {
    int x = 0, y = 0;
    seams().mouse_state(&x, &y);
    const evt_t move{EVT_MOUSE_MOVE, x, y};
    post_evt(&move);
}

void pop_modal(wnd_t* w) {
    auto& m = input_state().modal_stack;
    const auto it = std::find(m.rbegin(), m.rend(), w);
    if (it != m.rend()) m.erase(std::next(it).base());
}
}  // namespace

void dispatch_evt(const evt_t* e) {
    input_state_t& st = input_state();
    track_input(*e);
    tip_on_input(e);
    if (drag_filter(*e)) return;
    if (st.busy && is_busy_dropped(e->code)) return;
    wnd_t* root = get_root_wnd();
    if (st.pressed && st.pressed != root)
        st.pressed->on_input(e);
    else if (!st.modal_stack.empty())
        st.modal_stack.back()->on_input(e);
    else
        root->on_input(e);
}

bool pump_events() {
    input_state_t& st = input_state();
    if (st.quit) return false;
    snd_poll();
    clear_last_cmd();
    st.cur_evt_copy = {};
    SDL_Event ev;
    while (!st.quit && SDL_PollEvent(&ev)) {
        if (ev.type == SDL_QUIT) {
            st.quit = true;
            break;
        }
        evt_t e;
        if (!translate_sdl_evt(&ev, &e)) continue;
        st.cur_evt = e;
        st.cur_evt_copy = e;
        dispatch_evt(&e);
    }
    if (st.quit) return false;
    SDL_Delay(10);
    return true;
}

void frame_update() {
    input_state_t& st = input_state();
    get_frame_timer()->tick();
    int x = 0, y = 0;
    seams().mouse_state(&x, &y);
    st.mouse = {x, y};
    st.moved = !(st.mouse == st.prev_mouse);
    st.prev_mouse = st.mouse;
    update_hover();
    tip_update(get_frame_dt());
    drag_update();
    if (!st.modal_stack.empty()) {
        // The scene stands still under a dialog.
        st.modal_stack.back()->refresh_all();
        return;
    }
    get_root_wnd()->refresh_all();
    if (!has_scene()) return;
    const evt_t tick{EVT_FRAME, 0, 0};
    get_top_scene()->on_evt(&tick, nullptr);
    if (has_scene()) get_top_scene()->update();
}

void frame_render() {
    input_state_t& st = input_state();
    clear_screen(&screen_clr);
    if (has_scene()) {
        st.no_modal = st.modal_stack.empty();
        get_top_scene()->draw();
    }
    get_root_wnd()->paint_children();
    get_ani_mgr()->run(get_frame_dt());
    drag_draw();
    ime_draw();
    draw_hint_text();
    if (opts().show_fps) draw_fps();
    present_frame();
}

bool do_frame() {
    if (!pump_events()) return false;
    frame_pass();
    return true;
}

int run_modal_loop(const std::function<bool()>& keep_going) {
    input_state_t& st = input_state();
    wnd_t* top = st.modal_stack.empty() ? get_root_wnd() : st.modal_stack.back();
    wnd_t* saved_focus = st.focus;
    if (!top->children.empty()) {
        wnd_t* f = top->next_focus_child(nullptr);
        st.focus = f ? f : top;
    } else if (!st.focus) {
        st.focus = top;
    }
    const evt_t open{EVT_MODAL_OPEN, 0, 0};
    top->on_input(&open);
    reset_input_state();
    for (;;) {
        if (pump_events()) frame_pass();
        if (st.quit || !keep_going()) break;
    }
    const evt_t close{EVT_MODAL_CLOSE, 0, 0};
    top->on_input(&close);
    const int result = st.quit ? MODAL_QUIT : st.modal_result;
    reset_input_state();
    st.focus = saved_focus;
    return result;
}

int do_modal(wnd_t* w, int key, int flags) {
    input_state_t& st = input_state();
    const bool was_busy = st.busy;
    st.busy = false;
    w->set_layer(LAYER_MODAL + int(st.modal_stack.size()));
    w->set_visible(true);
    st.modal_stack.push_back(w);
    if (!(flags & flag_keep_place)) w->layout_in_parent();
    set_cursor(CUR_DEFAULT);
    post_mouse_move();
    const int result = run_modal_loop([key] { return popup_keep_going(key); });
    post_mouse_move();
    pop_modal(w);
    w->set_visible(false);
    w->set_layer(0);
    st.busy = was_busy;
    return result;
}

int wait_ms(int ms) {
    // Each wait measures from its own start, so a wait nested in a handler
    // does not stretch or cut short the wait around it.
    const uint32_t start = sys_ticks();
    return run_modal_loop([start, ms] { return int32_t(sys_ticks() - start) < ms; });
}

void post_evt(const evt_t* e) {
    SDL_Event ev;
    SDL_zero(ev);
    switch (e->code) {
    case EVT_MOUSE_MOVE:
        ev.type = SDL_MOUSEMOTION;
        ev.motion.x = int(e->a);
        ev.motion.y = int(e->b);
        break;
    case EVT_LBTN_DOWN:
    case EVT_LBTN_UP:
        ev.type = e->code == EVT_LBTN_DOWN ? SDL_MOUSEBUTTONDOWN : SDL_MOUSEBUTTONUP;
        ev.button.button = SDL_BUTTON_LEFT;
        ev.button.state = e->code == EVT_LBTN_DOWN ? SDL_PRESSED : SDL_RELEASED;
        ev.button.clicks = 1;
        ev.button.x = int(e->a);
        ev.button.y = int(e->b);
        break;
    default:
        ev.type = e->code;
        ev.user.data1 = reinterpret_cast<void*>(e->a);
        ev.user.data2 = reinterpret_cast<void*>(e->b);
        break;
    }
    SDL_PushEvent(&ev);
}
