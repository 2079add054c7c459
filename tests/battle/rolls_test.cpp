#include "battle/rolls.h"

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/btl_fixture.h"
#include "battle/damage.h"
#include "battle/act_ctx.h"
#include "battle/target_area.h"
#include "rules/cond.h"
#include "rules/u_cmd.h"
#include "support/next_d20.h"
#include "support/pwrs_test.h"

TEST(Rolls, NaturalTwentyAndOneDecide) {
    const struct { int face, bonus, value; bool hit; } rolls[] = {
        {20, -100, 40, true}, {1, 100, 2, false}, {10, 5, 15, true}, {10, 4, 15, false},
        {10, 2147483647, NO_TARGET, true},  // no overflow at the sentinels
    };
    for (const auto& r : rolls) {
        next_d20(r.face);
        EXPECT_EQ(roll_d20_vs(r.bonus, r.value), r.hit) << "a " << r.face << " at " << r.bonus << " vs " << r.value;
    }
}

TEST(Rolls, LoggedRollWritesTheRollLine) {
    take_log();
    next_d20(12);
    int die = 0;
    EXPECT_TRUE(roll_d20_log(-3, 9, &die));
    EXPECT_EQ(die, 12);
    EXPECT_STREQ(take_log().c_str(), L"命中<a=128> ( <c=y>12</c> - 3 vs 9 )</a>");
    next_d20(12);
    EXPECT_FALSE(roll_unit_check(L"强韧", nullptr, 2, 15));
    EXPECT_STREQ(take_log().c_str(), L"强韧检定: <c=a>失误</c><a=128> ( <c=y>12</c> + 2 vs 15 )</a>");
    Str s;
    EXPECT_STREQ((roll_t{7, -2147483647 - 1, 3}.get_text(s)).buf, L"<c=y>7</c> - 2147483648 vs 3");
}

TEST(Rolls, PercentRoll) {
    take_log();
    EXPECT_FALSE(roll_pct(0, L"ok", L"no"));
    EXPECT_STREQ(take_log().c_str(), L"");
    rnd_srand(1);
    const int roll = rnd_rand() % 100 + 1;
    rnd_srand(1);
    EXPECT_EQ(roll_pct(50, L"ok", L"no"), roll > 50);
    EXPECT_STREQ(take_log().c_str(), Str(L"%s ( <c=y>%d</c> vs 50 )", roll > 50 ? L"ok" : L"no", roll).buf);
}

TEST(Rolls, AttackRoll) {
    // roll_atk with the die showing face.
    const auto atk_on = [](int face, int bonus, int def, int flags, int crit_rng) {
        next_d20(face);
        return roll_atk(bonus, def, flags, crit_rng);
    };
    take_log();
    EXPECT_EQ(atk_on(20, 0, 40, 4, 1), ATK_HIT);  // a natural 20 hits but is no critical when it fell short
    EXPECT_EQ(atk_on(19, 5, 20, 4, 2), ATK_HIT | ATK_CRIT);
    EXPECT_EQ(atk_on(19, 5, 20, 0, 2), ATK_HIT);
    take_log();
    EXPECT_EQ(atk_on(2, 0, 15, 2, 1), ATK_HIT | ATK_MISS_DMG);
    EXPECT_NE(take_log()[0], L'\0');
    EXPECT_EQ(atk_on(2, 0, 15, 0, 1), 0);
    take_log();
    EXPECT_EQ(atk_on(20, NO_TARGET, 15, 4, 1), ATK_HIT | ATK_CRIT);  // no real roll, yet the die can crit
    EXPECT_EQ(atk_on(5, 0, AUTO_HIT, 4, 1), ATK_HIT);
}

TEST(Damage, HalvingNeverLosesAHit) {
    for (auto [in, out] : {std::pair{7, 3}, {1, 1}, {-1, -1}, {-7, -3}, {0, 0}, {2, 1}}) {
        int a = in;
        halve_dmg(&a);
        EXPECT_EQ(a, out) << in;
    }
}

TEST(Rolls, PercentRollSucceedsOnExactlyChanceInAHundred) {
    // One seed for each face 1..100 of the percent die.
    std::vector<uint32_t> seed_of(101, 0);
    int found = 0;
    for (uint32_t s = 1; found < 100; ++s) {
        rnd_srand(s);
        const int face = rnd_rand() % 100 + 1;
        if (!seed_of[size_t(face)]) seed_of[size_t(face)] = s, ++found;
    }
    for (int chance : {1, 2, 50, 99, 100}) {
        int wins = 0;
        for (int face = 1; face <= 100; ++face) {
            rnd_srand(seed_of[size_t(face)]);
            wins += roll_pct(chance, L"ok", L"no");
        }
        EXPECT_EQ(wins, chance) << "chance " << chance;
    }
    take_log();
    rnd_srand(seed_of[99]);
    EXPECT_FALSE(roll_pct(1, L"ok", L"no"));
    EXPECT_STREQ(take_log().c_str(), L"no ( <c=y>99</c> vs 99 )") << "the line keeps its text";
}

// ---- defence values, uses and the costs of commands ----

namespace {
class Checks : public btl_test {
protected:
    act_t* act(int id) { return dynamic_cast<act_t*>(get_pwr(id)); }
    u_cmd_t cmd(int pwr, int flags = 0) { return {.pwr = pwr, .param = 0, .tgt = {0, 0}, .flags = flags}; }
};
}  // namespace

TEST_F(Checks, DefenceValuesImmunitiesAndBonusesAgainstOpportunity) {
    draw({"....", "...."});
    unit_t* a = add(0, 0, 0);
    unit_t* t = add(1, 0, 1);
    t->drv.def[1] = 15;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), 15);
    t->pwrs.add(259);  // "ao_ac2"
    t->pwrs.add(24);   // "mobility"
    EXPECT_EQ(tgt_def_value(cmd(2, 1 | 64), a, t), 21) << "an attack of opportunity provoked by a move";
    EXPECT_EQ(tgt_def_value(cmd(2, 1), a, t), 17);

    // Trip against the prone, a condition the target is immune to, a removal of one it lacks.
    t->conds.clear();
    add_cond_no_save(3, a, t);
    EXPECT_EQ(tgt_def_value(cmd(4), a, t), NO_TARGET);
    act_t* spl = act(2);
    spl->dmg.clear();
    spl->cond = 10;  // "fear"
    t->drv.imm[10] = 1;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), NO_TARGET) << "never rolled";
    spl->cond = -5;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), NO_TARGET);
    spl->cond = 0;
    spl->flags = PF_NO_ROLL;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), AUTO_HIT);
    // A manoeuvre between allies is against 5; spell resistance less penetration.
    spl->flags = 0;
    spl->atk = 4;
    t->btl.side = SIDE_PLAYER;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), 5);
    t->btl.side = SIDE_FOES;
    t->drv.def[1] = 15;  // the conditions' recalculations reset it
    spl->atk = 2;
    t->drv.ac_rng = 3;  // a ranged weapon attack also meets the defence against missiles
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), 15 + 3);
    spl->atk = 3;
    spl->school = 1;
    t->drv.sr = 12;
    a->drv.unsr = 5;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), 15 + 7);
    spl->def = 0;
    EXPECT_EQ(tgt_def_value(cmd(2), a, t), 7) << "no defence: the resistance alone";
}

TEST_F(Checks, UsesPerBattle) {
    unit_t* u = add(0, 0, 0);
    act(282)->flags |= PF_LIMITED;
    EXPECT_EQ(pwr_uses_max(u, 282), 1);
    u->pwrs.add(118);  // "turn_extra"
    EXPECT_EQ(pwr_uses_max(u, 282), 2);
    count_pwr_use(u, cmd(282));
    EXPECT_EQ(pwr_uses_left(u, 282), 1);
    count_pwr_use(u, cmd(282));
    EXPECT_EQ(pwr_uses_left(u, 282), 0);
    EXPECT_FALSE(can_use_pwr(u, 282)) << "used up for this battle";
    EXPECT_EQ(pwr_uses_left(u, 2), UNLIMITED);
    count_pwr_use(u, cmd(2));
    EXPECT_EQ(pwr_uses_left(u, 2), UNLIMITED);
    EXPECT_EQ(u->btl.pwr_uses.count(2), 0u);
}

TEST_F(Checks, CostsShiftStepsEndOfTurnAndTheMoveBit) {
    unit_t* u = add(0, 0, 0);
    EXPECT_TRUE(spend_act_pts(u, cmd(1, UCMD_SHIFT)));
    EXPECT_EQ(u->btl.act_budget, 4) << "a shift step is free";
    EXPECT_EQ(u->btl.turn_flags & 1, 1) << "but it uses the move";
    EXPECT_FALSE(spend_act_pts(u, cmd(1))) << "a second move in the turn";
    u->turn_reset();
    EXPECT_TRUE(spend_act_pts(u, cmd(1)));
    EXPECT_EQ(u->btl.act_budget, 3);
    finish_cmd(u, cmd(15));
    EXPECT_EQ(u->btl.act_budget, 1) << "end_turn takes what is left";
    u->turn_reset();
    finish_cmd(u, cmd(2, 1));
    EXPECT_EQ(u->btl.free_cmds, 1);
    finish_cmd(u, cmd(2, 2));
    EXPECT_EQ(u->btl.act_budget, 4);
    EXPECT_TRUE(is_full_round(u, 2, 0)) << "a standard action with the whole budget";
    EXPECT_FALSE(is_full_round(u, 2, 4));
    EXPECT_FALSE(is_full_round(u, 2, 1)) << "an attack of opportunity takes no turn";
    EXPECT_FALSE(is_full_round(u, 2, 2)) << "nor does a cleave";
    act(2)->cost = 4;
    EXPECT_FALSE(is_full_round(u, 2, 0)) << "a full-round power costs its own 4";
    act(2)->cost = 3;
    finish_cmd(u, cmd(2));
    EXPECT_EQ(u->btl.act_budget, 1);
    u->btl.act_budget = BUDGET_STD;
    finish_cmd(u, cmd(2));
    EXPECT_EQ(u->btl.act_budget, 1) << "the standard action of a turn whose move is spent";
}

TEST_F(Checks, APlayerWhoDeclinesToProvokePaysNothing) {
    draw({"....", "...."});
    unit_t* u = add(0, 0, 0);
    unit_t* foe = add(1, 0, 1);
    u->btl.ai = 0;
    foe->drv.aoo = 1;
    EXPECT_TRUE(is_threatened(u));
    rec.aoo_answer = false;
    EXPECT_EQ(pre_check_cmd(u, cmd(1)), PC_CANCEL);
    EXPECT_EQ(rec.slots(), (std::vector<int>{38}));
    EXPECT_EQ(pre_check_cmd(u, cmd(1, UCMD_SHIFT)), 0) << "a shift step provokes nothing";
    EXPECT_EQ(pre_check_cmd(u, cmd(15)), 0) << "ending the turn provokes nothing";
    u->btl.ai = 1;
    rec.calls.clear();
    pre_check_cmd(u, cmd(1));  // the attack of opportunity is real and may leave u unable to move
    EXPECT_EQ(rec.count(38), 0) << "the computer is not asked";
    EXPECT_EQ(rec.count(31), 1) << "the threatening foe strikes";
    foe->btl.free_cmds = 1;
    EXPECT_FALSE(is_threatened(u)) << "its attacks of opportunity are used up";
    EXPECT_TRUE(pwr_provokes(u, 2)) << "an unarmed melee attack";
    u->pwrs.add(96);
    EXPECT_FALSE(pwr_provokes(u, 2));
    u->pwrs.add(261);
    EXPECT_FALSE(pwr_provokes(u, 1));
}

TEST_F(Checks, ThreatAndClassWeights) {
    unit_t* u = add(0, 0, 0);
    u->drv.def[1] = 20;
    u->hp = 10;
    EXPECT_EQ(unit_threat_value(u), 10000000 / 200);
    u->hp = 0;
    EXPECT_EQ(unit_threat_value(u), 10000000) << "no division by zero";
    u->base.cls = 3;
    EXPECT_EQ(unit_class_weight(u), 200);
    u->drv.def[1] = 10000;
    u->hp = 4000;
    EXPECT_EQ(unit_threat_value(u), 200);
}
