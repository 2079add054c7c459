#include "ui/scroll_wnd2.h"

#include <SDL_keycode.h>

#include <algorithm>
#include <cstdint>

#include "app/input.h"
#include "app/render.h"

namespace {

constexpr clr_t track_clr = 0x04FFFFFF;
constexpr clr_t thumb_clr = 0x22FFFFFF;
constexpr clr_t thumb_hot_clr = 0x33FFFFFF;

// The thumb's offset along its track for a position out of max.
int thumb_at(int track_len, int thumb_len, int pos, int max) {
    return max > 0 ? (track_len - thumb_len) * pos / max : 0;
}

// The position for a thumb dragged to offset p; a thumb that fills its track
// has nowhere to go and scrolls nothing (rather than dividing by zero).
int pos_for(int p, int track_len, int thumb_len, int max) {
    const int room = track_len - thumb_len;
    if (room <= 0) return 0;
    return std::clamp(p, 0, room) * max / room;
}

// The track's share that the view is of the content: at least a pixel, and
// no longer than the track when a forced bar has a content smaller than the view.
int thumb_len(int track_len, int view_len, int content_len) {
    if (content_len <= view_len) return std::max(1, track_len);
    return std::max(1, int(int64_t(track_len) * view_len / content_len));
}

void move_rect(rect& r, int dx, int dy) {
    r.x += dx;
    r.y += dy;
}

}  // namespace

void scroll_wnd2_t::set_scroll_size(int w, int h) {
    sized_ = true;
    apply_size(w, h);
}

void scroll_wnd2_t::apply_size(int w, int h) {
    const int old_x = pos_x(), old_y = pos_y();
    const rect client = client_area();
    content = {w, h};
    // A bar takes room from the other direction, which may then overflow in turn.
    has_v = has_h = false;
    for (int i = 0; i < 2; ++i) {
        has_v = always_v || h > client.h - (has_h ? SCROLL_BAR_W : 0);
        has_h = always_h || w > client.w - (has_v ? SCROLL_BAR_W : 0);
    }
    view = {client.x, client.y, client.w - (has_v ? SCROLL_BAR_W : 0), client.h - (has_h ? SCROLL_BAR_W : 0)};
    h_track = {view.x, view.y + view.h, view.w, SCROLL_BAR_W};
    v_track = {view.x + view.w, view.y, SCROLL_BAR_W, view.h};
    h_thumb = {h_track.x, h_track.y, thumb_len(h_track.w, view.w, w), SCROLL_BAR_W};
    v_thumb = {v_track.x, v_track.y, SCROLL_BAR_W, thumb_len(v_track.h, view.h, h)};
    origin = {view.x, view.y};
    scroll_h_to(old_x);
    scroll_v_to(old_y);
}

void scroll_wnd2_t::scroll_h_to(int pos) {
    const int max = max_x();
    pos = std::clamp(pos, 0, max);
    origin.x = view.x - pos;
    h_thumb.x = h_track.x + thumb_at(h_track.w, h_thumb.w, pos, max);
}

void scroll_wnd2_t::scroll_v_to(int pos) {
    const int max = max_y();
    pos = std::clamp(pos, 0, max);
    origin.y = view.y - pos;
    v_thumb.y = v_track.y + thumb_at(v_track.h, v_thumb.h, pos, max);
}

void scroll_wnd2_t::scroll_to_end() {
    if (has_v) scroll_v_to(max_y());
}

void scroll_wnd2_t::drag_h_to(int thumb_x) { scroll_h_to(pos_for(thumb_x - h_track.x, h_track.w, h_thumb.w, max_x())); }

void scroll_wnd2_t::drag_v_to(int thumb_y) { scroll_v_to(pos_for(thumb_y - v_track.y, v_track.h, v_thumb.h, max_y())); }

bool scroll_wnd2_t::on_mouse(const evt_t& e) {
    const pt_t m{int(e.a), int(e.b)};
    switch (e.code) {
    case EVT_LBTN_DOWN:
        if (has_v && v_track.contains(m)) {
            // A press on the track first brings the thumb's centre to the mouse.
            if (!v_thumb.contains(m)) drag_v_to(m.y - v_thumb.h / 2);
            v_drag = m.y - v_thumb.y;
            return true;
        }
        if (has_h && h_track.contains(m)) {
            if (!h_thumb.contains(m)) drag_h_to(m.x - h_thumb.w / 2);
            h_drag = m.x - h_thumb.x;
            return true;
        }
        return false;
    case EVT_MOUSE_MOVE:
        if (v_drag >= 0) drag_v_to(m.y - v_drag);
        if (h_drag >= 0) drag_h_to(m.x - h_drag);
        return false;
    case EVT_LBTN_UP: h_drag = v_drag = -1; return false;
    case EVT_WHEEL_DOWN:
    case EVT_WHEEL_UP: {
        const int dir = e.code == EVT_WHEEL_DOWN ? 1 : -1;
        if (has_v)
            scroll_v_by(dir * view.h);
        else if (has_h)
            scroll_h_by(dir * view.w);
        return has_v || has_h;
    }
    default: return false;
    }
}

bool scroll_wnd2_t::on_key(int key) {
    switch (key) {
    case SDLK_HOME:
    case SDLK_END: {
        const bool end = key == SDLK_END;
        if (has_v)
            scroll_v_to(end ? max_y() : 0);
        else
            scroll_h_to(end ? max_x() : 0);
        return true;
    }
    case SDLK_PAGEUP:
    case SDLK_PAGEDOWN: {
        const int dir = key == SDLK_PAGEDOWN ? 1 : -1;
        if (has_v)
            scroll_v_by(dir * view.h);
        else
            scroll_h_by(dir * view.w);
        return true;
    }
    case SDLK_a: case SDLK_LEFT: if (has_h) scroll_h_by(-h_step); return has_h;
    case SDLK_d: case SDLK_RIGHT: if (has_h) scroll_h_by(h_step); return has_h;
    case SDLK_w: case SDLK_UP: if (has_v) scroll_v_by(-v_step); return has_v;
    case SDLK_s: case SDLK_DOWN: if (has_v) scroll_v_by(v_step); return has_v;
    default: return false;
    }
}

bool scroll_wnd2_t::on_msg(const evt_t& msg, wnd_t* sender) {
    if (sender == this) {
        if (msg.code == EVT_KEY_DOWN && on_key(int(msg.a))) return true;
        if (on_mouse(msg)) return true;
    }
    return wnd_t::on_msg(msg, sender);
}

void scroll_wnd2_t::draw_bg() {
    wnd_t::draw_bg();
    const pt_t* m = get_mouse_pos();
    const auto bar = [&](const rect& track, const rect& thumb, bool dragging) {
        fill_rect(&track, &track_clr);
        const clr_t& c = dragging || thumb.contains(*m) ? thumb_hot_clr : thumb_clr;
        fill_rect(&thumb, &c);
    };
    if (has_h) bar(h_track, h_thumb, h_drag >= 0);
    if (has_v) bar(v_track, v_thumb, v_drag >= 0);
}

void scroll_wnd2_t::clip_begin() {
    rect v;
    if (!has_style(WS_AUTO_W) || !has_style(WS_AUTO_H)) set_clip_rect(view_rect(&v));
}

void scroll_wnd2_t::clip_end() { set_clip_rect(nullptr); }

// Until an owner gives a content size, nothing scrolls: view and content are the client area.
rect* scroll_wnd2_t::view_rect(rect* out) {
    *out = sized_ ? view : client_area();
    return out;
}

rect* scroll_wnd2_t::content_rect(rect* out) {
    *out = sized_ ? rect{origin.x, origin.y, content.w, content.h} : client_area();
    return out;
}

rect scroll_wnd2_t::client_area() const {
    return {rc.x + margin_l, rc.y + margin_t, rc.w - margin_l - margin_r, rc.h - margin_t - margin_b - foot_h};
}

void scroll_wnd2_t::on_moved(int dx, int dy) {
    for (rect* r : {&view, &h_track, &v_track, &h_thumb, &v_thumb}) move_rect(*r, dx, dy);
    origin.x += dx;
    origin.y += dy;
}

void scroll_wnd2_t::on_arranged() {
    if (sized_) {
        apply_size(content.w, content.h);
        return;
    }
    view = client_area();
    origin = {view.x, view.y};
    content = {view.w, view.h};
    has_h = has_v = false;
}
