#include "app/rnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <numeric>
#include <set>

namespace {

std::vector<int> draws(int n) {
    std::vector<int> v;
    for (int i = 0; i < n; ++i) v.push_back(rnd_rand());
    return v;
}

TEST(Rnd, SeedOneGivesTheKnownSequence) {
    rnd_srand(1);
    EXPECT_EQ(draws(5), (std::vector<int>{41, 18467, 6334, 26500, 19169}));
    EXPECT_EQ(rnd_seed(1), 1u);
    EXPECT_EQ(rnd_rand(), 41);
}

TEST(Rnd, StateSavedAndSetRepeatsTheSequence) {
    rnd_srand(777);
    rnd_rand();
    const uint32_t st = rnd_get_state();
    const std::vector<int> a = draws(10);
    rnd_set_state(st);
    EXPECT_EQ(draws(10), a);
}

TEST(Rnd, SaveSeedRestoreIsRepeatableAndIndependentOfTheWorkBetween) {
    auto run = [](int work) {
        rnd_srand(12345);
        rnd_save();
        rnd_seed(99);
        std::vector<int> fixed = draws(3);
        for (int i = 0; i < work; ++i) rnd_rand();
        rnd_restore();
        std::vector<int> after = draws(4);
        fixed.insert(fixed.end(), after.begin(), after.end());
        return fixed;
    };
    const std::vector<int> a = run(0);
    EXPECT_EQ(run(50), a);  // the fixed part and the game's part both repeat
    rnd_seed(99);
    EXPECT_EQ(draws(3), std::vector<int>(a.begin(), a.begin() + 3));
}

TEST(Rnd, ZeroSeedPicksAndReportsASeed) {
    rnd_srand(5);
    const uint32_t used = rnd_seed(0);
    EXPECT_NE(used, 0u);
    const std::vector<int> a = draws(3);
    rnd_seed(used);
    EXPECT_EQ(draws(3), a);
}

TEST(Rnd, WeightedPick) {
    struct {
        std::vector<int> w;
        int expected;
    } fixed[] = {{{0, 0, 5}, 2}, {{1}, 0}, {{0, 0}, 0}, {{}, 0}, {{0, 3, 0}, 1}};
    rnd_srand(3);
    for (const auto& c : fixed)
        for (int i = 0; i < 50; ++i) ASSERT_EQ(rnd_pick_weighted(c.w), c.expected);
    std::set<int> seen;
    for (int i = 0; i < 500; ++i) {
        const int k = rnd_pick_weighted_fwd({1, 0, 1, 1});
        ASSERT_NE(k, 1);
        seen.insert(k);
    }
    EXPECT_EQ(seen, (std::set<int>{0, 2, 3}));
}

TEST(Rnd, TriangularStaysInRangeAndReachesBothEnds) {
    rnd_srand(11);
    EXPECT_EQ(rnd_tri(0), 0);
    EXPECT_EQ(rnd_tri(1), 0);
    for (int n : {2, 3, 7, 10}) {
        std::set<int> seen;
        for (int i = 0; i < 2000; ++i) {
            const int r = rnd_tri(n);
            ASSERT_GE(r, 0);
            ASSERT_LT(r, n);
            seen.insert(r);
        }
        EXPECT_EQ(int(seen.size()), n) << n;
    }
}

TEST(Rnd, ShuffledRangeAppendsAndPermutes) {
    rnd_srand(8);
    std::vector<int> v{100};
    shuffled_range(&v, 1, 20);
    ASSERT_EQ(v.size(), 21u);
    std::vector<int> sorted = v;
    std::sort(sorted.begin(), sorted.end());
    std::vector<int> expected(20);
    std::iota(expected.begin(), expected.end(), 1);
    expected.push_back(100);
    EXPECT_EQ(sorted, expected);
    EXPECT_NE(v, sorted);

    std::vector<int> none;
    shuffled_range(&none, 5, 4);
    EXPECT_TRUE(none.empty());

    rnd_srand(8);
    std::vector<int> again{100};
    shuffled_range(&again, 1, 20);
    EXPECT_EQ(again, v);  // the same seed shuffles the same way
}

TEST(Rnd, BelowCoversRangesWiderThanOneDraw) {
    rnd_srand(21);
    uint32_t top = 0;
    for (int i = 0; i < 200; ++i) {
        const uint32_t r = rnd_below(1000000);
        ASSERT_LT(r, 1000000u);
        top = std::max(top, r);
    }
    EXPECT_GT(top, uint32_t(RND_MAX));
    EXPECT_EQ(rnd_below(0), 0u);
    EXPECT_EQ(rnd_below(1), 0u);
}

}  // namespace
