#include "rules/cond.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <tuple>

#include "app/db.h"
#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"

namespace {

class Cond : public pwrs_log_test {
protected:
    unit_t u;  // most cases' unit
    static void give(unit_t& u, int id, unit_t* src = nullptr, int amt = 0) {
        cond_inst_t ci;
        apply_cond(make_cond_inst(ci, id, src, 0, CI_NO_ROLL, amt), &u);
    }
};

}  // namespace

TEST_F(Cond, FlagWordsMatchTheRowsTheUnitPredicatesName) {
    const struct { int bit; std::set<int> ids; } bits[] = {
        {0x01, {1, 3}}, {0x02, {2, 4, 5, 6, 7, 15, 16}}, {0x04, {4, 5, 6, 7, 16}},
        {0x08, {4, 5, 6, 7, 8, 9, 10, 11, 12, 16}}, {0x10, {3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 15, 16}},
        {0x20, {5, 6, 7}}};
    for (const auto& b : bits) {
        std::set<int> got;
        for (int id = 0; id < COND_COUNT; ++id)
            if (get_cond(id)->flags & b.bit) got.insert(id);
        EXPECT_EQ(got, b.ids) << b.bit;
    }
    EXPECT_EQ(get_cond(-1), get_cond(0));
    EXPECT_EQ(get_cond(25), get_cond(0));
    EXPECT_STREQ(get_cond(24)->k, L"hr");
}

TEST_F(Cond, InstanceAmountsComeFromTheSourceLevel) {
    unit_t src;
    src.base.lv = 12;
    cond_inst_t ci;
    make_cond_inst(ci, 20, &src, 4, 0, 0);
    EXPECT_EQ(std::tuple(ci.amt, ci.dur, ci.dc, ci.src), std::tuple(10, 3, 4, &src));
    src.base.lv = 9;
    EXPECT_EQ(make_cond_inst(ci, 24, &src, 0, 0, 0).amt, 5);
    EXPECT_EQ(make_cond_inst(ci, 22, &src, 0, 0, 7).amt, 7);
    EXPECT_EQ(make_cond_inst(ci, 3, &src, 0, 0, 7).amt, 0);
    EXPECT_EQ(ci.dur, COND_FOREVER);
    EXPECT_EQ(make_cond_inst(ci, 21, nullptr, 0, 0, 0).amt, 5);  // nobody's level: as level 0
    make_cond_rm(ci, 6);
    EXPECT_EQ(ci.flags, CI_REMOVE);
    EXPECT_EQ(ci.src, nullptr);
}

TEST_F(Cond, AnImmuneTargetLogsAndGainsNothingEvenWithoutARoll) {
    u.drv.imm[5] = 100;
    give(u, 5);
    EXPECT_FALSE(u.conds.has(5));
    EXPECT_NE(log_text().find(L"<c=a>免疫"), std::wstring::npos);
}

TEST_F(Cond, BloodRagesBlockAndReplace) {
    give(u, 19);
    give(u, 18);
    EXPECT_EQ(held(u), std::set<int>{19});
    unit_t w;
    give(w, 18);
    log_cur_buf()->assign(L"");
    give(w, 19);
    EXPECT_EQ(held(w), std::set<int>{19});
    EXPECT_EQ(log_text().find(L"解除"), std::wstring::npos);  // taken away silently
}

TEST_F(Cond, RepeatsMergeOrChangeNothing) {
    give(u, 5);
    log_cur_buf()->assign(L"");
    give(u, 5);
    EXPECT_TRUE(log_text().empty());
    unit_t src;
    lang_dot = L"。";
    give(u, 20, &src, 4);
    EXPECT_EQ(take_log(), L"<c=r><nobr> 4</nobr>。</c>");  // the name comes from the texts, absent here
    give(u, 24, &src, 0);
    u.conds.remove(24);
    EXPECT_EQ(log_text(), L"<c=g><nobr> 5</nobr>。</c><c=g></c>解除。");
    u.conds.map[20].dur = 1;
    give(u, 20, &src, 6);
    EXPECT_EQ(u.conds.map[20].amt, 10);
    EXPECT_EQ(u.conds.map[20].dur, 3);
}

TEST_F(Cond, StunningEndsTheDefensiveStances) {
    for (int ender : {5, 6, 7, 8, 9, 10, 11, 16}) {
        unit_t u, other;
        give(u, 13);
        give(u, 14);
        give(u, 1);
        // Straight onto the unit: a race may be immune to some of the enders.
        give_cond(u, ender, &other);
        EXPECT_EQ(held(u).count(13) + held(u).count(14), 0u) << ender;
        EXPECT_TRUE(u.conds.has(1));
    }
    give(u, 13);
    give(u, 17);
    EXPECT_TRUE(u.conds.has(13));
}

TEST_F(Cond, GrapplesArePairedBothWays) {
    unit_t a, b;
    give(a, 16, &b);
    ASSERT_TRUE(b.conds.has(15));
    EXPECT_EQ(b.conds.map[15].src, &a);
    a.conds.remove(16);
    EXPECT_TRUE(held(a).empty());
    EXPECT_TRUE(held(b).empty());
    give(a, 16, &b);
    b.conds.remove(15);
    EXPECT_TRUE(held(a).empty());
    EXPECT_TRUE(held(b).empty());
}

TEST_F(Cond, ADeletedSourceLeavesNothingPointingAtIt) {
    unit_t held_unit;
    auto grappler = std::make_unique<unit_t>();
    grappler->base.lv = 30;
    give(held_unit, 16, grappler.get());
    give(held_unit, 20, grappler.get());
    ASSERT_TRUE(grappler->conds.has(15));
    grappler.reset();
    EXPECT_FALSE(held_unit.conds.has(16));
    EXPECT_EQ(held_unit.conds.map[20].amt, 20);
    held_unit.conds.remove(20);
    EXPECT_TRUE(held(held_unit).empty());

    // The other way round: the held unit goes first.
    unit_t grappler2;
    auto victim = std::make_unique<unit_t>();
    give(*victim, 16, &grappler2);
    victim.reset();
    EXPECT_FALSE(grappler2.conds.has(15));

    // A hold with no giver has no partner: removing it only erases it.
    unit_t lone;
    give(lone, 16, nullptr);
    EXPECT_TRUE(lone.conds.has(16));
    lone.conds.remove(16);
    EXPECT_FALSE(lone.conds.has(16));
}

TEST_F(Cond, BonusesAgainstConditions) {
    const struct { int race; bool fey; int id, bonus; } rows[] = {
        {24, false, 6, 0}, {27, false, 6, 2}, {24, true, 6, 2}, {27, false, 10, 2}, {30, false, 10, 2},
        {30, false, 6, 0}, {27, false, 5, 0}, {24, true, 10, 2}};
    for (const auto& r : rows) {
        u.base.race = r.race;
        u.pwrs.clear();
        if (r.fey) u.pwrs.add(266);
        EXPECT_EQ(get_cond_bonus(&u, r.id), r.bonus) << r.race << " " << r.id;
    }
    u.base.race = 27;
    EXPECT_EQ(get_cond_dc_bonus(&u, 12), 1);
    EXPECT_EQ(get_cond_dc_bonus(&u, 5), 0);
    u.drv.def[4] = 14;
    EXPECT_EQ(get_cond_def(&u, 6), 16);  // Will plus the gnome's bonus
}

TEST_F(Cond, BloodRageFollowsHitPoints) {
    const struct { int pwr, hp; std::set<int> want; } rows[] = {
        {242, 10, {19}}, {242, 11, {18}}, {242, 20, {}}, {241, 10, {18}}, {241, 11, {}}, {0, 1, {}}};
    for (const auto& r : rows) {
        unit_t u;
        u.drv.hp_max = 20;
        u.hp_ready = 1;
        u.hp = r.hp;
        if (r.pwr) u.pwrs.add(r.pwr);
        upd_blood_rage(&u);
        EXPECT_EQ(held(u), r.want) << r.pwr << " " << r.hp;
    }
}

TEST_F(Cond, SmallRules) {
    std::set<int> good, unlogged, at_start, timed, ends;
    for (int id = 0; id < COND_COUNT; ++id) {
        if (is_good_cond(id)) good.insert(id);
        if (!cond_is_logged(id)) unlogged.insert(id);
        if (cond_ticks_at_start(id)) at_start.insert(id);
        if (is_timed_cond(id)) timed.insert(id);
        if (cond_ends_def(id)) ends.insert(id);
    }
    EXPECT_EQ(good, (std::set<int>{13, 14, 15, 24}));
    EXPECT_EQ(unlogged, (std::set<int>{13, 14, 15}));
    EXPECT_EQ(at_start, (std::set<int>{13, 14, 20, 21, 22, 23, 24}));
    EXPECT_EQ(timed, (std::set<int>{0, 6, 8, 9, 10, 11, 12, 17, 20, 21, 22, 23, 24}));
    EXPECT_EQ(ends, (std::set<int>{5, 6, 7, 8, 9, 10, 11, 16}));
}

TEST_F(Cond, TheResistanceRollDecidesAgainstTheConditionsDefence) {
    int held_count = 0;
    for (uint32_t seed = 1; seed <= 40; ++seed) {
        rnd_srand(seed);
        const int die = rnd_rand() % 20 + 1;  // the d20 the check is about to roll
        rnd_srand(seed);
        unit_t u;
        u.drv.def[2] = 14;  // "slow" is resisted with Fortitude
        cond_inst_t ci;
        apply_cond(make_cond_inst(ci, 1, nullptr, 3, 0, 0), &u);
        EXPECT_EQ(u.conds.has(1), die + 3 >= 14) << seed;
        held_count += u.conds.has(1);
    }
    EXPECT_GT(held_count, 0);
    EXPECT_LT(held_count, 40);
    EXPECT_NE(log_text().find(L"检定"), std::wstring::npos);
}
