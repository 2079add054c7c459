#include "battle/summon.h"

#include <algorithm>
#include <tuple>

#include <gtest/gtest.h>

#include "app/rnd.h"
#include "battle/act_fixture.h"
#include "battle/btl.h"
#include "battle/damage.h"
#include "battle/rolls.h"
#include "rules/mon.h"

namespace {
class Summons : public act_test {
protected:
    unit_t* w = nullptr;
    void SetUp() override {
        act_test::SetUp();
        draw({"#####...", "#......#", "#......#", "#......#"});
        w = mk(1, 1, 0, 3, 9);
        fog();
    }
    static bool listed(const std::vector<unit_t*>& v, const unit_t* u) {
        return std::find(v.begin(), v.end(), u) != v.end();
    }
    unit_t* summon_of(int pwr) {
        for (unit_t* u : btl().roster)
            if (u->creator == w && u->sum_pwr == pwr) return u;
        return nullptr;
    }
};
}  // namespace

TEST_F(Summons, ASecondElementalReplacesTheFirst) {
    rnd_srand(4);
    ASSERT_TRUE(summon(w, 122, {4, 2}));
    unit_t* first = summon_of(122);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->btl.side, w->btl.side);
    EXPECT_EQ(first->btl.ai, 1);
    EXPECT_EQ(btl().roster[1], first);  // right after its creator
    btl().cur = first;
    ASSERT_TRUE(summon(w, 122, {5, 3}));
    EXPECT_EQ(count_summons(w, 122), 1);
    EXPECT_EQ(get_cur_unit(), w) << "a unit dismissed alive passes the turn as it leaves";
    EXPECT_FALSE(listed(btl().roster, first));
    EXPECT_FALSE(listed(btl().full, first));
    // Dismissed for good: a rebuild does not bring it back, and it is still owned.
    rebuild_roster();
    EXPECT_FALSE(listed(btl().roster, first));
    EXPECT_TRUE(listed(btl().summons, first));
    EXPECT_EQ(summon_limit(122), 1);
    EXPECT_EQ(summon_limit(288), 2);
}

TEST_F(Summons, SpidersTakeTheNearestFreeCells) {
    // Only (5, 0) and (6, 0) are free up there besides the rest of the room.
    ASSERT_TRUE(summon(w, 288, {6, 0}));
    EXPECT_EQ(count_summons(w, 288), 2);
    std::vector<pt_t> cells;
    for (unit_t* u : btl().roster)
        if (u->sum_pwr == 288) cells.push_back(u->pos);
    ASSERT_EQ(cells.size(), 2u);
    EXPECT_TRUE(cells[0] == (pt_t{6, 0}) || cells[1] == (pt_t{6, 0}));
    EXPECT_NE(cells[1], cells[0]);
    // A wall all round but one free cell: the next pair comes as one spider.
    draw({"######..", "########", "########", "########"});
    w->pos = {6, 0};
    ASSERT_TRUE(summon(w, 288, {7, 0}));
    EXPECT_EQ(count_summons(w, 288), 1);
}

TEST_F(Summons, RaisingAThirdUndeadDismissesTheFarthest) {
    std::vector<unit_t*> bodies;
    for (int i = 0; i < 3; ++i) {
        unit_t* b = mk(2 + 2 * i, 3, 1);
        set_unit_hp(b, 0, nullptr);
        bodies.push_back(b);
    }
    ASSERT_EQ(btl().fallen.size(), 3u);
    ASSERT_TRUE(raise_fallen(w, bodies[0]));
    ASSERT_TRUE(raise_fallen(w, bodies[2]));
    EXPECT_EQ(count_summons(w, 129), 2);
    unit_t* far = nullptr;
    for (unit_t* u : btl().roster)
        if (u->sum_pwr == 129 && u->pos == (pt_t{6, 3})) far = u;
    ASSERT_NE(far, nullptr);
    ASSERT_TRUE(raise_fallen(w, bodies[1]));
    EXPECT_EQ(count_summons(w, 129), 2);
    EXPECT_FALSE(listed(btl().roster, far));
    EXPECT_TRUE(btl().fallen.empty());  // the bodies are gone for good
}

TEST_F(Summons, SummonStatsFollowTheCaster) {
    w->base.abi[5] = 16;  // Cha modifier 3
    w->pwrs.add(108);     // "spl_summ1"
    w->recalc();
    ASSERT_EQ(w->drv.abi_mod[5], 3);
    unit_t* s = new_summon(w, 116, 9);
    unit_t plain;
    plain.from_mon(116, 9);
    EXPECT_EQ(std::tuple(s->base.lv, s->base.abi[0], s->base.abi[1], s->base.abi[2]),
              std::tuple(9, plain.base.abi[0] + 7, plain.base.abi[1] + 3, plain.base.abi[2] + 7));
    EXPECT_EQ(std::tuple(s->hp, s->sum_atk, s->sum_dur), std::tuple(s->drv.hp_max, w->get_atk(3), UNLIMITED));
}

TEST_F(Summons, FreeingSummonsClearsEveryReferenceToThem) {
    ASSERT_TRUE(summon(w, 122, {4, 2}));
    unit_t* s = summon_of(122);
    unit_t* party = mk(3, 3, 0);
    add_cond_no_save(1, s, party);
    party->btl.auras.push_back({229, s});
    party->creator = s;
    free_summons();
    EXPECT_TRUE(btl().summons.empty());
    EXPECT_EQ(party->creator, nullptr);
    EXPECT_TRUE(party->btl.auras.empty());
    ASSERT_TRUE(party->conds.has(1));
    EXPECT_EQ(party->conds.find(1)->second.src, nullptr);
    EXPECT_FALSE(listed(btl().roster, s));
}

TEST_F(Summons, CompanionsComeFromGear) {
    EXPECT_EQ(add_companion(w), nullptr);
    w->drv.companion_lv = 4;
    w->drv.companion_ie = 78;  // "elm_f": template 117
    unit_t* c = add_companion(w);
    ASSERT_NE(c, nullptr);
    EXPECT_EQ(c->base.lv, 4);
    EXPECT_EQ(c->creator, w);
    EXPECT_EQ(btl().roster[1], c);
}
