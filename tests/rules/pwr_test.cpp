#include "rules/pwr.h"

#include <gtest/gtest.h>

#include "app/db.h"
#include "app/lua_files.h"
#include "app/str.h"
#include "rules/itm.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {
class Pwrs : public ::testing::Test {
protected:
    void SetUp() override { build_pwrs(); }
    void TearDown() override { free_pwrs(); }
    static const act_t& act(int id) { return dynamic_cast<const act_t&>(*get_pwr(id)); }
};

// How many of the ids first to last are of each of the three kinds, then of each of the three groups.
std::vector<int> count(int first, int last) {
    std::vector<int> c(6);
    for (int id = first; id <= last; ++id) {
        ++c[size_t(get_pwr(id)->get_kind())];
        ++c[3 + size_t(get_pwr(id)->get_group())];
    }
    return c;
}
}  // namespace

TEST_F(Pwrs, EverySlotIsFilledWithItsIdAndCountsByKindAndGroup) {
    for (int id = 1; id <= PWR_LAST; ++id) {
        ASSERT_TRUE(is_pwr_id(id)) << id;
        EXPECT_EQ(get_pwr(id)->id, id);
        EXPECT_NE(get_pwr(id)->k, nullptr) << id;
    }
    EXPECT_EQ(count(1, 15), (std::vector<int>{15, 0, 0, 15, 0, 0}));      // the basic actions
    EXPECT_EQ(count(16, 118), (std::vector<int>{7, 96, 0, 0, 103, 0}));   // feats, 7 of them used as actions
    EXPECT_EQ(count(119, 143), (std::vector<int>{25, 0, 0, 0, 0, 25}));   // spells
    EXPECT_EQ(count(144, 291), (std::vector<int>{18, 130, 0, 18, 130, 0}));  // monster powers
}

TEST_F(Pwrs, IdsOutsideTheRegistryAnswerNothing) {
    for (int id : {0, 292, -1, 1000000000, -2147483647 - 1}) {
        EXPECT_FALSE(is_pwr_id(id)) << id;
        EXPECT_EQ(get_pwr(id), nullptr) << id;
        EXPECT_FALSE(is_act(id)) << id;
        EXPECT_FALSE(is_prereq_of(23, id)) << id;
    }
    EXPECT_TRUE(is_pwr_id(291));
    EXPECT_STREQ(get_pwr(291)->k, L"last_rsvd_");
    free_pwrs();
    EXPECT_FALSE(is_pwr_id(1));
}

TEST_F(Pwrs, KindsGroupsAndTiers) {
    // atk_m_tgt2: a feat built as an action
    EXPECT_EQ(std::pair(get_pwr(59)->get_group(), get_pwr(59)->get_kind()), std::pair(1, 0));
    EXPECT_EQ(act(59).flags, 0x20009u);
    EXPECT_EQ(std::pair(get_pwr(55)->get_kind(), get_pwr(23)->get_kind()), std::pair(1, 1));
    EXPECT_EQ(get_pwr(119)->get_group(), 2);
    EXPECT_EQ(std::pair(get_pwr(1)->get_group(), get_pwr(1)->get_kind()), std::pair(0, 0));
    EXPECT_EQ(std::pair(is_act(1), is_act(23)), std::pair(true, false));
    EXPECT_EQ(std::pair(get_pwr(63)->get_tier(), get_pwr(55)->get_tier()), std::pair(4, 0));
    EXPECT_THROW((void)dynamic_cast<const act_t&>(*get_pwr(23)), std::bad_cast);
    for (int id : {64, 65, 86, 89, 91, 62}) EXPECT_TRUE(act(id).flags & PF_FEAT) << id;
    EXPECT_EQ(act(65).flags, 0x809u);
}

TEST_F(Pwrs, FeatRequirements) {
    EXPECT_TRUE(is_prereq_of(23, 24));
    EXPECT_EQ(get_pwr(23)->abi_min[1], 13);
    EXPECT_EQ(std::pair(is_prereq_of(76, 77), is_prereq_of(71, 77)), std::pair(true, true));
    EXPECT_EQ(get_pwr(77)->prereqs, (std::vector<int32_t>{76, 71}));
    const Pwr& th1 = *get_pwr(79);
    EXPECT_EQ(std::tuple(th1.cls_mask, th1.lv, th1.abi_min[0], th1.prereqs), std::tuple(18u, 13, 17, std::vector{78}));
    for (int id = 107; id <= 115; ++id) EXPECT_EQ(get_pwr(id)->cls_mask, 108u) << id;
    for (int id = 116; id <= 118; ++id) EXPECT_EQ(get_pwr(id)->cls_mask, 36u) << id;
    EXPECT_EQ(get_pwr(107)->cat, 9);
}

TEST_F(Pwrs, SpellsAndMonsterActions) {
    EXPECT_EQ(std::tuple(act(119).flags, act(119).lv_scale, act(119).atk), std::tuple(0x200u, -5, 3));
    EXPECT_EQ(act(127).flags, 0x600u);
    for (int id : {122, 129, 137}) EXPECT_EQ(act(id).flags, 0xC0u) << id;
    for (int id : {121, 126, 278}) EXPECT_EQ(act(id).zone_dur, ZONE_LASTING) << id;
    for (int id : {132, 140, 142}) EXPECT_EQ(act(id).zone_dur, 1) << id;
    EXPECT_EQ(act(143).dmg, (dmg_list_t{{2, 6, 0, 0x10}, {1, 6, 0, 0x08}}));
    EXPECT_EQ(act(138).dmg, (dmg_list_t{{-2, 100, 0, 0x800}}));
    EXPECT_EQ(act(130).school, 1);
    EXPECT_EQ(act(129).cls_mask, 108u);
    EXPECT_EQ(act(141).lv, 7);
    for (int id : {270, 272, 280, 288}) EXPECT_TRUE(is_act(id)) << id;
    for (int id : {269, 271, 289, 290, 291}) EXPECT_FALSE(is_act(id)) << id;
    EXPECT_EQ(act(282).flags, 0x801u);
    EXPECT_EQ(act(273).zone_dur, 3);
    EXPECT_EQ(act(270).get_group(), 0);
    EXPECT_EQ(act(2).dmg, (dmg_list_t{{-1, 1, 0, 0x4000}}));
    EXPECT_TRUE(act(1).dmg.empty());
}

TEST_F(Pwrs, FamiliesFollowTheDamageLetters) {
    const char* letters = "spbfclatrenv";
    for (int i = 0; i < 12; ++i) {
        for (auto [base, fam] : {std::pair{170, "imm_"}, {182, "aff_"}, {194, "res_"}, {206, "vul_"}, {158, "unr_"}})
            EXPECT_EQ(Str(get_pwr(base + i)->k), Str::from_a((std::string(fam) + letters[i]).c_str())) << base + i;
    }
}

using PwrTexts = lua_db_test;

TEST_F(PwrTexts, InitLoadsTextsForFilledSlotsOnly) {
    dir.write("main.lua",
              "strs = { pwrs = { [1] = { n = ' Move ' }, [291] = { n = 'Last' }, [292] = { n = 'x' },"
              " [0] = { n = 'y' }, foo = { n = 'z' } }, pwr_cats = 1 }");
    dir.write("cn/strs.lua", "pwr_cats = { [2] = { n = 'Weapons' }, [10] = { n = 'x' } }");
    dir.load();
    init_pwrs();
    EXPECT_STREQ(get_pwr(1)->n, L"Move");
    EXPECT_STREQ(get_pwr(1)->k, L"mov");
    EXPECT_STREQ(get_pwr(291)->n, L"Last");
    EXPECT_EQ(get_pwr(2)->n, nullptr);
    EXPECT_STREQ(get_pwr_cat(2)->n, L"Weapons");
    EXPECT_STREQ(get_pwr_cat(9)->k, L"spl");
    EXPECT_EQ(get_pwr_cat(10), get_pwr_cat(0));
    EXPECT_EQ(boxes.count, 0);
    free_pwrs();
}

TEST_F(Pwrs, ProficiencyOfEveryItemIsAProficiencyFeat) {
    EXPECT_EQ(get_prof_pwr(28), 25);  // a short sword needs "wp_sword"
    for (int id : {0, -5, 100000}) EXPECT_EQ(get_prof_pwr(id), 0) << id;
    int wpn = 0, amr = 0, shd = 0;
    for (int id = 1; itm_valid_id(id); ++id) {
        const int p = get_prof_pwr(id);
        const itm_t& it = get_itm(id);
        if (!p) {
            EXPECT_TRUE(it.type != IT_WPN && it.type != IT_AMR && it.type != IT_SHD) << id;
            continue;
        }
        const Str key(get_pwr(p)->k);
        const bool ok = (it.type == IT_WPN && key.left(3) == Str(L"wp_") && ++wpn) ||
                        (it.type == IT_AMR && key.left(7) == Str(L"amr_use") && ++amr) ||
                        (it.type == IT_SHD && key.left(7) == Str(L"shd_use") && ++shd);
        EXPECT_TRUE(ok) << id << " needs " << p;
    }
    EXPECT_GT(std::min({wpn, amr, shd}), 0) << "weapons " << wpn << ", armour " << amr << ", shields " << shd;
}

TEST_F(Pwrs, TwoCellSweepWidensWithItsFollowUpFeat) {
    unit_t u;
    EXPECT_EQ(act(59).get_area(&u), -5);
    u.pwrs.add(61);
    EXPECT_EQ(act(59).get_area(&u), -6);  // three adjacent cells
    EXPECT_EQ(act(62).get_area(&u), -1);
}

TEST_F(Pwrs, TextSlotsFallBackToNameAndDescriptionUntilBuildersAreInstalled) {
    const pwr_texts_t kept = get_pwr_texts();
    set_pwr_texts({});
    Pwr* feat = get_pwr(P_DODGE);
    Pwr* act = get_pwr(P_ATK_M);
    text_info_t::set(&feat->n, L"Dodge");
    text_info_t::set(&feat->d, L"Harder to hit.");
    Str out(L"old");
    EXPECT_STREQ(feat->get_tip_text(out).buf, L"Dodge\nHarder to hit.");
    EXPECT_STREQ(feat->get_desc_text(out).buf, L"Dodge\nHarder to hit.");
    EXPECT_STREQ(act->get_tip_text(out).buf, L"atk_m\n") << "without texts the key stands for the name";
    // Each slot calls its own builder; one left null keeps the fallback.
    pwr_texts_t t;
    t.pwr_tip = [](const Pwr& p, Str& o) -> Str& { return o.assign(L"pwr tip"); };
    t.act_desc = [](const act_t& a, Str& o) -> Str& { return o.assign(L"act desc"); };
    set_pwr_texts(t);
    EXPECT_STREQ(feat->get_tip_text(out).buf, L"pwr tip");
    EXPECT_STREQ(feat->get_desc_text(out).buf, L"Dodge\nHarder to hit.");
    EXPECT_STREQ(act->get_desc_text(out).buf, L"act desc");
    EXPECT_STRNE(act->get_tip_text(out).buf, L"pwr tip");
    set_pwr_texts(kept);
}
