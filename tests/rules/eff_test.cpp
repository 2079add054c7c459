#include "rules/eff.h"

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"

using Eff = pwrs_test;

TEST_F(Eff, TableRows) {
    for (int id = 1; id < EFF_COUNT; ++id) EXPECT_EQ(get_eff(id)->def, 5) << id;
    EXPECT_STREQ(get_eff(2)->k, L"kbo1");
    EXPECT_EQ(get_eff(4), get_eff(0));
    EXPECT_EQ(get_eff(-1)->k, nullptr);
    EXPECT_EQ(make_int_pair(3, -7), (int_pair_t{3, -7}));
}

TEST_F(Eff, KnockOverWithoutARollAppliesProneOnce) {
    unit_t src, tgt;
    for (int id : {2, 3}) {
        unit_t t;
        try_apply_eff({id, EFF_NO_ROLL}, &src, &t);
        ASSERT_TRUE(t.conds.has(3)) << id;
        EXPECT_EQ(t.conds.map[3].src, &src);
    }
    try_apply_eff({1, EFF_NO_ROLL}, &src, &tgt);
    EXPECT_FALSE(tgt.conds.has(3));
    // Already prone: not moved, and the held prone stays as it was.
    try_apply_eff({2, EFF_NO_ROLL}, &src, &tgt);
    tgt.conds.map[3].dc = 42;
    try_apply_eff({3, EFF_NO_ROLL}, &src, &tgt);
    EXPECT_EQ(tgt.conds.map[3].dc, 42);
    EXPECT_EQ(tgt.conds.map.size(), 1u);
}

TEST_F(Eff, UnknownIdsAndFailedRollsDoNothing) {
    unit_t src;
    for (int id : {0, 4, -2, 99}) {
        unit_t t;
        try_apply_eff({id, EFF_NO_ROLL}, &src, &t);
        try_apply_eff({id, 1000}, &src, &t);  // a roll that only a natural 1 fails
        EXPECT_TRUE(t.conds.map.empty()) << id;
    }
    // Against a defence no d20 can reach only a natural 20 gets through.
    rnd_srand(7);
    int hits = 0;
    for (int i = 0; i < 200; ++i) {
        unit_t t;
        t.drv.def[5] = 1000;
        try_apply_eff({2, 0}, &src, &t);
        hits += t.conds.has(3);
    }
    EXPECT_GT(hits, 0);
    EXPECT_LT(hits, 30);
}
