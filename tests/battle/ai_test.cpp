// The battle AI: what it queues, how it breaks ties, and that planning leaves no trace.
#include "battle/ai.h"

#include "ai_units.h"
#include "battle/atk_rec.h"
#include "battle/fog.h"
#include "battle/move_search.h"
#include "battle/rolls.h"
#include "battle/stat_act.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "rules/cond_ids.h"
#include "rules/itm_ids.h"
#include "rules/itm_slot.h"
#include "rules/pwr_ids.h"

namespace {

class Ai : public ai_test {
protected:
    const std::vector<u_cmd_t>& run(unit_t* u) {
        u->btl.cmds.clear();
        ai_run(u);
        return u->btl.cmds;
    }
};

ai_cell_t cell(int64_t v1, int64_t v2, int64_t provoke = 0) { return {v1, v2, provoke}; }

u_cmd_t act_cmd(int pwr, int x) { return {.pwr = pwr, .param = 0, .tgt = {x, 0}, .flags = 0}; }

}  // namespace

// Held in a grapple, it may not stand: asked to again and again, it held the game.
TEST_F(Ai, AProneUnitOnlyStandsUpOrEndsItsTurnWhenHeld) {
    draw({".....", ".....", "....."});
    unit_t* u = mk(1, 1, 1);
    unit_t* foe = mk(2, 1, 0);
    fog();
    put_cond(u, 3);
    const auto& q = run(u);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].pwr, 13);
    EXPECT_EQ(q[0].tgt, u->pos);
    put_cond(u, C_GRAP, foe);
    ASSERT_EQ(run(u).size(), 1u);
    EXPECT_EQ(q[0].pwr, P_END_TURN);
}

TEST_F(Ai, AFighterNextToAFoeStrikesIt) {
    draw({".....", ".....", "....."});
    unit_t* u = mk(1, 1, 1);
    unit_t* foe = mk(2, 1, 0);
    fog();
    const auto& q = run(u);
    ASSERT_FALSE(q.empty());
    EXPECT_EQ(q.back().pwr, 2);
    EXPECT_EQ(q.back().tgt, foe->pos);
}

TEST_F(Ai, PlanningLeavesTheBattleAsItWasExceptTheQueue) {
    draw({".........", ".........", ".........", "........."});
    unit_t* u = mk(1, 1, 1, 3, 6);
    mk(5, 1, 0);
    mk(6, 2, 0, 2, 3);
    mk(2, 2, 1);
    fog();
    rnd_srand(5);
    const btl_snapshot_t before = btl_snapshot_t::take();
    ai_run(u);
    EXPECT_FALSE(u->btl.cmds.empty());
    u->btl.cmds.clear();
    EXPECT_TRUE(btl_snapshot_t::take() == before);
}

TEST_F(Ai, WithNothingToDoItWalksTowardsTheHeaviestEnemy) {
    draw_open(20, 3);
    unit_t* u = mk(0, 1, 1);
    for (int p : {2, 3}) u->pwrs.remove(p);
    unit_t* far = mk(19, 1, 0);
    mk(19, 0, 0);
    far->hp = 1;  // the weakest weighs most
    fog();
    const auto& q = run(u);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].pwr, 1);
    move_range_t r;
    get_move_range(u, &r);
    // The farthest reachable cell along the way.
    int best = 0;
    for (const pt_t& p : r.stop_pts) best = std::max(best, p.x);
    EXPECT_EQ(q[0].tgt.x, best);
}

TEST_F(Ai, ASurroundedUnitWithNothingThatScoresEndsItsTurn) {
    draw({"###", "#.#", "###"});
    unit_t* u = mk(1, 1, 1);  // walled in, no foe to strike or approach
    fog();
    const auto& q = run(u);
    ASSERT_EQ(q.size(), 1u);
    EXPECT_EQ(q[0].pwr, 15);
}

// A slinger out of shot had nothing to fight with and walked about its foes
// round after round; it swaps to a set it can fight with: a weapon first, else
// empty hands for the unarmed strike.
TEST_F(Ai, ALauncherWithoutAmmunitionSwapsToASetItCanFightWith) {
    draw_open(20, 3);
    unit_t* u = mk(0, 1, 1);
    mk_itm_slot(u->eqpts.slots[EQ_MAIN], ITM_SLING, 1);
    u->recalc();
    mk(19, 1, 0);
    fog();
    auto first = [&] { return run(u).empty() ? u_cmd_t{} : u->btl.cmds.front(); };
    EXPECT_EQ(first().pwr, P_SWAP_WPN);
    EXPECT_EQ(u->btl.cmds.front().param, 1) << "empty hands: the unarmed strike";
    EXPECT_EQ(u->btl.cmds.size(), 1u);

    mk_itm_slot(u->eqpts.sets[2][0], ITM_SWD_T, 1);
    EXPECT_EQ(first().param, 3) << "a weapon before bare hands";
    const u_cmd_t swap = u->btl.cmds.front();
    ASSERT_TRUE(perform_cmd(u, &swap));
    EXPECT_EQ(u->eqpts.cur_set, 3);
    EXPECT_EQ(first().pwr, P_MOVE) << "armed again, it closes in";

    const u_cmd_t back{.pwr = P_SWAP_WPN, .param = 0, .tgt = u->pos, .flags = 0};
    u->turn_reset();
    ASSERT_TRUE(perform_cmd(u, &back));
    mk_itm_slot(u->eqpts.slots[EQ_QUICK], ITM_SLING_A, 10);
    EXPECT_NE(first().pwr, P_SWAP_WPN) << "with ammunition the sling serves";
}

TEST(AiChoice, EqualTotalsKeepTheEarlierCandidateAndTiesGoToTheCellValues) {
    ai_plan_t p(nullptr);
    p.cand[2] = act_cmd(2, 1);
    ai_consider(p, 0, 0, cell(0, 0));
    EXPECT_EQ(p.best[2].pwr, 0) << "a first candidate must score at least 1";
    ai_consider(p, 10, 0, cell(0, 0));
    EXPECT_EQ(p.best[2], act_cmd(2, 1));
    p.cand[2] = act_cmd(3, 2);
    ai_consider(p, 10, 0, cell(0, 0));
    EXPECT_EQ(p.best[2], act_cmd(2, 1)) << "equal in all three keeps the earlier";
    ai_consider(p, 10, 0, cell(0, 5));
    EXPECT_EQ(p.best[2], act_cmd(3, 2)) << "an archer prefers the farther cell";
    p.cand[2] = act_cmd(4, 3);
    ai_consider(p, 10, 0, cell(-1, 1000));
    EXPECT_EQ(p.best[2], act_cmd(3, 2)) << "value 1 comes before value 2";
    ai_consider(p, 30, 25, cell(0, 0, 0));
    EXPECT_EQ(p.best[2], act_cmd(3, 2)) << "the provoked attacks come off the score";
    ai_consider(p, 30, 19, cell(0, 0, 0));
    EXPECT_EQ(p.best[2], act_cmd(4, 3));
    EXPECT_EQ(p.best_total, 11);
}

TEST_F(Ai, CellValuesAre64BitWhereA32BitSumWouldOverflow) {
    draw_open(20, 20);
    unit_t* u = mk(0, 0, 1, 1);
    unit_t* caster = mk(19, 19, 0, 3);
    unit_t* other = mk(19, 18, 0, 3);
    caster->hp = 1;  // nearly dead and unarmoured: 20000000 / (5 x 1)
    caster->drv.def[1] = 5;
    fog();
    ai_plan_t p(u);
    p.front_line = true;
    enemies_of(u, &p.enemies, 0);
    const int64_t w = unit_threat_value(caster);
    ASSERT_GT(w, 1000000);
    const int64_t want = -(w * 722 + unit_threat_value(other) * (19 * 19 + 18 * 18));
    EXPECT_EQ(cell_dist_value(p), want);
    EXPECT_LT(want, int64_t(INT32_MIN)) << "this case overflowed 32 bits";
    // A nearer cell is better for the fighter, by the same exact arithmetic.
    u->pos = {10, 10};
    EXPECT_GT(cell_dist_value(p), want);
}

TEST(AiPath, LastReachableCellOnThePath) {
    const std::vector<pt_t> path{{1, 0}, {2, 0}, {3, 0}, {4, 0}};
    EXPECT_EQ(last_reachable_on_path(path, {{2, 0}, {3, 0}, {9, 9}}), (pt_t{3, 0}));
    EXPECT_EQ(last_reachable_on_path(path, {{9, 9}}), (pt_t{-1, -1}));
    EXPECT_EQ(last_reachable_on_path({}, {{1, 0}}), (pt_t{-1, -1}));
}

// Planned from the caster's own cell with a best so far whose total is below 0,
// as a provoked blow leaves it.
ai_plan_t plan_from_here(unit_t* u, int pwr, bool plain) {
    ai_plan_t p(u);
    p.plain = plain;
    p.acts = {pwr};
    enemies_of(u, &p.enemies, 0);
    p.cells.resize(btl().map->get_w(), btl().map->get_h(), ai_cell_t{});
    p.best_score = 3;
    p.best_total = -20;
    ai_place_at(p, u->pos);
    return p;
}

// Casting at nobody would spend the action on nothing, however far below 0
// the best so far stands.
TEST_F(Ai, AnAimThatScoresNothingNeverBeatsABestBelowZeroInBothSearches) {
    draw({".........", ".........", ".........", ".........", "........."});
    unit_t* u = mk(4, 4, 1, 3, 6);
    u->pwrs.add(P_FIRE_BALL);
    mk(0, 0, 1);  // the first aims of the fireball burn this friend, most of the rest nobody
    fog();
    ASSERT_TRUE(can_use_pwr(u, P_FIRE_BALL));
    for (bool foe : {false, true}) {
        SCOPED_TRACE(foe ? "a foe to burn" : "nobody to burn");
        if (foe) {
            mk(8, 2, 0);
            fog();
        }
        const ai_plan_t plain = plan_from_here(u, P_FIRE_BALL, true);
        const ai_plan_t quick = plan_from_here(u, P_FIRE_BALL, false);
        if (foe) {
            EXPECT_EQ(plain.best[2].tgt, (pt_t{8, 1})) << "the first aim that burns the foe";
            EXPECT_GT(plain.best_total, -20);
        } else {
            EXPECT_EQ(plain.best[2].pwr, 0) << "the best so far stands";
            EXPECT_EQ(plain.best_total, -20);
        }
        EXPECT_EQ(quick.best[2], plain.best[2]);
        EXPECT_EQ(quick.best_total, plain.best_total);
    }
}

TEST_F(Ai, BlowsWhoseRecordsDrawAreMeasuredInFullAndDrawAsThePlainSearchDoes) {
    draw({".......", ".......", ".......", "......."});
    unit_t* u = mk(3, 1, 1);
    mk_itm_slot(u->eqpts.slots[EQ_MAIN], ITM_AXE_M, 1);  // it slashes
    u->pwrs.add(P_CH_CRIPPLE);  // two critical conditions, shuffled
    u->pwrs.add(P_CH_BLEED);
    mk(4, 1, 0);
    mk(3, 2, 0);
    mk(1, 3, 0);
    fog();
    std::vector<atk_rec_t> recs;
    uint32_t before = 0, after = 0;
    {
        plan_rnd_t scope;
        before = rnd_get_state();
        get_atks(recs, u, P_ATK_M, 0);
        after = rnd_get_state();
    }
    ASSERT_NE(before, after) << "the records must draw for this case";
    plan_rnd_t scope;
    const uint32_t start = rnd_get_state();
    const ai_plan_t plain = plan_from_here(u, P_ATK_M, true);
    const uint32_t plain_end = rnd_get_state();
    rnd_set_state(start);
    const ai_plan_t quick = plan_from_here(u, P_ATK_M, false);
    EXPECT_EQ(quick.best[2], plain.best[2]);
    EXPECT_EQ(quick.best_total, plain.best_total);
    EXPECT_EQ(rnd_get_state(), plain_end) << "as many planning draws";
    EXPECT_NE(plain_end, start);
}

TEST_F(Ai, APartyMemberTheComputerDrivesLeavesSleepersBeOnlyWhileAFoeIsAwake) {
    draw({"..........", "..........", ".........."});
    unit_t* u = mk(1, 1, 0);
    u->btl.ai = 1;  // a summons, or a party member left to the computer
    unit_t* sleeper = mk(2, 1, 1);
    unit_t* other = mk(9, 1, 1);
    put_cond(sleeper, C_SLEEP);
    fog();
    EXPECT_EQ(score(u, P_ATK_M, sleeper->pos), 0) << "a foe is awake: the sleeper is left for later";
    // Every foe asleep: striking one is what can end the battle; ignoring them
    // all kept such battles going round after round.
    put_cond(other, C_SLEEP);
    EXPECT_GT(score(u, P_ATK_M, sleeper->pos), 0);
    const auto& q = run(u);
    ASSERT_FALSE(q.empty());
    EXPECT_EQ(q.back(), (u_cmd_t{.pwr = P_ATK_M, .param = 0, .tgt = sleeper->pos, .flags = 0}));
}
