#pragma once
// A row (or, with TBX_COLUMN, a column) of tool buttons, growing by one
// button each time one is added. The bar owns its buttons.
#include "ui/btn.h"

enum : uint32_t {
    TBX_COLUMN = 1u << 0,     // buttons stacked top to bottom
    TBX_END_CODES = 1u << 1,  // a click ends the modal loop with the button's id
};

// The class of the buttons a tool bar makes.
class tool_btn_t : public btn_t {};

// A bar of tool buttons it owns, each a window of its own; tool_bar_t2 is the
// strip whose tools are the items of a list view.
class tool_bar_t : public wnd_t {
public:
    size btn_sz{32, 32};

    tool_bar_t();
    ~tool_bar_t() override;

    // text may be null; reserved is unused and kept for the callers' argument lists.
    tool_btn_t* add_btn(const wchar_t* text, int id, uint32_t style, int hot_key, int reserved, uintptr_t user);
    // The bar becomes one button plus its margins and borders.
    void set_btn_size(const size* s);
    // Deletes every button.
    void clear();
};
