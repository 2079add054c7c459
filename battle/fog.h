#pragma once
// Fog of war: each side sees what its living units see (recursive shadowcasting
// from each unit's cell, radius 5) and keeps every cell it has ever seen in this
// battle as explored. The side grids live in the battle state (battle/btl.h);
// each unit keeps its own sight grid.
#include <functional>

#include "app/types.h"

class unit_t;

constexpr int SIGHT_RADIUS = 5;

// Sizes and clears every side's grids to the battle map, computes the sight of
// every roster unit and merges them.
void init_fog();
// resize: u's sight grid sized to the map and cleared; view: recomputed;
// sides: every side grid rebuilt.
void update_view(unit_t* u, bool view, bool sides, bool resize);
// The visible grids from the roster's sight grids; the explored grids grow.
void recalc_side_views();
// Each cell of dst that holds 0 takes src's value; the common part of both grids.
void merge_grid(grid_t<int>* dst, const grid_t<int>& src);
// u's sight grid, and the spotted marks that follow from it.
void calc_unit_view(unit_t* u);
// Recursive shadowcasting into out (which gives the map's size): 1 where seen
// from origin within radius (0: the whole map). With light_walls the blocking
// cells that bound the view are seen too. Slopes are single precision.
void cast_view(grid_t<int>* out, const std::function<bool(const pt_t&)>& blocks, const pt_t& origin, int radius,
               bool light_walls);
// The battle map's second pass class at p is 6.
bool blocks_sight(const pt_t& p);

// Cells outside the map and sides outside 0..3 are neither visible nor explored.
bool is_pt_visible_to_side(const pt_t& p, int side);
bool is_pt_visible_for(const pt_t& p, const unit_t* u);
bool is_pt_visible(const pt_t& p);  // to the player's side
bool is_pt_explored_to_side(const pt_t& p, int side);
bool is_pt_explored_for(const pt_t& p, const unit_t* u);
bool is_pt_explored(const pt_t& p);
// (dx² + dy²) / r², at most 1.0.
double sq_dist_ratio(const pt_t& a, const pt_t& b, int r);
