#include "rules/eqpts.h"

#include <algorithm>
#include <iterator>

eqpts_t& eqpts_t::operator=(const eqpts_t& o) {
    std::copy(std::begin(o.nat), std::end(o.nat), nat);
    cur_set = o.cur_set;
    return *this;
}

void eqpts_t::clear() {
    std::fill(std::begin(nat), std::end(nat), 0);
    cur_set = 0;
}
