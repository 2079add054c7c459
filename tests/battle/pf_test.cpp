#include "battle/pf.h"

#include <gtest/gtest.h>

#include <cmath>
#include <map>
#include <memory>
#include <set>
#include <tuple>

#include "app/rnd.h"
#include "battle/map_art.h"

namespace {

// ---- the searches written out literally, node records with pointers, edge
// lists, a heap updated by a scan, maps keyed by cell: the grid's compact
// storage must choose exactly the same paths and rings ----
namespace lit {

constexpr int costs[7] = {0, 5, 10, 20, 30, 50, UNLIMITED};
constexpr double eps = 2.220446049250313e-16;

struct node_t {
    int pass = 0, marks = 0, x = 0, y = 0;
    double g = 0, h = 0, f = 0;
    node_t* parent = nullptr;
    uint32_t stamp = 1;
    std::vector<std::pair<node_t*, double>> edges;
};

struct grid_t {
    int w = 0, h = 0;
    std::vector<std::unique_ptr<node_t>> cells;
    uint32_t search_id = 1;
    node_t* at(int x, int y) { return cells[size_t(y * w + x)].get(); }
};

double step(grid_t& g, pt_t a, pt_t b) {
    node_t* n = g.at(b.x, b.y);
    if (n->pass == 6) return pf::NO_STEP;
    if (a.x == b.x || a.y == b.y) return costs[n->pass] / 10.0;
    if (g.at(a.x, b.y)->pass == 6 || g.at(b.x, a.y)->pass == 6) return pf::NO_STEP;
    return costs[n->pass] / 10.0 * std::sqrt(2.0);
}

void build(grid_t& g) {
    for (int y = 0; y < g.h; ++y)
        for (int x = 0; x < g.w; ++x) {
            node_t* n = g.at(x, y);
            n->edges.clear();
            for (int nx = std::max(x - 1, 0); nx <= std::min(g.w - 1, x + 1); ++nx)
                for (int ny = std::max(y - 1, 0); ny <= std::min(g.h - 1, y + 1); ++ny) {
                    if (nx == x && ny == y) continue;
                    const double c = step(g, {x, y}, {nx, ny});
                    if (std::fabs(c - pf::NO_STEP) > eps) n->edges.push_back({g.at(nx, ny), c});
                }
        }
}

void sift_up(std::vector<node_t*>& hp, size_t i) {
    while (i > 1 && hp[i / 2]->f > hp[i]->f) std::swap(hp[i / 2], hp[i]), i /= 2;
}
void sift_down(std::vector<node_t*>& hp, size_t i) {
    while (2 * i < hp.size()) {
        size_t c = 2 * i;
        if (c + 1 < hp.size() && hp[c]->f > hp[c + 1]->f) ++c;
        if (!(hp[i]->f > hp[c]->f)) break;
        std::swap(hp[i], hp[c]), i = c;
    }
}

bool find(grid_t& g, pt_t from, pt_t to, std::vector<pt_t>* pts, std::vector<double>* cs, double* cost) {
    std::vector<node_t*> hp{nullptr};
    node_t *start = g.at(from.x, from.y), *goal = g.at(to.x, to.y);
    if (from == to) return pts->clear(), cs->clear(), *cost = 0, true;
    start->g = 0, start->stamp = ++g.search_id;
    for (node_t* cur = start; cur != goal;) {
        if (cur == start || !(cur->marks & 1))
            for (auto [n, w] : cur->edges) {
                const double g2 = cur->g + w, dx = n->x - to.x, dy = n->y - to.y, h = std::sqrt(dx * dx + dy * dy);
                if (n->stamp != g.search_id) {
                    n->parent = cur, n->g = g2, n->h = h, n->f = g2 + h, n->stamp = g.search_id;
                    hp.push_back(n), sift_up(hp, hp.size() - 1);
                } else if (n->g > g2) {
                    n->parent = cur, n->g = g2, n->h = h, n->f = g2 + h;
                    size_t k = 1;
                    while (k < hp.size() && hp[k] != n) ++k;
                    if (k == hp.size()) {
                        hp.push_back(n), sift_up(hp, hp.size() - 1);
                    } else if (k > 1 && hp[k / 2]->f > hp[k]->f) {
                        sift_up(hp, k);
                    } else {
                        sift_down(hp, k);
                    }
                }
            }
        if (hp.size() == 1) return false;
        cur = hp[1], hp[1] = hp.back(), hp.pop_back();
        if (hp.size() > 2) sift_down(hp, 1);
    }
    pts->clear(), cs->clear();
    for (node_t* n = goal; n != start; n = n->parent) pts->insert(pts->begin(), {n->x, n->y}), cs->insert(cs->begin(), n->g);
    *cost = goal->g;
    return true;
}

int range(grid_t& g, pt_t from, int budget, move_range_t& out) {
    out = {};
    int count = 0;
    std::map<pt_t, double> front[2] = {{{from, 0.0}}, {}};
    std::set<pt_t> done;
    for (int cur = 0, nxt = 1;; std::swap(cur, nxt)) {
        for (auto& [p, c] : front[cur]) done.insert(p);
        front[nxt].clear();
        for (auto& [p, c] : front[cur]) {
            if (!(p == from || !(g.at(p.x, p.y)->marks & 1))) continue;
            for (int nx = std::max(p.x - 1, 0); nx <= std::min(g.w - 1, p.x + 1); ++nx)
                for (int ny = std::max(p.y - 1, 0); ny <= std::min(g.h - 1, p.y + 1); ++ny) {
                    const pt_t q{nx, ny};
                    if (q == p || done.count(q)) continue;
                    const double s = step(g, p, q);
                    if (std::fabs(s - pf::NO_STEP) <= eps) continue;
                    const double t = c + s;
                    if (t - budget > eps) continue;
                    auto it = front[nxt].find(q);
                    if (it == front[nxt].end()) {
                        front[nxt][q] = t;
                        if (t < 2.0) out.near_pts.push_back(q);
                    } else if (it->second - t > eps) {
                        it->second = t;
                    }
                }
        }
        if (front[nxt].empty()) return count;
        for (auto& [q, t] : front[nxt]) {
            out.all_pts.push_back(q);
            if (!(g.at(q.x, q.y)->marks & 2)) ++count, out.stop_pts.push_back(q);
        }
    }
}

}  // namespace lit

// Random classes (roads and class 0 included, so estimates and ties both
// matter) and marks, the same on both grids.
void random_grids(int w, int h, pf::node_grid_t& g, lit::grid_t& lg) {
    constexpr int classes[] = {0, 1, 2, 2, 2, 2, 3, 4, 5, 6, 6};
    pf::set_grid_size(g, w, h);
    lg.w = w, lg.h = h, lg.cells.clear();
    for (int y = 0; y < h; ++y)
        for (int x = 0; x < w; ++x) {
            auto n = std::make_unique<lit::node_t>();
            n->x = x, n->y = y;
            n->pass = classes[rnd_below(std::size(classes))];
            const int r = int(rnd_below(20));
            n->marks = r == 0 ? int(pf::MARK_STOP) : r == 1 ? int(pf::MARK_PASS_ONLY) : 0;
            g.at(x, y).pass = n->pass, g.at(x, y).marks = uint32_t(n->marks);
            lg.cells.push_back(std::move(n));
        }
    pf::build_edges(g);
    lit::build(lg);
}

const std::vector<pt_t> unset{{-7, -7}};

}  // namespace

TEST(PfAgainstLiteral, PathsAndRingsMatchOnRandomMaps) {
    rnd_srand(19);
    for (int map = 0; map < 40; ++map) {
        pf::node_grid_t g;
        lit::grid_t lg;
        random_grids(3 + int(rnd_below(14)), 3 + int(rnd_below(10)), g, lg);
        for (int q = 0; q < 40; ++q) {
            const pt_t a{int(rnd_below(uint32_t(g.width))), int(rnd_below(uint32_t(g.height)))};
            const pt_t b{int(rnd_below(uint32_t(g.width))), int(rnd_below(uint32_t(g.height)))};
            std::vector<pt_t> pts = unset, lpts;
            std::vector<double> cs, lcs;
            double cost = -1, lcost = -1;
            const bool found = pf::find_path(g, a, b, &pts, &cs, &cost);
            ASSERT_EQ(found, lit::find(lg, a, b, &lpts, &lcs, &lcost)) << map << " " << q;
            if (!found) {
                EXPECT_EQ(pts, unset);
                continue;
            }
            ASSERT_EQ(std::tie(pts, cs, cost), std::tie(lpts, lcs, lcost)) << map << " " << q;
            move_range_t r, lr;
            const int budget = int(rnd_below(9));
            ASSERT_EQ(pf::get_range(g, a, budget, &r), lit::range(lg, a, budget, lr));
            ASSERT_EQ(std::tie(r.all_pts, r.stop_pts, r.near_pts), std::tie(lr.all_pts, lr.stop_pts, lr.near_pts));
        }
    }
}

TEST(PfPath, StraightStepsCostOneDiagonalsRootTwoAndCornersAreNotCut) {
    tmap_t m;
    pf::node_grid_t& g = prep_search(m, {
        "...#.",
        "....#",
        "..h..",
    });
    EXPECT_EQ(pf::step_cost(g, {0, 0}, {1, 0}), 1.0);
    EXPECT_EQ(pf::step_cost(g, {0, 0}, {1, 1}), std::sqrt(2.0));
    EXPECT_EQ(pf::step_cost(g, {1, 1}, {2, 2}), 2.0 * std::sqrt(2.0));  // into hard ground
    EXPECT_EQ(pf::step_cost(g, {2, 0}, {3, 0}), pf::NO_STEP);
    // (3, 1) lies between two walls: both end cells are open, the step is not.
    EXPECT_EQ(pf::step_cost(g, {3, 1}, {4, 0}), pf::NO_STEP);
    EXPECT_TRUE(pf::edges_of(g, {4, 0}).empty());
    // One blocking corner is enough.
    EXPECT_EQ(pf::step_cost(g, {2, 0}, {3, 1}), pf::NO_STEP);
    const std::vector<pf::edge_t> e = pf::edges_of(g, {1, 1});
    ASSERT_EQ(e.size(), 8u);
    EXPECT_EQ(e[0].to, (pt_t{0, 0}));  // x outer, y inner
    EXPECT_EQ(std::tuple(e[1].to, e[7].to), std::tuple(pt_t{0, 1}, pt_t{2, 2}));

    std::vector<pt_t> pts;
    std::vector<double> cs;
    double cost = 0;
    ASSERT_TRUE(pf::find_path(g, {0, 0}, {2, 1}, &pts, &cs, &cost));
    EXPECT_EQ(pts, (std::vector<pt_t>{{1, 0}, {2, 1}}));
    EXPECT_EQ(std::tuple(cs, cost), std::tuple(std::vector<double>{1.0, 1.0 + std::sqrt(2.0)}, cs.back()));
    EXPECT_FALSE(pf::find_path(g, {0, 0}, {4, 0}, &pts, &cs, &cost));
}

TEST(PfPath, AWalledInGoalFailsAndLeavesTheOutputs) {
    tmap_t m;
    pf::node_grid_t& g = prep_search(m, {
        ".....",
        "..###",
        "..#.#",
        "..###",
    });
    std::vector<pt_t> pts = unset;
    std::vector<double> cs{4.5};
    double cost = 9;
    EXPECT_FALSE(pf::find_path(g, {0, 0}, {3, 2}, &pts, &cs, &cost));
    EXPECT_EQ(std::tie(pts, cs, cost), std::tuple(unset, std::vector<double>{4.5}, 9.0));
    EXPECT_FALSE(pf::find_path(g, {3, 2}, {0, 0}, nullptr, nullptr, nullptr));
}

TEST(PfPath, SameCellAndRepeatedSearches) {
    tmap_t m;
    pf::node_grid_t& g = prep_search(m, {
        "....",
        ".##.",
        "....",
    });
    std::vector<pt_t> pts = unset;
    std::vector<double> cs{1.0};
    double cost = 5;
    const uint32_t id = g_search_id;
    ASSERT_TRUE(pf::find_path(g, {2, 2}, {2, 2}, &pts, &cs, &cost));
    EXPECT_TRUE(pts.empty());
    EXPECT_TRUE(cs.empty());
    EXPECT_EQ(std::tuple(cost, g_search_id), std::tuple(0, id));
    std::vector<pt_t> first, second;
    ASSERT_TRUE(pf::find_path(g, {0, 1}, {3, 1}, &first, nullptr, &cost));
    ASSERT_TRUE(pf::find_path(g, {0, 1}, {3, 1}, &second, nullptr, nullptr));
    EXPECT_EQ(std::tuple(g_search_id, first), std::tuple(id + 2, second));
    // Round the wall by straight steps: its corners cannot be cut.
    EXPECT_EQ(std::tuple(first, cost), std::tuple(std::vector<pt_t>{{0, 0}, {1, 0}, {2, 0}, {3, 0}, {3, 1}}, 5.0));
}

TEST(PfMarks, StopCellsEndPathsAndRingsPassOnlyCellsAreCrossed) {
    tmap_t m;
    pf::node_grid_t& g = prep_search(m, {
        "#####",
        ".....",
        "#####",
    });
    g.at(1, 1).marks = pf::MARK_STOP;
    std::vector<pt_t> pts;
    EXPECT_TRUE(pf::find_path(g, {0, 1}, {1, 1}, &pts, nullptr, nullptr));
    EXPECT_EQ(pts, (std::vector<pt_t>{{1, 1}}));
    EXPECT_FALSE(pf::find_path(g, {0, 1}, {3, 1}, &pts, nullptr, nullptr));
    EXPECT_TRUE(pf::find_path(g, {1, 1}, {3, 1}, &pts, nullptr, nullptr));  // the start is always left
    move_range_t r;
    EXPECT_EQ(pf::get_range(g, {0, 1}, 4, &r), 1);
    EXPECT_EQ(r.all_pts, (std::vector<pt_t>{{1, 1}}));

    g.at(1, 1).marks = pf::MARK_PASS_ONLY;
    EXPECT_EQ(pf::get_range(g, {0, 1}, 4, &r), 3);
    EXPECT_EQ(r.all_pts, (std::vector<pt_t>{{1, 1}, {2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(r.stop_pts, (std::vector<pt_t>{{2, 1}, {3, 1}, {4, 1}}));
    EXPECT_EQ(r.near_pts, (std::vector<pt_t>{{1, 1}}));
}

TEST(PfRange, BudgetsOneAndTwoOnPlainGround) {
    tmap_t m;
    pf::node_grid_t& g = prep_search(m, open_rows(5, 5));
    move_range_t r;
    r.near_pts = unset;
    EXPECT_EQ(pf::get_range(g, {2, 2}, 1, &r), 4);
    EXPECT_EQ(r.stop_pts, (std::vector<pt_t>{{1, 2}, {2, 1}, {2, 3}, {3, 2}}));  // x, then y
    EXPECT_EQ(r.near_pts.size(), 4u);
    EXPECT_EQ(pf::get_range(g, {2, 2}, 2, &r), 12);
    EXPECT_EQ(r.near_pts.size(), 8u);
    EXPECT_EQ(r.near_pts.front(), (pt_t{1, 1}));  // in the order first reached
    EXPECT_EQ(r.all_pts.size(), 12u);             // the 8 neighbours and 4 cells two straight steps away
    EXPECT_EQ(std::set<pt_t>(r.all_pts.begin() + 8, r.all_pts.end()),
              (std::set<pt_t>{{0, 2}, {2, 0}, {2, 4}, {4, 2}}));
    // Hard ground all around costs 2 a step: a budget of 1 reaches nothing.
    EXPECT_EQ(pf::get_range(prep_search(m, {"hhh", "h.h", "hhh"}), {1, 1}, 1, &r), 0);
    EXPECT_TRUE(r.all_pts.empty() && r.near_pts.empty() && r.stop_pts.empty());
}

TEST(PfBounds, SearchesOutsideTheGridAssertInDebugBuilds) {
    tmap_t m;
    pf::node_grid_t& g = prep_search(m, {"..", ".."});
    move_range_t r;
    EXPECT_DEBUG_DEATH(pf::find_path(g, {0, 0}, {2, 0}, nullptr, nullptr, nullptr), "outside the grid");
    EXPECT_DEBUG_DEATH(pf::get_range(g, {-1, 0}, 3, &r), "outside the grid");
}
