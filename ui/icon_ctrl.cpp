#include "ui/icon_ctrl.h"

#include "app/audio.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/render.h"

namespace {
constexpr clr_t disabled_icon_clr = 0xFF888888;
}

icon_ctrl_t::icon_ctrl_t() { font = FONT_B; }

void icon_ctrl_t::set_icon(const wchar_t* name) { icon = name ? get_img(name) : nullptr; }

int icon_ctrl_t::get_state() const {
    if (!is_enabled()) return DS_DISABLED;
    if (!is_hot()) return DS_NORMAL;
    return get_pressed_wnd() == this ? DS_PRESSED : DS_HOT;
}

void icon_ctrl_t::draw_content() {
    draw_text();
    if (!icon) return;
    rect sq{0, 0, icon_sz, icon_sz};
    if (text.empty()) {
        align_rect(&sq, &rc, rect_align::centre | rect_align::middle);
    } else {
        // Beside the text, in a square as high as the window.
        sq.x = rc.x + (rc.h - icon_sz) / 2;
        sq.y = rc.y + (rc.h - icon_sz) / 2;
    }
    const clr_t c = get_state() == DS_DISABLED ? disabled_icon_clr : icon_clr;
    draw_tex_clr(icon, &c, &sq, nullptr);
}

bool icon_ctrl_t::click(const evt_t* e) {
    play_sfx(L"ui_click", 0);
    return wnd_t::click(e);
}

rect* icon_ctrl_t::client_rect(rect* out) {
    wnd_t::client_rect(out);
    if (icon) out->x += rc.h;
    return out;
}

pt_t* icon_ctrl_t::client_origin(pt_t* out) {
    wnd_t::client_origin(out);
    // Centred and right-aligned text find their own place beside the icon.
    if (icon && !(text_align & (rect_align::right | rect_align::centre))) out->x += icon_sz * 3 / 2;
    return out;
}

void icon_ctrl_t::adjust_auto_size(size* sz, bool auto_w, bool) {
    if (icon && auto_w) sz->w += rc.h;
}
