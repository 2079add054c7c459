#pragma once
// A button the test puts on the screen whose click runs a function, as a
// screen's own button that opens a dialog would: the dialog's loop runs
// nested in the click, and the test goes on inside it.
#include <functional>
#include <utility>

#include "ui/wnd.h"

struct test_btn_t : wnd_t {
    std::function<int()> on_click;
    int result = 0;
    bool click(const evt_t*) override {
        result = on_click();
        return true;
    }
};

// Under the root at (8, y), registered; call on the game's thread (on_main).
inline test_btn_t* add_test_btn(const wchar_t* caption, int y, std::function<int()> on_click) {
    auto* b = new test_btn_t;
    const rect r{8, y, 96, 32};
    b->create(0, WND_ROOT, &r, 0, 0, nullptr);
    b->set_text(caption, false);
    b->on_click = std::move(on_click);
    reg_owned_wnd(b);
    return b;
}
