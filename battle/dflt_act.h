#pragma once
// The default actions a player's unit is offered without a picked power: the
// melee or ranged attack on a foe and the heal of a hurt ally. Where each may
// be given now, and the cell an attack on a unit out of reach is given from.
#include <vector>

#include "app/types.h"
#include "rules/u_cmd.h"

class unit_t;
struct move_range_t;

// In the order their marks are tested.
constexpr int DFLT_ACTS = 3;
extern const int dflt_act_pwrs[DFLT_ACTS];

// t is someone u's attack may go to: of another side, and u not of the side
// that attacks nobody.
bool may_attack(const unit_t* u, const unit_t* t);
// The cells where u may give the default action now: seen by u's side, with a
// roster unit on them that the action fits (a foe for the attacks, a hurt
// living ally for the heal). Empty when u cannot use the power, or has not
// learnt it when it is no basic action.
void dflt_act_cells(unit_t* u, int pwr, std::vector<pt_t>* out);

// The cell u attacks tgt from with the power, among the move range's stop
// cells: the best scored, then the nearest by path; false when none.
bool find_atk_cell(unit_t* u, int pwr, const pt_t& tgt, const move_range_t& mr, pt_t* out);

// u's default attack on t, with the move to the cell it is given from when t
// is out of reach.
struct atk_plan_t {
    pt_t from{-1, -1};  // u's own cell when it attacks from where it stands
    u_cmd_t move;       // pwr 0 when there is no move
    u_cmd_t atk;
};
// False when u may not attack t, cannot use its attack, finds no cell to give
// it from, or would need a move with less than a whole turn left (a shift step
// costs nothing and is always allowed).
bool plan_dflt_atk(unit_t* u, const unit_t* t, const move_range_t& mr, atk_plan_t* out);
