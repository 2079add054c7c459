#include "rules/bag.h"

#include <gtest/gtest.h>

#include <map>
#include <tuple>
#include <vector>

#include "app/rnd.h"
#include "rules/itm.h"

namespace {

struct bag_fixture_t : ::testing::Test {
    itm_slot_t bag[BAG_SLOTS];
};

using Bag = bag_fixture_t;
using ItmMoves = bag_fixture_t;

itm_slot_t arrows(int n, int bonus = 0) {
    itm_slot_t s(166, n);
    s.bonus = bonus;
    return s;
}

}  // namespace

TEST_F(Bag, StacksBeforeFillingEmptySlots) {
    EXPECT_EQ(bag_free_slots(bag), BAG_SLOTS);
    bag[5] = arrows(10);
    itm_slot_t src = arrows(3);
    EXPECT_TRUE(bag_add_itm(bag, src, -1));
    EXPECT_EQ(bag[5].cnt, 13);
    for (int i = 0; i < 5; ++i) EXPECT_TRUE(bag[i].empty()) << i;
    EXPECT_TRUE(src.empty());

    itm_slot_t other = arrows(3, 1);  // a different bonus is another kind
    EXPECT_TRUE(bag_add_itm(bag, other, -1));
    EXPECT_EQ(bag[0].cnt, 3);
    EXPECT_EQ(bag[0].bonus, 1);
    EXPECT_EQ(bag_free_slots(bag), BAG_SLOTS - 2);

    itm_slot_t part = arrows(9);
    EXPECT_TRUE(bag_add_itm(bag, part, 4));  // a part of the stack
    EXPECT_EQ(bag[5].cnt, 17);
    EXPECT_EQ(part.cnt, 5);
    EXPECT_TRUE(bag_add_itm(bag, part, 50));  // never more than src holds
    EXPECT_EQ(bag[5].cnt, 22);
    EXPECT_TRUE(part.empty());
}

TEST_F(Bag, CountsOfZeroCountAsOne) {
    itm_slot_t a(33, 0), b(33, 0);
    EXPECT_TRUE(bag_add_itm(bag, a, -1));
    EXPECT_TRUE(bag_add_itm(bag, b, -1));
    EXPECT_EQ(bag[0].get_count(), 2);  // they stack as two items
    EXPECT_TRUE(bag[1].empty());
    EXPECT_TRUE(a.empty() && b.empty());
}

TEST_F(Bag, PagesAndInvalidSlots) {
    itm_slot_t s(28, 1);
    EXPECT_TRUE(bag_page_add_itm(bag, s, 2, -1));
    EXPECT_EQ(bag[100].id, 28);
    for (int page : {-1, 4}) {
        itm_slot_t t(28, 1);
        EXPECT_FALSE(bag_page_add_itm(bag, t, page, -1));
        EXPECT_EQ(t.cnt, 1);
    }
    bag[0].set(999, 5);  // a damaged save: the slot counts as empty
    EXPECT_EQ(bag_free_slots(bag), BAG_SLOTS - 1);
    itm_slot_t u(29, 1);
    EXPECT_TRUE(bag_add_itm(bag, u, -1));
    EXPECT_EQ(bag[0].id, 29);
}

TEST_F(Bag, AddAllGoesOnPastWhatDoesNotFitAndReturnsIt) {
    for (int i = 0; i < BAG_SLOTS - 1; ++i) bag[i].set(27, 1);
    bag[BAG_SLOTS - 1].set(166, 5);
    const std::vector<itm_slot_t> loot = {itm_slot_t(33, 0), arrows(7), itm_slot_t(34, 0), itm_slot_t(27, 0)};
    std::vector<itm_slot_t> placed;
    const std::vector<itm_slot_t> left = bag_add_all(bag, loot, &placed);
    EXPECT_EQ(bag[BAG_SLOTS - 1].cnt, 12);  // the arrows after the first misfit were still placed
    EXPECT_EQ(bag[0].cnt, 2);
    ASSERT_EQ(std::tuple(left.size(), placed.size()), std::tuple(2u, 2u));
    EXPECT_EQ(std::tuple(left[0].id, left[1].id, placed[0].cnt, placed[1].id), std::tuple(33, 34, 7, 27));
    EXPECT_TRUE(bag_add_all(bag, {}).empty());
}

TEST_F(ItmMoves, QuickSlotDrops) {
    itm_slot_t& quick = bag[0];
    itm_slot_t& src = bag[1];
    // Onto a full stack the two swap whole; onto a partial one, no swap; into an empty slot, up to the limit.
    const struct { int quick, src, want_quick, want_src; } drops[] = {{30, 5, 5, 30}, {28, 5, 30, 3}, {0, 50, 30, 20}};
    for (const auto& c : drops) {
        quick = c.quick ? arrows(c.quick) : itm_slot_t();
        src = arrows(c.src);
        itm_slot_put_quick(src, quick);
        EXPECT_EQ(quick.cnt, c.want_quick) << c.quick;
        EXPECT_EQ(src.cnt, c.want_src) << c.quick;
    }
    itm_slot_put_quick(src, src);
    EXPECT_EQ(src.cnt, 20);

    quick = itm_slot_t(27, 2);
    src = itm_slot_t(27, 9);
    itm_slot_put_bag(src, quick);  // the bag has no limit
    EXPECT_EQ(quick.cnt, 11);
    EXPECT_TRUE(src.empty());
}

TEST_F(ItmMoves, MergeNeverSwaps) {
    itm_slot_t a = arrows(30), b(28, 1);
    EXPECT_FALSE(itm_slot_merge(a, b, CNT_QUICK));
    EXPECT_EQ(a.cnt, 30);
    EXPECT_EQ(b.id, 28);
    itm_slot_t c = arrows(25);
    EXPECT_TRUE(itm_slot_merge(a, c, CNT_QUICK));
    EXPECT_EQ(c.cnt, 30);
    EXPECT_EQ(a.cnt, 25);
    itm_slot_t e;
    EXPECT_TRUE(itm_slot_merge(a, e, CNT_EQPT));
    EXPECT_EQ(e.cnt, 1);
    EXPECT_EQ(a.cnt, 24);
    EXPECT_TRUE(itm_slot_merge_any(a, c));
    EXPECT_EQ(c.cnt, 54);
    EXPECT_TRUE(a.empty());
    // A slot above its limit (a damaged save) takes nothing and gives nothing back.
    itm_slot_t over = arrows(40), more = arrows(5);
    EXPECT_EQ(itm_slot_stack_onto(more, over, 5, 30), 0);
    EXPECT_EQ(over.cnt, 40);
    EXPECT_EQ(more.cnt, 5);
}

// Random drops between the bag and four quick slots, on the game's generator:
// no sequence of moves makes or loses an item.
TEST_F(ItmMoves, RandomMoveSequencesKeepEveryItem) {
    using kind_t = std::tuple<int, int, int>;  // id, bonus, first enchantment
    auto census = [](const itm_slot_t* slots, int n) {
        std::map<kind_t, long long> m;
        for (int i = 0; i < n; ++i)
            if (!slots[i].empty()) m[{slots[i].id, slots[i].bonus, slots[i].ies[0]}] += slots[i].get_count();
        return m;
    };
    const int kinds[] = {166, 167, 27, 33, 74, 121, 169};
    for (uint32_t seed = 1; seed <= 20; ++seed) {
        rnd_srand(seed);
        itm_slot_t all[BAG_SLOTS + 4];
        for (int i = 0; i < 60; ++i) {
            itm_slot_t& s = all[rnd_below(BAG_SLOTS + 4)];
            s.set(kinds[rnd_below(7)], int(rnd_below(40)) - 3);  // counts of 0 and below too
            s.bonus = int(rnd_below(2));
        }
        const auto before = census(all, BAG_SLOTS + 4);
        for (int step = 0; step < 400; ++step) {
            itm_slot_t& a = all[rnd_below(BAG_SLOTS + 4)];
            itm_slot_t& b = all[rnd_below(BAG_SLOTS + 4)];
            switch (rnd_below(6)) {
            case 0: itm_slot_put_quick(a, b); break;
            case 1: itm_slot_put_bag(a, b); break;
            case 2: itm_slot_merge(a, b, int(rnd_below(3))); break;
            case 3: bag_add_itm(all, a, int(rnd_below(10)) - 1); break;
            case 4: bag_page_add_itm(all, a, int(rnd_below(5)), -1); break;
            default: {  // loot handed over: taken out of its slot first, the rest kept
                const itm_slot_t taken = a;
                a.clear();
                const std::vector<itm_slot_t> left = bag_add_all(all, {taken});
                if (!left.empty() && a.empty()) a = left[0];
            }
            }
            ASSERT_EQ(census(all, BAG_SLOTS + 4), before) << "seed " << seed << " step " << step;
        }
    }
}
