#pragma once
// The process-wide input state shared by every level of the frame loop: the
// quit and busy flags, the hover, pressed, clicked and focus windows, the
// modal stack, the mouse position and the keyboard and mouse queries. The
// windows are only held here; ui/ says what they are (app/wnd_layer.h).
#include <cstdint>

#include "app/evt.h"
#include "app/types.h"

class wnd_t;
class Str;

void request_quit();
bool is_quitting();
void set_busy(bool v);
bool is_busy();

// The root window of the installed window layer.
wnd_t* get_root_wnd();
wnd_t* get_hover_wnd();
wnd_t* get_pressed_wnd();
wnd_t* get_clicked_wnd();
wnd_t* get_focus_wnd();
void set_focus_wnd(wnd_t* w);
// Null when no modal loop runs.
wnd_t* get_top_modal();
int modal_depth();

// Dialogs closed so far: a handler that changed it ran a dialog, which spent
// the event it handled.
uint32_t dialogs_closed();
// Ends the innermost running modal loop with `code`; 0 keeps it running.
void set_modal_result(int code);
int get_modal_result();
// The event the pump is dispatching now; zeroed at the start of each pass.
const evt_t* get_cur_evt();

const pt_t* get_mouse_pos();
rect get_mouse_rect();
bool mouse_moved();
bool is_hover_in_ui();
// True while the scene draws with no dialog open.
bool frame_no_modal();

// The cursor wanted for this frame (reset to the arrow every frame).
void set_frame_cursor(int id);
int get_frame_cursor();
// The hint line shown at the bottom-left for this frame.
Str& hint_text();

void arrange_root();
// Modal result, hover, pressed and clicked windows and the current event's code become 0.
void reset_input_state();
// The last frame time in seconds, at most 1/60 s.
double get_frame_dt();

inline bool rect_has_pt(const rect& r, const pt_t& p) { return r.contains(p); }

// A window going away must not stay referenced by the input state.
void input_forget_wnd(const wnd_t* w);

bool is_alt_down();
bool is_ctrl_down();
bool is_lbtn_down();
bool is_mbtn_down();
bool is_rbtn_down();
// The map view's scroll direction per axis, from the arrow and W A S D keys
// and the mouse at the screen's edges.
void get_scroll_dir(int* dx, int* dy);
