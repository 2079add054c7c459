#pragma once
// Refilling ammunition from the party's bag: each member whose main hand holds
// a launcher takes its ammunition into the four quick slots.
struct itm_slot_t;
class pty_t;
class unit_t;

// A ranged weapon that is not thrown: it shoots ammunition.
bool is_launcher(const itm_slot_t& s);
// Ammunition of that id from the bag's slots, in order, into the unit's quick
// slots (stacked up to the limit, else into an empty one) while any can take more.
void load_ammo_from_bag(unit_t& u, itm_slot_t* bag, int ammo);
// No quick slot is empty or holds that ammunition below its limit.
bool quick_slots_full(const unit_t& u, int ammo);
// Every member with a launcher loads from the party's bag; false when one of
// them is left short.
bool refill_pty_ammo(pty_t& p);
