#pragma once
// The six rarity levels of items, "normal" (1) to "relic" (6), with the colours
// their names are written in.
#include "rules/ex_info.h"

constexpr int RARE_LV_COUNT = 7;  // rows 0 to 6, row 0 empty

// Rarity level `lv`; row 0 outside 0 to 6.
const ex_info_t& get_ex_info(int lv);
