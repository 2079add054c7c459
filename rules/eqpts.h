#pragma once
// What a unit wears and wields: natural weapons, 17 equipment slots, three
// stored weapon sets and the active set.
#include "rules/itm_slot.h"
#include "rules/u_part.h"

constexpr int EQPT_SLOTS = 17;  // 0 main hand, 1 off hand, 2..5 quick, 6 body .. 16 accessory
constexpr int EQ_MAIN = 0;
constexpr int EQ_OFF = 1;

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
    // TODO: load, attack slots, ammunition, equipping and weapon-set swaps come
    // with the equipment rules.
};
