#include "ui/memo_ctrl.h"

#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"

namespace {
constexpr int memo_border = 4;
constexpr int measure_flags = rect_align::left | rect_align::top;
}  // namespace

memo_ctrl_t::memo_ctrl_t() {
    border_w = memo_border;
    h_step = v_step = get_font_height(FONT_DEF);
}

void memo_ctrl_t::reset_text(const wchar_t* s) {
    set_text(L"", true);
    set_text(s, true);
}

size* memo_ctrl_t::text_box(size* out) {
    *out = {UNLIMITED, UNLIMITED};
    if (!has_style(MEMO_WRAP)) return out;
    const int w = rc.w - margin_l - margin_r - 2 * border_w;
    const int h = rc.h - margin_t - margin_b - 2 * border_w - foot_h;
    size need{0, 0};
    if (!has_v) measure_text(&need, text, font, measure_flags, w, UNLIMITED);
    // Room for the bar unless the text fits without one.
    out->w = !has_v && need.h <= h ? w : w - SCROLL_BAR_W;
    return out;
}

void memo_ctrl_t::on_text_laid_out() {
    const rect t = rtext.get_rect();
    set_scroll_size(t.w + 2 * border_w, t.h + 2 * border_w);
}
