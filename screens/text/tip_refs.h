#pragma once
// Tooltip references: short texts that stand in a tip's place until the tip is
// shown, when tip_resolve (screens/text/tip_resolve.h) builds the description.
// Powers are named by id, item instances by value, so a reference never points
// at memory that may be gone (docs/design.md, "Tooltip references"):
//   "&pwr:57"                   power 57
//   "&itm:27.2.0.0.0.0.0.1"     an instance: id, bonus, four enchantments, instance word, count
#include "app/str.h"

class Pwr;
struct itm_slot_t;

namespace txt {

// "&pwr:<id>"; empty for a null power.
Str pwr_tip_ref(const Pwr* p);
// "&itm:" and the instance's eight record words, decimal, joined by ".".
Str itm_tip_ref(const itm_slot_t& s);

// "<tip=&pwr:id>" around pwr_line (screens/text/pwr_desc.h); empty for an id
// that names no power.
Str& pwr_link(Str& out, int pwr);
// "<tip=&itm:...>" around the instance's display name.
Str& itm_link(Str& out, const itm_slot_t& s);

// What the part after "&pwr:" names: null unless it is a decimal id of the registry.
const Pwr* pwr_of_ref(const wchar_t* val);
// The instance the part after "&itm:" describes: false (out unchanged) unless
// it is exactly eight decimal words, the id names an item and every
// enchantment id lies in the enchantment table.
bool itm_of_ref(const wchar_t* val, itm_slot_t* out);

}  // namespace txt
