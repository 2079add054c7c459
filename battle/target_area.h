#pragma once
// Where an action reaches and what it covers: the cells a unit may aim a power
// at, and for one aimed cell the cells the power affects. Both keep to the map,
// to line of effect (cover 3 blocks) and to what the unit's side has explored.
#include <cstdint>
#include <deque>
#include <functional>
#include <utility>
#include <vector>

#include "app/types.h"

class act_t;
class unit_t;

// The cells u may aim the power at; true when there is one.
bool get_act_tgt_pts(unit_t* u, int pwr, std::vector<pt_t>* out);
// The cells u could aim the power at were it standing on from (a trial move, put back).
bool get_act_tgt_pts_from(unit_t* u, int pwr, const pt_t& from, std::vector<pt_t>* out);
// Why u may not aim the power at the cell, as get_act_tgt_pts decides: a
// use_why_t (battle/act_ctx.h), USE_OK when it may.
int aim_refusal(unit_t* u, int pwr, const pt_t& at);
// The cells the power affects when u aims it at `at`; true when there is one.
bool get_act_area_pts(unit_t* u, int pwr, const pt_t& at, std::vector<pt_t>* out);
// The cells the area of the aim may hold before line of effect is tested (a
// superset of get_act_area_pts), when they are cheap to list; false when not.
bool act_area_cands(unit_t* u, int pwr, const pt_t& at, std::vector<pt_t>* out);
// Answers of the test of aimable cells, kept while a unit plans from one cell:
// powers alike in cover mode and grid share them.
struct aim_memo_t {
    std::vector<int8_t> known[4];  // per kind, per map cell: -1 not tested yet, else the answer
    std::deque<std::pair<int, std::vector<pt_t>>> reaches;  // by reach and skipped own cell
};

// The cells get_act_tgt_pts tests, for a caller that needs only some of the
// aimable ones: every cell of the reach in that list's order, and the test of one.
class aim_cells_t {
public:
    aim_cells_t(unit_t* u, int pwr, aim_memo_t* memo = nullptr);
    const std::vector<pt_t>& reach() const { return *reach_; }
    bool aimable(const pt_t& p) const;

private:
    unit_t* u_;
    const act_t* a_;
    std::vector<pt_t> own_reach_;
    const std::vector<pt_t>* reach_ = &own_reach_;
    bool far_ = false;
    std::vector<int8_t>* known_ = nullptr;
    int w_ = 0;
};
// A box holding every cell the area of a power used from o and aimed at `at`
// may cover; false for the areas that have none smaller than the map.
bool act_area_box(const pt_t& o, int area, const pt_t& at, rect* box);
// Those of `cells` (sorted, each once) that get_act_area_pts(u, pwr, at)
// holds, sorted, without testing the line of effect to the others; false when
// the area would hold one of them twice.
bool act_area_pick(unit_t* u, int pwr, const pt_t& at, const std::vector<pt_t>& cells, std::vector<pt_t>* out);
// p is one of the cells.
bool contains(const std::vector<pt_t>& cells, const pt_t& p);
// get_act_tgt_pts as a new list.
std::vector<pt_t> act_area_pts(unit_t* u, int pwr);
// Cells with dx² + dy² <= r² (the whole 3 x 3 block for r = 1), rows outer,
// clipped to the battle map.
void for_each_cell_in_range(const pt_t& c, int r, bool skip_centre, const std::function<void(const pt_t&)>& visit);

// The cover level 0..3 between two cells on the grid as last prepared.
int get_cover(const pt_t& from, const pt_t& to, bool mixed);
// The cover an attack of u with the power meets at tgt.
int atk_cover(unit_t* u, int pwr, const pt_t& tgt);

// The roster unit off the path nearest to its last cell, within squared
// distance 9; false when none.
bool nearest_unit_to_path_end(const std::vector<pt_t>& path, pt_t* out);

// The reach of the action for u: its rng, with -12 the unit's speed and -1 the
// reach of the weapon in use (1 unarmed, or without a unit).
int act_range(const act_t* a, const unit_t* u);
// The action takes the whole turn.
bool is_full_round(const unit_t* u, int pwr, int cmd_flags);
// A power with a range waits for a cell to be aimed at; one without is used
// on the unit itself as soon as it is picked.
bool is_aimed_pwr(int pwr);
// The powers aimed at the fallen on a cell (resurrection, raising the dead).
bool aims_at_fallen(int pwr);
// P_HEAL or P_HEAL_X.
bool is_heal_pwr(int pwr);
// Whether tgt is the kind of unit the power is meant for, seen from u.
bool is_fit_target(int pwr, const unit_t* u, const unit_t* tgt);
