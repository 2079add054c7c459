// Auras appearing and vanishing as units move and die; the turn-start effects
// and the triggered powers.
#include "battle/auras.h"

#include <string>

#include "app/text_log.h"
#include "battle/btl_fixture.h"
#include "battle/damage.h"
#include "battle/unit_move.h"
#include "support/mapped.h"
#include "support/pwrs_test.h"

namespace {
class Aura : public btl_test {
protected:
    void SetUp() override {
        btl_test::SetUp();
        draw({"..........", "..........", "..........", "..........", ".........."});
        log_cur_buf()->assign(L"");
    }
    static std::vector<int> ids(const unit_t* u) { return mapped(u->btl.auras, [](const auto& a) { return a.pwr; }); }
};
}  // namespace

TEST_F(Aura, AurasFollowMovesAndVanishWithTheirSource) {
    unit_t* src = add_pc(0, 0, 1);
    unit_t* ally = add_pc(3, 0, 1);
    unit_t* foe = add_pc(1, 1, 0);
    src->pwrs.add(229);  // +2 attack to its side within 3
    src->pwrs.add(232);  // fire on the others within 1
    fog();
    update_auras();
    EXPECT_EQ(ids(src), (std::vector<int>{229})) << "the holder's own side includes itself";
    EXPECT_EQ(ids(ally), (std::vector<int>{229}));
    EXPECT_EQ(ids(foe), (std::vector<int>{232}));
    step_unit(ally, {4, 0});
    EXPECT_TRUE(ids(ally).empty()) << "out of the radius of 3";
    step_unit(foe, {1, 2});
    EXPECT_TRUE(ids(foe).empty());
    step_unit(foe, {1, 1});
    EXPECT_EQ(ids(foe), (std::vector<int>{232}));
    set_unit_hp(src, 0, nullptr);
    EXPECT_TRUE(ids(foe).empty()) << "the dead spread nothing";
}

TEST_F(Aura, OfTwoSourcesTheHigherLevelOneCountsAndTheFirstOnEqualLevels) {
    unit_t* s1 = add_pc(0, 0, 1);
    unit_t* s2 = add_pc(2, 0, 1);
    unit_t* v = add_pc(1, 0, 1);
    s1->pwrs.add(230);
    s2->pwrs.add(230);
    s1->base.lv = 5;
    s2->base.lv = 5;
    update_auras();
    ASSERT_EQ(v->btl.auras.size(), 1u);
    EXPECT_EQ(v->btl.auras[0].src, s1);
    s2->base.lv = 10;
    update_auras();
    EXPECT_EQ(v->btl.auras[0].src, s2);
    aura_shape_t shape;
    EXPECT_TRUE(get_unit_aura(s1, &shape));
    EXPECT_EQ(shape.radius, 3);
    EXPECT_TRUE(shape.friendly);
    EXPECT_FALSE(get_unit_aura(v, &shape));
    EXPECT_TRUE(is_ally_aura(231));
    EXPECT_FALSE(is_ally_aura(232));
}

TEST_F(Aura, TurnStartEffects) {
    unit_t* src = add_pc(0, 0, 1);
    unit_t* foe = add_pc(1, 0, 0);
    unit_t* ally = add_pc(0, 1, 1);
    src->base.lv = 5;
    src->pwrs.add(233);  // toxic: 5 x (5 / 5 + 1) = 10 of type 8
    src->pwrs.add(231);  // healing 5 + 5 x 1 = 10 for the wounded of its side
    update_auras();
    const int max = foe->drv.hp_max;
    ASSERT_GT(max, 10);
    aura_turn_effects(foe);
    EXPECT_EQ(foe->hp, max - 10);
    EXPECT_NE(take_log().find(L"生效: 造成<c=r>10</c>点伤害。"), std::wstring::npos);
    aura_turn_effects(ally);
    EXPECT_EQ(ally->hp, ally->drv.hp_max);
    EXPECT_STREQ(log_cur_buf()->buf, L"") << "nothing for a unit at full hit points";
    ally->hp = 1;
    aura_turn_effects(ally);
    EXPECT_EQ(ally->hp, 11);
}

TEST_F(Aura, DeadToxPoisonsTheNeighboursAndPackShockChains) {
    unit_t* t = add_pc(5, 2, 1);
    t->pwrs.add(255);  // "dead_tox"
    t->base.lv = 4;
    on_death_trigger(t);
    const std::wstring alone = take_log();
    EXPECT_NE(alone.find(L"生效"), std::wstring::npos);
    EXPECT_EQ(alone.find(L"检定"), std::wstring::npos) << "alone: only its line";
    add_pc(6, 2, 0);
    on_death_trigger(t);
    EXPECT_NE(take_log().find(L"检定"), std::wstring::npos) << "the neighbour saves";

    // Three connected holders: 3 x (level / 5 + 1) d8 on everything within 3 cells.
    unit_t* h1 = add_pc(0, 0, 1);
    unit_t* h2 = add_pc(1, 0, 1);
    unit_t* h3 = add_pc(2, 0, 1);
    unit_t* far = add_pc(9, 4, 0);
    for (unit_t* h : {h1, h2, h3}) h->pwrs.add(271);
    EXPECT_EQ(pwr_chain(h1, 271, 0).size(), 3u);
    const int far_hp = far->hp;
    turn_start_trigger(h1);
    const std::wstring log = log_cur_buf()->buf;
    // h1 itself, h2 and h3 are struck: one attack line each.
    size_t lines = 0;
    for (size_t at = 0; (at = log.find(L"vs", at)) != std::wstring::npos; ++at) ++lines;
    EXPECT_EQ(lines, 3u);
    EXPECT_EQ(far->hp, far_hp);
}
