#pragma once
// Load levels and the burden that armour and load share.
#include <cstdint>

#include "app/sentinels.h"
#include "app/text_info.h"
#include "app/types.h"

constexpr int NO_MOVE = -UNLIMITED;  // brdn_t::spd_pen: the bearer cannot move

// The limits a piece of gear or a load puts on its bearer.
struct brdn_t {
    int32_t max_dex = UNLIMITED;   // highest Dexterity bonus to armour class; UNLIMITED: no limit
    int32_t amr_pen = 0;           // armour penalty
    int32_t spd_pen = 0;           // NO_MOVE: the bearer cannot move
    int32_t spl_fail = 0;          // spell failure, percent
};

class load_type_t : public text_info_t, public brdn_t {
public:
    clr_t clr;
    load_type_t() = default;
    load_type_t(const wchar_t* key, const brdn_t& b, uint32_t clr) : text_info_t(key), brdn_t(b), clr(clr) {}
};

constexpr int LOAD_TYPES = 5;  // rows 0..4: none, light, medium, heavy, overload
enum load_type_id_e : int { LOAD_LIGHT = 1, LOAD_MEDIUM = 2, LOAD_HEAVY = 3, LOAD_OVER = 4 };

// Row 0 for an index outside the table.
load_type_t* get_load_type(int i);
