// The monster templates as a table.
#include "rules/mon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>

#include "app/str.h"

#include "rules/bld.h"
#include "rules/itm.h"
#include "rules/pwr.h"
#include "rules/race.h"

namespace {

class Mon : public ::testing::Test {
protected:
    static void SetUpTestSuite() { init_pwrs(); }
    static void TearDownTestSuite() { free_pwrs(); }
};

int mon_id(const wchar_t* key) {
    for (int id = 1; id < MON_COUNT; ++id)
        if (Str(get_mon(id).k) == key) return id;
    return 0;
}

}  // namespace

TEST_F(Mon, EmptyRowAndIdsOutsideTheTable) {
    for (int id : {0, -1, 120, 99999}) {
        const mon_t& m = get_mon(id);
        EXPECT_EQ(m.race, 0) << id;
        EXPECT_EQ(m.bld, 0) << id;
        EXPECT_TRUE(m.pwrs.empty() && m.itms.empty()) << id;
    }
}

TEST_F(Mon, EveryRowNamesRealRecordsAndIsUsable) {
    for (int id = 1; id < MON_COUNT; ++id) {
        const mon_t& m = get_mon(id);
        SCOPED_TRACE(id);
        EXPECT_TRUE(m.k && *m.k);
        EXPECT_TRUE(m.rank >= 1 && m.rank <= 4);
        EXPECT_TRUE(m.race >= 1 && m.race < RACE_COUNT);
        EXPECT_TRUE(m.role >= 1 && m.role <= 4);
        EXPECT_TRUE(m.cls_tier >= 0 && m.cls_tier <= 2);
        EXPECT_TRUE(m.bld >= 1 && m.bld < BLD_COUNT);
        EXPECT_TRUE(m.family >= 1 && m.family <= MON_FAMILIES);
        EXPECT_EQ(m.joins & 1, 0);
        EXPECT_GE(m.min_lv, 1);
        EXPECT_EQ(m.max_lv, 1000000000);
        for (int p : m.pwrs) EXPECT_TRUE(is_pwr_id(std::abs(p))) << p;
        ASSERT_FALSE(m.itms.empty());
        for (int i : m.itms) EXPECT_TRUE(i >= 1 && i < ITM_COUNT && get_itm(i).type != 0) << i;
    }
}

TEST_F(Mon, RowsTheRulesNameByKey) {
    const mon_t& sk = get_mon(mon_id(L"skeleton_1h_m"));
    EXPECT_EQ(sk.pwrs, std::vector<int>{-290});
    const mon_t& vm = get_mon(mon_id(L"vampire_m"));
    EXPECT_EQ(std::count_if(vm.pwrs.begin(), vm.pwrs.end(), [](int p) { return p < 0; }), 5);
    EXPECT_EQ(std::count_if(vm.pwrs.begin(), vm.pwrs.end(), [](int p) { return p > 0; }), 4);
    const mon_t& gob = get_mon(mon_id(L"gob_a3_th"));
    EXPECT_EQ(gob.gear, 3);
    EXPECT_EQ(gob.itms.back(), 56);
    EXPECT_EQ(get_mon(mon_id(L"lich_s")).min_lv, 30);
    EXPECT_TRUE(get_mon(mon_id(L"hum_hlr")).is_sup_or_elite());
    EXPECT_TRUE(get_mon(mon_id(L"ant_e")).is_sup_or_elite());
    EXPECT_FALSE(get_mon(mon_id(L"gob_a2_shd")).is_sup_or_elite());
    // Companions: wolves may join goblin bands, orcs and werewolves.
    EXPECT_EQ(get_mon(mon_id(L"wolf")).joins, (1 << 10) | (1 << 11) | (1 << 13) | (1 << 15) | (1 << 17));
    int roles[5] = {};
    for (int id = 1; id < MON_COUNT; ++id) ++roles[get_mon(id).role];
    EXPECT_EQ(roles[1], 59);
    EXPECT_EQ(roles[2], 33);
    EXPECT_EQ(roles[3], 21);
    EXPECT_EQ(roles[4], 6);
}
