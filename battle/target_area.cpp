#include "battle/target_area.h"

#include <algorithm>
#include <cstdlib>

#include "app/geom.h"
#include "app/rnd.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/cover.h"
#include "battle/fog.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/u_pos_guard.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {
constexpr int SF_AREA = 0x202;         // the grid of affected cells
constexpr int SF_AREA_FAR = 0x10202;   // reaching past the neighbours: enemies block the line

int sgn(int v) { return (v > 0) - (v < 0); }

const act_t* get_act(int pwr) { return dynamic_cast<const act_t*>(get_pwr(pwr)); }

bool in_map(const pt_t& p) {
    const tmap_t* m = get_btl_map();
    return m && p.x >= 0 && p.y >= 0 && p.x < m->get_w() && p.y < m->get_h();
}

bool mixed_cover(const act_t& a) { return a.rng == RNG_TOUCH || a.atk == ATK_MELEE; }

// Line of effect from a to b, and b itself no wall the side knows of.
bool tgt_test(const unit_t* u, const act_t& a, const pt_t& from, const pt_t& to) {
    if (get_cover(from, to, mixed_cover(a)) == COVER_BLOCKED) return false;
    if (get_btl_map()->get_pass2(to.x, to.y) != PASS_BLOCK) return true;
    // An unexplored wall looks like any unknown cell, until the true state is checked.
    return fog_in_search() && !is_pt_explored_for(to, u);
}

void cone_pts(const pt_t& o, const pt_t& c, std::vector<pt_t>& out) {
    const int sx = sgn(c.x - o.x), sy = sgn(c.y - o.y);
    if (sx && sy) {
        for (int a = 1; a <= 3; ++a)
            for (int b = 1; b <= 3; ++b) out.push_back({o.x + a * sx, o.y + b * sy});
        return;
    }
    if (!sx && !sy) return;
    for (int k = 1; k <= 3; ++k)
        for (int j = -(k - 1); j <= k - 1; ++j)
            out.push_back(sx == 0 ? pt_t{o.x + j, o.y + k * sy} : pt_t{o.x + k * sx, o.y + j});
}

// The extra cells of the two- and three-cell arcs around the centre.
void arc_pts(const pt_t& o, const pt_t& c, int area, std::vector<pt_t>& out) {
    const int dx = sgn(c.x - o.x), dy = sgn(c.y - o.y);
    out.push_back(c);
    if (area == AREA_ADJ2) {
        if (dx == 1) out.push_back(dy == 1 ? pt_t{c.x - 1, c.y} : pt_t{c.x, c.y + 1});
        else if (dx == -1) out.push_back(dy == -1 ? pt_t{c.x + 1, c.y} : pt_t{c.x, c.y - 1});
        else out.push_back(dy == 1 ? pt_t{c.x - 1, c.y} : pt_t{c.x + 1, c.y});
        return;
    }
    struct step_t { int dx, dy; pt_t a, b; };
    static const step_t steps[] = {
        {-1, -1, {0, 1}, {1, 0}}, {1, 1, {0, -1}, {-1, 0}}, {-1, 1, {1, 0}, {0, -1}}, {1, -1, {-1, 0}, {0, 1}},
        {-1, 0, {0, 1}, {0, -1}}, {1, 0, {0, -1}, {0, 1}},  {0, -1, {-1, 0}, {1, 0}}, {0, 1, {1, 0}, {-1, 0}},
    };
    for (const step_t& s : steps)
        if (s.dx == dx && s.dy == dy) {
            out.push_back({c.x + s.a.x, c.y + s.a.y});
            out.push_back({c.x + s.b.x, c.y + s.b.y});
        }
}

// The candidates of the area table and the cell they are tested from.
pt_t area_candidates(unit_t* u, const act_t& a, int area, const pt_t& at, std::vector<pt_t>& out) {
    const pt_t o = u->pos;
    if (area == 0) {
        out.push_back(at);
    } else if (area > 0) {
        for_each_cell_in_radius(at, area, [&](const pt_t& p) { return out.push_back(p), true; });
    } else if (area == AREA_BURST) {
        for (const pt_t& p : act_area_pts(u, a.id))
            if (p != o) out.push_back(p);
        return o;
    } else if (area == AREA_CONE) {
        cone_pts(o, at, out);
        return {o.x + sgn(at.x - o.x), o.y + sgn(at.y - o.y)};
    } else if (area == AREA_LINE) {
        for (const pt_t& p : line_pts(o, at))
            if (p != o) out.push_back(p);
    } else if (area == AREA_MAP) {
        const tmap_t* m = get_btl_map();
        for (int y = 0; y < m->get_h(); ++y)
            for (int x = 0; x < m->get_w(); ++x) out.push_back({x, y});
    } else if (area == AREA_ADJ2 || area == AREA_ADJ3) {
        std::vector<pt_t> arc;
        arc_pts(o, at, area, arc);
        const std::vector<pt_t> aimable = act_area_pts(u, a.id);
        for (const pt_t& p : arc)
            if (contains(aimable, p)) out.push_back(p);
    }
    return at;
}
}  // namespace

bool contains(const std::vector<pt_t>& cells, const pt_t& p) {
    for (const pt_t& q : cells)
        if (q == p) return true;
    return false;
}

// ---- aimable and affected cells ----

namespace {
// The AI asks for the same cells many times while it plans from one cell: the
// aimable cells of a power for every target, the affected cells of one aim
// for the quick test and again for the measure. Within a planning scope the
// answer depends only on these keys, so the last few are kept.
struct cells_key_t {
    const unit_t* u = nullptr;
    pt_t pos, at;
    int pwr = 0;
    bool fog = true;
    bool operator==(const cells_key_t&) const = default;
};

// Where every unit stands belongs to the key too: the planning unit moves, and
// the lines of the others (an enemy measuring its blow at it) run past or into it.
std::vector<pt_t> unit_cells() {
    std::vector<pt_t> v;
    for (const unit_t* w : btl_roster()) v.push_back(w->pos);
    return v;
}

bool units_stand_at(const std::vector<pt_t>& cells) {
    const auto& r = btl_roster();
    if (r.size() != cells.size()) return false;
    for (size_t i = 0; i < r.size(); ++i)
        if (r[i]->pos != cells[i]) return false;
    return true;
}

struct cells_memo_t {
    static constexpr size_t SIZE = 8;
    struct entry_t {
        cells_key_t key;
        std::vector<pt_t> units;  // unit_cells() when kept
        bool ok = false;
        std::vector<pt_t> cells;
    };
    std::vector<entry_t> kept;  // most recent last
    int scope = -1;             // the planning scope the answers were kept in

    const entry_t* find(const cells_key_t& k) const {
        for (auto it = kept.rbegin(); it != kept.rend(); ++it)
            if (it->key == k && units_stand_at(it->units)) return &*it;
        return nullptr;
    }
    void put(const cells_key_t& k, bool ok, const std::vector<pt_t>& cells) {
        if (kept.size() == SIZE) kept.erase(kept.begin());
        kept.push_back({k, unit_cells(), ok, cells});
    }
};

// Answers kept while a planning scope is open; any other time nothing is kept.
template <class Fn>
bool memo_cells(cells_memo_t& memo, const cells_key_t& k, std::vector<pt_t>* out, Fn compute) {
    if (!in_planning_scope()) {
        memo.kept.clear();
        return compute(out);
    }
    // Sight and the units' cells move between two plans.
    if (memo.scope != planning_scope_no()) {
        memo.kept.clear();
        memo.scope = planning_scope_no();
    }
    if (const auto* hit = memo.find(k)) {
        *out = hit->cells;
        return hit->ok;
    }
    const bool ok = compute(out);
    memo.put(k, ok, *out);
    return ok;
}

cells_memo_t tgt_memo, area_memo;

bool compute_tgt_pts(unit_t* u, const act_t* a, std::vector<pt_t>* out) {
    const aim_cells_t cells(u, a->id);
    for (const pt_t& p : cells.reach())
        if (cells.aimable(p)) out->push_back(p);
    return !out->empty();
}

bool compute_area_pts(unit_t* u, const act_t* a, const pt_t& at, std::vector<pt_t>* out) {
    std::vector<pt_t> cand;
    const pt_t centre = area_candidates(u, *a, a->get_area(u), at, cand);
    prep_area_grid(u, SF_AREA);
    for (const pt_t& p : cand)
        if (in_map(p) && in_map(centre) && tgt_test(u, *a, centre, p)) out->push_back(p);
    return !out->empty();
}
}  // namespace

void for_each_cell_in_range(const pt_t& c, int r, bool skip_centre, const std::function<void(const pt_t&)>& visit) {
    const tmap_t* m = get_btl_map();
    if (!m) return;
    const rect clip{0, 0, m->get_w(), m->get_h()};
    const int flags = cell_walk::full_ring_1 | (skip_centre ? cell_walk::skip_centre : 0);
    for_each_cell_in_radius(c, r, [&](const pt_t& p) { return visit(p), true; }, flags, &clip);
}

aim_cells_t::aim_cells_t(unit_t* u, int pwr, aim_memo_t* memo) : u_(u), a_(get_act(pwr)) {
    const tmap_t* m = get_btl_map();
    if (!a_ || !m) return;
    const int r = act_range(a_, u);
    far_ = a_->rng > RNG_TOUCH || a_->is_ranged();
    const int key = r * 2 + (a_->skips_own_cell() ? 1 : 0);
    if (memo)
        for (const auto& [k, cells] : memo->reaches)
            if (k == key) reach_ = &cells;
    if (reach_ == &own_reach_) {
        for_each_cell_in_range(u->pos, r, a_->skips_own_cell(), [&](const pt_t& p) { own_reach_.push_back(p); });
        if (memo) reach_ = &memo->reaches.emplace_back(key, std::move(own_reach_)).second;
    }
    if (!memo) return;
    w_ = m->get_w();
    known_ = &memo->known[(far_ ? 1 : 0) | (mixed_cover(*a_) ? 2 : 0)];
    known_->resize(size_t(w_) * size_t(m->get_h()), -1);
}

bool aim_cells_t::aimable(const pt_t& p) const {
    int8_t* k = known_ ? &(*known_)[size_t(p.y) * size_t(w_) + size_t(p.x)] : nullptr;
    if (k && *k >= 0) return *k == 1;
    prep_area_grid(u_, far_ ? SF_AREA_FAR : SF_AREA);  // other tests may have prepared another meanwhile
    const bool ok = tgt_test(u_, *a_, u_->pos, p);
    if (k) *k = ok ? 1 : 0;
    return ok;
}

bool get_act_tgt_pts(unit_t* u, int pwr, std::vector<pt_t>* out) {
    out->clear();
    const act_t* a = get_act(pwr);
    if (!a || !get_btl_map()) return false;
    // The aimable cells depend on the power only through its reach and these
    // readings: powers alike in them share one answer. A weapon's reach is
    // not worked out for the key: that reads attack records, whose planning
    // draws must stay as many as they were.
    const int geom = (a->skips_own_cell() ? 1 : 0) | (mixed_cover(*a) ? 2 : 0) | (a->rng > RNG_TOUCH || a->is_ranged() ? 4 : 0);
    const int reach = a->rng >= 0 ? a->rng : a->rng == RNG_SPD ? act_range(a, u) : -1000 - pwr;
    const cells_key_t k{u, u->pos, {reach, geom}, 0, fog_in_search()};
    return memo_cells(tgt_memo, k, out, [&](std::vector<pt_t>* o) { return compute_tgt_pts(u, a, o); });
}

bool get_act_tgt_pts_from(unit_t* u, int pwr, const pt_t& from, std::vector<pt_t>* out) {
    const u_pos_guard_t trial(u, from);
    return get_act_tgt_pts(u, pwr, out);
}

int aim_refusal(unit_t* u, int pwr, const pt_t& at) {
    const act_t* a = get_act(pwr);
    if (!a || !in_map(at)) return USE_NO_AIM;
    const int r = act_range(a, u);
    const int64_t dx = at.x - u->pos.x, dy = at.y - u->pos.y;
    // As the aimable cells are walked: a reach of 1 takes the whole 3 x 3 square.
    const bool within = r == 1 ? cheb_dist(at, u->pos) <= 1 : dx * dx + dy * dy <= int64_t(r) * r;
    if (!within) return USE_OUT_OF_REACH;
    if (at == u->pos && a->skips_own_cell()) return USE_NO_AIM;
    prep_area_grid(u, a->rng > RNG_TOUCH || a->is_ranged() ? SF_AREA_FAR : SF_AREA);
    if (get_cover(u->pos, at, mixed_cover(*a)) == COVER_BLOCKED) return USE_LINE_BLOCKED;
    return tgt_test(u, *a, u->pos, at) ? USE_OK : USE_NO_AIM;
}

std::vector<pt_t> act_area_pts(unit_t* u, int pwr) {
    std::vector<pt_t> pts;
    get_act_tgt_pts(u, pwr, &pts);
    return pts;
}

bool act_area_cands(unit_t* u, int pwr, const pt_t& at, std::vector<pt_t>* out) {
    out->clear();
    const act_t* a = get_act(pwr);
    if (!a || !get_btl_map()) return false;
    const int area = a->get_area(u);
    // These read the aimable cells, which cost as much as the area itself.
    if (area == -1 || area == -4 || area == -5 || area == -6) return false;
    area_candidates(u, *a, area, at, *out);
    return true;
}

bool get_act_area_pts(unit_t* u, int pwr, const pt_t& at, std::vector<pt_t>* out) {
    out->clear();
    const act_t* a = get_act(pwr);
    if (!a || !get_btl_map()) return false;
    const cells_key_t k{u, u->pos, at, pwr, fog_in_search()};
    return memo_cells(area_memo, k, out, [&](std::vector<pt_t>* o) { return compute_area_pts(u, a, at, o); });
}

bool act_area_box(const pt_t& o, int area, const pt_t& at, rect* box) {
    if (area >= 0) *box = {at.x - area, at.y - area, 2 * area + 1, 2 * area + 1};
    else if (area == AREA_LINE) *box = {std::min(o.x, at.x), std::min(o.y, at.y), std::abs(at.x - o.x) + 1, std::abs(at.y - o.y) + 1};
    else if (area == AREA_CONE) *box = {o.x - 3, o.y - 3, 7, 7};
    else if (area == AREA_ADJ2 || area == AREA_ADJ3) *box = {at.x - 1, at.y - 1, 3, 3};
    else return false;
    return true;
}

bool act_area_pick(unit_t* u, int pwr, const pt_t& at, const std::vector<pt_t>& cells, std::vector<pt_t>* out) {
    out->clear();
    const act_t* a = get_act(pwr);
    if (!a || !get_btl_map()) return true;  // get_act_area_pts finds no cell either
    const int area = a->get_area(u);
    // A radius, the aimed cell or the whole map: each cell is a candidate or
    // not by itself. The other shapes are listed, which is cheap.
    const bool by_cell = area >= 0 || area == AREA_MAP;
    rect box;
    if (act_area_box(u->pos, area, at, &box) &&
        std::none_of(cells.begin(), cells.end(), [&](const pt_t& p) { return box.contains(p); }))
        return true;
    std::vector<pt_t> cand;
    const pt_t centre = by_cell ? at : area_candidates(u, *a, area, at, cand);
    if (!in_map(centre)) return true;
    prep_area_grid(u, SF_AREA);
    const int64_t r2 = int64_t(area) * area;
    auto keep = [&](const pt_t& p) {
        if (in_map(p) && tgt_test(u, *a, centre, p)) out->push_back(p);
    };
    if (by_cell) {
        for (const pt_t& p : cells) {
            const int64_t dx = p.x - at.x, dy = p.y - at.y;
            if (area == AREA_MAP || (area == 0 ? p == at : dx * dx + dy * dy <= r2)) keep(p);
        }
        return true;
    }
    for (const pt_t& p : cand)
        if (std::binary_search(cells.begin(), cells.end(), p)) keep(p);
    std::sort(out->begin(), out->end());
    // A cell listed twice would be measured twice.
    return std::adjacent_find(out->begin(), out->end()) == out->end();
}

// ---- cover ----

int get_cover(const pt_t& from, const pt_t& to, bool mixed) {
    return cover_level(get_area_grid(), from.x, from.y, to.x, to.y, mixed);
}

int atk_cover(unit_t* u, int pwr, const pt_t& tgt) {
    const act_t* a = get_act(pwr);
    if (!a || !get_btl_map()) return 0;
    prep_area_grid(u, a->rng > RNG_TOUCH || a->is_ranged() ? SF_AREA_FAR : SF_AREA);
    const int lv = get_cover(u->pos, tgt, mixed_cover(*a));
    if (lv == COVER_NONE || lv == COVER_BLOCKED) return lv;
    if (a->atk == ATK_RANGE && u->has_pwr(P_RNG_PRECISE1)) return COVER_NONE;
    return lv;
}

bool nearest_unit_to_path_end(const std::vector<pt_t>& path, pt_t* out) {
    if (path.empty()) return false;
    const pt_t end = path.back();
    int best = 10;  // squared distance 9 at most
    for (unit_t* v : btl_roster()) {
        if (contains(path, v->pos)) continue;
        const int d = unit_sq_dist(v->pos, end);
        if (d < best) best = d, *out = v->pos;
    }
    return best < 10;
}

// ---- action predicates ----

int act_range(const act_t* a, const unit_t* u) {
    if (a->rng >= 0) return a->rng;
    if (a->rng == RNG_SPD) return u ? u->drv.spd : 0;
    if (a->rng == RNG_REACH) {
        if (!u) return 1;
        // Only the reach is read, which no draw decides: the draws of the
        // records are undone, so however often planning asks, what it draws
        // next stays the same.
        const uint32_t saved = rnd_get_state();
        std::vector<atk_rec_t> recs;
        const int reach = get_atks(recs, const_cast<unit_t*>(u), a->id, UCMD_NO_ROUND) ? recs[0].rng : 1;
        rnd_set_state(saved);
        return reach;
    }
    return 0;
}

bool is_full_round(const unit_t* u, int pwr, int cmd_flags) {
    const act_t* a = get_act(pwr);
    // A standard action taken with the whole budget becomes the whole turn.
    // Free and unpaid commands (attacks of opportunity, cleaves) take no turn,
    // so they are never all-out.
    return a && !(cmd_flags & (UCMD_FREE | UCMD_NO_COST | UCMD_NO_ROUND)) && u->btl.act_budget == BUDGET_WHOLE &&
           a->cost == COST_STD && !(a->flags & PF_KIND2) && pwr != P_WAKE;
}

bool is_aimed_pwr(int pwr) {
    const act_t* a = get_act(pwr);
    return a && a->rng != RNG_SELF;
}

bool aims_at_fallen(int pwr) { return pwr == P_RESURRECT || pwr == P_MK_UD; }

bool is_heal_pwr(int pwr) { return pwr == P_HEAL || pwr == P_HEAL_X; }

bool is_fit_target(int pwr, const unit_t* u, const unit_t* tgt) {
    const bool ally = !units_are_enemies(u, tgt) && u->btl.side == tgt->btl.side;
    const bool enemy = units_are_enemies(u, tgt);
    if (is_heal_pwr(pwr)) return (ally && tgt->is_living()) || (enemy && tgt->is_undead());
    if (pwr == P_HARM || pwr == P_HARM_X) return (ally && tgt->is_undead()) || (enemy && tgt->is_living());
    if (pwr == P_RESURRECT) return ally && tgt->is_living();
    return enemy;
}
