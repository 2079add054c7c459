#include "rules/itm_slot.h"

#include <gtest/gtest.h>

#include <climits>
#include <cstring>
#include <tuple>
#include <vector>

#include "rules/itm.h"

namespace {

bool all_zero(const itm_slot_t& s) {
    static const char zero[sizeof(itm_slot_t)] = {};
    return std::memcmp(&s, zero, sizeof s) == 0;
}

}  // namespace

TEST(ItmSlot, RecordLayoutIsTheFileFormat) {
    using s = itm_slot_t;
    const std::vector<size_t> at{offsetof(s, id), offsetof(s, bonus), offsetof(s, ies), offsetof(s, ex),
                                 offsetof(s, cnt)};
    EXPECT_EQ(at, (std::vector<size_t>{0, 4, 8, 24, 28}));
}

TEST(ItmSlot, CountsAndEmptiness) {
    itm_slot_t s(27, 0);
    EXPECT_EQ(s.get_count(), 1);  // an occupied slot of cnt 0 holds one item
    s.cnt = -4;
    EXPECT_EQ(s.get_count(), 1);
    // Ids outside the table (a damaged save) make an empty slot.
    for (int id : {0, 180, -7, INT_MAX}) {
        itm_slot_t bad(id, 5);
        EXPECT_TRUE(bad.empty()) << id;
        EXPECT_EQ(bad.get_count(), 0) << id;
        EXPECT_TRUE(bad.get_ies().empty()) << id;
        EXPECT_TRUE(bad.same_kind(itm_slot_t())) << id;
    }
}

TEST(ItmSlot, AddCountAndKeepAtMost) {
    itm_slot_t s(27, 3);
    s.bonus = 2;
    s.add_count(-3);
    EXPECT_TRUE(all_zero(s));
    itm_slot_t e;
    e.add_count(0);
    EXPECT_TRUE(all_zero(e));
    itm_slot_t big(166, INT_MAX - 1);
    big.add_count(10);  // saturates, never wraps negative and clears
    EXPECT_EQ(big.cnt, INT_MAX);

    itm_slot_t arrows(166, 30);
    EXPECT_EQ(arrows.keep_at_most(20), 10);
    EXPECT_EQ(arrows.cnt, 20);
    EXPECT_EQ(arrows.keep_at_most(0), 20);
    EXPECT_TRUE(all_zero(arrows));
    EXPECT_EQ(arrows.keep_at_most(0), 0);
    itm_slot_t one(27, 0);
    EXPECT_EQ(one.keep_at_most(5), 0);
    EXPECT_EQ(one.keep_at_most(0), 1);
    EXPECT_TRUE(one.empty());
}

TEST(ItmSlot, SameKindAssignAndStackLimits) {
    itm_slot_t a(166, 3), b(166, 9);
    a.ex = 1;
    EXPECT_TRUE(a.same_kind(b));  // ex and cnt do not count
    b.bonus = 1;
    EXPECT_FALSE(a.same_kind(b));
    itm_slot_t c = a, d = a;
    c.ies[0] = 1, c.ies[1] = 2;
    d.ies[0] = 2, d.ies[1] = 1;
    EXPECT_FALSE(c.same_kind(d));  // order matters

    itm_slot_t x;
    x.assign(c, 0);
    EXPECT_EQ(std::memcmp(&x, &c, sizeof x), 0);
    x.assign(c, 7);
    EXPECT_EQ(x.cnt, 7);
    EXPECT_EQ(x.ies[1], 2);

    for (int id : {166, 167, 168, 27, 169}) {
        const itm_slot_t s(id, 1);
        EXPECT_EQ(s.max_stack(CNT_BAG), UNLIMITED);
        EXPECT_EQ(s.max_stack(CNT_EQPT), 1);
        EXPECT_EQ(s.max_stack(CNT_QUICK), get_itm(id).max_stack());
    }
}

TEST(ItmSlot, EnchantmentListKindFirst) {
    itm_slot_t belt(83, 1);  // belt_hr2
    EXPECT_EQ(belt.get_ies(), (std::vector<int>{64, 62, 66}));
    belt.ies[1] = 5;
    belt.ies[3] = 64;
    EXPECT_EQ(belt.get_ies(), (std::vector<int>{64, 62, 66, 5, 64}));
}

TEST(ItmSlot, BonusCapsAndMakers) {
    itm_slot_t shd;
    mk_itm_slot_bonus(shd, 74, 1, 5);  // light shield, defence 2
    EXPECT_EQ(shd.bonus, 2);
    itm_slot_t ring;
    mk_itm_slot_bonus(ring, 122, 1, 4);  // ring_luck1: fixed rarity
    EXPECT_EQ(ring.bonus, 1);
    mk_itm_slot_bonus(ring, 121, 1, 4);  // ring_dflc grows with its bonus
    EXPECT_EQ(ring.bonus, 4);
    itm_slot_t sword;
    mk_itm_slot_bonus(sword, 33, 1, 7);
    EXPECT_EQ(sword.bonus, 7);

    sword.set_bonus_by_lv(4);
    EXPECT_EQ(sword.bonus, 7);
    sword.set_bonus_by_lv(12);
    EXPECT_EQ(sword.bonus, 2);
    shd.set_bonus_by_lv(30);
    EXPECT_EQ(shd.bonus, 2);

    itm_slot_t e;
    mk_itm_slot_enchs(e, 121, 2, 0, 1, 2, 3, 4);  // no test of applicability
    EXPECT_EQ(std::tuple(e.bonus, e.ies[3]), std::tuple(0, 4));
    mk_itm_slot_enchs(e, 33, 2, 3, 0, 0, 0, 9);
    EXPECT_EQ(std::tuple(e.bonus, e.ies[0], e.cnt), std::tuple(3, 0, 2));
}
