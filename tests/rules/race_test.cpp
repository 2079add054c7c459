#include "rules/race.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <tuple>

TEST(Race, RowZeroIsEmptyAndAnswersEveryIdOutsideTheTable) {
    const race_t* zero = get_race(0);
    EXPECT_EQ(std::tuple(zero->type, zero->size, zero->spd), std::tuple(0, 0, 0));
    EXPECT_TRUE(zero->pwrs.empty());
    for (int id : {-1, 42, 1 << 30}) EXPECT_EQ(get_race(id), zero) << id;
    EXPECT_STREQ(get_race(41)->k, L"elm_e");
}

TEST(Race, DistinctiveRows) {
    std::set<int> flagged, no_adj;
    for (int id = 1; id < RACE_COUNT; ++id) {
        const race_t* r = get_race(id);
        if (r->flags & 1) flagged.insert(id);
        if (std::all_of(r->abi_adj, r->abi_adj + ABIS, [](int v) { return v == 0; })) no_adj.insert(id);
        EXPECT_GE(r->type, 1) << id;
        EXPECT_LE(r->type, 7) << id;
    }
    EXPECT_EQ(flagged, std::set<int>{24});
    EXPECT_EQ(no_adj, (std::set<int>{24, 28}));
    struct { int spd; std::set<int> ids; } speeds[] = {{5, {25, 27, 30}}, {10, {1, 4, 38}}, {4, {8, 32, 36, 41}}};
    for (const auto& s : speeds) {
        std::set<int> got;
        for (int id = 1; id < RACE_COUNT; ++id)
            if (get_race(id)->spd == s.spd) got.insert(id);
        EXPECT_EQ(got, s.ids) << s.spd;
    }
    EXPECT_EQ(get_race(34)->pwrs.size(), 14u);  // the vampire's list, the longest
    EXPECT_EQ(get_race(31)->abi_adj[5], -9);
}
