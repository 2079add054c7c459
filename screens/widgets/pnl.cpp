#include "screens/widgets/pnl.h"

#include "screens/widgets/theme.h"

pnl_t::pnl_t() {
    bg_clr = theme::panel_bg;
    text_clr = theme::text;
}

pnl_t* new_pnl(uint32_t style, wnd_t* parent, const rect* r) {
    auto* p = new pnl_t;
    p->create(style, parent, r, 0, 0, nullptr);
    reg_owned_wnd(p);
    return p;
}
