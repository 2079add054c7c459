#pragma once
// What an item instance costs, what it is called and the two tooltip sections
// of its enchantments and weapon properties. The constants decide the game's
// economy. itm_slot_t::get_price and get_name are defined here too.
#include <cstdint>

#include "app/str.h"

struct itm_slot_t;

int32_t itm_ench_cost(const itm_slot_t& it);
// The rich text of the instance's rarity level; empty for levels 0 and 1.
const Str& itm_rare_lbl(const itm_slot_t& it);
void itm_enchs_tip(const itm_slot_t& it, Str& out);
void itm_wpn_flags_tip(const itm_slot_t& it, Str& out);

// An enchantment's value text comes from the translators: its one placeholder
// takes the value (a number, or `text` when not null); everything else is
// copied as it stands, so a wrong conversion cannot misread the arguments.
Str ie_fill_val(const wchar_t* fmt, int num, const wchar_t* text);
