#include "battle/pf.h"

#include <algorithm>
#include <bit>
#include <cassert>
#include <cfloat>
#include <cmath>

#include "battle/get_pass.h"
#include "battle/terrain.h"

uint32_t g_search_id = 1;

namespace pf {

namespace {

static_assert(sizeof(node_t) == 32, "the search keeps a node in half a cache line");

// Bits of the diagonal steps in edge order: 0, 2, 5 and 7.
constexpr uint32_t DIAG_EDGES = 0xA5;

bool is_no_step(double s) { return std::fabs(s - NO_STEP) <= DBL_EPSILON; }

double straight_cost(int pass) { return pass_cost(pass) / 10.0; }
double diag_cost(int pass) { return pass_cost(pass) / 10.0 * std::sqrt(2.0); }

// Step prices by class, [0] straight and [1] diagonal, computed as step_cost does.
struct step_prices_t {
    double p[2][PASS_COUNT];
    step_prices_t() {
        for (int c = 0; c < PASS_COUNT; ++c) p[0][c] = straight_cost(c), p[1][c] = diag_cost(c);
    }
};
const step_prices_t step_prices;

template <class G>
void load_layer(const get_pass_t& map, G& g, int layer) {
    assert(map.get_w() == g.width && map.get_h() == g.height && "grid and map differ in size");
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            auto& n = g.at(x, y);
            const int pass = layer == 1 ? map.get_pass1(x, y) : map.get_pass2(x, y);
            assert(pass >= 0 && pass < PASS_COUNT && "pass class outside the table");
            n.pass = uint8_t(pass);
            n.marks = 0;
        }
}

// ---- open heap: slot 0 a placeholder, strict comparisons so equal keys never move ----

void place(node_grid_t& g, int slot, const node_grid_t::heap_ent_t& e) {
    g.heap[size_t(slot)] = e;
    g.nodes[size_t(e.node)].heap_slot = slot;
}

void sift_up(node_grid_t& g, int i) {
    const node_grid_t::heap_ent_t e = g.heap[size_t(i)];
    while (i > 1 && g.heap[size_t(i / 2)].f > e.f) {
        place(g, i, g.heap[size_t(i / 2)]);
        i /= 2;
    }
    place(g, i, e);
}

void sift_down(node_grid_t& g, int i) {
    node_grid_t::heap_ent_t* h = g.heap.data();
    const int n = int(g.heap.size());
    const node_grid_t::heap_ent_t e = h[i];
    for (int c = 2 * i; c < n; c = 2 * i) {
        // The right child only when the left one's key is strictly greater;
        // written as arithmetic, as the comparison is a coin toss to the branch predictor.
        if (c + 1 < n) c += int(h[c].f > h[c + 1].f);
        if (!(e.f > h[c].f)) break;
        place(g, i, h[c]);
        i = c;
    }
    place(g, i, e);
}

void heap_push(node_grid_t& g, int node) {
    const node_t& n = g.nodes[size_t(node)];
    g.heap.push_back({n.g + n.h, node});
    sift_up(g, int(g.heap.size()) - 1);
}

int heap_pop(node_grid_t& g) {
    const int top = g.heap[1].node;
    g.nodes[size_t(top)].heap_slot = 0;
    const node_grid_t::heap_ent_t last = g.heap.back();
    g.heap.pop_back();
    if (g.heap.size() > 1) {
        place(g, 1, last);
        if (g.heap.size() > 2) sift_down(g, 1);
    }
    return top;
}

// The node's f fell. The node sits in one slot only, so its kept slot is the
// one a scan from slot 1 would find.
void heap_update(node_grid_t& g, int node) {
    const int k = g.nodes[size_t(node)].heap_slot;
    g.heap[size_t(k)].f = g.nodes[size_t(node)].g + g.nodes[size_t(node)].h;
    if (k > 1 && g.heap[size_t(k / 2)].f > g.heap[size_t(k)].f)
        sift_up(g, k);
    else
        sift_down(g, k);
}

// ---- shortest path ----

// Relaxes the steps out of cur, in edge order.
void expand(node_grid_t& g, int cur, const int (&offs)[8], const pt_t& goal) {
    node_t* nodes = g.nodes.data();
    const node_t& c = nodes[cur];
    const double cg = c.g;
    const pt_t cp = g.cell(cur);
    const uint32_t id = g_search_id;  // read once: the stamps written below could alias it
    for (uint32_t m = c.edges; m; m &= m - 1) {
        const int k = std::countr_zero(m);
        const int ni = cur + offs[k];
        node_t& n = nodes[ni];
        const double g2 = cg + step_prices.p[DIAG_EDGES >> k & 1][n.in_pass];
        if (n.stamp != id) {
            const double dx = cp.x + edge_dirs[k].x - goal.x, dy = cp.y + edge_dirs[k].y - goal.y;
            n.parent = cur, n.g = g2, n.h = std::sqrt(dx * dx + dy * dy);
            n.stamp = id;
            heap_push(g, ni);
        } else if (n.g > g2) {
            // h stays: the goal is the same, so it would be computed alike.
            n.parent = cur, n.g = g2;
            if (n.heap_slot)
                heap_update(g, ni);
            else
                heap_push(g, ni);
        }
    }
}

void write_path(const node_grid_t& g, int start, int goal, std::vector<pt_t>* pts, std::vector<double>* costs,
                double* cost) {
    int n_steps = 0;
    for (int i = goal; i != start; i = g.nodes[size_t(i)].parent) ++n_steps;
    if (pts) pts->resize(size_t(n_steps));
    if (costs) costs->resize(size_t(n_steps));
    int k = n_steps;
    for (int i = goal; i != start; i = g.nodes[size_t(i)].parent) {
        --k;
        if (pts) (*pts)[size_t(k)] = g.cell(i);
        if (costs) (*costs)[size_t(k)] = g.nodes[size_t(i)].g;
    }
    if (cost) *cost = g.nodes[size_t(goal)].g;
}

// ---- range search ----

void next_range_id(node_grid_t& g) {
    if (++g.range_id == 0) {
        for (auto& m : g.ring_marks) m.done = 0;
        g.range_id = 1;
    }
}

void next_ring_id(node_grid_t& g) {
    if (++g.ring_id == 0) {
        for (auto& m : g.ring_marks) m.ring = 0;
        g.ring_id = 1;
    }
}

// Step 3 for one frontier cell p: its neighbours into the next ring.
void reach_from(node_grid_t& g, const node_grid_t::ring_ent_t& e, int budget, std::vector<node_grid_t::ring_ent_t>& next,
                move_range_t* out) {
    for (const pt_t& d : edge_dirs) {
        const pt_t q{e.p.x + d.x, e.p.y + d.y};
        if (!g.in(q.x, q.y)) continue;
        node_grid_t::ring_mark_t& m = g.ring_marks[size_t(g.index(q.x, q.y))];
        if (m.done == g.range_id) continue;
        const double s = step_cost(g, e.p, q);
        if (is_no_step(s)) continue;
        const double t = e.cost + s;
        if (t - budget > DBL_EPSILON) continue;
        if (m.ring != g.ring_id) {
            m.ring = g.ring_id, m.slot = int(next.size());
            next.push_back({q, t});
            if (t < 2.0) out->near_pts.push_back(q);
        } else if (next[size_t(m.slot)].cost - t > DBL_EPSILON) {
            next[size_t(m.slot)].cost = t;
        }
    }
}

}  // namespace

void set_grid_size(node_grid_t& g, int w, int h) {
    w = std::max(w, 0), h = std::max(h, 0);
    g.width = w, g.height = h;
    g.nodes.assign(size_t(w) * size_t(h), node_t{});
    g.heap.clear();
    g.heap.reserve(size_t(w) * size_t(h) + 1);
    g.ring_marks.assign(g.nodes.size(), {});
    g.range_id = g.ring_id = 0;
}

void set_grid_size(pass_grid_t& g, int w, int h) {
    w = std::max(w, 0), h = std::max(h, 0);
    g.width = w, g.height = h;
    g.cells.assign(size_t(w) * size_t(h), pass_node_t{});
}

void reset_grid(node_grid_t& g) { set_grid_size(g, g.width, g.height); }

void load_pass(const get_pass_t& map, node_grid_t& g, int layer) { load_layer(map, g, layer); }
void load_pass(const get_pass_t& map, pass_grid_t& g, int layer) { load_layer(map, g, layer); }

double step_cost(const node_grid_t& g, const pt_t& a, const pt_t& b) {
    assert(g.in(a.x, a.y) && g.in(b.x, b.y) && "step outside the grid");
    const int pb = g.at(b.x, b.y).pass;
    if (pb == PASS_BLOCK) return NO_STEP;
    if (a.x == b.x || a.y == b.y) return straight_cost(pb);
    // No cutting past a blocking corner.
    if (g.at(a.x, b.y).pass == PASS_BLOCK || g.at(b.x, a.y).pass == PASS_BLOCK) return NO_STEP;
    return diag_cost(pb);
}

void build_edges(node_grid_t& g) {
    for (node_t& n : g.nodes) n.in_pass = n.pass;
    for (int y = 0; y < g.height; ++y)
        for (int x = 0; x < g.width; ++x) {
            uint8_t mask = 0;
            for (int k = 0; k < 8; ++k) {
                const pt_t b{x + edge_dirs[k].x, y + edge_dirs[k].y};
                if (g.in(b.x, b.y) && !is_no_step(step_cost(g, {x, y}, b))) mask = uint8_t(mask | (1u << k));
            }
            g.at(x, y).edges = mask;
        }
}

std::vector<edge_t> edges_of(const node_grid_t& g, const pt_t& p) {
    std::vector<edge_t> out;
    const node_t& a = g.at(p.x, p.y);
    for (int k = 0; k < 8; ++k) {
        if (!(a.edges >> k & 1)) continue;
        const pt_t b{p.x + edge_dirs[k].x, p.y + edge_dirs[k].y};
        const node_t& n = g.at(b.x, b.y);
        out.push_back({b, step_prices.p[DIAG_EDGES >> k & 1][n.in_pass]});
    }
    return out;
}

bool find_path(node_grid_t& g, const pt_t& from, const pt_t& to, std::vector<pt_t>* pts, std::vector<double>* costs,
               double* cost) {
    assert(g.in(from.x, from.y) && g.in(to.x, to.y) && "path search outside the grid");
    // Slots left by an earlier search are never read: a node's slot counts only
    // once this search has stamped it, and stamping pushes it.
    g.heap.resize(1);
    if (from == to) {
        if (pts) pts->clear();
        if (costs) costs->clear();
        if (cost) *cost = 0;
        return true;
    }
    const int start = g.index(from.x, from.y), goal = g.index(to.x, to.y);
    int offs[8];
    for (int k = 0; k < 8; ++k) offs[k] = edge_dirs[k].y * g.width + edge_dirs[k].x;
    g.nodes[size_t(start)].g = 0;
    g.nodes[size_t(start)].stamp = ++g_search_id;
    for (int cur = start; cur != goal;) {
        if (cur == start || !(g.nodes[size_t(cur)].marks & MARK_STOP)) expand(g, cur, offs, to);
        if (g.heap.size() <= 1) return false;
        cur = heap_pop(g);
    }
    write_path(g, start, goal, pts, costs, cost);
    return true;
}

int get_range(node_grid_t& g, const pt_t& from, int budget, move_range_t* out) {
    assert(g.in(from.x, from.y) && "range search outside the grid");
    out->stop_pts.clear(), out->near_pts.clear(), out->all_pts.clear();
    next_range_id(g);
    std::vector<node_grid_t::ring_ent_t>* cur = &g.rings[0];
    std::vector<node_grid_t::ring_ent_t>* next = &g.rings[1];
    cur->assign(1, {from, 0.0});
    int count = 0;
    for (;;) {
        for (const auto& e : *cur) g.ring_marks[size_t(g.index(e.p.x, e.p.y))].done = g.range_id;
        next->clear();
        next_ring_id(g);
        for (const auto& e : *cur)
            if (e.p == from || !(g.at(e.p.x, e.p.y).marks & MARK_STOP)) reach_from(g, e, budget, *next, out);
        if (next->empty()) break;
        // A ring is walked and listed in key order, x then y.
        std::sort(next->begin(), next->end(), [](const auto& a, const auto& b) { return a.p < b.p; });
        for (const auto& e : *next) {
            out->all_pts.push_back(e.p);
            if (!(g.at(e.p.x, e.p.y).marks & MARK_PASS_ONLY)) ++count, out->stop_pts.push_back(e.p);
        }
        std::swap(cur, next);
    }
    return count;
}

}  // namespace pf
