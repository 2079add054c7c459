#include "ui/edt.h"

#include <SDL.h>

#include <algorithm>

#include "app/clipboard.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/ime.h"
#include "app/input.h"
#include "app/render.h"

namespace {
constexpr int edt_border = 4;
constexpr int empty_caret_w = 32;
constexpr double blink_shown_s = 0.5;
constexpr double blink_period_s = 1.0;
constexpr clr_t focus_clr = 0xFF009AE2;
constexpr clr_t hover_clr = 0xFF666666;
constexpr clr_t idle_clr = 0xFF444444;
constexpr clr_t caret_clr = 0xFFCCCCCC;

int first_line_len(const wchar_t* s) {
    int n = 0;
    while (s[n] && s[n] != L'\r' && s[n] != L'\n') ++n;
    return n;
}
}  // namespace

edt_t::edt_t() {
    border_w = edt_border;
    text_align = rect_align::middle;
    text_dirty = true;
    rtext.set_plain(true);
}

edt_t* new_edt() { return new edt_t; }

void edt_t::set_limit(int n) {
    limit = std::max(0, n);
    if (text.length() > limit) set_text(text.c_str(), is_laid_out());
}

void edt_t::set_text(const wchar_t* s, bool relayout) {
    Str t = or_empty(s);
    if (t.length() > limit) t.cut_after(limit - 1);
    wnd_t::set_text(t.c_str(), relayout);
    caret = text.length();
}

rect edt_t::visible_rect() {
    rect r;
    return *wnd_t::client_rect(&r);
}

rect* edt_t::client_rect(rect* out) {
    wnd_t::client_rect(out);
    out->x += scroll_x;
    return out;
}

pt_t* edt_t::client_origin(pt_t* out) {
    rect r;
    client_rect(&r);
    *out = {r.x, r.y};
    return out;
}

size* edt_t::text_box(size* out) {
    const rect r = visible_rect();
    *out = {UNLIMITED, r.h};
    return out;
}

void edt_t::relayout_text() {
    layout_text();
    on_text_laid_out();
}

rect* edt_t::caret_rect(rect* out) {
    rect c;
    client_rect(&c);
    const int n = rtext.item_count();
    if (n == 0) {
        const int fh = get_font_height(font);
        *out = {c.x, c.y + c.h - fh, empty_caret_w, fh};
        return out;
    }
    rect r;
    if (caret < n) {
        r = rtext.item_rect(caret);
    } else {
        r = rtext.item_rect(n - 1);
        r.x += r.w;
    }
    const rect t = rtext.get_rect();
    *out = {r.x + t.x + c.x, r.y + t.y + c.y, r.w, r.h};
    return out;
}

int edt_t::index_at(int x) const {
    rect c;
    const_cast<edt_t*>(this)->client_rect(&c);
    const int ox = c.x + rtext.get_rect().x;
    for (int i = 0, n = rtext.item_count(); i < n; ++i) {
        const rect r = rtext.item_rect(i);
        const int left = ox + r.x;
        if (x >= left && x < left + r.w) return x < left + r.w / 2 ? i : i + 1;
    }
    return text.length();
}

void edt_t::keep_caret_in_view() {
    const rect box = visible_rect();
    rect cr;
    caret_rect(&cr);
    if (cr.x < box.x)
        scroll_x += box.x - cr.x;
    else if (cr.x > box.x + box.w - 1)
        scroll_x += box.x + box.w - 1 - cr.x;
    scroll_x = std::min(scroll_x, 0);
}

void edt_t::insert_text(const wchar_t* s) {
    if (!s) return;
    const int room = std::max(0, limit - text.length());
    const int n = std::min(first_line_len(s), room);
    if (n == 0) return;
    Str part;
    part.assign_sub(s, 0, n);
    caret = std::clamp(caret, 0, text.length());
    text.insert(part.c_str(), caret);
    relayout_text();
    caret = std::min(caret + n, text.length());
}

bool edt_t::on_key(int key, int mods) {
    const int len = text.length();
    switch (key) {
    case SDLK_HOME: caret = 0; break;
    case SDLK_END: caret = len; break;
    case SDLK_RIGHT: ++caret; break;
    case SDLK_LEFT: --caret; break;
    case SDLK_BACKSPACE:
        if (caret > 0 && caret <= len) {
            --caret;
            text.erase(caret, 1);
            relayout_text();
        }
        break;
    case SDLK_DELETE:
        if (caret >= 0 && caret < len) {
            text.erase(caret, 1);
            relayout_text();
        }
        break;
    case SDLK_v:
        if (!(mods & KMOD_CTRL) && !is_ctrl_down()) return false;
        if (has_clipboard_text()) insert_text(get_clipboard_text().c_str());
        break;
    default: return false;
    }
    return true;
}

bool edt_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender == this) {
        switch (msg.code) {
        case EVT_KEY_DOWN:
            if (ime_has_comp()) return true;
            if (on_key(int(msg.a), int(msg.b))) {
                caret = std::clamp(caret, 0, text.length());
                keep_caret_in_view();
                caret_clock = 0;
                return true;
            }
            break;
        case EVT_LBTN_DOWN:
            if (rc.contains(*get_mouse_pos())) {
                caret = index_at(get_mouse_pos()->x);
                caret_clock = 0;
            }
            break;
        case EVT_TEXT:
            if (!is_focus_in(this) || !msg.a) break;
            insert_text(reinterpret_cast<const wchar_t*>(msg.a));
            keep_caret_in_view();
            caret_clock = 0;
            return true;
        case EVT_LAYOUT_DONE:
            caret = text.length();
            keep_caret_in_view();
            break;
        default: break;
        }
    }
    return wnd_t::on_msg(msg, sender);
}

void edt_t::clip_begin() {
    const rect r = visible_rect();
    set_clip_rect(&r);
}

void edt_t::clip_end() { set_clip_rect(nullptr); }

void edt_t::draw() {
    wnd_t::draw();
    // Halfway into the border, so the first character and a caret at 0 do not sit on the line.
    const rect c = visible_rect();
    const int g = border_w / 2;
    const rect box{c.x - g, c.y - g, c.w + 2 * g, c.h + 2 * g};
    const bool focused = get_focus_wnd() == this;
    const clr_t outline = focused ? focus_clr : is_hot() ? hover_clr : idle_clr;
    draw_rect(&box, &outline);
    if (!focused) return;
    caret_clock += get_frame_dt();
    if (caret_clock > blink_period_s) caret_clock = 0;
    if (caret_clock >= blink_shown_s) return;
    rect cr;
    caret_rect(&cr);
    draw_line(cr.x, cr.y, cr.x, cr.y + cr.h - 1, &caret_clr);
}
