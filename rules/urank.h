#pragma once
// Unit ranks: normal, elite, solo, minion, with their experience multiplier.
#include <cstdint>
#include <vector>

#include "app/text_info.h"
#include "app/types.h"

class Str;

class urank_t : public text_info_t {
public:
    int32_t xp_mul = 0;  // scales the experience a defeated unit is worth; negative: a divisor
    clr_t clr;
    urank_t() = default;
    urank_t(const wchar_t* key, int32_t xp_mul, uint32_t clr) : text_info_t(key), xp_mul(xp_mul), clr(clr) {}
};

constexpr int URANKS = 5;  // ids 0..4, 0 empty
enum urank_id_e : int { RANK_NORMAL = 1, RANK_ELITE = 2, RANK_SOLO = 3, RANK_MINION = 4 };

// Row 0 for an id outside the table (ids come from save files).
urank_t& get_urank(int id);
// Empty for a normal unit, else the rank's name in its colour, in brackets when asked.
Str& urank_lbl(Str& out, int id, bool bracket);
std::vector<text_info_t*> urank_rows(int first, int last);
