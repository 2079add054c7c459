#pragma once
// A framed dialog with a standard row of buttons at its bottom, run with
// do_modal: -1 OK, -2 cancel, close or Esc, -5 the program is quitting.
#include "ui/frame_wnd.h"
#include "ui/modal.h"

// Bits of the button mode.
enum : int {
    DLG_CLOSE = 1,      // one centred "关闭"
    DLG_OK_CANCEL = 2,  // "取消" at the right end, "确定" to its left
};

class dlg_t : public frame_wnd_t {
public:
    int btn_mode = 0;
    wnd_t* btn_row = nullptr;
    btn_t* first_btn = nullptr;  // the close button, or Cancel
    btn_t* ok_btn = nullptr;

    dlg_t();

    using frame_wnd_t::create;
    // Under the root at {0, 0, w, h}.
    virtual bool create_dlg(const wchar_t* title_text, int w, int h, int mode, uint32_t style);
    void on_create() override;

    btn_t* add_btn(const wchar_t* label, uint32_t style, const wchar_t* icon_name, const wchar_t* tip_text);
    btn_t* add_icon_btn(const wchar_t* icon_name, const wchar_t* tip_text, uint32_t style);

protected:
    void add_std_btns();
    void make_btn_row();
};

// A dialog of class T made by the child idiom, registered for shutdown.
// title may be null (no bar); mode and style 0 keep the class's own.
template <class T>
T* make_dlg(const wchar_t* title_text, int mode, int w, int h, uint32_t style) {
    T* d = new T;
    if (style) d->set_style(style);
    d->set_parent(WND_ROOT);
    const rect r{0, 0, w, h};
    d->set_rect(&r);
    if (title_text) d->set_title_bar(TITLE_LARGE, title_text);
    if (mode) d->btn_mode = mode;
    d->on_create();
    reg_owned_wnd(d);
    return d;
}

// c made a child of parent at r by the child idiom, registered for shutdown.
template <class T>
T* add_child_wnd(wnd_t* parent, T* c, uint32_t style, const rect& r) {
    c->set_style(style);
    c->set_parent(parent);
    c->set_rect(&r);
    c->on_create();
    reg_owned_wnd(c);
    return c;
}
