#pragma once
#include "ui/lv.h"

// A list view used as a tool strip, sized to its items (the action bar, the
// log bar, the unit strips, the sheet's toggles). Its tools are list items
// that the list draws, hovers and selects; tool_bar_t's are button windows.
class tool_bar_t2 : public lv_t {
public:
    tool_bar_t2() { cls_style |= WS_AUTO_W | WS_AUTO_H; }
};
