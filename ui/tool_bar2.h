#pragma once
// A list view used as a strip of tools: sized to its items both ways. The
// action bar and the unit strips of the screens derive from it.
#include "ui/lv.h"

class tool_bar_t2 : public lv_t {
public:
    tool_bar_t2() { cls_style |= WS_AUTO_W | WS_AUTO_H; }
};
