#pragma once
// The gear-bonus record: the best value of each bonus kind among the items a
// unit wears, with the slot that gave it; and what the statistics calculation
// takes from it. An entry that feeds one derived word sits at that word's index
// (docs/design.md lists the mapping); 98 and up have no word of their own.
#include "rules/itm_slot.h"

class unit_t;

constexpr int GEAR_N = 106;

enum gear_e : int {
    G_SPD = 1,
    G_ABI = 3,  // Str .. Cha at 3..8
    G_CTR_ATK = 24,
    G_BOUNCE_P = 25,  // packed dice
    G_BOUNCE_F = 26,
    G_ELM_DMG = 27,
    G_PE_DMG = 28,
    G_NE_DMG = 29,
    G_TO_HEAL = 30,
    G_ELM = 32,     // the elemental companion's level
    G_ELM_IE = 33,  // and the enchantment that gave it
    G_DR = 40,
    G_ER = 41,
    G_RES = 42,       // + damage type: percent
    G_RES_TOX = 50,
    G_TRAIT = 80,     // + trait
    G_IMX_CH = 83,    // immune to critical hits
    G_IMX_WEB = 85,
    G_IMX_HARD = 86,
    G_AC_RNG = 87,
    G_SR = 88,
    G_UNSR = 89,
    G_HR = 92,
    G_BE_HEAL = 93,
    G_AUTO_HEAL1 = 94,
    G_AUTO_HEAL2 = 95,
    G_AMR = 98,   // armour bonus: body armour, or an armour enchantment
    G_SHD = 99,   // shield bonus: the shield, or a defending weapon in hand
    G_NAC = 100,  // natural armour
    G_DFLC = 101,
    G_SHD_RF = 102,  // the shield again, on Reflex
    G_TOWER = 103,   // -2: a tower shield costs 2 on every attack
    G_SAVE = 104,    // resistance bonus on the three saving defences
    G_LUCK = 105,    // on the saving defences, attacks and damage
};

struct gear_t {
    int val[GEAR_N];
    const itm_slot_t* src[GEAR_N];
};

// Zeroes the record, enters body armour and shield, then the enchantments.
void collect_gear_bonuses(const unit_t& u, int values[GEAR_N], const itm_slot_t* sources[GEAR_N]);
