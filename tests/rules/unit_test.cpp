#include "rules/unit.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "battle/btl.h"
#include "battle/turn.h"
#include "rules/itm.h"
#include "rules/unit_grp.h"
#include "support/pwrs_test.h"

namespace {

struct Unit : pwrs_test {
    unit_t u;  // most cases' unit
};

int itm_id(const wchar_t* key) {
    for (int id = 1; id < ITM_COUNT; ++id)
        if (get_itm(id).k && std::wstring(get_itm(id).k) == key) return id;
    ADD_FAILURE() << "no item";
    return 0;
}

itm_slot_t slot_of(const wchar_t* key) { return itm_slot_t(itm_id(key), 1); }

}  // namespace

TEST_F(Unit, SpendActFollowsTheBudgetMatrix) {
    // budget before, cost, expected result, budget after
    const struct { int budget, cost; bool ok; int after; } cases[] = {
        {4, 2, true, 3}, {3, 3, true, 1}, {4, 3, true, 2}, {2, 2, true, 1}, {3, 2, true, 1},
        {4, 4, true, 1}, {3, 4, false, 3}, {2, 4, false, 2}, {2, 3, false, 2}, {1, 2, false, 1},
        {1, 3, false, 1}, {1, 1, true, 1}, {1, 0, true, 1}, {4, 7, true, 4}, {0, 3, false, 0}, {5, 4, false, 5},
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
    EXPECT_TRUE(u.spend_act(2, true));
    EXPECT_EQ(std::pair(u.btl.act_budget, u.btl.turn_flags & 1), std::pair(3, 1));
    EXPECT_FALSE(u.spend_act(2, true));  // spent all the same
    EXPECT_EQ(u.btl.act_budget, 1);
    EXPECT_FALSE(u.spend_act(1, true));
    EXPECT_EQ(u.btl.act_budget, 1);
    u.turn_reset();
    EXPECT_EQ(std::pair(u.btl.act_budget, u.btl.turn_flags), std::pair(4, 0));
    u.pwrs.add(265);  // "trance"
    u.turn_reset();
    EXPECT_EQ(u.btl.act_budget, 3);
}

TEST_F(Unit, HitPointsClampToTheMaximum) {
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
    a->eqpts.slots[6] = itm_slot_t(67, 1);
    a->eqpts.sets[2][1] = itm_slot_t(74, 1);
    a->px_off = {32, 0};
    unit_t b(*a);
    unit_t c;
    c = *a;
    for (unit_t* u : {&b, &c}) {
        EXPECT_EQ((std::array{u->eqpts.u, u->pwrs.u, u->conds.u, u->actbar.u}), (std::array{u, u, u, u}));
        for (int i = 0; i < U_TEXTS; ++i) EXPECT_EQ(u->text_ptrs[i], &u->texts[i]) << i;
        EXPECT_STREQ(u->name.buf, L"Aldo");
        EXPECT_EQ(std::pair(u->base.ext[16], u->drv.def[1]), std::pair(77, 15));
        EXPECT_STREQ(u->texts[3].buf, L"+2\tdodge");
        EXPECT_NE(u->texts[3].buf, a->texts[3].buf);
        EXPECT_TRUE(u->pwrs.has(4));
        EXPECT_EQ(u->actbar.items[0].pwr, 4);
        ASSERT_EQ(u->btl.cmds.size(), 1u);
        EXPECT_EQ(u->btl.cmds[0].flags, UCMD_SHIFT);
        EXPECT_EQ(u->btl.known, 1u);
        EXPECT_EQ(u->pos, (pt_t{5, 6}));
        EXPECT_EQ(std::pair(u->eqpts.slots[6].id, u->eqpts.sets[2][1].id), std::pair(67, 74));
        EXPECT_EQ(u->px_off, (pt_t{0, 0}));  // presentation values stay behind
    }
    a.reset();  // the copies own everything they point at
    EXPECT_STREQ(b.texts[3].buf, L"+2\tdodge");
    c = c;
    EXPECT_EQ(c.pwrs.u, &c);
}

TEST_F(Unit, RaceGroupsAndCastingAbility) {
    const struct { int race, grp; bool living, undead; } rows[] = {
        {0, 3, false, false},  // race 0 has no type: counted with the constructs
        {1, 1, true, false}, {24, 1, true, false}, {31, 2, false, true}, {36, 3, false, false}, {38, 4, false, false},
        {-5, 3, false, false}, {500, 3, false, false}};
    for (const auto& r : rows) {
        u.base.race = r.race;
        EXPECT_EQ(std::tuple(u.race_grp(), u.is_living(), u.is_undead()), std::tuple(r.grp, r.living, r.undead))
            << r.race;
    }
    u.base.cls = 2;
    EXPECT_EQ(u.cast_abi(), 4);
    u.pwrs.add(268);
    EXPECT_EQ(u.cast_abi(), 2);
    u.pwrs.add(267);
    EXPECT_EQ(u.cast_abi(), 5);
}

TEST_F(Unit, QueriesOutsideTheirTablesAnswerNothing) {
    u.drv.imm[24] = 1;
    u.drv.trait[6] = 5;
    u.drv.def[5] = 12;
    EXPECT_EQ(std::tuple(u.imm_cond(24), u.imm_cond(25), u.imm_cond(-1)), std::tuple(true, false, false));
    EXPECT_EQ(std::pair(u.has_trait(6), u.has_trait(7)), std::pair(true, false));
    EXPECT_EQ(std::pair(u.get_def(5), u.get_def(6)), std::pair(12, 0));
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

TEST_F(Unit, ProficiencyByItemAndHeldPowers) {
    // item, powers held, proficient
    const struct { const wchar_t* key; std::vector<int> pwrs; bool ok; } rows[] = {
        {L"Sting", {}, true}, {L"unarm", {}, true},            // natural weapons and the unarmed strike
        {L"swd_t", {}, false}, {L"swd_t", {34}, true},         // a simple sword: "wp_simple"
        {L"swd_t", {25}, true}, {L"swd_s", {34}, false},       // or the sword group
        {L"swd_s", {25}, true}, {L"javelin", {}, false},
        {L"javelin", {32}, true}, {L"javelin", {29}, true},    // "wp_thrown", or the spear group
        {L"bow_s", {30}, true}, {L"bow_s", {31}, false},
        {L"amr2", {}, false}, {L"amr2", {52}, true}, {L"amr5", {52}, false}, {L"amr7", {54}, true},
        {L"shd1", {48}, true}, {L"shd2", {48}, true}, {L"shd4", {48}, false}, {L"shd4", {49}, true},
        {L"ring_dflc", {}, true},                              // nothing names a power for a ring
    };
    for (const auto& r : rows) {
        unit_t u;
        u.pwrs.set_list(r.pwrs);
        EXPECT_EQ(u.is_proficient(slot_of(r.key)), r.ok) << r.key << " " << r.pwrs.size();
    }
    EXPECT_TRUE(u.is_proficient(itm_slot_t()));
    EXPECT_TRUE(u.is_proficient(itm_slot_t(5000, 1)));  // an id from a damaged file names nothing
}

TEST_F(Unit, DefaultAttackAndReachFollowTheMainHand) {
    EXPECT_EQ(std::pair(u.dflt_atk_pwr(), u.get_wpn_reach()), std::pair(2, 0));
    const struct { const wchar_t* key; int atk, reach; } rows[] = {
        {L"bow_s", 3, 0}, {L"swd_m", 2, 1}, {L"halberd", 2, 2}, {L"shd1", 2, 0}};
    for (const auto& r : rows) {
        u.eqpts.slots[EQ_MAIN] = slot_of(r.key);
        EXPECT_EQ(std::pair(u.dflt_atk_pwr(), u.get_wpn_reach()), std::pair(r.atk, r.reach)) << r.key;
    }
    u.conds.mask = CF_NO_THREAT;
    EXPECT_EQ(std::pair(u.get_wpn_reach(), u.get_threat_rad()), std::pair(0, 0));
    u.conds.mask = 0;
    EXPECT_EQ(u.get_threat_rad(), 1);
}

TEST_F(Unit, HealingAndBattleResets) {
    u.base.lv = 1;
    u.base.cls = 1;     // fighter: 5 hit points a level
    u.base.abi[2] = 14;  // Con
    u.hp_ready = 1;
    u.recalc();
    u.hp = 3;
    give_cond(u, 17, nullptr, 0, false);
    u.heal_full();
    EXPECT_EQ(std::tuple(u.hp, u.conds.map.empty()), std::tuple(21, true));
    u.btl.known = 1;
    u.btl.auto_heal2_used = 1;
    u.btl.pwr_uses[282] = 1;
    u.btl.act_budget = 1;
    u.btl.reset();
    EXPECT_EQ(u.btl.known + u.btl.auto_heal1_used + u.btl.auto_heal2_used, 0u);
    EXPECT_TRUE(u.btl.pwr_uses.empty());
    EXPECT_EQ(u.btl.act_budget, 1);  // a battle's start leaves the turn alone
}

TEST_F(Unit, DisplayNameInTheSideColourOnceKnown) {
    reset_btl();  // in a battle the player knows only the units it has seen
    u.name = L"Orc";
    Str out(L"old");
    EXPECT_STREQ(u.get_disp_name(out).buf, L"<c=r>未知生物</c>");
    u.btl.known = 1;
    u.btl.side = SIDE_PLAYER;
    EXPECT_EQ(u.side_slot(), &side_clrs[SIDE_PLAYER]);
    EXPECT_STREQ(u.get_disp_name(out).buf, Str(L"<c=#%08X>Orc</c>", uint32_t(side_clrs[SIDE_PLAYER])).buf);
    u.btl.side = 77;  // the battle engine's word: never read outside the table
    EXPECT_EQ(u.side_slot(), &side_clrs[BTL_SIDES - 1]);
}
