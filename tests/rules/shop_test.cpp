#include "rules/shop.h"

#include <gtest/gtest.h>

#include <array>
#include <map>

#include "app/rnd.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/pty.h"
#include "support/mapped.h"

namespace {
int64_t bag_total(const pty_t& p) {
    int64_t n = 0;
    for (const itm_slot_t& s : p.bag) n += s.get_count();
    return n;
}

// An item's kind, bonus and enchantments.
std::vector<int> kind_of(const itm_slot_t& s) { return {s.id, s.bonus, s.ies[0], s.ies[1], s.ies[2], s.ies[3]}; }

// Items of the bag by kind_of: what must neither appear nor vanish.
std::map<std::vector<int>, int64_t> bag_kinds(const pty_t& p) {
    std::map<std::vector<int>, int64_t> m;
    for (const itm_slot_t& s : p.bag)
        if (!s.empty()) m[kind_of(s)] += s.get_count();
    return m;
}

std::vector<int> ids_of(const std::vector<itm_slot_t>& v) {
    return mapped(v, [](const itm_slot_t& s) { return s.empty() ? 0 : s.id * 100 + s.bonus; });
}

struct Shop : ::testing::Test {
    pty_t p;
    void SetUp() override {
        p.gold = 1e9;
        p.arena.seed = 12345;
        p.arena.lv = 1;
    }
};
}  // namespace

TEST_F(Shop, LimitedStockRepeatsWithoutAWinAndLosesOnlyWhatWasBought) {
    rnd_srand(99);
    const uint32_t state = rnd_get_state();
    const std::vector<itm_slot_t> first = shop_stock(SHELF_LIMITED, p);
    EXPECT_EQ(rnd_get_state(), state) << "the shelf leaves the game's generator as it found it";
    ASSERT_GE(first.size(), 3u);
    ASSERT_LE(first.size(), 5u);
    for (const itm_slot_t& s : first) EXPECT_EQ(s.get_count(), 1);

    std::vector<itm_slot_t> stock = first;
    ASSERT_EQ(shop_buy(p, stock, SHELF_LIMITED, 1, 1).res, buy_res_e::done);
    EXPECT_TRUE(stock[1].empty()) << "a limited item is gone from the shelf once bought";
    std::vector<int> want = ids_of(first);
    want[1] = 0;
    EXPECT_EQ(ids_of(shop_stock(SHELF_LIMITED, p)), want) << "reopened: the same items less the one bought";
    // Buying it again from a stale list changes nothing.
    const double gold = p.gold;
    EXPECT_EQ(shop_buy(p, stock, SHELF_LIMITED, 1, 1).res, buy_res_e::no_stock);
    EXPECT_EQ(p.gold, gold);
}

TEST_F(Shop, OneBeatenChallengeKeepsTheLimitedStockTwoRestockIt) {
    const std::vector<int> none = ids_of(shop_stock(SHELF_LIMITED, p));
    std::vector<itm_slot_t> stock = shop_stock(SHELF_LIMITED, p);
    ASSERT_EQ(shop_buy(p, stock, SHELF_LIMITED, 0, 1).res, buy_res_e::done);
    // The hub: the restock rule before each new bit.
    shop_restock_check(p.arena);
    p.arena.beaten |= 1 << 2;
    std::vector<int> want = none;
    want[0] = 0;
    EXPECT_EQ(ids_of(shop_stock(SHELF_LIMITED, p)), want) << "one win: same stock, still sold";
    shop_restock_check(p.arena);
    p.arena.beaten |= 1 << 0;
    EXPECT_NE(ids_of(shop_stock(SHELF_LIMITED, p)), want) << "two wins: rolled from the seed plus the mask";
    EXPECT_NE(p.arena.sold, 0) << "the sold marks go with the third first win";
    shop_restock_check(p.arena);
    EXPECT_EQ(p.arena.sold, 0);
    // A new batch starts from nothing sold.
    p.arena.sold = 7;
    p.arena.new_batch(1, 1);
    EXPECT_EQ(p.arena.sold, 0);
}

TEST_F(Shop, ASeedOfZeroRollsTheSameLimitedStockWhateverTheGeneratorHolds) {
    // A stored seed of 0 is a seed like any other, never the clock: the stock
    // and its sold marks stay valid when the shop is opened again.
    p.arena.seed = 0;
    rnd_srand(1);
    const std::vector<int> first = ids_of(shop_stock(SHELF_LIMITED, p));
    for (const uint32_t state : {77777u, 4242u, 31u}) {
        rnd_srand(state);
        EXPECT_EQ(ids_of(shop_stock(SHELF_LIMITED, p)), first) << state;
    }
}

TEST_F(Shop, EveryLimitedPurchaseIsMarkedSoldEvenWithoutABonus) {
    std::vector<itm_slot_t> stock(3);
    for (itm_slot_t& s : stock) s.set(ITM_RING_LUCK1, 1);
    stock[2].bonus = 0;
    ASSERT_EQ(shop_buy(p, stock, SHELF_LIMITED, 2, 1).res, buy_res_e::done);
    EXPECT_EQ(p.arena.sold, 1 << 2);
    // Other shelves never mark anything.
    std::vector<itm_slot_t> gear = shop_stock(SHELF_GEAR, p);
    ASSERT_EQ(shop_buy(p, gear, SHELF_GEAR, 0, 1).res, buy_res_e::done);
    EXPECT_EQ(p.arena.sold, 1 << 2);
}

TEST_F(Shop, MinorShelvesOpenFromBatchLevelFive) {
    for (int lv : {0, 1, 4}) {
        p.arena.lv = lv;
        EXPECT_FALSE(shop_shelf_open(SHELF_WONDROUS, lv));
        EXPECT_FALSE(shop_shelf_open(SHELF_ENCH_GEAR, lv));
        EXPECT_TRUE(shop_stock(SHELF_WONDROUS, p).empty()) << lv;
        EXPECT_TRUE(shop_stock(SHELF_ENCH_GEAR, p).empty()) << lv;
    }
    for (int shelf : {SHELF_LIMITED, SHELF_GEAR, SHELF_AMMO}) EXPECT_TRUE(shop_shelf_open(shelf, 0));
    p.arena.lv = 10;
    EXPECT_TRUE(shop_shelf_open(SHELF_WONDROUS, 5));
    const std::vector<itm_slot_t> wond = shop_stock(SHELF_WONDROUS, p);
    ASSERT_FALSE(wond.empty());
    for (const itm_slot_t& s : wond) {
        const itm_t& k = get_itm(s.id);
        EXPECT_TRUE(s.id >= ITM_BELT_STR && s.id <= ITM_BOOK_CHA && k.rare_lv == 2 && k.min_lv <= 2) << s.id;
        EXPECT_EQ(s.get_count(), UNLIMITED);
    }
    const std::vector<itm_slot_t> ench = shop_stock(SHELF_ENCH_GEAR, p);
    ASSERT_EQ(ench.size(), size_t(ITM_SHD4 - ITM_SWD_T + 1));
    EXPECT_EQ(ench.front().bonus, 2);
    const std::vector<itm_slot_t> gear = shop_stock(SHELF_GEAR, p);
    ASSERT_EQ(gear.size(), ench.size());
    EXPECT_EQ(gear.back().id, ITM_SHD4);
    EXPECT_EQ(gear.back().bonus, 0);
    EXPECT_EQ(ids_of(shop_stock(SHELF_AMMO, p)),
              (std::vector<int>{ITM_BOW_A * 100, ITM_BOW_X_A * 100, ITM_SLING_A * 100}));
}

TEST_F(Shop, GroupsAreWeaponGroupsAndArmourForTheRest) {
    EXPECT_TRUE(shop_shelf_grouped(SHELF_GEAR) && shop_shelf_grouped(SHELF_ENCH_GEAR));
    EXPECT_FALSE(shop_shelf_grouped(SHELF_LIMITED) || shop_shelf_grouped(SHELF_WONDROUS) ||
                 shop_shelf_grouped(SHELF_AMMO));
    EXPECT_EQ(shop_itm_grp(itm_slot_t(ITM_SWD_T, 1)), WG_SWORD);
    EXPECT_EQ(shop_itm_grp(itm_slot_t(ITM_SHD1, 1)), WG_AMR);
    EXPECT_EQ(shop_itm_grp(itm_slot_t(ITM_AMR9, 1)), WG_AMR);
}

TEST_F(Shop, AmmunitionByAHundredStacksOntoTheStackThere) {
    p.bag[3].set(ITM_SWD_T, 1);
    p.bag[7].set(ITM_BOW_A, 20);
    std::vector<itm_slot_t> ammo = shop_stock(SHELF_AMMO, p);
    const double gold = p.gold;
    const buy_res_t r = shop_buy(p, ammo, SHELF_AMMO, 0, 100);
    EXPECT_EQ(std::pair(r.res, r.placed), std::pair(buy_res_e::done, 100));
    EXPECT_EQ(p.bag[7].get_count(), 120);
    EXPECT_EQ(bag_total(p), 121) << "no second stack";
    EXPECT_DOUBLE_EQ(gold - p.gold, 100 * ammo[0].get_price());
    EXPECT_EQ(ammo[0].get_count(), UNLIMITED) << "the unlimited supply stays unlimited";
}

TEST_F(Shop, APurchaseIntoAFullBagCostsNothingAndAddsNothing) {
    for (itm_slot_t& s : p.bag) s.set(ITM_KUKRI, 1);
    std::vector<itm_slot_t> stock = shop_stock(SHELF_LIMITED, p);
    const double gold = p.gold;
    const buy_res_t r = shop_buy(p, stock, SHELF_LIMITED, 0, 1);
    EXPECT_EQ(std::pair(r.res, r.placed), std::pair(buy_res_e::bag_full, 0));
    EXPECT_EQ(p.gold, gold);
    EXPECT_EQ(p.arena.sold, 0) << "not bought, so not sold";
    EXPECT_FALSE(stock[0].empty());
    EXPECT_EQ(bag_total(p), BAG_SLOTS);
    // An equal stack still takes more, full bag or not.
    std::vector<itm_slot_t> gear = shop_stock(SHELF_GEAR, p);
    const int dagger = ITM_KUKRI - ITM_SWD_T;
    ASSERT_EQ(gear[dagger].id, ITM_KUKRI);
    EXPECT_EQ(shop_buy(p, gear, SHELF_GEAR, dagger, 10).res, buy_res_e::done);
    EXPECT_EQ(bag_total(p), BAG_SLOTS + 10);
}

TEST_F(Shop, NotEnoughGoldOrStockChangesNothing) {
    std::vector<itm_slot_t> gear = shop_stock(SHELF_GEAR, p);
    p.gold = gear[0].get_price() * 10 - 0.5;
    EXPECT_TRUE(shop_can_buy(p, gear[0], 9) && !shop_can_buy(p, gear[0], 10) && !shop_can_buy(p, gear[0], 0));
    EXPECT_EQ(shop_buy(p, gear, SHELF_GEAR, 0, 10).res, buy_res_e::no_gold);
    EXPECT_EQ(bag_total(p), 0);
    EXPECT_EQ(shop_buy(p, gear, SHELF_GEAR, 0, 1).res, buy_res_e::done);
    std::vector<itm_slot_t> lim = shop_stock(SHELF_LIMITED, p);
    p.gold = 1e12;
    EXPECT_EQ(shop_buy(p, lim, SHELF_LIMITED, 0, 10).res, buy_res_e::no_stock) << "one of each limited item";
    EXPECT_EQ(shop_buy(p, lim, SHELF_LIMITED, int(lim.size()), 1).res, buy_res_e::no_stock);
    EXPECT_EQ(shop_buy(p, lim, SHELF_LIMITED, -1, 1).res, buy_res_e::no_stock);
    EXPECT_EQ(bag_total(p), 1);
}

TEST_F(Shop, SellingPaysATenthAndNeverMoreThanTheSlotHolds) {
    p.gold = 0;
    p.bag[4].set(ITM_BOW_A, 10);
    const double each = itm_slot_t(ITM_BOW_A, 1).get_price() / 10.0;
    EXPECT_EQ(shop_sell(p, 4, 100), 0) << "a stale click cannot sell what is not there";
    EXPECT_EQ(p.gold, 0);
    EXPECT_EQ(shop_sell(p, 4, 1), 1);
    EXPECT_EQ(shop_sell(p, 4, SELL_STACK), 9);
    EXPECT_TRUE(p.bag[4].empty());
    EXPECT_DOUBLE_EQ(p.gold, 10 * each);
    EXPECT_EQ(shop_sell(p, 4, SELL_STACK), 0);
    EXPECT_EQ(shop_sell(p, -1, 1) + shop_sell(p, BAG_SLOTS, 1), 0);
    // An item whose count says 0 counts as one.
    p.bag[5].set(ITM_SWD_T, 0);
    EXPECT_EQ(shop_sell(p, 5, 10), 0);
    EXPECT_EQ(shop_sell(p, 5, SELL_STACK), 1);
    EXPECT_TRUE(p.bag[5].empty());
}

TEST_F(Shop, FundsChangeByExactlyWhatEntersOrLeavesTheBag) {
    p.arena.lv = 12;
    p.gold = 3e5;
    // Nearly full: some purchases find no room.
    for (int i = 0; i < BAG_SLOTS - 6; ++i) p.bag[i].set(ITM_SWD_T + i % 40, 1 + i % 3);
    rnd_srand(2024);
    int bought = 0, sold = 0, refused = 0;
    for (int step = 0; step < 300; ++step) {
        const double gold = p.gold;
        const int64_t before = bag_total(p);
        const auto kinds = bag_kinds(p);
        if (rnd_rand() % 2) {
            const int shelf = rnd_rand() % SHELVES;
            std::vector<itm_slot_t> stock = shop_stock(shelf, p);
            if (stock.empty()) continue;
            const int i = rnd_rand() % int(stock.size());
            const int n = std::array{1, 10, 100}[size_t(rnd_rand() % 3)];
            const itm_slot_t item = stock[size_t(i)];
            const buy_res_t r = shop_buy(p, stock, shelf, i, n);
            ASSERT_NEAR(gold - p.gold, r.placed * item.get_price(), 1e-6) << step;
            ASSERT_EQ(bag_total(p) - before, r.placed) << step;
            auto want = kinds;
            if (r.placed) want[kind_of(item)] += r.placed;
            ASSERT_EQ(bag_kinds(p), want) << step;
            bought += r.placed > 0;
            refused += r.placed == 0;
        } else {
            const int b = rnd_rand() % BAG_SLOTS;
            const int n = std::array{1, 10, 100, SELL_STACK}[size_t(rnd_rand() % 4)];
            const itm_slot_t item = p.bag[b];
            const int got = shop_sell(p, b, n);
            ASSERT_NEAR(p.gold - gold, got * item.get_price() / 10.0, 1e-6) << step;
            ASSERT_EQ(before - bag_total(p), got) << step;
            auto want = kinds;
            if (got && (want[kind_of(item)] -= got) == 0) want.erase(kind_of(item));
            ASSERT_EQ(bag_kinds(p), want) << step;
            sold += got > 0;
        }
        ASSERT_GE(p.gold, 0) << step;
    }
    EXPECT_GT(bought, 20);
    EXPECT_GT(sold, 20);
    EXPECT_GT(refused, 5);
}
