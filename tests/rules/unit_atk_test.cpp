#include <gtest/gtest.h>

#include <tuple>

#include "rules/unit.h"
#include "support/pwrs_test.h"

namespace {
class UnitAtk : public pwrs_test {
protected:
    // A level-lv unit of the size with these ability modifiers, not recalculated.
    static void make(unit_t& u, int lv, int size, int str, int dex, int cha) {
        u.base.lv = lv;
        u.drv.size = size;
        u.drv.abi_mod[0] = str;
        u.drv.abi_mod[1] = dex;
        u.drv.abi_mod[5] = cha;
    }
};
}  // namespace

TEST_F(UnitAtk, ValuesByKind) {
    unit_t u;
    make(u, 3, 3, 3, 1, 2);
    EXPECT_EQ(std::tuple(u.get_atk(1), u.get_atk(2), u.get_atk(4), u.get_atk(5)),
              std::tuple(1 + 3 + 4, 1 + 1 + 4, 1 + 3, 1 + 2));
    for (int bad : {0, 6, -1, 1000}) EXPECT_EQ(u.get_atk(bad), 0) << bad;
    u.pwrs.add(35);  // "atk1"
    u.pwrs.add(82);  // "th_atk1"
    EXPECT_EQ(u.get_atk(1), 10);
    EXPECT_EQ(u.get_atk(2), 7);
    u.pwrs.add(36);  // "atk2" wins
    EXPECT_EQ(u.get_atk(2), 8);
    u.pwrs.add(116);
    u.pwrs.add(117);  // both turning feats add 2, not 3
    EXPECT_EQ(u.get_atk(5), 1 + 2 + 2);
    // Level 1 halves to 0; a negative level rounds toward zero.
    u.base.lv = -3;
    EXPECT_EQ(u.get_atk(4), -1 + 3);
}

TEST_F(UnitAtk, SizeShiftsWeaponsAndManoeuvres) {
    const struct { int size, melee, cm; } rows[] = {{1, 8, 0}, {2, 7, 1}, {3, 6, 2}, {4, 5, 3}, {5, 4, 4}, {6, 2, 6}, {9, 6, 2}};
    for (const auto& r : rows) {
        unit_t u;
        make(u, 0, r.size, 2, 0, 0);
        EXPECT_EQ(u.get_atk(1), r.melee) << r.size;
        EXPECT_EQ(u.get_atk(2), r.melee - 2) << r.size;  // Dex 0 where Str gives 2
        EXPECT_EQ(u.get_atk(4), r.cm) << r.size;
    }
}

TEST_F(UnitAtk, SpellValueUsesTheCastingAbility) {
    unit_t u;
    u.base.cls = 3;  // wizard: Intelligence
    u.base.lv = 4;
    u.drv.abi_mod[3] = 4;
    u.drv.abi_mod[5] = 1;
    EXPECT_EQ(u.spl_abi_val(3), 4);
    EXPECT_EQ(u.get_atk(3), 2 + 4);
    EXPECT_EQ(u.spl_abi_val(1), 0);
    u.pwrs.add(267);  // "cha_spl"
    EXPECT_EQ(u.get_atk(3), 2 + 1);
    EXPECT_FALSE(u.has_formation_pwr());
    u.pwrs.add(258);
    EXPECT_TRUE(u.has_formation_pwr());
    u.pwrs.remove(258);
    u.pwrs.add(257);
    EXPECT_TRUE(u.has_formation_pwr());
}
