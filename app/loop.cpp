#include "app/loop.h"

#include <SDL.h>

#include <utility>

#include "app/ani.h"
#include "app/audio.h"
#include "app/draw_text.h"
#include "app/font.h"
#include "app/frame_timer.h"
#include "app/geom.h"
#include "app/input.h"
#include "app/input_state.h"
#include "app/links.h"
#include "app/opts.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/scene.h"
#include "app/seams.h"
#include "app/sentinels.h"
#include "app/wnd_layer.h"

namespace {
constexpr clr_t screen_clr = 0xFF0E141A;
constexpr int lctrl_lalt = KMOD_LCTRL | KMOD_LALT;
constexpr clr_t white = 0xFFFFFFFF;
constexpr clr_t hint_bg = 0xCC000000;
constexpr int text_flags = rect_align::left | rect_align::top;

// Ctrl + Alt + F1 switches the frame counter.
void toggle_fps(const evt_t& e) {
    if (e.code == EVT_KEY_UP && e.a == SDLK_F1 && (e.b & lctrl_lalt) == lctrl_lalt) opts().show_fps = !opts().show_fps;
}

void draw_hint_text() {
    const Str& hint = input_state().hint;
    if (hint.empty()) return;
    size sz;
    measure_text(&sz, hint, FONT_DEF, text_flags, UNLIMITED, UNLIMITED);
    rect box{-4, -4, sz.w + 8, sz.h + 8};
    const size* scr = get_scrn_size();
    const rect screen{0, 0, scr->w, scr->h};
    align_rect(&box, &screen, rect_align::left | rect_align::bottom);
    fill_rect(&box, &hint_bg);
    draw_text(hint, &box, FONT_DEF, &white, rect_align::centre | rect_align::middle);
}

void draw_fps() {
    const rect box{4, 4, UNLIMITED, UNLIMITED};
    draw_text(Str(L"%d", int(get_frame_timer()->fps)), &box, FONT_CON, &white, text_flags);
}

// A press, release or key release ends the pump's pass, so the frame after it
// judges it alone, as if it had come in a frame of its own: a dialog's close
// rule and the link under a release look at the pass's last event, and a
// quick click (press and release back to back, or a release followed at once
// by a move) would otherwise be lost. What follows waits in the queue.
bool ends_pass(uint32_t code) { return is_mouse_btn(code) || code == EVT_KEY_UP; }

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
}  // namespace

void dispatch_evt(const evt_t* e) {
    toggle_fps(*e);
    wnd_layer().route(*e);
}

bool pump_events() {
    input_state_t& st = input_state();
    if (st.quit) return false;
    snd_poll();
    wnd_layer().pump_started();
    st.cur_evt_copy = {};
    SDL_Event ev;
    bool ended = false;
    while (!ended && !st.quit && SDL_PollEvent(&ev)) {
        if (ev.type == SDL_QUIT) {
            st.quit = true;
            break;
        }
        evt_t e;
        if (!translate_sdl_evt(&ev, &e)) continue;
        st.cur_evt = e;
        st.cur_evt_copy = e;
        dispatch_evt(&e);
        ended = ends_pass(e.code);
        // That frame sees the mouse where the button was, not where a move
        // still queued behind it has taken SDL's pointer.
        if (ended && is_mouse_btn(e.code)) st.btn_at = pt_t{int(e.a), int(e.b)}, st.at_btn = true;
    }
    if (st.quit) return false;
    // SDL ends a poll cycle at a marker it queued behind the events it had. A
    // pass that stops short leaves the marker there, and the next pass would
    // stop at it before reaching what came since: dropped, the next poll
    // starts a new cycle.
    if (ended) SDL_FlushEvent(SDL_POLLSENTINEL);
    // The pause paces the frames: the first one is not kept waiting, nor one
    // whose pass left events queued.
    else if (presented_frames() > 0) SDL_Delay(10);
    return true;
}

void frame_update() {
    input_state_t& st = input_state();
    get_frame_timer()->tick();
    int x = 0, y = 0;
    seams().mouse_state(&x, &y);
    st.mouse = std::exchange(st.at_btn, false) ? st.btn_at : pt_t{x, y};
    st.moved = !(st.mouse == st.prev_mouse);
    st.prev_mouse = st.mouse;
    // The scene stands still under a dialog.
    if (wnd_layer().update(get_frame_dt()) || !has_scene()) return;
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
    // Under a dialog the fight's floating texts and effects lie beneath it, not
    // over its question.
    const bool under_dialog = !st.modal_stack.empty();
    if (under_dialog) get_ani_mgr()->run(get_frame_dt());
    wnd_layer().paint();
    if (!under_dialog) get_ani_mgr()->run(get_frame_dt());
    wnd_layer().draw_over();
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
    wnd_t* saved_focus = st.focus;
    wnd_t* top = wnd_layer().modal_opened();
    reset_input_state();
    for (;;) {
        if (pump_events()) frame_pass();
        if (st.quit || !keep_going()) break;
    }
    wnd_layer().modal_closed(top);
    const int result = st.quit ? MODAL_QUIT : st.modal_result;
    reset_input_state();
    st.focus = saved_focus;
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
