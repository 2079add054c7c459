#include "ui/modal.h"

#include <SDL.h>

#include <algorithm>

#include "app/input.h"
#include "app/input_state.h"
#include "app/loop.h"
#include "app/platform.h"
#include "app/seams.h"
#include "ui/wnd.h"

namespace {
constexpr int flag_keep_place = 1;

// Keeps a popup running until Escape or `key` is released, or a press and
// its release both fall outside it; judged on the pass's last event, and the
// pump ends a pass at each press, release and key release (app/loop.cpp).
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
    ++st.dialogs_closed;
    post_mouse_move();
    pop_modal(w);
    w->set_visible(false);
    w->set_layer(0);
    st.busy = was_busy;
    return result;
}
