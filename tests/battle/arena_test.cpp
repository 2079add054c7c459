// The arena's campaign: the batch a record stands for, the fee, and what a
// fight, a beaten challenge and a new floor write into the record.
#include "battle/arena.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

#include "app/rnd.h"
#include "battle/btl.h"
#include "rules/enum_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "support/mapped.h"

TEST(GenBatch, HoldsOneTwoThreeAndUpToThreeMoreSortedAndRepeatsFromItsRecord) {
    rnd_srand(12345);
    rnd_save();
    rnd_restore();
    const uint32_t after_one_seeded_section = rnd_get_state();
    std::set<size_t> sizes;
    // Until every batch size has shown up; each batch is also regenerated.
    for (int seed = 0; seed < 200 && (seed < 20 || sizes.size() < 4); ++seed) {
        arena_rec_t rec;
        rec.lv = 1 + seed % 7, rec.size = 1 + seed % 6, rec.seed = seed;
        rnd_srand(12345);
        const std::vector<enc_t> a = gen_batch(rec);
        EXPECT_EQ(rnd_get_state(), after_one_seeded_section) << "the game's generator moves on by one draw only";
        ASSERT_GE(a.size(), 3u);
        ASSERT_LE(a.size(), 6u);
        sizes.insert(a.size());
        const std::vector<int> diffs = mapped(a, [](const enc_t& e) { return e.diff; });
        EXPECT_TRUE(std::is_sorted(diffs.begin(), diffs.end())) << seed;
        for (int d : {1, 2, 3}) EXPECT_NE(std::count(diffs.begin(), diffs.end(), d), 0) << seed;
        rnd_srand(999);  // another state of the game's generator, another clock
        EXPECT_EQ(gen_batch(rec), a) << seed;
    }
    EXPECT_EQ(sizes, (std::set<size_t>{3, 4, 5, 6}));
}

TEST(GenBatch, ASeedOfZeroIsAFixedSeedNotTheClock) {
    arena_rec_t rec;
    rec.lv = 3, rec.size = 4, rec.seed = 0;
    rnd_srand(1);
    const auto first = gen_batch(rec);
    rnd_srand(77777);
    EXPECT_EQ(gen_batch(rec), first);
    rec.seed = 1;
    EXPECT_NE(gen_batch(rec), first);
}

TEST(ArenaRec, TheFeeIsTakenAFirstWinCountsOnceAfterTheRestockRuleAndTheMasterOpensAFloor) {
    g_pty.init(L"t", {new unit_t, new unit_t, new unit_t, new unit_t});
    g_pty.units[0]->base.lv = 1;
    g_pty.gold = 100;
    EXPECT_EQ(arena_take_fee(), 640);
    EXPECT_DOUBLE_EQ(g_pty.gold, -540) << "no check: the funds go below 0";
    g_pty.reset();
    arena_rec_t a;
    for (int s : {BTL_WON, BTL_LOST, BTL_ABORTED, BTL_WON, BTL_NONE}) arena_count_fight(a, s);
    EXPECT_EQ(std::pair(a.wins, a.losses), std::pair(2, 1)) << "an aborted fight counts neither";
    a.sold = 5;
    for (int i : {2, 0, 2}) arena_beat_challenge(a, i);
    EXPECT_EQ(std::tuple(a.beaten, a.n_beaten, a.sold), std::tuple(0b101, 2, 5)) << "won again: nothing new";
    arena_beat_challenge(a, 1);
    EXPECT_EQ(std::tuple(a.beaten, a.n_beaten, a.sold), std::tuple(0b111, 3, 0)) << "two beaten before: restocked";
    EXPECT_TRUE(arena_batch_beaten(a, 3) && arena_is_beaten(a, 1));
    EXPECT_FALSE(arena_batch_beaten(a, 4) || arena_is_beaten(a, 3));
    // The arena master beaten: a new batch one floor up, nothing of it beaten or sold.
    arena_next_floor(a, 4, 2);
    EXPECT_EQ(std::tuple(a.lv, a.size, a.beaten, a.sold, a.floor, a.n_beaten), std::tuple(4, 2, 0, 0, 1, 4));
    const enc_t m = arena_master_enc(8, 4);  // a party for which dens fit the hard band
    EXPECT_EQ(std::pair(m.diff, m.type), std::pair(int(DIFF_HARD), int(ENCT_DEN)));
}
