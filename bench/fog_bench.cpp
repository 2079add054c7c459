// Fog of war: one unit's shadowcasting and the side grids of a crowded battle.
// Run from a Release build: build/rel/bench/fog_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/map_gen.h"
#include "battle/roster.h"
#include "battle/tmap.h"
#include "rules/unit.h"

namespace {

// A w x h map of ground with about one cell in eight a wall, from a fixed seed.
void scatter_walls(tmap_t& m, int w, int h) {
    m.set_size(w, h);
    rnd_srand(12345);
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) m.tiles.at(x, y) = rnd_rand() % 8 == 0 ? 2 : 1;
}

void BM_cast_view_r5_64x64(benchmark::State& st) {
    reset_btl();
    tmap_t m;
    scatter_walls(m, 64, 64);
    btl().map = &m;
    grid_t<int> g;
    g.resize(64, 64);
    int i = 0;
    for (auto _ : st) {
        const pt_t o{8 + (i * 7) % 48, 8 + (i * 13) % 48};
        cast_view(&g, blocks_sight, o, SIGHT_RADIUS, true);
        benchmark::DoNotOptimize(g.rows[size_t(o.y)][size_t(o.x)]);
        ++i;
    }
    reset_btl();
}
BENCHMARK(BM_cast_view_r5_64x64);

void BM_recalc_side_views_50_units_20x20(benchmark::State& st) {
    reset_btl();
    tmap_t m;
    rnd_srand(7);
    gen_rnd_map(&m, 1, 777, 20, 20);
    btl().map = &m;
    std::vector<std::unique_ptr<unit_t>> units;
    for (int i = 0; i < 50; ++i) {
        units.push_back(std::make_unique<unit_t>());
        unit_t* u = units.back().get();
        u->hp = 10;
        u->btl.side = i % 2 ? SIDE_FOES : SIDE_PLAYER;
        u->pos = {i % 20, (i / 20) * 7 + 2};
        btl().full.push_back(u);
    }
    rebuild_roster();
    init_fog();
    for (auto _ : st) {
        recalc_side_views();
        benchmark::DoNotOptimize(btl().visible[SIDE_PLAYER].rows[0][0]);
    }
    // The whole upkeep of one step: the mover's sight, then every side grid.
    reset_btl();
}
BENCHMARK(BM_recalc_side_views_50_units_20x20);

}  // namespace
