#pragma once
// The tooltip: one request record that a window answering EVT_TIP_QUERY fills,
// and the hooks the frame loop calls.
#include "app/evt.h"
#include "app/str.h"
#include "app/types.h"

struct tip_req_t {
    rect anchor{-4, -4, -4, -4};
    int place = 0;
    int width = 0;                   // 0: fit the text
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

// TODO: the tooltip window needs rich-text layout to show anything; until it
// lands these keep the frame loop's call points and do nothing.
void tip_update(double dt);
void tip_on_input(const evt_t* e);
void hide_tip();
