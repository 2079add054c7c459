#include "battle/map_gen.h"

#include <algorithm>

#include "app/grid_find.h"
#include "app/rnd.h"
#include "battle/regions.h"
#include "battle/terrain.h"
#include "battle/tmap.h"

namespace {
constexpr int gen_tiles[4] = {TILE_WALL, TILE_HARD, TILE_OBST, TILE_TREE};  // of gen_params_t::pct, in order

int sign(int v) { return (v > 0) - (v < 0); }

int rolled_side(int v) {
    if (v == ROLL_IT) return (rnd_tri(GEN_HALF_MAX - GEN_HALF_MIN + 1) + GEN_HALF_MIN) * 2;
    return std::clamp(v, 1, ZMAP_MAX_SIDE);
}
}  // namespace

void gen_rnd_map(tmap_t* map, int env, int seed, int w, int h) {
    if (!map) return;
    gen_params_t p;
    p.seed = seed == ROLL_IT ? rnd_rand() : seed;
    p.env = env == ROLL_IT ? rnd_rand() % 5 + 1 : std::clamp(env, 1, MAP_ENV_COUNT - 1);
    p.w = rolled_side(w);
    p.h = rolled_side(h);
    const map_env_t* e = get_map_env(p.env);
    for (int i = 0; i < 4; ++i) p.pct[i] = rnd_tri(e->rngs[i].max - e->rngs[i].min + 1) + e->rngs[i].min;
    build_map(map, p);
}

void build_map(tmap_t* map, const gen_params_t& p) {
    if (!map) return;
    rnd_save();
    rnd_seed_fixed(uint32_t(p.seed));
    map->set_size(p.w, p.h);
    map->tiles.fill(TILE_GRND);
    grow_blobs(map->tiles, p.pct[0], gen_tiles[0]);
    grow_blobs(map->tiles, p.pct[3], gen_tiles[3]);
    scatter_tile(map->tiles, p.pct[1], gen_tiles[1]);
    scatter_tile(map->tiles, p.pct[2], gen_tiles[2]);
    connect_regions(map);
    map->hdr.env = p.env;
    map->generated = 1;
    rnd_restore();
}

std::vector<pt_t> find_cells(const grid_t<int>& tiles, int tile) {
    return grid_find_cells(tiles, rect{0, 0, tiles.width, tiles.height}, tile);
}

void grow_blobs(grid_t<int>& tiles, int pct, int tile) {
    if (pct <= 0) return;
    const long long goal = (long long)tiles.width * tiles.height * pct / 100;
    long long placed = 0;
    while (placed < goal) {
        const std::vector<pt_t> cands = find_cells(tiles, TILE_GRND);
        if (cands.empty()) return;
        const int chance = (rnd_rand() % 4 + 1) * 50;
        const pt_t start = cands.size() >= 2 ? cands[size_t(rnd_rand()) % cands.size()] : cands[0];
        placed += spread_tile(tiles, start, chance, tile);
    }
}

int spread_tile(grid_t<int>& tiles, const pt_t& p, int chance, int tile) {
    if (!tiles.in(p.x, p.y) || tiles.at(p.x, p.y) != TILE_GRND) return 0;
    tiles.at(p.x, p.y) = tile;
    int count = 1;
    // Right, left, down, up; the chance halves with each ring, so the depth stays small.
    static constexpr pt_t nbs[4] = {{1, 0}, {-1, 0}, {0, 1}, {0, -1}};
    for (const pt_t& d : nbs)
        if (rnd_rand() % 100 < chance) count += spread_tile(tiles, {p.x + d.x, p.y + d.y}, chance / 2, tile);
    return count;
}

void scatter_tile(grid_t<int>& tiles, int pct, int tile) {
    if (pct <= 0) return;
    for (int y = 0; y < tiles.height; ++y)
        for (int x = 0; x < tiles.width; ++x)
            if (tiles.at(x, y) == TILE_GRND && rnd_rand() % 100 <= pct) tiles.at(x, y) = tile;
}

bool closest_pair(const grid_t<int>& g, pt_t* a, pt_t* b) {
    long long best = -1;
    for (int ay = 0; ay < g.height; ++ay)
        for (int ax = 0; ax < g.width; ++ax) {
            const int la = g.at(ax, ay);
            if (la < 2) continue;
            // Rows farther than the best distance so far cannot hold a strictly
            // closer b; skipping them leaves the scan's answer as it is.
            for (int by = 0; by < g.height; ++by) {
                const long long dy = by - ay;
                if (best >= 0 && dy * dy >= best) continue;
                for (int bx = 0; bx < g.width; ++bx) {
                    const int lb = g.at(bx, by);
                    if (lb < 2 || lb == la) continue;
                    const long long dx = bx - ax, d = dx * dx + dy * dy;
                    if (best < 0 || d < best) best = d, *a = {ax, ay}, *b = {bx, by};
                }
            }
        }
    return best >= 0;
}

namespace {
void open_cell(tmap_t* map, grid_t<int>& g, const pt_t& p, int label) {
    map->tiles.at(p.x, p.y) = TILE_GRND;
    g.at(p.x, p.y) = label;
}

void relabel(grid_t<int>& g, int from, int to) {
    for (auto& row : g.rows)
        for (int& c : row)
            if (c == from) c = to;
}

void cut_corridor(tmap_t* map, grid_t<int>& g, const pt_t& a, const pt_t& b) {
    const int la = g.at(a.x, a.y), lb = g.at(b.x, b.y);
    for (pt_t cur = a;;) {
        const pt_t next{cur.x + sign(b.x - cur.x), cur.y + sign(b.y - cur.y)};
        if (next.x != cur.x && next.y != cur.y) {
            // A diagonal step opens a side cell, so the corridor joins through edges.
            const int r = rnd_rand() % 3;
            if (r != 1) open_cell(map, g, {cur.x, next.y}, la);
            if (r != 0) open_cell(map, g, {next.x, cur.y}, la);
        }
        if (next == b) break;
        open_cell(map, g, next, la);
        cur = next;
    }
    // The whole joined region takes a's label after every corridor, even one
    // that opened nothing, so the next pair is always a new one.
    relabel(g, lb, la);
}
}  // namespace

void connect_regions(tmap_t* map) {
    grid_t<int> g;
    get_passable_grid(*map, &g);
    label_regions(g);
    // Joined whenever more than one region exists, whichever was found first.
    pt_t a, b;
    while (closest_pair(g, &a, &b)) cut_corridor(map, g, a, b);
}
