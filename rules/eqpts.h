#pragma once
// What a unit wears and wields: natural weapons, 17 equipment slots, three
// stored weapon sets and the active set.
#include "rules/u_part.h"

class eqpts_t : public u_part_t {
public:
    int nat[4] = {};  // natural-weapon item ids 1..26, from the front; 0 none
    // TODO: the 17 slots and the three set stores need itm_slot_t, which comes with the item rules.
    int cur_set = 0;  // active weapon set 0..3

    eqpts_t() = default;
    eqpts_t(const eqpts_t&) = delete;
    eqpts_t& operator=(const eqpts_t& o);
    void clear();
};
