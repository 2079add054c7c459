// Refilling the quick slots of the party's archers from the bag.
#include "rules/ammo_refill.h"

#include <gtest/gtest.h>

#include "rules/itm_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"

TEST(AmmoRefill, LaunchersTakeTheirOwnAmmunitionFromTheBagUntilTheQuickSlotsAreFull) {
    EXPECT_TRUE(is_launcher(itm_slot_t(ITM_BOW_S, 1)) && is_launcher(itm_slot_t(ITM_SLING, 1)));
    EXPECT_FALSE(is_launcher(itm_slot_t(ITM_DART, 1)) || is_launcher(itm_slot_t(ITM_SWD_T, 1))) << "thrown, or no shot";
    const int stack = itm_slot_t(ITM_BOW_A, 1).max_stack(CNT_QUICK);
    pty_t p;
    p.units = {new unit_t, new unit_t};
    p.units[0]->eqpts.slots[EQ_MAIN].set(ITM_JAVELIN, 1);  // no launcher: never short
    unit_t& archer = *p.units[1];
    itm_slot_t* q = &archer.eqpts.slots[EQ_QUICK];
    archer.eqpts.slots[EQ_MAIN].set(ITM_BOW_S, 1);
    q[0].set(ITM_BOW_A, stack - 5);
    q[1].set(ITM_SLING_A, 7);
    p.bag[3].set(ITM_SLING_A, 10);
    p.bag[7].set(ITM_BOW_A, stack);
    p.bag[9].set(ITM_BOW_A, 2 * stack + 3);
    EXPECT_TRUE(!quick_slots_full(archer, ITM_BOW_A) && refill_pty_ammo(p));
    EXPECT_EQ(std::tuple(q[0].get_count(), q[1].id, q[1].get_count(), q[2].get_count(), q[3].get_count()),
              std::tuple(stack, int(ITM_SLING_A), 7, stack, stack))
        << "stacked onto its own kind first, then into the empty slots; other ammunition stays";
    EXPECT_EQ(std::tuple(p.bag[3].get_count(), p.bag[7].empty(), p.bag[9].get_count()),
              std::tuple(10, true, stack - 2));
    // A crossbow with no bolts in the bag: short, and the full archer takes nothing more.
    p.units.push_back(new unit_t);
    p.units[2]->eqpts.slots[EQ_MAIN].set(ITM_BOW_X_S, 1);
    EXPECT_FALSE(refill_pty_ammo(p));
    EXPECT_EQ(p.bag[9].get_count(), stack - 2);
}
