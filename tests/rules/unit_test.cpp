#include "rules/unit.h"

#include <gtest/gtest.h>

#include <memory>

#include "rules/pwr.h"
#include "rules/unit_grp.h"

namespace {

class Unit : public ::testing::Test {
protected:
    static void SetUpTestSuite() { init_pwrs(); }
    static void TearDownTestSuite() { free_pwrs(); }
};

}  // namespace

TEST_F(Unit, SpendActFollowsTheBudgetMatrix) {
    // budget before, cost, expected result, budget after
    const struct { int budget, cost; bool ok; int after; } cases[] = {
        {4, 2, true, 3}, {3, 3, true, 1}, {4, 3, true, 2}, {2, 2, true, 1}, {3, 2, true, 1},
        {4, 4, true, 1}, {3, 4, false, 3}, {2, 4, false, 2}, {2, 3, false, 2}, {1, 2, false, 1},
        {1, 3, false, 1}, {1, 1, true, 1}, {1, 0, true, 1}, {4, 7, true, 4},
    };
    for (const auto& c : cases) {
        unit_t u;
        u.btl.act_budget = c.budget;
        EXPECT_EQ(u.spend_act(c.cost, false), c.ok) << c.budget << " " << c.cost;
        EXPECT_EQ(u.btl.act_budget, c.after) << c.budget << " " << c.cost;
        EXPECT_EQ(u.btl.turn_flags, 0);
    }
}

TEST_F(Unit, SpendActOncePerTurn) {
    unit_t u;
    EXPECT_TRUE(u.spend_act(2, true));
    EXPECT_EQ(u.btl.act_budget, 3);
    EXPECT_EQ(u.btl.turn_flags & 1, 1);
    EXPECT_FALSE(u.spend_act(2, true));  // spent all the same
    EXPECT_EQ(u.btl.act_budget, 1);
    EXPECT_FALSE(u.spend_act(1, true));
    EXPECT_EQ(u.btl.act_budget, 1);
    u.turn_reset();
    EXPECT_EQ(u.btl.act_budget, 4);
    EXPECT_EQ(u.btl.turn_flags, 0);
    EXPECT_EQ(u.btl.turn_word, -1);
    u.pwrs.add(265);  // "trance"
    u.turn_reset();
    EXPECT_EQ(u.btl.act_budget, 3);
}

TEST_F(Unit, HitPointsClampToTheMaximum) {
    unit_t u;
    u.drv.hp_max = 20;
    u.hp = 7;
    EXPECT_EQ(u.add_hp(-1000), -7);
    EXPECT_EQ(u.hp, 0);
    u.hp = 20;
    EXPECT_EQ(u.add_hp(5), 0);
    EXPECT_EQ(u.add_hp(2147483647), 0);  // no overflow on the way to the clamp
    u.hp = 1;
    EXPECT_EQ(u.add_hp(-2147483647 - 1), -1);
    u.set_hp(-3);
    EXPECT_EQ(u.hp, 0);
    u.set_hp(99);
    EXPECT_EQ(u.hp, 20);
}

TEST_F(Unit, CopiesPointTheirPartsAndTextsAtThemselves) {
    auto a = std::make_unique<unit_t>();
    a->name = L"Aldo";
    a->base.lv = 4;
    a->base.ext[16] = 77;
    a->drv.def[1] = 15;
    a->texts[3] = L"+2\tdodge";
    a->pwrs.add(4);
    a->btl.cmds.push_back({1, 0, {2, 3}, UCMD_SHIFT});
    a->btl.known = 1;
    a->pos = {5, 6};
    a->px_off = {32, 0};
    unit_t b(*a);
    unit_t c;
    c = *a;
    for (unit_t* u : {&b, &c}) {
        EXPECT_EQ(u->eqpts.u, u);
        EXPECT_EQ(u->pwrs.u, u);
        EXPECT_EQ(u->conds.u, u);
        EXPECT_EQ(u->actbar.u, u);
        for (int i = 0; i < U_TEXTS; ++i) EXPECT_EQ(u->text_ptrs[i], &u->texts[i]) << i;
        EXPECT_STREQ(u->name.buf, L"Aldo");
        EXPECT_EQ(u->base.ext[16], 77);
        EXPECT_EQ(u->drv.def[1], 15);
        EXPECT_STREQ(u->texts[3].buf, L"+2\tdodge");
        EXPECT_NE(u->texts[3].buf, a->texts[3].buf);
        EXPECT_TRUE(u->pwrs.has(4));
        EXPECT_EQ(u->actbar.items[0].pwr, 4);
        ASSERT_EQ(u->btl.cmds.size(), 1u);
        EXPECT_EQ(u->btl.cmds[0].flags, UCMD_SHIFT);
        EXPECT_EQ(u->btl.known, 1u);
        EXPECT_EQ(u->pos, (pt_t{5, 6}));
        EXPECT_EQ(u->px_off, (pt_t{0, 0}));  // presentation values stay behind
    }
    a.reset();  // the copies own everything they point at
    EXPECT_STREQ(b.texts[3].buf, L"+2\tdodge");
    c = c;
    EXPECT_EQ(c.pwrs.u, &c);
}

TEST_F(Unit, RaceGroupsAndCastingAbility) {
    unit_t u;
    EXPECT_EQ(u.race_grp(), 3);  // race 0 has no type: counted with the constructs
    EXPECT_FALSE(u.is_living());
    EXPECT_FALSE(u.is_undead());
    const struct { int race, grp; bool living, undead; } rows[] = {
        {1, 1, true, false}, {24, 1, true, false}, {31, 2, false, true}, {36, 3, false, false}, {38, 4, false, false},
        {-5, 3, false, false}, {500, 3, false, false}};
    for (const auto& r : rows) {
        u.base.race = r.race;
        EXPECT_EQ(u.race_grp(), r.grp) << r.race;
        EXPECT_EQ(u.is_living(), r.living) << r.race;
        EXPECT_EQ(u.is_undead(), r.undead) << r.race;
    }
    u.base.cls = 2;
    EXPECT_EQ(u.cast_abi(), 4);
    u.pwrs.add(268);
    EXPECT_EQ(u.cast_abi(), 2);
    u.pwrs.add(267);
    EXPECT_EQ(u.cast_abi(), 5);
}

TEST_F(Unit, QueriesOutsideTheirTablesAnswerNothing) {
    unit_t u;
    u.drv.imm[24] = 1;
    u.drv.trait[6] = 5;
    u.drv.def[5] = 12;
    EXPECT_TRUE(u.imm_cond(24));
    EXPECT_FALSE(u.imm_cond(25));
    EXPECT_FALSE(u.imm_cond(-1));
    EXPECT_TRUE(u.has_trait(6));
    EXPECT_FALSE(u.has_trait(7));
    EXPECT_EQ(u.get_def(5), 12);
    EXPECT_EQ(u.get_def(6), 0);
    EXPECT_EQ(u.cells(), std::vector<pt_t>{u.pos});
}

TEST_F(Unit, GroupsDeleteTheirUnits) {
    auto* g = new unit_grp_t;
    g->units.push_back(new unit_t);
    g->units.push_back(new unit_t);
    delete g;  // the sanitizer reports a leak if the units stay
    std::vector<unit_t*> v{new unit_t};
    unit_vec_clear(v);
    EXPECT_TRUE(v.empty());
}
