#pragma once
// The six rarity levels of items, "normal" (1) to "relic" (6), with the colours
// their names are written in.
#include "rules/ex_info.h"

constexpr int RARE_LV_COUNT = 7;  // rows 0 to 6, row 0 empty

// Level 2, the plain enchanted item, is "magic".
enum rare_lv_id_e : int { RARE_NORMAL = 1, RARE_MAGIC = 2, RARE_RARE = 3, RARE_EPIC = 4, RARE_LEGEND = 5, RARE_RELIC = 6 };

// Rarity level `lv`; row 0 outside 0 to 6.
const ex_info_t& get_ex_info(int lv);
