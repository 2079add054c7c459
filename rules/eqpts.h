#pragma once
// What a unit wears and wields: natural weapons, 17 equipment slots, three
// stored weapon sets and the active set; its load, attack slots and ammunition.
#include <vector>

#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/u_part.h"

class Str;

constexpr int EQPT_SLOTS = 17;  // 0 main hand, 1 off hand, 2..5 quick, 6 body .. 16 accessory
constexpr int EQ_MAIN = 0;
constexpr int EQ_OFF = 1;
constexpr int EQ_QUICK = 2;  // first of the four quick slots
constexpr int EQ_QUICK_END = 6;
constexpr int EQ_BODY = 6;
constexpr int EQ_HEAD = 7;
constexpr int EQ_NECK = 8;
constexpr int EQ_BELT = 9;
constexpr int EQ_BOOT = 10;
constexpr int EQ_ARM = 11;
constexpr int EQ_BACK = 12;
constexpr int EQ_RING = 13;  // two ring slots
constexpr int EQ_ACC = 15;   // two accessory slots

// Weapon sets named by what they are rather than by number.
constexpr int WSET_ACTIVE = -2;
constexpr int WSET_OTHER = -3;  // the other of sets 0 and 1

// Flags of eqpts_t::set_gear.
constexpr int GEAR_QUICK_LAST = 1;  // the last id is a quick-slot item
constexpr int GEAR_HALF_STACK = 2;  // stacks are halved

// The slots a unit attacks with for one attack kind.
struct atk_slots_t {
    std::vector<int> slots;
    int light = 1;  // 0: the off hand attacks with a weapon that is not light
};

// Modes of eqpts_t::get_slot.
constexpr int SLOT_AS_IS = 0;
constexpr int SLOT_OR_UNARMED = 1;

class eqpts_t : public u_part_t {
public:
    int nat[4] = {};  // natural-weapon item ids 1..26, from the front; 0 none
    itm_slot_t slots[EQPT_SLOTS];
    itm_slot_t sets[3][2];  // stores of sets 1..3: {main hand, off hand}
    int cur_set = 0;        // active weapon set 0..3

    eqpts_t() = default;
    eqpts_t(const eqpts_t&) = delete;
    eqpts_t& operator=(const eqpts_t& o);
    void clear();

    // With SLOT_OR_UNARMED an empty main hand (n 0) answers the shared unarmed-strike slot.
    itm_slot_t& get_slot(int n, int mode);
    double weight() const;
    // Carrying capacity K for the unit's effective Strength.
    int capacity() const;
    int load_lv() const;
    int load_cap(int lv) const;
    int load_floor(int lv) const;

    int quick_count() const;
    int ammo_for(const itm_slot_t& w) const;
    bool has_ammo_for(const itm_slot_t& w) const;
    bool no_ammo() const;
    // Takes one piece of ammunition for w from the quick slots; false when none.
    bool use_ammo_for(const itm_slot_t& w);
    // What a ranged or thrown attack with w uses up.
    void spend_ammo(itm_slot_t& w);

    atk_slots_t atk_slots(int kind) const;
    bool can_atk(int kind, bool ready);

    // Every change recalculates the unit; out of battle its hit points move
    // with the maximum the gear gives.
    bool equip(itm_slot_t& it);
    bool equip_at(itm_slot_t& it, int n);
    bool unequip(itm_slot_t& s);
    void settle();
    // n: 0 to 3, WSET_ACTIVE or WSET_OTHER.
    void swap_wpn_set(int n);
    Str& wpn_set_name(Str& out, int n) const;
    // flags: GEAR_ bits.
    void set_gear(const std::vector<int>& ids, int flags);

private:
    int resolve_set(int n) const;
    bool to_bag(itm_slot_t& s);
    void recalc_unit();
};

// Strength score to carrying capacity; 0 below 0, 1500 from 30 up.
int load_capacity(int str);

// Where equipment sends what it displaces: the party's bag of 200 slots. Null
// (no party yet) means nothing can be displaced.
itm_slot_t* eqpt_bag();
void set_eqpt_bag(itm_slot_t* bag);
