#pragma once
// The edit box's interface. The text-input overlay finds the focused edit box
// by this type and draws the composition at its caret.
#include "ui/wnd.h"

class edt_t : public wnd_t {
public:
    // The screen rectangle at the caret; the caret line runs down its left edge.
    virtual rect* caret_rect(rect* out) = 0;
};
