#include "app/draw_text.h"

#include "app/geom.h"
#include "app/sentinels.h"

namespace {
constexpr int top_left = rect_align::left | rect_align::top;

// Constant-initialised: ui/ may install its painter before this file's initialisers run.
text_painter_t* painter = nullptr;
}  // namespace

void set_text_painter(text_painter_t* p) { painter = p; }

void draw_text(const wchar_t* text, const rect* box, int font, const clr_t* c, int flags) {
    if (!text || !box || !painter) return;
    painter->draw(text, *box, font, c, flags);
}

void draw_text_at(const wchar_t* text, int x, int y, int font, const clr_t* c) {
    const rect box{x, y, UNLIMITED, UNLIMITED};
    draw_text(text, &box, font, c, top_left);
}

void draw_text_centered(const wchar_t* text, int x, int y, int font, const clr_t* c) {
    size s;
    measure_text(&s, text, font, top_left, UNLIMITED, UNLIMITED);
    draw_text_at(text, x - s.w / 2, y - s.h / 2, font, c);
}

size* measure_text(size* out, const wchar_t* text, int font, int flags, int max_w, int max_h) {
    if (!out) return out;
    *out = painter ? painter->measure(text, {max_w, max_h}, font, flags) : size{0, 0};
    return out;
}
