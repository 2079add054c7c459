#pragma once
// TODO: stand-in for the dice module of the rules foundations; replaced when it lands.
#include <cstdint>
#include "app/str.h"
class text_info_t;
struct dmg_part_t {
    int32_t count = 0, sides = 0, bonus = 0;
    uint32_t mask = 0;
    friend bool operator==(const dmg_part_t&, const dmg_part_t&) = default;
};
bool dmg_part_parse_dice(dmg_part_t* out, const char* text);
int pack_dice(int count, int sides);
bool is_packed_dice(int v);
Str dice_rng_text(int count, int sides);
text_info_t* get_wpn_flag(int i);
