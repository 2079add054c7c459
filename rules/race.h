#pragma once
// Races: creature type, size, speed, natural armour, ability adjustments and the
// powers every member holds.
#include <vector>

#include "app/text_info.h"
#include "rules/enum_ids.h"

constexpr int RACE_COUNT = 42;  // rows 0 to 41, row 0 empty

// Bit of race_t::flags: an extra general power pick at level 1.
constexpr int RACE_EXTRA_PICK = 1;

class race_t : public text_info_t {
public:
    int type = 0;        // 1..4 living kinds, 5 undead, 6 construct, 7 elemental; indexes the unit categories
    int size = 0;        // u_size row: 2 small, 3 medium, 4 large
    int vision = 0;      // copied into the derived block unchanged
    int spd = 0;         // base speed in cells
    int nac = 0;         // natural armour
    int abi_adj[ABIS] = {};  // Str, Dex, Con, Int, Wis, Cha
    int flags = 0;       // RACE_ bits
    std::vector<int> pwrs;  // power-change list: > 0 adds, < 0 removes -id
};

// Ids come from save files: one outside 0..41 answers the empty row 0.
const race_t* get_race(int id);
