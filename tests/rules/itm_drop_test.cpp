// Drops between the bag, its pages and a unit's equipment: what each pair of
// places does, and what is refused without a change.
#include "rules/itm_drop.h"

#include <gtest/gtest.h>

#include "rules/bag.h"
#include "rules/eqpts.h"
#include "rules/itm_ids.h"
#include "rules/unit.h"

TEST(ItmDrop, EachPairOfPlacesMovesByItsRuleAndRefusalsChangeNothing) {
    const auto bag_at = [](int n) { return itm_place_t{itm_at_e::bag, n}; };
    const auto eq_at = [](int n) { return itm_place_t{itm_at_e::eqpt, n}; };
    itm_slot_t bag[BAG_SLOTS];
    unit_t u;
    itm_slot_t* q = &u.eqpts.slots[EQ_QUICK];
    const int limit = itm_slot_t(ITM_BOW_A, 1).max_stack(CNT_QUICK);
    q[0].set(ITM_BOW_A, limit - 3);
    q[1].set(ITM_BOW_A, 10);
    q[2].set(ITM_SLING_A, 4);
    bag[0].set(ITM_SWD_T, 1);
    bag[1].set(ITM_BOW_A, 5);
    // Between quick slots: stacked up to the limit, other kinds swapped.
    EXPECT_TRUE(itm_drop(u, bag, eq_at(EQ_QUICK + 1), eq_at(EQ_QUICK)));
    EXPECT_TRUE(itm_drop(u, bag, eq_at(EQ_QUICK + 2), eq_at(EQ_QUICK)));
    EXPECT_EQ(std::tuple(q[0].id, q[1].get_count(), q[2].get_count()), std::tuple(int(ITM_SLING_A), 7, limit));
    // Out of the equipment into the bag: onto its own kind or an empty slot, never a swap.
    EXPECT_FALSE(itm_drop(u, bag, eq_at(EQ_QUICK + 1), bag_at(0)));
    EXPECT_TRUE(itm_drop(u, bag, eq_at(EQ_QUICK + 1), bag_at(1)));
    EXPECT_EQ(std::pair(bag[1].get_count(), q[1].empty()), std::pair(12, true));
    // Within the bag the two slots swap; a stack on a page goes whole into that page.
    EXPECT_TRUE(itm_drop(u, bag, bag_at(0), bag_at(1)) && itm_drop(u, bag, bag_at(0), {itm_at_e::page, 3}));
    EXPECT_EQ(std::tuple(bag[0].empty(), bag[1].id, bag[150].get_count()), std::tuple(true, int(ITM_SWD_T), 12));
    // An equipment slot takes only what fits it; nothing lands on its own slot or outside.
    EXPECT_FALSE(itm_drop_ok(bag[1], eq_at(EQ_HEAD)) || itm_drop_ok(itm_slot_t(), eq_at(EQ_MAIN)));
    EXPECT_TRUE(itm_drop_ok(bag[1], eq_at(EQ_MAIN)) && itm_drop_ok(itm_slot_t(), bag_at(5)));
    EXPECT_FALSE(itm_drop(u, bag, bag_at(1), eq_at(EQ_HEAD)) || itm_drop(u, bag, bag_at(1), bag_at(1)));
    EXPECT_FALSE(itm_drop(u, bag, bag_at(1), eq_at(EQPT_SLOTS)) || itm_drop(u, bag, bag_at(-1), bag_at(2)));
    EXPECT_EQ(bag[1].id, ITM_SWD_T);
    // From the bag into a quick slot: equipped, the other kind there going to the bag.
    set_eqpt_bag(bag);
    bag[2].set(ITM_BOW_A, 5);
    EXPECT_TRUE(itm_drop(u, bag, bag_at(2), eq_at(EQ_QUICK)));
    EXPECT_EQ(std::tuple(q[0].id, bag[0].id, bag[2].empty()), std::tuple(int(ITM_BOW_A), int(ITM_SLING_A), true));
    // Into the main hand and back out: the equipment is settled, the off hand moving over.
    u.eqpts.slots[EQ_OFF].set(ITM_KUKRI, 1);
    EXPECT_TRUE(itm_drop(u, bag, bag_at(1), eq_at(EQ_MAIN)) && itm_drop(u, bag, eq_at(EQ_MAIN), bag_at(7)));
    EXPECT_EQ(std::tuple(bag[7].id, u.eqpts.slots[EQ_MAIN].id, u.eqpts.slots[EQ_OFF].empty()),
              std::tuple(int(ITM_SWD_T), int(ITM_KUKRI), true));
    set_eqpt_bag(nullptr);
}
