#pragma once
// The input state itself, for the frame loop's own files only (its window
// half included: ui/wnd_layer.cpp, ui/modal.cpp); everyone else goes through
// the accessors of app/input.h.
#include <vector>

#include "app/evt.h"
#include "app/str.h"
#include "app/types.h"

class wnd_t;

struct input_state_t {
    bool quit = false;
    bool busy = false;
    wnd_t* hover = nullptr;
    wnd_t* prev_hover = nullptr;
    wnd_t* pressed = nullptr;
    wnd_t* clicked = nullptr;
    wnd_t* focus = nullptr;
    wnd_t* press_outside = nullptr;  // the modal window a press fell outside of
    int modal_result = 0;
    // Dialogs closed so far (ui/modal.h); per mouse button (left, right,
    // middle) that count plus 1 as it was at the button's press, 0 once
    // released: a release pairs with its press only while the count stands.
    uint32_t dialogs_closed = 0;
    uint32_t press_at[3] = {};
    int cursor_id = 0;
    evt_t cur_evt;       // the last event taken, read by the popup predicate
    evt_t cur_evt_copy;  // the same, zeroed at the start of each pass
    pt_t mouse{-1, -1};
    pt_t prev_mouse{-1, -1};
    pt_t btn_at;          // where the button that ended the pump's pass was
    bool at_btn = false;  // the next frame update takes the mouse from btn_at
    bool moved = true;
    bool no_modal = true;
    std::vector<wnd_t*> modal_stack;
    Str hint;
};

input_state_t& input_state();
