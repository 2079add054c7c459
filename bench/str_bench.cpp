#include "app/rnd.h"
#include "app/str.h"

#include <benchmark/benchmark.h>

// Battle log lines are formatted many times a turn.
static void BM_FormatLogLine(benchmark::State& state) {
    const Str name(L"哥布林战士");
    for (auto _ : state) {
        Str s(L"<c=#%08x>%+d</c>\t%s 命中 %d 点\n", 0xFF2ECC71u, 3, name, 17);
        benchmark::DoNotOptimize(s.buf);
    }
}
BENCHMARK(BM_FormatLogLine);

static void BM_NumToStrGrouped(benchmark::State& state) {
    double v = 1234567.25;
    for (auto _ : state) {
        Str s = num_to_str(v, NUM_GROUPED);
        benchmark::DoNotOptimize(s.buf);
    }
}
BENCHMARK(BM_NumToStrGrouped);

static void BM_RndShuffle(benchmark::State& state) {
    std::vector<int> v;
    for (auto _ : state) {
        v.clear();
        shuffled_range(&v, 1, 200);
        benchmark::DoNotOptimize(v.data());
    }
}
BENCHMARK(BM_RndShuffle);
