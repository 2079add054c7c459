#include <gtest/gtest.h>

#include "app/rnd.h"
#include "battle/act_fixture.h"
#include "battle/rolls.h"
#include "rules/dice.h"
#include "rules/pwr.h"

namespace {
class Outcome : public act_test {
protected:
    u_cmd_t cmd;
    void SetUp() override {
        act_test::SetUp();
        draw({"......", "......", "......"});
        a = mk(1, 1, 0, 3, 12);
        t = mk(2, 1, 1, 1, 20);
        fog();
        cmd = {.pwr = 2, .param = 0, .tgt = t->pos, .flags = 0};  // a blow at t
    }
    // One attack of the power on t with a flat damage, rolled against value.
    atk_rec_t flat_rec(int bonus, int crit_bonus, uint32_t mask = 1u << 4) {
        atk_rec_t r;
        r.atk = 0;
        r.dmg = {{0, 0, bonus, mask}};
        r.crit_dmg = {{0, 0, crit_bonus, mask}};
        return r;
    }
    int hit_with(int pwr, atk_rec_t r, int face, int value, do_act_t** keep = nullptr) {
        cmd = {.pwr = pwr, .param = 0, .tgt = t->pos, .flags = 0};
        static do_act_t* last = nullptr;
        delete last;
        last = new do_act_t(a, &cmd);
        if (keep) *keep = last;
        return resolve(last, r, face, value);
    }
    // The attack through ctx, as its state stands; the damage dealt.
    int resolve(do_act_t* ctx, atk_rec_t r, int face, int value) {
        act_tgt_t tg{1, t->pos, value, t, nullptr};
        const int hp = t->hp;
        next_d20(face);
        ctx->resolve_unit(r, tg);
        return hp - t->hp;
    }
};
}  // namespace

TEST_F(Outcome, CriticalHalfAndHalvings) {
    ASSERT_GT(t->hp, 100);
    // Fire ball (its own dice): a natural 20 is critical, a miss deals half.
    EXPECT_EQ(hit_with(127, flat_rec(10, 40), 20, 5), 40);
    EXPECT_EQ(hit_with(127, flat_rec(10, 40), 10, 5), 10);
    EXPECT_EQ(hit_with(127, flat_rec(10, 40), 2, 50), 5);
    add_cond_no_save(17, nullptr, a);  // weak: halved again
    EXPECT_EQ(hit_with(127, flat_rec(10, 40), 2, 50), 2);
    EXPECT_EQ(hit_with(127, flat_rec(10, 40), 10, 5), 5);
    a->conds.erase(17, true);
    // A weapon attack never deals half on a miss.
    rec.calls.clear();
    EXPECT_EQ(hit_with(2, flat_rec(10, 40, 2), 2, 50), 0);
    EXPECT_EQ(count_slot(34), 1);
}

TEST_F(Outcome, HalfEffectCountsAsAHitButBringsNoConditions) {
    atk_rec_t r = flat_rec(10, 10);
    cond_inst_t ci;
    r.conds.push_back(make_cond_inst(ci, 1, a, 100, CI_NO_ROLL, 0));
    do_act_t* ctx = nullptr;
    hit_with(127, r, 2, 50, &ctx);
    EXPECT_FALSE(t->conds.has(1));
    ASSERT_EQ(ctx->results.size(), 1u);
    EXPECT_EQ(ctx->results[0].hits, 1);
    EXPECT_EQ(ctx->last_hit, t);
    hit_with(127, r, 10, 5, &ctx);
    EXPECT_TRUE(t->conds.has(1));
}

TEST_F(Outcome, PercentageMissDealsTierDice) {
    const act_t* df = dynamic_cast<const act_t*>(get_pwr(141));  // dead_finger, "P100n"
    atk_rec_t r = flat_rec(0, 0);
    r.dmg = r.crit_dmg = df->dmg;
    const int tier = 2, wis = a->drv.abi_mod[4], lvb = df->lv_bonus(a);
    const int d = hit_with(141, r, 2, 50);
    EXPECT_GE(d, tier * 2 + wis + lvb);
    EXPECT_LE(d, tier * 12 + wis + lvb);
}

TEST_F(Outcome, ChainedJumpsHalve) {
    do_act_t* ctx = nullptr;
    hit_with(139, flat_rec(10, 10), 10, 5, &ctx);
    ctx->chained = 1;
    EXPECT_EQ(resolve(ctx, flat_rec(10, 10), 10, 5), 5);
}

TEST_F(Outcome, RendNeedsTwoHitsAndStartsAgain) {
    wield(a, EQ_MAIN, 30);
    wield(a, EQ_OFF, 30);
    a->pwrs.add(77);
    do_act_t ctx(a, &cmd);
    *log_cur_buf() = Str();
    const int hp = t->hp;
    ctx.rend(t);
    EXPECT_EQ(t->hp, hp);
    ctx.rend(t);
    EXPECT_LT(t->hp, hp);
    const int after = t->hp;
    ctx.rend(t);  // the third hit starts a new pair
    EXPECT_EQ(t->hp, after);
    EXPECT_NE(std::wstring(log_cur_buf()->c_str()).find(L"撕裂: "), std::wstring::npos);
    // A lone attacker without the rend feats never rends.
    a->pwrs.remove(77);
    do_act_t plain(a, &cmd);
    plain.rend(t);
    plain.rend(t);
    EXPECT_EQ(t->hp, after);
}

TEST_F(Outcome, ReflectOnHitsCounterOnMisses) {
    guard_with(t);
    for (int u_drv_t::*bounce : {&u_drv_t::bounce_p, &u_drv_t::bounce_f}) {
        do_act_t ctx(a, &cmd);
        t->drv.bounce_p = t->drv.bounce_f = 0;
        t->drv.*bounce = pack_dice(2, 4);
        ctx.results = {{t, 1}};
        const int hp = a->hp;
        ctx.reflect_dmg();
        EXPECT_LT(a->hp, hp);
        ctx.counterattack();  // it was hit: no counterattack
        EXPECT_EQ(t->btl.free_cmds, 0);
    }
    t->drv.bounce_f = 0;
    t->drv.ctr_atk = 100;
    do_act_t ctx(a, &cmd);
    ctx.results = {{t, 0}};
    rec.calls.clear();
    ctx.counterattack();
    EXPECT_EQ(t->btl.free_cmds, 1);
    EXPECT_EQ(count_slot(31), 1);
    EXPECT_TRUE(logged(L"触发反击"));  // the counterattack's own action flushed it
}

TEST_F(Outcome, CureAndImmunity) {
    cond_inst_t ci;
    apply_cond(make_cond_inst(ci, 11, nullptr, 0, CI_NO_ROLL, 0), t);  // mad
    apply_cond(make_cond_inst(ci, 1, nullptr, 0, CI_NO_ROLL, 0), t);   // slow
    ASSERT_TRUE(t->conds.has(11));
    atk_rec_t heal = flat_rec(1, 0, 0x400);
    heal.atk = 100;
    next_d20(20);  // a natural 1 fails the cure's check at any bonus
    cure_cond(heal, t);
    EXPECT_FALSE(t->conds.has(11));
    EXPECT_TRUE(t->conds.has(1));  // at most one a hit
    // A web never touches a unit with trait 5: no roll, no result.
    t->drv.trait[5] = 1;
    do_act_t* ctx = nullptr;
    hit_with(126, flat_rec(0, 0), 20, 0, &ctx);
    EXPECT_TRUE(ctx->results.empty());
}
