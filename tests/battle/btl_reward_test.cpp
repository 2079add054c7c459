// Arena fees, experience shares, loot, gold and the victory and defeat pages.
#include "battle/btl_reward.h"

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/enc.h"
#include "battle/listener.h"
#include "battle/mon_of_rank.h"
#include "rules/bag.h"
#include "rules/mon.h"
#include "rules/pty.h"
#include "rules/unit.h"

namespace {

void set_party(int lv, int n) {
    std::vector<unit_t*> us;
    for (int i = 0; i < n; ++i) {
        unit_t* u = new unit_t;
        u->base.lv = lv;
        us.push_back(u);
    }
    g_pty.init(L"test", us);
}

bool has(const Str& s, const wchar_t* part) { return wcsstr(s.c_str(), part) != nullptr; }

// The first seed whose loot roll for the party gives at least one item, and that roll.
struct loot_roll_t {
    uint32_t seed = 0;
    int gold = 0;
    std::vector<itm_slot_t> items;
};
loot_roll_t first_loot(int lv, int n) {
    loot_roll_t r;
    while (r.items.empty()) {
        rnd_srand(++r.seed);
        gen_btl_loot(lv, n, &r.gold, &r.items);
    }
    return r;
}

class Reward : public ::testing::Test {
protected:
    void SetUp() override { reset_btl(); }
    void TearDown() override { g_pty.reset(); }
};

}  // namespace

TEST_F(Reward, FeePerMemberGrowsBetweenFiveLevelSteps) {
    const int fees[][2] = {{1, 160}, {4, 340}, {5, 400}, {6, 500}, {10, 900}};
    for (const auto& [lv, fee] : fees) EXPECT_EQ(btl_fee_per_member(lv), fee) << lv;
    set_party(1, 4);
    EXPECT_EQ(calc_btl_gold(), 640);
    g_pty.reset();
    EXPECT_EQ(calc_btl_gold(), 0);  // no party, no fee
}

TEST_F(Reward, ExperienceByRankAndItsShareLosesTheRemainder) {
    const int normal = mon_of_rank(1), minion = mon_of_rank(4), elite = mon_of_rank(2);
    ASSERT_TRUE(normal && minion && elite);
    EXPECT_EQ(enc_mon_xp({normal, 3, 1}), 300);
    EXPECT_EQ(enc_mon_xp({minion, 3, 1}), 75);  // a divisor of 4
    EXPECT_EQ(enc_mon_xp({elite, 3, 1}), 600);
    const enc_t e{2, 1, {{normal, 1, 1}}};
    EXPECT_EQ(enc_xp(e), 100);
    set_party(1, 3);
    g_pty.units[2]->hp = 0;  // the dead get their share too
    Str page;
    btl_win_rewards(e, page);
    for (unit_t* u : g_pty.units) EXPECT_EQ(u->xp, 33);
    EXPECT_TRUE(has(page, L"33</f> XP/每人"));
    EXPECT_TRUE(has(page, L"(100 XP/每单位)"));
}

TEST_F(Reward, LootAtLevelFiveTriesOneItemAtEachOfTwoLevels) {
    for (uint32_t s = 1; s <= 20; ++s) {
        rnd_srand(s);
        int gold = -1;
        std::vector<itm_slot_t> items;
        gen_btl_loot(5, 10, &gold, &items);  // 10 members: every try is certain
        EXPECT_EQ(items.size(), 2u);
        EXPECT_GE(gold, 0);
        EXPECT_LT(gold, 2 * 3200);  // g = (2000 x a x 4) / 10 with a = 4
    }
}

TEST_F(Reward, AWinPaysTheFeeBackWithTheGoldAndOneZeroDeathBonus) {
    for (bool no_death : {true, false}) {
        set_party(1, 4);
        btl().no_death = no_death;
        const loot_roll_t loot = first_loot(1, 4);
        const double before = g_pty.gold;
        rnd_srand(loot.seed);
        Str page;
        btl_win_rewards({1, 5, {{mon_of_rank(1), 1, 1}}}, page);
        const int bonus = no_death ? 160 : 0;
        EXPECT_EQ(g_pty.gold, before + 640 + loot.gold + bonus);
        EXPECT_EQ(has(page, L"(+160 零阵亡奖励)"), no_death);
        EXPECT_EQ(has(page, gold_text(loot.gold + bonus).c_str()), true);
        EXPECT_EQ(BAG_SLOTS - bag_free_slots(g_pty.bag), int(loot.items.size()));
        EXPECT_FALSE(has(page, L"背包已满"));
    }
}

TEST_F(Reward, AFullBagKeepsItsItemsAndThePageNamesTheLootThatDidNotFit) {
    set_party(1, 4);
    const itm_slot_t filler(27, 1);
    const loot_roll_t loot = first_loot(1, 4);
    for (const itm_slot_t& it : loot.items) ASSERT_NE(it.id, 27) << "pick another filler";
    for (itm_slot_t& s : g_pty.bag) s = filler;
    rnd_srand(loot.seed);
    Str page;
    btl_win_rewards({1, 5, {{mon_of_rank(1), 1, 1}}}, page);
    for (const itm_slot_t& s : g_pty.bag) EXPECT_EQ(s.id, 27);
    EXPECT_TRUE(has(page, L"背包已满"));
    const Str left = loot_text(loot.items);
    EXPECT_TRUE(has(page, left.c_str()));
}

TEST_F(Reward, DefeatPageShowsTheLostFee) {
    set_party(5, 2);
    Str page;
    btl_lose_text(page);
    EXPECT_TRUE(has(page, gold_text(-800).c_str()));
    EXPECT_TRUE(has(page, L"战败损失"));
}

TEST_F(Reward, EncounterTextsShowRankLabelsOnlyAboveNormal) {
    const int normal = mon_of_rank(1), elite = mon_of_rank(2);
    const Str a = enc_mon_text({normal, 2, 3});
    EXPECT_TRUE(has(a, L"3x <c=a>等级</c> <c=lbl>2</c>"));
    EXPECT_EQ(a.c_str()[wcslen(a.c_str()) - 1], L' ');  // an empty rank label
    EXPECT_TRUE(has(enc_mon_text({elite, 2, 1}), L"("));
    const Str d = enc_desc_text({3, 2, {{normal, 2, 3}, {elite, 2, 1}}});
    EXPECT_TRUE(has(d, L"<c=#ffff0000>"));
    EXPECT_TRUE(has(d, a.c_str()));
}
