#pragma once
// One item of kind id with a bonus and up to four instance enchantments.
#include <initializer_list>

#include "rules/itm_slot.h"

inline itm_slot_t inst(int id, int bonus, std::initializer_list<int> ies = {}) {
    itm_slot_t s(id, 1);
    s.bonus = bonus;
    int i = 0;
    for (int e : ies) s.ies[i++] = e;
    return s;
}
