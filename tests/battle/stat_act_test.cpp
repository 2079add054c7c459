// Hit statistics: chances, scores, labels and the tooltip, and no trace left.
#include "battle/stat_act.h"

#include "ai_units.h"
#include "battle/atk_rec.h"
#include "battle/damage.h"
#include "battle/fog.h"
#include "rules/cond_ids.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "support/ai_battle.h"

namespace {
using StatAct = ai_test;
}  // namespace

TEST(StatChance, BonusMinusValueFromMinus25ToPlus5) {
    // A natural 20 always hits and a natural 1 always misses.
    const int want[31] = {5, 5, 5, 5, 5, 5, 10, 15, 20, 25, 30, 35, 40, 45, 50, 55,
                          60, 65, 70, 75, 80, 85, 90, 95, 95, 95, 95, 95, 95, 95, 95};
    for (int d = -25; d <= 5; ++d) EXPECT_EQ(d20_chance(15 + d, 15), want[d + 25]) << d;
    // The last two: no wrap near the limits.
    const int more[][3] = {{6, 15, 60}, {6, 30, 5}, {6, 7, 95}, {NO_TARGET, 15, 100}, {3, AUTO_HIT, 100},
                           {2000000000, -2000000000, 95}, {-2000000000, 2000000000, 5}};
    for (const auto& [bonus, value, chance] : more)
        EXPECT_EQ(d20_chance(bonus, value), chance) << bonus << " " << value;
}

TEST_F(StatAct, AStrikeScoresForTheActorOnAFoeAndAgainstItOnAFriend) {
    draw({".......", ".......", "......."});
    unit_t* u = mk(2, 1, 1);
    unit_t* foe = mk(3, 1, 0);
    unit_t* ally = mk(1, 1, 1);
    fog();
    const int64_t on_foe = score(u, 2, foe->pos);
    const int64_t on_ally = score(u, 2, ally->pos);
    EXPECT_GT(on_foe, 0);
    EXPECT_LT(on_ally, 0);
    EXPECT_EQ(on_foe, -on_ally) << "the same fighter, the same strike, the opposite sign";
    // A caster weighs double.
    foe->base.cls = 3;
    EXPECT_GT(score(u, 2, foe->pos), on_foe);
}

TEST_F(StatAct, AFireballCountsTheFoesDamageLessTheAllys) {
    draw({".........", ".........", ".........", "........."});
    unit_t* u = mk(1, 1, 1, 3, 6);
    unit_t* a = mk(4, 1, 0);
    mk(4, 2, 0);
    fog();
    const int64_t two_foes = score(u, 127, a->pos);
    unit_t* ally = mk(5, 1, 1);
    fog();
    const int64_t with_ally = score(u, 127, a->pos);
    EXPECT_GT(two_foes, 0);
    EXPECT_LT(with_ally, two_foes);
    const u_cmd_t cmd{.pwr = 127, .param = 0, .tgt = a->pos, .flags = 0};
    stat_act_t s(u, &cmd);
    s.run();
    // Bare ground is no target of a fireball: the three units' cells only.
    ASSERT_EQ(s.tgts.size(), 3u);
    EXPECT_EQ(s.tgts.at(ally->pos).tgt.unit, ally);
    EXPECT_EQ(s.tgts.at(ally->pos).hits.size(), 1u);
    // The foes' chance-weighted expected damage less the ally's, each at a fighter's weight of 100.
    double want = 0;
    for (const auto& [p, e] : s.tgts) {
        const stat_hit_t& h = e.hits[0];
        const double d = 100.0 * h.chance * expected_dmg(h.dmg, e.tgt.unit) / 100.0;
        want += e.tgt.unit == ally ? -d : d;
    }
    EXPECT_NEAR(double(with_ally), want, 1.0);
}

TEST_F(StatAct, HealingAFriendScoresPositiveAndAFoeNegative) {
    draw({".....", ".....", "....."});
    unit_t* u = mk(2, 1, 1, 2, 3);
    unit_t* ally = mk(1, 1, 1);
    unit_t* foe = mk(3, 1, 0);
    ally->hp = foe->hp = 2;
    fog();
    EXPECT_GT(score(u, 123, ally->pos), 0);
    EXPECT_LT(score(u, 123, foe->pos), 0);
}

TEST_F(StatAct, ASummonScoresABillionBelowTheLimit) {
    draw({".......", ".......", "......."});
    unit_t* u = mk(1, 1, 1, 3, 5);
    mk(6, 2, 0);
    fog();
    EXPECT_GE(score(u, 122, {2, 1}), UNLIMITED);
}

TEST_F(StatAct, CellsOutOfViewAreAbsentFromStatisticsScoreAndLabels) {
    draw({"....#....", "....#....", "........."});
    unit_t* u = mk(0, 0, 1, 3, 6);
    unit_t* foe = mk(6, 0, 0);  // behind the wall
    fog();
    ASSERT_FALSE(is_pt_visible_for(foe->pos, u));
    const u_cmd_t cmd{.pwr = 127, .param = 0, .tgt = foe->pos, .flags = 0};
    stat_act_t s(u, &cmd);
    s.run();
    for (const auto& [p, e] : s.tgts) EXPECT_TRUE(is_pt_visible_for(p, u));
    EXPECT_EQ(s.tgts.count(foe->pos), 0u);
    EXPECT_EQ(score(u, 127, foe->pos), 0);
    std::vector<hit_label_t> labels;
    stat_act_hit_labels(u, cmd, &labels);
    for (const hit_label_t& l : labels) EXPECT_FALSE(l.x == foe->pos.x && l.y == foe->pos.y);
}

TEST_F(StatAct, EvaluatingLeavesTheBattleAsItWas) {
    draw({".......", ".......", "......."});
    unit_t* u = mk(2, 1, 1, 3, 6);
    mk(3, 1, 0);
    mk(4, 2, 0);
    fog();
    rnd_srand(99);
    const btl_snapshot_t before = btl_snapshot_t::take();
    for (int pwr : {2, 127, 122, 119}) score(u, pwr, {3, 1});
    std::vector<hit_label_t> labels;
    Str tip;
    stat_act_tip(u, {.pwr = 127, .param = 0, .tgt = {3, 1}, .flags = 0}, &labels, tip);
    EXPECT_TRUE(btl_snapshot_t::take() == before);
}

TEST_F(StatAct, LabelsAndTooltip) {
    draw({".......", ".......", "......."});
    unit_t* u = mk(2, 1, 1);
    unit_t* foe = mk(3, 1, 0);
    fog();
    const u_cmd_t hit{.pwr = 2, .param = 0, .tgt = foe->pos, .flags = 0};
    std::vector<hit_label_t> labels;
    stat_act_hit_labels(u, hit, &labels);
    ASSERT_EQ(labels.size(), 1u);
    EXPECT_EQ(labels[0].x, 3);
    EXPECT_TRUE(wcsstr(labels[0].label.c_str(), L"<f=b7 shadow>"));
    Str tip;
    labels.clear();
    stat_act_tip(u, hit, &labels, tip);
    EXPECT_TRUE(wcsstr(tip.c_str(), L"<c=a> 命中</c>"));
    EXPECT_TRUE(wcsstr(tip.c_str(), L"<c=a> 伤害</c>"));
    EXPECT_EQ(labels.size(), 1u);
    labels.clear();
    stat_act_tip(u, {.pwr = 2, .param = 0, .tgt = {0, 0}, .flags = 0}, &labels, tip);
    EXPECT_TRUE(wcsstr(tip.c_str(), L"<c=a>无效目标</c>"));
    EXPECT_TRUE(labels.empty());
}

// A web lays a zone, which rolls against a prone foe with no situation
// modifier: the label shows that roll's chance, not a shot's at the prone.
// A fire cloud laid over the web then strikes the foe alone: it takes the
// web's cells, so it burns no web.
TEST_F(StatAct, AZoneCastsLabelShowsTheChanceItsZoneRolls) {
    draw({".......", ".......", "......."});
    unit_t* w = mk(0, 1, 0, 3, 5);
    unit_t* foe = mk(4, 1, 1);
    put_cond(foe, C_PRONE);
    fog();
    std::vector<hit_label_t> labels;
    Str tip;
    stat_act_tip(w, {.pwr = P_WEB, .param = 0, .tgt = foe->pos, .flags = 0}, &labels, tip);
    ASSERT_EQ(labels.size(), 1u);
    act(w, P_WEB, foe->pos);
    const std::vector<rolled_t> rolled = rolled_chances(log);
    ASSERT_EQ(rolled.size(), 1u) << to_utf8_string(log.c_str());
    EXPECT_TRUE(wcsstr(labels[0].label.c_str(), (L">" + std::to_wstring(rolled[0].second) + L"<").c_str()))
        << to_utf8_string(labels[0].label.c_str()) << " against " << rolled[0].second;
    const u_cmd_t cloud{.pwr = P_FIRE_CLOUD, .param = 0, .tgt = foe->pos, .flags = 0};
    stat_act_t s(w, &cloud);
    s.run();
    ASSERT_EQ(s.tgts.size(), 1u);
    EXPECT_EQ(s.tgts.at(foe->pos).hits.size(), 1u);
}
