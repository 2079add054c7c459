#pragma once
// Enchantments (ie_t, ids 1 to 83) and the rules every item rule builds on:
// the value of an enchantment on an instance, the instance's enchantment list,
// its rarity level and the enchantments that may be rolled for it.
#include <cstdint>
#include <vector>

#include "app/text_info.h"

struct itm_slot_t;

constexpr int IE_COUNT = 84;  // rows 0 to 83, row 0 empty

// ie_t::flags
enum ie_flag_e : int32_t {
    IEF_WPN = 0x1,       // rolled on weapons, subject to the four bits below
    IEF_AMR = 0x2,       // rolled on armour
    IEF_SHD = 0x4,       // rolled on shields
    IEF_MELEE = 0x8,     // weapons used in melee
    IEF_RANGED = 0x10,   // ranged weapons
    IEF_SP = 0x20,       // weapons dealing slashing or piercing damage
    IEF_B = 0x40,        // weapons dealing bludgeoning damage
    IEF_BOW = 0x80,      // bows only
    IEF_FIXED = 0x100,   // the value does not grow with the bonus
    IEF_ADD_LV = 0x200,  // lv is added to the value
};

// Exclusion groups (ie_t::grp): an item holds one enchantment of a group. Each is
// one bonus kind of its wearer; IEG_DEF counts only on a weapon in hand.
enum ie_grp_e : int32_t {
    IEG_DEF = 1,
    IEG_DR = 2,
    IEG_ER = 3,
    IEG_SR = 4,
    IEG_AC_RNG = 5,
    IEG_AMR = 6,
    IEG_NAC = 7,
    IEG_LUCK = 8,
    IEG_UNSR = 9,
    IEG_HR = 10,
    IEG_CTR_ATK = 11,
    IEG_SPD = 12,
    IEG_ELM = 13,
};

// ie_t::param 14: the damage types of the weapon itself.
constexpr int IE_PARAM_WPN_DMG = 14;

class ie_t : public text_info_t {
public:
    // d is the value text, a format with one placeholder for the number or the dice.
    int32_t lv = 0;     // lowest instance bonus it is rolled on; enters the price
    int32_t val = 0;    // per bonus point: a number, or packed dice
    int32_t cost = 0;   // price factor
    int32_t grp = 0;    // exclusion group; also the wearer's bonus kind
    int32_t flags = 0;  // ie_flag_e
    int32_t param = 0;  // damage-type bit index of damage enchantments

    bool scales() const { return !(flags & IEF_FIXED); }
};

bool ie_valid_id(int id);
// Row `id`; row 0 for an id outside the table (ids come from save files).
const ie_t& get_ie(int id);

// The value of enchantment e on the instance: a number, or packed dice.
int32_t itm_ench_val(const itm_slot_t& it, int e);
bool itm_has_ench(const itm_slot_t& it, int e);
// None of the item kind's built-in enchantments grows with the bonus.
bool itm_ies_fixed(int itm_id);
// Built-in rarity 2 or more with fixed enchantments: such an item's bonus stays at most 1.
bool itm_is_fixed_rarity(const itm_slot_t& it);
// 1 to 6.
int itm_rare_lv(const itm_slot_t& it);
// The enchantments that may be rolled for the instance, in table order.
std::vector<int> ie_list_for_itm(const itm_slot_t& it);
