#pragma once
// The arena merchant's stock and trades. Five shelves are built from the item
// table: the limited magic items, rolled from the arena record's batch seed so
// they stay the same while the player comes and goes (and bought ones stay
// sold until the shop restocks), then minor wondrous items, minor enchanted
// gear, plain gear and ammunition, which never run out. The party buys at an
// item's price and sells back at a tenth of it; the funds change by exactly
// what went into or out of the bag.
#include <vector>

#include "rules/itm_slot.h"

class pty_t;
struct arena_rec_t;

enum : int { SHELF_LIMITED = 0, SHELF_WONDROUS = 1, SHELF_ENCH_GEAR = 2, SHELF_GEAR = 3, SHELF_AMMO = 4, SHELVES = 5 };

// shop_sell's n for the whole stack.
constexpr int SELL_STACK = -1;

// The bonus of the minor magic shelves: batch level / 5.
int shop_minor_bonus(int batch_lv);
// The minor magic shelves open from batch level 5; the others always.
bool shop_shelf_open(int shelf, int batch_lv);
// Regular and minor enchanted gear are listed under their weapon group.
bool shop_shelf_grouped(int shelf);
// A weapon's group; anything else counts as armour (WG_AMR).
int shop_itm_grp(const itm_slot_t& it);

// Each appends its shelf's items in order. The limited shelf draws from its
// own seed (the batch seed, plus the defeated mask once two challenges are
// beaten) and leaves the game's generator as it found it.
void shop_fill_limited(std::vector<itm_slot_t>& out, const arena_rec_t& a, int party_lv);
void shop_fill_wondrous(std::vector<itm_slot_t>& out, int batch_lv);
void shop_fill_ench_gear(std::vector<itm_slot_t>& out, int batch_lv);
void shop_fill_gear(std::vector<itm_slot_t>& out);
void shop_fill_ammo(std::vector<itm_slot_t>& out);
// The shelf's stock for the party; limited items already sold are empty slots.
std::vector<itm_slot_t> shop_stock(int shelf, const pty_t& p);

enum class buy_res_e { done, no_gold, no_stock, bag_full };
// The stock holds n of s and the party's gold pays for them.
bool shop_can_buy(const pty_t& p, const itm_slot_t& s, int n);
struct buy_res_t {
    buy_res_e res;
    int placed;  // items that went into the bag, and were paid for
};
// Buys n of stock[i] into the party's bag. Only what the bag took is paid
// for; a limited item is marked sold in the arena record. Nothing changes
// when the gold or the stock does not reach n, or the bag takes nothing.
buy_res_t shop_buy(pty_t& p, std::vector<itm_slot_t>& stock, int shelf, int i, int n);
// What the shop pays for one item of the slot: a tenth of its price.
double shop_sell_price(const itm_slot_t& it);
// The slot holds n items to sell (SELL_STACK: any).
bool shop_can_sell(const itm_slot_t& it, int n);
// Sells n items (SELL_STACK: all) of bag slot b; the number sold, 0 when the
// slot is empty or holds fewer than n.
int shop_sell(pty_t& p, int b, int n);

// The hub calls this when a challenge is beaten for the first time, before
// its bit is set: from two challenges beaten on, the sold marks are cleared.
void shop_restock_check(arena_rec_t& a);
