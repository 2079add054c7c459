#pragma once
// The tooltip: one request record that a window answering EVT_TIP_QUERY fills,
// one tip window, and the hooks the frame loop calls. After 0.2 s of rest
// over a window that answers, its text shows beside the anchor; any mouse or
// key event hides it.
#include "app/evt.h"
#include "app/str.h"
#include "app/types.h"
#include "ui/wnd.h"

struct tip_req_t {
    rect anchor{-4, -4, -4, -4};
    int place = 0;
    int width = 0;                   // 0: fit the text
    int max_w = 0;                   // 0: at most 512 pixels; never more than the screen
    const wchar_t* text_ptr = nullptr;  // not owned
    Str text;                        // used instead of text_ptr when not empty
    int region = 0;                  // lets one window show tips for parts of itself

    void reset();
};

tip_req_t& get_tip_req();

// Called with no arguments just before a tip is shown; may rewrite the
// request's text (the screens' reference resolver).
using tip_hook_t = void (*)();
void set_tip_hook(tip_hook_t fn);
tip_hook_t get_tip_hook();

// Where the tip goes from its anchor (ax, ay, aw, ah; x, y its corner or the
// mouse): below, above, right, left, at the point, right-aligned,
// bottom-aligned, right- and bottom-aligned, below with the anchor's right
// edge. Any other value is TIP_AT.
enum : int {
    TIP_BELOW = 0, TIP_ABOVE = 1, TIP_RIGHT = 2, TIP_LEFT = 3, TIP_AT = 4,
    TIP_RIGHT_ALIGNED = 5, TIP_BOTTOM_ALIGNED = 6, TIP_RIGHT_BOTTOM = 7, TIP_BELOW_RIGHT = 8,
};

// The tip's near-black: every colour of a tip's text must read on it.
constexpr clr_t tip_bg_clr = 0xFF0D0D0D;

class tip_wnd_t : public wnd_t {
public:
    using wnd_t::create;
    // Under the root, sized to its text.
    virtual bool create(uint32_t style);
};

// Made on first use: hidden, above every dialog, at most 512 pixels wide.
tip_wnd_t* get_tip_wnd();

void tip_update(double dt);
void tip_on_input(const evt_t* e);
void show_tip(const tip_req_t* req);
// True when the tip shown is no longer the one the hover window would answer.
bool tip_changed();
void hide_tip();
// The window the tip is shown for; null when none is.
wnd_t* get_tip_shown_wnd();
