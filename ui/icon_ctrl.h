#pragma once
// A window with an optional icon beside or instead of its text; the base of
// buttons and check boxes. A click plays "ui_click".
#include "ui/wnd.h"

// Draw states of the clickable controls.
enum : int { DS_NORMAL = 0, DS_PRESSED = 1, DS_DISABLED = 2, DS_HOT = 3 };

class icon_ctrl_t : public wnd_t {
public:
    zg::tex_t* icon = nullptr;  // not owned: from the image cache
    int icon_sz = 32;           // the icon's square side
    clr_t icon_clr = 0xFFFFFFFF;

    icon_ctrl_t();
    // Null for none.
    void set_icon(const wchar_t* name);
    // DS_DISABLED when not created or disabled, else DS_PRESSED hovered and
    // pressed, DS_HOT hovered only, DS_NORMAL otherwise.
    int get_state() const;

    void draw_content() override;
    bool click(const evt_t* e) override;
    rect* client_rect(rect* out) override;
    pt_t* client_origin(pt_t* out) override;
    void adjust_auto_size(size* sz, bool auto_w, bool auto_h) override;
};
