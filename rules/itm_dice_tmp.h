#pragma once
// TODO: stand-in for the dice module of the rules foundations; replaced when it lands.
#include <cstdint>
struct dmg_part_t {
    int32_t count = 0, sides = 0, bonus = 0;
    uint32_t type = 0;
};
void dmg_part_parse_dice(dmg_part_t& out, const wchar_t* text);
constexpr int pack_dice(int count, int sides) { return (count + 10000) * 10000 + sides; }
inline bool is_packed_dice(int v) { return v / 100000000 == 1; }
#include "app/str.h"
class text_info_t;
Str dice_rng_text(int count, int sides);
const text_info_t* get_wpn_flag(int i);
