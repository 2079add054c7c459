#include "battle/move_search.h"

#include <algorithm>
#include <cstdlib>

#include "app/dir8.h"
#include "app/geom.h"
#include "app/sentinels.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/zone.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

bool in_only(const std::vector<pt_t>* only, const pt_t& p) {
    return !only || std::find(only->begin(), only->end(), p) != only->end();
}

// With the switch on, what u's side does not see is not marked.
bool seen_for(const unit_t* u, const pt_t& p) { return !fog_in_search() || is_pt_visible_for(p, u); }

template <class G>
void fog_marks(G& g, const unit_t* u, int flags) {
    if (!fog_in_search() || !(flags & (SF_FOG_UNEXPLORED | SF_FOG_UNSEEN))) return;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            if (flags & SF_FOG_UNEXPLORED) {
                if (!is_pt_explored_for({x, y}, u)) g.at(x, y).pass = PASS_PLAIN;
            } else if (!is_pt_visible_for({x, y}, u)) {
                g.at(x, y).pass = PASS_BLOCK;
            }
        }
}

template <class G>
void zone_marks(G& g, const unit_t* u, const std::vector<pt_t>* only) {
    for (const zone_t* z : btl().zones) {
        if (!zone_affects(*z, u)) continue;
        for (const pt_t& c : z->cells) {
            if (!g.in(c.x, c.y) || !seen_for(u, c) || !in_only(only, c)) continue;
            if (g.at(c.x, c.y).pass < PASS_HARD) g.at(c.x, c.y).pass = PASS_HARD;
        }
    }
}

template <class G>
void threat_marks(G& g, const unit_t* v) {
    const int r = v->get_threat_rad();
    for (int y = v->pos.y - r; y <= v->pos.y + r; ++y)
        for (int x = v->pos.x - r; x <= v->pos.x + r; ++x)
            if (g.in(x, y)) g.at(x, y).marks |= pf::MARK_STOP;
}

bool is_enemy(const unit_t* u, const unit_t* v) { return v->btl.side != u->btl.side && u->btl.side != SIDE_NONE; }

// An enemy that is not helpless: the walk's grid blocks its cell for u.
bool bars_way(const unit_t* u, const unit_t* v) { return is_enemy(u, v) && !v->conds.is_helpless(); }

template <class G>
void unit_marks(G& g, const unit_t* u, int flags, const std::vector<pt_t>* only) {
    if (!(flags & SF_UNIT_MARKS)) return;
    for (const unit_t* v : btl().roster) {
        const pt_t& p = v->pos;
        if (!g.in(p.x, p.y) || !seen_for(u, p) || !in_only(only, p)) continue;
        const bool enemy = is_enemy(u, v);
        if (bars_way(u, v)) {
            if (flags & SF_ENEMIES) g.at(p.x, p.y).pass = PASS_BLOCK;
        } else if (flags & SF_UNITS) {
            g.at(p.x, p.y).pass = PASS_HARD;
            g.at(p.x, p.y).marks |= pf::MARK_PASS_ONLY;
        }
        if (enemy && v->conds.threatens() && (flags & SF_THREAT)) threat_marks(g, v);
    }
}

void mark_grid(unit_t* u, int flags, const std::vector<pt_t>* only) {
    tmap_t* m = btl().map;
    if (!m) return;
    pf::node_grid_t& g = m->search_grid;
    pf::load_pass(*m, g, (flags & SF_LAYER1) ? 1 : 2);
    if ((flags & SF_LAYER1) && u->has_trait(TRAIT_IMM_HARD))
        for (pf::node_t& n : g.nodes)
            if (n.pass == PASS_HARD) n.pass = PASS_PLAIN;
    fog_marks(g, u, flags);
    if (flags & SF_ZONES) zone_marks(g, u, only);
    unit_marks(g, u, flags, only);
}

const pf::node_t* search_node(const pt_t& p) {
    const tmap_t* m = btl().map;
    return m && m->search_grid.in(p.x, p.y) ? &m->search_grid.at(p.x, p.y) : nullptr;
}

bool blocks_at(int x, int y) {
    const pf::node_t* n = search_node({x, y});
    return !n || n->pass == PASS_BLOCK;
}

bool corner_cut(const pt_t& a, const pt_t& b) {
    return a.x != b.x && a.y != b.y && (blocks_at(a.x, b.y) || blocks_at(b.x, a.y));
}

}  // namespace

// ---- preparation ----

void set_fog_in_search(bool on) { btl().fog_in_search = on; }
bool fog_in_search() { return btl().fog_in_search; }

void mark_search_grid(unit_t* u, int flags) { mark_grid(u, flags, nullptr); }

void prep_unit_paths(unit_t* u, int flags) {
    mark_search_grid(u, flags);
    if (btl().map) pf::build_edges(btl().map->search_grid);
}

namespace {

// What an area grid is prepared from: the side whose fog applies, the flags,
// and the cells of the units the flags mark (non-helpless enemies only).
struct area_key_t {
    const tmap_t* map = nullptr;
    int side = -1;
    int flags = 0;
    bool fog = true;
    std::vector<int> units;
    bool operator==(const area_key_t&) const = default;
};

constexpr size_t AREA_CACHE_SIZE = 4;  // the target, area and cover grids of both sides

struct area_cache_t {
    int depth = 0;  // open cache scopes
    int opened = 0;  // scopes opened from depth 0
    std::vector<std::pair<area_key_t, pf::pass_grid_t>> grids;  // most recent last
};

area_cache_t& area_cache() {
    static area_cache_t c;
    return c;
}

area_key_t area_key(const tmap_t* m, const unit_t* u, int flags) {
    area_key_t k{m, u->btl.side, flags, fog_in_search(), {}};
    if (flags & SF_UNIT_MARKS)
        for (const unit_t* v : btl().roster)
            if (v->btl.side != u->btl.side && u->btl.side != SIDE_NONE && !v->conds.is_helpless())
                k.units.insert(k.units.end(), {v->pos.x, v->pos.y});
    return k;
}

void prep_area_grid_fresh(tmap_t* m, unit_t* u, int flags) {
    pf::load_pass(*m, m->pass_grid, 2);
    fog_marks(m->pass_grid, u, flags);
    unit_marks(m->pass_grid, u, flags, nullptr);
}

}  // namespace

area_grid_cache_t::area_grid_cache_t() {
    if (area_cache().depth++ == 0) {
        area_cache().grids.clear();
        ++area_cache().opened;
    }
}

area_grid_cache_t::~area_grid_cache_t() {
    if (--area_cache().depth == 0) area_cache().grids.clear();
}

bool in_planning_scope() { return area_cache().depth > 0; }
int planning_scope_no() { return area_cache().opened; }

void prep_area_grid(unit_t* u, int flags) {
    tmap_t* m = btl().map;
    if (!m) return;
    area_cache_t& c = area_cache();
    area_key_t key;
    if (c.depth > 0) {
        // Within a planning scope sight and zones stand still, so the same key
        // gives the same grid.
        key = area_key(m, u, flags);
        auto& g = c.grids;
        const auto hit = std::find_if(g.begin(), g.end(), [&](const auto& e) { return e.first == key; });
        if (hit != g.end()) {
            if (hit != g.end() - 1) {
                m->pass_grid = hit->second;
                std::rotate(hit, hit + 1, g.end());
            }
            return;
        }
    }
    prep_area_grid_fresh(m, u, flags);
    if (c.depth > 0) {
        if (c.grids.size() == AREA_CACHE_SIZE) c.grids.erase(c.grids.begin());
        c.grids.emplace_back(std::move(key), m->pass_grid);
    }
}


pf::pass_grid_t& get_area_grid() {
    static pf::pass_grid_t none;
    return btl().map ? btl().map->pass_grid : none;
}

// ---- queries ----

void find_unit_path(unit_t* u, const pt_t& to, std::vector<pt_t>* path) {
    path->clear();
    find_unit_path_in(u, to, nullptr, path);
}

bool find_unit_path_in(unit_t* u, const pt_t& to, const std::vector<pt_t>* only, std::vector<pt_t>* path) {
    tmap_t* m = btl().map;
    // Cells off the map are never reached; the search itself does not check them.
    if (!m || !m->search_grid.in(u->pos.x, u->pos.y) || !m->search_grid.in(to.x, to.y)) return false;
    mark_grid(u, SF_WALK, only);
    pf::build_edges(m->search_grid);
    return pf::find_path(m->search_grid, u->pos, to, path, nullptr, nullptr);
}

void get_move_range(unit_t* u, move_range_t* out) {
    *out = move_range_t();
    tmap_t* m = btl().map;
    if (!m || !m->search_grid.in(u->pos.x, u->pos.y)) return;
    mark_search_grid(u, SF_WALK);
    pf::get_range(m->search_grid, u->pos, u->drv.spd, out);
}

bool get_move_range_ai(unit_t* u, move_range_t* out) {
    *out = move_range_t();
    tmap_t* m = btl().map;
    if (!m || !m->search_grid.in(u->pos.x, u->pos.y)) return false;
    mark_search_grid(u, SF_AI_RANGE);
    return pf::get_range(m->search_grid, u->pos, u->drv.spd, out) > 0;
}

bool nearest_by_path(const unit_t* u, const std::vector<pt_t>& pts, pt_t* out) {
    tmap_t* m = btl().map;
    if (!m || !m->search_grid.in(u->pos.x, u->pos.y)) return false;
    double best = UNLIMITED;  // unreachable
    for (const pt_t& p : pts) {
        double cost = UNLIMITED;
        if (m->search_grid.in(p.x, p.y) && !pf::find_path(m->search_grid, u->pos, p, nullptr, nullptr, &cost))
            cost = UNLIMITED;
        if (cost < best) best = cost, *out = p;
    }
    return best < UNLIMITED;
}

bool is_pass_only_cell(const pt_t& p) {
    const pf::node_t* n = search_node(p);
    return n && n->pass == PASS_HARD;
}

bool can_step(const pt_t& a, const pt_t& b) { return !blocks_at(b.x, b.y) && !corner_cut(a, b); }

bool can_step_plain(const pt_t& a, const pt_t& b) {
    const pf::node_t* n = search_node(b);
    return n && n->pass == PASS_PLAIN && !corner_cut(a, b);
}

bool can_shift_to(const unit_t* u, const pt_t& to) {
    if (!u || u->conds.is_slowed()) return false;
    if (!units_adjacent(to, u->pos)) return false;
    // Read from the map and the roster as they are, not from a search grid that
    // may have been prepared for another unit: a shift never lands on a unit.
    const tmap_t* m = btl().map;
    if (!is_free_cell(to)) return false;
    // No corner of a wall, nor of an enemy the walk may not pass: the walk
    // that carries the step out would go round it, several cells for one step.
    const auto corner = [&](int x, int y) {
        const unit_t* v = get_unit_at({x, y});
        return m->get_pass1(x, y) == PASS_BLOCK || (v && bars_way(u, v));
    };
    if (to.x != u->pos.x && to.y != u->pos.y && (corner(u->pos.x, to.y) || corner(to.x, u->pos.y))) return false;
    // The classes u's own preparation would give: TRAIT_IMM_HARD walks hard
    // ground as plain, a zone that holds u makes its cells hard.
    int pass = m->get_pass1(to.x, to.y);
    if (pass == PASS_HARD && u->has_trait(TRAIT_IMM_HARD)) pass = PASS_PLAIN;
    const zone_t* z = get_zone_at(to);
    if (z && zone_affects(*z, u) && pass < PASS_HARD) pass = PASS_HARD;
    return u->has_pwr(P_SHIFT_HARD) || pass == PASS_PLAIN;
}

bool is_free_cell(const pt_t& p) {
    const tmap_t* m = btl().map;
    return m && p.x >= 0 && p.y >= 0 && p.x < m->get_w() && p.y < m->get_h() &&
           m->get_pass1(p.x, p.y) != PASS_BLOCK && !get_unit_at(p);
}

std::function<void(const pt_t&)> collect_free_cells(std::vector<pt_t>* out) {
    return [out](const pt_t& p) {
        if (is_free_cell(p)) out->push_back(p);
    };
}

pt_t nearest_cell_if(const pt_t& p, const std::function<bool(const pt_t&)>& accept) {
    if (accept(p)) return p;
    const tmap_t* m = btl().map;
    const int w = m ? m->get_w() : 0, h = m ? m->get_h() : 0;
    const auto in = [&](const pt_t& c) { return c.x >= 0 && c.y >= 0 && c.x < w && c.y < h; };
    // Every ring up to the far corner of the map from p, even from outside it.
    const int far = std::max({std::abs(p.x), std::abs(w - 1 - p.x), std::abs(p.y), std::abs(h - 1 - p.y)});
    for (int r = 1; r <= far; ++r) {
        for (int j = -1; j <= 1; ++j)
            for (int i = -1; i <= 1; ++i) {
                const pt_t c{p.x + i * r, p.y + j * r};
                if ((i || j) && in(c) && accept(c)) return c;
            }
        // The rest of the ring, which the eight cells above leave out once r > 1.
        for (int dy = -r; dy <= r; ++dy)
            for (int dx = -r; dx <= r; ++dx) {
                const pt_t c{p.x + dx, p.y + dy};
                if (cheb_dist(c, p) != r) continue;
                if ((dx == 0 || std::abs(dx) == r) && (dy == 0 || std::abs(dy) == r)) continue;
                if (in(c) && accept(c)) return c;
            }
    }
    return {-1, -1};
}

pt_t nearest_free_cell(const pt_t& p) { return nearest_cell_if(p, is_free_cell); }

int straight_run_dir(const pt_t& a, const pt_t& b) {
    const int dx = b.x - a.x, dy = b.y - a.y;
    if (dx * dx + dy * dy < 4) return -1;
    if (dx != 0 && dy != 0 && std::abs(dx) != std::abs(dy)) return -1;
    const pt_t step{(dx > 0) - (dx < 0), (dy > 0) - (dy < 0)};
    for (pt_t c = a; !(c == b);) {
        const pt_t n{c.x + step.x, c.y + step.y};
        if (!can_step_plain(c, n)) return -1;
        c = n;
    }
    return dir8_index(step.x, step.y);
}
