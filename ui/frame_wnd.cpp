#include "ui/frame_wnd.h"

#include <SDL_keycode.h>

#include "app/input.h"

namespace {
constexpr clr_t close_red = 0xFFFF0000;
constexpr clr_t close_white = 0xFFFFFFFF;
constexpr uint32_t close_title_btn_style = WS_DOCK_RIGHT | WS_CENTRE_Y;
}  // namespace

bool frame_wnd_t::create(const wchar_t* title_text, uint32_t s, wnd_t* p, const rect* r) {
    wnd_t::create(s, p, r, 0, 0, nullptr);
    set_title_bar(TITLE_LARGE, title_text);
    bar_h_at_create = bar_h();
    rest_w = rc.w - bar_h_at_create;
    const rect cr{rest_w, 0, bar_h_at_create, bar_h_at_create};
    close_btn.create(WS_OUTER_POS | WS_MOVE_W, this, &cr, 0, 0, nullptr);
    const clr_t none = 0;
    close_btn.set_bg_clr(&none);
    close_btn.set_icon(L"ui/close");
    close_btn.icon_sz = bar_h_at_create / 2;
    close_btn.icon_clr = close_red;
    close_btn.end_code = -2;
    return true;
}

void frame_wnd_t::on_create() {
    title_wnd_t::on_create();
    if (title) add_title_btn(close_title_btn_style, L"ui/close", &close_white)->end_code = -2;
}

bool frame_wnd_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code == EVT_COMMAND && sender && sender->end_code != 0) {
        set_visible(false);
        return true;
    }
    // Esc only: key code 0 stands for keys without a code, which must not cancel a dialog.
    if (msg.code == EVT_KEY_UP && msg.a == SDLK_ESCAPE) {
        set_modal_result(-2);
        return true;
    }
    if (msg.code == EVT_LAYOUT_DONE && !get_focus_wnd()) set_focus_wnd(this);
    return title_wnd_t::on_msg(msg, sender);
}
