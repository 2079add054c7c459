#pragma once
// The rows of the item table as data, one table per kind of row; the fields a
// row leaves out keep the defaults of its kind. itm.cpp turns them into itm_t.
#include <cstdint>
#include <span>

#include "rules/ids_in_order.h"
#include "rules/itm.h"

constexpr int NEVER = UNLIMITED;  // treasure level of kinds that are never drawn

// Natural attacks: type 1, group 9 "Unarmed", category 4 "Natural", no price
// or weight, critical multiplier 2, flag "light".
struct itm_nat_row_t {
    int id;
    const wchar_t* key;
    const char* dmg;
    int hands = 1;
    int crit_rng = 1;
    int ies[2] = {};
};

// Manufactured weapons: type 1.
struct itm_wpn_row_t {
    int id;
    const wchar_t* key;
    int grp;
    int cat = 2;    // "Military"
    int hands = 1;  // "OneHanded"
    double price;
    double wt;
    const char* dmg;
    int crit_rng = 1;
    int crit_mul = 2;
    int range = 0;
    int flags = 0;
};

// Armour and shields; a shield's bash is category 2, one hand, 20 only, x2, melee.
struct itm_amr_row_t {
    int id;
    const wchar_t* key;
    int type = IT_AMR;
    int grp;
    double price;
    double wt;
    int max_dex = UNLIMITED;
    int np_pen = 0;
    int spd = 0;
    int asf = 0;
    int def = 0;
    const char* bash = nullptr;
    int bash_flags = 0;
};

// Enchanted wearables and books: no price and no group; the enchantments decide.
struct itm_wear_row_t {
    int id;
    const wchar_t* key;
    int type;
    double wt;
    int min_lv = 1;
    int rare_lv;
    int ies[4] = {};
};

// Ammunition: type 3; grp is the launcher's weapon group.
struct itm_ammo_row_t {
    int id;
    const wchar_t* key;
    int grp;
    double price;
    double wt;
};

// Consumables: type 14, group 0; the weapon part is category 1, one hand, 20 only, x2.
struct itm_drug_row_t {
    int id;
    const wchar_t* key;
    double price;
    double wt;
    const char* dmg;
    int range = 0;
    int flags = 0;
};

struct itm_rows_t {
    std::span<const itm_nat_row_t> nat;
    std::span<const itm_wpn_row_t> wpn;
    std::span<const itm_amr_row_t> amr;
    std::span<const itm_wear_row_t> wear;
    std::span<const itm_ammo_row_t> ammo;
    std::span<const itm_drug_row_t> drug;
};
const itm_rows_t& itm_rows();
