// The battle map's searches and cover test, timed side by side with a
// reference: Boost.Graph's astar_search on a graph of the very same steps
// (same prices, same corner rule, straight-line estimate). Run from a Release
// build: build/rel/bench/pf_bench
#include <benchmark/benchmark.h>

#include <boost/graph/adjacency_list.hpp>
#include <boost/graph/astar_search.hpp>
#include <cmath>
#include <map>
#include <string>
#include <vector>

#include "app/rnd.h"
#include "battle/cover.h"
#include "battle/tmap.h"

namespace {

enum map_kind_t { OPEN, CLUTTERED, MAZE };
const char* const kind_names[] = {"open", "cluttered", "maze"};

// A perfect maze: passages on odd cells, carved by a depth-first walk.
void carve_maze(tmap_t& m) {
    const int w = m.get_w(), h = m.get_h();
    for (auto& row : m.tiles.rows) std::fill(row.begin(), row.end(), 2);
    std::vector<pt_t> stack{{1, 1}};
    m.tiles.at(1, 1) = 1;
    const pt_t dirs[4] = {{0, -2}, {0, 2}, {-2, 0}, {2, 0}};
    while (!stack.empty()) {
        const pt_t p = stack.back();
        std::vector<pt_t> open;
        for (const pt_t& d : dirs) {
            const pt_t q{p.x + d.x, p.y + d.y};
            if (q.x > 0 && q.y > 0 && q.x < w - 1 && q.y < h - 1 && m.tiles.at(q.x, q.y) == 2) open.push_back(q);
        }
        if (open.empty()) {
            stack.pop_back();
            continue;
        }
        const pt_t q = open[rnd_below(uint32_t(open.size()))];
        m.tiles.at((p.x + q.x) / 2, (p.y + q.y) / 2) = 1;
        m.tiles.at(q.x, q.y) = 1;
        stack.push_back(q);
    }
}

struct bench_map_t {
    tmap_t m;
    std::vector<std::pair<pt_t, pt_t>> queries;  // reachable pairs, far apart
    using graph_t = boost::adjacency_list<boost::vecS, boost::vecS, boost::directedS, boost::no_property,
                                          boost::property<boost::edge_weight_t, double>>;
    graph_t graph;

    // The vertex count goes to the graph's constructor: assigning a graph copies it.
    bench_map_t(map_kind_t kind, int n) : graph(size_t(n) * size_t(n)) {
        rnd_srand(uint32_t(kind * 1000 + n));
        m.set_size(n, n);
        for (auto& row : m.tiles.rows)
            for (int& t : row) t = kind == CLUTTERED && rnd_below(100) < 20 ? 2 : 1;
        if (kind == MAZE) carve_maze(m);
        pf::load_pass(m, m.search_grid, 1);
        pf::build_edges(m.search_grid);
        pf::load_pass(m, m.pass_grid, 2);
        for (int y = 0; y < n; ++y)
            for (int x = 0; x < n; ++x)
                for (const pf::edge_t& e : pf::edges_of(m.search_grid, {x, y}))
                    boost::add_edge(size_t(y * n + x), size_t(e.to.y * n + e.to.x), e.cost, graph);
        pick_queries(n);
    }

    void pick_queries(int n) {
        while (queries.size() < 16) {
            const pt_t a{int(rnd_below(uint32_t(n))), int(rnd_below(uint32_t(n)))};
            const pt_t b{int(rnd_below(uint32_t(n))), int(rnd_below(uint32_t(n)))};
            if (std::abs(a.x - b.x) + std::abs(a.y - b.y) < n / 2) continue;
            if (pf::find_path(m.search_grid, a, b, nullptr, nullptr, nullptr)) queries.push_back({a, b});
        }
    }
};

bench_map_t& bench_map(map_kind_t kind, int n) {
    static std::map<std::pair<int, int>, std::unique_ptr<bench_map_t>> maps;
    auto& p = maps[{kind, n}];
    if (!p) p = std::make_unique<bench_map_t>(kind, n);
    return *p;
}

// ---- the reference: Boost's A*, stopped at the goal as its documentation does ----

struct found_goal_t {};

struct goal_visitor_t : boost::default_astar_visitor {
    size_t goal;
    template <class G>
    void examine_vertex(size_t u, const G&) {
        if (u == goal) throw found_goal_t{};
    }
};

struct distance_t : boost::astar_heuristic<bench_map_t::graph_t, double> {
    int w;
    pt_t goal;
    double operator()(size_t v) const {
        const double dx = double(int(v) % w - goal.x), dy = double(int(v) / w - goal.y);
        return std::sqrt(dx * dx + dy * dy);
    }
};

double ref_path(bench_map_t& bm, const pt_t& a, const pt_t& b, std::vector<pt_t>& path) {
    const int w = bm.m.get_w();
    const size_t n = boost::num_vertices(bm.graph), s = size_t(a.y * w + a.x), t = size_t(b.y * w + b.x);
    std::vector<size_t> pred(n);
    std::vector<double> dist(n);
    try {
        boost::astar_search(bm.graph, s, distance_t{{}, w, b},
                            boost::predecessor_map(pred.data()).distance_map(dist.data()).visitor(goal_visitor_t{{}, t}));
    } catch (const found_goal_t&) {
        path.clear();
        for (size_t v = t; v != s; v = pred[v]) path.push_back({int(v) % w, int(v) / w});
        std::reverse(path.begin(), path.end());
        return dist[t];
    }
    return -1;
}

void bm_find_path(benchmark::State& state, map_kind_t kind, int n) {
    bench_map_t& bm = bench_map(kind, n);
    std::vector<pt_t> path;
    double cost = 0;
    for (auto _ : state)
        for (const auto& [a, b] : bm.queries) {
            pf::find_path(bm.m.search_grid, a, b, &path, nullptr, &cost);
            benchmark::DoNotOptimize(cost);
        }
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(bm.queries.size()));
}

void bm_ref_astar(benchmark::State& state, map_kind_t kind, int n) {
    bench_map_t& bm = bench_map(kind, n);
    std::vector<pt_t> path;
    for (const auto& [a, b] : bm.queries) {
        double cost = 0;
        pf::find_path(bm.m.search_grid, a, b, nullptr, nullptr, &cost);
        // Both must find equally cheap paths, or the race means nothing.
        if (std::fabs(ref_path(bm, a, b, path) - cost) > 1e-9) {
            state.SkipWithError("the reference found another cost");
            return;
        }
    }
    for (auto _ : state)
        for (const auto& [a, b] : bm.queries) benchmark::DoNotOptimize(ref_path(bm, a, b, path));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(bm.queries.size()));
}

void bm_get_range(benchmark::State& state, int budget) {
    bench_map_t& bm = bench_map(CLUTTERED, 128);
    move_range_t r;
    for (auto _ : state)
        for (const auto& q : bm.queries) benchmark::DoNotOptimize(pf::get_range(bm.m.search_grid, q.first, budget, &r));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(bm.queries.size()));
}

void bm_cover(benchmark::State& state, bool mixed) {
    bench_map_t& bm = bench_map(CLUTTERED, 20);
    std::vector<std::pair<pt_t, pt_t>> pairs;
    rnd_srand(7);
    for (int i = 0; i < 256; ++i)
        pairs.push_back({{int(rnd_below(20)), int(rnd_below(20))}, {int(rnd_below(20)), int(rnd_below(20))}});
    for (auto _ : state)
        for (const auto& [a, b] : pairs) benchmark::DoNotOptimize(cover_level(bm.m.pass_grid, a.x, a.y, b.x, b.y, mixed));
    state.SetItemsProcessed(int64_t(state.iterations()) * int64_t(pairs.size()));
}

const bool registered = [] {
    for (int n : {20, 128})
        for (map_kind_t k : {OPEN, CLUTTERED, MAZE}) {
            const std::string tail = std::string("/") + kind_names[k] + "/" + std::to_string(n);
            benchmark::RegisterBenchmark(("find_path" + tail).c_str(), bm_find_path, k, n);
            benchmark::RegisterBenchmark(("boost_astar" + tail).c_str(), bm_ref_astar, k, n);
        }
    for (int budget : {6, 12})
        benchmark::RegisterBenchmark(("get_range/cluttered/128/budget" + std::to_string(budget)).c_str(), bm_get_range, budget);
    benchmark::RegisterBenchmark("cover_level/cluttered/20/best", bm_cover, false);
    benchmark::RegisterBenchmark("cover_level/cluttered/20/mixed", bm_cover, true);
    return true;
}();

}  // namespace
