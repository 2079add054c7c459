// The presentation of the fight: floating texts, cell and area animations,
// missiles and sounds chosen by action, lunges and steps, a unit coming into
// view, the death fade, the sliding current-unit mark and the hit-chance
// labels; and the hooks through which the engine reaches them.
// Sections: state, shown cells and texts, name chains, attack visuals,
// movement, hit-chance labels, hooks.
#include <algorithm>
#include <iterator>
#include <cstdlib>

#include "app/ani.h"
#include "app/audio.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/loop.h"
#include "app/opts.h"
#include "app/render.h"
#include "app/tex.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/target_area.h"
#include "battle/turn.h"
#include "battle/u_pos_guard.h"
#include "rules/cond.h"
#include "rules/dmg.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/race_ids.h"
#include "rules/unit.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/main_ui.h"
#include "screens/text/tip_refs.h"
#include "screens/widgets/unit_badges.h"

namespace {
constexpr clr_t white = 0xffffffff;
constexpr clr_t red = 0xffff0000;
constexpr clr_t grey = 0xff808080;

// How each kind of floating text looks, in the order of float_kind_t.
constexpr float_style_t float_styles[] = {
    {white, FONT_DMG},               // FLOAT_NOTE
    {red, FONT_DMG},                 // FLOAT_WARN
    {red, FONT_DMG},                 // FLOAT_REFUSED
    {grey, FONT_DMG},                // FLOAT_MISS
    {grey, FONT_DMG},                // FLOAT_RESISTED
    {red, FONT_DMG},                 // FLOAT_DMG
    {0xffffa500, FONT_CH_DMG},       // FLOAT_DMG_CRIT, orange
    {0xff00ff00, FONT_DMG},          // FLOAT_HEAL
    {0xff00ff00, FONT_CH_DMG},       // FLOAT_HEAL_CRIT
    {0xff00ff00, FONT_DMG},          // FLOAT_COND_GOOD
    {red, FONT_DMG},                 // FLOAT_COND_BAD
    {0xffffff00, FONT_DMG},          // FLOAT_COND_LOST
    {red, FONT_DMG},                 // FLOAT_SPECIAL
    {0xffbdc3c7, FONT_DMG},          // FLOAT_IMMUNE
};
static_assert(std::size(float_styles) == FLOAT_KINDS, "one style for each kind of floating text");

constexpr int tick_ms = 10;        // one step tick of a walking unit
constexpr int view_pause_ms = 500; // a unit that came into view
constexpr double fade_s = 0.5;     // the death fade
constexpr double fx_frame_s = 0.05;
constexpr size litn_frame{64, 128};
}  // namespace

// ---- state ----

btl_view_t& bv() {
    static btl_view_t v;
    return v;
}

void reset_btl_view() {
    btl_view_t& v = bv();
    const bool feedback = v.feedback;
    std::vector<fx_rec_t>* log = v.fx_log;
    std::vector<u_cmd_t>* cmds = v.cmd_log;
    v = btl_view_t();
    v.feedback = feedback;
    v.fx_log = log;
    v.cmd_log = cmds;
}

const act_t* as_act(int pwr) { return dynamic_cast<const act_t*>(get_pwr(pwr)); }

bool can_use(const unit_t* u, int pwr) { return u && can_use_pwr(u, pwr); }

Str pwr_tip_ref(int pwr) { return txt::pwr_tip_ref(get_pwr(pwr)); }

// ---- shown cells and texts ----

bool is_cell_shown(btl_scene_t* s, const pt_t& c) {
    return s && s->get_view().cell_rect().contains(c) && is_pt_visible(c);
}

rect unit_screen_rect(btl_scene_t* s, const unit_t* u) {
    rect r = s->get_view().cell_scrn_rect(u->pos);
    r.x += u->px_off.x;
    r.y += u->px_off.y;
    return r;
}

bool map_on_scrn(pt_t* out) {
    btl_scene_t* s = cur_btl_scene();
    if (!s) return false;
    const rect& v = s->get_view().scrn_rect();
    const pt_t& o = s->get_view().org();
    *out = {v.x - o.x, v.y - o.y};
    return true;
}

uint32_t float_text_at(const wchar_t* text, const pt_t& at, clr_t c, int size) {
    auto* t = new zg::text_ani_t(Str(L"<shadow>") + text, c, size, at, 0, 0, 0);
    t->anchor = map_on_scrn;
    pt_t start;
    if (!t->scrn_centre(&start)) {
        delete t;
        return 0;
    }
    if (bv().fx_log) bv().fx_log->push_back({zg::ANI_TEXT, text, {start.x, start.y, 0, 0}, c, size});
    return get_ani_mgr()->play(t);
}

void play_imgs(const wchar_t* img, const rect& r, const size* frame, int flags) {
    if (bv().fx_log) bv().fx_log->push_back({zg::ANI_IMGS, img, r, 0, 0});
    get_ani_mgr()->play(new zg::imgs_ani_t(img, r, frame, flags, 0, 0));
}

const float_style_t& float_style(float_kind_t kind) {
    return float_styles[kind >= 0 && kind < FLOAT_KINDS ? kind : FLOAT_NOTE];
}

uint32_t float_over(btl_scene_t* s, const wchar_t* text, unit_t* u, float_kind_t kind) {
    if (!s || !u || !text || !bv().feedback || !is_cell_shown(s, u->pos)) return 0;
    // Map pixels: the text stays over its cell while the view scrolls on.
    const pt_t top{u->pos.x * MAP_CELL + u->px_off.x + MAP_CELL / 2, u->pos.y * MAP_CELL + u->px_off.y};
    const float_style_t& st = float_style(kind);
    return float_text_at(text, top, st.clr, st.size);
}

bool banner_shown() {
    const btl_view_t& v = bv();
    if (!v.banner.empty()) return true;
    return std::any_of(v.turn_texts.begin(), v.turn_texts.end(), [](uint32_t id) {
        const zg::ani_t* a = get_ani_mgr()->get(id);
        return a && !a->done;
    });
}

void end_turn_banner() {
    for (uint32_t id : bv().turn_texts) get_ani_mgr()->end(id);
    bv().turn_texts.clear();
}

// ---- name chains ----

namespace {
const wchar_t* dmg_key(int type) {
    const dmg_type_t* t = type > 0 ? get_dmg_type(type) : nullptr;
    return t && t->k ? t->k : nullptr;
}

const wchar_t* wpn_missile(int grp) {
    switch (grp) {
    case WG_SWORD: return L"sword";
    case WG_AXE: return L"axe";
    case WG_HAMMER: return L"hammer";
    case WG_SPEAR: return L"spear";
    case WG_BOW: return L"arrow";
    case WG_XBOW: return L"bolt";
    case WG_THROWN: return L"bullet";  // sling stones and bullets
    default: return nullptr;
    }
}

bool sfx_exists(const Str& name) { return !find_sfx_file(name).empty(); }

// The sound of a weapon's blow or shot; empty without a weapon.
Str wpn_sfx_name(const unit_t* u, const act_t* a, const atk_rec_t* rec) {
    const itm_slot_t* w = rec ? rec->wpn : nullptr;
    if (!w || w->empty() || get_itm(w->id).type != IT_WPN) return Str();
    if (a->atk == ATK_MELEE) {
        const int race = u->base.race;
        const bool big_bite = race == RACE_WOLF || race == RACE_BOAR || race == RACE_BEAR;
        const bool small_bite = race == RACE_ANT || race == RACE_SPIDER || race == RACE_RAT || race == RACE_LIZ ||
                                race == RACE_BASILISK || race == RACE_GHOUL;
        const wchar_t* kind = w->id == ITM_WHIP_TOX ? L"_whip" : big_bite ? L"_bite" : small_bite ? L"_bite_s" : L"";
        return Str(L"atk_m%s", kind);
    }
    const wchar_t* kind = get_itm(w->id).grp == WG_XBOW ? L"_bow_x" : w->is_thrown() ? L"_throw" : L"";
    return Str(L"atk_r%s", kind);
}
}  // namespace

Str act_effect_name(const act_t* a) {
    if (!a) return Str();
    if (a->k) {
        const Str own(L"effects/%s", a->k);
        if (img_exists(own)) return own;
    }
    if (a->atk == ATK_MELEE) return L"effects/_wpn_m";
    if (a->atk == ATK_RANGE) return L"effects/_wpn_r";
    if (a->atk == ATK_CM) return L"effects/_cm";
    if (const wchar_t* k = dmg_key(a->first_dmg_type())) return Str(L"effects/_dt_%s", k);
    if (a->dmg.empty() && a->cond > 0) {
        const cond_t* c = get_cond(a->cond);
        if (c && c->k) return Str(L"effects/_cond_%s", c->k);
    }
    return Str();
}

Str act_missile_name(const act_t* a, const itm_slot_t* wpn) {
    if (!a) return Str();
    if (a->k) {
        const Str own(L"missiles/%s", a->k);
        if (img_exists(own)) return own;
    }
    if (a->atk == ATK_RANGE && wpn && !wpn->empty())
        if (const wchar_t* w = wpn_missile(get_itm(wpn->id).grp)) return Str(L"missiles/_wpn_%s", w);
    const wchar_t* k = dmg_key(a->first_dmg_type());
    return Str(L"missiles/_dt_%s", or_empty(k));
}

Str act_sfx_name(const unit_t* u, const act_t* a, const atk_rec_t* rec) {
    if (!a || !u) return Str();
    if (a->atk == ATK_MELEE || a->atk == ATK_RANGE) return wpn_sfx_name(u, a, rec);
    Str name;
    switch (a->id) {
    case P_DOWN_A1: name = L"cm_ram"; break;
    case P_WEB_A0: name = L"pwr_web"; break;
    case P_SUM_SPIDERS: name = L"pwr_sum"; break;
    case P_TOX_FOG: name = L"dt_tox"; break;
    default: name = Str(a->atk == ATK_CM ? L"cm_%s" : L"pwr_%s", or_empty(a->k)); break;
    }
    if (sfx_exists(name)) return name;
    const wchar_t* k = a->dmg.empty() ? nullptr : dmg_key(a->first_dmg_type());
    if (!k) return Str();
    return Str(L"dt_%s%s", k, a->is_insta_kill() ? L"100" : L"");
}

void play_act_sfx(const unit_t* u, const act_t* a, const atk_rec_t* rec) {
    const Str name = act_sfx_name(u, a, rec);
    if (!name.empty()) play_sfx(name);
}

// ---- attack visuals ----

void play_area_ani(const act_t* a, const rect& r) {
    const Str name = act_effect_name(a);
    if (name.empty()) return;
    if (a->first_dmg_type() == DMG_LITN) {
        // A bolt from the sky: two cells high, rising above the target.
        const rect tall{r.x, r.y - r.h, r.w, r.h * 2};
        play_imgs(name, tall, &litn_frame, ANI_F_BTL);
        return;
    }
    play_imgs(name, r, nullptr, ANI_F_BTL);
}

namespace {
pt_t cell_centre(btl_scene_t* s, const pt_t& c) {
    const rect r = s->get_view().cell_scrn_rect(c);
    return {r.x + MAP_CELL / 2, r.y + MAP_CELL / 2};
}

void play_missile(btl_scene_t* s, const unit_t* u, const pt_t& to, const Str& name) {
    const rect r = unit_screen_rect(s, u);
    const pt_t from{r.x + MAP_CELL / 2, r.y + MAP_CELL / 2}, at = cell_centre(s, to);
    if (bv().fx_log) bv().fx_log->push_back({zg::ANI_MISSILE, name, {from.x, from.y, at.x, at.y}, 0, 0});
    get_ani_mgr()->play(new zg::missile_ani_t(name, from, at, ANI_F_BTL, 0, 0));
}

// Seen by the player: the actor or one of the points.
bool visual_shown(const unit_t* u, const std::vector<pt_t>& pts) {
    if (is_pt_visible(u->pos)) return true;
    return std::any_of(pts.begin(), pts.end(), [](const pt_t& p) { return is_pt_visible(p); });
}
}  // namespace

void atk_visual(btl_scene_t* s, act_ctx_t* ctx, atk_rec_t* rec, const std::vector<pt_t>& pts) {
    if (!s || !ctx || !ctx->act || !ctx->req || (ctx->req->flags & UCMD_NO_ANI)) return;
    unit_t* u = ctx->actor;
    const act_t* a = ctx->act;
    // What happens in the fog makes no sound and no light.
    if (!bv().feedback || !visual_shown(u, pts)) return;
    play_act_sfx(u, a, rec);
    if (a->is_ranged()) {
        if (!a->is_burst_area()) {
            const Str name = act_missile_name(a, rec ? rec->wpn : nullptr);
            for (const pt_t& p : pts) play_missile(s, u, p, name);
        } else {
            play_missile(s, u, ctx->req->tgt, act_missile_name(a, nullptr));
        }
        get_ani_mgr()->wait(ANI_F_BTL, zg::ANI_WAIT_FLAGS);
    }
    if (a->is_burst_area()) {
        if (a->id == P_FIRE_BALL || a->id == P_METEOR_SWARM) play_sfx(L"exp_fire");
        int r = a->get_area(u);
        pt_t c = ctx->req->tgt;
        if (r == -1) {
            // A burst along paths spreads from the caster as far as it reaches.
            r = act_range(a, u);
            c = u->pos;
        }
        const rect sq = s->get_view().cell_scrn_rect({c.x - r, c.y - r});
        play_area_ani(a, {sq.x, sq.y, (2 * r + 1) * MAP_CELL, (2 * r + 1) * MAP_CELL});
    } else {
        for (const pt_t& p : pts) play_area_ani(a, s->get_view().cell_scrn_rect(p));
    }
    get_ani_mgr()->wait(ANI_F_BTL, zg::ANI_WAIT_FLAGS);
}

// ---- movement ----

void set_unit_offset(btl_scene_t* s, unit_t* u, const pt_t& off) {
    u->px_off = off;
    if (u != get_cur_unit()) return;
    const rect r = unit_screen_rect(s, u);
    bv().cam = {r.x, r.y};
}

std::vector<int> step_ticks(int speed, int cells) {
    std::vector<int> out;
    if (speed <= 0) return out;
    for (int o = speed; o < cells * MAP_CELL; o += speed) out.push_back(o);
    return out;
}

void unit_step(btl_scene_t* s, unit_t* u, const pt_t& cell, int flags) {
    btl_view_t& v = bv();
    if (!(flags & STEP_SLIDE) && s && (is_cell_shown(s, u->pos) || is_cell_shown(s, cell))) {
        const int dx = cell.x - u->pos.x, dy = cell.y - u->pos.y;
        const int sx = (dx > 0) - (dx < 0), sy = (dy > 0) - (dy < 0);
        for (int o : step_ticks(ani_step_px(opts().spd_ani_lv), cheb_dist(u->pos, cell))) {
            set_unit_offset(s, u, {sx * o, sy * o});
            wait_ms(tick_ms);
        }
        u->px_off = {0, 0};
        v.cam = NO_PT;
    }
    v.out_of_sight = !u->is_known();
}

void enter_view(btl_scene_t* s, unit_t* u) {
    btl_view_t& v = bv();
    if (!s || !v.out_of_sight || !u->is_known()) return;
    v.banner = L"";
    // The panel showed the unit as unknown when its turn began out of sight.
    if (main_ui_built() && main_ui().shown_unit == u) status_show_unit(u);
    s->scroll_to(u->pos);
    float_over(s, Str(L"%s进入视野", unit_disp_name(u)), u, FLOAT_NOTE);
    wait_ms(view_pause_ms);
}

void death_fade(btl_scene_t* s, unit_t* u) {
    auto fade = [s, u](zg::custom_ani_t& a) {
        if (a.elapsed >= fade_s) {
            a.done = true;
            return;
        }
        const rect r = unit_screen_rect(s, u);
        draw_unit_img(u, r, false, 0xff000000);
        zg::tex_t* death = get_img(L"effects/death");
        const size ts = death ? death->get_size() : size{};
        const int frames = ts.h > 0 ? std::max(ts.w / ts.h, 1) : 1;
        const int f = std::min(int(a.elapsed / fx_frame_s), frames - 1);
        const rect src{f * ts.h, 0, ts.h, ts.h};
        draw_tex(death, &r, ts.h > 0 ? &src : nullptr);
    };
    get_ani_mgr()->play(new zg::custom_ani_t(fade, zg::ANI_CUSTOM, ANI_F_BTL, 0, 0));
}

void cur_mark_slide(btl_scene_t* s, unit_t* from, unit_t* to) {
    if (!opts().ani_cur_u_mark || !s || !from || !to) return;
    btl_view_t& v = bv();
    const rect a = s->get_view().cell_scrn_rect(from->pos), b = s->get_view().cell_scrn_rect(to->pos);
    v.slide = {a.x, a.y};
    v.sliding = true;
    slide_pt({a.x, a.y}, {b.x, b.y}, &v.slide);
    v.sliding = false;
}

// ---- hit-chance labels ----

void hit_labels_clear() {
    bv().labels.clear();
    bv().label_mode = LABELS_NONE;
}

void hit_labels_all(unit_t* u, int pwr) {
    hit_labels_clear();
    if (!can_use(u, pwr)) return;
    std::vector<pt_t> tgts;
    get_act_tgt_pts(u, pwr, &tgts);
    btl_view_t& v = bv();
    v.label_mode = LABELS_ALL;
    for (const pt_t& c : tgts) {
        // Only a cell with somebody on it can have a label: the rest is not measured.
        if (!is_pt_visible(c) || !get_unit_at(c)) continue;
        stat_act_hit_labels(u, {pwr, 0, c, 0}, &v.labels);
    }
}

void hit_labels_pwr(unit_t* u, int pwr) {
    hit_labels_clear();
    const act_t* a = as_act(pwr);
    if (a && a->area == 0) hit_labels_all(u, pwr);
}

void hit_labels_dflt(unit_t* u) {
    if (u) hit_labels_pwr(u, u->dflt_atk_pwr());
}

void hit_labels_hover(unit_t* u) {
    if (bv().sel.id != 0)
        hit_labels_pwr(u, bv().sel.id);
    else
        hit_labels_dflt(u);
}

void hit_labels_moved(unit_t* u, const pt_t& cell) {
    const u_pos_guard_t trial(u, cell);
    hit_labels_all(u, u->dflt_atk_pwr());
}

void hit_tip_cmd(unit_t* u, int pwr, const pt_t& cell) {
    hit_labels_clear();
    btl_view_t& v = bv();
    if (can_use(u, pwr)) stat_act_tip(u, {pwr, 0, cell, 0}, &v.labels, v.act_tip);
    v.label_mode = LABELS_CMD;
}

void hit_tip_from(unit_t* u, const pt_t& from, int pwr, const pt_t& cell) {
    const u_pos_guard_t trial(u, from);
    hit_tip_cmd(u, pwr, cell);
}

// ---- hooks ----

void install_btl_pres() {
    btl_pres_t& p = btl_pres();
    p.feedback = [](bool on) { bv().feedback = on; };
    p.float_text = [](const wchar_t* text, unit_t* u, float_kind_t kind) { float_over(cur_btl_scene(), text, u, kind); };
    p.cell_ani = [](const wchar_t* img, const pt_t& cell) {
        btl_scene_t* s = cur_btl_scene();
        if (!s || !bv().feedback || !img) return;
        play_imgs(img, s->get_view().cell_scrn_rect(cell), nullptr, ANI_F_BTL);
    };
    p.unit_step = [](unit_t* u, const pt_t& cell, int flags) { unit_step(cur_btl_scene(), u, cell, flags); };
    p.enter_view = [](unit_t* u) { enter_view(cur_btl_scene(), u); };
    p.immune = [](unit_t* u) {
        if (!cur_btl_scene()) return;
        play_sfx(L"hp_imm");
        float_over(cur_btl_scene(), L"免疫", u, FLOAT_IMMUNE);
    };
    p.sfx = [](const wchar_t* name) {
        if (cur_btl_scene() && name) play_sfx(name);
    };
}
