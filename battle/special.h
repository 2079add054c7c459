#pragma once
// What a few powers do besides damage and conditions: push, drag and pass a
// target, dispel, teleport, resurrect and raise, summon, clear or burn zones;
// and the value that makes a cell a target of such a power.
#include "app/str.h"
#include "app/types.h"

class unit_t;
struct act_tgt_t;
struct atk_rec_t;
struct zone_t;

// Runs on a hit, before damage; true when the power had a special outcome here.
bool special_outcome(int pwr, atk_rec_t& rec, unit_t* actor, act_tgt_t& t);

// The target values (AUTO_HIT, NO_TARGET or a number to reach). A fallen unit
// or a zone that the power has nothing to do with answers NO_TARGET.
int fallen_tgt_value(int pwr, const unit_t* actor, const unit_t* u);
int zone_tgt_value(const unit_t* actor, int pwr, const atk_rec_t* rec, const zone_t* z);
int ground_value(int pwr, const pt_t& p);
// The value of a standing unit for P_DISPEL and P_TURN; false for other powers.
bool unit_special_value(int pwr, const unit_t* actor, const unit_t* u, int* out);

// The evaluation tooltip's word for the outcome on a target kind; empty for none.
Str special_result_text(int pwr, int kind, const unit_t* actor, const unit_t* u, const zone_t* z);

// The forced movement of the manoeuvres; false and "被阻挡。" when blocked.
bool do_ram(unit_t* actor, unit_t* tgt);
bool do_drag(unit_t* actor, unit_t* tgt);
bool do_overrun(unit_t* actor, unit_t* tgt);
void banish(unit_t* actor, unit_t* tgt);
void teleport_unit(unit_t* tgt);
bool resurrect(unit_t* actor, unit_t* tgt);
