#include "app/draw_text.h"

#include "app/geom.h"
#include "app/render.h"
#include "ui/rtext.h"

namespace {
constexpr int top_left = rect_align::left | rect_align::top;
}

void draw_text(const wchar_t* text, const rect* box, int font, const clr_t* c, int flags) {
    if (!text || !box) return;
    rtext_t rt;
    rt.init();
    const size sz{box->w, box->h};
    rt.set_text(text, &sz, font, c, flags);
    rt.draw(box->x, box->y);
    rt.free();
}

void draw_text_at(const wchar_t* text, int x, int y, int font, const clr_t* c) {
    const rect box{x, y, rt_unbounded, rt_unbounded};
    draw_text(text, &box, font, c, top_left);
}

void draw_text_centered(const wchar_t* text, int x, int y, int font, const clr_t* c) {
    size s;
    measure_text(&s, text, font, top_left, rt_unbounded, rt_unbounded);
    draw_text_at(text, x - s.w / 2, y - s.h / 2, font, c);
}

size* measure_text(size* out, const wchar_t* text, int font, int flags, int max_w, int max_h) {
    if (!out) return out;
    rtext_t rt;
    rt.init();
    const size limit{max_w, max_h};
    rt.set_text(text, &limit, font, &default_clr, flags);
    const rect r = rt.get_rect();
    *out = {r.w, r.h};
    rt.free();
    return out;
}
