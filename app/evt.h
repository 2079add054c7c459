#pragma once
// The internal event and window-message record. `a` and `b` are pointer-wide
// because some messages (text input, paint notifications, check toggles)
// carry pointers.
#include <cstdint>

struct evt_t {
    uint32_t code = 0;
    intptr_t a = 0;
    intptr_t b = 0;
};

// Input events made from SDL events (0xA000-0xA015), window and scene messages.
enum : uint32_t {
    EVT_CLOSE = 0xA000,
    EVT_QUIT = 0xA001,
    EVT_FOCUS_GAINED = 0xA002,
    EVT_FOCUS_LOST = 0xA003,
    EVT_MINIMISED = 0xA004,
    EVT_RESTORED = 0xA005,
    EVT_IDLE = 0xA006,
    EVT_MOUSE_MOVE = 0xA007,
    EVT_WHEEL_DOWN = 0xA008,  // turned toward the user
    EVT_WHEEL_UP = 0xA009,    // turned away from the user
    EVT_LBTN_DOWN = 0xA00A,
    EVT_RBTN_DOWN = 0xA00B,
    EVT_MBTN_DOWN = 0xA00C,
    EVT_LBTN_UP = 0xA00D,
    EVT_RBTN_UP = 0xA00E,
    EVT_MBTN_UP = 0xA00F,
    EVT_LBTN_DBL = 0xA010,
    EVT_RBTN_DBL = 0xA011,
    EVT_MBTN_DBL = 0xA012,
    EVT_KEY_DOWN = 0xA013,
    EVT_KEY_UP = 0xA014,
    EVT_TEXT = 0xA015,
    EVT_COMMAND = 0xA016,
    EVT_RCLICK = 0xA017,  // right button down and up on one window
    EVT_MCLICK = 0xA018,  // middle button down and up on one window
    EVT_MARKER_CLICK = 0xA019,
    EVT_MOUSE_ENTER = 0xA01A,
    EVT_MOUSE_LEAVE = 0xA01B,
    EVT_DRAG_QUERY = 0xA01C,
    EVT_DRAG_BEGIN = 0xA01D,
    EVT_DRAG_OVER = 0xA01E,
    EVT_DRAG_OVER2 = 0xA01F,
    EVT_DROP = 0xA020,
    EVT_DROP2 = 0xA021,
    EVT_TIP_QUERY = 0xA022,
    EVT_PAINT = 0xA023,
    EVT_MODAL_OPEN = 0xA024,
    EVT_MODAL_CLOSE = 0xA025,
    EVT_CLOSING = 0xA026,
    EVT_LAYOUT_DONE = 0xA027,
    EVT_FRAME = 0xA028,
    EVT_VISIBILITY = 0xA029,
    EVT_CUR_CHANGED = 0xA02A,
    EVT_SEL_MADE = 0xA02B,
    EVT_CHECK = 0xA02C,
    EVT_POPUP_BEGIN = 0xA031,
    EVT_POPUP_END = 0xA032,
    // The game screens' own: a unit's equipment changed, a level-up was completed.
    EVT_EQPT_CHANGED = 0xB000,
    EVT_LV_UP_DONE = 0xB001,
    EVT_BATTLE_START = 0xB002,
};

// A press, release or double click of any mouse button: they carry the mouse position.
inline bool is_mouse_btn(uint32_t code) { return code >= EVT_LBTN_DOWN && code <= EVT_MBTN_DBL; }
