#pragma once
// A window with a large title bar and a close button: a click on any child
// with an end code hides it, and Esc ends the running modal loop with -2.
#include "ui/btn.h"
#include "ui/title_wnd.h"

class frame_wnd_t : public title_wnd_t {
public:
    int bar_h_at_create = 0;
    int rest_w = 0;   // the window's width less the bar height
    btn_t close_btn;  // used by windows made with create; on_create uses a title button

    using title_wnd_t::create;
    virtual bool create(const wchar_t* title_text, uint32_t style, wnd_t* parent, const rect* r);
    void on_create() override;
    bool on_msg(const evt_t& msg, wnd_t* sender) override;
};
