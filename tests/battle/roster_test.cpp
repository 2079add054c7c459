#include "battle/roster.h"

#include <gtest/gtest.h>

#include <array>
#include <memory>

#include "battle/auras.h"
#include "battle/btl_fixture.h"
#include "battle/damage.h"
#include "rules/cond.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"

namespace {
using Roster = btl_test;
}  // namespace

TEST_F(Roster, AdjacencyNeighboursAndSides) {
    unit_t* a = add(5, 5, 0);
    unit_t* b = add(6, 6, 0);
    unit_t* c = add(4, 5, 1);
    unit_t* far = add(7, 5, 1);
    unit_t* neutral = add(5, 4, 3);
    unit_t* dead = add(5, 6, 1, 0);
    dead->base.rank = 1;
    unit_t* minion = add(6, 4, 1, 0);
    minion->base.rank = 4;
    rebuild_roster();
    EXPECT_EQ(btl_roster().size(), 5u);
    EXPECT_EQ(btl_fallen(), std::vector<unit_t*>{dead});  // a minion leaves no body
    EXPECT_EQ(std::tuple(units_adjacent(a, b), units_adjacent(a, a), units_adjacent(a, far)),
              std::tuple(true, false, false));
    EXPECT_EQ(get_unit_at(5, 6), nullptr);  // the dead lie there; nobody stands
    EXPECT_EQ(get_unit_at(4, 5), c);
    EXPECT_EQ(count_units_around(a, 0), 3);  // b, c and the neutral unit; never a itself
    EXPECT_EQ(count_units_around(a, RW_ENEMIES), 1);
    EXPECT_EQ(std::pair(units_are_enemies(neutral, c), units_are_enemies(a, neutral)), std::pair(false, false));
    EXPECT_EQ(count_units_around(neutral, RW_ENEMIES), 0);
    int seen = 0;
    for_each_unit(a, 0, [&](unit_t*) { return ++seen < 2; });
    EXPECT_EQ(seen, 2);  // the walk stops at the first false
}

TEST_F(Roster, AlliesNextToAUnitThatHoldTheSamePower) {
    unit_t* a = add(5, 5, 0);
    unit_t* b = add(5, 6, 0);
    unit_t* c = add(4, 4, 0);
    unit_t* enemy = add(6, 5, 1);
    unit_t* far = add(8, 8, 0);
    for (unit_t* u : {a, b, c, enemy, far}) u->pwrs.add(257);
    rebuild_roster();
    EXPECT_EQ(std::tuple(count_adj_allies_with(a, 257), count_adj_allies_with(a, 258)), std::tuple(2, 0));
    cond_inst_t ci;
    c->conds.add(make_cond_inst(ci, 6, nullptr, 0, 0, 0), true);  // asleep: threatens nobody
    ASSERT_TRUE(c->conds.no_threat());
    EXPECT_EQ(count_adj_allies_with(a, 257), 1);
    a->pwrs.remove(257);
    EXPECT_EQ(count_adj_allies_with(a, 257), 0);
}

TEST_F(Roster, EnergyResistanceByRaceGroup) {
    unit_t* u = add(0, 0, 0);
    const int want[5][3] = {{}, {100, 200, 0}, {100, 0, 200}, {200, 100, 100}, {100, 100, 100}};
    bool seen[5] = {};
    for (int race = 1; race <= 41; ++race) {
        u->base.race = race;
        const int g = u->race_grp();
        set_energy_res(u);
        seen[g] = true;
        for (int i = 0; i < 3; ++i) EXPECT_EQ(u->drv.res[9 + i], want[g][i]) << "race " << race;
    }
    for (int g = 1; g <= 4; ++g) EXPECT_TRUE(seen[g]) << g;
}

TEST_F(Roster, AuraBonusesFollowTheSourceLevel) {
    unit_t* u = add(0, 0, 0);
    unit_t* src = add(1, 0, 0);
    src->base.lv = 12;
    u->btl.auras = {{229, src}, {230, src}, {231, src}};
    apply_aura_bonuses(u);
    EXPECT_EQ(std::pair(u->drv.atk, u->drv.dmg), std::pair(2, 6));  // damage 2 + 2 x (12 / 5)
    EXPECT_NE(u->texts[3].buf[0], 0);
    EXPECT_STREQ(u->texts[4].left(20).buf, L"<c=#ff00ff00>+6</c>\t");
}

// ---- initiative, list upkeep and the queries over a whole battle state ----

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/turn.h"

namespace {
struct Lists : btl_test {
    // A unit of side 0 on (0, 0), then two of side 1 on (1, 0) and (2, 0).
    std::array<unit_t*, 3> three_in_a_row() { return {add(0, 0, 0), add(1, 0, 1), add(2, 0, 1)}; }
};

std::vector<unit_t*> units_with_bonus(btl_test& t, std::vector<std::unique_ptr<unit_t>>& owned,
                                      std::initializer_list<int> bonus) {
    std::vector<unit_t*> out;
    for (int b : bonus) {
        owned.push_back(std::make_unique<unit_t>());
        owned.back()->drv.init = b;
        owned.back()->hp = 5;
        out.push_back(owned.back().get());
    }
    return out;
}
}  // namespace

TEST_F(Lists, InitiativeRollsOneD20PerUnitInRosterOrderThenSorts) {
    const std::vector<unit_t*> a = units_with_bonus(*this, owned, {3, 0});
    const std::vector<unit_t*> b = units_with_bonus(*this, owned, {7, -2, 1});
    rnd_srand(4242);
    std::vector<int> want;
    for (unit_t* u : {a[0], a[1], b[0], b[1], b[2]}) want.push_back(u->drv.init + rnd_rand() % 20 + 1);
    rnd_srand(4242);
    build_roster(a, b);
    const std::vector<unit_t*> in_order = {a[0], a[1], b[0], b[1], b[2]};
    for (size_t i = 0; i < in_order.size(); ++i) EXPECT_EQ(in_order[i]->btl.init, want[i]) << i;
    const auto& r = btl_roster();
    ASSERT_EQ(r.size(), 5u);
    EXPECT_EQ(btl_full_list(), r);
    EXPECT_TRUE(btl_fallen().empty());
    for (size_t i = 1; i < r.size(); ++i) {
        const bool ordered = r[i - 1]->btl.init > r[i]->btl.init ||
                             (r[i - 1]->btl.init == r[i]->btl.init && r[i - 1]->drv.init >= r[i]->drv.init);
        EXPECT_TRUE(ordered) << i;
    }
}

TEST_F(Lists, InitiativeTiesGoToTheBonusThenToTheShuffle) {
    // Bonus 30 beats any d20 of bonus 0; equal totals favour the higher bonus.
    std::vector<unit_t*> us = units_with_bonus(*this, owned, {0, 30});
    for (int s = 1; s < 50; ++s) {
        rnd_srand(uint32_t(s));
        build_roster({us[0]}, {us[1]});
        EXPECT_EQ(btl_roster().front(), us[1]);
    }
    // Equal bonuses and totals: the order depends on the shuffle, so both orders occur.
    std::vector<unit_t*> twins = units_with_bonus(*this, owned, {0, 0});
    int first_a = 0, ties = 0;
    for (int s = 1; s < 400; ++s) {
        rnd_srand(uint32_t(s));
        build_roster({twins[0]}, {twins[1]});
        if (twins[0]->btl.init != twins[1]->btl.init) continue;
        ++ties;
        first_a += btl_roster().front() == twins[0];
    }
    ASSERT_GT(ties, 5);
    EXPECT_GT(first_a, 0);
    EXPECT_LT(first_a, ties);
    // The same seed gives the same order.
    rnd_srand(77);
    build_roster(twins, us);
    const std::vector<unit_t*> once = btl_roster();
    rnd_srand(77);
    build_roster(twins, us);
    EXPECT_EQ(btl_roster(), once);
}

TEST_F(Lists, DeathsLeaveBodiesExceptMinionsAndSummons) {
    const auto [a, b, minion] = three_in_a_row();
    minion->base.rank = 4;
    unit_t* summon = add(3, 0, 0);
    summon->creator = a;
    for (unit_t* u : {b, minion, summon}) {
        u->hp = 0;
        roster_on_death(u);
    }
    EXPECT_EQ(std::tuple(btl_roster(), btl_fallen()), std::tuple(std::vector<unit_t*>{a}, std::vector<unit_t*>{b}));
    EXPECT_EQ(get_unit_at(pt_t{1, 0}), nullptr);
    EXPECT_EQ(fallen_units_at({1, 0}), std::vector<unit_t*>{b});
    EXPECT_EQ(find_fallen([&](unit_t* u) { return u == b; }), b);
    rebuild_roster();  // the same lists from the full list
    EXPECT_EQ(btl_fallen(), std::vector<unit_t*>{b});
}

// A death passes no turn: the battle loop passes it at the dead unit's turn
// end, from its place, a new round when it stood last.
TEST_F(Lists, TheCurrentUnitKeepsTheTurnAsItLeavesUntilItIsPassed) {
    const auto [a, b, c] = three_in_a_row();
    btl().cur = b;
    b->hp = 0;
    roster_on_death(b);
    EXPECT_EQ(get_cur_unit(), b);
    EXPECT_TRUE(rec.calls.empty());
    next_unit();
    EXPECT_EQ(std::tuple(get_cur_unit(), rec.calls), std::tuple(c, std::vector<rec_listener_t::call_t>{{37, b, c}}));
    c->hp = 0;
    roster_on_death(c);
    next_unit();
    EXPECT_EQ(std::tuple(get_cur_unit(), btl().round, btl_roster()), std::tuple(a, 1, std::vector<unit_t*>{a}));
}

TEST_F(Lists, RevivalsAndSummonsActRightAfterTheirCreator) {
    const auto [a, b, c] = three_in_a_row();
    unit_t* d = add(3, 0, 0);
    b->hp = 0;
    roster_on_death(b);
    b->hp = 5;
    return_from_fallen(b, d);  // revived by the last unit: acts right after it
    EXPECT_EQ(btl_roster(), (std::vector<unit_t*>{a, c, d, b}));
    EXPECT_EQ(btl_full_list(), (std::vector<unit_t*>{a, c, d, b}));
    EXPECT_TRUE(btl_fallen().empty());
    unit_t* s = add(4, 0, 0);  // appended last; then summoned by a
    s->creator = a;
    insert_after_creator(s, a);
    EXPECT_EQ(btl_roster(), (std::vector<unit_t*>{a, s, c, d, b}));
    EXPECT_EQ(btl_full_list(), (std::vector<unit_t*>{a, s, c, d, b}));
    // A creator that left the roster cannot place anyone: the unit goes last.
    c->hp = 0;
    roster_on_death(c);
    unit_t* late = add(5, 0, 1);
    insert_after_creator(late, c);
    EXPECT_EQ(btl_roster().back(), late);
    EXPECT_EQ(std::count(btl_roster().begin(), btl_roster().end(), late), 1);
}

TEST_F(Lists, AWaitingUnitMovesBehindEveryone) {
    const auto [a, b, c] = three_in_a_row();
    auto& full = btl_full_list();
    full.erase(full.begin());
    full.push_back(a);
    rebuild_roster();
    EXPECT_EQ(btl_roster(), (std::vector<unit_t*>{b, c, a}));
}

TEST_F(Lists, NearestUnitAndNeighbourQueries) {
    unit_t* u = add(5, 5, 0);
    unit_t* ally = add(7, 5, 0);
    unit_t* foe = add(5, 7, 1);  // as near as the ally, later in the roster
    unit_t* sleeper = add(6, 6, 1);
    unit_t* neutral = add(4, 4, 3);
    put_cond(sleeper, 6);
    ASSERT_TRUE(sleeper->conds.is_helpless());
    EXPECT_EQ(std::tuple(nearest_unit(u, 0), nearest_unit(u, RW_NO_HELPLESS)), std::tuple(sleeper, neutral));
    EXPECT_EQ(nearest_unit(u, RW_NO_HELPLESS | RW_ENEMIES), foe);
    EXPECT_EQ(nearest_unit(u, RW_ALLIES), ally);
    EXPECT_EQ(nearest_unit(u, RW_ENEMIES | RW_ALLIES), nullptr);
    std::vector<unit_t*> out{u};
    enemies_of(u, &out, RW_NO_HELPLESS);
    EXPECT_EQ(out, std::vector<unit_t*>{foe});
    enemies_of(neutral, &out, 0);
    EXPECT_TRUE(out.empty());
    EXPECT_EQ(enemies_on_cells(u, {{5, 7}, {7, 5}}, 0), std::vector<unit_t*>{foe});
    EXPECT_EQ(units_within(u, 1, 0), (std::vector<unit_t*>{u, sleeper, neutral}));
    EXPECT_EQ(adjacent_enemies(u, 0), std::vector<unit_t*>{sleeper});
    EXPECT_FALSE(any_adjacent_enemy(u, RW_NO_HELPLESS));
    EXPECT_EQ(count_units_at({5, 5}), 1);
    EXPECT_EQ(find_unit([](unit_t* v) { return v->btl.side == SIDE_NONE; }), neutral);
    EXPECT_EQ(unit_sq_dist({0, 0}, {3, 4}), 25);
}

TEST_F(Lists, PowerChainsAndAlliesNextToATarget) {
    unit_t* a = add(0, 0, 0);
    unit_t* b = add(1, 1, 0);
    unit_t* c = add(2, 2, 0);
    unit_t* gap = add(4, 4, 0);
    unit_t* plain = add(0, 1, 0);
    unit_t* foe = add(1, 2, 1);
    for (unit_t* u : {a, b, c, gap}) u->pwrs.add(257);
    EXPECT_EQ(pwr_chain(a, 257, 0), (std::vector<unit_t*>{a, b, c}));
    EXPECT_TRUE(pwr_chain(plain, 257, 0).empty());
    EXPECT_EQ(count_allies_adj_with(a, foe, 257), 2);  // b and c stand next to the foe
    EXPECT_EQ(count_allies_adj_with(plain, foe, 257), 0);
}
