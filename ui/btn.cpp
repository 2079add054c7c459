#include "ui/btn.h"

#include "app/geom.h"
#include "app/render.h"
#include "app/tex.h"

namespace {
constexpr clr_t hot_skin_overlay = 0x11FFFFFF;
}

btn_t::btn_t() { text_align = rect_align::centre | rect_align::middle; }

void btn_t::set_clrs(const clr_t* normal, const clr_t* pressed, const clr_t* disabled, const clr_t* hot) {
    set_clr(normal, DS_NORMAL);
    set_clr(pressed, DS_PRESSED);
    set_clr(disabled, DS_DISABLED);
    set_clr(hot, DS_HOT);
}

void btn_t::set_clr(const clr_t* c, int state) {
    if (c && state >= 0 && state < 4) state_clrs[state] = *c;
}

void btn_t::set_bg_clr(const clr_t* c) {
    if (c) set_clrs(c, c, c, c);
}

void btn_t::draw() {
    wnd_t::draw();
    if (hot_overlay != 0 && get_state() == DS_HOT) fill_rect(&rc, &hot_overlay);
}

void btn_t::draw_bg() {
    if (has_style(BS_NO_BG)) return;
    const int state = get_state();
    if (skin && has_style(BS_SKIN_FRAMES)) {
        const size s = skin->get_size();
        const rect frame{0, state * (s.h / 4), s.w, s.h / 4};
        draw_tex_9slice(&rc, skin, &frame);
    } else if (skin) {
        clr_t t = tint;
        if (state == DS_DISABLED) t.scale_rgb(0.5);
        draw_tex_clr(skin, &t, &rc, nullptr);
        if (state == DS_HOT) fill_rect(&rc, &hot_skin_overlay);
    } else {
        const clr_t& c = is_checked() ? checked_clr : state_clrs[state];
        fill_rect(&rc, &c);
    }
}
