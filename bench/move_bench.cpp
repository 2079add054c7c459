// Unit movement: the search grid prepared for one unit among forty, its move
// range, and a generated map. Run from a Release build: build/rel/bench/move_bench
#include <benchmark/benchmark.h>

#include <memory>
#include <vector>

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/deploy.h"
#include "battle/fog.h"
#include "battle/map_gen.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/tmap.h"
#include "rules/pwr.h"
#include "rules/unit.h"

namespace {

// Forty units deployed on a generated 20 x 20 map, fog of war computed.
struct crowd_t {
    tmap_t map;
    std::vector<std::unique_ptr<unit_t>> units;

    crowd_t() {
        build_pwrs();
        reset_btl();
        rnd_srand(31);
        gen_rnd_map(&map, 3, 4242, 20, 20);
        btl().map = &map;
        std::vector<unit_t*> sides[2];
        for (int i = 0; i < 40; ++i) {
            units.push_back(std::make_unique<unit_t>());
            unit_t* u = units.back().get();
            u->hp = 10;
            u->drv.spd = 6;
            u->btl.side = i % 2 ? SIDE_FOES : SIDE_PLAYER;
            sides[i % 2].push_back(u);
        }
        build_roster(sides[0], sides[1]);
        deploy_groups(sides[0], sides[1]);
        init_fog();
    }
    ~crowd_t() {
        reset_btl();
        free_pwrs();
    }
};

void BM_mark_search_grid_1_of_40(benchmark::State& st) {
    crowd_t c;
    unit_t* u = c.units[0].get();
    for (auto _ : st) {
        mark_search_grid(u, SF_WALK);
        benchmark::DoNotOptimize(c.map.search_grid.nodes[0].pass);
    }
}
BENCHMARK(BM_mark_search_grid_1_of_40);

void BM_get_move_range_1_of_40(benchmark::State& st) {
    crowd_t c;
    unit_t* u = c.units[0].get();
    move_range_t r;
    for (auto _ : st) {
        get_move_range(u, &r);
        benchmark::DoNotOptimize(r.stop_pts.data());
    }
    st.counters["stop_cells"] = double(r.stop_pts.size());
}
BENCHMARK(BM_get_move_range_1_of_40);

void BM_find_unit_path_1_of_40(benchmark::State& st) {
    crowd_t c;
    unit_t* u = c.units[0].get();
    const pt_t to = c.units[1]->pos;
    std::vector<pt_t> path;
    for (auto _ : st) {
        find_unit_path(u, to, &path);
        benchmark::DoNotOptimize(path.data());
    }
}
BENCHMARK(BM_find_unit_path_1_of_40);

void BM_gen_rnd_map(benchmark::State& st) {
    tmap_t m;
    rnd_srand(1);
    for (auto _ : st) {
        gen_rnd_map(&m, ROLL_IT, ROLL_IT, ROLL_IT, ROLL_IT);
        benchmark::DoNotOptimize(m.tiles.rows.data());
    }
}
BENCHMARK(BM_gen_rnd_map);

}  // namespace
