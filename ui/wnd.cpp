// Sections: life and tree, input, messages, painting, layout, geometry,
// state, owned windows.
#include "ui/wnd.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <map>

#include "app/img_cache.h"
#include "app/input.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/scene.h"
#include "ui/drag.h"
#include "ui/menu.h"
#include "ui/tip.h"
#include "ui/title_wnd.h"

namespace {
// Never destroyed: windows with static storage unregister themselves at exit.
std::vector<wnd_t*>& owned() {
    static auto* v = new std::vector<wnd_t*>;
    return *v;
}

uintptr_t last_cmd = 0;
bool repeating = false;  // one flag for every auto-repeating window
bool interactive_paint = false;
bool wheel_by_pointer = false;  // route_wheel's first pass

constexpr clr_t dim_clr = 0x66000000;
constexpr clr_t disabled_clr = 0xFF808080;
// The two dialog palettes.
constexpr clr_t looks_bg_grey = 0xFF222222;
constexpr clr_t looks_bg_brown = 0xFF99825C;
constexpr clr_t looks_text = 0xFFEEEEEE;
constexpr clr_t looks_title_grey = 0xFF444444;
constexpr clr_t looks_title_brown = 0xFF66573E;
constexpr double repeat_delay_s = 0.3;
constexpr double repeat_every_s = 0.03;

bool is_shown(const wnd_t* w) { return w->is_created() && !w->is_hidden(); }
}  // namespace

// ---- life and tree ----

wnd_t::~wnd_t() {
    unlink();
    for (wnd_t* c : children) c->parent = nullptr;
    drag_forget_wnd(this);
    input_forget_wnd(this);
    auto& o = owned();
    o.erase(std::remove(o.begin(), o.end(), this), o.end());
}

void wnd_t::on_create() { state |= WST_CREATED; }

bool wnd_t::create(uint32_t s, wnd_t* p, const rect* r, int new_id, uintptr_t user, const wchar_t* skin_name) {
    style = s;
    id = new_id;
    user_data = user;
    if (skin_name) skin = get_img(skin_name);
    if (r) {
        rc = *r;
    } else {
        rc = {0, 0, WND_DEFAULT_SIZE, WND_DEFAULT_SIZE};
        if (skin) {
            const size sz = skin->get_size();
            rc.w = sz.w;
            rc.h = sz.h;
        }
    }
    if (p && this != get_root_wnd()) {
        link_to(p == WND_ROOT ? get_root_wnd() : p);
        const pt_t o = parent_origin();
        rc.x += o.x;
        rc.y += o.y;
    }
    state |= WST_CREATED;
    return true;
}

bool wnd_t::create_ex(uint32_t ex, uint32_t s, wnd_t* p, const rect* r) {
    const bool ok = create(s, p, r, 0, 0, nullptr);
    ex_style = ex;
    return ok;
}

void wnd_t::link_to(wnd_t* p) {
    unlink();
    parent = p;
    if (p && !has_style(WS_UNLINKED)) p->children.push_back(this);
}

void wnd_t::unlink() {
    if (!parent) return;
    auto& sib = parent->children;
    sib.erase(std::remove(sib.begin(), sib.end(), this), sib.end());
    parent = nullptr;
}

pt_t wnd_t::parent_origin() const {
    if (!parent) return {0, 0};
    if (has_style(WS_OUTER_POS)) return {parent->rc.x, parent->rc.y};
    return {parent->rc.x + parent->margin_l, parent->rc.y + parent->margin_t};
}

void wnd_t::set_parent(wnd_t* p) { link_to(p == WND_ROOT ? get_root_wnd() : p); }

void wnd_t::set_rect(const rect* r) {
    const pt_t o = parent_origin();
    rc = {r->x + o.x, r->y + o.y, r->w, r->h};
}

rect* wnd_t::get_rel_rect(rect* out) const {
    *out = rc;
    if (parent) {
        out->x -= parent->rc.x + parent->margin_l;
        out->y -= parent->rc.y + parent->margin_t;
    }
    return out;
}

wnd_t* wnd_t::hit_test(const pt_t* p) {
    for (size_t i = children.size(); i-- > 0;) {
        wnd_t* c = children[i];
        if (!is_shown(c) || !c->rc.contains(*p)) continue;
        wnd_t* deeper = c->hit_test(p);
        if (deeper && !deeper->has_style(WS_NO_INPUT)) return deeper;
        if (!c->has_style(WS_NO_INPUT)) return c;
    }
    return nullptr;
}

wnd_t* wnd_t::find_child_by_ret(int code) const {
    for (wnd_t* c : children)
        if (c->end_code == code) return c;
    return nullptr;
}

wnd_t* wnd_t::next_focus_child(const wnd_t* after) const {
    const int base = after ? after->focus_order : 0;
    wnd_t* best = nullptr;
    for (wnd_t* c : children)
        if (c->focus_order > base && (!best || c->focus_order < best->focus_order)) best = c;
    return best;
}

wnd_t* new_wnd() { return new wnd_t; }

// ---- input ----

bool is_in_wnd(const wnd_t* outer, const wnd_t* w) {
    for (; w; w = w->parent)
        if (w == outer) return true;
    return false;
}

bool is_focus_in(const wnd_t* w) {
    const wnd_t* f = get_focus_wnd();
    return f && is_in_wnd(w, f);
}

bool route_wheel(wnd_t* top, const evt_t* e) {
    wheel_by_pointer = true;
    const bool took = top->on_input(e);
    wheel_by_pointer = false;
    return took || top->on_input(e);
}

bool wnd_t::on_input(const evt_t* e) {
    if (has_style(WS_NO_INPUT)) return false;
    const uint32_t code = e->code;
    if (code == EVT_WHEEL_DOWN || code == EVT_WHEEL_UP) {
        const pt_t at{int(e->a), int(e->b)};
        if (wheel_by_pointer ? !rc.contains(at) : !is_focus_in(this)) return false;
    }
    // An event whose handling ran a dialog was spent on it: it is not offered
    // on to the windows and the scene below, now under a pointer that moved.
    const uint32_t closed = dialogs_closed();
    if (!children.empty() && (offer_children(e) || dialogs_closed() != closed)) return true;
    switch (code) {
    case EVT_IDLE:
        if (has_style(WS_REPEAT) && get_pressed_wnd() == this && is_hot()) {
            const double dt = get_frame_dt();
            if (!repeating) {
                repeating = repeat_clock(dt, repeat_delay_s);
            } else if (repeat_clock(dt, repeat_every_s)) {
                notify({EVT_COMMAND, id, 0});
                return true;
            }
        }
        break;
    case EVT_RBTN_DOWN: rbtn_pressed = is_hot(); break;
    case EVT_MBTN_DOWN: mbtn_pressed = is_hot(); break;
    case EVT_LBTN_UP: repeating = false; break;
    // 0xA017 is the right click and 0xA018 the middle click the screens listen for.
    case EVT_RBTN_UP:
        if (rbtn_pressed && is_hot()) notify({EVT_RCLICK, e->a, e->b});
        rbtn_pressed = false;
        break;
    case EVT_MBTN_UP:
        if (mbtn_pressed && is_hot()) notify({EVT_MCLICK, e->a, e->b});
        mbtn_pressed = false;
        break;
    case EVT_KEY_DOWN:
    case EVT_KEY_UP:
        if (hot_key != 0 && e->a == hot_key) {
            if (code == EVT_KEY_UP) click(e);
        } else if (!is_focus_in(this) && !(all_ex_style() & WSX_ALL_KEYS)) {
            return false;
        }
        break;
    default: break;
    }
    if (notify(*e)) return true;
    // A press on a window is consumed by it.
    return is_mouse_btn(code) && is_hot();
}

bool wnd_t::offer_children(const evt_t* e) {
    for (size_t i = children.size(); i-- > 0;) {
        if (i >= children.size()) continue;  // a handler removed children meanwhile
        wnd_t* c = children[i];
        if (!is_shown(c) || !c->is_enabled()) continue;
        if (c->on_input(e)) return true;
    }
    return false;
}

bool wnd_t::click(const evt_t*) {
    if (has_style(WS_POPUP_MENU)) {
        menu_t* m = get_popup_menu();
        m->clear();
        notify({EVT_POPUP_BEGIN, 0, 0});
        const intptr_t r = m->track_popup(rc.x, rc.y, 0);
        return notify({EVT_POPUP_END, r, 0});
    }
    last_cmd = user_data;
    if (end_code != 0) set_modal_result(end_code);
    if (has_style(WS_AUTO_CHECK)) toggle_checked();
    return notify({EVT_COMMAND, id, 0});
}

// ---- messages ----

bool wnd_t::notify(const evt_t& msg) {
    for (wnd_t* w = this; w; w = w->parent)
        if (w->on_msg(msg, this)) return true;
    return has_scene() && get_top_scene()->on_evt(&msg, this);
}

bool wnd_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (msg.code != EVT_TIP_QUERY || sender != this) return false;
    pt_t origin;
    if (rtext.hit_tip(get_mouse_pos(), client_origin(&origin))) return true;
    if (tip.empty()) return false;
    tip_place_t p;
    get_tip_place(&p);
    tip_req_t& req = get_tip_req();
    req.anchor = p.anchor;
    req.place = p.place;
    req.width = p.width;
    req.max_w = p.max_w;
    req.text_ptr = tip.c_str();
    return true;
}

void wnd_t::broadcast(const evt_t& msg, bool only_shown) {
    for (size_t i = 0; i < children.size(); ++i) {
        wnd_t* c = children[i];
        if (only_shown && !is_shown(c)) continue;
        c->on_msg(msg, c);
        c->broadcast(msg, only_shown);
    }
}

void wnd_t::refresh_all() {
    on_msg({EVT_FRAME, 0, 0}, this);
    on_frame();
    for (size_t i = 0; i < children.size(); ++i) children[i]->refresh_all();
}

// ---- painting ----

void wnd_t::paint() {
    if ((layer & LAYER_MODAL) && (all_style() & (WS_FILL_W | WS_FILL_H)) != (WS_FILL_W | WS_FILL_H))
        fill_rect(nullptr, &dim_clr);
    const wnd_t* top = get_top_modal();
    interactive_paint = !top || is_in_wnd(top, this);
    wnd_paint_rec_t before;
    notify({EVT_PAINT, reinterpret_cast<intptr_t>(&before), 0});
    if (before.do_default) draw();
    wnd_paint_rec_t after{PAINT_AFTER, true, -1};
    notify({EVT_PAINT, reinterpret_cast<intptr_t>(&after), 0});
    paint_children();
    if (border_clr != 0) draw_rect(&rc, &border_clr);
}

void wnd_t::draw() {
    draw_bg();
    clip_begin();
    draw_content();
    clip_end();
}

void wnd_t::draw_bg() {
    if (bg_clr != 0) fill_rect(&rc, &bg_clr);
}

void wnd_t::draw_content() { draw_text(); }

void wnd_t::draw_text() {
    if (text.empty()) return;
    pt_t o;
    client_origin(&o);
    rtext.draw(o.x, o.y);
}

void wnd_t::paint_children() {
    // Layer by layer upward from 0; within a layer in child order. Negative
    // layers and INT_MAX are never painted.
    int cur = 0;
    for (;;) {
        int next = INT_MAX;
        for (size_t i = 0; i < children.size(); ++i) {
            wnd_t* c = children[i];
            if (!is_shown(c)) continue;
            if (c->layer == cur)
                c->paint();
            else if (c->layer > cur && c->layer < next)
                next = c->layer;
        }
        if (next == INT_MAX) break;
        cur = next;
    }
}

bool is_interactive_paint() { return interactive_paint; }
void set_interactive_paint(bool v) { interactive_paint = v; }

// ---- layout ----

void wnd_t::arrange() { arrange_list(children); }

void wnd_t::layout_in_parent() {
    if (parent) parent->arrange_list({this});
}

void wnd_t::arrange_list(const std::vector<wnd_t*>& list) {
    if (!is_shown(this)) return;
    int left = padding, top = padding;
    int right = rc.w - margin_l - margin_r - padding;
    int bottom = rc.h - margin_t - margin_b - padding;
    for (wnd_t* c : list)
        if (is_shown(c)) dock(c, left, top, right, bottom);
    center_groups(list, left, top, right, bottom);
    for (wnd_t* c : list) {
        if (!is_shown(c)) continue;
        c->on_arranged();
        if (c->text_dirty) {
            c->text_dirty = false;
            c->on_text_laid_out();
        }
        c->state |= WST_LAID_OUT;
    }
    for (wnd_t* c : list)
        if (is_shown(c)) c->arrange();
    if (!children.empty()) fit_children();
    const evt_t done{EVT_LAYOUT_DONE, 0, 0};
    for (wnd_t* c : list) {
        if (!is_shown(c)) continue;
        c->on_msg(done, c);
        c->broadcast(done, true);
    }
    if (has_scene()) get_top_scene()->on_evt(&done, this);
}

void wnd_t::dock(wnd_t* c, int& left, int& top, int& right, int& bottom) {
    const uint32_t s = c->all_style();
    if (s & (WS_FILL_W | WS_FILL_H)) {
        if (s & WS_FILL_W) c->move_x_to(left, 0);
        if (s & WS_FILL_H) c->move_y_to(top, 0);
        c->resize(s & WS_FILL_W ? right - left : c->rc.w, s & WS_FILL_H ? bottom - top : c->rc.h);
    }
    if (c->text_dirty) c->layout_text();
    if (s & WS_CENTRE_X) c->move_x_to(left + (right - c->rc.w - left) / 2, 0);
    if (s & WS_CENTRE_Y) c->move_y_to(top + (bottom - c->rc.h - top) / 2, 0);
    if (s & WS_DOCK_LEFT) {
        c->move_x_to(left, 0);
        left += c->rc.w + gap;
    } else if (s & WS_DOCK_RIGHT) {
        c->move_x_to(right, MOVE_AT_RIGHT);
        right -= c->rc.w + gap;
    }
    if (s & WS_DOCK_TOP) {
        c->move_y_to(top, 0);
        top += c->rc.h + gap;
    } else if (s & WS_DOCK_BOTTOM) {
        c->move_y_to(bottom, MOVE_AT_BOTTOM);
        bottom -= c->rc.h + gap;
    }
}

// A group is centred in the whole window, as long as it clears what was docked
// at the sides; where it would run under a docked window it gives way to it.
void wnd_t::center_groups(const std::vector<wnd_t*>& list, int left, int top, int right, int bottom) {
    int total_w = 0, total_h = 0, n_w = 0, n_h = 0;
    for (wnd_t* c : list) {
        if (!is_shown(c)) continue;
        if (c->has_style(WS_ROW_GROUP)) total_w += c->rc.w, ++n_w;
        if (c->has_style(WS_COL_GROUP)) total_h += c->rc.h, ++n_h;
    }
    const auto give_way = [](int at, int extent, int lo, int hi) {
        if (at + extent > hi) at = hi - extent;
        return std::max(at, lo);
    };
    if (total_w > 0) {
        int x = padding + (rc.w - margin_l - margin_r - 2 * padding - total_w) / 2;
        x = give_way(x, total_w + gap * (n_w - 1), left, right);
        for (wnd_t* c : list) {
            if (!is_shown(c) || !c->has_style(WS_ROW_GROUP)) continue;
            c->move_x_to(x, 0);
            x += c->rc.w + gap;
        }
    }
    if (total_h > 0) {
        int y = padding + (rc.h - margin_t - margin_b - 2 * padding - total_h) / 2;
        y = give_way(y, total_h + gap * (n_h - 1), top, bottom);
        for (wnd_t* c : list) {
            if (!is_shown(c) || !c->has_style(WS_COL_GROUP)) continue;
            c->move_y_to(y, 0);
            y += c->rc.h + gap;
        }
    }
}

void wnd_t::fit_children() {
    const bool auto_w = has_style(WS_AUTO_W), auto_h = has_style(WS_AUTO_H);
    if (!auto_w && !auto_h) return;
    // Hidden children count too.
    const int ox = rc.x + margin_l, oy = rc.y + margin_t;
    int max_x = INT_MIN, max_y = INT_MIN;
    for (wnd_t* c : children) {
        max_x = std::max(max_x, c->rc.x - ox + c->rc.w - 1);
        max_y = std::max(max_y, c->rc.y - oy + c->rc.h - 1);
    }
    const int cw = auto_w ? std::max(padding, max_x) : rc.w - margin_l - margin_r;
    const int ch = auto_h ? std::max(padding, max_y) + padding : rc.h - margin_t - margin_b;
    resize(cw + margin_l + margin_r, ch + margin_t + margin_b);
}

void wnd_t::set_text(const wchar_t* s, bool relayout) {
    text = or_empty(s);
    text_dirty = true;
    if (!relayout) return;
    if (has_style(WS_AUTO_W | WS_AUTO_H) && has_style(WS_PLACED) && parent) {
        parent->arrange();
        return;
    }
    text_dirty = false;
    layout_text();
    on_text_laid_out();
}

void wnd_t::layout_text() {
    rtext.set_fit(has_style(WS_AUTO_W));
    rtext.set_pad(border_w);
    size box;
    text_box(&box);
    const clr_t c = is_enabled() ? text_clr : disabled_clr;
    rtext.set_text(text, &box, font, &c, text_align);
    fit_text();
}

void wnd_t::fit_text() {
    const bool auto_w = has_style(WS_AUTO_W), auto_h = has_style(WS_AUTO_H);
    if (!auto_w && !auto_h) return;
    rect c;
    content_rect(&c);  // the side that is not automatic keeps its size
    const rect t = rtext.get_rect();
    size sz{auto_w ? t.w + 2 * border_w : c.w, auto_h ? t.h + 2 * border_w : c.h};
    adjust_auto_size(&sz, auto_w, auto_h);
    resize(sz.w + margin_l + margin_r, sz.h + margin_t + margin_b);
}

void wnd_t::relayout() { state |= WST_LAID_OUT; }

// ---- geometry ----

rect* wnd_t::client_rect(rect* out) {
    content_rect(out);
    out->x += border_w;
    out->y += border_w;
    out->w -= 2 * border_w;
    out->h -= 2 * border_w;
    return out;
}

pt_t* wnd_t::client_origin(pt_t* out) {
    rect r;
    content_rect(&r);
    *out = {r.x + border_w, r.y + border_w};
    return out;
}

size* wnd_t::text_box(size* out) {
    rect c;
    client_rect(&c);
    *out = {c.w, c.h};
    if (has_style(WS_AUTO_W))
        out->w = max_sz.w >= UNLIMITED ? UNLIMITED : max_sz.w - margin_l - margin_r - 2 * border_w;
    if (has_style(WS_AUTO_H))
        out->h = max_sz.h >= UNLIMITED ? UNLIMITED : max_sz.h - margin_t - margin_b - 2 * border_w;
    return out;
}

tip_place_t* wnd_t::get_tip_place(tip_place_t* out) {
    *out = tip_place;
    if (out->anchor == rect{-4, -4, -4, -4}) out->anchor = rc;
    return out;
}

rect* wnd_t::view_rect(rect* out) { return content_rect(out); }

rect* wnd_t::content_rect(rect* out) {
    *out = {rc.x + margin_l, rc.y + margin_t, rc.w - margin_l - margin_r, rc.h - margin_t - margin_b};
    return out;
}

void wnd_t::set_margins(const int m[4]) {
    margin_l = m[0];
    margin_r = m[1];
    margin_t = m[2];
    margin_b = m[3];
}

void wnd_t::set_bg_clr(const clr_t* c) { bg_clr = *c; }

namespace {
// Where the near edge lands when pos (from origin) names the near edge, the far edge or the centre.
int near_edge(int origin, int pos, int len, bool far, bool mid) {
    const int n = origin + pos;
    return far ? n - len : mid ? n - len / 2 : n;
}

// x and y are in parent client coordinates.
int screen_x(const wnd_t& w, int x, int flags) {
    const int origin = w.parent ? w.parent->rc.x + w.parent->margin_l : 0;
    return near_edge(origin, x, w.rc.w, flags & MOVE_AT_RIGHT, flags & MOVE_AT_CENTRE_X);
}

int screen_y(const wnd_t& w, int y, int flags) {
    const int origin = w.parent ? w.parent->rc.y + w.parent->margin_t : 0;
    return near_edge(origin, y, w.rc.h, flags & MOVE_AT_BOTTOM, flags & MOVE_AT_CENTRE_Y);
}
}  // namespace

// One step, so on_moved hears of a move once.
void wnd_t::move_to(int x, int y, int flags) {
    move_by(screen_x(*this, x, flags) - rc.x, screen_y(*this, y, flags) - rc.y);
}

void wnd_t::move_x_to(int x, int flags) { move_by(screen_x(*this, x, flags) - rc.x, 0); }

void wnd_t::move_y_to(int y, int flags) { move_by(0, screen_y(*this, y, flags) - rc.y); }

void wnd_t::move_by(int dx, int dy) {
    if (dx == 0 && dy == 0) return;
    rc.x += dx;
    rc.y += dy;
    on_moved(dx, dy);
    for (size_t i = 0; i < children.size(); ++i) children[i]->move_by(dx, dy);
}

void wnd_t::resize(int w, int h) {
    w = std::max(min_sz.w, std::min(w, max_sz.w));
    h = std::max(min_sz.h, std::min(h, max_sz.h));
    const int dw = w - rc.w, dh = h - rc.h;
    if (dw == 0 && dh == 0) return;
    rc.w = w;
    rc.h = h;
    if (!text.empty()) {
        const Str t = text;
        set_text(t.c_str(), false);
    }
    for (size_t i = 0; i < children.size(); ++i) {
        wnd_t* c = children[i];
        const uint32_t s = c->all_style();
        int cw = c->rc.w, ch = c->rc.h, mx = 0, my = 0;
        if (s & WS_GROW_W)
            cw += dw;
        else if (s & WS_MOVE_W)
            mx = dw;
        if (s & WS_GROW_H)
            ch += dh;
        else if (s & WS_MOVE_H)
            my = dh;
        c->move_by(mx, my);
        c->resize(cw, ch);
    }
}

void wnd_t::keep_in_scrn() {
    const size* scr = get_scrn_size();
    int dx = 0, dy = 0;
    if (rc.x + rc.w > scr->w)
        dx = scr->w - rc.w - rc.x;
    else if (rc.x < 0)
        dx = -rc.x;
    if (rc.y + rc.h > scr->h)
        dy = scr->h - rc.h - rc.y;
    else if (rc.y < 0)
        dy = -rc.y;
    move_by(dx, dy);
}

// ---- state ----

void wnd_t::set_laid_out(bool v) {
    if (v)
        state |= WST_LAID_OUT;
    else
        state &= ~WST_LAID_OUT;
}

bool wnd_t::is_enabled() const { return is_created() && !has_style(WS_DISABLED); }
bool wnd_t::is_checked() const { return is_created() && has_style(WS_CHECKED); }
bool wnd_t::is_hot() const { return get_hover_wnd() == this; }

// Only the one bit of the window's own word changes: folding the class word in
// would fix there what a class sets in it for the time being (a strip's sizing).
void wnd_t::set_visible(bool v) {
    style = v ? style & ~WS_HIDDEN : style | WS_HIDDEN;
    if (is_laid_out()) notify({EVT_VISIBILITY, id, v ? 1 : 0});
}

void wnd_t::set_enabled(bool v) {
    if (is_enabled() == v) return;
    style = v ? style & ~WS_DISABLED : style | WS_DISABLED;
    if (is_laid_out() && !text.empty()) {
        // The text is drawn in the disabled colour.
        layout_text();
        on_text_laid_out();
    }
}

void wnd_t::set_checked(bool v) {
    if (v && radio_grp != 0 && parent)
        for (wnd_t* s : parent->children)
            if (s != this && s->radio_grp == radio_grp) s->style &= ~WS_CHECKED;
    if (v)
        style |= WS_CHECKED;
    else
        style &= ~WS_CHECKED;
}

void wnd_t::set_skin(const wchar_t* name) { skin = name ? get_img(name) : nullptr; }

void apply_looks(wnd_t* w, int which) {
    const clr_t bg = which >= 0 ? looks_bg_grey : looks_bg_brown;
    w->set_bg_clr(&bg);
    w->text_clr = looks_text;
    w->text_dirty = true;
    if (auto* t = dynamic_cast<title_wnd_t*>(w); t && t->title) {
        t->title->bg = which >= 0 ? looks_title_grey : looks_title_brown;
        t->title->fg = looks_text;
    }
}

// ---- owned windows ----

void reg_owned_wnd(wnd_t* w) { owned().push_back(w); }

void destroy_owned_wnds() {
    std::vector<wnd_t*> list;
    list.swap(owned());
    for (wnd_t* w : list) w->notify({EVT_CLOSING, 0, 0});
    for (wnd_t* w : list) delete w;
}

int owned_wnd_count() { return int(owned().size()); }

uintptr_t get_last_cmd() { return last_cmd; }
void clear_last_cmd() { last_cmd = 0; }

bool repeat_clock(double dt, double interval) {
    static auto* accs = new std::map<long, double>;
    double& acc = (*accs)[std::lround(interval * 1000)];
    acc += dt;
    if (acc <= interval) return false;
    acc = 0;
    return true;
}
