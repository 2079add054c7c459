#pragma once
// A window run as the top modal window over the frame loop (app/loop.h).

#include "app/loop.h"  // the MODAL_* results

class wnd_t;

// Runs `w` as the top modal window: -1 and -2 as its buttons set them, -2
// when Escape or `key` is released or a press and release both fall outside
// it, -5 when the program quits. Flags bit 0: keep w where it is.
int do_modal(wnd_t* w, int key, int flags);
