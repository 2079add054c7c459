#pragma once
// Windows a test puts on the screen. A button whose click runs a function, as
// a screen's own button that opens a dialog would: the dialog's loop runs
// nested in the click, and the test goes on inside it.
#include <functional>
#include <utility>

#include "app/input.h"
#include "ui/wnd.h"

// Creates w at r under parent (null: a window of its own).
inline void create_at(wnd_t& w, wnd_t* parent, const rect& r, uint32_t style = 0) {
    w.create(style, parent, &r, 0, 0, nullptr);
}
// The root window w x h from the screen's top left corner.
inline void root_at(int w, int h) { create_at(*get_root_wnd(), nullptr, {0, 0, w, h}); }

// Creates w at r under the root and hands it to the owned windows, which the
// shutdown deletes; call on the game's thread.
template <class W>
W* add_owned(W* w, const rect& r, uint32_t style = 0) {
    create_at(*w, WND_ROOT, r, style);
    reg_owned_wnd(w);
    return w;
}

// c made a child of parent at r, with the style unless it is 0, and given to the owned windows.
template <class T>
T* add_child(T* c, wnd_t* parent, uint32_t style, rect r) {
    if (style) c->set_style(style);
    c->set_parent(parent);
    c->set_rect(&r);
    c->on_create();
    reg_owned_wnd(c);
    return c;
}

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
    auto* b = add_owned(new test_btn_t, {8, y, 96, 32});
    b->set_text(caption, false);
    b->on_click = std::move(on_click);
    return b;
}

// Counts the mouse presses and releases its parent offers it last, when none
// of its other windows took them: what got past the dialogs over them. It
// lies first under the parent, with no size, and takes nothing.
struct btn_tap_t : wnd_t {
    int heard = 0;
    bool on_input(const evt_t* e) override {
        heard += is_mouse_btn(e->code);
        return false;
    }
};

// Call on the game's thread.
inline btn_tap_t* add_btn_tap(wnd_t* parent) {
    auto* t = new btn_tap_t;
    create_at(*t, parent, {}, WS_NO_INPUT);
    parent->children.insert(parent->children.begin(), t);
    parent->children.pop_back();
    reg_owned_wnd(t);
    return t;
}
