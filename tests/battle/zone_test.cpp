#include "battle/zone.h"

#include <gtest/gtest.h>

#include <algorithm>

#include "app/rnd.h"
#include "battle/act_fixture.h"
#include "battle/btl.h"
#include "rules/cond_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "support/btl_harness.h"

namespace {
class Zones : public act_test {
protected:
    unit_t* w = nullptr;
    void SetUp() override {
        act_test::SetUp();
        draw({"........", "........", "....#...", "........", "........"});
        w = mk(0, 0, 0, 3, 12);
        fog();
    }
    zone_t* make(int pwr, const std::vector<pt_t>& cells) {
        const u_cmd_t cmd{.pwr = pwr, .param = 0, .tgt = cells.front(), .flags = 0};
        return create_zone(w, &cmd, cells);
    }
    static bool has_zone(const zone_t* z) { return std::ranges::count(btl().zones, z) != 0; }
};
}  // namespace

TEST_F(Zones, ShortZoneActsWhenMadeAndAtOneUpkeep) {
    unit_t* t = mk(5, 3, 1);
    fog();
    rnd_srand(9);
    EXPECT_TRUE(act(w, 140, t->pos));  // acid fog lasts one round
    ASSERT_EQ(btl().zones.size(), 1u);
    EXPECT_EQ(count_slot(34) + count_slot(35), 1);
    zone_upkeep(t);  // not its creator: nothing
    EXPECT_EQ(count_slot(34) + count_slot(35), 1);
    zone_upkeep(w);
    EXPECT_EQ(count_slot(34) + count_slot(35), 2);
    EXPECT_TRUE(btl().zones.empty());
    EXPECT_TRUE(logged((std::wstring(pwr_name(140)) + L"区域消失。").c_str()));
}

// A zone made by a cast: the cast's line, then the zone's; an unseen caster's
// line is dropped, the zone's lines about the seen stay.
TEST_F(Zones, AZonesLinesFollowTheCastThatMadeIt) {
    unit_t* t = mk(3, 0, 1);
    t->name.assign(L"地精盾兵");
    fog();
    rnd_srand(9);
    EXPECT_TRUE(act(w, P_GREASE, t->pos));
    const std::wstring zone = std::wstring(L"<c=key>") + pwr_name(P_GREASE) + L"</c> 区域: ";
    const size_t lines = log.find(zone);
    ASSERT_NE(lines, std::wstring::npos) << to_utf8_string(log.c_str());
    EXPECT_LT(log.find(L"施放"), log.find(L"成功。"));
    EXPECT_LT(log.find(L"成功。"), lines) << to_utf8_string(log.c_str());
    EXPECT_NE(log.find(L"地精盾兵", lines), std::wstring::npos);

    log.clear();
    draw_open(8, 15);
    t->pos = {0, 4};
    unit_t* hidden = mk(0, 11, 1, 3, 12);
    fog();
    ASSERT_TRUE(is_pt_visible(t->pos) && !is_pt_visible(hidden->pos));
    EXPECT_TRUE(act(hidden, P_GREASE, t->pos));
    EXPECT_EQ(log.find(zone), 0u) << to_utf8_string(log.c_str());
    EXPECT_NE(log.find(L"地精盾兵"), std::wstring::npos);
    EXPECT_EQ(log.find(L"施放"), std::wstring::npos) << "a line of the unseen caster";
}

TEST_F(Zones, NewerZonesTakeCellsAndWallsNeverJoin) {
    zone_t* web = make(126, {{1, 1}, {2, 1}, {3, 1}});
    ASSERT_NE(web, nullptr);
    EXPECT_EQ(make(121, {{4, 2}}), nullptr);  // only a wall
    zone_t* grease = make(121, {{2, 1}, {4, 2}, {5, 2}});
    ASSERT_NE(grease, nullptr);
    EXPECT_EQ(grease->cells, (std::vector<pt_t>{{2, 1}, {5, 2}}));
    EXPECT_EQ(web->cells, (std::vector<pt_t>{{1, 1}, {3, 1}}));
    EXPECT_EQ(get_zone_at({2, 1}), grease);
    make(121, {{1, 1}, {3, 1}});
    EXPECT_FALSE(has_zone(web));  // covered completely: gone at once
    EXPECT_TRUE(zone_target_test(121, {1, 1}));
    EXPECT_FALSE(zone_target_test(126, {1, 1}));
    remove_zone_cell(grease, {2, 1});
    remove_zone_cell(grease, {5, 2});
    EXPECT_FALSE(has_zone(grease));
}

TEST_F(Zones, FireSpreadsThroughTouchingBurnableZones) {
    unit_t* t = mk(6, 4, 1);
    fog();
    zone_t* grease = make(121, {{6, 4}, {7, 4}});
    zone_t* web = make(126, {{5, 3}, {4, 3}});
    zone_t* far = make(126, {{0, 4}});
    const int hp = t->hp;
    ignite({4, 3});
    // Grease is older than the web that reaches it, and burns all the same.
    EXPECT_FALSE(has_zone(grease));
    EXPECT_FALSE(has_zone(web));
    EXPECT_TRUE(has_zone(far));
    // A level-12 creator's grease: 4d8 fire.
    EXPECT_GE(hp - t->hp, 4);
    EXPECT_LE(hp - t->hp, 32);
}

TEST_F(Zones, EnteringAZoneCellTriggersItForThatUnit) {
    unit_t* t = mk(6, 4, 1);
    fog();
    make(126, {{6, 4}, {7, 4}});
    rec.calls.clear();
    zone_entry(t);
    ASSERT_GE(rec.calls.size(), 2u);
    EXPECT_EQ(rec.calls.front().slot, 31);
    EXPECT_EQ(rec.calls.front().u, w);  // the creator acts
    EXPECT_EQ(count_slot(34) + int(t->conds.has(2)), 1);  // missed, or held fast
    clear_zones();
    EXPECT_TRUE(btl().zones.empty());
}

// A unit walking through an ally's web cell shares it for a moment: the web
// takes the walker, not the ally standing there, whoever comes first in the roster.
TEST_F(Zones, EnteringAnAlliesZoneCellTriggersItForTheEntrantOnly) {
    unit_t* ally = mk(6, 4, 1);  // first on the cell in roster order
    unit_t* v = mk(5, 4, 1);
    fog();
    make(126, {{6, 4}});
    ally->conds.clear();
    rec.calls.clear();
    v->pos = ally->pos;
    zone_entry(v);
    const int on_v = int(v->conds.has(C_NO_MOV)) + rec.count(34, v);
    const int on_ally = int(ally->conds.has(C_NO_MOV)) + rec.count(34) - rec.count(34, v);
    EXPECT_EQ(on_v, 1) << "missed, or held fast";
    EXPECT_EQ(on_ally, 0);
}

// The harness's cell check runs inside the zone's action on the way: passing an
// ally there is no fault, stopping on it is.
TEST_F(Zones, AWalkThroughAnAllyInAZoneIsNoFaultOnTheWay) {
    unit_t* ally = mk(2, 0, 0);
    mk(2, 1, 0);  // every way across goes through an ally in the fog
    ASSERT_NE(make(273, {{2, 0}, {2, 1}}), nullptr);  // toxic fog
    unit_t* v = mk(1, 0, 0);
    fog();
    btl().cur = v;
    harness_listener_t h;
    set_cur_scene(&h);
    rnd_srand(3);
    const int before = h.calls;
    EXPECT_TRUE(walk_unit(v, {3, 0}));
    EXPECT_GT(h.calls, before + 1) << "the zone acted on the way";
    EXPECT_EQ(v->pos, (pt_t{3, 0}));
    EXPECT_TRUE(h.faults.empty()) << h.faults.front();
    v->pos = ally->pos;
    h.check(26);
    EXPECT_FALSE(h.faults.empty()) << "a unit at rest on another's cell";
    set_cur_scene(&rec);
}
