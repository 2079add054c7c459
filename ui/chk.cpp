#include "ui/chk.h"

#include "app/geom.h"

chk_t::chk_t() {
    bg_clr = 0;
    set_icon(L"ui/chk_0_16");
    icon_sz = 16;
    text_align = rect_align::middle;
}

void chk_t::set_checked(bool v) {
    if (v == checked) return;
    checked = v;
    set_icon(v ? L"ui/chk_1_16" : L"ui/chk_0_16");
}

bool chk_t::click(const evt_t* e) {
    // Handlers of the command still see the state before the click.
    const bool r = icon_ctrl_t::click(e);
    set_checked(!checked);
    return r;
}
