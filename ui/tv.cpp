// Sections: nodes, references and walks, layout and geometry, drawing,
// messages, keys, saved position.
#include "ui/tv.h"

#include <SDL.h>

#include <algorithm>

#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/ini.h"
#include "app/input.h"
#include "app/render.h"
#include "ui/tip.h"

namespace {
constexpr int indent_w = 16;       // pixels per level
constexpr int icon_w = 16;         // expander and check box squares
constexpr int check_room = 20;     // captions of check-box nodes start after their box
constexpr int bar_room = 16;       // kept for the vertical bar when the rows do not fit
constexpr int fit_w = 200;
constexpr int caption_font = FONT_B;
constexpr int caption_align = rect_align::middle;
constexpr clr_t sel_clr = 0xFFFF8C00;
constexpr clr_t hot_clr = 0x11FFFFFF;
constexpr clr_t check_off_tint = 0xFF808080;
constexpr clr_t check_on_tint = 0xFFFFFFFF;
const wchar_t* const cfg_section = L"Main";

rect centred_square(const rect& row, int x) { return {x, row.y + (row.h - icon_w) / 2, icon_w, icon_w}; }

std::vector<ti_t*>& siblings_of(ti_t* n) { return n->parent()->children; }
}  // namespace

// ---- nodes ----

ti_t::~ti_t() { delete_children(); }

void ti_t::delete_children() {
    for (ti_t* c : children) delete c;
    children.clear();
}

bool ti_t::has_shown_children() const {
    return std::any_of(children.begin(), children.end(), [](const ti_t* c) { return !c->has(TIF_HIDDEN); });
}

tv_t::tv_t() { root.flags = TIF_EXPANDED; }

tv_t::~tv_t() = default;

ti_t* tv_t::add_node(const wchar_t* text, uint32_t flags, uint32_t data2, uint32_t data3, const clr_t* clr,
                     int extra_indent, ti_ref_t parent_ref, ti_ref_t after) {
    ti_t* p = resolve(parent_ref);
    if (!p) return nullptr;
    auto* n = new ti_t;
    n->flags = flags;
    n->data2 = data2;
    n->data3 = data3;
    n->extra_indent = extra_indent;
    n->lay.parent = p;
    n->caption = or_empty(text);
    const size box{UNLIMITED, row_h};
    n->text.set_text(text, &box, caption_font, clr, caption_align);
    auto& kids = p->children;
    ti_t* prev = after.v == ti_ref_t::LAST_CHILD ? nullptr : resolve(after, p);
    auto at = std::find(kids.begin(), kids.end(), prev);
    // A sibling that is not there appends, as LAST_CHILD does.
    kids.insert(at == kids.end() ? kids.end() : at + 1, n);
    relayout_if_laid_out();
    return n;
}

void tv_t::clear() {
    root.delete_children();
    sel = hot = hot_exp = hot_chk = nullptr;
    all.clear();
    shown.clear();
    relayout_if_laid_out();
}

// ---- references and walks ----

ti_t* tv_t::resolve(ti_ref_t ref, ti_t* rel) const {
    auto first = [](const ti_t* n) { return n && !n->children.empty() ? n->children.front() : nullptr; };
    auto last = [](const ti_t* n) { return n && !n->children.empty() ? n->children.back() : nullptr; };
    switch (ref.v) {
    case ti_ref_t::ROOT: return const_cast<ti_t*>(&root);
    case ti_ref_t::FIRST: return first(&root);
    case ti_ref_t::LAST: return last(&root);
    case ti_ref_t::FIRST_CHILD:
    case ti_ref_t::FIRST_CHILD2: return first(rel);
    case ti_ref_t::LAST_CHILD:
    case ti_ref_t::LAST_CHILD2: return last(rel);
    default: return ref.v < 0 ? nullptr : reinterpret_cast<ti_t*>(ref.v);
    }
}

ti_t* tv_t::child_at(int index, ti_ref_t ref) const {
    const ti_t* n = resolve(ref);
    if (!n || index < 0 || index >= int(n->children.size())) return nullptr;
    return n->children[index];
}

bool tv_t::for_each(const std::function<bool(ti_t*)>& fn, ti_ref_t ref, bool deep) {
    ti_t* n = resolve(ref);
    if (!n) return true;
    for (ti_t* c : n->children) {
        if (!fn(c)) return false;
        if (deep && !for_each(fn, c, true)) return false;
    }
    return true;
}

ti_t* tv_t::node_at_pre(int pre_idx) const {
    return pre_idx >= 0 && pre_idx < int(all.size()) ? all[pre_idx] : nullptr;
}

void tv_t::set_node_shown(ti_t* n, bool v) {
    if (!n || n == &root) return;
    if (v)
        n->flags &= ~TIF_HIDDEN;
    else
        n->flags |= TIF_HIDDEN;
    relayout_if_laid_out();
}

void tv_t::expand_top() {
    for (ti_t* c : root.children) c->flags |= TIF_EXPANDED;
    relayout_if_laid_out();
}

void tv_t::toggle(ti_t* n, int mode) {
    if (!n || n == &root) return;
    const bool open = mode == 0 || (mode == 2 && !n->is_expanded());
    if (open)
        n->flags |= TIF_EXPANDED;
    else
        n->flags &= ~TIF_EXPANDED;
    relayout_if_laid_out();
}

bool tv_t::toggle_check(ti_t* n) {
    if (!n || n->has(TIF_CHECK_OFF)) return false;
    n->flags ^= TIF_CHECKED;
    notify({EVT_CHECK, reinterpret_cast<intptr_t>(n), 0});
    return true;
}

void tv_t::select(ti_t* n) {
    const ti_t* old = sel;
    sel = n;
    if (n && n != &root && n->get_row() < 0 && !n->has(TIF_HIDDEN)) {
        for (ti_t* a = n->parent(); a && a != &root; a = a->parent()) a->flags |= TIF_EXPANDED;
        relayout_if_laid_out();
    }
    if (sel != old) notify({EVT_SEL_MADE, 0, 0});
}

void tv_t::ensure_visible(ti_t* n) {
    if (!n || n == &root) return;
    if (n->get_row() < 0) {
        for (ti_t* a = n->parent(); a && a != &root; a = a->parent()) a->flags |= TIF_EXPANDED;
        relayout();
    }
    if (n->get_row() >= 0) scroll_v_to(n->get_row() * row_h);
}

// ---- layout and geometry ----

void tv_t::flatten(ti_t* n, int depth, bool visible) {
    for (ti_t* c : n->children) {
        c->lay.parent = n;
        c->lay.depth = depth;
        c->lay.pre_idx = int(all.size());
        all.push_back(c);
        const bool shows = visible && !c->has(TIF_HIDDEN);
        c->lay.row = shows ? int(shown.size()) : -1;
        if (shows) shown.push_back(c);
        flatten(c, depth + 1, shows && c->is_expanded());
    }
}

void tv_t::relayout() {
    all.clear();
    shown.clear();
    flatten(&root, 0, true);
    // Measured on the window, not on the content of the last layout, so a
    // layout repeated gives the same rows (the content would shrink by the bar each time).
    const int cw = rc.w - margin_l - margin_r - 2 * border_w, ch = rc.h - margin_t - margin_b - 2 * border_w;
    // The rows start below the top margin; the bottom one keeps it too, so
    // the last row is not cut when scrolled to the end.
    const int content_h = int(shown.size()) * row_h + 2 * tv_margin;
    set_scroll_size(content_h > ch ? cw - bar_room : cw, content_h);
    fit_captions();
    title_wnd_t::relayout();
}

// A caption is one row: what passes the row's right edge ends in an
// ellipsis, and hovering the row shows it whole.
void tv_t::fit_captions() {
    rect c, v;
    client_rect(&c);
    view_rect(&v);
    const int right = std::min(c.x + c.w, v.x + v.w) - tv_margin;
    for (ti_t* n : shown) {
        const int w = std::max(0, right - caption_x(n));
        if (w == n->lay.cap_w) continue;
        n->lay.cap_w = w;
        const clr_t clr = *n->text.color_ptr();
        const size box{w, row_h};
        n->text.set_text(Str(L"<el>%s</el>", n->caption), &box, caption_font, &clr, caption_align);
    }
}

void tv_t::relayout_if_laid_out() {
    if (is_laid_out()) relayout();
}

void tv_t::fit_to_content() {
    resize(fit_w + margin_l + margin_r, int(shown.size()) * row_h + margin_t + margin_b);
}

pt_t tv_t::row_origin() {
    pt_t o;
    client_origin(&o);
    return {o.x + tv_margin, o.y + tv_margin};
}

bool tv_t::has_checks(const ti_t* n) const { return has_style(TVS_CHECKS) && !n->has(TIF_NO_CHECK); }

rect tv_t::row_rect(const ti_t* n) {
    rect c;
    client_rect(&c);
    const pt_t o = row_origin();
    return {c.x, o.y + n->get_row() * row_h, c.w, row_h};
}

rect tv_t::expander_rect(const ti_t* n) {
    if (n->get_row() < 0 || !n->has_shown_children()) return {-1, -1, -1, -1};
    return centred_square(row_rect(n), row_origin().x + (n->lay.depth + n->extra_indent) * indent_w);
}

rect tv_t::check_rect(const ti_t* n) {
    if (n->get_row() < 0 || !has_checks(n)) return {-1, -1, -1, -1};
    const int x = row_origin().x + (n->lay.depth + n->extra_indent) * indent_w + icon_w + n->text.get_rect().x;
    return centred_square(row_rect(n), x);
}

int tv_t::caption_x(const ti_t* n) {
    const int x = row_origin().x + (n->lay.depth + n->extra_indent) * indent_w + icon_w;
    return has_checks(n) ? x + check_room : x;
}

ti_t* tv_t::hit(const pt_t& p, int* part) {
    rect v;
    view_rect(&v);
    if (!v.contains(p)) return nullptr;
    for (ti_t* n : shown) {
        if (!row_rect(n).contains(p)) continue;
        *part = expander_rect(n).contains(p) ? TVP_EXPANDER : check_rect(n).contains(p) ? TVP_CHECK : TVP_ROW;
        return n;
    }
    return nullptr;
}

// ---- drawing ----

void tv_t::draw_content() {
    fit_captions();  // a check box given or taken since the layout moves its caption
    if (!shown.empty()) {
        if (sel && sel->get_row() >= 0) {
            const rect r = row_rect(sel);
            fill_rect(&r, &sel_clr);
        }
        if (hot && h_drag < 0 && v_drag < 0) {
            const rect r = row_rect(hot);
            fill_rect(&r, &hot_clr);
        }
    }
    zg::tex_t* open_img = get_img(L"ui/node_open");
    zg::tex_t* closed_img = get_img(L"ui/node_close");
    for (ti_t* n : shown) {
        const rect e = expander_rect(n);
        if (e.w > 0) draw_tex(n->is_expanded() ? open_img : closed_img, &e, nullptr);
        const rect c = check_rect(n);
        if (c.w > 0) {
            const clr_t& tint = n->has(TIF_CHECK_OFF) ? check_off_tint : check_on_tint;
            draw_tex_clr(get_img(n->has(TIF_CHECKED) ? L"ui/chk_1_16" : L"ui/chk_0_16"), &tint, &c, nullptr);
        }
        n->text.draw(caption_x(n), row_rect(n).y);
    }
    title_wnd_t::draw_content();
}

// ---- messages ----

bool tv_t::show_caption_tip() {
    if (!hot || !hot->text.was_cut()) return false;
    tip_place_t p;
    get_tip_place(&p);
    tip_req_t& req = get_tip_req();
    req.place = p.place;
    req.width = p.width;
    req.text = hot->caption;
    req.anchor = row_rect(hot);
    // Another row under the mouse is another tip.
    req.region = int(reinterpret_cast<uintptr_t>(hot) >> 3);
    return true;
}

void tv_t::track_hot() {
    int part = TVP_ROW;
    ti_t* n = get_hover_wnd() == this ? hit(*get_mouse_pos(), &part) : nullptr;
    ti_t* old = hot;
    hot = part == TVP_ROW ? n : nullptr;
    hot_exp = part == TVP_EXPANDER ? n : nullptr;
    hot_chk = part == TVP_CHECK ? n : nullptr;
    if (hot != old) notify({EVT_CUR_CHANGED, reinterpret_cast<intptr_t>(old), reinterpret_cast<intptr_t>(hot)});
}

void tv_t::on_press() {
    if (hot)
        select(hot);
    else if (hot_exp)
        toggle(hot_exp, 2);
    else if (hot_chk && !hot_chk->has(TIF_CHECK_OFF))
        toggle_check(hot_chk);
}

void tv_t::on_dbl_click() {
    // A quick second press on a check box or expander is a press all the same.
    if (!hot) return on_press();
    toggle(hot, 2);
    if (sel && sel->get_row() >= 0) scroll_into_view(sel);
}

void tv_t::on_drag_move() {
    if (!hot || !sel || hot == sel || sel->has(TIF_FIXED) || hot->parent() != sel->parent()) return;
    // The dragged node takes the hot node's place, so it moves down as well as up.
    auto& kids = siblings_of(sel);
    const auto to = std::find(kids.begin(), kids.end(), hot) - kids.begin();
    kids.erase(std::find(kids.begin(), kids.end(), sel));
    kids.insert(kids.begin() + to, sel);
    relayout_if_laid_out();
}

bool tv_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender == this) {
        // A press can come before any frame saw the mouse over its node.
        if (is_mouse_btn(msg.code)) track_hot();
        switch (msg.code) {
        case EVT_FRAME: track_hot(); break;
        case EVT_LBTN_DOWN:
        case EVT_RBTN_DOWN: on_press(); break;
        case EVT_LBTN_DBL: on_dbl_click(); break;
        case EVT_MOUSE_MOVE:
            if (get_pressed_wnd() == this && has_style(TVS_REORDER)) on_drag_move();
            break;
        case EVT_KEY_DOWN:
            if (on_key(int(msg.a), int(msg.b))) return true;
            break;
        case EVT_CLOSING: save_state(); break;
        case EVT_TIP_QUERY:
            if (show_caption_tip()) return true;
            break;
        case EVT_LAYOUT_DONE:
            // Nodes added before the first layout get their rows here.
            relayout();
            load_state();
            break;
        default: break;
        }
    }
    return title_wnd_t::on_msg(msg, sender);
}

// ---- keys ----

void tv_t::scroll_into_view(const ti_t* n) {
    rect v;
    view_rect(&v);
    const rect r = row_rect(n);
    if (r.y < v.y)
        scroll_v_by(r.y - v.y);
    else if (r.y + r.h > v.y + v.h)
        scroll_v_by(r.y + r.h - (v.y + v.h));
}

void tv_t::step_sel(int by) {
    if (shown.empty()) return;
    const int row = sel && sel->get_row() >= 0 ? sel->get_row() + by : 0;
    if (row < 0 || row >= int(shown.size())) return;
    select(shown[row]);
    scroll_into_view(shown[row]);
}

bool tv_t::move_among_siblings(ti_t* n, int key) {
    auto& kids = siblings_of(n);
    const auto i = std::find(kids.begin(), kids.end(), n) - kids.begin();
    const auto last = ptrdiff_t(kids.size()) - 1;
    if (key == SDLK_DOWN || key == SDLK_UP) {
        const auto j = key == SDLK_DOWN ? i + 1 : i - 1;
        if (j < 0 || j > last || kids[j]->has(TIF_FIXED)) return true;
        std::swap(kids[i], kids[j]);
    } else {
        kids.erase(kids.begin() + i);
        kids.insert(key == SDLK_HOME ? kids.begin() : kids.end(), n);
    }
    relayout_if_laid_out();
    return true;
}

bool tv_t::on_key(int key, int mods) {
    const bool ctrl = (mods & KMOD_CTRL) != 0;
    ti_t* n = sel && sel != &root ? sel : nullptr;
    const bool moving = key == SDLK_DOWN || key == SDLK_UP || key == SDLK_HOME || key == SDLK_END;
    if (ctrl && moving) {
        if (n && has_style(TVS_REORDER) && !n->has(TIF_FIXED)) return move_among_siblings(n, key);
        return key == SDLK_DOWN || key == SDLK_UP;
    }
    switch (key) {
    case SDLK_RIGHT:
        if (n && n->has_shown_children()) {
            if (!n->is_expanded())
                toggle(n, 0);
            else
                for (ti_t* c : n->children)
                    if (!c->has(TIF_HIDDEN)) {
                        select(c);
                        break;
                    }
        }
        return true;
    case SDLK_LEFT:
        if (n && n->is_expanded() && n->has_shown_children())
            toggle(n, 1);
        else if (n && n->parent() != &root)
            select(n->parent());
        return true;
    case SDLK_DOWN: step_sel(1); return true;
    case SDLK_UP: step_sel(-1); return true;
    case SDLK_SPACE:
        if (n && has_style(TVS_CHECKS) && !n->has(TIF_NO_CHECK | TIF_CHECK_OFF)) toggle_check(n);
        return true;
    default: return false;
    }
}

// ---- saved position ----

const char* tv_t::state_name() const { return reinterpret_cast<const char*>(get_user_word()); }

void tv_t::save_state() {
    const char* name = state_name();
    if (!name) return;
    const Str base = Str::from_a(name);
    rect v;
    view_rect(&v);
    const int top_row = row_h > 0 ? std::max(0, (v.y - row_origin().y)) / row_h : 0;
    const int top = top_row < int(shown.size()) ? shown[top_row]->lay.pre_idx : -1;
    const int sel_idx = sel && sel != &root ? sel->lay.pre_idx : -1;
    auto& cfg = CZsConfig::instance();
    cfg.set_int((base + L".top_idx").c_str(), top, cfg_section);
    cfg.set_int((base + L".sel_idx").c_str(), sel_idx, cfg_section);
}

void tv_t::load_state() {
    const char* name = state_name();
    if (!name) return;
    const Str base = Str::from_a(name);
    const auto& cfg = CZsConfig::instance();
    // The file is edited by hand and the tree may have changed since: an
    // index that names no node is ignored.
    if (ti_t* top = node_at_pre(cfg.get_int((base + L".top_idx").c_str(), -1, cfg_section))) ensure_visible(top);
    if (ti_t* s = node_at_pre(cfg.get_int((base + L".sel_idx").c_str(), -1, cfg_section))) select(s);
}
