#include "app/img_sheet.h"

#include "app/img_cache.h"
#include "app/render.h"

namespace {

// One row per quarter: its vertical, horizontal and diagonal neighbour bits,
// then the frames for "all three", "both sides but not the diagonal",
// "horizontal only", "vertical only" and "neither side".
struct quarter_rule_t {
    int v, h, d;
    pt_t all, inner, h_only, v_only, none;
};

constexpr quarter_rule_t quarter_rules[4] = {
    {NB_N, NB_W, NB_NW, {2, 4}, {2, 0}, {2, 2}, {0, 4}, {0, 2}},  // top-left
    {NB_N, NB_E, NB_NE, {1, 4}, {3, 0}, {1, 2}, {3, 4}, {3, 2}},  // top-right
    {NB_S, NB_W, NB_SW, {2, 3}, {2, 1}, {2, 5}, {0, 3}, {0, 5}},  // bottom-left
    {NB_S, NB_E, NB_SE, {1, 3}, {3, 1}, {1, 5}, {3, 3}, {3, 5}},  // bottom-right
};

pt_t pick_quarter(const quarter_rule_t& q, int mask) {
    const bool v = mask & q.v;
    const bool h = mask & q.h;
    if (h && v) return (mask & q.d) ? q.all : q.inner;
    if (h) return q.h_only;
    if (v) return q.v_only;
    return q.none;
}

}  // namespace

void img_frame_t::draw(const rect* dst, const clr_t* mod) const {
    if (tex) draw_tex_clr(tex, mod, dst, &src);
}

std::array<pt_t, 4> autotile_quarters(int mask) {
    std::array<pt_t, 4> out;
    for (int i = 0; i < 4; ++i) out[i] = pick_quarter(quarter_rules[i], mask);
    return out;
}

img_sheet_t::img_sheet_t(const wchar_t* name) {
    if (name) load(name);
}

bool img_sheet_t::load(const wchar_t* name) {
    zg::tex_t* tex = get_img(name);
    if (!tex) return false;
    const size sz = tex->get_size();
    // Guards the divisions below and keeps a sheet from holding empty frames.
    if (sz.w < autotile_cols || sz.h < autotile_rows) return false;
    return split_by_size(name, sz.w / autotile_cols, sz.h / autotile_rows);
}

bool img_sheet_t::split_by_size(const wchar_t* name, int fw, int fh) {
    if (fw < 1 || fh < 1) return false;
    zg::tex_t* tex = get_img(name);
    if (!tex) return false;
    const size sz = tex->get_size();
    const int nc = sz.w / fw;
    const int nr = sz.h / fh;
    if (nc < 1 || nr < 1) return false;
    cols = nc;
    rows = nr;
    frames.reserve(frames.size() + size_t(nc) * size_t(nr));
    for (int r = 0; r < nr; ++r)
        for (int c = 0; c < nc; ++c) frames.push_back({name, tex, {c * fw, r * fh, fw, fh}});
    return true;
}

const img_frame_t* img_sheet_t::frame(int col, int row) const {
    if (col < 0 || row < 0 || col >= cols || row >= rows) return nullptr;
    const size_t i = size_t(cols) * size_t(row) + size_t(col);
    return i < frames.size() ? &frames[i] : nullptr;
}

void img_sheet_t::draw_autotile(const rect* cell, int mask, const clr_t* mod) const {
    // A sheet cut to another grid would be indexed past its frames.
    if (!cell || cols < autotile_cols || rows < autotile_used_rows) return;
    const int w2 = cell->w / 2;
    const int h2 = cell->h / 2;
    const pt_t at[4] = {
        {cell->x, cell->y}, {cell->x + w2, cell->y}, {cell->x, cell->y + h2}, {cell->x + w2, cell->y + h2}};
    const auto q = autotile_quarters(mask);
    for (int i = 0; i < 4; ++i) {
        const rect dst{at[i].x, at[i].y, w2, h2};
        if (const img_frame_t* f = frame(q[i].x, q[i].y)) f->draw(&dst, mod);
    }
}
