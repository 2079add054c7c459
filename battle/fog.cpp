#include "battle/fog.h"

#include <algorithm>
#include <cmath>

#include "battle/btl.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "rules/unit.h"

namespace {

void size_to_map(grid_t<int>& g) {
    const tmap_t* m = btl().map;
    const int w = m ? m->get_w() : 0, h = m ? m->get_h() : 0;
    if (g.width != w || g.height != h) {
        g.rows.clear();
        g.resize(w, h, 0);
    } else {
        g.fill(0);
    }
}

// ---- shadowcasting ----

struct caster_t {
    grid_t<int>* out;
    const std::function<bool(const pt_t&)>* blocks;
    pt_t o;
    int radius;
    bool light_walls;
    int xx, xy, yx, yy;

    void sweep(int row, float start, float end) const;
};

// The octants' multipliers, one column per octant.
constexpr int oct_xx[8] = {1, 0, 0, -1, -1, 0, 0, 1};
constexpr int oct_xy[8] = {0, 1, -1, 0, 0, -1, 1, 0};
constexpr int oct_yx[8] = {0, 1, 1, 0, 0, -1, -1, 0};
constexpr int oct_yy[8] = {1, 0, 0, 1, -1, 0, 0, -1};

void caster_t::sweep(int row, float start, float end) const {
    if (start < end) return;
    float new_start = 0.0f;
    for (int j = row; j <= radius; ++j) {
        const int dy = -j;
        bool blocked = false;
        for (int dx = -j; dx <= 0; ++dx) {
            const pt_t c{o.x + dx * xx + dy * xy, o.y + dx * yx + dy * yy};
            if (!out->in(c.x, c.y)) continue;
            const float left = (float(dx) - 0.5f) / (float(dy) + 0.5f);
            const float right = (float(dx) + 0.5f) / (float(dy) - 0.5f);
            if (right > start) continue;
            if (left < end) break;
            const bool b = (*blocks)(c);
            if (dx * dx + dy * dy <= radius * radius && (light_walls || !b)) out->at(c.x, c.y) = 1;
            if (blocked) {
                if (b) {
                    new_start = right;
                } else {
                    blocked = false;
                    start = new_start;
                }
            } else if (b && j < radius) {
                blocked = true;
                sweep(j + 1, start, left);
                new_start = right;
            }
        }
        if (blocked) break;
    }
}

}  // namespace

void cast_view(grid_t<int>* out, const std::function<bool(const pt_t&)>& blocks, const pt_t& origin, int radius,
               bool light_walls) {
    out->fill(0);
    if (!out->in(origin.x, origin.y)) return;
    if (radius == 0) {
        const double mx = std::max(origin.x, out->width - origin.x);
        const double my = std::max(origin.y, out->height - origin.y);
        radius = int(std::sqrt(mx * mx + my * my)) + 1;
    }
    for (int i = 0; i < 8; ++i) {
        const caster_t c{out, &blocks, origin, radius, light_walls, oct_xx[i], oct_xy[i], oct_yx[i], oct_yy[i]};
        c.sweep(1, 1.0f, 0.0f);
    }
    out->at(origin.x, origin.y) = 1;
}

bool blocks_sight(const pt_t& p) {
    const tmap_t* m = btl().map;
    return m && m->get_pass2(p.x, p.y) == PASS_BLOCK;
}

// ---- sides ----

void init_fog() {
    btl_t& b = btl();
    for (int s = 0; s < BTL_SIDES; ++s) {
        size_to_map(b.visible[s]);
        size_to_map(b.explored[s]);
    }
    for (unit_t* u : b.roster) update_view(u, true, false, true);
    recalc_side_views();
}

void update_view(unit_t* u, bool view, bool sides, bool resize) {
    if (resize) size_to_map(u->sight);
    if (view) calc_unit_view(u);
    if (sides) recalc_side_views();
}

void recalc_side_views() {
    btl_t& b = btl();
    for (int s = 0; s < BTL_SIDES; ++s) size_to_map(b.visible[s]);
    for (unit_t* u : b.roster) {
        const int s = u->btl.side;
        if (s < 0 || s >= BTL_SIDES) continue;
        merge_grid(&b.visible[s], u->sight);
        merge_grid(&b.explored[s], u->sight);
    }
}

void merge_grid(grid_t<int>* dst, const grid_t<int>& src) {
    // Only the part both grids share: a unit whose grid was sized for another
    // map must not write outside the side's grid.
    const int w = std::min(dst->width, src.width), h = std::min(dst->height, src.height);
    for (int y = 0; y < h; ++y) {
        int* d = dst->rows[size_t(y)].data();
        const int* s = src.rows[size_t(y)].data();
        for (int x = 0; x < w; ++x)
            if (d[x] == 0) d[x] = s[x];
    }
}

void calc_unit_view(unit_t* u) {
    const tmap_t* m = btl().map;
    if (!m || u->sight.width != m->get_w() || u->sight.height != m->get_h()) size_to_map(u->sight);
    if (u->hp < 1) {
        u->sight.fill(0);
        return;
    }
    cast_view(&u->sight, blocks_sight, u->pos, SIGHT_RADIUS, true);
    if (u->btl.side != SIDE_PLAYER) {
        if (is_pt_visible_to_side(u->pos, SIDE_PLAYER)) u->btl.known = 1;
        return;
    }
    u->btl.known = 1;
    for (unit_t* v : btl().roster)
        if (v->btl.side != SIDE_PLAYER && u->sight.in(v->pos.x, v->pos.y) && u->sight.at(v->pos.x, v->pos.y))
            v->btl.known = 1;
}

// ---- queries ----

namespace {
bool grid_has(const grid_t<int>* g, const pt_t& p, int side) {
    if (side < 0 || side >= BTL_SIDES) return false;
    const grid_t<int>& s = g[side];
    return s.in(p.x, p.y) && s.at(p.x, p.y) != 0;
}
}  // namespace

bool is_pt_visible_to_side(const pt_t& p, int side) { return grid_has(btl().visible, p, side); }
bool is_pt_visible_for(const pt_t& p, const unit_t* u) { return is_pt_visible_to_side(p, u->btl.side); }
bool is_pt_visible(const pt_t& p) { return is_pt_visible_to_side(p, SIDE_PLAYER); }
bool is_pt_explored_to_side(const pt_t& p, int side) { return grid_has(btl().explored, p, side); }
bool is_pt_explored_for(const pt_t& p, const unit_t* u) { return is_pt_explored_to_side(p, u->btl.side); }
bool is_pt_explored(const pt_t& p) { return is_pt_explored_to_side(p, SIDE_PLAYER); }

double sq_dist_ratio(const pt_t& a, const pt_t& b, int r) {
    if (r == 0) return 1.0;
    const double dx = a.x - b.x, dy = a.y - b.y;
    return std::min(1.0, (dx * dx + dy * dy) / (double(r) * r));
}
