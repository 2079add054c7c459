#include "ui/tool_bar.h"

namespace {
constexpr uint32_t column_dock = WS_DOCK_TOP | WS_FILL_W;
constexpr uint32_t row_dock = WS_DOCK_LEFT | WS_FILL_H;
constexpr int bar_gap = 2;
}  // namespace

tool_bar_t::tool_bar_t() {
    rc.w = btn_sz.w;
    rc.h = btn_sz.h;
    gap = bar_gap;
}

tool_bar_t::~tool_bar_t() { clear(); }

tool_btn_t* tool_bar_t::add_btn(const wchar_t* label, int btn_id, uint32_t btn_style, int key, int, uintptr_t user) {
    const int n = int(children.size());
    const bool column = (all_ex_style() & TBX_COLUMN) != 0;
    if (column)
        resize(rc.w, margin_t + margin_b + (n + 1) * btn_sz.h + n * gap + 2 * border_w);
    else
        resize(margin_l + margin_r + (n + 1) * btn_sz.w + n * gap + 2 * border_w, rc.h);
    auto* b = new tool_btn_t;
    const rect r{0, 0, btn_sz.w, btn_sz.h};
    b->create((column ? column_dock : row_dock) | btn_style, this, &r, btn_id, user, nullptr);
    b->font = font;
    b->hot_key = key;
    b->tip_place = tip_place;
    b->text_dirty = true;
    if (label) b->set_text(label, false);
    if (all_ex_style() & TBX_END_CODES) b->end_code = btn_id;
    return b;
}

void tool_bar_t::set_btn_size(const size* s) {
    if (!s) return;
    btn_sz = *s;
    resize(btn_sz.w + margin_l + margin_r + 2 * border_w, btn_sz.h + margin_t + margin_b + 2 * border_w);
}

void tool_bar_t::clear() {
    // Each button leaves the child list as it is deleted.
    while (!children.empty()) delete children.back();
}
