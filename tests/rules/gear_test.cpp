#include "rules/gear.h"

#include <gtest/gtest.h>

#include "rules/load_type.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"
#include "tests/rules/itm_inst.h"

namespace {

class Gear : public pwrs_test {
protected:
    void SetUp() override { make_unit(u, 24, 1, 1, 14); }  // a human fighter
    void collect() { collect_gear_bonuses(u, val, src); }
    // The value of a gear word and the slot it came from.
    std::tuple<int, const itm_slot_t*> entry(int w) const { return {val[w], src[w]}; }
    brdn_t burden() {
        brdn_t b;
        u.get_burden(b);
        return b;
    }

    unit_t u;
    int val[GEAR_N];
    const itm_slot_t* src[GEAR_N];
    const itm_slot_t* const slots = u.eqpts.slots;
};

}  // namespace

TEST_F(Gear, ArmourAndShieldEntries) {
    collect();
    for (int i = 0; i < GEAR_N; ++i) EXPECT_EQ(entry(i), std::tuple(0, nullptr)) << i;
    u.eqpts.slots[EQ_BODY] = inst(70, 1);  // +1 scale mail: 5 + 1
    u.eqpts.slots[EQ_OFF] = inst(76, 0);   // a tower shield: 6
    u.pwrs.add(50);
    u.pwrs.add(51);  // "shd_def2" wins over "shd_def1"
    collect();
    EXPECT_EQ(entry(G_AMR), std::tuple(6, &slots[EQ_BODY]));
    EXPECT_EQ(std::pair(val[G_SHD], val[G_SHD_RF]), std::pair(8, 8));
    EXPECT_EQ(entry(G_TOWER), std::tuple(-2, &slots[EQ_OFF]));
    u.eqpts.slots[EQ_OFF] = inst(74, 0);  // a light shield costs no attack
    u.pwrs.remove(51);
    collect();
    EXPECT_EQ(std::pair(val[G_SHD], val[G_TOWER]), std::pair(3, 0));
    // A robe in the body slot is no armour.
    u.eqpts.slots[EQ_BODY] = inst(96, 0);
    collect();
    EXPECT_EQ(val[G_AMR], 1 + 2);  // its amr1: 1 per bonus point (at least 1) + 2
}

TEST_F(Gear, EnchantmentsGiveTheBestOfEachKind) {
    // A defending dagger counts in hand, not in a quick slot.
    u.eqpts.slots[EQ_QUICK] = inst(27, 2, {5});
    collect();
    EXPECT_EQ(val[G_SHD], 0);
    u.eqpts.slots[EQ_OFF] = inst(27, 2, {5});
    collect();
    EXPECT_EQ(entry(G_SHD), std::tuple(2, &slots[EQ_OFF]));

    // Strength from the better of two items; abi alone sets the other five.
    u.eqpts.slots[15] = inst(136, 3);  // str: 2 per bonus point
    u.eqpts.slots[16] = inst(144, 2);  // abi
    collect();
    EXPECT_EQ(entry(G_ABI), std::tuple(6, &slots[15]));
    for (int i = 1; i < 6; ++i) EXPECT_EQ(entry(G_ABI + i), std::tuple(4, &slots[16])) << i;

    // Luck never adds up; a tie keeps the first ring.
    u.eqpts.slots[13] = inst(122, 0);
    u.eqpts.slots[14] = inst(123, 0);
    collect();
    EXPECT_EQ(entry(G_LUCK), std::tuple(2, &slots[14]));
    u.eqpts.slots[14] = inst(122, 0);
    collect();
    EXPECT_EQ(src[G_LUCK], &slots[13]);

    // Armour enchantments: a +2 robe with amr1 (4) and bracers of amr2 (6) give 6.
    u.eqpts.slots[EQ_BODY] = inst(96, 2);
    u.eqpts.slots[11] = inst(103, 1);
    collect();
    EXPECT_EQ(entry(G_AMR), std::tuple(6, &slots[11]));

    // The elemental companion keeps its enchantment; the rest land on their words.
    u.eqpts.slots[15] = inst(155, 2);
    u.eqpts.slots[10] = inst(111, 1);  // boots: spd2, imx_web, imx_hard
    u.eqpts.slots[9] = inst(84, 1);    // belt: hr3, be_heal, auto_heal1, auto_heal2
    u.eqpts.slots[8] = inst(120, 0);   // imm_tox
    collect();
    const std::pair<int, int> words[] = {{G_ELM, 10},        {G_ELM_IE, 78},  {G_SPD, 2},     {G_IMX_WEB, 100},
                                         {G_IMX_HARD, 100},  {G_HR, 10},      {G_BE_HEAL, 2}, {G_AUTO_HEAL1, 10},
                                         {G_AUTO_HEAL2, 20}, {G_RES_TOX, 100}};
    for (const auto& [word, want] : words) EXPECT_EQ(val[word], want) << word;
}

TEST_F(Gear, BurdenOfArmourShieldsAndLoad) {
    brdn_t b = burden();
    EXPECT_EQ(std::tuple(b.max_dex, b.amr_pen, b.spd_pen, b.spl_fail), std::tuple(UNLIMITED, 0, 0, 0));

    // Padded armour (speed 0) without the proficiency: -1 speed and its penalty.
    u.eqpts.slots[EQ_BODY] = inst(67, 0);
    for (int p : {52, 53, 54}) u.pwrs.remove(p);
    ASSERT_FALSE(u.is_proficient(u.eqpts.slots[EQ_BODY]));
    b = burden();
    EXPECT_EQ(std::tuple(b.max_dex, b.amr_pen, b.spd_pen, b.spl_fail), std::tuple(8, -2, -1, 5));

    // A shield without proficiency never costs speed that way.
    u.eqpts.slots[EQ_BODY].clear();
    u.eqpts.slots[EQ_OFF] = inst(74, 0);
    u.pwrs.remove(48);
    ASSERT_FALSE(u.is_proficient(u.eqpts.slots[EQ_OFF]));
    b = burden();
    EXPECT_EQ(std::pair(b.spd_pen, b.amr_pen), std::pair(0, -2));

    // Overload stops the unit whatever it wears.
    u.eqpts.slots[EQ_QUICK].set(169, 1000);
    ASSERT_EQ(u.eqpts.load_lv(), 4);
    b = burden();
    EXPECT_EQ(std::tuple(b.spd_pen, b.amr_pen, b.max_dex), std::tuple(NO_MOVE, -10, 0));
}
