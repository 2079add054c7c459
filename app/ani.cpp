#include "app/ani.h"

#include <algorithm>
#include <cmath>

#include "app/draw_text.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/loop.h"
#include "app/render.h"
#include "app/sentinels.h"

namespace {

constexpr double frame_secs = 0.05;  // each image of a sequence shows just over this
constexpr double text_secs = 1.0;  // a floating text's life
constexpr int text_gap_ms = 300;  // texts at one point start at least this far apart
constexpr double secs_per_px = 0.0005;  // missiles and slides: 2000 pixels a second
constexpr int text_measure_flags = rect_align::left | rect_align::top;
constexpr int text_draw_flags = rect_align::centre | rect_align::middle;
constexpr double blink_period_s = 1.0;  // shown for the first half of each period
constexpr int slide_step_ms = 10;
constexpr double pi = 3.141592653589793;
constexpr double deg_per_rad = 180 / pi;

uint32_t next_ani_id = 1;

}  // namespace

namespace zg {

// A negative group would never be the top group nor 0, so it would never run
// and a wait for it would never end: it joins group 0.
ani_t::ani_t(int kind, int flags, int group, int delay)
    : kind(kind), flags(flags), group(std::max(group, 0)), delay(delay), id(next_ani_id++) {}

imgs_ani_t::imgs_ani_t(const wchar_t* img, const rect& dst, const size* frame, int flags, int group, int delay)
    : ani_t(ANI_IMGS, flags, group, delay), img(img), frame(frame ? *frame : size{}), dst(dst) {}

void imgs_ani_t::update_draw() {
    tex_t* tex = get_img(img);
    const size ts = tex ? tex->get_size() : size{};
    if (frame.w < 1 || frame.h < 1) frame = {ts.h, ts.h};
    // A sheet smaller than one frame (the placeholder of a missing image, or
    // no renderer at all) counts as a single frame rather than dividing by zero.
    const int fw = std::max(frame.w, 1), fh = std::max(frame.h, 1);
    const int cols = std::max(ts.w / fw, 1);
    if (tex) {
        const rect src{fw * (index % cols), fh * (index / cols), fw, fh};
        draw_tex(tex, &dst, &src);
    }
    if (elapsed > frame_secs) {
        const int rows = std::max(ts.h / fh, 1);
        ++index;
        elapsed = 0;
        if (index >= rows * cols) {
            index = 0;
            done = true;
        }
    }
}

text_ani_t::text_ani_t(const wchar_t* text, clr_t clr, int font, const pt_t& centre, int flags, int group,
                       int delay)
    : ani_t(ANI_TEXT, flags, group, delay), text(text), clr(clr), font(font), centre(centre) {}

bool text_ani_t::scrn_centre(pt_t* out) const {
    pt_t o{0, 0};
    if (anchor && !anchor(&o)) return false;
    *out = {o.x + centre.x, o.y + centre.y};
    return true;
}

void text_ani_t::update_draw() {
    if (elapsed > text_secs) {
        done = true;
        return;
    }
    --centre.y;
    pt_t c;
    if (!scrn_centre(&c)) {
        done = true;
        return;
    }
    size sz;
    measure_text(&sz, text, font, text_measure_flags, UNLIMITED, UNLIMITED);
    const rect box{c.x - sz.w / 2, c.y - sz.h / 2, sz.w, sz.h};
    draw_text(text, &box, font, &clr, text_draw_flags);
}

missile_ani_t::missile_ani_t(const wchar_t* img, const pt_t& from, const pt_t& to, int flags, int group,
                             int delay)
    : ani_t(ANI_MISSILE, flags, group, delay), img(img), from(from), to(to) {}

double missile_ani_t::flight_time() const {
    const double dx = to.x - from.x, dy = to.y - from.y;
    return std::sqrt(dx * dx + dy * dy) * secs_per_px;
}

double missile_ani_t::angle() const {
    const float dx = float(to.x - from.x), dy = float(to.y - from.y);
    return (pi - std::atan2(dx, dy)) * deg_per_rad;
}

void missile_ani_t::update_draw() {
    const double flight = flight_time();
    // A missile of length zero has no flight to divide by: it shows once at
    // its end point. Past the end it stays on the end, not beyond the target.
    const double t = flight > 0 ? std::min(elapsed / flight, 1.0) : 1.0;
    if (tex_t* tex = get_img(img)) {
        const size ts = tex->get_size();
        const rect d{int((from.x - ts.w / 2) + (to.x - from.x) * t), int(from.y + (to.y - from.y) * t), ts.w, ts.h};
        const pt_t top_centre{ts.w / 2, 0};
        draw_tex_ex(tex, &default_clr, &d, nullptr, angle(), &top_centre, 0);
    }
    if (flight <= 0 || elapsed > flight) done = true;
}

// An empty function has nothing to draw and would never finish: it ends at once.
custom_ani_t::custom_ani_t(fn_t fn, int kind, int flags, int group, int delay)
    : ani_t(kind, flags, group, delay), fn(std::move(fn)) {}

void custom_ani_t::update_draw() {
    if (fn)
        fn(*this);
    else
        done = true;
}

}  // namespace zg

// ---- the player ----

ani_mgr_t* get_ani_mgr() {
    static ani_mgr_t mgr;
    return &mgr;
}

void ani_mgr_t::stagger(zg::text_ani_t* t) {
    t->delay = 0;
    auto it = text_at.find(t->centre);
    if (it != text_at.end()) {
        const zg::ani_t* prev = it->second;
        if (prev->delay >= 1)
            t->delay = prev->delay + text_gap_ms;
        else if (prev->elapsed * 1000.0 < text_gap_ms)
            t->delay = int(text_gap_ms - prev->elapsed * 1000.0);
    }
    text_at[t->centre] = t;
}

uint32_t ani_mgr_t::play(zg::ani_t* a) {
    if (auto* t = dynamic_cast<zg::text_ani_t*>(a)) stagger(t);
    const uint32_t id = a->id;
    const bool wait_for_it = (a->flags & zg::ANI_F_WAIT) != 0;
    list.push_back(a);
    if (wait_for_it) wait(int(id), zg::ANI_WAIT_ID);
    return id;
}

bool ani_mgr_t::has(int value, int mode) const {
    return std::any_of(list.begin(), list.end(), [&](const auto& a) {
        switch (mode) {
        case zg::ANI_WAIT_ANY: return true;
        case zg::ANI_WAIT_ID: return a->id == uint32_t(value);
        case zg::ANI_WAIT_FLAGS: return (a->flags & value) == value;
        default: return false;
        }
    });
}

const zg::ani_t* ani_mgr_t::get(uint32_t id) const {
    for (const auto& a : list)
        if (a->id == id) return a;
    return nullptr;
}

void ani_mgr_t::wait(int value, int mode) {
    if (!has(value, mode)) return;
    run_modal_loop([this, value, mode] { return has(value, mode); });
}

void ani_mgr_t::clear() {
    list.clear();
    text_at.clear();
    blink = 0;
}

int ani_mgr_t::top_group() const {
    int top = 0;
    for (const auto& a : list) top = std::max(top, a->group);
    return top;
}

void ani_mgr_t::forget_text(const zg::ani_t* a) {
    for (auto it = text_at.begin(); it != text_at.end(); ++it)
        if (it->second == a) {
            text_at.erase(it);
            return;
        }
}

void ani_mgr_t::run(double dt) {
    blink += dt;
    if (blink > blink_period_s) blink = 0;
    const int top = top_group();
    // By index: a custom animation may play another one while it draws.
    for (size_t i = 0; i < list.size();) {
        zg::ani_t* a = list[i];
        if (!a->done && (a->group == 0 || a->group == top)) {
            if (a->delay > 0) {
                a->delay -= int(dt * 1000);
            } else {
                a->update_draw();
                a->elapsed += dt;
            }
        }
        if (a->done) {
            forget_text(a);
            list.erase(i);
        } else {
            ++i;
        }
    }
}

void ani_mgr_t::end(uint32_t id) {
    for (const auto& a : list)
        if (a->id == id) {
            a->done = true;
            // A text that follows at its point need not keep its distance.
            forget_text(a);
        }
}

bool blink_on() { return get_ani_mgr()->blink_clock() < blink_period_s / 2; }

void slide_pt(const pt_t& from, const pt_t& to, pt_t* cur) {
    const double dx = to.x - from.x, dy = to.y - from.y;
    const double total = std::sqrt(dx * dx + dy * dy) * double(float(secs_per_px));
    *cur = from;
    for (double s = 0; total > s; s += slide_step_ms / 1000.0) {
        cur->x = int(from.x + dx * s / total);
        cur->y = int(from.y + dy * s / total);
        // Quitting ends every wait; the slide does not keep drawing after it.
        if (wait_ms(slide_step_ms) == MODAL_QUIT) break;
    }
    *cur = to;
}
