#pragma once
// Dropping an item in the party's panels: where a stack from the bag or from a
// unit's equipment may go, and what the drop does there. Every drop goes
// through the bag and equipment operations, so nothing is made or lost.
struct itm_slot_t;
class unit_t;

enum class itm_at_e { bag, page, eqpt };

// A bag slot (0..199), a page of the bag (0..3) or an equipment slot of the
// unit (0..16); any other n is no place.
struct itm_place_t {
    itm_at_e at;
    int n;
};

// The stack may be dropped there: anywhere in the bag; in an equipment slot
// only an item that fits it.
bool itm_drop_ok(const itm_slot_t& s, itm_place_t to);
// Drops the stack lying at from (a bag or an equipment slot) on to. On a page:
// the whole stack into that page. Between two quick slots: stacked up to the
// limit, else moved or swapped. Into another equipment slot: equipped by the
// hands' rules. Into a bag slot: from the equipment stacked or moved, never
// swapped; from the bag stacked, moved or swapped. The equipment is settled
// afterwards. False, with nothing changed, when nothing moved (also a drop
// on its own slot).
bool itm_drop(unit_t& u, itm_slot_t* bag, itm_place_t from, itm_place_t to);
