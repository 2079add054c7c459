#pragma once
// An item kind: one row of the item table, addressed by item id 0 to 179. Item
// instances (itm_slot_t) keep only the id; everything that does not vary per
// copy is read from here. Ids are stored in save files: rows never move.
#include <bit>
#include <cstdint>

#include "app/sentinels.h"
#include "app/text_info.h"
#include "rules/dmg.h"
#include "rules/enum_ids.h"

constexpr int ITM_COUNT = 180;  // rows 0 to 179, row 0 empty

// Item types, rows of the item type table ("strs:itm_types").
enum itm_type_e : int32_t {
    IT_NONE = 0,
    IT_WPN = 1,
    IT_SHD = 2,
    IT_AMMO = 3,
    IT_AMR = 4,
    IT_HEAD = 5,
    IT_BELT = 6,
    IT_BACK = 7,
    IT_ROBE = 8,
    IT_ARM = 9,
    IT_BOOT = 10,
    IT_NECK = 11,
    IT_RING = 12,
    IT_ACC = 13,
    IT_DRUG = 14,  // consumables and books
    IT_MISC = 15,
    IT_TYPE_COUNT = 16,
};

// Weapon property bits of itm_wpn_t::flags: bit i is row i of the wpn_flag table.
enum wpn_flag_bit_e : int32_t {
    WF_RNG = 0x2,
    WF_LONG = 0x4,
    WF_LIGHT = 0x8,
    WF_DEX = 0x10,
    WF_BRACE = 0x20,
    WF_CAN_TRIP = 0x40,
    WF_THROW_S = 0x80,
    WF_THROW_B = 0x100,
    WF_LOAD_S = 0x200,
    WF_LOAD_B = 0x400,
};

// The wpn_flag row of one WF_ bit.
constexpr int wpn_flag_row(int bit) { return std::countr_zero(unsigned(bit)); }


// The uses itm_wpn_t::get_rng tells apart.
constexpr int RNG_USE_MELEE = 1;
constexpr int RNG_USE_RANGED = 2;
constexpr int RNG_USE_OWN = 6;

struct itm_wpn_t {
    int32_t cat = 0;    // wpn_cat row
    int32_t hands = 0;  // wpn_hands row
    dmg_part_t dmg;
    int32_t crit_rng = 0;  // d20 faces that threaten, counted down from 20
    int32_t crit_mul = 0;
    int32_t range = 0;  // cells; 0 for pure melee weapons
    int32_t flags = 0;  // wpn_flag_bit_e

    itm_wpn_t() = default;
    itm_wpn_t(int cat, int hands, const char* dmg_text, int crit_rng, int crit_mul, int range, int flags);

    bool ranged() const { return flags & WF_RNG; }
    bool thrown() const { return flags & (WF_THROW_S | WF_THROW_B); }
    // Distance in cells at which the weapon attacks in a use (RNG_USE_*).
    int32_t get_rng(int use) const;
};

struct itm_amr_t {
    int32_t max_dex = UNLIMITED;  // highest Dexterity bonus kept
    int32_t np_pen = 0;          // to attacks and Reflex when not proficient
    int32_t spd = 0;
    int32_t asf = 0;  // arcane spell failure, percent
    int32_t def = 0;
};

class itm_t : public text_info_t {
public:
    int32_t type = IT_NONE;
    int32_t grp = 0;  // weapon group; launcher group for ammunition; amr_type or shd_type row
    double price = 0;  // gold; 0 when the built-in enchantments decide it
    double wt = 0;
    int32_t ies[4] = {};  // built-in enchantments, filled from the front
    itm_wpn_t wpn;        // weapons, shields (bash) and consumables
    itm_amr_t amr;        // armour and shields
    int32_t min_lv = 0;   // lowest treasure level at which a wearable is drawn
    int32_t rare_lv = 0;  // built-in rarity of a wearable, 2 to 6; 0 otherwise

    // Whether an item of this kind may go into equipment slot `slot` (0 to 16).
    bool fits_slot(int slot) const;
    // The ammunition item id a launcher of this kind fires; 0 for none.
    int32_t get_ammo_id() const;
    // The most items of this kind one quick or ammunition slot holds.
    int32_t max_stack() const;
};

bool itm_valid_id(int id);
// Row `id`; row 0 for an id outside the table (ids come from save files).
const itm_t& get_itm(int id);
// Row `type` of the item type table; row 0 outside 0 to 15.
const text_info_t& get_itm_type(int type);
