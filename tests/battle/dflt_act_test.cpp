// The default actions: who may be struck or healed where, the cell an attack
// on a foe out of reach is given from, and what becomes of such a walk and
// attack in seeded battles.
#include "battle/dflt_act.h"

#include <algorithm>

#include "battle/ai.h"
#include "battle/btl_fixture.h"
#include "battle/move_search.h"
#include "battle/target_area.h"
#include "battle/u_pos_guard.h"
#include "battle/unit_move.h"
#include "rules/cls_ids.h"
#include "rules/pwr_ids.h"
#include "rules/race_ids.h"
#include "support/ai_battle.h"

namespace {
class DfltAct : public btl_test {
protected:
    unit_t* mk(int x, int y, int side, int cls = CLS_FIGHTER) { return make_test_human(add(x, y, side), cls, 3); }
};
}  // namespace

TEST_F(DfltAct, StrikesGoToOtherSidesAndHealsToHurtLivingAllies) {
    draw({"......", "......", "......"});
    unit_t* u = mk(1, 1, 0, CLS_CLERIC);
    unit_t* foe = mk(2, 1, 1);
    unit_t* nobody = mk(2, 2, SIDE_NONE);
    unit_t* whole = mk(0, 1, 0);
    unit_t* hurt = mk(1, 0, 0);
    unit_t* undead = mk(0, 0, 0);
    undead->base.race = RACE_SKELETON;
    undead->recalc();
    hurt->hp = undead->hp = 1;
    if (!u->has_pwr(P_HEAL)) u->pwrs.add(P_HEAL);
    fog();
    EXPECT_TRUE(may_attack(u, foe));
    EXPECT_FALSE(may_attack(u, whole));
    EXPECT_TRUE(may_attack(u, nobody)) << "a unit of no side may be struck";
    EXPECT_FALSE(may_attack(nobody, foe)) << "but strikes nobody";
    std::vector<pt_t> cells;
    dflt_act_cells(u, P_ATK_M, &cells);
    EXPECT_EQ(cells, (std::vector<pt_t>{foe->pos, nobody->pos}));
    dflt_act_cells(u, P_HEAL, &cells);
    EXPECT_EQ(cells, std::vector<pt_t>{hurt->pos}) << "not the whole, not the undead, not a foe";
    u->pwrs.remove(P_HEAL);
    dflt_act_cells(u, P_HEAL, &cells);
    EXPECT_TRUE(cells.empty()) << "only who learnt it heals";
}

TEST_F(DfltAct, AFoeOutOfReachIsStruckFromTheNearestBestCellWithAWholeTurn) {
    draw({"............", "............", "............", "............", "............", "............"});
    unit_t* u = mk(9, 3, 0);
    unit_t* rat = mk(5, 3, 1);
    fog();
    move_range_t mr;
    get_move_range(u, &mr);
    atk_plan_t p;
    ASSERT_TRUE(plan_dflt_atk(u, rat, mr, &p));
    EXPECT_EQ(p.from, (pt_t{6, 3})) << "the nearest of the cells beside it";
    EXPECT_EQ(p.move, make_mov_cmd(u, {6, 3}));
    EXPECT_EQ(p.atk, (u_cmd_t{u->dflt_atk_pwr(), 0, rat->pos, 0}));
    EXPECT_EQ(u->pos, (pt_t{9, 3})) << "every trial put back";
    EXPECT_EQ(u->btl.act_budget, BUDGET_WHOLE);
    u->btl.act_budget = BUDGET_STD;
    EXPECT_FALSE(plan_dflt_atk(u, rat, mr, &p)) << "a walk and a blow need the whole turn";
    step_unit(u, {7, 3});
    get_move_range(u, &mr);
    ASSERT_TRUE(plan_dflt_atk(u, rat, mr, &p)) << "a shift step costs nothing";
    EXPECT_EQ(p.move.flags, UCMD_SHIFT);
    step_unit(u, {6, 3});
    ASSERT_TRUE(plan_dflt_atk(u, rat, mr, &p));
    EXPECT_EQ(p.from, u->pos);
    EXPECT_EQ(p.move.pwr, 0) << "in reach: no move";
}

// Seeded battles in which the party's units take, whenever the hover offers
// one, a walk and an attack; among the offers first one that the map as it is
// refuses from the cell walked to. Every such attack is either carried out at
// a cell its unit may truly aim at or dropped before it is paid, the unit
// asked again with its standard action left.
TEST(DfltAtkPlans, AWalkAndAnAttackEitherStrikeOrAreDroppedUnpaid) {
    init_pwrs();
    auto aims_in_truth = [](unit_t* u, const u_cmd_t& atk) {
        set_fog_in_search(false);
        std::vector<pt_t> pts;
        get_act_tgt_pts(u, atk.pwr, &pts);
        set_fog_in_search(true);
        return contains(pts, atk.tgt);
    };
    int dropped = 0;
    for (uint32_t seed = 1; seed <= 5; ++seed) {
        SCOPED_TRACE(testing::Message() << "seed " << seed);
        ai_battle_t b;
        b.listener.round_cap = 30;
        u_cmd_t planned{};
        const unit_t* planner = nullptr;
        b.listener.turn_ready = [&](unit_t*) { planner = nullptr; };
        b.listener.orders = [&](unit_t* u) {
            if (planner == u) {
                // Asked again in the same turn: the attack was dropped, unpaid.
                EXPECT_GE(u->btl.act_budget, BUDGET_STD);
                dropped += !aims_in_truth(u, planned);
                planner = nullptr;
                return ai_run(u);
            }
            move_range_t mr;
            get_move_range(u, &mr);
            std::vector<atk_plan_t> plans;
            for (unit_t* t : std::vector<unit_t*>(btl().roster)) {
                atk_plan_t p;
                if (is_pt_visible(t->pos) && plan_dflt_atk(u, t, mr, &p) && p.move.pwr != 0) plans.push_back(p);
            }
            const auto blocked = std::find_if(plans.begin(), plans.end(), [&](const atk_plan_t& p) {
                const u_pos_guard_t at(u, p.from);
                return !aims_in_truth(u, p.atk);
            });
            if (plans.empty()) return ai_run(u);
            const atk_plan_t& p = blocked != plans.end() ? *blocked : plans.front();
            u->btl.cmds = {p.move, p.atk};
            planned = p.atk;
            planner = u;
        };
        b.listener.act_seen = [&](unit_t* u, const u_cmd_t* c) {
            if (u != planner || *c != planned) return;
            EXPECT_TRUE(aims_in_truth(u, *c)) << "an attack paid for a cell it cannot strike";
            planner = nullptr;
        };
        b.run(seed, 1 + int(seed % 3) * 2, 1 + int(seed % 3), /*every_unit_by_listener=*/false);
        reset_btl();
    }
    EXPECT_GT(dropped, 0) << "the seeds hold a walk that uncovers what blocks the attack";
    free_pwrs();
}
