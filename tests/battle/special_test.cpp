#include "battle/special.h"

#include <algorithm>

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "battle/act_fixture.h"
#include "battle/btl.h"
#include "battle/damage.h"
#include "battle/rolls.h"
#include "battle/summon.h"

namespace {
class Special : public act_test {
protected:
    void SetUp() override {
        act_test::SetUp();
        draw({"#.......", "#.......", "#.......", "#......."});
        a = mk(2, 1, 0, 3, 10);
        t = mk(1, 1, 1);
        fog();
    }
};
}  // namespace

TEST_F(Special, RamDragOverrun) {
    // t has its back to the wall: blocked, nobody moves.
    EXPECT_FALSE(do_ram(a, t));
    EXPECT_EQ(t->pos, (pt_t{1, 1}));
    EXPECT_NE(std::wstring(log_cur_buf()->c_str()).find(L"被阻挡。"), std::wstring::npos);
    EXPECT_TRUE(do_drag(a, t));
    EXPECT_EQ(a->pos, (pt_t{3, 1}));
    EXPECT_EQ(t->pos, (pt_t{2, 1}));
    EXPECT_TRUE(do_ram(a, t));
    EXPECT_EQ(t->pos, (pt_t{1, 1}));
    a->pos = {2, 1};
    EXPECT_FALSE(do_overrun(a, t));  // the wall behind
    a->pos = {1, 2};
    t->pos = {1, 1};
    EXPECT_TRUE(do_overrun(a, t));
    EXPECT_EQ(a->pos, (pt_t{1, 0}));
}

TEST_F(Special, RamIsAHitEvenWhenBlocked) {
    // The ram's roll is against the manoeuvre defence; a blocked push still counts.
    a->pwrs.add(101);  // rams without provoking
    next_d20(20);
    a->turn_reset();
    EXPECT_TRUE(act(a, 5, t->pos));
    EXPECT_TRUE(logged(L"被阻挡。")) << to_utf8_string(log.c_str());
    EXPECT_EQ(t->pos, (pt_t{1, 1}));
}

// Two unarmed units: each attack of opportunity would provoke the next.
TEST_F(Special, AttacksOfOpportunityProvokeNoneInTurn) {
    ASSERT_TRUE(is_threatened(a));
    a->turn_reset();
    act(a, 2, t->pos);
    EXPECT_LE(t->btl.free_cmds, t->drv.aoo);
    EXPECT_EQ(a->btl.free_cmds, 0);
}

TEST_F(Special, DispelOwnSummonWithoutRollOthersAgainstTheirValue) {
    rnd_srand(2);
    ASSERT_TRUE(summon(a, 122, {6, 3}));
    unit_t* mine = btl().roster[std::find(btl().roster.begin(), btl().roster.end(), a) - btl().roster.begin() + 1];
    ASSERT_EQ(mine->creator, a);
    int v = 0;
    ASSERT_TRUE(unit_special_value(130, a, mine, &v));
    EXPECT_EQ(v, AUTO_HIT);
    unit_t* other = mk(6, 0, 1, 3, 5);
    ASSERT_TRUE(unit_special_value(130, other, mine, &v));
    EXPECT_EQ(v, mine->sum_atk + 10);
    banish(a, mine);
    EXPECT_LT(mine->hp, 1);
    EXPECT_TRUE(btl().fallen.end() == std::find(btl().fallen.begin(), btl().fallen.end(), mine));
    // A unit that is not summoned loses its first dispellable condition.
    add_cond_no_save(6, other, t);
    ASSERT_TRUE(unit_special_value(130, a, t, &v));
    EXPECT_EQ(v, 10);
    banish(a, t);
    EXPECT_FALSE(t->conds.has(6));
    ASSERT_TRUE(unit_special_value(130, a, t, &v));
    EXPECT_EQ(v, NO_TARGET);
    EXPECT_FALSE(unit_special_value(2, a, t, &v));
}

TEST_F(Special, TeleportMovesWithinThreeCells) {
    rnd_srand(11);
    const pt_t old = t->pos;
    teleport_unit(t);
    EXPECT_NE(t->pos, old);
    EXPECT_LE(unit_sq_dist(t->pos, old), 9);
    EXPECT_EQ(ground_value(134, {6, 2}), AUTO_HIT);
    EXPECT_EQ(ground_value(2, {6, 2}), NO_TARGET);
    a->turn_reset();
    EXPECT_TRUE(act(a, 134, {4, 2}));
    EXPECT_EQ(a->pos, (pt_t{4, 2}));
    EXPECT_TRUE(logged(L"传送成功。"));
}

TEST_F(Special, ResurrectOnlyOurOwnAndRaiseAnyLiving) {
    unit_t* ally = mk(5, 3, 0);
    set_unit_hp(ally, 0, nullptr);
    set_unit_hp(t, 0, nullptr);
    unit_t* foe_caster = mk(7, 3, 1, 2, 10);
    // An enemy caster cannot bring the player's fallen back.
    EXPECT_EQ(fallen_tgt_value(137, foe_caster, ally), NO_TARGET);
    EXPECT_EQ(fallen_tgt_value(137, a, t), NO_TARGET);
    EXPECT_EQ(fallen_tgt_value(137, a, ally), AUTO_HIT);
    EXPECT_EQ(fallen_tgt_value(129, foe_caster, ally), AUTO_HIT);
    EXPECT_TRUE(resurrect(a, ally));
    EXPECT_EQ(ally->hp, ally->drv.hp_max);
    EXPECT_NE(std::find(btl().roster.begin(), btl().roster.end(), ally), btl().roster.end());
    EXPECT_TRUE(raise_fallen(a, t));
    EXPECT_TRUE(btl().fallen.empty());
    EXPECT_EQ(count_summons(a, 129), 1);
    EXPECT_EQ(special_result_text(129, 2, a, t, nullptr), Str(L"转化为不死生物"));
    EXPECT_EQ(special_result_text(122, 4, a, nullptr, nullptr), Str(L"召唤"));
}

TEST_F(Special, FireSpellOnAWebBurnsItAndMeleeClearsIt) {
    a->base.abi[3] = 30;
    a->recalc();
    const u_cmd_t web{.pwr = 126, .param = 0, .tgt = {6, 2}, .flags = 0};
    zone_t* z = create_zone(a, &web, {{6, 2}, {7, 2}});
    const u_cmd_t grease{.pwr = 121, .param = 0, .tgt = {7, 3}, .flags = 0};
    create_zone(a, &grease, {{7, 3}});
    EXPECT_EQ(zone_tgt_value(a, 127, nullptr, z), AUTO_HIT);
    EXPECT_EQ(zone_tgt_value(a, 2, nullptr, z), AUTO_HIT);
    EXPECT_EQ(zone_tgt_value(a, 119, nullptr, z), NO_TARGET);
    EXPECT_EQ(special_result_text(127, 3, a, nullptr, z), Str(L"引燃"));
    a->turn_reset();
    rnd_srand(1);
    EXPECT_TRUE(act(a, 127, {6, 2}));
    EXPECT_TRUE(btl().zones.empty());
    EXPECT_TRUE(logged(L"被引燃。"));
}
