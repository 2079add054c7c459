#pragma once
// Drag and drop under the window tree: one drag at a time. Windows opt in
// through their drag_flags word and answer the EVT_DRAG_* and EVT_DROP*
// messages, which bubble through wnd_t::notify like every other message.
#include <cstdint>

#include "app/evt.h"
#include "app/types.h"

class wnd_t;

// Bits of wnd_t::drag_flags.
enum : uint32_t {
    DRAG_ON_MOVE = 2,             // pressed, then moved drag_threshold pixels
    DRAG_ON_CLICK = 4,            // picked up by a click, dropped by the next
    DRAG_NO_HILITE = 0x80000000,  // source and target are not highlighted
};

// Pixels the mouse must move from the press, along x or along y.
constexpr int drag_threshold = 8;

// Sees every translated input event before routing; true consumes it.
bool drag_filter(const evt_t& e);
void drag_update();
void drag_draw();

void drag_begin(wnd_t* w);
void drag_over();
void drag_drop();
// Ends the drag without telling anyone.
void drag_cancel();

bool is_dragging();
// A modal loop runs or a drag does.
bool is_modal_or_drag();
bool is_drag_src(const wnd_t* w);
wnd_t* get_drag_src();
wnd_t* get_drag_target();
// (-1, -1) while no drag runs.
const pt_t* get_drag_start();
// The word the source fills for the target; 0 again when the drag ends.
uintptr_t* get_drag_data();
// The image from the image cache that follows the mouse; null or "" for none.
void set_drag_img(const wchar_t* name);
// The answer to EVT_DRAG_QUERY; a handler refuses the drag with false.
void set_drag_ok(bool ok);
void set_drop_ok(bool ok);

// A window going away must not stay the source or the target: losing the
// source ends the drag, losing the target leaves none.
void drag_forget_wnd(const wnd_t* w);
