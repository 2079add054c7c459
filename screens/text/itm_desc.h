#pragma once
// The description of one item instance, as its "&itm:" tooltip shows it.
#include "app/str.h"

struct itm_slot_t;

namespace txt {

// Heading with the display name; a block by item type (weapon: hands and group
// or "天生武器", damage, attack bonus, critical text, range; shield and armour:
// type, defence, speed penalty, Dexterity cap or "不限", non-proficiency
// penalty, arcane failure; ammunition: the launcher group; others: the type);
// weapon properties and enchantments; the item's description under a rule; the
// note of a built-in rarity; price and weight (none for natural weapons).
Str itm_desc(const itm_slot_t& it);
// Threat range r (faces counted down from 20) and multiplier m: "10%/x2", or
// with the show_dnd_ch option "19-20/x2" ("x2" when only 20 threatens).
Str crit_text(int r, int m);

}  // namespace txt
