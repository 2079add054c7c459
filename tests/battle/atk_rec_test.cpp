#include "battle/atk_rec.h"

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "battle/act_ctx.h"
#include "battle/rolls.h"
#include "battle/btl_fixture.h"
#include "rules/brk_line.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "rules/u_cmd.h"

namespace {
class AtkRec : public btl_test {
protected:
    void SetUp() override {
        btl_test::SetUp();
        draw({"....."});
    }
    // A medium level-lv fighter with these ability modifiers, not recalculated.
    unit_t* fighter(int x, int y, int side, int lv, int str, int dex) {
        unit_t* u = add(x, y, side, 30);
        u->base.lv = lv;
        u->drv.size = 3;
        u->drv.abi_mod[0] = str;
        u->drv.abi_mod[1] = dex;
        u->drv.aoo = 1;
        return u;
    }
    static void wield(unit_t* u, int slot, int itm, int bonus = 0) {
        mk_itm_slot_bonus(u->eqpts.slots[slot], itm, 1, bonus);
        if (const int p = get_prof_pwr(itm)) u->pwrs.add(p);
    }
    static Str line(int v, const wchar_t* label) {
        Str s;
        brk_line(s, v, label);
        return s;
    }
    static std::vector<atk_rec_t> atks(unit_t* u, int pwr) {
        std::vector<atk_rec_t> v;
        get_atks(v, u, pwr, 0);
        return v;
    }
};
}  // namespace

// A level-12 (tier 2) fighter with Str 4 and a +1 greatsword in both hands.
TEST_F(AtkRec, WeaponRecordAndItsBreakdownTexts) {
    unit_t* u = fighter(1, 0, 0, 12, 4, 1);
    wield(u, EQ_MAIN, 34, 1);
    for (int p : {36, 38, 78}) u->pwrs.add(p);
    const auto v = atks(u, 2);
    ASSERT_EQ(v.size(), 1u);
    const atk_rec_t& r = v[0];
    EXPECT_EQ(r.atk, 4 + 1 + 6 + 4 + 2);
    Str atk_tip = line(4, L"擅长武器") + line(1, L"魔法加值") + line(6, L"等级修正") + line(4, L"力量修正") +
                  line(2, pwr_name(36));
    atk_tip.drop_back(1);
    EXPECT_STREQ(r.atk_tip.c_str(), atk_tip.c_str());
    ASSERT_EQ(r.dmg.size(), 1u);
    EXPECT_EQ(std::tuple(r.dmg[0].count, r.dmg[0].sides, r.dmg[0].bonus), std::tuple(4, 6, 1 + 8 + 6 + 4));
    Str dmg_tip = Str(L"<b>2d6</b>\t基础数值\n") + line(1, L"魔法加值") + Str(L"<c=g>x2</c>\t等级修正\n") +
                  line(8, pwr_name(38)) + line(6, L"力量修正（双手）") + line(4, pwr_name(78));
    dmg_tip.drop_back(1);
    EXPECT_STREQ(r.dmg_tip.c_str(), dmg_tip.c_str());
    EXPECT_EQ(r.wpn, &u->eqpts.slots[EQ_MAIN]);
    EXPECT_EQ(std::pair(r.crit_rng, r.rng), std::pair(2, 1));
    EXPECT_EQ(r.crit_dmg[0].count, 4 * r.crit_mult);
}

// Fire ball of a level-12 wizard with Int 4, the elemental focus and "spl_elem1".
TEST_F(AtkRec, SpellRecordScalesItsDice) {
    unit_t* u = fighter(1, 0, 0, 12, 0, 0);
    u->base.cls = 3;
    u->drv.abi_mod[3] = 4;
    for (int p : {109, 110}) u->pwrs.add(p);
    const auto v = atks(u, 127);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].atk, 6 + 4 + 1);
    Str tip = line(1, pwr_name(109));
    tip.drop_back(1);
    EXPECT_STREQ(v[0].atk_tip.c_str(), tip.c_str());
    ASSERT_EQ(v[0].dmg.size(), 1u);
    EXPECT_EQ(std::pair(v[0].dmg[0].count, v[0].dmg[0].bonus), std::pair(4, 4 + 4 + 24));  // Int, 2 x tier, level x 2
    EXPECT_EQ(std::tuple(v[0].wpn, v[0].conds.empty()), std::tuple(nullptr, true));
    // The gear's damage values: elemental on fire, positive energy and healing given on "heal", negative on "harm".
    const auto bonus = [&](int pwr) { return atks(u, pwr)[0].dmg[0].bonus; };
    const int fire = bonus(127), heal = bonus(123), harm = bonus(124);
    u->drv.elm_dmg = 1, u->drv.pe_dmg = 10, u->drv.to_heal = 100, u->drv.ne_dmg = 1000;
    EXPECT_EQ(bonus(127), fire + 1);
    EXPECT_EQ(bonus(123), heal + 110);
    EXPECT_EQ(bonus(124), harm + 1000);
}

TEST_F(AtkRec, RepeatsAndNoRollPowers) {
    unit_t* u = fighter(1, 0, 0, 0, 0, 0);
    for (const auto& [lv, n] : std::vector<std::pair<int, size_t>>{{0, 1}, {4, 1}, {5, 2}, {9, 2}, {10, 3}, {30, 3}}) {
        u->base.lv = lv;
        const auto v = atks(u, 119);  // "mm" has no defence: no roll
        EXPECT_EQ(v.size(), n) << lv;
        EXPECT_EQ(v[0].atk, NO_TARGET);
    }
    u->pwrs.add(256);  // "x2_atk" doubles a single weapon attack
    EXPECT_EQ(atks(u, 2).size(), 2u);
    std::vector<atk_rec_t> none;
    EXPECT_FALSE(get_atks(none, u, 3, 0));  // no ranged weapon
    EXPECT_FALSE(get_atks(none, u, 16, 0));  // a feat is no action
}

TEST_F(AtkRec, TwoWeaponsAndStrength) {
    unit_t* u = fighter(1, 0, 0, 1, 4, 0);
    wield(u, EQ_MAIN, 39);  // axe_m
    wield(u, EQ_OFF, 39);   // not light
    u->pwrs.add(70);        // "tw"
    auto v = atks(u, 2);
    ASSERT_EQ(v.size(), 2u);
    const int base = 4 + 4;  // proficient, Str
    EXPECT_EQ(std::pair(v[0].atk, v[1].atk), std::pair(base - 4, base - 4));
    EXPECT_EQ(std::pair(v[0].dmg[0].bonus, v[1].dmg[0].bonus), std::pair(4, 2));  // half Str in the off hand
    // A light off-hand weapon lowers both penalties by 2 more; "tw3" cancels them.
    wield(u, EQ_OFF, 30);
    v = atks(u, 2);
    EXPECT_EQ(std::pair(v[0].atk, v[1].atk), std::pair(base - 2, base - 2));
    u->pwrs.add(73);
    v = atks(u, 2);
    EXPECT_EQ(std::pair(v[0].atk, v[1].atk), std::pair(base, base));
    // Str 4: 6 with a two-handed weapon, nothing with a crossbow.
    u->eqpts.slots[EQ_OFF].clear();
    wield(u, EQ_MAIN, 34);
    EXPECT_EQ(atks(u, 2)[0].dmg[0].bonus, 6);
    unit_t* x = fighter(3, 0, 0, 1, 4, 0);
    wield(x, EQ_MAIN, 63);  // a crossbow
    mk_itm_slot(x->eqpts.slots[EQ_QUICK], 167, 10);
    v = atks(x, 3);
    ASSERT_EQ(v.size(), 1u);
    EXPECT_EQ(v[0].dmg[0].bonus, 0);
}

TEST_F(AtkRec, ManoeuvreBonusAndFeats) {
    unit_t* d = fighter(1, 0, 1, 1, 0, 0);
    EXPECT_EQ(manoeuvre_bonus(5, d), 0);
    d->pwrs.add(102);
    EXPECT_EQ(manoeuvre_bonus(5, d), 2);
    d->pwrs.add(101);
    EXPECT_EQ(manoeuvre_bonus(5, d), 4);
    EXPECT_EQ(manoeuvre_bonus(4, d), 0);
    d->base.race = 25;
    EXPECT_EQ(manoeuvre_bonus(6, d), 4);
    EXPECT_EQ(manoeuvre_bonus(8, d), 0);
    unit_t* a = fighter(2, 0, 0, 2, 3, 0);
    for (int p : {99, 100}) a->pwrs.add(p);
    EXPECT_EQ(atks(a, 4)[0].atk, a->get_atk(4) + 4);
    EXPECT_EQ(atks(a, 4)[0].rng, 1);  // the unarmed strike's reach
}

// ---- situation modifiers ----

namespace {
// Only measures: the situation of one record against one target.
struct probe_ctx_t : act_ctx_t {
    using act_ctx_t::act_ctx_t;
    bool run() override { return false; }
};

class Situation : public AtkRec {
protected:
    unit_t* a = nullptr;
    unit_t* t = nullptr;
    u_cmd_t cmd;
    void SetUp() override {
        AtkRec::SetUp();
        draw({".......", ".......", ".......", "......."});
        a = fighter(2, 1, 0, 12, 2, 0);
        t = fighter(3, 1, 1, 1, 0, 0);
        wield(a, EQ_MAIN, 39);
        fog();
    }
    atk_rec_t sit(int pwr, int def, int flags = 4) {
        cmd = {.pwr = pwr, .param = 0, .tgt = t->pos, .flags = flags};
        atk_rec_t r = atks(a, pwr)[0];
        probe_ctx_t ctx(a, &cmd);
        ctx.get_atk_situation(r, t, def);
        return r;
    }
};
}  // namespace

TEST_F(Situation, FlankProneHelplessAndPowerAttack) {
    const atk_rec_t plain = sit(2, 40);
    EXPECT_STREQ(plain.sit_tip.c_str(), L"");
    add(4, 1, 0);  // a partner on the far side
    atk_rec_t r = sit(2, 40);
    EXPECT_EQ(r.atk, plain.atk + 2);
    EXPECT_STREQ(r.sit_tip.c_str(), L"<c=#ff00ff00>夹击</c>");
    add_cond_no_save(3, nullptr, t);
    add_cond_no_save(5, nullptr, t);
    t->recalc();
    t->conds.upd_mask();
    r = sit(2, 40);
    EXPECT_EQ(r.atk, plain.atk + 2 + 4 + 4);
    EXPECT_STREQ(r.sit_tip.c_str(), L"<c=#ff00ff00>夹击</c>,<c=#ff00ff00>无助</c>,<c=#ff00ff00>倒地</c>");
    EXPECT_EQ(sit(5, 40).atk, atks(a, 5)[0].atk + 2 + 4 - 4);  // ram against a prone target
    // Power attack: the margin over the defence, times the tier, as damage.
    a->pwrs.add(55);
    const int def = r.atk - 3;
    r = sit(2, def);
    EXPECT_EQ(r.dmg[0].bonus, plain.dmg[0].bonus + 4 * 2);
    EXPECT_EQ(r.crit_dmg[0].bonus, r.dmg[0].bonus);
}

TEST_F(Situation, OnlyArmourReflexAndManoeuvreDefences) {
    add_cond_no_save(3, nullptr, t);
    // harm (defence 4), dead_finger (defence 2)
    for (int pwr : {124, 141}) EXPECT_STREQ(sit(pwr, 10).sit_tip.c_str(), L"") << pwr;
}

TEST_F(Situation, RangedIntoMelee) {
    t->pos = {6, 3};
    add(5, 3, 0);  // the target fights one of ours
    wield(a, EQ_MAIN, 63);
    mk_itm_slot(a->eqpts.slots[EQ_QUICK], 167, 10);
    rebuild_roster();
    fog();
    EXPECT_STREQ(sit(3, 40).sit_tip.c_str(), L"<c=#ffff0000>混战</c>");
    a->pwrs.add(84);
    EXPECT_STREQ(sit(3, 40).sit_tip.c_str(), L"");
    add(1, 1, 1);  // a foe next to the archer
    EXPECT_STREQ(sit(3, 40).sit_tip.c_str(), L"<c=#ffff0000>干扰</c>");
}

TEST_F(Situation, ChargeAndAllOut) {
    a->run_dir = 3;  // its last run went east, onto the target
    a->pwrs.add(248);
    atk_rec_t r = sit(2, 40);
    EXPECT_EQ(r.atk, atks(a, 2)[0].atk + 1);
    EXPECT_EQ(r.dmg[0].bonus, atks(a, 2)[0].dmg[0].bonus + 2 + 10);
    ASSERT_FALSE(r.conds.empty());
    EXPECT_EQ(r.conds.back().id, 3);
    a->run_dir = 2;  // away from it
    EXPECT_TRUE(sit(2, 40).conds.empty());
}

TEST(PlanRnd, PlanningLeavesTheBattleDrawsAlone) {
    rnd_srand(77);
    const int want = rnd_rand();
    rnd_srand(77);
    {
        plan_rnd_t plan;
        for (int i = 0; i < 5; ++i) rnd_rand();
        plan_rnd_t nested;
        rnd_rand();
    }
    EXPECT_EQ(rnd_rand(), want);
}

TEST_F(Situation, AllOutProneActorBloodiedPackAndSneak) {
    // A standard action taken with every point left becomes the whole turn: all-out.
    atk_rec_t r = sit(2, 40, 0);
    EXPECT_STREQ(r.sit_tip.c_str(), L"<c=#ff00ff00>全力</c>");
    EXPECT_EQ(r.atk, atks(a, 2)[0].atk + 2);
    EXPECT_STREQ(sit(2, 40, 4).sit_tip.c_str(), L"");  // told not to take the whole turn
    EXPECT_STREQ(sit(280, 40, 0).sit_tip.c_str(), L"") << "\"down_a1\" is a full-round power, no standard action";
    a->btl.act_budget = BUDGET_STD;
    EXPECT_STREQ(sit(2, 40, 0).sit_tip.c_str(), L"");
    add_cond_no_save(3, nullptr, a);
    r = sit(2, 40);
    EXPECT_EQ(r.atk, atks(a, 2)[0].atk - 4);
    EXPECT_STREQ(r.sit_tip.c_str(), L"<c=#ffff0000>倒地攻击</c>");
    a->conds.erase(3, true);
    // Bloodied targets, with both bloodied powers only the better counts.
    for (int p : {239, 240}) a->pwrs.add(p);
    t->drv.hp_max = 30;
    t->hp = 15;
    r = sit(2, 40);
    EXPECT_EQ(r.atk, atks(a, 2)[0].atk + 2);
    EXPECT_EQ(r.dmg[0].bonus, atks(a, 2)[0].dmg[0].bonus + 5 * 2);
    // Sneak attack on a target flanked by a partner: tier d6 of the first part's types.
    unit_t* p = fighter(4, 1, 0, 1, 0, 0);
    p->pwrs.add(235);
    for (int p : {235, 243}) a->pwrs.add(p);
    r = sit(2, 40);
    ASSERT_EQ(r.dmg.size(), 2u);
    EXPECT_EQ(std::tuple(r.dmg[1].count, r.dmg[1].sides, r.dmg[1].mask), std::tuple(2, 6, r.dmg[0].mask));
    EXPECT_EQ(r.dmg[0].bonus, atks(a, 2)[0].dmg[0].bonus + 5 * 2 + 1);  // one packmate next to the target
    // Labels take the colour of their attack change: pack tactics adds only damage and stays white.
    const std::wstring tip = r.sit_tip.c_str();
    EXPECT_NE(tip.find(std::wstring(L"<c=#ffffffff>") + pwr_name(235) + L"</c>"), std::wstring::npos);
    EXPECT_NE(tip.find(std::wstring(L"<c=#ff00ff00>") + pwr_name(240) + L"</c>"), std::wstring::npos);
    EXPECT_EQ(r.crit_dmg.size(), 2u);
}

TEST_F(Situation, RangedMultiTargetSkipsAlliesAndTheUnseen) {
    wield(a, EQ_MAIN, 63);
    mk_itm_slot(a->eqpts.slots[EQ_QUICK], 167, 10);
    unit_t* ally = fighter(2, 3, 0, 1, 0, 0);
    unit_t* neutral = fighter(4, 3, 3, 1, 0, 0);
    unit_t* foe = fighter(5, 2, 1, 1, 0, 0);
    fog();
    cmd = {.pwr = 91, .param = 0, .tgt = t->pos, .flags = 0};
    probe_ctx_t ctx(a, &cmd);
    std::vector<pt_t> cells = {t->pos, ally->pos, neutral->pos, foe->pos, {6, 0}};
    ctx.filter_rng_tgts(cells);
    EXPECT_EQ(cells, (std::vector<pt_t>{t->pos, foe->pos}));
}
