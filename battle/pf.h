#pragma once
// Path-finding on the battle map's search grid: the shortest path from one cell
// to another and the cells reachable within a movement budget. The grid is made
// once per map size and reused by every search; nodes carry the number of the
// search that last reached them instead of being cleared between searches.
#include <cstddef>
#include <cstdint>
#include <vector>

#include "app/sentinels.h"
#include "app/types.h"

class get_pass_t;

// The number of the running shortest-path search, program-wide; it only grows.
extern uint32_t g_search_id;

// The result of the range search; the start cell is in none of the lists.
struct move_range_t {
    std::vector<pt_t> stop_pts;  // reachable cells a unit can end its move on
    std::vector<pt_t> near_pts;  // cells first reached for a cost below 2.0
    std::vector<pt_t> all_pts;   // every reachable cell, pass-only cells included
};

namespace pf {

enum : uint32_t {
    MARK_STOP = 1,       // may be entered, never left (except by the start cell)
    MARK_PASS_ONLY = 2,  // may be crossed, not a place to stop
};

constexpr double NO_STEP = UNLIMITED;  // no such step

struct pass_node_t {
    uint8_t pass = 0;  // pass class 0 to 6; 6 blocks
    uint8_t marks = 0;
};

// One pass record per cell, row by row: the map's grid for target areas and cover.
struct pass_grid_t {
    int width = 0;
    int height = 0;
    std::vector<pass_node_t> cells;

    bool in(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    pass_node_t& at(int x, int y) { return cells[size_t(y) * size_t(width) + size_t(x)]; }
    const pass_node_t& at(int x, int y) const { return cells[size_t(y) * size_t(width) + size_t(x)]; }
};

// One cell of the search grid, 32 bytes so that a 128 x 128 grid stays in a
// core's cache. The cell is the record's place in the grid (node_grid_t::cell),
// and f is g + h: the open heap keeps it beside the node's index.
struct node_t {
    double g = 0;  // best cost from the start so far
    double h = 0;  // straight-line distance to the goal, in cells
    uint32_t stamp = 1;
    int parent = -1;    // index of the node the best path came from
    int heap_slot = 0;  // 0 when not on the open heap
    uint8_t pass = 0;   // pass class 0 to 6; 6 blocks
    uint8_t marks = 0;
    // The steps out of this cell as build_edges left them: bit k stands for the
    // k-th neighbour in edge order (pf::edge_dirs). Stepping into this cell
    // costs the price of in_pass, its class when the edges were built, straight
    // or times the square root of 2 diagonally.
    uint8_t edges = 0;
    uint8_t in_pass = 0;
};

// The neighbours of a cell in edge order: x outer, y inner, the cell skipped.
inline constexpr pt_t edge_dirs[8] = {{-1, -1}, {-1, 0}, {-1, 1}, {0, -1}, {0, 1}, {1, -1}, {1, 0}, {1, 1}};

struct edge_t {
    pt_t to;
    double cost = 0;
};

// The search grid: one node per cell, row by row, and the searches' own storage.
struct node_grid_t {
    int width = 0;
    int height = 0;
    std::vector<node_t> nodes;

    struct heap_ent_t {
        double f;
        int node;
    };
    std::vector<heap_ent_t> heap;  // slot 0 is a placeholder; room for every cell

    // The range search's marks: a cell is finished in the running range search
    // when done equals range_id, and in the next ring when ring equals ring_id.
    struct ring_mark_t {
        uint32_t done = 0;
        uint32_t ring = 0;
        int slot = 0;
    };
    std::vector<ring_mark_t> ring_marks;
    uint32_t range_id = 0;
    uint32_t ring_id = 0;
    struct ring_ent_t {
        pt_t p;
        double cost;
    };
    std::vector<ring_ent_t> rings[2];  // the frontier and the next ring

    bool in(int x, int y) const { return x >= 0 && y >= 0 && x < width && y < height; }
    int index(int x, int y) const { return y * width + x; }
    pt_t cell(int index) const { return {index % width, index / width}; }
    node_t& at(int x, int y) { return nodes[size_t(index(x, y))]; }
    const node_t& at(int x, int y) const { return nodes[size_t(index(x, y))]; }
};

// w x h fresh nodes (each knowing its cell, stamp 1, no edges); the grid's
// storage is reserved here, once per map size.
void set_grid_size(node_grid_t& g, int w, int h);
void set_grid_size(pass_grid_t& g, int w, int h);
// Fresh nodes at the grid's present size.
void reset_grid(node_grid_t& g);

// Pass classes from the map's first layer (layer 1) or second; marks cleared.
void load_pass(const get_pass_t& map, node_grid_t& g, int layer);
void load_pass(const get_pass_t& map, pass_grid_t& g, int layer);

// The price of one step from a to the adjacent cell b; NO_STEP when none.
double step_cost(const node_grid_t& g, const pt_t& a, const pt_t& b);
// Rebuilds every node's steps from the present pass classes.
void build_edges(node_grid_t& g);
// The steps out of a cell as build_edges left them, in edge order.
std::vector<edge_t> edges_of(const node_grid_t& g, const pt_t& p);

// Shortest path by the prepared edges. Each output may be null; on failure
// they are left as they were. pts gets the cells after the start, costs the
// cost reached at each, cost the total.
bool find_path(node_grid_t& g, const pt_t& from, const pt_t& to, std::vector<pt_t>* pts, std::vector<double>* costs,
               double* cost);

// The cells reachable within budget plain steps, ring by ring of equal step
// count; returns the number of stopping cells. Reads pass classes and marks,
// not the edges.
int get_range(node_grid_t& g, const pt_t& from, int budget, move_range_t* out);

}  // namespace pf
