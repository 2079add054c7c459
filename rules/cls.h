#pragma once
// Character classes: hit points per level, defence and spell-resistance bonuses,
// the powers every member holds, the level-1 pick and the casting ability.
#include <cstdint>
#include <vector>

#include "app/text_info.h"

constexpr int CLS_COUNT = 9;  // rows 0 to 8, row 0 empty

class cls_t : public text_info_t {
public:
    int def[6] = {};          // by the def enum: 0 unused, 1 ac, 2 ft, 3 rf, 4 wl, 5 cm
    int sr = 0;               // spell-resistance bonus
    int hp_lv = 0;            // hit points per level
    uint32_t lv1_pick = 0;    // power-category mask of the level-1 bonus pick; 0 = none
    int lv1_spl = 0;          // -1 every spell it may learn, n > 0 spells from the build's plan
    int cast_abi = 0;         // abi enum index, 0 Str .. 5 Cha
    std::vector<int> pwrs;    // power-change list: > 0 adds, < 0 removes -id
};

// Replaces the record's key with a wide copy of a UTF-8 key; null leaves no key.
void set_rec_key(text_info_t& rec, const char* key);

// Ids come from save files: one outside 0..8 answers the empty row 0.
const cls_t* get_cls(int id);
