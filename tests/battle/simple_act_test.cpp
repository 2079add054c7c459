// The five simple commands: defending at the end of the turn, swapping to the
// weapon set in use, moves, waits, and commands out of the player's sight.
#include "battle/simple_act.h"

#include <string>

#include "app/text_log.h"
#include "battle/act_fixture.h"
#include "battle/rolls.h"
#include "battle/turn.h"
#include "rules/cond.h"
#include "rules/ie_ids.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"

namespace {
class Simple : public act_test {
protected:
    std::vector<std::wstring> floats;

    void SetUp() override {
        act_test::SetUp();
        draw({"........", "........", "........"});
        btl_pres().float_text = [this](const wchar_t* t, unit_t*, float_kind_t) { floats.push_back(t); };
    }
    void TearDown() override {
        btl_pres() = btl_pres_t();
        act_test::TearDown();
    }
    static u_cmd_t cmd(int pwr, pt_t at, int param = 0) { return {.pwr = pwr, .param = param, .tgt = at, .flags = 0}; }
};
}  // namespace

TEST_F(Simple, EndingTheTurnDefendsByThePointsLeft) {
    unit_t* u = add_pc(1, 1, 0);
    fog();
    for (auto [budget, cond] : {std::pair{4, 14}, {3, 13}, {2, 0}, {1, 0}}) {
        u->conds.clear();
        u->btl.act_budget = budget;
        const u_cmd_t c = cmd(15, u->pos);
        EXPECT_TRUE(run_simple_cmd(u, &c));
        EXPECT_EQ(u->conds.has(13) ? 13 : u->conds.has(14) ? 14 : 0, cond) << "budget " << budget;
        EXPECT_EQ(u->btl.act_budget, 1) << "the turn is over";
    }
    EXPECT_TRUE(logged(L"进行防御。"));
    // A grappling unit gets nothing.
    unit_t* foe = add_pc(2, 1, 1);
    u->conds.clear();
    cond_inst_t ci;
    u->conds.add(make_cond_inst(ci, 15, foe, 0, CI_NO_ROLL, 0), true);
    u->btl.act_budget = 4;
    do_simple_act_t ctx(u, nullptr);
    EXPECT_EQ(defend_cond(ctx), 0);
}

TEST_F(Simple, SwappingToTheSetInUseCostsNothingAndStopsTheQueue) {
    unit_t* u = add_pc(1, 1, 0);
    const u_cmd_t c = cmd(10, u->pos, u->eqpts.cur_set);
    EXPECT_FALSE(run_simple_cmd(u, &c));
    EXPECT_EQ(floats, (std::vector<std::wstring>{L"已经是当前武器！"}));
    EXPECT_EQ(u->btl.act_budget, 4);
    EXPECT_TRUE(rec.calls.empty()) << "no act start or end";
}

TEST_F(Simple, MovesWalkAndABlockedMoveIsBookedWithoutEffect) {
    unit_t* u = add_pc(1, 1, 0);
    fog();
    const u_cmd_t go = cmd(1, {4, 1});
    EXPECT_TRUE(run_simple_cmd(u, &go));
    EXPECT_EQ(u->pos, (pt_t{4, 1}));
    EXPECT_EQ(u->btl.act_budget, 3);
    EXPECT_EQ(rec.slots(), (std::vector<int>{31, 26, 32}));
    // The move is used: a second one this turn has no effect but is still booked.
    const u_cmd_t again = cmd(1, {6, 1});
    EXPECT_FALSE(run_simple_cmd(u, &again));
    EXPECT_EQ(u->pos, (pt_t{4, 1}));
}

// The walk's own attack of opportunity lays the walker down: the move is spent
// where it stands and the log says it fell, for the computer's unit too.
TEST_F(Simple, AWalkTrippedByItsAttackOfOpportunityIsSpentAndSaysSo) {
    unit_t* u = mk(1, 1, 0);
    u->btl.ai = 1;
    u->hp = 1000;  // stands through any blow
    unit_t* foe = mk(2, 1, 1);
    guard_with(foe, IE_TRIP);
    fog();
    next_d20s(16, 20, 6);  // the blow and the trip's check hit
    const u_cmd_t go = cmd(P_MOVE, {0, 0});
    EXPECT_FALSE(run_simple_cmd(u, &go));
    ASSERT_TRUE(u->conds.is_prone()) << to_utf8_string(log.c_str());
    EXPECT_EQ(u->pos, (pt_t{1, 1}));
    EXPECT_TRUE(u->btl.turn_flags & TF_MOVED) << "the move is spent";
    const size_t why = log.find(refused(u, P_MOVE, L"倒地"));
    ASSERT_NE(why, std::wstring::npos) << to_utf8_string(log.c_str());
    EXPECT_LT(log.find(L"检定"), why) << "after the trip's line";
}

TEST_F(Simple, CommandsOutOfSightTakeEffectWithoutALogLine) {
    draw({"...#....", "...#....", "...#...."});
    add_pc(0, 1, 0);  // the player's unit, which sees no further than the wall
    unit_t* hidden = add_pc(6, 1, 1);
    fog();
    ASSERT_FALSE(is_pt_visible(hidden->pos));
    const u_cmd_t c = cmd(15, hidden->pos);
    EXPECT_TRUE(run_simple_cmd(hidden, &c));
    EXPECT_TRUE(hidden->conds.has(14));
    log_flush();
    EXPECT_FALSE(logged(L"进行防御"));
}

TEST_F(Simple, OnlyTheFiveAreSimple) {
    for (int code = 0; code < 20; ++code)
        EXPECT_EQ(is_simple_cmd(code), code == 1 || code == 9 || code == 10 || code == 11 || code == 15) << code;
}
