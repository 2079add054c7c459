#include "ui/tip.h"

#include <algorithm>

#include "app/input.h"
#include "app/platform.h"
#include "ui/drag.h"

namespace {

constexpr double rest_s = 0.2;  // seconds of rest before a tip is asked for
constexpr int max_tip_w = 512;
constexpr int tip_margin = 2;   // pixels between the anchor and the tip
constexpr clr_t tip_border = 0xFF333333;
constexpr int tip_border_w = 8;

tip_hook_t hook = nullptr;
tip_wnd_t* tip_wnd = nullptr;  // null until first used
double clock_s = 0;
wnd_t* shown = nullptr;  // compared only: never called through
int shown_region = 0;

bool has_text(const tip_req_t& r) { return !r.text.empty() || r.text_ptr; }

// The corner of a tip of size t for the request, before clamping to the screen.
pt_t place_tip(const tip_req_t& r, size t) {
    const rect& a = r.anchor;
    pt_t p{a.x, a.y};
    if (a.x == -2 && a.y == -2) p = *get_mouse_pos();
    switch (r.place) {
    case TIP_BELOW: return {p.x, a.y + tip_margin + a.h};
    case TIP_ABOVE: return {p.x, p.y - tip_margin - t.h};
    case TIP_RIGHT: return {a.x + tip_margin + a.w, p.y};
    case TIP_LEFT: return {p.x - tip_margin - t.w, p.y};
    case TIP_RIGHT_ALIGNED: return {a.x - tip_margin + a.w - t.w, p.y};
    case TIP_BOTTOM_ALIGNED: return {p.x, a.y + a.h - t.h - tip_margin};
    case TIP_RIGHT_BOTTOM: return {a.x - tip_margin + a.w - t.w, a.y + a.h - t.h - tip_margin};
    case TIP_BELOW_RIGHT: return {a.x + a.w - t.w, a.y + tip_margin + a.h};
    default: return p;
    }
}

int clamp_into(int v, int len, int limit) {
    if (v < 0) return 0;
    return v + len > limit ? limit - len : v;
}

}  // namespace

void tip_req_t::reset() { *this = tip_req_t{}; }

tip_req_t& get_tip_req() {
    static tip_req_t req;
    return req;
}

void set_tip_hook(tip_hook_t fn) { hook = fn; }
tip_hook_t get_tip_hook() { return hook; }

bool tip_wnd_t::create(uint32_t s) {
    // The tip never takes the mouse from the window it explains.
    wnd_t::create(s | WS_AUTO_W | WS_AUTO_H | WS_NO_INPUT, WND_ROOT, nullptr, 0, 0, nullptr);
    bg_clr = tip_bg_clr;
    border_clr = tip_border;
    text_clr = 0xFFFFFFFF;
    border_w = tip_border_w;
    text_dirty = true;
    return true;
}

tip_wnd_t* get_tip_wnd() {
    // Never destroyed: it must not leave the root's child list after the root has gone.
    static auto* w = new tip_wnd_t;
    tip_wnd = w;
    if (!w->is_created()) {
        w->create(WS_HIDDEN);
        w->set_layer(LAYER_TIP);
        w->max_sz.w = max_tip_w;
    }
    return w;
}

wnd_t* get_tip_shown_wnd() { return shown; }

void hide_tip() {
    if (tip_wnd && !tip_wnd->is_hidden()) tip_wnd->set_visible(false);
    shown = nullptr;
    shown_region = 0;
}

void show_tip(const tip_req_t* req) {
    if (!req) return;
    tip_wnd_t* w = get_tip_wnd();
    const size* scr = get_scrn_size();
    w->max_sz.w = req->max_w > 0 ? std::min(req->max_w, scr->w) : max_tip_w;
    if (req->width != 0) {
        w->style &= ~WS_AUTO_W;
        w->resize(req->width, w->rc.h);
    } else {
        w->style |= WS_AUTO_W;
    }
    w->set_visible(true);
    w->set_text(req->text.empty() ? req->text_ptr : req->text.c_str(), true);
    const size t{w->rc.w, w->rc.h};
    const pt_t p = place_tip(*req, t);
    w->move_to(clamp_into(p.x, t.w, scr->w), clamp_into(p.y, t.h, scr->h), 0);
}

bool tip_changed() {
    wnd_t* h = get_hover_wnd();
    if (h != shown) return true;
    tip_req_t& req = get_tip_req();
    req.reset();
    if (!h->notify({EVT_TIP_QUERY, 0, 0})) return true;
    return req.region != shown_region;
}

void tip_update(double dt) {
    clock_s += dt;
    // The rest restarts before anything is asked: in the frame the mouse arrives a
    // list still answers for the item it left (it learns the item under the mouse
    // at the frame's refresh, after this), and the time the old tip stood is no rest.
    if (mouse_moved()) {
        clock_s = 0;
        if (shown && tip_changed()) hide_tip();
    }
    wnd_t* h = get_hover_wnd();
    if (clock_s > rest_s && !shown && h && !get_pressed_wnd() && !is_dragging()) {
        tip_req_t& req = get_tip_req();
        req.reset();
        if (h->notify({EVT_TIP_QUERY, 0, 0}) && has_text(req)) {
            if (hook) hook();
            show_tip(&req);
            shown = h;
            shown_region = req.region;
        }
    }
    if (is_lbtn_down() || is_rbtn_down() || is_mbtn_down() || is_busy()) {
        clock_s = 0;
        hide_tip();
    }
}

void tip_on_input(const evt_t* e) {
    if (!e || e->code < EVT_MOUSE_MOVE || e->code > EVT_KEY_UP) return;
    // A wheel or a key may move what lies under a still mouse, and a list learns
    // its new item only at the frame's refresh: the next tip waits for a rest.
    clock_s = 0;
    if (shown) hide_tip();
}
