#include "rules/ie.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <climits>
#include <set>
#include <string>
#include <tuple>
#include <utility>

#include "app/db.h"
#include "app/lua_files.h"
#include "rules/ie_rows.h"
#include "rules/itm.h"
#include "rules/itm_inst.h"
#include "rules/itm_slot.h"
#include "rules/rare_lv.h"

namespace {

bool has(const std::vector<int>& v, int e) { return std::find(v.begin(), v.end(), e) != v.end(); }

}  // namespace

TEST(IeTable, RowsKeysAndRowZero) {
    std::set<std::wstring> keys;
    for (int id = 1; id < IE_COUNT; ++id) {
        ASSERT_NE(get_ie(id).k, nullptr) << id;
        EXPECT_TRUE(keys.insert(get_ie(id).k).second) << id;
    }
    EXPECT_STREQ(get_ie(1).k, L"f1");
    EXPECT_STREQ(get_ie(83).k, L"palsy");
    EXPECT_EQ(get_ie(12).val, pack_dice(3, 6));  // the rows' constant packing is pack_dice
    EXPECT_EQ(get_ie(8).flags, 0x1F9);
    for (int id : {0, 84, -1, INT_MIN}) {
        EXPECT_EQ(&get_ie(id), &get_ie(0)) << id;
        EXPECT_EQ(get_ie(id).k, nullptr);
    }
    // Every built-in enchantment of the item table is a row of this one.
    for (int id = 1; id < ITM_COUNT; ++id)
        for (int e : get_itm(id).ies) EXPECT_TRUE(e == 0 || ie_valid_id(e)) << id;
}

TEST(RareLv, KeysAndColours) {
    const struct { int lv; const wchar_t* key; uint32_t clr; } rows[] = {{1, L"normal", 0xffffffff},
        {2, L"magic", 0xff6666ff}, {3, L"rare", 0xff9933ff}, {4, L"epic", 0xffffcc00}, {5, L"legend", 0xffff6600},
        {6, L"relic", 0xffff3300}};
    for (const auto& r : rows) {
        EXPECT_STREQ(get_ex_info(r.lv).k, r.key);
        EXPECT_EQ(uint32_t(get_ex_info(r.lv).clr), r.clr);
    }
    EXPECT_EQ(get_ex_info(7).k, nullptr);
    EXPECT_EQ(get_ex_info(-1).k, nullptr);
}

TEST(IeRules, ValuesOnAnInstance) {
    // f1 on a +3 sword and on a +0 (which counts as +1), pwr, amr2 (1 x 1 + 5),
    // luck2 (which does not grow), comp (no value).
    const std::tuple<itm_slot_t, int, int> vals[] = {
        {inst(33, 3), 1, pack_dice(3, 6)}, {inst(33, 0), 1, pack_dice(1, 6)}, {inst(33, 2), 12, pack_dice(6, 6)},
        {inst(67, 1), 44, 6}, {inst(67, 3), 44, 8}, {inst(67, 1), 52, 2}, {inst(67, 9), 52, 2}, {inst(67, 5), 8, 0},
        {inst(67, 5), 999, 0}};
    for (const auto& [it, ie, val] : vals) EXPECT_EQ(itm_ench_val(it, ie), val) << it.id << " " << ie;

    EXPECT_TRUE(itm_has_ench(inst(83, 0), 62));  // built into belt_hr2
    EXPECT_TRUE(itm_has_ench(inst(33, 1, {5}), 5));
    EXPECT_FALSE(itm_has_ench(inst(33, 1, {5}), 6));
}

TEST(IeRules, RarityLevels) {
    const std::pair<itm_slot_t, int> lvs[] = {{inst(33, 0), 1}, {inst(33, 1), 2}, {inst(33, 2, {1, 2, 3}), 5},
                                              {inst(33, 2, {1, 2, 3, 4}), 6}, {inst(80, 0), 4},  // belt_phy
                                              {inst(80, 3, {1, 2}), 4}};
    for (const auto& [it, lv] : lvs) EXPECT_EQ(itm_rare_lv(it), lv) << it.id;

    EXPECT_TRUE(itm_ies_fixed(33));   // no built-in enchantments
    EXPECT_TRUE(itm_ies_fixed(122));  // luck1
    EXPECT_FALSE(itm_ies_fixed(77));  // str grows
    EXPECT_TRUE(itm_is_fixed_rarity(inst(122, 0)));
    EXPECT_FALSE(itm_is_fixed_rarity(inst(77, 0)));
    EXPECT_FALSE(itm_is_fixed_rarity(inst(33, 0)));
}

TEST(IeRules, WhatMayBeRolled) {
    const auto shield = ie_list_for_itm(inst(74, 5)), armour = ie_list_for_itm(inst(67, 5));
    const auto sword = ie_list_for_itm(inst(28, 5)), bow = ie_list_for_itm(inst(61, 5));
    const auto mace = ie_list_for_itm(inst(50, 5)), xbow = ie_list_for_itm(inst(63, 5));
    for (int e : {25, 26, 27}) {  // ac_rng1 to 3: shields only
        EXPECT_TRUE(has(shield, e));
        EXPECT_FALSE(has(armour, e) || has(sword, e) || has(bow, e));
    }
    EXPECT_TRUE(has(armour, 15) && has(shield, 15));  // dr1
    EXPECT_FALSE(has(sword, 15));
    EXPECT_TRUE(has(bow, 8));  // comp: bows only
    EXPECT_FALSE(has(sword, 8) || has(xbow, 8) || has(mace, 8));
    EXPECT_TRUE(has(sword, 14));  // vampire: slashing or piercing, melee
    EXPECT_FALSE(has(mace, 14) || has(bow, 14));
    EXPECT_TRUE(has(mace, 11) && !has(sword, 11));  // kill_ud: bludgeoning
    EXPECT_FALSE(has(ie_list_for_itm(inst(61, 1)), 9));  // stop needs +2
    EXPECT_TRUE(has(ie_list_for_itm(inst(61, 2)), 9));
    EXPECT_TRUE(ie_list_for_itm(inst(121, 5)).empty());  // rings are never enchanted this way
    EXPECT_TRUE(ie_list_for_itm(inst(28, 0)).empty());
    EXPECT_TRUE(std::is_sorted(sword.begin(), sword.end()));
    for (int e : ie_list_for_itm(inst(28, 1))) EXPECT_LE(get_ie(e).lv, 1) << e;
}

using IeTexts = lua_db_test;

TEST_F(IeTexts, ReadFromTheEnchantmentFile) {
    dir.write("main.lua", "strs = {}");
    dir.write("cn/itm_enchs.lua", "itm_enchs = { [1] = { n = 'Flaming', d = '+%s fire' } }\n"
                                  "rare_lvs = { [2] = { n = 'Magic' }, [6] = { n = 'Relic' } }");
    dir.load();
    EXPECT_STREQ(get_ie(1).n, L"Flaming");
    EXPECT_STREQ(get_ie(1).d, L"+%s fire");
    EXPECT_STREQ(get_ex_info(2).n, L"Magic");
    EXPECT_STREQ(get_ex_info(6).n, L"Relic");
    EXPECT_EQ(boxes.count, 0);
}

TEST(IeRules, HugeBonusesFromADamagedSaveStayWhole) {
    EXPECT_TRUE(is_packed_dice(itm_ench_val(inst(33, INT_MAX), 12)));
    EXPECT_GT(itm_ench_val(inst(67, INT_MAX), 44), 0);
}
