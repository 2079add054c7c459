#include "rules/eqpts.h"

#include <algorithm>
#include <iterator>

eqpts_t& eqpts_t::operator=(const eqpts_t& o) {
    std::copy(std::begin(o.nat), std::end(o.nat), nat);
    std::copy(std::begin(o.slots), std::end(o.slots), slots);
    for (int i = 0; i < 3; ++i) std::copy(std::begin(o.sets[i]), std::end(o.sets[i]), sets[i]);
    cur_set = o.cur_set;
    return *this;
}

void eqpts_t::clear() {
    std::fill(std::begin(nat), std::end(nat), 0);
    for (itm_slot_t& s : slots) s.clear();
    for (auto& set : sets)
        for (itm_slot_t& s : set) s.clear();
    cur_set = 0;
}
