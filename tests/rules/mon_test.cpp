// The monster templates as a table.
#include "rules/mon.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <array>
#include <cstdlib>
#include <vector>

#include "app/str.h"

#include "rules/bld.h"
#include "rules/itm.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"

namespace {

using Mon = pwrs_test;

int mon_id(const wchar_t* key) {
    for (int id = 1; id < MON_COUNT; ++id)
        if (Str(get_mon(id).k) == key) return id;
    return 0;
}

}  // namespace

TEST_F(Mon, EmptyRowAndIdsOutsideTheTable) {
    for (int id : {0, -1, 120, 99999}) {
        const mon_t& m = get_mon(id);
        EXPECT_EQ(std::pair(m.race, m.bld), std::pair(0, 0)) << id;
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
        EXPECT_EQ(m.max_lv, UNLIMITED);
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
    EXPECT_EQ(std::pair(gob.gear, gob.itms.back()), std::pair(3, 56));
    EXPECT_EQ(get_mon(mon_id(L"lich_s")).min_lv, 30);
    EXPECT_TRUE(get_mon(mon_id(L"hum_hlr")).is_sup_or_elite());
    EXPECT_TRUE(get_mon(mon_id(L"ant_e")).is_sup_or_elite());
    EXPECT_FALSE(get_mon(mon_id(L"gob_a2_shd")).is_sup_or_elite());
    // Companions: wolves may join goblin bands, orcs and werewolves.
    EXPECT_EQ(get_mon(mon_id(L"wolf")).joins, (1 << 10) | (1 << 11) | (1 << 13) | (1 << 15) | (1 << 17));
    int roles[5] = {};
    for (int id = 1; id < MON_COUNT; ++id) ++roles[get_mon(id).role];
    EXPECT_EQ((std::vector<int>(roles + 1, roles + 5)), (std::vector<int>{59, 33, 21, 6}));
}

// ---- monsters built from their templates ----

TEST_F(Mon, EveryTemplateBuildsAtEveryLevel) {
    for (int id = 1; id < MON_COUNT; ++id) {
        const mon_t& t = get_mon(id);
        for (int lv : {1, 5, 10, 20, 30}) {
            SCOPED_TRACE(std::to_string(id) + " at " + std::to_string(lv));
            unit_t u;
            u.from_mon(id, lv);
            EXPECT_EQ(std::tuple(u.base.kind, u.base.lv, u.base.rank), std::tuple(UK_MON, lv, t.rank));
            EXPECT_EQ((std::array{u.btl.ai, u.btl.side, u.hp_ready}), (std::array{1, 1, 1}));
            EXPECT_GT(u.drv.hp_max, 0);
            EXPECT_EQ(u.hp, u.drv.hp_max);
            EXPECT_EQ(u.img, Str(L"units_mon/") + t.k);
            std::vector<int> ids;
            for (int p : u.pwrs.get_ids(ids, UP_ALL)) EXPECT_TRUE(is_pwr_id(p)) << p;
            for (const itm_slot_t& s : u.eqpts.slots) {
                if (s.id == 0) continue;
                EXPECT_TRUE(s.id > 0 && s.id < ITM_COUNT && get_itm(s.id).type != 0) << s.id;
                EXPECT_TRUE(u.is_proficient(s)) << s.id;
                itm_slot_t want(s.id, 1);
                if (s.id < 166 || s.id > 168) want.set_bonus_by_lv(lv);  // arrows and bolts stay at 0
                EXPECT_EQ(s.bonus, want.bonus) << s.id;
            }
            for (const auto& a : u.actbar.items) EXPECT_TRUE(a.pwr == 0 || is_pwr_id(a.pwr)) << a.pwr;
        }
    }
}

TEST_F(Mon, TemplateBuilderRules) {
    unit_t u;
    // Class by tier: tier 0 is always "no"; tier 1 raises a cleric build to priest.
    for (const auto& [key, cls] : {std::pair{L"ant", 8}, {L"kobold_hlr", 5}, {L"gob_a6_fire", 6}, {L"hum_elm", 3}})
        EXPECT_EQ(u.from_mon(mon_id(key), 1).base.cls, cls) << key;
    // The tier row by the build's scores, then race (a human gets the key bonus), then the template.
    u.from_mon(mon_id(L"hum_elm"), 1);
    EXPECT_EQ(std::vector<int>(u.base.abi, u.base.abi + ABIS), (std::vector<int>{8, 14, 13, 17, 12, 10}));
    u.from_mon(mon_id(L"gob_a6_fire"), 1);
    EXPECT_EQ(std::vector<int>(u.base.abi, u.base.abi + ABIS), (std::vector<int>{6, 16, 11, 13, 10, 7}));
    u.from_mon(mon_id(L"ant_e"), 1);  // ant adjustments +4 0 +2 0 +2 0, then +4 0 +2 0 +2 +2
    EXPECT_EQ(std::vector<int>(u.base.abi, u.base.abi + ABIS), (std::vector<int>{19, 11, 15, 10, 14, 12}));
    // Levels: 1 or less gives 1; 7 runs the monster level-up six times.
    EXPECT_EQ(u.from_mon(mon_id(L"ant"), -3).base.lv, 1);
    EXPECT_EQ(u.from_mon(mon_id(L"ant"), 7).base.lv, 7);
    // Removals: a skeleton minion lacks its race's 290, a vampire minion five race powers.
    EXPECT_FALSE(u.from_mon(mon_id(L"skeleton_1h_m"), 5).has_pwr(290));
    EXPECT_TRUE(u.from_mon(mon_id(L"skeleton_shd"), 5).has_pwr(290));
    u.from_mon(mon_id(L"vampire_m"), 18);
    for (int p : {146, 148, 154, 286, 289}) EXPECT_FALSE(u.has_pwr(p)) << p;
    for (int p : {145, 147, 153, 225}) EXPECT_TRUE(u.has_pwr(p)) << p;
    // Half a quick-slot stack for gear 3; the rest gets level / 5.
    u.from_mon(mon_id(L"gob_a3_th"), 12);
    EXPECT_EQ(u.eqpts.slots[2].id, 56);
    EXPECT_EQ(u.eqpts.slots[2].get_count(), itm_slot_t(56, 1).max_stack(CNT_QUICK) / 2);
    EXPECT_EQ(u.eqpts.slots[2].bonus, 2);
    // Arrows keep bonus 0.
    u.from_mon(mon_id(L"gob_a5_rng"), 20);
    bool ammo = false;
    for (const itm_slot_t& s : u.eqpts.slots)
        if (s.id >= 166 && s.id <= 168) {
            ammo = true;
            EXPECT_EQ(s.bonus, 0);
        } else if (s.id > 26) {
            EXPECT_EQ(s.bonus, 4) << s.id;
        }
    EXPECT_TRUE(ammo);
    // A template of tier 0 carries weapons its class "no" has no proficiency for.
    u.from_mon(mon_id(L"ogre_e"), 15);
    EXPECT_TRUE(u.is_proficient(u.eqpts.slots[EQ_MAIN]));
    EXPECT_NE(get_prof_pwr(u.eqpts.slots[EQ_MAIN].id), 0);
    EXPECT_TRUE(u.has_pwr(get_prof_pwr(u.eqpts.slots[EQ_MAIN].id)));
}

TEST_F(Mon, HumanMonstersPickAtEveryLevel) {
    unit_t a, b;
    a.from_mon(mon_id(L"hum_hlr"), 2);
    b.from_mon(mon_id(L"hum_hlr"), 1);
    std::vector<int> fa, fb;
    a.pwrs.get_ids(fa, UP_FEAT);
    b.pwrs.get_ids(fb, UP_FEAT);
    EXPECT_GT(fa.size(), fb.size());
}
