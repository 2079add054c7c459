#include "rules/lv.h"

#include <gtest/gtest.h>

#include <functional>
#include <tuple>
#include <vector>

#include "rules/bld.h"
#include "rules/unit.h"
#include "support/pwrs_test.h"

namespace {

using Lv = pwrs_test;

// A unit as the wizard has it before a level's gains.
unit_t mk(int kind, int rank, int bld, int race, int cls, int lv, int abi = 14) {
    unit_t u;
    u.base = {.kind = kind, .rank = rank, .bld = bld, .race = race, .cls = cls, .lv = lv};
    for (int& a : u.base.abi) a = abi;
    return u;
}

std::vector<int> held(const unit_t& u) {
    std::vector<int> v;
    return u.pwrs.get_ids(v, UP_ALL);
}

// The first spell of a level whose class mask lets class cls learn it.
int spell_of_lv(int lv, int cls) {
    for (int id = 119; id <= 143; ++id) {
        const Pwr* p = get_pwr(id);
        if (p && p->lv == lv && (!p->cls_mask || (p->cls_mask & (1u << cls))) && p->prereqs.empty()) return id;
    }
    return 0;
}

int count_spells(const unit_t& u) {
    int n = 0;
    for (int id = 119; id <= 143; ++id) n += u.has_pwr(id);
    return n;
}

}  // namespace

TEST_F(Lv, ExperienceAndClassPicksByLevel) {
    const int xp[][2] = {{-3, 0}, {0, 0}, {1, 0}, {2, 500}, {3, 1500}, {4, 3000}, {10, 22500}};
    for (const auto& c : xp) EXPECT_EQ(xp_for_lv(c[0]), c[1]) << c[0];
    // class, level, mask
    const struct { int cls, lv; uint32_t mask; } picks[] = {
        {1, 1, 254}, {1, 2, 254}, {1, 3, 0}, {4, 8, 254}, {3, 1, 512}, {3, 5, 512}, {6, 4, 0}, {6, 10, 512},
        {2, 1, 766}, {2, 3, 766}, {5, 4, 0}, {5, 6, 766}, {7, 2, 0}, {8, 1, 0}, {1, 0, 0},
    };
    for (const auto& c : picks) EXPECT_EQ(class_pick_mask(c.cls, c.lv), c.mask) << c.cls << " " << c.lv;
    unit_t u = mk(2, 1, 1, 24, 1, 2);
    u.xp = 1499;
    EXPECT_FALSE(can_lv_up(u)) << "level 3 takes 1500";
    u.xp = 1500;
    EXPECT_TRUE(can_lv_up(u));
}

// Every case of the levelling rules, one row each.
TEST_F(Lv, LevellingCases) {
    const struct {
        const char* name;
        std::function<void()> run;
    } cases[] = {
        {"a level-2 spell needs character level 3",
         [] {
             const int spl = spell_of_lv(2, 3);
             ASSERT_NE(spl, 0);
             EXPECT_TRUE(can_learn_pwr(mk(2, 1, -2, 24, 3, 3, 18), spl));
             EXPECT_FALSE(can_learn_pwr(mk(2, 1, -2, 24, 3, 2, 18), spl));
         }},
        {"the pick lists' state: held, learnable or locked",
         [] {
             unit_t u = mk(2, 1, 1, 24, 1, 30, 18);
             u.pwrs.add(16);
             EXPECT_EQ(std::pair(pwr_learn_state(u, 16), pwr_learn_state(u, 18)),
                       std::pair(pwr_learn_e::held, pwr_learn_e::learnable));
             EXPECT_EQ(pwr_learn_state(mk(1, 4, 11, 9, 8, 30, 18), 18), pwr_learn_e::locked) << "a minion's hp1";
         }},
        {"the wizard's last step: gear for a new character, full hit points either way",
         [] {
             for (const bool fresh : {true, false}) {
                 unit_t u = mk(2, 1, 1, 24, 1, fresh ? 1 : 5);
                 u.hp = u.hp_ready = 1;  // a unit already in play keeps its hit points through a recalculation
                 finish_lv_up(u, fresh);
                 EXPECT_TRUE(u.eqpts.slots[EQ_MAIN].empty() != fresh && u.hp > 0 && u.hp == u.drv.hp_max) << fresh;
             }
         }},
        {"a minion never learns hp1",
         [] {
             EXPECT_FALSE(can_learn_pwr(mk(1, 4, 11, 9, 8, 30, 18), 18));
             EXPECT_TRUE(can_learn_pwr(mk(1, 1, 11, 9, 8, 1, 18), 18));
         }},
        {"ids outside the registry, and low abilities, are refused",
         [] {
             EXPECT_FALSE(can_learn_pwr(mk(2, 1, 1, 24, 1, 30, 18), 0));
             EXPECT_FALSE(can_learn_pwr(mk(2, 1, 1, 24, 1, 30, 18), 5000));
             for (int id = 16; id <= 118; ++id) {
                 const Pwr* p = get_pwr(id);
                 if (p && p->abi_min[0] > 0) {
                     EXPECT_FALSE(can_learn_pwr(mk(2, 1, 1, 24, 1, 30, 1), id)) << id;
                     return;
                 }
             }
             ADD_FAILURE() << "no feat with a Strength minimum";
         }},
        {"a plan with nothing left takes nothing and records nothing",
         [] {
             unit_t u = mk(2, 1, 1, 24, 1, 1);
             u.pwrs.add(16);
             const std::vector<int> plan{16, 119, 2, 5000, 0, -4};  // held, a spell, an action, unknown ids
             pick_from_plan(u, plan, CAT_ANY, 0);
             EXPECT_EQ(held(u), std::vector<int>{16});
             lv_choices_t out;
             pick_or_record(u, get_bld(1), CAT_ANY, LVP_PWRS, out);  // a preset build takes, never records
             EXPECT_EQ(std::tuple(out.flags, out.picks), std::tuple(0u, 0));
         }},
        {"a custom fighter at level 4 records the ability step and one feat pick",
         [] {
             unit_t u = mk(2, 1, -2, 26, 1, 3);
             lv_choices_t out;
             lv_up_unit(u, out);
             EXPECT_EQ(std::tuple(u.base.lv, out.flags, out.masks[LVP_PWRS], out.picks),
                       std::tuple(4, 128u | 8u | 16u, 254u, 1));
         }},
        {"a custom human wizard at level 1 records every page and three picks",
         [] {
             unit_t u = mk(2, 1, -2, 24, 3, 1, 16);
             lv_choices_t out;
             apply_bld_lv(u, out);
             EXPECT_EQ(std::tuple(out.flags, out.masks[LVP_PWRS], out.picks),
                       std::tuple(79u | 16u | 32u | 128u, 766u, 3));
             EXPECT_TRUE(held(u).empty());  // the player picks
         }},
        {"no build at level 1 shows the build and miscellaneous pages",
         [] {
             unit_t u = mk(2, 1, 0, 26, 7, 1);
             lv_choices_t out;
             apply_bld_lv(u, out);
             EXPECT_EQ(out.flags, 128u | 65u);
         }},
        {"a human monster picks at every level, a human character only at level 1",
         [] {
             unit_t mon = mk(1, 1, 5, 24, 8, 1);  // class "no": no class picks
             unit_t plain = mk(1, 1, 5, 26, 8, 1);
             lv_up_mon(mon);  // level 2: the human pick only
             lv_up_mon(plain);
             EXPECT_EQ(held(mon).size(), 1u);
             EXPECT_TRUE(held(plain).empty());
             unit_t pc = mk(2, 1, 5, 24, 8, 1);
             lv_choices_t out;
             lv_up_unit(pc, out);  // level 2, even: no general pick, no human pick
             EXPECT_TRUE(held(pc).empty());
         }},
        {"monsters never pick proficiencies, armour use or actions",
         [] {
             unit_t u = mk(1, 1, 1, 26, 8, 1, 18);
             const std::vector<int> plan{25, 34, 48, 49, 52, 53, 54, 16};
             pick_from_plan(u, plan, CAT_ANY, PICK_MON);
             const std::vector<int> got = held(u);
             ASSERT_EQ(got.size(), 1u);
             EXPECT_EQ(got[0], 16);
         }},
        {"a cleric takes no class pick through lv1_picks, but does through apply_bld_lv",
         [] {
             // An elf cleric of the "hlr" plan: lv1_picks gives the general pick alone.
             unit_t a = mk(2, 1, 5, 26, 2, 1);
             lv1_picks(a, 0);
             std::vector<int> feats;
             EXPECT_EQ(a.pwrs.get_ids(feats, UP_FEAT).size(), 1u);
             // apply_bld_lv makes it the build's human: human, class and general picks on
             // top of what race and class give.
             unit_t b = mk(2, 1, 5, 26, 2, 1);
             lv_choices_t out;
             apply_bld_lv(b, out);
             unit_t c = mk(2, 1, 5, 24, 2, 1);
             int bonus[6];
             apply_race_cls(c, get_bld(5)->key_abi_bonus(bonus));
             std::vector<int> base_feats;
             EXPECT_EQ(b.pwrs.get_ids(feats, UP_FEAT).size(), c.pwrs.get_ids(base_feats, UP_FEAT).size() + 3);
             EXPECT_EQ(b.base.race, 24);
             EXPECT_EQ(b.base.abi[4], 16 + 2);  // Wis, the key ability of "hlr", +2 for a human
         }},
        {"every tenth level raises all six abilities; at 20 the key ability gains two",
         [] {
             unit_t u = mk(2, 1, 1, 29, 1, 19, 10);
             lv_choices_t out;
             lv_up_unit(u, out);
             EXPECT_EQ(u.base.abi[0], 12);  // Str is the key of "th"
             for (int i = 1; i < ABIS; ++i) EXPECT_EQ(u.base.abi[i], 11) << i;
             EXPECT_EQ(u.base.abi_ups[0], 1);
             for (int i = 1; i < ABIS; ++i) EXPECT_EQ(u.base.abi_ups[i], 0) << i;
         }},
        {"a preset cleric learns every spell it qualifies for at odd levels up to 17",
         [] {
             unit_t u = mk(2, 1, 5, 24, 2, 1, 18);
             lv_choices_t out;
             int before = 0;
             for (int lv = 2; lv <= 20; ++lv) {
                 lv_up_unit(u, out);
                 const int now = count_spells(u);
                 if (lv >= 18 || lv % 2 == 0) {
                     EXPECT_EQ(now, before) << lv;
                 }
                 for (int id = 119; id <= 143 && lv % 2 && lv < 18; ++id)
                     if (can_learn_pwr(u, id)) {
                         EXPECT_TRUE(u.has_pwr(id)) << lv << " " << id;
                     }
                 before = now;
             }
             EXPECT_GT(before, 0);
         }},
        {"a preset wizard takes one spell of its plan a level",
         [] {
             unit_t u = mk(2, 1, 9, 26, 3, 2, 18);
             lv_choices_t out;
             const int before = count_spells(u);
             lv_up_unit(u, out);
             EXPECT_EQ(count_spells(u), before + 1);
             EXPECT_EQ(out.flags, 128u);
         }},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.name);
        c.run();
    }
}
