#include "battle/roster.h"

#include <gtest/gtest.h>

#include <memory>

#include "battle/auras.h"
#include "battle/damage.h"
#include "rules/cond.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"

namespace {
class Roster : public ::testing::Test {
protected:
    std::vector<std::unique_ptr<unit_t>> owned;

    unit_t* add(int x, int y, int side, int hp = 10) {
        owned.push_back(std::make_unique<unit_t>());
        unit_t* u = owned.back().get();
        u->pos = {x, y};
        u->btl.side = side;
        u->hp = hp;
        btl_full_list().push_back(u);
        return u;
    }
    void SetUp() override { build_pwrs(); }
    void TearDown() override {
        btl_full_list().clear();
        rebuild_roster();
        free_pwrs();
    }
};
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
    EXPECT_TRUE(units_adjacent(a, b));
    EXPECT_FALSE(units_adjacent(a, a));
    EXPECT_FALSE(units_adjacent(a, far));
    EXPECT_EQ(get_unit_at(5, 6), nullptr);  // the dead lie there; nobody stands
    EXPECT_EQ(get_unit_at(4, 5), c);
    EXPECT_EQ(count_units_around(a, 0), 3);  // b, c and the neutral unit; never a itself
    EXPECT_EQ(count_units_around(a, RW_ENEMIES), 1);
    EXPECT_FALSE(units_are_enemies(neutral, c));
    EXPECT_FALSE(units_are_enemies(a, neutral));
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
    EXPECT_EQ(count_adj_allies_with(a, 257), 2);
    EXPECT_EQ(count_adj_allies_with(a, 258), 0);
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
    EXPECT_EQ(u->drv.atk, 2);
    EXPECT_EQ(u->drv.dmg, 6);  // 2 + 2 x (12 / 5)
    EXPECT_NE(u->texts[3].buf[0], 0);
    EXPECT_STREQ(u->texts[4].left(20).buf, L"<c=#ff00ff00>+6</c>\t");
}
