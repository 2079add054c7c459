#pragma once
// The battle map's search grid prepared for one unit: terrain, what its side
// knows (fog), zones and other units; and the path, range, step and free-cell
// questions asked of it. Every preparation overwrites the one grid, so a query
// reads the grid as its caller last prepared it.
#include <functional>
#include <vector>

#include "app/types.h"
#include "battle/pf.h"

class unit_t;

// Search flags: how mark_search_grid prepares the grid.
constexpr int SF_LAYER1 = 0x1;             // classes from the first pass class (movement), else the second
constexpr int SF_FOG_UNEXPLORED = 0x200;   // cells the side has not explored count as plain
constexpr int SF_FOG_UNSEEN = 0x400;       // (without 0x200) cells the side does not see block
constexpr int SF_ENEMIES = 0x10000;        // enemies that are not helpless block their cells
constexpr int SF_THREAT = 0x20000;         // cells enemies threaten get the stop mark
constexpr int SF_UNITS = 0x40000;          // other units' cells: hard ground, crossed but not held
constexpr int SF_ZONES = 0x1000000;        // cells of zones that affect the unit: at least hard ground
constexpr int SF_UNIT_MARKS = SF_ENEMIES | SF_THREAT | SF_UNITS;
constexpr int SF_WALK = 0x1070001;         // walking, paths, move range, forced movement
constexpr int SF_AI_RANGE = 0x1070201;     // the AI plans unexplored cells as plain

// While on (the default), the fog marks apply and units and zones on cells the
// unit's side does not see are ignored; the moves turn it off around the checks
// that must see the true state.
void set_fog_in_search(bool on);
bool fog_in_search();

void mark_search_grid(unit_t* u, int flags);
// mark_search_grid, then the steps out of every cell.
void prep_unit_paths(unit_t* u, int flags);
// The map's pass-node grid with the second pass classes, fog and unit marks.
void prep_area_grid(unit_t* u, int flags);
// While one lives (the AI's planning, which changes no sight and no zone),
// prep_area_grid keeps the grid when asked again for the same side, flags and
// unit cells. Anything else that writes the area grid must not run meanwhile.
class area_grid_cache_t {
public:
    area_grid_cache_t();
    ~area_grid_cache_t();
    area_grid_cache_t(const area_grid_cache_t&) = delete;
    area_grid_cache_t& operator=(const area_grid_cache_t&) = delete;
};
// A planning scope (area_grid_cache_t) is open: sight, zones and every unit but
// the planning one stand still.
bool in_planning_scope();
// Counts the planning scopes opened: what was kept for one scope is stale in the next.
int planning_scope_no();
pf::pass_grid_t& get_area_grid();

// Empty when to cannot be reached.
void find_unit_path(unit_t* u, const pt_t& to, std::vector<pt_t>* path);
// The same, marking only the units and zones on the cells of only.
bool find_unit_path_in(unit_t* u, const pt_t& to, const std::vector<pt_t>* only, std::vector<pt_t>* path);
void get_move_range(unit_t* u, move_range_t* out);
// True when at least one stopping cell was found.
bool get_move_range_ai(unit_t* u, move_range_t* out);
// The first point of least path cost from u's cell; false when none is reachable.
bool nearest_by_path(const unit_t* u, const std::vector<pt_t>& pts, pt_t* out);

bool is_pass_only_cell(const pt_t& p);
// b does not block and a diagonal step cuts no blocking corner; b inside the map.
bool can_step(const pt_t& a, const pt_t& b);
// The same, and b is exactly plain ground.
bool can_step_plain(const pt_t& a, const pt_t& b);
// A single step that needs no move and provokes nothing: onto a free cell next
// to u, cutting no corner of a wall or of an enemy that is not helpless (the
// walk's corners), of plain ground unless u holds P_SHIFT_HARD. Checked on the
// true state of the map and the roster.
bool can_shift_to(const unit_t* u, const pt_t& to);
// Inside the map, the first pass class is not 6 and no roster unit stands there.
bool is_free_cell(const pt_t& p);
// A cell visitor that appends the free cells it is shown to out.
std::function<void(const pt_t&)> collect_free_cells(std::vector<pt_t>* out);
// p when free; else the first free cell of the nearest ring around p: of each
// ring the eight cells straight and diagonally out first (rows outer), then the
// rest of the ring in row order. (-1, -1) when the map has none.
pt_t nearest_free_cell(const pt_t& p);
// The same ring order with any acceptance test.
pt_t nearest_cell_if(const pt_t& p, const std::function<bool(const pt_t&)>& accept);
// The 8-direction index of a straight run from a to b over plain steps: a row,
// a column or an exact diagonal at least 2 cells long; -1 otherwise.
int straight_run_dir(const pt_t& a, const pt_t& b);
