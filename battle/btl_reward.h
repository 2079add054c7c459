#pragma once
// What an arena battle costs and pays: the fee, the experience share, loot and
// gold, the zero-death bonus, and the victory and defeat pages the hub shows.
// Everything is paid into the one party of the game.
#include <vector>

#include "app/str.h"
#include "rules/itm_slot.h"

struct enc_t;
struct enc_mon_t;

// Paid before the fight and back on a win.
int calc_btl_gold();
// The fee of one member of a party of that level.
int btl_fee_per_member(int lv);
// Experience of the whole encounter as the player is shown it.
double enc_xp(const enc_t& e);
// The worth of one unit of the entry: 100 x level x the rank's multiplier.
double enc_mon_xp(const enc_mon_t& m);
void gen_btl_loot(int lv, int size, int* gold, std::vector<itm_slot_t>* items);
// Pays experience, loot and gold into the party and writes the victory page.
void btl_win_rewards(const enc_t& e, Str& out);
void btl_lose_text(Str& out);

Str enc_kills_text(const enc_t& e);
Str enc_mon_text(const enc_mon_t& m);
Str enc_desc_text(const enc_t& e);
Str loot_text(const std::vector<itm_slot_t>& items);
