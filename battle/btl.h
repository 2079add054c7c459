#pragma once
// Everything of the one battle in progress, in one object: the groups and the
// map it was set up with, the unit lists, zones and summons, the sides' fog
// grids, the walk state. The battle functions reach it through
// btl(); reset_btl() starts from nothing (a new battle set-up, or a test).
// The map's own search grids (tmap_t) serve the path searches.
#include <memory>
#include <vector>

#include "app/types.h"
#include "rules/u_btl_state.h"

class btl_listener_t;
class tmap_t;
class unit_grp_t;
class unit_t;
struct zone_t;

// Values of btl_t::state, get_btl_state. BTL_NONE is the state before any
// battle was set up: none runs, and none is to be waited for.
constexpr int BTL_NONE = -1;
constexpr int BTL_RUNNING = 0;
constexpr int BTL_ABORTED = 1;
constexpr int BTL_WON = 2;
constexpr int BTL_LOST = 3;

struct btl_t {
    unit_grp_t* grps[2] = {};
    tmap_t* map = nullptr;
    btl_listener_t* scene = nullptr;  // null: the listener that does nothing

    int state = BTL_RUNNING;  // BTL_NONE before the first battle
    int round = 0;
    unit_t* cur = nullptr;
    bool no_death = true;

    std::vector<unit_t*> full;    // turn order, living and dead
    std::vector<unit_t*> roster;  // the living, in full-list order
    std::vector<unit_t*> fallen;  // bodies on the field
    std::vector<zone_t*> zones;   // owned, oldest first
    std::vector<unit_t*> summons; // owned

    grid_t<int> visible[BTL_SIDES];
    grid_t<int> explored[BTL_SIDES];
    bool fog_in_search = true;

    std::vector<pt_t> walk_path;
    int walk_step = 0;

    btl_t() = default;
    btl_t(const btl_t&) = delete;
    btl_t& operator=(const btl_t&) = delete;
    ~btl_t();
};

btl_t& btl();
// Frees the zones and summons and starts a fresh battle state.
void reset_btl();
