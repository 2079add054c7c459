// The battle map as the player sees it, drawn over the tiles in this order:
// zones, tile marks, the current-unit mark (still and sliding), the hover
// mark, the units, the default-action marks, the hit-chance labels and the
// banner; the fog of war over the tiles; the minimap's unit markers; the cell
// tooltip. Sections: fog, marks, units, labels and banner, tooltip.
#include <algorithm>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <tuple>

#include "app/ani.h"
#include "app/draw_text.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/opts.h"
#include "app/render.h"
#include "app/sentinels.h"
#include "app/tex.h"
#include "battle/auras.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/target_area.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "battle/zone.h"
#include "rules/act_texts.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/text/unit_sheet.h"
#include "screens/unit/unit_lists.h"
#include "screens/widgets/unit_badges.h"
#include "ui/rtext.h"

namespace {
constexpr clr_t white = 0xffffffff;
constexpr clr_t black = 0xff000000;
constexpr clr_t area_clr = 0x998e44ad;  // purple at alpha 0x99
constexpr int area_inset = 2;
constexpr clr_t blink_dim = 0x80ffffff;
constexpr clr_t pass_clr = 0xffecf0f1;
constexpr clr_t shift_clr = 0xff27ae60;
constexpr clr_t pass_only_clr = 0xfff39c12;
constexpr clr_t aura_friend = 0xff00ff00;
constexpr clr_t aura_foe = 0xffff0000;
constexpr int aura_fill_a = 32;
constexpr int aura_line_a = 64;
constexpr clr_t banner_bg = 0xff0d0d0d;
constexpr clr_t banner_line = 0xff333333;
constexpr int banner_pad = 32;
constexpr int banner_font = FONT_B5;
constexpr int label_font = FONT_DEF;
constexpr int text_flags = rect_align::left | rect_align::top;
constexpr double fog_dark = 0.75;
constexpr int sight_fade_r = 5;  // cells: the light fades within this distance of the viewer
constexpr int flicker_frames = 5;
constexpr const wchar_t* dflt_mark_imgs[DFLT_ACTS] = {L"tile_marks/def_atk_m", L"tile_marks/def_atk_r",
                                                      L"tile_marks/def_heal"};

// The cells of the view plus the row and column a scrolled origin half shows.
rect shown_cells(btl_scene_t* s) {
    rect r = s->get_view().cell_rect();
    ++r.w;
    ++r.h;
    return r;
}

// Each call draws one image on the cells of pts that lie in the view.
void mark_cells(btl_scene_t* s, const std::vector<pt_t>& pts, const wchar_t* img, const clr_t* mod = nullptr) {
    zg::tex_t* tex = get_img(img);
    const rect view = shown_cells(s);
    for (const pt_t& p : pts) {
        if (!view.contains(p)) continue;
        const rect r = s->get_view().cell_scrn_rect(p);
        draw_tex_clr(tex, mod ? mod : &white, &r, nullptr);
    }
}
}  // namespace

// ---- fog ----

double light_factor(const pt_t& c) {
    double f = 1.0;
    for (const unit_t* u : btl().roster)
        if (u->btl.side == SIDE_PLAYER && u->sight.in(c.x, c.y) && u->sight.at(c.x, c.y))
            f = std::min(f, sq_dist_ratio(c, u->pos, sight_fade_r));
    return f;
}

void draw_fog(btl_scene_t* s) {
    const tmap_t* m = s->get_map();
    if (!m) return;
    const rect cells = shown_cells(s);
    for (int y = std::max(cells.y, 0); y < std::min(cells.y + cells.h, m->get_h()); ++y)
        for (int x = std::max(cells.x, 0); x < std::min(cells.x + cells.w, m->get_w()); ++x) {
            const pt_t c{x, y};
            const double a = is_pt_visible(c) ? light_factor(c) * fog_dark : is_pt_explored(c) ? fog_dark : 1.0;
            const clr_t fog{(black.v & 0x00ffffffu) | uint32_t(255 * a) << 24};
            const rect r = s->get_view().cell_scrn_rect(c);
            fill_rect(&r, &fog);
        }
}

void draw_mm_markers(btl_scene_t* s) {
    const int cell = s->minimap_cell();
    if (cell <= 0) return;
    const rect& mm = s->minimap_rect();
    for (const unit_t* u : btl().roster) {
        if (!is_pt_visible(u->pos)) continue;
        const rect r{mm.x + u->pos.x * cell, mm.y + u->pos.y * cell, cell, cell};
        fill_rect(&r, u->side_slot());
    }
}

// ---- marks ----

namespace {
void draw_zones(btl_scene_t* s) {
    const rect view = shown_cells(s);
    for (const zone_t* z : btl().zones) {
        const Pwr* p = get_pwr(z->pwr);
        if (!p || !p->k) continue;
        zg::tex_t* tex = get_img(Str(L"eff_areas/%s", p->k));
        for (const pt_t& c : z->cells) {
            if (!view.contains(c) || !is_pt_visible(c)) continue;
            const rect r = s->get_view().cell_scrn_rect(c);
            draw_tex(tex, &r, nullptr);
        }
    }
}

void draw_step_marks(btl_scene_t* s) {
    const std::vector<pt_t>& path = get_walk_path();
    const int from = get_walk_step();
    if (from < 0 || from >= int(path.size())) return;
    mark_cells(s, std::vector<pt_t>(path.begin() + from, path.end()), L"tile_marks/step");
}

void draw_walk_preview(btl_scene_t* s, unit_t* u) {
    const btl_view_t& v = bv();
    zg::tex_t* tex = get_img(L"tile_marks/pass");
    const rect view = shown_cells(s);
    const bool shift = v.walk.size() == 1 && can_shift_to(u, v.walk.front());
    for (const pt_t& p : v.walk) {
        if (!view.contains(p)) continue;
        const clr_t c = shift ? shift_clr : is_pass_only_cell(p) ? pass_only_clr : pass_clr;
        const rect r = s->get_view().cell_scrn_rect(p);
        draw_tex_clr(tex, &c, &r, nullptr);
    }
}

// Whether the current unit's marks show: it stands where the player sees, alive, in a running battle.
bool tile_marks_shown() {
    const unit_t* u = get_cur_unit();
    return u && is_pt_visible(u->pos) && !is_btl_over() && u->hp >= 1;
}

// The marks that stay while the mouse moves: the move range, or the picked power's targets.
void draw_range_marks(btl_scene_t* s) {
    if (!tile_marks_shown()) return;
    const btl_view_t& v = bv();
    if (v.sel.id == 0) {
        if (!v.mr.stop_pts.empty()) mark_cells(s, v.mr.all_pts, L"tile_marks/mov");
    } else {
        mark_cells(s, v.tgt_pts, L"tile_marks/rng");
    }
}

// The marks that follow the mouse: the walk preview, the area, the fallen, the steps.
void draw_tile_marks(btl_scene_t* s) {
    if (!tile_marks_shown()) return;
    unit_t* u = get_cur_unit();
    const btl_view_t& v = bv();
    if (v.sel.id == 0) {
        if (!v.mr.stop_pts.empty()) draw_walk_preview(s, u);
    } else {
        const rect view = shown_cells(s);
        for (const pt_t& p : v.area_pts) {
            if (!view.contains(p)) continue;
            rect r = s->get_view().cell_scrn_rect(p);
            r = {r.x + area_inset, r.y + area_inset, r.w - 2 * area_inset, r.h - 2 * area_inset};
            fill_rect(&r, &area_clr);
        }
        if (aims_at_fallen(v.sel.id)) {
            std::vector<pt_t> bodies;
            for (const unit_t* f : btl().fallen) bodies.push_back(f->pos);
            mark_cells(s, bodies, L"tile_marks/dead");
        }
    }
    draw_step_marks(s);
}

// ---- the map layer ----
// Tiles, fog, grid, zones and the range marks change only when the view
// moves, a unit of the party moves or looks, a zone comes or goes or the marks
// are rebuilt: they are drawn into a texture of the view's size when what
// they show changed, and that is copied each frame (blending the fog over
// every cell each frame was most of a frame's time on the software renderer).

struct fnv_t {
    uint64_t h = 1469598103934665603ull;
    void add(int64_t v) {
        for (int i = 0; i < 8; ++i) {
            h ^= uint64_t(v >> (8 * i)) & 0xff;
            h *= 1099511628211ull;
        }
    }
    void add(const pt_t& p) { add(int64_t(p.x) << 32 | uint32_t(p.y)); }
    void add(const std::vector<pt_t>& v) {
        add(int64_t(v.size()));
        for (const pt_t& p : v) add(p);
    }
    void add(const grid_t<int>& g) {
        add(int64_t(g.width) << 32 | uint32_t(g.height));
        for (int y = 0; y < g.height; ++y)
            for (int x = 0; x < g.width; ++x) add(g.at(x, y));
    }
};

// Everything the layer shows, in one number.
uint64_t layer_key(btl_scene_t* s) {
    fnv_t k;
    const zs::view_grid& v = s->get_view();
    k.add(v.org().x), k.add(v.org().y), k.add(v.w), k.add(v.h);
    k.add(int64_t(reinterpret_cast<intptr_t>(s->get_map())));
    k.add(opts().show_grid);
    const btl_t& b = btl();
    k.add(b.visible[SIDE_PLAYER]), k.add(b.explored[SIDE_PLAYER]);
    for (const unit_t* u : b.roster)
        if (u->btl.side == SIDE_PLAYER) k.add(u->pos);
    for (const zone_t* z : b.zones) k.add(z->pwr), k.add(z->cells);
    const bool marks = tile_marks_shown();
    const btl_view_t& bvv = bv();
    k.add(marks), k.add(bvv.sel.id);
    if (marks) k.add(bvv.sel.id == 0 ? (bvv.mr.stop_pts.empty() ? std::vector<pt_t>() : bvv.mr.all_pts) : bvv.tgt_pts);
    return k.h;
}

struct layer_t {
    zg::tex_t* tex = nullptr;  // the image cache's
    int gen = -1;
    size sz{0, 0};
    uint64_t key = 0;
    bool drawn = false;
};

layer_t& the_layer() {
    static layer_t l;
    return l;
}

// The view-sized texture the layer is drawn into; null when none can be made.
zg::tex_t* layer_tex(const size& sz) {
    layer_t& l = the_layer();
    if (l.gen != img_cache_generation() || l.sz.w != sz.w || l.sz.h != sz.h) {
        // A freed cache took the texture with it; another size needs another.
        l = layer_t();
        // Opaque, in the screen's own format: its copy converts nothing, four
        // times faster than one from a format with alpha.
        zg::tex_t* t = new_target_tex(sz, TARGET_OPAQUE);
        if (!t) return nullptr;
        l.tex = put_img(Str(L"@btl_map_layer_%dx%d", sz.w, sz.h), t);
        l.gen = img_cache_generation();
        l.sz = sz;
    }
    return l.tex;
}

void draw_layer_parts(btl_scene_t* s, const std::function<void()>& tiles) {
    tiles();
    draw_zones(s);
    draw_range_marks(s);
}

void draw_map_layer(btl_scene_t* s, const std::function<void()>& tiles) {
    const rect& view = s->get_view().scrn_rect();
    zg::tex_t* tex = layer_tex({view.w, view.h});
    if (!tex) {
        draw_layer_parts(s, tiles);
        return;
    }
    layer_t& l = the_layer();
    const uint64_t key = layer_key(s);
    if (!l.drawn || l.key != key) {
        {
            const render_into_t into(tex, &black);
            // The texture's corner is the view's: the scene draws at the view's screen place.
            s->get_view().set_scrn_pos(0, 0);
            draw_layer_parts(s, tiles);
            s->get_view().set_scrn_pos(view.x, view.y);
        }
        l.key = key;
        l.drawn = true;
    }
    draw_tex(tex, &view, nullptr);
}
void draw_cur_mark(btl_scene_t* s) {
    const unit_t* u = get_cur_unit();
    if (!u || !is_pt_visible(u->pos)) return;
    const btl_view_t& v = bv();
    rect r = s->get_view().cell_scrn_rect(u->pos);
    if (v.cam != NO_PT) r.x = v.cam.x, r.y = v.cam.y;
    const clr_t c = blink_on() ? blink_dim : white;
    draw_tex_clr(get_img(L"tile_marks/cur_u"), &c, &r, nullptr);
}

void draw_cur_mark_slide() {
    const btl_view_t& v = bv();
    if (!v.sliding) return;
    const rect r{v.slide.x, v.slide.y, MAP_CELL, MAP_CELL};
    draw_tex(get_img(L"tile_marks/cur_u"), &r, nullptr);
}

void draw_hover_mark(btl_scene_t* s) {
    const pt_t h = s->get_cell();
    if (h == NO_HOVER) return;
    const rect r = s->get_view().cell_scrn_rect(h);
    draw_tex(get_img(L"tile_marks/hot"), &r, nullptr);
}

// The face under the mouse in the roster's strip marks its unit's cell.
void draw_strip_hover(btl_scene_t* s) {
    u_lv2_t* strip = s->strip();
    if (!strip || get_hover_wnd() != strip) return;
    const unit_t* u = strip->unit_of(strip->get_item(strip->cur));
    if (!u || !is_pt_visible(u->pos)) return;
    strip->marked = strip->cur;
    const rect r = s->get_view().cell_scrn_rect(u->pos);
    draw_tex(get_img(L"tile_marks/hot"), &r, nullptr);
}

void draw_dflt_marks(btl_scene_t* s) {
    for (int k = 0; k < DFLT_ACTS; ++k) mark_cells(s, bv().dflt_marks[k], dflt_mark_imgs[k]);
}
}  // namespace

// ---- units ----

namespace {
clr_t with_alpha(clr_t c, int a) { return clr_t{(c.v & 0x00ffffffu) | uint32_t(a * c.a() / 255) << 24}; }

void draw_aura(const unit_t* u, const rect& r) {
    aura_shape_t aura;
    if (!get_unit_aura(u, &aura)) return;
    const int grow = aura.radius * MAP_CELL;
    const rect a{r.x - grow, r.y - grow, r.w + 2 * grow, r.h + 2 * grow};
    const clr_t base = aura.friendly ? aura_friend : aura_foe;
    const clr_t fill = with_alpha(base, aura_fill_a), line = with_alpha(base, aura_line_a);
    fill_rect(&a, &fill);
    draw_rect(&a, &line);
    const rect in{a.x + 1, a.y + 1, a.w - 2, a.h - 2};
    draw_rect(&in, &line);
}

void draw_btl_unit(btl_scene_t* s, unit_t* u, bool flicker) {
    const rect r = unit_screen_rect(s, u);
    draw_unit_img(u, r, true, flicker ? u->tint : white);
    if (u->flash_t > 0) {
        u->flash_t -= get_frame_dt();
        if (u->flash_t <= 0) u->tint = white;
    }
    draw_unit_hp_conds(u, r);
    if (is_alt_down()) {
        draw_unit_hp_text(u, r);
        draw_init_order(u, r);
    }
    if (u == bv().hovered) draw_aura(u, r);
}

void draw_btl_units(btl_scene_t* s) {
    btl_view_t& v = bv();
    const rect view = shown_cells(s);
    for (unit_t* u : btl().roster)
        if (view.contains(u->pos) && is_pt_visible(u->pos)) draw_btl_unit(s, u, v.flicker != 0);
    v.flicker = (v.flicker + 1) % flicker_frames;
}
}  // namespace

// ---- labels and banner ----

void draw_kept_text(const wchar_t* text, int x, int y, int font, clr_t c) {
    struct kept_t {
        std::map<std::tuple<std::wstring, int, uint32_t>, std::unique_ptr<rtext_t>> texts;
        int gen = -1;
    };
    static kept_t k;
    // A new game run brings new glyphs; the few texts of a battle never grow the store far.
    if (k.gen != img_cache_generation() || k.texts.size() > 512) {
        k.texts.clear();
        k.gen = img_cache_generation();
    }
    auto& t = k.texts[{or_empty(text), font, c.v}];
    if (!t) {
        t = std::make_unique<rtext_t>();
        t->set_text(text, nullptr, font, &c, text_flags);
    }
    const rect r = t->get_rect();
    t->draw(x - r.w / 2, y - r.h / 2);
}

bool hit_labels_shown() {
    const int mode = bv().label_mode;
    return mode == LABELS_CMD || (mode == LABELS_ALL && (opts().show_all_hits_in_rng || is_alt_down()));
}

namespace {
void draw_hit_labels(btl_scene_t* s) {
    const btl_view_t& v = bv();
    if (!hit_labels_shown()) return;
    for (const hit_label_t& l : v.labels) {
        const rect r = s->get_view().cell_scrn_rect({l.x, l.y});
        draw_kept_text(l.label, r.x + r.w / 2, r.y + r.h / 2, label_font, white);
    }
}

void draw_banner(btl_scene_t* s) {
    const Str& text = bv().banner;
    if (text.empty()) return;
    size ts;
    measure_text(&ts, text, banner_font, text_flags, UNLIMITED, UNLIMITED);
    const rect& v = s->get_view().scrn_rect();
    const rect box{v.x + (v.w - ts.w) / 2 - banner_pad, v.y + (v.h - ts.h) / 2 - banner_pad, ts.w + 2 * banner_pad,
                   ts.h + 2 * banner_pad};
    fill_rect(&box, &banner_bg);
    draw_rect(&box, &banner_line);
    const rect in{box.x + banner_pad, box.y + banner_pad, ts.w, ts.h};
    draw_text(text, &in, banner_font, &white, text_flags);
}
}  // namespace

void draw_btl(btl_scene_t* s, const std::function<void()>& tiles) {
    if (!s->get_map()) return;
    draw_map_layer(s, tiles);
    draw_tile_marks(s);
    draw_cur_mark(s);
    draw_cur_mark_slide();
    draw_hover_mark(s);
    draw_btl_units(s);
    draw_dflt_marks(s);
    draw_hit_labels(s);
    draw_strip_hover(s);
    draw_banner(s);
}

// ---- tooltip ----

namespace {
Str unit_tip(const unit_t* u) { return txt::unit_tip_text(u); }

void put_before(Str& text, const Str& block) {
    text = text.empty() ? block : block + L"<hr>" + text;
}

void put_after(Str& text, const Str& part) {
    if (!text.empty()) text += L"<hr>";
    text += part;
}
}  // namespace

bool btl_cell_tip(btl_scene_t* s, Str& out) {
    const btl_view_t& v = bv();
    const pt_t h = s->get_cell();
    const bool valid = h != NO_HOVER;
    Str text;
    if (aims_at_fallen(v.sel.id) && valid && is_pt_visible(h))
        for (const unit_t* f : fallen_units_at(h)) put_before(text, unit_tip(f));
    if (v.hovered) put_before(text, unit_tip(v.hovered));
    if (!v.act_tip.empty()) put_before(text, Str(L"<b>") + v.act_tip + L"</b>");
    if (valid) {
        const zone_t* z = is_pt_visible(h) ? get_zone_at(h) : nullptr;
        const Pwr* zp = z ? get_pwr(z->pwr) : nullptr;
        if (zp) {
            Str dur;
            put_after(text, Str(L"<c=fc_r b>%s区域</c><c=a> ( %s )</c>", or_empty(zp->n), get_dur_text(dur, z->rounds)));
        }
        Str line;
        s->cell_line(line);
        put_after(text, line);
    }
    out = text;
    return !out.empty();
}
