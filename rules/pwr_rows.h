#pragma once
// Row shapes of the power tables and the helpers that turn a row into a record.
#include <cstdint>
#include <span>

#include "rules/ids_in_order.h"
#include "rules/pwr.h"

// An action: the columns of act_t::set_act.
struct act_row_t {
    int id = 0;
    const char* key = nullptr;
    uint32_t flags = 0;
    int cost = 0, cd = 0, rng = 0, area = 0, atk = 0, def = 0;
    const char* dmg = nullptr;  // null: no damage
    int lv_scale = 0, cond = 0, zone_dur = 0;
};

// A feat or passive trait: the columns of Pwr::set_feat; pre lists up to two prerequisites.
struct feat_row_t {
    int id = 0;
    const char* key = nullptr;
    int cat = 1;
    uint32_t cls_mask = 0;
    int lv = 0;
    abi_min_t abi = {};
    int pre[2] = {};
};

// A spell: an action of attack kind 3 with its school, level and classes.
struct spl_row_t {
    int id = 0;
    const char* key = nullptr;
    int school = 0, lv = 0;
    uint32_t cls_mask = 0;
    uint32_t flags = 0;
    int cost = 0, cd = 0, rng = 0, area = 0, def = 0;
    const char* dmg = nullptr;
    int lv_scale = 0, cond = 0, zone_dur = 0;
};

// Each makes the record, stores it in its slot and returns it.
act_t* build_act(const act_row_t& r);
Pwr* build_feat(const feat_row_t& r);
// A feat that is used as an action: feat values first, then the action's.
act_t* build_feat_act(const feat_row_t& f, const act_row_t& a);
act_t* build_spell(const spl_row_t& r);
