#pragma once
// Unit categories: the names of the creature types a race belongs to, indexed by
// the race's type (1..4 living kinds, 5 undead, 6 construct, 7 elemental).
#include "app/text_info.h"

constexpr int U_CAT_COUNT = 8;

// Creature types (race_t::type); the living kinds are 1 to 4.
enum u_cat_id_e : int {
    UCAT_VERMIN = 1,
    UCAT_ANIMAL = 2,
    UCAT_REPTILE = 3,
    UCAT_HUMANOID = 4,
    UCAT_UNDEAD = 5,
    UCAT_CONSTRUCT = 6,
    UCAT_ELEMENTAL = 7,
};

// Texts from "u_cats:u_cats"; an index outside 0..7 answers row 0.
const text_info_t& get_u_cat(int index);
