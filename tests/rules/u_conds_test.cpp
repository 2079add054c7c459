#include "rules/u_conds.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

#include "app/str.h"
#include "app/text_log.h"
#include "battle/listener.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/unit.h"
#include "support/next_d20.h"
#include "support/pwrs_test.h"

namespace {

class UConds : public pwrs_log_test {
protected:
    // Most cases need a unit and a neighbour to hold it or be held.
    void SetUp() override {
        pwrs_log_test::SetUp();
        make(a, 0);
        make(b, 1);
    }
    // A level-1 fighter of race `race` with 15 hit points (Con 10), at cell x, 0.
    static void make(unit_t& u, int x, int race = 24) {
        u.base.kind = UK_PC;
        u.pos = {x, 0};
        make_unit(u, race, 1, 1, 10);
        u.hp_ready = 1;
    }
    static bool logged(const wchar_t* s) { return log_text().find(s) != std::wstring::npos; }

    unit_t a, b;
};

}  // namespace

TEST_F(UConds, DurationsCountDownInTheirOwnPhase) {
    give_cond(a, 1);   // "slow": one round, counted at the turn's end
    give_cond(a, 13);  // "def": one round, counted at the turn's start
    give_cond(a, 3);   // "prone": until removed
    a.conds.on_turn_end();
    EXPECT_EQ(held(a), (std::set<int>{3, 13}));
    EXPECT_EQ(a.conds.map[13].dur, 1);  // the other phase's count stays
    a.conds.on_turn_start();
    EXPECT_EQ(held(a), (std::set<int>{3}));
    give_cond(a, 1);
    a.conds.on_turn_start();
    EXPECT_EQ(held(a), (std::set<int>{1, 3}));
    EXPECT_EQ(a.conds.map[1].dur, 1);
    a.conds.on_turn_end();
    EXPECT_EQ(held(a), (std::set<int>{3}));
    EXPECT_EQ(a.conds.map[3].dur, COND_FOREVER);

    std::vector<int> floats;  // the kinds the screen is told, to give them their look
    btl_pres().float_text = [&](const wchar_t*, unit_t*, float_kind_t k) { floats.push_back(k); };
    give_cond(a, 10);  // "fear": two rounds
    a.conds.on_turn_end();
    EXPECT_TRUE(a.conds.has(10));
    log_cur_buf()->assign(L"");
    a.conds.on_turn_end();
    EXPECT_FALSE(a.conds.has(10));
    EXPECT_TRUE(logged(L"解除"));
    EXPECT_EQ(floats, (std::vector<int>{FLOAT_COND_BAD, FLOAT_COND_LOST}));
    btl_pres() = btl_pres_t();

    // An instance made with no duration left ends in its phase, never lingers.
    cond_inst_t ci;
    make_cond_inst(ci, 17, nullptr, 0, CI_NO_ROLL, 0);
    ci.dur = 0;
    a.conds.add(ci, true);
    a.conds.on_turn_start();
    EXPECT_TRUE(a.conds.has(17));
    a.conds.on_turn_end();
    EXPECT_FALSE(a.conds.has(17));
}

TEST_F(UConds, NothingWorksAtZeroHitPoints) {
    EXPECT_TRUE(a.conds.can_act());
    EXPECT_TRUE(a.conds.can_move());
    EXPECT_TRUE(a.conds.threatens());
    a.hp = 0;
    EXPECT_FALSE(a.conds.can_act());
    EXPECT_FALSE(a.conds.can_move());
    EXPECT_FALSE(a.conds.threatens());
    EXPECT_TRUE(a.conds.can_cmd());

    // Bleeding to death at the turn's start: the later steps never run.
    make(a, 0);
    a.hp = 3;
    give_cond(a, 16, &b);
    give_cond(a, 20, &b, 10);
    a.conds.on_turn_start();
    EXPECT_EQ(a.hp, 0);
    EXPECT_TRUE(logged(L"造成<c=r>10</c>点伤害。"));
    EXPECT_FALSE(logged(L"挣脱擒抱检定"));
    EXPECT_EQ(a.conds.map[20].dur, 3);  // no tick either
    const std::wstring before = log_text();
    a.conds.on_turn_start();
    EXPECT_EQ(log_text(), before);
}

TEST_F(UConds, DamageOverTimeAndRegeneration) {
    give_cond(a, 21, nullptr, 4);  // burning
    a.conds.on_turn_start();
    EXPECT_EQ(a.hp, 11);
    EXPECT_EQ(a.conds.map[21].dur, 2);
    // Fire immunity takes the burn's damage away.
    a.pwrs.add(173);
    a.recalc();
    a.conds.on_turn_start();
    EXPECT_EQ(a.hp, 11);

    unit_t r;
    r.pwrs.add(148);  // "hr5"
    make(r, 0);
    ASSERT_EQ(r.drv.hr, 5);
    r.hp = 3;
    r.conds.on_turn_start();
    EXPECT_EQ(r.hp, 8);
    EXPECT_TRUE(logged(L"恢复<c=r>5</c>点生命。"));
    r.btl.regen_off = 1;
    r.conds.on_turn_start();
    EXPECT_EQ(r.hp, 8);
    r.btl.regen_off = 0;
    r.hp = r.drv.hp_max;
    log_cur_buf()->assign(L"");
    r.conds.on_turn_start();
    EXPECT_FALSE(logged(L"恢复"));  // nothing to heal
}

TEST_F(UConds, EscapingAGrapple) {
    give_cond(a, 16, &b);
    ASSERT_TRUE(b.conds.has(15));
    b.drv.def[5] = 1000;  // only a natural 20 beats it
    next_d20(19);
    a.conds.on_turn_start();
    EXPECT_TRUE(logged(L"挣脱擒抱检定: "));
    EXPECT_TRUE(a.conds.has(16));
    next_d20(20);
    a.conds.on_turn_start();
    EXPECT_FALSE(a.conds.has(16));
    EXPECT_FALSE(b.conds.has(15));

    // A helpless unit makes no attempt.
    give_cond(a, 16, &b);
    give_cond(a, 5);
    log_cur_buf()->assign(L"");
    next_d20(20);
    a.conds.try_escape();
    EXPECT_TRUE(log_text().empty());
    EXPECT_TRUE(a.conds.has(16));
}

TEST_F(UConds, HoldingPowersHurtTheHeld) {
    b.pwrs.add(250);  // "grap_dmg1": 5 a tier
    give_cond(a, 16, &b);
    b.conds.on_turn_start();
    EXPECT_EQ(a.hp, 10);
    EXPECT_TRUE(logged(L"生效"));

    // "grap_suck" drains the living, never the undead.
    b.pwrs.remove(250);
    b.pwrs.add(254);
    b.hp = 5;
    b.conds.grap_hold();
    EXPECT_EQ(a.hp, 5);
    EXPECT_EQ(b.hp, 10);
    unit_t z;
    make(z, 0, 34);
    ASSERT_TRUE(z.has_trait(4));
    b.conds.remove(15);
    give_cond(z, 16, &b);
    const int zhp = z.hp;
    b.conds.grap_hold();
    EXPECT_EQ(z.hp, zhp);
    // Without a holding power nothing happens.
    b.pwrs.remove(254);
    log_cur_buf()->assign(L"");
    b.conds.grap_hold();
    EXPECT_TRUE(log_text().empty());
}

TEST_F(UConds, GrapplesEndWhenThePairCannotHold) {
    give_cond(a, 16, &b);
    a.conds.check_grapple();
    b.conds.check_grapple();
    EXPECT_TRUE(a.conds.has(16));
    b.pos = {3, 0};  // the grappler moved away
    a.conds.check_grapple();
    EXPECT_TRUE(held(a).empty());
    EXPECT_TRUE(held(b).empty());

    b.pos = {1, 1};
    give_cond(a, 16, &b);
    give_cond(b, 3);  // a prone grappler lets go
    b.conds.check_grapple();
    EXPECT_FALSE(a.conds.has(16));
    EXPECT_FALSE(b.conds.has(15));

    b.conds.remove(3);
    give_cond(a, 16, &b);
    a.hp = 0;  // the held unit is down
    a.conds.check_grapple();
    EXPECT_FALSE(b.conds.has(15));
    unit_t c;
    c.conds.check_grapple();  // nothing held: nothing to do
    EXPECT_TRUE(held(c).empty());
}

TEST_F(UConds, AConditionGivenAgainKeepsTheLongerDuration) {
    give_cond(a, C_FEAR);
    const int full = a.conds.map[C_FEAR].dur;
    ASSERT_GE(full, 2) << "fear lasts more than a round";
    cond_inst_t shorter;
    make_cond_inst(shorter, C_FEAR, nullptr, 0, CI_NO_ROLL, 0);
    shorter.dur = full - 1;
    a.conds.add(shorter, true);
    EXPECT_EQ(a.conds.map[C_FEAR].dur, full) << "a shorter fear does not cut the one held";
    a.conds.on_turn_end();
    ASSERT_EQ(a.conds.map[C_FEAR].dur, full - 1);
    give_cond(a, C_FEAR);
    EXPECT_EQ(a.conds.map[C_FEAR].dur, full) << "a full one starts the count again";
}

TEST_F(UConds, AGrapplerThatTakesNoOrdersLetsGo) {
    for (int id : {C_CHARM, C_MAD}) {
        unit_t victim, grappler;  // fresh each round: the first leaves its grappler charmed
        make(victim, 0);
        make(grappler, 1);
        give_cond(victim, C_GRAP, &grappler);
        ASSERT_TRUE(grappler.conds.has(C_GRAPPER));
        give_cond(grappler, id);
        grappler.conds.check_grapple();
        EXPECT_FALSE(grappler.conds.has(C_GRAPPER)) << id;
        EXPECT_FALSE(victim.conds.has(C_GRAP)) << id;
    }
}
