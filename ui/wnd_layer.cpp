// The window tree installed under the frame loop: the root window, input
// routed to windows (press, click, focus, hover), the tooltip and the drag
// fed each event and frame, painting, and the scene stack's windows.
#include <utility>

#include "app/input.h"
#include "app/input_state.h"
#include "app/wnd_layer.h"
#include "ui/drag.h"
#include "ui/ime_overlay.h"
#include "ui/tip.h"
#include "ui/wnd.h"

namespace {
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
    case EVT_KEY_UP: st.pressed = nullptr; break;
    default: break;
    }
}

// ---- presses that a dialog took ----

// The button of a press, release or double click: 0 left, 1 right, 2 middle.
int btn_of(uint32_t code) { return int(code - EVT_LBTN_DOWN) % 3; }
bool is_release(uint32_t code) { return code >= EVT_LBTN_UP && code <= EVT_MBTN_UP; }

// A release counts only while no dialog has closed since its press: a dialog
// that ended on the press (a list's pick) keeps the release from the windows
// and the scene below, where it would click or give an order where the
// pointer now is. A release with no press known passes.
bool pairs_with_press(const evt_t& e) {
    input_state_t& st = input_state();
    if (!is_mouse_btn(e.code)) return true;
    uint32_t& at = st.press_at[btn_of(e.code)];
    if (!is_release(e.code)) {
        at = st.dialogs_closed + 1;
        return true;
    }
    const uint32_t pressed_at = std::exchange(at, 0);
    return pressed_at == 0 || pressed_at == st.dialogs_closed + 1;
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

// A press or release can come in the same pump as the move that brought the
// mouse there (a flick and click, a touchpad tap): it acts where it happened,
// not on what the mouse was over at the last frame.
void follow_button(const evt_t& e) {
    input_state_t& st = input_state();
    const pt_t at{int(e.a), int(e.b)};
    if (at == st.mouse) return;
    st.mouse = at;
    update_hover();
}

// ---- the layer ----

class ui_layer_t : public wnd_layer_t {
public:
    wnd_t* root() override {
        // Destroyed at exit after everything else; its destructor touches no SDL.
        static wnd_t r;
        return &r;
    }

    bool create_root(const rect& screen) override { return root()->create(0, nullptr, &screen, 0, 0, nullptr); }
    void arrange_root() override { root()->arrange(); }

    void pump_started() override { clear_last_cmd(); }

    void route(const evt_t& e) override {
        input_state_t& st = input_state();
        if (is_mouse_btn(e.code)) follow_button(e);
        if (!pairs_with_press(e)) {
            // Nor does it end a dialog as a click outside, or open the link
            // under the pointer after the frame.
            st.cur_evt = st.cur_evt_copy = {};
            return;
        }
        const uint32_t closed = st.dialogs_closed;
        track_input(e);
        // A click that ran a dialog spent its release there: nor does it end
        // the dialog around as a click outside, or open a link after the frame.
        if (st.dialogs_closed != closed) {
            st.cur_evt = st.cur_evt_copy = {};
            return;
        }
        tip_on_input(&e);
        if (drag_filter(e)) {
            // What the drag took (Escape cancelling it, the release dropping it)
            // must not also end the dialog the drag runs in.
            st.cur_evt = {};
            return;
        }
        if (st.busy && is_busy_dropped(e.code)) return;
        wnd_t* to = root();
        if (st.pressed && st.pressed != root())
            to = st.pressed;
        else if (!st.modal_stack.empty())
            to = st.modal_stack.back();
        if (e.code == EVT_WHEEL_DOWN || e.code == EVT_WHEEL_UP)
            route_wheel(to, &e);
        else
            to->on_input(&e);
    }

    bool update(double dt) override {
        input_state_t& st = input_state();
        update_hover();
        tip_update(dt);
        drag_update();
        if (!st.modal_stack.empty()) {
            st.modal_stack.back()->refresh_all();
            return true;
        }
        root()->refresh_all();
        return false;
    }

    void paint() override { root()->paint_children(); }

    void draw_over() override {
        drag_draw();
        ime_draw();
    }

    wnd_t* modal_opened() override {
        input_state_t& st = input_state();
        wnd_t* top = st.modal_stack.empty() ? root() : st.modal_stack.back();
        if (!top->children.empty()) {
            wnd_t* f = top->next_focus_child(nullptr);
            st.focus = f ? f : top;
        } else if (!st.focus) {
            st.focus = top;
        }
        const evt_t open{EVT_MODAL_OPEN, 0, 0};
        top->on_input(&open);
        return top;
    }

    void modal_closed(wnd_t* top) override {
        const evt_t close{EVT_MODAL_CLOSE, 0, 0};
        top->on_input(&close);
    }

    void show_only(const std::vector<wnd_t*>& wnds) override {
        for (wnd_t* w : root()->children) w->set_visible(false);
        for (wnd_t* w : wnds) w->set_visible(true);
    }

    void shown_top_wnds(std::vector<wnd_t*>* out) override {
        for (wnd_t* w : root()->children)
            if (w->is_created() && !w->is_hidden()) out->push_back(w);
    }
};

// Installed while the core loads, so every program that links it has windows.
const bool installed = [] {
    // Never destroyed: windows with static storage still reach it at exit.
    set_wnd_layer(new ui_layer_t);
    return true;
}();
}  // namespace
