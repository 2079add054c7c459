#include "battle/act_ctx.h"

#include <gtest/gtest.h>

#include <map>
#include <regex>

#include "battle/act_fixture.h"
#include "battle/fog.h"
#include "battle/rolls.h"
#include "app/rnd.h"
#include "rules/cls_ids.h"
#include "rules/cond_ids.h"
#include "rules/ie_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"

namespace {
class ActCtx : public act_test {
protected:
    void SetUp() override {
        act_test::SetUp();
        draw({"........", "........", "........", "........", "........"});
        a = mk(2, 2, 0);
        t = mk(3, 2, 1);
        wield(a, EQ_MAIN, 39);
        fog();
    }
};
}  // namespace

TEST_F(ActCtx, MeleeAttackEndToEnd) {
    next_d20(19);
    const int hp = t->hp;
    EXPECT_TRUE(act(a, 2, t->pos));
    EXPECT_LT(t->hp, hp) << to_utf8_string(log.c_str());
    EXPECT_EQ(rec.slots(), (std::vector<int>{31, 33, 35, 32}));
    EXPECT_EQ(a->btl.act_budget, BUDGET_NONE);  // a standard action with every point takes the whole turn
    const std::wstring head = std::wstring(unit_disp_name(a).c_str()) + L" " + pwr_name(2) + L" ";
    EXPECT_EQ(log.rfind(head, 0), 0u) << std::string(log.begin(), log.end());
    EXPECT_TRUE(logged(L"造成"));
    EXPECT_TRUE(log.find(L"\n") == std::wstring::npos);  // one target, one record: one line
}

TEST_F(ActCtx, BurstSpellEndToEnd) {
    unit_t* w = mk(0, 0, 0, 3, 5);
    unit_t* t2 = mk(5, 3, 1);
    unit_t* ally = mk(4, 4, 0);
    fog();
    const act_t* fb = dynamic_cast<const act_t*>(get_pwr(127));
    w->pwrs.add(127);
    ASSERT_TRUE(can_use_pwr(w, 127));
    rnd_srand(5);
    EXPECT_TRUE(act(w, 127, {4, 3}));
    // The area of radius 1 at (4, 3) holds t (no: (3, 2) is diagonal), t2 and the ally.
    EXPECT_EQ(count_slot(35) + count_slot(34), 2);
    EXPECT_TRUE(logged(L"施放"));
    EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), 2);  // an area: one line per target
    EXPECT_GT(get_act_cooldown(w, fb), 0);
    EXPECT_FALSE(can_use_pwr(w, 127));
    EXPECT_LE(t2->hp, t2->drv.hp_max);
    EXPECT_LE(ally->hp, ally->drv.hp_max);
    (void)t;
}

TEST_F(ActCtx, CancelledCommandCostsNothing) {
    unit_t* w = mk(4, 2, 0, 3, 5);
    guard_with(t);  // t threatens the wizard
    fog();
    rec.aoo_answer = false;
    EXPECT_FALSE(act(w, 127, {6, 4}));
    EXPECT_EQ(w->btl.act_budget, BUDGET_WHOLE);
    EXPECT_EQ(count_slot(31), 0);
    EXPECT_EQ(count_slot(38), 1);
    EXPECT_TRUE(log.empty());
    EXPECT_EQ(get_act_cooldown(w, dynamic_cast<const act_t*>(get_pwr(127))), 0);
}

TEST_F(ActCtx, UntargetableCellStillCosts) {
    draw({"........", "........", "........", ".#......", "........"});
    unit_t* w = mk(0, 4, 0, 3, 5);
    fog();
    ASSERT_TRUE(is_pt_visible({1, 3}));
    EXPECT_TRUE(act(w, 119, {1, 3}));  // a wall the side has seen
    EXPECT_EQ(count_slot(35), 0);
    EXPECT_NE(w->btl.act_budget, BUDGET_WHOLE);
    EXPECT_TRUE(logged(L"无效目标"));
}

TEST_F(ActCtx, SpellFailureBooksTheCostAndStops) {
    unit_t* w = mk(0, 4, 0, 3, 5);
    w->drv.asf = 99;
    fog();
    rnd_srand(1);
    EXPECT_FALSE(act(w, 119, t->pos));
    EXPECT_EQ(rec.slots(), (std::vector<int>{31, 32}));
    EXPECT_NE(w->btl.act_budget, BUDGET_WHOLE);
    EXPECT_TRUE(logged(L"施法失败")) << to_utf8_string(log.c_str());
}

TEST_F(ActCtx, AmmunitionIsSpentPerShot) {
    unit_t* r = mk(0, 0, 0);
    wield(r, EQ_MAIN, 63);
    mk_itm_slot(r->eqpts.slots[EQ_QUICK], 167, 2);
    fog();
    EXPECT_TRUE(act(r, 3, t->pos));
    EXPECT_EQ(r->eqpts.slots[EQ_QUICK].get_count(), 1);
    r->turn_reset();
    EXPECT_TRUE(act(r, 3, t->pos));
    EXPECT_TRUE(r->eqpts.slots[EQ_QUICK].empty());
    r->turn_reset();
    EXPECT_FALSE(can_use_pwr(r, 3));  // nothing left to shoot
}

TEST_F(ActCtx, AttacksOfOpportunityNestAndKeepTheAllowance) {
    guard_with(t);
    unit_t* w = mk(4, 2, 0, 3, 5);
    fog();
    ASSERT_TRUE(is_threatened(w));
    EXPECT_TRUE(act(w, 119, {3, 2}));
    // t struck first, inside the wizard's action, as a free command.
    EXPECT_EQ(t->btl.free_cmds, 1);
    EXPECT_EQ(t->btl.act_budget, BUDGET_WHOLE);
    EXPECT_FALSE(is_threatened(w));  // the allowance is spent until t's next turn
    const auto s = rec.slots();
    ASSERT_GE(s.size(), 4u);
    EXPECT_EQ(s[0], 38);
    EXPECT_EQ(s[1], 31);  // the attack of opportunity opens first
}

// The heal's own attack of opportunity grapples the caster: the heal is paid,
// does nothing, and the log says why after the grapple. A caster the blow
// kills, or one the party does not see, leaves no such line.
TEST_F(ActCtx, ACommandItsAttacksOfOpportunityUndoIsPaidAndSaysWhy) {
    draw_open(8, 15);
    guard_with(t, IE_GRAP);
    unit_t* c = mk(4, 2, 0, CLS_CLERIC, 5);
    unit_t* ally = mk(6, 2, 0);
    guard_with(mk(3, 4, 1), IE_GRAP);
    unit_t* frail = mk(4, 4, 0, CLS_CLERIC, 5);
    guard_with(mk(1, 14, 2), IE_GRAP);
    unit_t* hidden = mk(0, 14, 1, CLS_CLERIC, 5);
    c->hp = hidden->hp = 1000;  // they stand through any blow
    ally->hp = frail->hp = 1;
    fog();
    ASSERT_FALSE(is_pt_visible(hidden->pos));
    next_d20s(16, 20, 6);  // the blow and the grapple's check hit
    EXPECT_FALSE(act(c, P_HEAL, ally->pos));
    ASSERT_TRUE(c->conds.has(C_GRAP)) << to_utf8_string(log.c_str());
    EXPECT_EQ(ally->hp, 1);
    EXPECT_EQ(c->btl.act_budget, BUDGET_NONE) << "the heal is paid";
    const size_t why = log.find(refused(c, P_HEAL, L"处于擒抱中"));
    ASSERT_NE(why, std::wstring::npos) << to_utf8_string(log.c_str());
    EXPECT_LT(log.find(L"检定"), why) << "after the grapple's line";
    EXPECT_EQ(log.find(L"施放"), std::wstring::npos);
    for (unit_t* u : {frail, hidden}) {
        log.clear();
        next_d20s(16, 20, 6);
        EXPECT_FALSE(act(u, P_HEAL, u->pos));
        EXPECT_TRUE(u->hp == 0 || u->conds.has(C_GRAP));
        EXPECT_EQ(log.find(L"无法使用"), std::wstring::npos) << to_utf8_string(log.c_str());
    }
}

TEST_F(ActCtx, CleaveOncePerTurnUnlessCleaveX) {
    unit_t* t2 = mk(3, 3, 1);
    unit_t* t3 = mk(3, 1, 1);
    a->pwrs.add(56);
    fog();
    for (unit_t* v : {t, t2, t3}) v->hp = 1;
    next_d20(19);
    act(a, 2, t->pos, 4);  // not the whole turn: the move stays
    EXPECT_TRUE(a->btl.turn_flags & 2);
    EXPECT_EQ(count_slot(33), 2);  // the kill, then one cleave
    EXPECT_TRUE(logged(pwr_name(56)));
    EXPECT_EQ(a->btl.act_budget, BUDGET_MOVE);  // the cleave itself costs nothing
}

TEST_F(ActCtx, CleaveXCleavesAfterEveryKill) {
    mk(3, 3, 1);
    mk(3, 1, 1);
    a->pwrs.add(56);
    a->pwrs.add(57);
    fog();
    for (unit_t* v : btl().roster)
        if (v != a) v->hp = 1, v->drv.def[1] = -100;  // only a natural 1 misses
    rnd_srand(1);
    act(a, 2, t->pos);
    EXPECT_EQ(count_slot(33), 3);  // the kill and a cleave after each further kill
    EXPECT_EQ(count_slot(27), 3);
}

TEST_F(ActCtx, ChainStrikesAtMostFourUnits) {
    unit_t* w = mk(0, 0, 0, 3, 12);
    a->pos = {0, 4};
    // From t at (3, 2) over units two cells apart, an ally among them; the
    // fifth is in reach of the fourth but the chain ends.
    mk(5, 2, 1);
    mk(7, 2, 0);
    mk(7, 4, 1);
    mk(5, 4, 1);
    fog();
    w->drv.abi[3] = 30;
    rnd_srand(3);
    act(w, 139, t->pos);
    EXPECT_EQ(count_slot(35) + count_slot(34), 4);
}

// Lightning from the seen t jumps to u2, out of sight, and on to u3, whom a
// sees: a line for each jump seen, with its damage, and none for u2. A chain
// that stops at a unit it cannot strike, and one cast out of sight, leave no
// empty line either: each jump had opened its line before it struck.
TEST_F(ActCtx, AChainWritesALineForEachJumpSeenAndNoEmptyOne) {
    draw_open(14, 8);
    unit_t* w = mk(0, 0, 0, 3, 12);
    unit_t* u2 = mk(6, 2, 1);
    unit_t* u3 = mk(8, 4, 1);
    a->pos = {12, 7};
    fog();
    ASSERT_TRUE(is_pt_visible(t->pos) && !is_pt_visible(u2->pos) && is_pt_visible(u3->pos));
    w->drv.abi[3] = 30;
    for (unit_t* u : {t, u2, u3}) make_test_human(u, 1, 20)->name = u == t ? L"t" : u == u2 ? L"u2" : L"u3";  // stand three casts
    const std::wstring head = Str(L"%s 施放 <c=key>%s</c>: ", unit_disp_name(w), pwr_name(P_LITN_X)).c_str();
    std::map<const unit_t*, int> hp;
    const auto cast = [&](const pt_t& at) {
        log.clear();
        for (unit_t* u : {t, u2, u3}) hp[u] = u->hp;
        w->turn_reset();
        reset_cooldowns(w);
        act(w, P_LITN_X, at);
        EXPECT_EQ(log.rfind(head, 0), 0u);
        EXPECT_FALSE(std::regex_search(log, std::wregex(L"\n *(\n|$)"))) << to_utf8_string(log.c_str());
    };
    // The line of a jump the party saw, with the damage it dealt.
    const auto line_of = [&](const unit_t* u) {
        const std::wregex line(L"\n    " + std::wstring(unit_disp_name(u).c_str()) + L": [^\n]*造成<c=r>(\\d+)</c>");
        std::wsmatch m;
        return std::regex_search(log, m, line) ? std::stoi(m[1]) : -1;
    };
    cast(t->pos);
    EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), 2);
    EXPECT_EQ(line_of(t), hp[t] - t->hp);
    EXPECT_EQ(line_of(u3), hp[u3] - u3->hp);
    EXPECT_LT(u2->hp, hp[u2]);
    EXPECT_EQ(log.find(L"u2"), std::wstring::npos);

    u2->drv.trait[TRAIT_IMM_SPELL] = 1;  // the chain stops at u2
    cast(t->pos);
    EXPECT_EQ(std::count(log.begin(), log.end(), L'\n'), 1);
    EXPECT_EQ(line_of(t), hp[t] - t->hp);
    EXPECT_EQ(u3->hp, hp[u3]);

    u2->drv.trait[TRAIT_IMM_SPELL] = 0;
    a->pos = {13, 0};  // nobody sees u2 or u3
    fog();
    cast(u2->pos);
    EXPECT_EQ(log, head + Str(L"<c=a>未知结果</c>%s", lang_dot).c_str());
    EXPECT_TRUE(u2->hp < hp[u2] && u3->hp < hp[u3]);
}

TEST_F(ActCtx, RechargeCategories) {
    const act_t* fb = dynamic_cast<const act_t*>(get_pwr(127));  // recharge 3
    const act_t* mm = dynamic_cast<const act_t*>(get_pwr(119));  // recharge 2
    reset_cooldowns(a);
    start_cooldown(a, fb);
    tick_cooldowns(a);
    EXPECT_EQ(get_act_cooldown(a, mm), 1);
    EXPECT_EQ(get_act_cooldown(a, fb), 2);
    EXPECT_EQ(get_act_cooldown(a, dynamic_cast<const act_t*>(get_pwr(64))), 0);  // a blow, recharge 3
    tick_cooldowns(a);
    EXPECT_EQ(get_act_cooldown(a, mm), 0);
    EXPECT_EQ(get_act_cooldown(a, dynamic_cast<const act_t*>(get_pwr(2))), 0);
    EXPECT_EQ(act_cost(a, 15), a->btl.act_budget);
    // A shorter recharge holds a longer one for its own wait, which never drops below 0.
    reset_cooldowns(a);
    tick_cooldowns(a);
    start_cooldown(a, mm);
    EXPECT_EQ(get_act_cooldown(a, fb), 2);
    for (int i = 0; i < 2; ++i) tick_cooldowns(a);
    EXPECT_EQ(get_act_cooldown(a, fb), 0);
    start_cooldown(a, fb);
    start_cooldown(a, mm);  // the waits add up
    EXPECT_EQ(get_act_cooldown(a, fb), 3);
}

// An actor the party does not see is told only where it reaches a cell the
// party sees: a blow or a shot at the unseen leaves no line; a shot that
// fells the party's a is told, with the fall.
TEST_F(ActCtx, AnUnseenActorIsToldOnlyWhereItReachesTheSeen) {
    draw_open(8, 15);
    unit_t* f1 = mk(0, 14, 1);
    unit_t* f2 = mk(1, 14, 1);
    unit_t* archer = mk(0, 7, 1);
    wield(f1, EQ_MAIN, 39);
    wield(archer, EQ_MAIN, 63);
    mk_itm_slot(archer->eqpts.slots[EQ_QUICK], 167, 3);
    a->pos = {0, 0};
    t->pos = {7, 0};
    fog();
    ASSERT_FALSE(is_pt_visible(f1->pos) || is_pt_visible(archer->pos));
    next_d20(19);
    act(f1, P_ATK_M, f2->pos);
    archer->turn_reset();
    next_d20(19);
    act(archer, P_ATK_R, f2->pos);
    EXPECT_TRUE(log.empty()) << to_utf8_string(log.c_str());

    a->hp = 1;
    archer->turn_reset();
    next_d20(19);
    act(archer, P_ATK_R, a->pos);
    const std::wstring line = std::wstring(unit_disp_name(archer).c_str()) + L" " + pwr_name(P_ATK_R) + L" " +
                              unit_disp_name(a).c_str() + L": 命中";
    EXPECT_EQ(log.rfind(line, 0), 0u) << to_utf8_string(log.c_str());
    EXPECT_TRUE(logged(L"造成") && logged(L"死亡！"));

    // Behind a wall, a third side's x fells the seen t and cleaves on to the
    // unseen u: t's fall stands, what the cleave did to u is unknown.
    log.clear();
    std::vector<std::string> rows = open_rows(8, 15);
    rows[1] = "##......";
    draw(rows);
    mk(0, 0, 0);
    t->pos = {4, 2};
    unit_t* x = mk(3, 2, 2);
    unit_t* u = mk(2, 2, 1);
    wield(x, EQ_MAIN, 39);
    x->pwrs.add(P_CLEAVE);
    fog();
    ASSERT_TRUE(is_pt_visible(t->pos));
    ASSERT_FALSE(is_pt_visible(x->pos) || is_pt_visible(u->pos));
    t->hp = 1;
    next_d20s(16, 20, 4);
    act(x, P_ATK_M, t->pos);
    ASSERT_TRUE(x->btl.turn_flags & TF_CLEAVED);
    const size_t cleave = log.find(std::wstring(L"\n    ") + pwr_name(P_CLEAVE) + L": ");
    ASSERT_NE(cleave, std::wstring::npos) << to_utf8_string(log.c_str());
    EXPECT_LT(log.find(L"死亡！"), cleave);
    EXPECT_EQ(log.find(L"造成", cleave), std::wstring::npos);
    EXPECT_NE(log.find(L"未知结果", cleave), std::wstring::npos);
}
