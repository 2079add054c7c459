#include "rules/ie_eff.h"

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "rules/dice.h"
#include "rules/ie.h"
#include "rules/unit.h"
#include "support/next_d20.h"
#include "support/pwrs_test.h"
#include "tests/rules/itm_inst.h"

namespace {

class IeEff : public pwrs_log_test {
protected:
    static void make(unit_t& u, int race) { make_unit(u, race, 1, 4, 12); }
};

}  // namespace

TEST_F(IeEff, DamageEnchantmentsAddParts) {
    dmg_list_t parts;
    Str text;
    // A +2 dagger (slashing and piercing) of fire and power.
    itm_ench_dmg(inst(27, 2, {1, 12}), parts, text);
    ASSERT_EQ(parts.size(), 2u);
    EXPECT_EQ(parts[0], (dmg_part_t{2, 6, 0, 1u << 4}));
    EXPECT_EQ(parts[1], (dmg_part_t{6, 6, 0, (1u << 1) | (1u << 2)}));  // the weapon's own types
    const Str want = Str(L"%s\t%s\n", dice_rng_text(2, 6), or_empty(get_ie(1).n)) +
                     Str(L"%s\t%s\n", dice_rng_text(6, 6), or_empty(get_ie(12).n));
    EXPECT_STREQ(text.buf, want.buf);
    parts.clear();
    itm_ench_dmg(inst(27, 2, {5, 13}), parts, text);  // no damage enchantments
    EXPECT_TRUE(parts.empty());

    dmg_part_t p;
    mk_fire_dmg(p, pack_dice(2, 6));
    EXPECT_EQ(p, (dmg_part_t{2, 6, 0, 16}));
    mk_pierce_dmg(p, pack_dice(1, 4));
    EXPECT_EQ(p, (dmg_part_t{1, 4, 0, 4}));
}

TEST_F(IeEff, SlayingOnAHit) {
    unit_t a, undead, living;
    make(a, 24);
    make(undead, 34);  // vampire: undead
    make(living, 24);
    ASSERT_TRUE(undead.is_undead());
    ASSERT_GT(undead.hp, 0);

    // "kill" on a 20 slays, and "kill_ud" is not tried after it.
    next_d20(20);
    EXPECT_TRUE(itm_kill_on_hit(inst(33, 5, {13, 11}), &a, &undead));
    EXPECT_EQ(undead.hp, 0);
    EXPECT_EQ(log_text(), L"致命！");

    // "kill" on any other face does nothing.
    next_d20(19);
    EXPECT_FALSE(itm_kill_on_hit(inst(33, 5, {13}), &a, &living));
    EXPECT_GT(living.hp, 0);

    // "kill_ud" against the living never rolls.
    const uint32_t before = rnd_get_state();
    EXPECT_FALSE(itm_kill_on_hit(inst(33, 2, {11}), &a, &living));
    EXPECT_EQ(rnd_get_state(), before);

    unit_t undead2;
    make(undead2, 34);
    next_d20(20);
    log_cur_buf()->assign(L"");
    EXPECT_TRUE(itm_kill_on_hit(inst(33, 2, {11}), &a, &undead2));
    EXPECT_EQ(undead2.hp, 0);
    EXPECT_EQ(log_text(), L"摧毁！");
    next_d20(1);
    unit_t undead3;
    make(undead3, 34);
    EXPECT_FALSE(itm_kill_on_hit(inst(33, 2, {11}), &a, &undead3));  // a natural 1 fails
}

TEST_F(IeEff, VampireHealsTheWielderUnlessTheTargetHasNoLife) {
    unit_t w, undead, living;
    make(w, 24);
    make(undead, 34);
    make(living, 24);
    ASSERT_TRUE(undead.has_trait(4));
    w.hp_ready = 1;
    w.hp = 1;
    itm_vampire_on_hit(inst(33, 1, {14}), &w, &undead);
    EXPECT_EQ(w.hp, 1);
    itm_vampire_on_hit(inst(33, 1, {14}), &w, &living);
    EXPECT_GE(w.hp, 2);
    EXPECT_LE(w.hp, 7);
    const int hp = w.hp;
    itm_vampire_on_hit(inst(33, 1, {}), &w, &living);
    EXPECT_EQ(w.hp, hp);
}
