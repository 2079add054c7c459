// The turn engine: ends of battle, turn order with waits and deaths, and the
// order of the listener calls.
#include "battle/turn.h"

#include <functional>

#include "app/rnd.h"
#include "app/text_log.h"
#include "battle/btl_fixture.h"
#include "battle/damage.h"
#include "battle/target_area.h"
#include "battle/unit_move.h"
#include "battle/zone.h"
#include "support/next_d20.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/itm_slot.h"
#include "rules/mon_ids.h"
#include "rules/pwr_ids.h"
#include "rules/pty.h"
#include "rules/unit_grp.h"
#include "support/ai_battle.h"
#include "support/pwrs_test.h"

namespace {
// Scripted orders per call of slot 28; a hook runs after each unit move.
class script_listener_t : public rec_listener_t {
public:
    std::function<void(unit_t*)> orders;
    std::function<void(unit_t*)> moved;
    void wait_for_orders(unit_t* u) override {
        calls.push_back({28, u});
        if (orders) orders(u);
        if (u->btl.cmds.empty()) null_listener_t::wait_for_orders(u);
    }
    void on_unit_moved(unit_t* u) override {
        rec_listener_t::on_unit_moved(u);
        if (moved) moved(u);
    }
    void on_turn_end(unit_t* u) override {
        rec_listener_t::on_turn_end(u);
        if (turn_end) turn_end(u);
    }
    std::function<void(unit_t*)> turn_end;
};

u_cmd_t cmd(int pwr, pt_t at = {0, 0}, int flags = 0) { return {.pwr = pwr, .param = 0, .tgt = at, .flags = flags}; }

class Turn : public btl_test {
protected:
    pty_t pty;
    unit_grp_t foes;
    script_listener_t lis;
    std::wstring logged;  // the battle log's lines of the case
    std::vector<std::wstring> blocks;  // the same, as flushed

    void SetUp() override {
        btl_test::SetUp();
        draw({"........", "........", "........", "........", "........", "........"});
        log_set_sink(
            [](const wchar_t* t, void* me) {
                static_cast<Turn*>(me)->logged += t;
                static_cast<Turn*>(me)->blocks.emplace_back(t);
            },
            this);
    }
    void TearDown() override {
        log_set_sink(nullptr, nullptr);
        set_cur_scene(nullptr);
        restart();
        btl_test::TearDown();
    }
    // A fresh battle state and empty groups; the units stay the fixture's.
    void restart() {
        reset_btl();
        pty.units.clear();
        foes.units.clear();
    }
    // A first-level character of build 1; recalculation keeps its hit points.
    unit_t* mk(unit_grp_t& g, int side, const wchar_t* name) {
        owned.push_back(std::make_unique<unit_t>());
        unit_t* u = owned.back().get();
        u->from_bld(1, name, nullptr, nullptr);
        u->btl.side = side;
        u->btl.ai = 0;
        u->base.kind = side == SIDE_PLAYER ? UK_PC : UK_MON;
        u->hp = u->drv.hp_max;
        g.units.push_back(u);
        return u;
    }
    // begin_btl with the listener registered after it, as the battle scene does.
    void begin() {
        begin_btl(&pty, &foes, &map);
        set_cur_scene(&lis);
    }
    // Units keep the order given (initiative is rolled) and stand on row 1 from
    // x = 1, two cells apart; the fog follows.
    void order(std::vector<unit_t*> units) {
        btl().full = units;
        rebuild_roster();
        for (size_t i = 0; i < units.size(); ++i) units[i]->pos = {1 + 2 * int(i), 1};
        init_fog();
    }
    unit_t *a = nullptr, *b = nullptr, *c = nullptr;
    // The party's a and the enemy's b alone, not begun.
    void meet() {
        a = mk(pty, 0, L"a");
        b = mk(foes, 1, L"b");
    }
    // The party's a against the enemy's b, then c of c_side when asked:
    // begun, in that order.
    void line_up(bool with_c, int c_side = SIDE_PLAYER) {
        meet();
        if (with_c) c = mk(c_side == SIDE_PLAYER ? pty : foes, c_side, L"c");
        begin();
        order(with_c ? std::vector<unit_t*>{a, b, c} : std::vector<unit_t*>{a, b});
    }
};
}  // namespace

// ---- ends of battle ----

TEST_F(Turn, TheLastEnemyDyingMidQueueEndsTheBattleAfterTheQueue) {
    line_up(true);
    lis.orders = [&](unit_t* u) {
        if (u == a) u->btl.cmds = {cmd(1, {1, 4}), cmd(15, {1, 4})};
    };
    lis.moved = [&](unit_t* u) {
        if (u == a) set_unit_hp(b, 0, nullptr);
    };
    run_btl();
    EXPECT_EQ(get_btl_state(), 2);
    EXPECT_EQ(pty.arena.kills, 1);
    EXPECT_TRUE(a->conds.has(13)) << "the end of the turn after the kill was still carried out";
    for (const auto& call : lis.calls) EXPECT_FALSE(call.slot == 24 && call.u != a) << "only a took a turn";
}

TEST_F(Turn, BothSidesFallingInOneActionIsALossWhoeverFellFirst) {
    for (bool enemy_first : {true, false}) {
        restart();
        line_up(false);
        lis.orders = [&](unit_t* u) { u->btl.cmds = {cmd(1, {1, 4})}; };
        lis.moved = [&](unit_t*) {
            set_unit_hp(enemy_first ? b : a, 0, nullptr);
            set_unit_hp(enemy_first ? a : b, 0, nullptr);
        };
        run_btl();
        EXPECT_EQ(get_btl_state(), 3) << "enemy first: " << enemy_first;
        EXPECT_FALSE(btl().no_death);
        EXPECT_EQ(pty.arena.deaths, enemy_first ? 1 : 2);
    }
}

TEST_F(Turn, OnlyTheGroupsOwnUnitsDecideTheEnd) {
    meet();
    begin();
    // A summoned creature of the enemy's side is no unit of the enemy group.
    owned.push_back(std::make_unique<unit_t>());
    unit_t* s = owned.back().get();
    s->btl.side = SIDE_FOES;
    s->hp = s->drv.hp_max = 5;
    s->creator = b;
    s->pos = {7, 5};
    insert_after_creator(s, b);
    order({a, b, s});
    lis.orders = [&](unit_t* u) {
        if (u == a) set_unit_hp(b, 0, nullptr);
    };
    run_btl();
    EXPECT_EQ(get_btl_state(), 2);
    EXPECT_TRUE(btl().fallen.empty() || btl().fallen.front() == b);
}

TEST_F(Turn, ASideWithNobodyStandingIsDecidedBeforeTheFirstTurn) {
    meet();
    b->hp = 0;
    begin();
    EXPECT_TRUE(btl().roster.size() == 1 && btl().fallen.size() == 1);
    run_btl();
    EXPECT_EQ(get_btl_state(), 2);
    EXPECT_TRUE(lis.calls.empty());

    restart();
    begin_btl(&pty, &foes, &map);  // no units at all: the first group cannot stand
    run_btl();
    EXPECT_EQ(get_btl_state(), 3);
}

// ---- turn order ----

TEST_F(Turn, AWaitingUnitActsAgainAfterEveryoneBehindIt) {
    line_up(true);
    int a_turns = 0, budget_back = 0;
    lis.orders = [&](unit_t* u) {
        if (u != a) return;
        if (a_turns++ == 0) {
            u->btl.cmds = {cmd(1, {1, 4}), cmd(11, {1, 4})};
        } else {
            budget_back = a->btl.act_budget;
            set_btl_lost();
        }
    };
    run_btl();
    EXPECT_EQ(btl().full, (std::vector<unit_t*>{b, c, a}));
    EXPECT_EQ(btl().roster, btl().full);
    EXPECT_EQ(btl().round, 0);
    // The wait hands the turn to b at once; a's second turn start only reports
    // it ready and leaves the points the move left.
    std::vector<int> starts;
    for (const auto& call : lis.calls)
        if (call.slot == 24 || call.slot == 25) starts.push_back(call.slot * 10 + (call.u == a ? 0 : call.u == b ? 1 : 2));
    EXPECT_EQ(starts, (std::vector<int>{240, 250, 241, 251, 242, 252, 240, 250}));
    EXPECT_EQ(budget_back, 3);
    EXPECT_FALSE(can_delay_turn(a) && a->btl.turn_flags & 4) << "one wait a round";
}

// Each refusal names its own reason, for the wait's tooltip and the log.
TEST_F(Turn, AUnitThatWaitedThisRoundCannotWaitAgain) {
    line_up(true);
    btl().cur = a;
    EXPECT_TRUE(can_delay_turn(a));
    EXPECT_EQ(pwr_refusal(a, P_WAIT), USE_OK);
    a->btl.turn_flags |= TF_DELAYED;
    EXPECT_FALSE(can_delay_turn(a)) << "one wait a round, wherever the unit stands";
    EXPECT_STREQ(refusal_text(pwr_refusal(a, P_WAIT)), L"本轮已等待过");
    EXPECT_STREQ(refusal_text(pwr_refusal(c, P_WAIT)), L"本轮最后行动");
}

TEST_F(Turn, TheLastUnitOfTheRosterKeepsItsPlaceWhenItWaits) {
    line_up(false);
    btl().cur = b;
    const u_cmd_t w = cmd(11, b->pos);
    EXPECT_TRUE(perform_cmd(b, &w));
    EXPECT_EQ(btl().full, (std::vector<unit_t*>{a, b}));
    EXPECT_EQ(get_cur_unit(), b);
    EXPECT_NE(logged.find(L"进行等待。"), std::wstring::npos);
    EXPECT_EQ(b->btl.act_budget, 4) << "wait costs a free action";
}

// b, poisoned at 3 hit points, dies of the tick as its turn starts, and c's
// fog ends in the upkeep as the turn passes on: b's turn end comes first, and
// its turn start and the fog's end are blocks of their own.
TEST_F(Turn, AUnitDyingAtItsTurnStartGetsItsTurnEndAndTheTurnPasses) {
    line_up(true, SIDE_FOES);
    b->hp = 3;
    give_cond(*b, C_TOX, a, 10, false);
    const u_cmd_t fog = cmd(P_TOX_FOG, {7, 5});
    zone_t* z = create_zone(c, &fog, {fog.tgt});
    ASSERT_TRUE(z);
    z->rounds = 1;
    log_flush();
    blocks.clear();
    lis.orders = [&](unit_t* u) {
        if (u == c) set_btl_lost();
    };
    run_btl();
    EXPECT_EQ(b->hp, 0);
    std::vector<int> slots;
    for (const auto& call : lis.calls)
        if (call.u == b || (call.slot == 37 && call.u2 == c)) slots.push_back(call.slot);
    EXPECT_EQ(slots, (std::vector<int>{24, 35, 27, 36, 37})) << "turn start, tick, death, turn end, then c";
    EXPECT_EQ(btl().fallen, (std::vector<unit_t*>{b}));
    const std::wstring head = std::wstring(unit_disp_name(b).c_str()) + L" 回合开始:\n    造成";
    const auto start = std::find_if(blocks.begin(), blocks.end(), [&](const std::wstring& t) { return t.rfind(head, 0) == 0; });
    ASSERT_NE(start, blocks.end()) << to_utf8_string(logged.c_str());
    EXPECT_NE(start->find(L"死亡！"), std::wstring::npos);
    ASSERT_NE(start + 1, blocks.end());
    EXPECT_EQ(start[1], Str(L"%s区域消失。", pwr_name(P_TOX_FOG)).c_str());
}

// a ends its turn at 1 hit point in b's ice storm, which also holds a's c: the
// storm's upkeep as the turn passes to b fells a, strikes c once, counts down
// once and is one block under its heading. Passing the turn again at a's
// death struck c twice.
TEST_F(Turn, AZoneThatFellsTheUnitWhoseTurnEndsStrikesOnce) {
    line_up(true);
    c->base.lv = 15;  // stands through the storm
    c->recalc();
    c->hp = c->drv.hp_max;
    const u_cmd_t storm = cmd(P_ICE_STORM, a->pos);
    zone_t* z = create_zone(b, &storm, {a->pos, c->pos});
    ASSERT_TRUE(z);
    z->rounds = 3;
    a->hp = 1;
    log_flush();
    blocks.clear();
    lis.orders = [&](unit_t* u) {
        if (u != a) return set_btl_lost();
        u->btl.cmds = {cmd(P_END_TURN)};
        next_d20s(16, 20, 8);  // the storm strikes
    };
    run_btl();
    EXPECT_EQ(a->hp, 0);
    EXPECT_EQ(lis.count(35, c), 1) << "c struck once";
    EXPECT_EQ(z->rounds, 2) << "one round counted down";
    const std::wstring head = Str(L"<c=key>%s</c> 区域: ", pwr_name(P_ICE_STORM)).c_str();
    std::vector<std::wstring> struck;  // the blocks that tell of c
    for (const std::wstring& t : blocks)
        if (t.find(unit_disp_name(c).c_str()) != std::wstring::npos) struck.push_back(t);
    ASSERT_EQ(struck.size(), 1u) << to_utf8_string(logged.c_str());
    EXPECT_EQ(struck[0].rfind(head, 0), 0u) << to_utf8_string(struck[0].c_str());
    EXPECT_NE(struck[0].find(L"死亡！"), std::wstring::npos);
}

// b stands in its own fire cloud at 1 hit point, and the cloud's upkeep fells
// it as the turn comes round to it: b gets no turn. Last of the round, the new
// round is announced once and a's turn starts; the last foe, the battle ends.
TEST_F(Turn, AUnitItsZoneFellsAsItsTurnComesGetsNone) {
    for (const bool last_foe : {false, true}) {
        SCOPED_TRACE(last_foe ? "b the last foe" : "b last of the round");
        restart();
        lis.calls.clear();
        line_up(!last_foe, SIDE_FOES);
        if (!last_foe) order({a, c, b});
        const u_cmd_t cloud = cmd(P_FIRE_CLOUD, b->pos), afar = cmd(P_FIRE_CLOUD, {7, 5});
        ASSERT_TRUE(create_zone(b, &cloud, {b->pos}) && create_zone(a, &afar, {afar.tgt}));
        b->hp = 1;
        lis.orders = [&](unit_t* u) {
            if (btl().round == 1) return set_btl_lost();
            u->btl.cmds = {cmd(15)};
            next_d20s(16, 20, 3);  // the cloud strikes
        };
        run_btl();
        EXPECT_EQ(b->hp, 0);
        EXPECT_EQ(get_btl_state(), last_foe ? BTL_WON : BTL_LOST);
        EXPECT_EQ(btl().zones.size(), last_foe ? 1u : 0u) << "a's cloud ends at the upkeep passing over b to a";
        using call_t = rec_listener_t::call_t;
        std::vector<call_t> turns;
        for (const call_t& call : lis.calls)
            if (call.slot == 23 || call.slot == 24 || call.slot == 36 || call.slot == 37) turns.push_back(call);
        std::vector<call_t> want = {{23}, {24, a}, {36, a}};
        if (!last_foe) want.insert(want.end(), {{37, a, c}, {24, c}, {36, c}, {23, nullptr, nullptr, 1}, {37, c, a}, {24, a}});
        EXPECT_EQ(turns, want);
    }
}

// The heading of a bleeding unit's turn start, then the tick on the next line.
TEST_F(Turn, ATurnStartsTickStandsOnTheLineUnderItsHeading) {
    line_up(false);
    give_cond(*a, C_BLEED, b, 2, false);
    const int hp = a->hp;
    log_flush();
    logged.clear();
    btl_turn_start(a);
    EXPECT_EQ(a->hp, hp - 2);
    const std::wstring head = std::wstring(unit_disp_name(a).c_str()) + L" 回合开始:\n    造成";
    EXPECT_EQ(logged.rfind(head, 0), 0u) << to_utf8_string(logged.c_str());
}

// A holder behind a wall shocks the party's a, who falls, and its own foe c:
// the heading and a's lines are told, c's and the holder's own bleeding not.
TEST_F(Turn, AnUnseenHoldersShockIsToldWhereItStrikesTheSeen) {
    draw({"..#.....", "..#.....", "..#.....", "........", "........", "........"});
    line_up(true, SIDE_FOES);
    ASSERT_FALSE(is_pt_visible(b->pos) || is_pt_visible(c->pos));
    b->pwrs.add(P_PACK_SHOCK);
    give_cond(*b, C_BLEED, a, 2, false);
    a->hp = 1;
    const int hp = b->hp;
    log_flush();
    logged.clear();
    next_d20s(16, 20, 6);
    btl_turn_start(b);
    EXPECT_LT(b->hp, hp - 2) << "bled and shocked";
    EXPECT_EQ(a->hp, 0);
    const std::wstring told = std::wstring(unit_disp_name(b).c_str()) + L" 回合开始:\n    <c=y>" +
                              or_empty(get_pwr(P_PACK_SHOCK)->n) + L"</c> 生效: " + unit_disp_name(a).c_str() + L": 命中";
    EXPECT_EQ(logged.rfind(told, 0), 0u) << to_utf8_string(logged.c_str());
    EXPECT_NE(logged.find(L"死亡！"), std::wstring::npos);
    EXPECT_EQ(logged.find(L"造成"), logged.rfind(L"造成")) << "one damage line: a's";
}

// ---- the queue ----

TEST_F(Turn, AQueueEndsWhenItsUnitWaits) {
    line_up(true);
    lis.orders = [&](unit_t* u) {
        if (u == a) u->btl.cmds = {cmd(11, a->pos), cmd(15, a->pos), cmd(11, a->pos)};
        else set_btl_lost();
    };
    run_btl();
    // Nothing after the wait runs in b's turn: no guard for a, no second wait pushing b back.
    EXPECT_EQ(btl().full, (std::vector<unit_t*>{b, c, a}));
    EXPECT_EQ(get_cur_unit(), b);
    EXPECT_FALSE(b->btl.turn_flags & 4);
    EXPECT_FALSE(a->conds.has(14));
    EXPECT_EQ(a->btl.act_budget, BUDGET_WHOLE);
}

TEST_F(Turn, AQueueEndsWhenItsUnitDies) {
    line_up(true);
    lis.orders = [&](unit_t* u) {
        if (u == a) u->btl.cmds = {cmd(1, {1, 4}), cmd(15, {1, 4})};
        else set_btl_lost();
    };
    lis.moved = [&](unit_t* u) {
        if (u == a) set_unit_hp(a, 0, nullptr);
    };
    run_btl();
    EXPECT_EQ(a->hp, 0);
    bool dead = false;
    for (const auto& call : lis.calls) {
        dead = dead || (call.slot == 27 && call.u == a);
        EXPECT_FALSE(dead && call.slot == 31 && call.u == a) << "a fallen unit's queue runs on";
    }
    EXPECT_TRUE(dead);
}

TEST_F(Turn, CommandsTheUnitCannotUseAreRefusedAndThePlayerToldWhy) {
    line_up(false);
    b->pos = {2, 1};
    b->hp = 1000;  // stands through every blow
    init_fog();
    int turns = 0;
    std::vector<std::vector<u_cmd_t>> scripts = {
        {cmd(2, b->pos), cmd(2, b->pos), cmd(2, b->pos)},  // the first takes the whole turn
        {cmd(139, b->pos)},                                 // a spell a does not hold
        {cmd(2, b->pos, 2)},                                // "no cost" is the engine's to give
        {cmd(2, a->pos)},                                   // a blow at oneself, whoever queues it
        {cmd(1, {1, 3}), cmd(1, {1, 4})},                   // one move a turn
    };
    std::vector<int> starts, budgets;  // a's actions begun and points left at each call for orders
    int first_turn_end = -1;
    lis.turn_end = [&](unit_t* u) {
        if (u == a && first_turn_end < 0) first_turn_end = a->btl.act_budget;
    };
    lis.orders = [&](unit_t* u) {
        if (u != a) return;
        budgets.push_back(a->btl.act_budget);
        if (turns == int(scripts.size())) return set_btl_lost();
        starts.push_back(lis.count(31, a));
        u->btl.cmds = scripts[size_t(turns++)];
    };
    run_btl();
    for (const wchar_t* why : {L"行动点不足", L"未掌握该能力", L"无效的命令", L"无法瞄准该处", L"本回合已移动"})
        EXPECT_NE(logged.find(why), std::wstring::npos) << "the log says why: " << to_utf8_string(why);
    const int total = lis.count(31, a);
    EXPECT_EQ(starts, (std::vector<int>{0, 1, 1, 1, 1}));
    EXPECT_EQ(total, 2) << "one attack and one move ran";
    EXPECT_EQ(first_turn_end, BUDGET_NONE) << "the attack took the whole turn";
    // A refused command costs nothing and the unit is asked again in the same turn.
    EXPECT_EQ(budgets, (std::vector<int>{4, 4, 4, 4, 4, 3}));
}

// The player aims from where a move leads by what the side knows; the walk
// may uncover a wall in the line. The shot is then dropped with its reason,
// before it is paid, and the unit is asked again.
TEST_F(Turn, AShotTheMoveFindsBlockedIsDroppedBeforeItIsPaid) {
    draw({"........", "........", "....#...", "........", "........", "........"});
    line_up(false);
    mk_itm_slot(a->eqpts.slots[EQ_MAIN], 63, 1);  // a bow and its arrows
    mk_itm_slot(a->eqpts.slots[EQ_QUICK], 167, 20);
    a->recalc();
    a->pos = {1, 4};
    b->pos = {6, 2};
    init_fog();
    btl().explored[SIDE_PLAYER].at(4, 2) = 0;  // the wall on the line, not seen yet
    std::vector<pt_t> aim;
    get_act_tgt_pts_from(a, P_ATK_R, {1, 2}, &aim);
    ASSERT_TRUE(contains(aim, b->pos)) << "the hover offers the shot from (1, 2)";
    std::vector<int> budgets;
    lis.orders = [&](unit_t* u) {
        if (u != a) return;
        budgets.push_back(a->btl.act_budget);
        if (budgets.size() == 1) u->btl.cmds = {make_mov_cmd(a, {1, 2}), cmd(P_ATK_R, b->pos)};
        else set_btl_lost();
    };
    run_btl();
    EXPECT_EQ(a->pos, (pt_t{1, 2}));
    EXPECT_EQ(budgets, (std::vector<int>{BUDGET_WHOLE, BUDGET_WHOLE - 1})) << "the walk paid, the shot not";
    EXPECT_EQ(a->eqpts.slots[EQ_QUICK].get_count(), 20);
    EXPECT_NE(logged.find(L"视线受阻"), std::wstring::npos);
    EXPECT_EQ(logged.find(L"无效目标"), std::wstring::npos);
}

// ---- the listener ----

TEST_F(Turn, ListenerCallsOfOrdinaryTurnsAndANewRound) {
    line_up(false);
    lis.orders = [&](unit_t* u) {
        if (u == a && btl().round == 1) set_btl_lost();
    };
    run_btl();
    // Round 0: a's turn with its end-turn order, b's turn; round 1 comes
    // between b's turn end and the change to a.
    const std::vector<int> want = {23, 24, 25, 29, 28, 30, 31, 32, 36, 37, 24, 25, 29, 28,
                                   30, 31, 32, 36, 23, 37, 24, 25, 29, 28};
    EXPECT_EQ(lis.slots(), want);
    EXPECT_EQ(lis.calls.front().n, 0);
}

TEST_F(Turn, AComputerUnitIsGivenOrdersByTheAI) {
    meet();
    b->btl.ai = 1;
    begin();
    order({b, a});
    lis.orders = [&](unit_t*) { set_btl_lost(); };
    run_btl();
    // b steps up to a and attacks with the whole turn; only a waits for orders.
    EXPECT_EQ(lis.slots(), (std::vector<int>{23, 24, 25, 29, 30, 31, 26, 32, 31, 33, 35, 32, 36, 37, 24, 25, 29, 28}));
    EXPECT_EQ(lis.calls[3].n, 1) << "slot 29 says computer";
    EXPECT_EQ(lis.count(28), lis.count(28, a)) << "the computer's unit is not asked for orders";
    EXPECT_EQ(lis.calls[6].u, b) << "b moved";
    EXPECT_TRUE(is_ai_unit(b));
}

// A kobold slinger out of bullets fights on with its fists. Its blow at the
// fighter provokes him; an aim at an empty cell, which provokes nothing, once
// beat it, and the kobold swung at the air round after round.
TEST_F(Turn, AComputerUnitOutOfShotStrikesItsFoeAndNeverTheAir) {
    for (int lv : {4, 6})
        for (bool advance : {false, true}) {
            SCOPED_TRACE(testing::Message() << "kobold level " << lv << (advance ? ", advancing" : ", holding"));
            restart();
            rnd_srand(2);
            draw_open(14, 8);
            unit_t* fighter = mk(pty, SIDE_PLAYER, L"a");
            fighter->btl.ai = advance;
            unit_t* kobold = &mk(foes, SIDE_FOES, L"b")->from_mon(41, lv);
            for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i) kobold->eqpts.slots[i].clear();
            kobold->recalc();
            begin();
            fighter->pos = {3, 2};
            kobold->pos = {8, 3};
            init_fog();
            lis.turn_end = [&](unit_t*) {
                if (btl().round >= 30) set_btl_lost();
            };
            lis.orders = [&](unit_t* u) {  // the fighter holds his ground
                std::vector<pt_t> reach;
                get_act_tgt_pts(u, P_ATK_M, &reach);
                u->btl.cmds = {contains(reach, kobold->pos) ? cmd(P_ATK_M, kobold->pos) : cmd(P_END_TURN, u->pos)};
            };
            logged.clear();
            run_btl();
            EXPECT_EQ(logged.find(L"无效目标"), std::wstring::npos) << "a blow at an empty cell";
            EXPECT_TRUE(kobold->hp <= 0 || fighter->hp <= 0) << "the fight ends by round 30";
        }
}

TEST_F(Turn, BeginReadiesEveryUnitAndDeploysBothSides) {
    meet();
    a->btl.pwr_uses[282] = 1;
    a->btl.auto_heal1_used = 1;
    b->btl.act_budget = 1;
    b->pwrs.add(265);  // "trance": a turn of 3 points
    begin();
    EXPECT_TRUE(a->btl.pwr_uses.empty());
    EXPECT_EQ(a->btl.auto_heal1_used, 0u);
    EXPECT_EQ(a->ani_word, -1);
    EXPECT_EQ(b->btl.act_budget, 3);
    EXPECT_NE(a->pos, b->pos);
    EXPECT_TRUE(a->pos.x >= 0 && b->pos.x >= 0);
    EXPECT_EQ(btl().roster.size(), 2u);
}

TEST_F(Turn, EndingTheBattleFreesSummonsAndLetsGoOfEveryUnit) {
    meet();
    begin();
    unit_t* s = new unit_t();
    s->hp = s->drv.hp_max = 4;
    s->creator = a;
    btl().summons.push_back(s);
    insert_after_creator(s, a);
    a->btl.auras.push_back({P_AURA1_FIRE5, b});  // what a holds of the foe, who may be freed next
    put_cond(a, C_GRAP, b);
    end_btl();
    EXPECT_TRUE(btl().summons.empty());
    EXPECT_TRUE(btl().full.empty() && btl().roster.empty());
    EXPECT_TRUE(a->btl.auras.empty() && !a->conds.map.at(C_GRAP).src);
}

// A fight given up, its foes freed: the next challenge's hobgoblins count their neighbours as made.
TEST_F(Turn, AfterTheBattleNothingListsItsFreedFoes) {
    ai_battle_t fight;
    fight.listener.orders = [](unit_t* u) {
        u->btl.side == SIDE_PLAYER && !btl().fallen.empty() ? set_btl_lost() : ai_run(u);
    };
    ASSERT_EQ(fight.run(20, 19, 3), BTL_LOST);
    fight.foes.reset();
    const btl_t& s = btl();
    EXPECT_TRUE(s.full.empty() && s.roster.empty() && s.fallen.empty() && !s.cur && !s.grps[0] && !s.grps[1]);
    EXPECT_EQ(s.state, BTL_LOST);
    const std::unique_ptr<unit_grp_t> hobs(enc_to_grp({3, 0, {{MON_GOB_H_TH_S, 19, 1}, {MON_GOB_H_SHD_E, 19, 2}}}));
    ASSERT_TRUE(hobs->units.back()->has_pwr(P_PHALANX2));
    for (unit_t* u : fight.party->units) u->recalc();
}
