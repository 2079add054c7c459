#pragma once
// Unit categories: the names of the creature types a race belongs to, indexed by
// the race's type (1..4 living kinds, 5 undead, 6 construct, 7 elemental).
#include "app/text_info.h"

constexpr int U_CAT_COUNT = 8;

// Texts from "u_cats:u_cats"; an index outside 0..7 answers row 0.
const text_info_t& get_u_cat(int index);
