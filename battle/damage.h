#pragma once
// Every change of hit points in battle: rolling damage against a unit, applying
// it with its log line, and the hit-point setter that detects deaths.
#include <cstdint>

#include "rules/dmg.h"

class unit_t;

// The rolled damage against one unit.
struct dmg_res_t {
    int32_t amount = 0;    // negative: healing
    int32_t absorbed = 0;  // what reduction and resistance took away
    uint32_t types = 0;    // the masks of the parts that left an amount
    bool crit = false;
    int32_t healed = 0;    // what a heal gave back, as the listener is told: at most the hit points missing
};

void roll_apply_dmg(unit_t* u, const dmg_list_t& parts);
void roll_dmg(dmg_res_t& out, const dmg_list_t& parts, const unit_t* u);
// Heals n through apply_dmg.
void heal_unit(unit_t* u, int n);
// The lowest of the unit's percentages over the types 1..12 in the mask.
int type_pct(const unit_t* u, uint32_t mask);
// The unit holds an "unr_" power that lets this damage pass its reduction.
bool dr_bypassed(uint32_t mask, const unit_t* u);
void apply_dmg(unit_t* u, const dmg_res_t* r);
// Clamps to 0..maximum; a unit falling below 1 dies, one coming back rejoins.
void set_unit_hp(unit_t* u, int32_t hp, unit_t* creator);
// The mean of the smallest and the largest outcome against u, each capped at
// what u can lose or gain.
double expected_dmg(const dmg_list_t& parts, const unit_t* u);
// The rpr, pe and ne percentages by the unit's race group.
void set_energy_res(unit_t* u);
// Half, truncated toward 0; a non-zero amount never becomes 0.
void halve_dmg(int* amount);
