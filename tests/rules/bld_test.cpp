// Builds, the builder helpers and the starting equipment.
#include "rules/bld.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>
#include <vector>

#include "rules/itm.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"

using Bld = pwrs_test;

TEST_F(Bld, EmptyCustomAndPresetRows) {
    for (int id : {0, -2, 15, -1, 1000}) {
        const u_bld_t* b = get_bld(id);
        EXPECT_EQ(b->race, 0) << id;
        EXPECT_EQ(b->cls, 0) << id;
        EXPECT_TRUE(b->plan.empty()) << id;
        for (int a : b->abi) EXPECT_EQ(a, 0) << id;
    }
    EXPECT_NE(get_bld(-2), get_bld(0));
    // Shared plans are equal copies; every planned id is a feat or spell of the registry.
    EXPECT_EQ(get_bld(6)->plan, get_bld(5)->plan);
    EXPECT_NE(&get_bld(6)->plan, &get_bld(5)->plan);
    for (int id = 1; id < BLD_COUNT; ++id)
        for (int p : get_bld(id)->plan) EXPECT_TRUE(is_pwr_id(p) && p >= 16 && p <= 143) << id << " " << p;
    int bonus[6];
    get_bld(9)->key_abi_bonus(bonus);
    EXPECT_EQ(std::vector<int>(bonus, bonus + 6), (std::vector<int>{0, 0, 0, 2, 0, 0}));
}

TEST_F(Bld, SmallHelpers) {
    int abi[ABIS] = {1, 1, 1, 1, 1, 1};
    add_to_abis(abi, 2, 4, 9);
    EXPECT_EQ(std::vector<int>(abi, abi + ABIS), (std::vector<int>{1, 1, 1, 1, 3, 3}));
    add_to_abis(abi, -1, -3, 0);
    EXPECT_EQ(abi[0], 0);

    std::vector<int> ids{5, 6, 5};
    apply_pwr_changes(ids, {7, -5, 0, 6, 8, -99});
    EXPECT_EQ(ids, (std::vector<int>{6, 7, 8}));

    // The tier row goes to the highest build scores first; ties to the lower index.
    int out[6];
    const int prio[6] = {8, 14, 12, 18, 12, 10};
    assign_abis_by_priority(out, mon_tier_abis(2), prio);
    EXPECT_EQ(std::vector<int>(out, out + 6), (std::vector<int>{8, 14, 13, 15, 12, 10}));
    EXPECT_EQ(mon_tier_abis(7)[0], 11);

    // A new character's race: a dwarf's own adjustments, +2 where a half-elf chose.
    race_abi_adj(RACE_DWF, 3, out);
    EXPECT_TRUE(std::equal(out, out + ABIS, get_race(RACE_DWF)->abi_adj));
    race_abi_adj(RACE_HF_ELF, 3, out);
    EXPECT_EQ(std::vector<int>(out, out + 6), (std::vector<int>{0, 0, 0, 2, 0, 0}));
}

TEST_F(Bld, StartingEquipmentFirstMatchingLineWins) {
    const struct {
        const char* what;
        int cls, bld, pwr;
        int main, off, quick, quick_cnt, body, set1;
    } cases[] = {
        {"wizard", 3, 0, 70, 63, 0, 167, 20, 0, 49},
        {"shaman", 6, 0, 0, 63, 0, 167, 20, 0, 49},
        {"cleric", 2, 2, 83, 50, 74, 0, 0, 70, 0},
        {"priest", 5, 0, 0, 50, 74, 0, 0, 70, 0},
        {"two weapons", 1, 2, 70, 28, 28, 0, 0, 68, 0},
        {"archer", 4, 2, 83, 61, 0, 166, 30, 68, 27},
        {"shield build", 1, 2, 0, 33, 75, 0, 0, 70, 0},
        {"any other fighter", 1, 1, 0, 34, 0, 0, 0, 70, 0},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        unit_t u;
        u.base.cls = c.cls;
        u.base.bld = c.bld;
        if (c.pwr) u.pwrs.add(c.pwr);
        u.eqpts.slots[10] = itm_slot_t(100, 1);  // replaced, not kept
        give_start_eqpt(u);
        const itm_slot_t* s = u.eqpts.slots;
        EXPECT_EQ(std::tuple(s[EQ_MAIN].id, s[EQ_OFF].id, s[2].id, s[2].get_count(), s[6].id, u.eqpts.sets[0][0].id),
                  std::tuple(c.main, c.off, c.quick, c.quick_cnt, c.body, c.set1));
        EXPECT_EQ(s[10].id, 0);
    }
    // The ids stand for these kinds.
    const struct { int id; const wchar_t* key; } kinds[] = {
        {63, L"bow_x_s"}, {167, L"bow_x_a"}, {49, L"staff"}, {50, L"mace_s"}, {74, L"shd1"}, {70, L"amr5"},
        {28, L"swd_s"}, {68, L"amr3"}, {61, L"bow_b"}, {166, L"bow_a"}, {27, L"swd_t"}, {33, L"swd_m"},
        {75, L"shd2"}, {34, L"swd_b"},
    };
    for (const auto& k : kinds) EXPECT_EQ(Str(get_itm(k.id).k), k.key) << k.id;
}

TEST_F(Bld, FromBldMakesAReadyLevelOneCharacter) {
    unit_t u;
    u.hp_ready = 0;
    u.base.lv = 9;
    u.xp = 40;
    u.from_bld(10, L"n", L"units_pc/1", nullptr);
    EXPECT_EQ(std::tuple(u.base.kind, u.base.rank, u.base.lv, u.xp, u.base.race, u.base.cls),
              std::tuple(int(UK_PC), 1, 1, 0, 24, 3));
    EXPECT_EQ(u.base.abi[3], 18 + 2);  // a human gets +2 on the key ability
    EXPECT_EQ(u.face, L"");
    EXPECT_EQ(std::tuple(u.eqpts.slots[EQ_MAIN].id, u.btl.ai, u.hp_ready), std::tuple(63, 0, 1));
    EXPECT_NE(u.actbar.items[0].pwr, 0);
    int spells = 0;
    for (int id = 119; id <= 143; ++id) spells += u.has_pwr(id);
    EXPECT_EQ(spells, 1);  // a wizard's one spell of level 1
}
