// Sections: items, selection, geometry, layout, input, drawing.
#include "ui/lv.h"

#include <algorithm>
#include <cwchar>

#include "app/draw_text.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/render.h"
#include "app/tex.h"
#include "ui/drag.h"
#include "ui/tip.h"

namespace {
constexpr int chk_sizes[] = {0, 16, 32, 64};
constexpr int marker_side = 16;
constexpr int part_gap = 4;     // after the check box and the icon
constexpr int scroll_bar = 16;  // room kept for a vertical or horizontal bar
constexpr int auto_side = 8092;
constexpr clr_t disabled_text_clr = 0xFF808080;
constexpr clr_t disabled_fill_clr = 0xFF333333;
constexpr clr_t disabled_frame_clr = 0xFF444444;
constexpr clr_t frame_under_clr = 0xFF000000;
constexpr clr_t pressed_clr = 0x33000000;
constexpr clr_t sep_clr = 0xFF333333;
constexpr clr_t zebra_even = 0x02FFFFFF;
constexpr clr_t zebra_odd = 0x08FFFFFF;
constexpr clr_t line_clr = 0x22FFFFFF;
constexpr clr_t marker_hot_tint = 0xFFFFFF80;
constexpr rect no_part{-1, -1, -1, -1};

// The label with its one-line cells opened, so a tooltip shows what they cut.
Str uncut(const wchar_t* label) {
    Str out;
    for (const wchar_t* s = label; *s;) {
        const bool cell = wcsncmp(s, L"<el>", 4) == 0 || wcsncmp(s, L"<el=", 4) == 0 || wcsncmp(s, L"</el>", 5) == 0;
        if (!cell) {
            out.append_char(*s++);
            continue;
        }
        while (*s && *s != L'>') ++s;
        if (*s) ++s;
    }
    return out;
}
}  // namespace

bool lv_t::is_scroll_dragged() const { return h_drag >= 0 || v_drag >= 0; }

lv_t::lv_t() {
    text_align |= rect_align::middle;
    owner = this;
}

lv_t::~lv_t() {
    if (!(all_ex_style() & LVX_FORGET)) delete_items(items);
}

void lv_t::send(uint32_t code, intptr_t a, intptr_t b) {
    if (is_laid_out()) notify({code, a, b});
}

// ---- items ----

li_t* lv_t::add_item(const wchar_t* label, const wchar_t* tip, zg::tex_t* icon, uint32_t flags, int id,
                     uintptr_t data, int unused, const clr_t* extra) {
    li_t* it = new li_t(label, tip, icon, flags, id, data, unused, extra);
    items.push_back(it);
    if (is_laid_out()) relayout();
    return it;
}

void lv_t::add_data_items(const std::vector<void*>& ptrs) {
    set_laid_out(false);
    clear();
    for (void* p : ptrs) items.push_back(new li_t(L"", 0, 0, reinterpret_cast<uintptr_t>(p)));
    relayout();
}

void lv_t::clear() {
    if (all_ex_style() & LVX_FORGET)
        items.clear();
    else
        delete_items(items);
    select(-1);
    sel = -1;
    const int old = cur;
    cur = hot_chk = hot_marker = tip_item = pressed = -1;
    send(EVT_CUR_CHANGED, old, -1);
}

void lv_t::remove_item(int index) {
    if (index < 0 || index >= count()) return;
    li_t* it = items[size_t(index)];
    delete_items(it->subs);
    items.erase(items.begin() + index);
    delete it;
    if (is_laid_out()) relayout();
    const int last = count() - 1;
    if (sel > index) {
        --sel;
    } else if (sel == index) {
        sel = -1;
        select(std::min(index, last));
    }
    if (cur > index || cur == index) {
        cur = cur > index ? cur - 1 : std::min(index, last);
        send(EVT_CUR_CHANGED, index, cur);
    }
    pressed = hot_chk = hot_marker = -1;
    if (tip_item >= count()) tip_item = -1;
}

void lv_t::set_item_count(int n) {
    set_laid_out(false);
    n = std::max(0, n);
    while (count() < n) items.push_back(new li_t(L"", 0, 0, 0));
    while (count() > n) remove_item(count() - 1);
    relayout();
}

void lv_t::set_items(const std::vector<li_t*>& v) {
    set_laid_out(false);
    cur = sel = pressed = hot_chk = hot_marker = tip_item = -1;
    items = v;
    relayout();
}

li_t* lv_t::get_item(int index) const {
    return index >= 0 && index < count() ? items[size_t(index)] : nullptr;
}

// ---- selection ----

bool lv_t::can_select(int index) const {
    const li_t* it = get_item(index);
    return it && it->selectable();
}

bool lv_t::select(int index) {
    if (items.empty()) index = -1;
    if (!can_select(index)) return false;
    li_t* it = items[size_t(index)];
    const int old = sel;
    auto only = [&] {
        for (li_t* o : items) o->flags &= ~LIF_SELECTED;
        it->flags |= LIF_SELECTED;
        sel = index;
    };
    switch (it->kind) {
    case LIK_COMMAND:
        sel = -1;
        send(EVT_SEL_MADE, old, index);
        return true;
    case LIK_SET:
        if (it->is_selected()) return true;
        only();
        break;
    case LIK_TOGGLE:
        it->flags ^= LIF_SELECTED;
        sel = it->is_selected() ? index : -1;
        break;
    case LIK_TOGGLE_SINGLE:
        if (it->is_selected()) {
            it->flags &= ~LIF_SELECTED;
            sel = -1;
        } else {
            only();
        }
        break;
    default:
        if (!it->is_selected())
            only();
        else if ((all_ex_style() & LVX_DESELECT) && !has_style(LVS_KEEP_SEL)) {
            it->flags &= ~LIF_SELECTED;
            sel = -1;
        }
        break;
    }
    send(EVT_SEL_MADE, old, sel);
    return true;
}

bool lv_t::select_first() {
    for (int i = 0; i < count(); ++i)
        if (can_select(i)) return select(i);
    return false;
}

void lv_t::unselect_all() {
    for (li_t* it : items) it->flags &= ~LIF_SELECTED;
    sel = -1;
}

uint64_t lv_t::get_sel_mask() const {
    uint64_t m = 0;
    for (int i = 0; i < std::min(count(), 64); ++i)
        if (items[size_t(i)]->is_selected()) m |= uint64_t(1) << i;
    return m;
}

void lv_t::set_sel_mask(uint64_t mask) {
    sel = -1;
    for (int i = 0; i < count(); ++i) {
        li_t* it = items[size_t(i)];
        const bool on = i < 64 && (mask >> i) & 1;
        it->flags = on ? it->flags | LIF_SELECTED : it->flags & ~LIF_SELECTED;
        if (on) sel = i;
    }
}

int lv_t::checked_count() const {
    return int(std::count_if(items.begin(), items.end(), [](const li_t* it) { return it->is_checked(); }));
}

// ---- geometry ----

int lv_t::chk_size() const { return chk_sizes[std::clamp(chk_sz_idx, 0, 3)]; }

int lv_t::rows_h(int n) const { return n <= 0 ? 0 : n * (item_sz.h + item_gap) - item_gap; }
int lv_t::cols_w(int n) const { return n <= 0 ? 0 : n * (item_sz.w + item_gap) - item_gap; }

size lv_t::size_for(int cols, int rows) const { return {cols_w(cols), rows_h(rows)}; }

void lv_t::set_item_size(const size* s) {
    item_sz = *s;
    v_step = s->h;
}

void lv_t::set_visible_rows(int n) { resize(rc.w, rows_h(n) + margin_t + margin_b); }

rect lv_t::item_rect(int i) {
    rect c;
    content_rect(&c);
    const int sx = item_sz.w + item_gap, sy = item_sz.h + item_gap;
    if (lv_is_col(*this)) return {c.x, c.y + sy * i, item_sz.w, item_sz.h};
    if (lv_is_row(*this)) return {c.x + sx * i, c.y, item_sz.w, item_sz.h};
    // Never fewer than one column, however narrow the list.
    const int cols = std::max(1, (c.w + item_gap) / std::max(1, sx));
    return {c.x + sx * (i % cols), c.y + sy * (i / cols), item_sz.w, item_sz.h};
}

void lv_t::item_layout(int index, rect parts[LIP_COUNT]) {
    for (int p = 0; p < LIP_COUNT; ++p) parts[p] = no_part;
    const li_t* it = get_item(index);
    if (!it) return;
    const rect r = item_rect(index);
    parts[LIP_ITEM] = r;
    rect in{r.x + item_ml, r.y + item_mt, r.w - item_ml - item_mr, r.h - item_mt - item_mb};
    parts[LIP_INNER] = in;
    const uint32_t x = all_ex_style();
    if ((x & LVX_MARKERS) && it->marker) {
        parts[LIP_MARKER] = {in.x + in.w - marker_side, in.y + (in.h - marker_side) / 2, marker_side, marker_side};
        in.w -= marker_side;
    }
    if ((x & LVX_CHECKS) && !(it->flags & LIF_NO_CHECK)) {
        const int s = chk_size();
        parts[LIP_CHECK] = {in.x, in.y + (in.h - s) / 2, s, s};
        in.x += s + part_gap;
        in.w -= s + part_gap;
    }
    parts[LIP_BODY] = in;
    if (it->icon) {
        // Without a size of its own the icon is a square as high as the row.
        size s = it->icon_sz.w > 0 ? it->icon_sz : size{std::min(in.w, in.h), std::min(in.w, in.h)};
        parts[LIP_ICON] = {in.x, in.y + (in.h - s.h) / 2, s.w, s.h};
        in.x += s.w + part_gap;
        in.w -= s.w + part_gap;
    }
    if (!it->label.empty()) parts[LIP_TEXT] = in;
}

rect lv_t::item_part_rect(int index, int part) {
    rect parts[LIP_COUNT];
    item_layout(index, parts);
    return part >= 0 && part < LIP_COUNT ? parts[part] : no_part;
}

int lv_t::item_at(int x, int y, int* part) {
    if (part) *part = -1;
    rect v, c;
    view_rect(&v);
    content_rect(&c);
    if (!v.contains(x, y) || x < c.x || y < c.y) return -1;
    const int sx = item_sz.w + item_gap, sy = item_sz.h + item_gap;
    if (sx <= 0 || sy <= 0) return -1;
    int i;
    if (lv_is_col(*this)) {
        i = (y - c.y) / sy;
    } else if (lv_is_row(*this)) {
        i = (x - c.x) / sx;
    } else {
        const int cols = std::max(1, (c.w + item_gap) / sx);
        const int col = (x - c.x) / sx;
        if (col >= cols) return -1;
        i = (y - c.y) / sy * cols + col;
    }
    if (i >= count() || !item_rect(i).contains(x, y)) return -1;
    if (part) {
        rect parts[LIP_COUNT];
        item_layout(i, parts);
        *part = parts[LIP_CHECK].contains(x, y) ? LIP_CHECK : parts[LIP_MARKER].contains(x, y) ? LIP_MARKER : LIP_ITEM;
    }
    return i;
}

std::vector<int> lv_t::col_widths(int total) const {
    int fixed = 0, shared = 0;
    for (int w : col_ws) (w < 0 ? shared : fixed) += w < 0 ? 1 : w;
    const int each = shared ? std::max(0, total - fixed) / shared : 0;
    std::vector<int> out;
    for (int w : col_ws) out.push_back(w < 0 ? each : w);
    return out;
}

// ---- layout ----

void lv_t::relayout() {
    relayout_items();
    title_wnd_t::relayout();
}

void lv_t::fit_to_content() {
    int w = 0;
    for (li_t* it : items) {
        size s{0, 0};
        if (!it->label.empty())
            measure_text(&s, it->label, font, rect_align::left | rect_align::top, UNLIMITED, UNLIMITED);
        int iw = s.w + item_ml + item_mr;
        if ((all_ex_style() & LVX_CHECKS) && !(it->flags & LIF_NO_CHECK)) iw += chk_size() + part_gap;
        if (it->icon) iw += (it->icon_sz.w > 0 ? it->icon_sz.w : item_sz.h - item_mt - item_mb) + part_gap;
        if ((all_ex_style() & LVX_MARKERS) && it->marker) iw += marker_side;
        w = std::max(w, iw);
    }
    resize(w + margin_l + margin_r, rows_h(count()) + margin_t + margin_b);
}

void lv_t::relayout_items() {
    // The client area, bars included: the bars follow from the content.
    rect v{rc.x + margin_l, rc.y + margin_t, rc.w - margin_l - margin_r, rc.h - margin_t - margin_b};
    const bool auto_w = has_style(WS_AUTO_W), auto_h = has_style(WS_AUTO_H);
    const bool fixed = view_cols > 0 && view_rows > 0;
    size avail = fixed ? size_for(view_cols, view_rows) : size{v.w, v.h};
    if (auto_w) avail.w = auto_side;
    if (auto_h) avail.h = auto_side;
    const int n = count();
    if (lv_is_col(*this)) {
        if (auto_w) {
            fit_to_content();
            item_sz.w = rc.w - margin_l - margin_r;
        }
        const int ch = rows_h(n);
        if (auto_h)
            resize(rc.w, ch + margin_t + margin_b);
        else if (!auto_w)
            item_sz.w = ch > avail.h ? avail.w - scroll_bar : avail.w;
        content_sz = {item_sz.w, ch};
        col_xs = col_widths(item_sz.w);
    } else if (lv_is_row(*this)) {
        const int cw = cols_w(n);
        if (auto_w || auto_h)
            resize(auto_w ? cw + margin_l + margin_r : rc.w, auto_h ? item_sz.h + margin_t + margin_b : rc.h);
        if (!auto_w && !auto_h) item_sz.h = cw > avail.w ? avail.h - scroll_bar : avail.h;
        content_sz = {cw, item_sz.h};
    } else {
        const int sx = std::max(1, item_sz.w + item_gap), sy = item_sz.h + item_gap;
        auto fit = [&](int width) {
            const int cols = std::max(1, std::min((width + item_gap) / sx, n));
            const int rows = n == 0 ? 0 : (n + cols - 1) / cols;
            return size{n == 0 ? 0 : cols * sx - item_gap, rows == 0 ? 0 : rows * sy - item_gap};
        };
        content_sz = fit(avail.w);
        if (!fixed && content_sz.h > v.h) content_sz = fit(avail.w - scroll_bar);
        if (auto_w || auto_h)
            resize(auto_w ? content_sz.w + margin_l + margin_r : rc.w, auto_h ? content_sz.h + margin_t + margin_b : rc.h);
    }
    set_scroll_size(content_sz.w, content_sz.h);
    for (int i = 0; i < n; ++i) lay_out_item(items[size_t(i)], i);
}

void lv_t::lay_out_item(li_t* it, int index) {
    if (all_ex_style() & LVX_CACHE) {
        cache_item_tex(index);
        return;
    }
    if (it->label.empty()) {
        it->text.free();
        return;
    }
    const rect tr = item_part_rect(index, LIP_TEXT);
    const size box{std::max(0, tr.w), std::max(0, tr.h)};
    const clr_t c = it->flags & LIF_DISABLED ? disabled_text_clr : text_clr;
    it->text.set_text(it->label, &box, font, &c, text_align);
}

void lv_t::cache_item_tex(int index) {
    li_t* it = get_item(index);
    if (!it) return;
    delete it->cache;
    it->cache = nullptr;
    const rect in = item_part_rect(index, LIP_INNER);
    if (in.w < 1 || in.h < 1) return;
    zg::tex_t* tex = new_target_tex({in.w, in.h}, TARGET_SEE_THROUGH);
    if (!tex) return;
    {
        const render_into_t into(tex, nullptr);
        owner_draw(it, index, {0, 0, in.w, in.h});
    }
    it->cache = tex;
}

// ---- input ----

void lv_t::track_hover() {
    const pt_t m = *get_mouse_pos();
    int part = -1;
    int i = is_created() && !is_hidden() ? item_at(m.x, m.y, &part) : -1;
    if (!can_select(i)) i = -1;
    if (!(all_ex_style() & LVX_NO_HOT)) {
        hot_chk = i >= 0 && part == LIP_CHECK ? i : -1;
        hot_marker = i >= 0 && part == LIP_MARKER ? i : -1;
    }
    if (i == cur) return;
    const int old = cur;
    cur = tip_item = i;
    send(EVT_CUR_CHANGED, old, i);
}

void lv_t::on_lbtn_down() {
    if (hot_chk >= 0) {
        if (li_t* it = get_item(hot_chk)) {
            it->flags ^= LIF_CHECKED;
            send(EVT_CHECK, hot_chk, 0);
        }
    } else if (hot_marker >= 0) {
        send(EVT_MARKER_CLICK, hot_marker, 0);
    }
}

void lv_t::on_key_up(int key) {
    if (key == 0) return;
    for (int i = 0; i < count(); ++i)
        if (items[size_t(i)]->hot_key == key) {
            select(i);
            return;
        }
}

void lv_t::press_select(const evt_t& e) {
    // A quick second press arrives as a double click; it is a press all the same.
    const evt_t ev{e.code == EVT_LBTN_DBL ? EVT_LBTN_DOWN : e.code, e.a, e.b};
    if (ev.code != EVT_LBTN_DOWN && ev.code != EVT_LBTN_UP) return;
    // A release anywhere ends the press.
    const int p = ev.code == EVT_LBTN_UP ? std::exchange(pressed, -1) : -1;
    rect v;
    view_rect(&v);
    if (!get_item(cur) || !v.contains(*get_mouse_pos()) || hot_chk >= 0 || hot_marker >= 0) return;
    if (ev.code == EVT_LBTN_DOWN) {
        // Only a single item is chosen on the press; the others wait for the release over them.
        if (items[size_t(cur)]->kind != LIK_SINGLE)
            pressed = cur;
        else
            select(cur);
        return;
    }
    if (p < 0 || (!is_dragging() && p != cur)) return;
    select(p);
}

bool lv_t::show_item_tip() {
    li_t* it = get_item(tip_item);
    if (!it) return false;
    const rect tr = item_part_rect(tip_item, LIP_TEXT);
    const pt_t origin{tr.x, tr.y};
    if (!it->label.empty() && it->text.hit_tip(get_mouse_pos(), &origin)) return true;
    Str s;
    item_tip(&s, it);
    if (s.empty()) return false;
    tip_place_t p;
    get_tip_place(&p);
    tip_req_t& req = get_tip_req();
    req.place = p.place;
    req.width = p.width;
    req.text = s;
    req.anchor = item_rect(tip_item);
    // Another item under the mouse is another tip.
    req.region = int(reinterpret_cast<uintptr_t>(it) >> 3);
    return true;
}

Str* lv_t::item_tip(Str* out, const li_t* it) {
    // A label cut short shows whole, unless the item says more of its own.
    *out = it->tip.empty() && it->text.was_cut() ? uncut(it->label) : it->tip;
    return out;
}

bool lv_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender != this) return title_wnd_t::on_msg(msg, sender);
    if (msg.code == EVT_TIP_QUERY && show_item_tip()) return true;
    if (!has_style(LVS_NO_INPUT)) {
        // A press can come before any frame saw the mouse over its item.
        if (is_mouse_btn(msg.code)) track_hover();
        switch (msg.code) {
        case EVT_FRAME: track_hover(); break;
        case EVT_LBTN_DOWN:
        case EVT_LBTN_DBL: on_lbtn_down(); break;
        case EVT_KEY_UP: on_key_up(int(msg.a)); break;
        default: break;
        }
        press_select(msg);
    }
    if (msg.code == EVT_LAYOUT_DONE) relayout_items();
    return title_wnd_t::on_msg(msg, sender);
}

// ---- drawing ----

clr_t* lv_t::item_text_clr(clr_t* out, const li_t* it) {
    *out = it->flags & LIF_DISABLED ? disabled_fill_clr : item_fill_clr;
    return out;
}

clr_t* lv_t::item_bg_clr(clr_t* out, const li_t* it) {
    *out = it->flags & LIF_DISABLED ? disabled_frame_clr : item_frame_clr;
    return out;
}

void lv_t::draw_content() {
    if (lv_is_col(*this) && (all_ex_style() & LVX_DECOR)) draw_col_lines();
    rect v;
    view_rect(&v);
    for (int i = 0; i < count(); ++i) {
        rect r = item_rect(i);
        // Items outside the view are not drawn at all.
        if (r.x >= v.x + v.w || r.y >= v.y + v.h || r.x + r.w <= v.x || r.y + r.h <= v.y) continue;
        const rect in{r.x + item_ml, r.y + item_mt, r.w - item_ml - item_mr, r.h - item_mt - item_mb};
        draw_item(items[size_t(i)], i, r, in);
    }
}

void lv_t::draw_item(li_t* it, int index, const rect& r, const rect& inner) {
    draw_item_fill(it, r);
    if (sel_look == 0) draw_item_bg(it, index, r);
    draw_item_body(it, index, inner);
    if (sel_look != 0) draw_item_frame(it, index, r);
    if (index == pressed && index == cur) fill_rect(&r, &pressed_clr);
}

void lv_t::draw_item_fill(li_t* it, const rect& r) {
    if (it->extra != 0) {
        const clr_t c = it->flags & LIF_DISABLED ? disabled_fill_clr : it->extra;
        fill_rect(&r, &c);
        return;
    }
    clr_t c;
    if (item_fill_clr != 0) fill_rect(&r, item_text_clr(&c, it));
    if (item_frame_clr == 0) return;
    for (int k = 0; k < item_ml; ++k) {
        const rect f{r.x + k, r.y + k, r.w - 2 * k, r.h - 2 * k};
        draw_rect(&f, &frame_under_clr);
    }
    draw_rect(&r, item_bg_clr(&c, it));
}

void lv_t::draw_item_bg(li_t* it, int index, const rect& r) {
    if ((index == sel || it->is_selected()) && sel_clr != 0) fill_rect(&r, &sel_clr);
    if ((index == cur && !is_scroll_dragged()) || index == marked) fill_rect(&r, &hover_clr);
}

void lv_t::draw_item_body(li_t* it, int index, const rect& inner) {
    if (it->flags & LIF_SEP) {
        if (lv_is_col(*this)) {
            const int y = inner.y + inner.h / 2;
            draw_line(inner.x, y, inner.x + inner.w - 1, y, &sep_clr);
        } else {
            const int x = inner.x + inner.w / 2;
            draw_line(x, inner.y, x, inner.y + inner.h - 1, &sep_clr);
        }
        return;
    }
    wnd_paint_rec_t before{PAINT_BEFORE, true, index};
    notify({EVT_PAINT, reinterpret_cast<intptr_t>(&before), 0});
    if (before.do_default) draw_icon(it, index);
    wnd_paint_rec_t after{PAINT_AFTER, true, index};
    notify({EVT_PAINT, reinterpret_cast<intptr_t>(&after), 0});
    draw_check(it, index);
    draw_marker(it, index);
}

void lv_t::draw_icon(li_t* it, int index) {
    rect parts[LIP_COUNT];
    item_layout(index, parts);
    if (it->cache) {
        draw_tex(it->cache, &parts[LIP_INNER], nullptr);
        return;
    }
    if (it->icon) {
        clr_t t = sel_look == 2 && it->is_selected() && sel_clr != 0 ? sel_clr : icon_tint;
        if (it->flags & LIF_DISABLED) t = clr_t{(t.v & 0xFF000000u) | ((t.v >> 1) & 0x007F7F7Fu)};
        draw_tex_clr(it->icon, &t, &parts[LIP_ICON], nullptr);
    }
    if (!it->label.empty()) it->text.draw(parts[LIP_TEXT].x, parts[LIP_TEXT].y);
}

void lv_t::draw_check(li_t* it, int index) {
    const rect r = item_part_rect(index, LIP_CHECK);
    if (r.w < 0) return;
    const Str name(L"ui/chk_%d_%d", it->is_checked() ? 1 : 0, chk_size());
    draw_tex(get_img(name), &r, nullptr);
}

void lv_t::draw_marker(li_t* it, int index) {
    const rect r = item_part_rect(index, LIP_MARKER);
    if (r.w < 0 || !it->marker) return;
    const clr_t t = index == hot_marker ? marker_hot_tint : icon_tint;
    draw_tex_clr(it->marker, &t, &r, nullptr);
}

void lv_t::draw_item_frame(li_t* it, int index, const rect& r) {
    if ((index == sel || it->is_selected()) && sel_clr != 0) draw_rect(&r, &sel_clr);
    if ((index == cur && !is_scroll_dragged()) || index == marked) draw_rect(&r, &frame_clr);
}

void lv_t::draw_col_lines() {
    const uint32_t x = all_ex_style();
    const int n = count();
    rect c;
    content_rect(&c);
    const int all_h = rows_h(n);
    for (int i = 0; i < n; ++i) {
        const rect r = item_rect(i);
        if (x & LVX_ZEBRA_ROWS) fill_rect(&r, i % 2 ? &zebra_odd : &zebra_even);
        if (x & LVX_ROW_LINES) draw_line(r.x, r.y, r.x + item_sz.w - 1, r.y, &line_clr);
    }
    int left = c.x;
    for (size_t k = 0; k < col_xs.size(); ++k) {
        const rect band{left, c.y, col_xs[k], all_h};
        if (x & LVX_ZEBRA_COLS) fill_rect(&band, k % 2 ? &zebra_odd : &zebra_even);
        if (x & LVX_COL_LINES) draw_line(left, c.y, left, c.y + all_h - 1, &line_clr);
        left += col_xs[k];
    }
}
