#pragma once
// Random items: the loot of a won battle and the arena shop's stock. A rarity
// level is picked by weight and held back by the party's level; then either a
// unique item of that rarity or a plain weapon, armour or shield with a bonus
// and random enchantments. Every draw comes from the game's generator.
#include <vector>

#include "rules/itm_slot.h"

// With chance (percent; 100 or more always) appends one item to loot: a plain
// item without bonus at treasure level 0, else roll_loot_itm.
void add_rand_loot(std::vector<itm_slot_t>& loot, int chance, int tl, int rare_min, int rare_max, int party_lv);
void roll_loot_itm(itm_slot_t& it, int tl, int rare_min, int rare_max, int party_lv);
// party_lv: the level of the party's first unit, 1 for an empty party.
int loot_rarity(int rare_min, int rare_max, int party_lv);
// The unique items (77 to 165) of that rarity that treasure level tl may give.
std::vector<int> loot_uniques(int rare_lv, int tl);
int rand_plain_itm();
// Up to n random enchantments that fit the item, at most one of each group.
void itm_add_rand_enchs(itm_slot_t& it, int n);
std::vector<int> int_range_vec(int a, int b);
