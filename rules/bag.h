#pragma once
// Moving item instances between slots: stacking onto equal items, filling
// empty slots, and the party bag of 200 slots shown as 4 pages of 50. Every
// move takes from src exactly what dst gains; nothing is made or lost.
#include <functional>
#include <vector>

#include "rules/itm_slot.h"

constexpr int BAG_SLOTS = 200;
constexpr int BAG_PAGE_SLOTS = 50;
constexpr int BAG_PAGES = 4;

// A primitive move of up to n items from src to dst, at most `limit` in dst;
// returns the number moved.
using itm_move_fn = std::function<int(itm_slot_t& src, itm_slot_t& dst, int n, int limit)>;

// Adds to dst when it holds the same kind as src.
int itm_slot_stack_onto(itm_slot_t& src, itm_slot_t& dst, int n, int limit);
// Copies into dst when dst is empty.
int itm_slot_fill_empty(itm_slot_t& src, itm_slot_t& dst, int n, int limit);
// Calls move over the slots in order until n items are placed; returns the sum moved.
int slots_add_by(itm_slot_t& src, itm_slot_t* slots, int nslots, int n, int limit, const itm_move_fn& move);
// Stacks onto equal items first; only when none took anything, fills empty
// slots. n = -1 means src's whole count. True when anything moved.
bool slots_add_itm(itm_slot_t& src, itm_slot_t* slots, int nslots, int n);

// The bag operations take the bag's 200 slots.
bool bag_add_itm(itm_slot_t* bag, itm_slot_t& src, int n);
// Page 0 to 3; any other page places nothing.
bool bag_page_add_itm(itm_slot_t* bag, itm_slot_t& src, int page, int n);
// Places each item whole, in order, and goes on past one that does not fit;
// returns what could not be placed (empty when everything was), for the
// caller to keep. placed, when given, receives what was.
std::vector<itm_slot_t> bag_add_all(itm_slot_t* bag, const std::vector<itm_slot_t>& items,
                                    std::vector<itm_slot_t>* placed = nullptr);
int bag_free_slots(const itm_slot_t* bag);

// Dropping src on dst in a panel. The quick slots stack up to the kind's limit,
// then move into an empty dst, else swap the two slots whole.
void itm_slot_put_quick(itm_slot_t& src, itm_slot_t& dst);
void itm_slot_put_bag(itm_slot_t& src, itm_slot_t& dst);
// Stack or move into an empty dst, never swap; true when anything moved.
bool itm_slot_merge(itm_slot_t& src, itm_slot_t& dst, int container);
bool itm_slot_merge_any(itm_slot_t& src, itm_slot_t& dst);
