#include "screens/widgets/unit_badges.h"

#include <algorithm>
#include <cstdint>
#include <cstdlib>

#include "app/ani.h"
#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/render.h"
#include "app/str.h"
#include "battle/roster.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "screens/text/desc_parts.h"
#include "screens/widgets/theme.h"

namespace {
constexpr clr_t level_clr = 0xFFEECC88;
constexpr clr_t ammo_clr = 0xFF3498DB;
constexpr clr_t order_clr = 0xFF9B59B6;
constexpr clr_t loss_clr = 0xFFE67E22;
constexpr clr_t bar_bg = 0xFF222222;
constexpr int badge_font = FONT_B;
constexpr int order_inset = 4;
constexpr int icon_side = 16;
constexpr int max_icons = 4;
constexpr double pend_hold_s = 0.5;  // the change stands still this long, then shrinks

constexpr int top_left = rect_align::left | rect_align::top;
constexpr int top_right = rect_align::right | rect_align::top;
constexpr int bottom_right = rect_align::right | rect_align::bottom;
constexpr int bottom_centre = rect_align::centre | rect_align::bottom;

void draw_badge(int n, const rect& r, int align, clr_t c) {
    const Str s(L"<shadow><bc=#60> %d ", n);
    draw_text(s.c_str(), &r, badge_font, &c, align);
}
}  // namespace

void draw_level_badge(int level, const rect& r, int align) { draw_badge(level, r, align, level_clr); }

void draw_count_badge(int count, const rect& r) {
    const Str s(L"<shadow><b>x%d", count);
    draw_text(s.c_str(), &r, FONT_DEF, nullptr, bottom_right);
}

bool has_ammo_count(const unit_t* u) { return u->eqpts.quick_count() > 0 || u->eqpts.no_ammo(); }

void draw_ammo_badge(const unit_t* u, const rect& r) { draw_badge(u->eqpts.quick_count(), r, top_right, ammo_clr); }

void draw_init_order(const unit_t* u, const rect& r) {
    const auto& roster = btl_roster();
    const auto it = std::find(roster.begin(), roster.end(), u);
    const int n = it == roster.end() ? 0 : int(it - roster.begin()) + 1;
    const rect in{r.x + order_inset, r.y + order_inset, r.w - 2 * order_inset, r.h - 2 * order_inset};
    draw_badge(n, in, top_left, order_clr);
}

void draw_unit_hp_text(const unit_t* u, const rect& r) {
    const Str s(L"<shadow><b>%s", txt::hp_text(u));
    draw_text(s.c_str(), &r, FONT_DEF, nullptr, bottom_centre);
}

void draw_lvup_mark(const unit_t* u, const rect& r, int align) {
    if (!can_lv_up(*u)) return;
    rect at{0, 0, icon_side, icon_side};
    align_rect(&at, &r, align);
    draw_tex(get_img(L"ui/plus"), &at, nullptr);
}

void draw_face_badges(const unit_t* u, const rect& face, bool badges) {
    // A 0 on a unit that shoots nothing says nothing. The count takes the top
    // right corner, so the mark steps down beside the level: a face holds the
    // two badges and the mark in no other way.
    const bool count = badges && has_ammo_count(u);
    draw_lvup_mark(u, face, count ? bottom_right : top_right);
    if (!badges) return;
    draw_level_badge(u->base.lv, face, rect_align::left | rect_align::bottom);
    if (count) draw_ammo_badge(u, face);
}

// ---- hit points and conditions ----

hp_bar_w_t hp_bar_widths(int hp, int m, int d) {
    // Hit points above the maximum, a change larger than the maximum or a
    // maximum of 0 must neither overdraw the track nor divide by zero.
    hp_bar_w_t w;
    if (m <= 0) return w;
    auto part = [m](int64_t v) { return int(std::clamp<int64_t>(v * HP_BAR_W / m, 0, HP_BAR_W)); };
    w.fill = hp > 0 ? part(hp) : 0;
    const int change = part(std::abs(int64_t(d)));
    w.change = d < 0 ? std::min(change, HP_BAR_W - w.fill) : std::min(change, w.fill);
    return w;
}

void draw_unit_hp_bar(unit_t* u, const rect& r) {
    const int m = u->drv.hp_max;
    if (m <= 0) return;
    const rect back{r.x + 4, r.y + r.h - 6, HP_BAR_W + 4, 6};
    const rect track{r.x + 6, r.y + r.h - 4, HP_BAR_W, 2};
    fill_rect(&back, &bar_bg);
    fill_rect(&track, &theme::hp_track);
    const hp_bar_w_t w = hp_bar_widths(u->hp, m, u->hp_pend);
    if (w.fill > 0) {
        const rect filled{track.x, track.y, w.fill, track.h};
        const clr_t c = txt::side_clr(u);
        fill_rect(&filled, &c);
    }
    if (u->hp_pend == 0) return;
    u->hp_pend_t += get_frame_dt();
    if (w.change > 0) {
        const bool loss = u->hp_pend < 0;
        const rect ch{loss ? track.x + w.fill : track.x + w.fill - w.change, track.y, w.change, track.h};
        fill_rect(&ch, loss ? &loss_clr : &theme::heal);
    }
    if (u->hp_pend_t > pend_hold_s) u->hp_pend += u->hp_pend < 0 ? 1 : -1;
}

void draw_unit_cond_icons(const unit_t* u, int x, int y) {
    int n = 0;
    auto icon = [&](const Str& name) {
        const rect at{x, y + n * icon_side, icon_side, icon_side};
        draw_tex(get_img(name.c_str()), &at, nullptr);
        ++n;
    };
    for (const auto& [id, inst] : u->conds.map) {
        if (n == max_icons) return;
        if (const cond_t* c = get_cond(id); c && c->k) icon(Str(L"conds/%s", c->k));
    }
    for (const u_aura_t& a : u->btl.auras) {
        if (n == max_icons) return;
        if (const Pwr* p = get_pwr(a.pwr); p && p->k) icon(Str(L"auras/%s", p->k));
    }
}

void draw_unit_hp_conds(unit_t* u, const rect& r) {
    draw_unit_hp_bar(u, r);
    draw_unit_cond_icons(u, r.x + r.w - icon_side, r.y);
}

// ---- the picture ----

void draw_unit_img(const unit_t* u, const rect& r, bool breathing, clr_t c) {
    // The polymorphed show their new form.
    const cond_t* polym = u->conds.has(C_POLYM) ? get_cond(C_POLYM) : nullptr;
    const Str name = polym && polym->k ? Str(L"misc/%s", polym->k) : u->img;
    zg::tex_t* tex = get_img(name.c_str());
    if (!tex) return;
    size sz = tex->get_size();
    const size box{r.w, r.h};
    fit_size(&sz, &box);
    rect at{0, 0, sz.w, sz.h};
    align_rect(&at, &r, bottom_centre);
    if (breathing && blink_on()) {
        at.y += 1;
        at.h -= 1;
    }
    draw_tex_clr(tex, &c, &at, nullptr);
}
