#include "rules/loot.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstring>
#include <map>
#include <set>

#include "app/rnd.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/rare_lv.h"

namespace {

// Every draw of loot and of the shop's stock repeats from its seed.
std::vector<itm_slot_t> roll_many(uint32_t seed, int tl, int rmin, int rmax, int party_lv) {
    rnd_srand(seed);
    std::vector<itm_slot_t> v;
    for (int i = 0; i < 300; ++i) add_rand_loot(v, 100, tl, rmin, rmax, party_lv);
    return v;
}

bool one_per_group(const itm_slot_t& s) {
    std::set<int> groups;
    for (int e : s.ies) {
        if (e == 0 || get_ie(e).grp == 0) continue;
        if (!groups.insert(get_ie(e).grp).second) return false;
    }
    return true;
}

}  // namespace

TEST(Loot, RarityCapsAndThePartyLevel) {
    rnd_srand(7);
    std::set<int> seen;
    for (int i = 0; i < 2000; ++i) {
        EXPECT_EQ(loot_rarity(4, 4, 1), 4);  // the minimum wins over the party cap
        EXPECT_EQ(loot_rarity(2, 6, 1), 2);  // an empty party counts as level 1
        const int r = loot_rarity(2, 6, 3);
        EXPECT_TRUE(r == 2 || r == 3) << r;
        seen.insert(r);
        const int all = loot_rarity(2, 6, 8);
        EXPECT_GE(all, 2);
        EXPECT_LE(all, 6);
        seen.insert(10 + all);
        EXPECT_EQ(loot_rarity(2, 3, 8) <= 3, true);
        EXPECT_EQ(loot_rarity(-5, 99, 8) <= 6, true);  // bounds outside the table are held inside it
    }
    EXPECT_TRUE(seen.count(3));   // legend and the like fall to rare at level 3
    EXPECT_TRUE(seen.count(16));  // a relic does come up at level 8
}

TEST(Loot, UniquesAndThePlainPool) {
    const std::vector<int> epic = loot_uniques(4, 1);
    ASSERT_FALSE(epic.empty());
    for (int id : epic) {
        EXPECT_EQ(get_itm(id).rare_lv, 4);
        EXPECT_TRUE(id < 160 || id > 165) << "books are never drawn: " << id;
    }
    EXPECT_TRUE(std::is_sorted(epic.begin(), epic.end()));
    EXPECT_TRUE(loot_uniques(4, 0).empty());
    EXPECT_TRUE(loot_uniques(1, 100).empty());

    rnd_srand(3);
    std::set<int> ids;
    for (int i = 0; i < 3000; ++i) ids.insert(rand_plain_itm());
    EXPECT_EQ(*ids.begin(), 27);
    EXPECT_EQ(*ids.rbegin(), 76);
    EXPECT_EQ(ids.size(), 50u);

    EXPECT_EQ(int_range_vec(3, 5), (std::vector<int>{3, 4, 5}));
    EXPECT_TRUE(int_range_vec(5, 3).empty());
}

TEST(Loot, TreasureLevelZeroGivesAPlainItem) {
    for (const itm_slot_t& s : roll_many(11, 0, 2, 6, 8)) {
        EXPECT_GE(s.id, 27);
        EXPECT_LE(s.id, 76);
        EXPECT_EQ((std::array{s.bonus, s.cnt, s.get_count(), s.ies[0]}), (std::array{0, 0, 1, 0}));
    }
}

TEST(Loot, BonusesEnchantmentsAndGroups) {
    for (uint32_t seed : {1u, 2u, 3u}) {
        const std::vector<itm_slot_t> v = roll_many(seed, 1, 2, 6, 8);
        for (const itm_slot_t& s : v) {
            const itm_t& kind = get_itm(s.id);
            EXPECT_TRUE(one_per_group(s)) << s.id;
            for (int e : s.ies) {
                EXPECT_LE(get_ie(e).lv, 1) << "a +1 item takes level-1 enchantments only";
            }
            EXPECT_EQ(s.bonus, 1);
            if (kind.rare_lv >= 2) {
                EXPECT_EQ(s.ies[0], 0) << "a unique item gets no random enchantments";
            }
        }
        EXPECT_EQ(roll_many(seed, 1, 2, 6, 8).size(), v.size());
    }
    // Deep treasure: four enchantments at relic, each group once, shields capped.
    for (const itm_slot_t& s : roll_many(5, 10, 6, 6, 8)) {
        EXPECT_TRUE(one_per_group(s));
        const itm_t& kind = get_itm(s.id);
        if (kind.rare_lv != 0) continue;
        EXPECT_EQ(s.bonus, kind.type == IT_SHD ? kind.amr.def : 10) << s.id;
        EXPECT_EQ(itm_rare_lv(s), 6) << s.id;  // four enchantments
    }
}

TEST(Loot, ChanceAndRepeatability) {
    rnd_srand(9);
    std::vector<itm_slot_t> v;
    for (int i = 0; i < 200; ++i) add_rand_loot(v, 0, 3, 2, 6, 8);
    EXPECT_TRUE(v.empty());
    for (int i = 0; i < 200; ++i) add_rand_loot(v, 30, 3, 2, 6, 8);
    EXPECT_GT(v.size(), 30u);
    EXPECT_LT(v.size(), 100u);

    const std::vector<itm_slot_t> a = roll_many(42, 4, 2, 6, 5), b = roll_many(42, 4, 2, 6, 5);
    ASSERT_EQ(a.size(), b.size());
    for (size_t i = 0; i < a.size(); ++i) EXPECT_EQ(std::memcmp(&a[i], &b[i], sizeof a[i]), 0) << i;
}

// ---- which rarity a draw picks ----

namespace {
// The draw's weights from magic up: each level a quarter as likely as the one
// below it, but magic twice rare and the relic a quarter of the legend.
constexpr int rarity_weights[] = {256, 128, 32, 4, 1};
constexpr int rarity_weight_sum = 421;
}  // namespace

TEST(Loot, RaritiesComeUpByTheirWeights) {
    rnd_srand(21);
    int count[RARE_LV_COUNT] = {};
    const int n = 20 * rarity_weight_sum;
    for (int i = 0; i < n; ++i) ++count[loot_rarity(RARE_MAGIC, RARE_RELIC, 8)];
    for (int k = 0; k < 5; ++k) {
        const double want = double(rarity_weights[k]) / rarity_weight_sum;
        EXPECT_NEAR(double(count[RARE_MAGIC + k]) / n, want, 0.02) << "rarity " << RARE_MAGIC + k;
    }
}

TEST(Loot, ARarityThePartyIsTooLowForFallsToTheBestItMayHave) {
    // Replays each seed's draw to find those that rolled above what the party
    // level allows: a party of exactly the level rare needs gets rare.
    int fell = 0;
    for (uint32_t seed = 1; seed <= 400; ++seed) {
        rnd_srand(seed);
        const int rolled = rnd_pick_weighted({std::begin(rarity_weights), std::end(rarity_weights)}) + RARE_MAGIC;
        rnd_srand(seed);
        const int got = loot_rarity(RARE_MAGIC, RARE_RELIC, 2);
        if (rolled <= RARE_RARE) {
            EXPECT_EQ(got, rolled) << seed;
            continue;
        }
        EXPECT_EQ(got, RARE_RARE) << seed;
        ++fell;
    }
    EXPECT_GT(fell, 10) << "enough draws rolled above rare";
}

TEST(Loot, HalfOfTheItemsAreUniquesAndTheRestCarryOneEnchantmentARarityAboveMagic) {
    for (int rarity : {RARE_RARE, RARE_EPIC, RARE_LEGEND}) {
        const std::vector<itm_slot_t> v = roll_many(uint32_t(30 + rarity), 10, rarity, rarity, 8);
        int uniques = 0;
        for (const itm_slot_t& s : v) {
            if (get_itm(s.id).rare_lv != 0) {
                ++uniques;
                continue;
            }
            const int n = int(std::count_if(std::begin(s.ies), std::end(s.ies), [](int e) { return e != 0; }));
            EXPECT_EQ(n, rarity - RARE_MAGIC) << "rarity " << rarity << " item " << s.id;
            EXPECT_EQ(itm_rare_lv(s), rarity) << s.id;
        }
        EXPECT_NEAR(double(uniques) / double(v.size()), 0.5, 0.1) << "rarity " << rarity;
    }
}

TEST(Loot, TheCommonArmsComeUpTwiceAsOften) {
    const int twice[] = {ITM_SWD_T, ITM_SWD_S, ITM_SWD_M, ITM_SWD_B, ITM_AXE_S, ITM_HMR_S,
                         ITM_MSTAR, ITM_SPEAR_B, ITM_BOW_B, ITM_BOW_X_T, ITM_BOW_X_B};
    rnd_srand(17);
    std::map<int, int> count;
    const int n = 61 * 300;  // 50 kinds, 11 of them twice: 300 draws a share
    for (int i = 0; i < n; ++i) ++count[rand_plain_itm()];
    ASSERT_EQ(count.size(), 50u);
    for (const auto& [id, c] : count) {
        const bool common = std::find(std::begin(twice), std::end(twice), id) != std::end(twice);
        if (common)
            EXPECT_GT(c, 450) << id;
        else
            EXPECT_LT(c, 450) << id;
    }
}
