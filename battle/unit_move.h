#pragma once
// Moving units on the battle map: the upkeep of a step, walks with their stop
// rules, slides and pushes, direct moves for planning and previews (undone by u_pos_guard_t).
#include "app/types.h"
#include "battle/move_search.h"
#include "battle/u_pos_state.h"
#include "rules/u_cmd.h"

class unit_t;

// u's cell becomes p, with its sight, auras, grapple, formations and zone entry.
void step_unit(unit_t* u, const pt_t& p);
// The same upkeep without a move; zone entry only when zones.
void refresh_unit(unit_t* u, bool zones);
// When nobody stands on p: step_unit and the listener's move notification.
void place_unit(unit_t* u, const pt_t& p);
// Walks u towards to, planning with what its side knows and checking each step
// against the true state. Stops on entering a threatened cell, when u can no
// longer move, falls prone or dies. True when u reached to (or the battle
// ended on the way); false when it stopped early or to cannot be reached.
bool walk_unit(unit_t* u, const pt_t& to);
// Moves u in a straight line onto the free cell to without walking.
bool slide_unit(unit_t* u, const pt_t& to);
// Whether a pushed or forced step of u from a to b can be made on the true
// state: b inside the map, enterable, no corner cut and nobody standing there.
bool can_push_step(const unit_t* u, const pt_t& a, const pt_t& b);
// Pushes u up to n cells straight away from src; nothing for a prone unit.
// Returns the cells moved.
int knock_back(const unit_t* src, unit_t* u, int n);

// The move command towards to (a shift step when can_shift_to allows one).
u_cmd_t make_mov_cmd(unit_t* u, const pt_t& to);
// A planning move: cell, run direction and the move's cost; no sight, no events.
void move_unit_to(unit_t* u, const pt_t& to);
// Taken and put back by u_pos_guard_t (battle/u_pos_guard.h).
void save_unit_pos(u_pos_state_t* out, const unit_t* u);
void restore_unit_pos(const u_pos_state_t* s, unit_t* u);

// The path of the walk in progress and the index of its next cell.
const std::vector<pt_t>& get_walk_path();
int get_walk_step();
