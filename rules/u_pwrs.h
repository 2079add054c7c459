#pragma once
// The powers a unit holds, by id, each with an on/off flag; held actions are
// kept on the unit's action bar.
#include <cstdint>
#include <map>
#include <vector>

#include "rules/pwr.h"
#include "rules/u_part.h"

// Filter bits of u_pwrs_t::get_ids, by id range.
constexpr int UP_BASIC = 4;     // basic actions 1..15
constexpr int UP_FEAT = 8;      // feats 16..118
constexpr int UP_SPELL = 16;    // spells 119..143
constexpr int UP_MON = 32;      // every other id
constexpr int UP_ALL = 60;

class u_pwrs_t : public u_part_t {
public:
    std::map<int, uint8_t> all;         // held id -> on/off
    std::map<int, uint8_t*> by_kind[PK_COUNT]; // by Pwr::get_kind, pointing at the flags in all

    u_pwrs_t() = default;
    u_pwrs_t(const u_pwrs_t&) = delete;
    // Every copied power starts off, and the copied actions reach this unit's bar.
    u_pwrs_t& operator=(const u_pwrs_t& o);

    bool has(int id) const { return all.count(id) != 0; }
    // Ids that are not powers of the registry (a damaged save file) are skipped.
    void add(int id);
    void remove(int id);
    void set_list(const std::vector<int>& ids);
    // > 0 adds, < 0 removes -id, 0 is ignored.
    void apply_changes(const std::vector<int>& changes);
    void clear();
    // The new value; false for a power not held.
    bool toggle(int id);
    std::vector<int>& get_ids(std::vector<int>& out, int filter) const;
    std::vector<int>& get_act_ids(std::vector<int>& out) const;
    // 2 "atk_m", 3 "atk_r", then every held action in id order.
    std::vector<int> get_act_list() const;
};
