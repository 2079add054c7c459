#include "ui/drag.h"

#include <cstdlib>

#include "app/img_cache.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/render.h"
#include "ui/wnd.h"

namespace {

constexpr clr_t src_hilite{0x44FFFFFFu};     // white at alpha 68
constexpr clr_t target_hilite{0x11FFFFFFu};  // white at alpha 17
constexpr const wchar_t* no_drop_img = L"misc/no_drop";
constexpr int key_escape = 27;

// Plain data: nothing here touches SDL, so it may live to process exit.
struct drag_state_t {
    wnd_t* src = nullptr;  // set exactly while a drag runs
    wnd_t* target = nullptr;
    uintptr_t data = 0;
    zg::tex_t* img = nullptr;
    pt_t start{-1, -1};
    bool drag_ok = false;
    bool drop_ok = true;
    pt_t last_press{0, 0};
};

drag_state_t& ds() {
    static drag_state_t s;
    return s;
}

void reset() {
    drag_state_t& s = ds();
    s.src = nullptr;
    s.target = nullptr;
    s.data = 0;
    s.img = nullptr;
    s.start = {-1, -1};
    s.drop_ok = true;
}

// Handlers may end the drag or delete windows, so every message re-reads the
// state instead of holding on to a window.
void send(wnd_t* w, uint32_t code) {
    if (w) w->notify({code, 0, 0});
}

void retarget() {
    drag_state_t& s = ds();
    s.target = get_hover_wnd();
    send(s.target, EVT_DRAG_OVER2);
    send(s.src, EVT_DRAG_OVER);
}

// Asks w whether it may be dragged from the last press, and starts if so.
void try_start(wnd_t* w) {
    drag_state_t& s = ds();
    s.start = s.last_press;
    s.drag_ok = true;
    send(w, EVT_DRAG_QUERY);
    if (s.drag_ok) {
        drag_begin(w);
    } else {
        s.start = {-1, -1};
    }
}

bool past_threshold(const evt_t& e) {
    const pt_t& p = ds().last_press;
    return std::abs(int(e.a) - p.x) >= drag_threshold || std::abs(int(e.b) - p.y) >= drag_threshold;
}

bool has_flag(const wnd_t* w, uint32_t bit) { return w && (w->drag_flags & bit) != 0; }

// A double click is a press too: the drag must swallow it like a single one.
bool is_press(uint32_t code) {
    return code == EVT_LBTN_DOWN || code == EVT_RBTN_DOWN || code == EVT_LBTN_DBL || code == EVT_RBTN_DBL;
}

bool filter_dragging(const evt_t& e) {
    if (is_press(e.code)) return true;
    switch (e.code) {
    case EVT_LBTN_UP: drag_drop(); return true;
    case EVT_RBTN_UP: drag_cancel(); return true;
    case EVT_KEY_UP:
        if (e.a != key_escape) return false;
        drag_cancel();
        return true;
    default: return false;
    }
}

void filter_at_rest(const evt_t& e) {
    switch (e.code) {
    case EVT_LBTN_DOWN:
    case EVT_LBTN_DBL: ds().last_press = {int(e.a), int(e.b)}; break;
    case EVT_MOUSE_MOVE: {
        wnd_t* w = get_pressed_wnd();
        if (has_flag(w, DRAG_ON_MOVE) && past_threshold(e)) try_start(w);
        break;
    }
    case EVT_LBTN_UP: {
        wnd_t* w = get_clicked_wnd();
        if (has_flag(w, DRAG_ON_CLICK)) try_start(w);
        break;
    }
    default: break;
    }
}

}  // namespace

bool drag_filter(const evt_t& e) {
    if (is_dragging()) return filter_dragging(e);
    filter_at_rest(e);
    return false;
}

void drag_update() {
    if (!is_dragging()) return;
    if (mouse_moved()) drag_over();
    set_frame_cursor(CUR_DRAG);
}

void drag_draw() {
    const drag_state_t& s = ds();
    if (!s.src) return;
    if (!has_flag(s.src, DRAG_NO_HILITE)) {
        fill_rect(&s.src->rc, &src_hilite);
        if (s.target && s.drop_ok) fill_rect(&s.target->rc, &target_hilite);
    }
    const rect at = get_mouse_rect();
    if (s.img) draw_tex(s.img, &at, nullptr);
    // Looked up each frame: a kept pointer would outlive a closed image cache.
    if (!s.drop_ok) draw_tex(get_img(no_drop_img), &at, nullptr);
}

void drag_begin(wnd_t* w) {
    drag_state_t& s = ds();
    s.src = w;
    s.target = w;
    send(w, EVT_DRAG_BEGIN);
    if (s.src) retarget();
}

void drag_over() {
    if (is_dragging()) retarget();
}

void drag_drop() {
    drag_state_t& s = ds();
    send(s.src, EVT_DROP);
    // Read again: the source's handler may have ended the drag or closed the target.
    send(s.target, EVT_DROP2);
    reset();
}

void drag_cancel() { reset(); }

bool is_dragging() { return ds().src != nullptr; }
bool is_modal_or_drag() { return modal_depth() > 0 || is_dragging(); }
bool is_drag_src(const wnd_t* w) { return w && ds().src == w; }
wnd_t* get_drag_src() { return ds().src; }
wnd_t* get_drag_target() { return ds().target; }
const pt_t* get_drag_start() { return &ds().start; }
uintptr_t* get_drag_data() { return &ds().data; }

void set_drag_img(const wchar_t* name) { ds().img = name && *name ? get_img(name) : nullptr; }
void set_drag_ok(bool ok) { ds().drag_ok = ok; }
void set_drop_ok(bool ok) { ds().drop_ok = ok; }

void drag_forget_wnd(const wnd_t* w) {
    drag_state_t& s = ds();
    if (!w) return;
    if (s.src == w) reset();
    if (s.target == w) s.target = nullptr;
}
