#include "battle/damage.h"

#include <gtest/gtest.h>

#include <string>

#include "app/str.h"
#include "app/text_log.h"
#include "battle/btl_fixture.h"
#include "rules/cond.h"
#include "rules/dmg_ids.h"
#include "rules/eqpts.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"
#include "tests/rules/itm_inst.h"

namespace {

class Dmg : public pwrs_log_test {
protected:
    unit_t u;     // a level-4 fighter with Con 10: 30 hit points
    dmg_res_t r;  // what a roll or a hit comes to

    void SetUp() override {
        pwrs_log_test::SetUp();
        u.base.kind = UK_PC;
        make_unit(u, 24, 1, 4, 10);
        u.hp_ready = 1;
    }
    static dmg_list_t flat(int amount, uint32_t mask) { return {dmg_part_t{0, 0, amount, mask}}; }
    // What a roll of d on u comes to; r holds the rest.
    int rolled(const dmg_list_t& d) {
        roll_dmg(r, d, &u);
        return r.amount;
    }
    // A hit of amount on u, with what r holds besides.
    void hit(int amount) {
        r.amount = amount;
        apply_dmg(&u, &r);
    }
};

constexpr uint32_t SLASH = 1u << 1, FIRE = 1u << 4;

}  // namespace

TEST_F(Dmg, RollingAgainstPercentagesReductionAndResistance) {
    u.drv.res[4] = 200;  // healed by fire
    EXPECT_EQ(rolled(flat(10, FIRE)), -10);
    u.drv.be_heal = 3;
    EXPECT_EQ(rolled(flat(10, FIRE)), -13);

    u.drv.dr = 5;
    EXPECT_EQ(rolled(flat(3, SLASH)), 0);
    EXPECT_EQ(r.absorbed, 3);
    EXPECT_EQ(r.types, 0u);

    // Reduction first, then energy resistance, on a part that is both.
    u.drv.res[4] = 0;
    u.drv.er = 4;
    EXPECT_EQ(rolled(flat(12, SLASH | FIRE)), 3);
    EXPECT_EQ(r.absorbed, 9);
    EXPECT_EQ(r.types, SLASH | FIRE);
    EXPECT_EQ(type_pct(&u, SLASH | FIRE), 0);

    // "unr_s" lets slashing damage through the reduction.
    u.pwrs.add(158);
    EXPECT_TRUE(dr_bypassed(SLASH, &u));
    EXPECT_FALSE(dr_bypassed(FIRE, &u));
    EXPECT_EQ(rolled(flat(3, SLASH)), 3);
    // A share of the current hit points.
    EXPECT_EQ(rolled({dmg_part_t{DMG_PCT, 50, 0, SLASH}}), 15);
}

TEST_F(Dmg, ApplyingWritesTheLineAndWakesOrKills) {
    u.hp = 20;
    r.absorbed = 2;
    u.hp_pend_t = 2.0;
    hit(5);
    EXPECT_EQ(u.hp, 15);
    EXPECT_EQ(take_log(), L"造成<c=r>5</c><c=a> (-2)</c>点伤害。");
    // The hit-point bar's recent change adds what the hits and heals really
    // did, and its timer starts again.
    EXPECT_EQ(u.hp_pend, -5);
    EXPECT_EQ(u.hp_pend_t, 0.0);
    heal_unit(&u, 100);
    EXPECT_EQ(u.hp, 30);
    EXPECT_EQ(u.hp_pend, 10);
    EXPECT_EQ(take_log(), L"恢复<c=r>15</c>点生命。");

    give_cond(u, 6);
    take_log();
    r = dmg_res_t();
    hit(1);
    EXPECT_FALSE(u.conds.has(6));  // a hit wakes a sleeper

    // Damage that kills a sleeper does not wake it first.
    give_cond(u, 6);
    take_log();
    hit(1000);
    EXPECT_EQ(u.hp, 0);
    EXPECT_EQ(take_log(), L"造成<c=r>1000</c>点伤害。<c=r>死亡！</c>");
    EXPECT_TRUE(u.conds.has(6));
}

TEST_F(Dmg, EmergencyHealsOncePerBattle) {
    u.eqpts.slots[9] = inst(84, 1);  // a belt: regeneration, healing received, both emergency heals
    u.recalc();
    ASSERT_EQ(u.drv.auto_heal1, 10);
    ASSERT_EQ(u.drv.auto_heal2, 20);
    hit(5);  // the first hit heals 10
    EXPECT_EQ(u.hp, 30);
    EXPECT_TRUE(u.btl.auto_heal1_used);
    EXPECT_FALSE(u.btl.auto_heal2_used);
    hit(14);  // 16 left: above half
    EXPECT_EQ(u.hp, 16);
    hit(1);  // 15: exactly half, the second heal once
    EXPECT_EQ(u.hp, 30);
    EXPECT_TRUE(u.btl.auto_heal2_used);
    hit(20);
    EXPECT_EQ(u.hp, 10);

    // Damage that stops regeneration.
    u.pwrs.add(149);  // "hr10"
    u.pwrs.add(161);  // "unr_f": fire passes its reduction, and stops its regeneration
    u.recalc();
    take_log();
    r = dmg_res_t();
    r.types = FIRE;
    hit(1);
    EXPECT_EQ(u.btl.regen_off, 1);
    EXPECT_NE(take_log().find(L"再生能力被抑制1回合。"), std::wstring::npos);
}

TEST_F(Dmg, SettingHitPointsClamps) {
    set_unit_hp(&u, 1000, nullptr);
    EXPECT_EQ(u.hp, 30);
    set_unit_hp(&u, -5, nullptr);
    EXPECT_EQ(u.hp, 0);
    set_unit_hp(nullptr, 3, nullptr);
    roll_apply_dmg(nullptr, flat(3, SLASH));
    apply_dmg(&u, nullptr);
    EXPECT_EQ(u.hp, 0);
}

TEST_F(Dmg, ExpectedDamageIsTheMeanOfTheExtremesCappedByWhatCanChange) {
    const dmg_list_t two_d6 = {dmg_part_t{2, 6, 1, SLASH}};  // 3 to 13
    EXPECT_DOUBLE_EQ(expected_dmg(two_d6, &u), 8.0);
    u.hp = 5;
    EXPECT_DOUBLE_EQ(expected_dmg(two_d6, &u), 4.0) << "the largest capped at the 5 hit points left";
    u.hp = 28;
    u.drv.res[4] = 200;  // fire heals
    EXPECT_DOUBLE_EQ(expected_dmg({dmg_part_t{2, 6, 1, FIRE}}, &u), -2.0) << "healing capped at the 2 missing";
    u.hp = 20;
    u.drv.res[4] = 0;
    EXPECT_DOUBLE_EQ(expected_dmg({dmg_part_t{DMG_PCT, 50, 0, FIRE}}, &u), 10.0);
    u.drv.dr = 5;
    EXPECT_DOUBLE_EQ(expected_dmg(two_d6, &u), (0 + 8) / 2.0) << "reduction takes 5 from each";
}

// ---- hit points in a battle ----

namespace {
class DmgInBtl : public btl_test {
protected:
    unit_t *a = nullptr, *b = nullptr, *c = nullptr;
    void SetUp() override {
        btl_test::SetUp();
        draw({"......"});
        a = add(0, 0, 0);
        b = add(2, 0, 1);
        c = add(4, 0, 1);
        btl().cur = a;
        log_cur_buf()->assign(L"");
    }
};
}  // namespace

TEST_F(DmgInBtl, ADeadUnitDiesOnceAndIsNotHealedBackUp) {
    dmg_res_t r;
    r.amount = 50;
    apply_dmg(b, &r);
    EXPECT_EQ(rec.slots(), (std::vector<int>{35, 27, 39}));
    EXPECT_EQ(btl().fallen, (std::vector<unit_t*>{b}));
    log_cur_buf()->assign(L"");
    apply_dmg(b, &r);
    EXPECT_EQ(std::wstring(log_cur_buf()->buf), L"造成<c=r>50</c>点伤害。") << "no second death";
    EXPECT_EQ(rec.slots(), (std::vector<int>{35, 27, 39, 35}));
    heal_unit(b, 10);
    EXPECT_EQ(b->hp, 0) << "only a revival brings it back";
    EXPECT_EQ(btl().roster, (std::vector<unit_t*>{a, c}));
}

TEST_F(DmgInBtl, ARevivedUnitRejoinsAfterItsCreatorOrLast) {
    set_unit_hp(b, 0, nullptr);
    EXPECT_EQ(btl().roster, (std::vector<unit_t*>{a, c}));
    rec.calls.clear();
    set_unit_hp(b, 5, c);
    EXPECT_EQ(btl().roster, (std::vector<unit_t*>{a, c, b}));
    EXPECT_EQ(btl().full, (std::vector<unit_t*>{a, c, b}));
    EXPECT_TRUE(btl().fallen.empty());
    EXPECT_EQ(rec.slots(), (std::vector<int>{39}));

    // The creator is down (or gone): the unit goes to the end of both lists.
    set_unit_hp(b, 0, nullptr);
    set_unit_hp(a, 0, nullptr);
    set_unit_hp(b, 5, a);
    EXPECT_EQ(btl().roster, (std::vector<unit_t*>{c, b}));
    EXPECT_EQ(btl().full.back(), b);
    set_unit_hp(a, 0, nullptr);  // still down: no revival at 0
    EXPECT_EQ(btl().fallen, (std::vector<unit_t*>{a}));
}

// ---- which value a rule picks, exact thresholds ----

TEST_F(Dmg, RolledDamageHurtsAtLeastOne) {
    EXPECT_EQ(rolled({dmg_part_t{1, 4, -10, SLASH}}), 1);
    // The expected damage rests on the same floor: 1 at both ends.
    EXPECT_DOUBLE_EQ(expected_dmg({dmg_part_t{1, 6, -5, SLASH}}, &u), 1.0);
}

TEST_F(Dmg, ATwoTypePartTakesTheLesserResistance) {
    u.drv.res[DMG_FIRE] = 100;
    u.drv.res[DMG_SLASH] = 50;
    EXPECT_EQ(type_pct(&u, SLASH | FIRE), 50);
    EXPECT_EQ(rolled(flat(10, SLASH | FIRE)), 5);
}

TEST_F(Dmg, ReductionTakesPhysicalDamageDownToTheLastPointAndNoOther) {
    u.drv.dr = 5;
    EXPECT_EQ(rolled(flat(3, FIRE)), 3);
    EXPECT_EQ(r.absorbed, 0);
    EXPECT_EQ(rolled(flat(1, SLASH)), 0);
    EXPECT_EQ(r.absorbed, 1);
}
