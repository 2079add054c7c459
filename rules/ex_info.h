#pragma once
// A named level with a colour: the six rarity levels of items (ids 1 to 6,
// "normal" to "relic"), and the rows of enum tables that carry a colour.
#include "app/text_info.h"
#include "app/types.h"

class ex_info_t : public text_info_t {
public:
    clr_t clr;

    ex_info_t() = default;
    ex_info_t(const wchar_t* key, clr_t clr) : text_info_t(key), clr(clr) {}
};

constexpr int RARE_LV_COUNT = 7;  // rows 0 to 6, row 0 empty

// Rarity level `lv`; row 0 outside 0 to 6.
const ex_info_t& get_ex_info(int lv);
