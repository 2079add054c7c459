#pragma once
// A list view used as a tool strip, sized to its items: the base of the
// action bar and the unit strips.
#include "ui/lv.h"

class tool_bar_t2 : public lv_t {
public:
    tool_bar_t2() { cls_style |= WS_AUTO_W | WS_AUTO_H; }
};
