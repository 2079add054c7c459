#pragma once
// The conditions on a unit: one instance per condition id, merged on repeats,
// logged when gained and lost, paired across a grapple.
#include <map>

#include "app/types.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/u_part.h"

// Bits of the condition-flag word and of u_conds_t::mask.
constexpr int CF_SLOWED = 1;
constexpr int CF_NO_MOVE = 2;
constexpr int CF_NO_ACT = 4;
constexpr int CF_NO_CMD = 8;
constexpr int CF_NO_THREAT = 16;
constexpr int CF_HELPLESS = 32;

class u_conds_t : public u_part_t {
public:
    std::map<int, cond_inst_t> map;  // by condition id
    int mask = 0;  // OR of the held rows' flags, as of the unit's latest recalculation

    u_conds_t() = default;
    u_conds_t(const u_conds_t&) = delete;
    u_conds_t& operator=(const u_conds_t& o);

    bool has(int id) const { return map.count(id) != 0; }
    std::map<int, cond_inst_t>::const_iterator find(int id) const { return map.find(id); }
    // Null when i is outside the held conditions.
    const cond_inst_t* get_nth(int i) const;

    bool can_act() const;
    bool threatens() const;
    bool can_move() const;
    bool can_cmd() const { return !(mask & CF_NO_CMD); }
    bool no_threat() const { return mask & CF_NO_THREAT; }
    bool is_helpless() const { return mask & CF_HELPLESS; }
    bool is_slowed() const { return mask & CF_SLOWED; }
    bool is_prone() const { return has(C_PRONE); }
    bool is_weak() const { return has(C_WEAK); }
    bool is_blocked(int id) const;

    void add(const cond_inst_t& inst, bool recalc);
    void remove(int id);
    void erase(int id, bool recalc);
    void clear();
    void upd_mask();
    // Ends a grapple that can no longer hold: a grappler prone, not in control or
    // charmed; either side down or no longer next to its partner.
    void check_grapple();
    void on_turn_start();
    void on_turn_end();
    // phase 0: turn start (defending and the conditions that tick count down), 1: turn end (the rest).
    void tick(int phase);
    void tick_effects();
    void try_escape();
    void grap_hold();
    // The unit leaves: its grapple partners lose their side of the pair, so no
    // condition is left pointing at it.
    void drop_partners();

private:
    void put(const cond_inst_t& inst);
    // Erases the partner's side of grapple `id` when it points back at this unit.
    void unlink_partner(int id, unit_t* partner);
    void log_gain(const cond_inst_t& inst);
};
