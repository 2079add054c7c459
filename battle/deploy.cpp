#include "battle/deploy.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

#include "app/geom.h"
#include "app/rnd.h"
#include "app/str.h"
#include "battle/btl.h"
#include "battle/move_search.h"
#include "battle/regions.h"
#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "rules/unit.h"

namespace {

constexpr int FAR_DIST = 10;  // cells between the two sides' centres, when the region allows
const pt_t OFF_MAP{-1, -1};

struct deploy_t {
    const tmap_t& map;
    std::vector<pt_t> cells;  // start cells still free
    std::vector<const unit_t*> placed;

    bool free_on_map(const pt_t& c) const {
        if (c.x < 0 || c.y < 0 || c.x >= map.get_w() || c.y >= map.get_h()) return false;
        if (map.get_pass1(c.x, c.y) == PASS_BLOCK || get_unit_at(c)) return false;
        return std::none_of(placed.begin(), placed.end(), [&](const unit_t* u) { return u->pos == c; });
    }
    bool place_group(const std::vector<unit_t*>& units, const pt_t& c, Str* why);
};

// The point one cell from c towards the middle, across the nearer map edge.
pt_t front_point(const tmap_t& m, const pt_t& c) {
    const int w = m.get_w(), h = m.get_h();
    const int ex = c.x < w / 2 ? c.x : w - c.x - 1;
    const int ey = c.y < h / 2 ? c.y : h - c.y - 1;
    if (ex >= ey) return {c.x, c.y + (c.y < h / 2 ? 1 : -1)};
    return {c.x + (c.x < w / 2 ? 1 : -1), c.y};
}

bool front_rank(const unit_t* u) {
    static constexpr int classes[] = {1, 2, 4, 5, 7, 8};
    return std::find(std::begin(classes), std::end(classes), u->base.cls) != std::end(classes);
}

bool deploy_t::place_group(const std::vector<unit_t*>& units, const pt_t& c, Str* why) {
    const pt_t front = front_point(map, c);
    for (unit_t* u : units) {
        const pt_t want = front_rank(u) ? front : c;
        pt_t at;
        if (!nearest_pt_if(cells, want, &at, [](const pt_t&) { return true; })) {
            // The region is full: the nearest free cell of the whole map, never a
            // wall or another unit's cell.
            at = nearest_cell_if(want, [&](const pt_t& p) { return free_on_map(p); });
            if (at == OFF_MAP) {
                if (why) why->assign(L"地图上没有足够的空位放置所有单位。");
                return false;
            }
        }
        u->pos = at;
        placed.push_back(u);
        for (const pt_t& p : u->cells()) cells.erase(std::remove(cells.begin(), cells.end(), p), cells.end());
    }
    return true;
}

}  // namespace

std::vector<pt_t> get_start_cells() {
    std::vector<pt_t> out;
    const tmap_t* m = btl().map;
    if (!m) return out;
    grid_t<int> g;
    get_passable_grid(*m, &g);
    const int best = label_regions(g);
    if (best == 0) return out;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x)
            if (g.at(x, y) == best) out.push_back({x, y});
    return out;
}

pt_t far_start_cell(const pt_t& p, const std::vector<pt_t>& cells) {
    pt_t best = p;
    int best_off = -1;
    for (const pt_t& c : cells) {
        const int dx = c.x - p.x, dy = c.y - p.y;
        const int off = std::abs(int(std::sqrt(double(dx * dx + dy * dy))) - FAR_DIST);
        if (best_off < 0 || off < best_off) best = c, best_off = off;
        if (off == 0) break;
    }
    return best;
}

bool deploy_groups(const std::vector<unit_t*>& a, const std::vector<unit_t*>& b, Str* why) {
    const tmap_t* m = btl().map;
    if (!m) {
        if (why) why->assign(L"没有战斗地图。");
        return false;
    }
    for (unit_t* u : a) u->pos = OFF_MAP;
    for (unit_t* u : b) u->pos = OFF_MAP;
    deploy_t d{*m, get_start_cells(), {}};
    rnd_shuffle(d.cells);
    const pt_t p1 = d.cells.empty() ? pt_t{0, 0} : d.cells.front();
    if (!d.place_group(a, p1, why)) return false;
    return d.place_group(b, far_start_cell(p1, d.cells), why);
}
