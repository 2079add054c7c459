#pragma once
// A read-only box showing one rich text, scrolled by its bars. With
// MEMO_WRAP the text wraps to the width and a vertical bar shows when needed.
#include "ui/title_wnd.h"

enum : uint32_t { MEMO_WRAP = 1u << 12 };

class memo_ctrl_t : public title_wnd_t {
public:
    memo_ctrl_t();

    // Shows the text from the top, even when it equals the text shown now;
    // set_text keeps the scroll position.
    void reset_text(const wchar_t* s);

    size* text_box(size* out) override;
    void on_text_laid_out() override;
};
