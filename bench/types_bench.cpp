#include "app/types.h"

#include <benchmark/benchmark.h>

static void BM_GridResize(benchmark::State& state) {
    for (auto _ : state) {
        grid_t<int> g;
        g.resize(64, 64, 1);
        benchmark::DoNotOptimize(g.rows.data());
    }
}
BENCHMARK(BM_GridResize);
