#include "rules/itm.h"

#include <gtest/gtest.h>

#include <lua.hpp>
#include <array>
#include <climits>
#include <set>
#include <string>
#include <utility>

#include "app/db.h"
#include "app/lua_files.h"

namespace {

int count_where(bool (*pred)(const itm_t&)) {
    int n = 0;
    for (int id = 1; id < ITM_COUNT; ++id) n += pred(get_itm(id));
    return n;
}

}  // namespace

TEST(ItmTable, EveryRowHasAUniqueCaseSensitiveKey) {
    std::set<std::wstring> keys;
    for (int id = 1; id < ITM_COUNT; ++id) {
        ASSERT_NE(get_itm(id).k, nullptr) << id;
        EXPECT_TRUE(keys.insert(get_itm(id).k).second) << id;
        EXPECT_GE(get_itm(id).type, IT_WPN) << id;
        EXPECT_LE(get_itm(id).type, IT_DRUG) << id;  // no kind is "misc"
    }
    for (const auto& [id, key] : {std::pair{1, L"Bite"}, {7, L"bite2"}, {179, L"net"}})
        EXPECT_STREQ(get_itm(id).k, key);
}

TEST(ItmTable, RowZeroIsTheDefaultAndAnswersForIdsOutsideTheTable) {
    for (int id : {0, -1, 180, INT_MAX, INT_MIN}) {
        const itm_t& it = get_itm(id);
        EXPECT_EQ(&it, &get_itm(0)) << id;
        EXPECT_EQ(std::tuple(it.k, it.type, it.price, it.amr.max_dex, it.ies[0]),
                  std::tuple(nullptr, 0, 0, UNLIMITED, 0)) << id;
        EXPECT_FALSE(itm_valid_id(id));
    }
    EXPECT_STREQ(get_itm_type(14).k, L"drug");
    EXPECT_STREQ(get_itm_type(15).k, L"misc");
    EXPECT_EQ(std::tuple(get_itm_type(16).k, get_itm_type(-3).k), std::tuple(nullptr, nullptr));
}

TEST(ItmTable, DistinctiveRows) {
    const itm_t& unarm = get_itm(26);
    EXPECT_STREQ(unarm.k, L"unarm");
    EXPECT_EQ(std::tuple(unarm.wpn.cat, unarm.grp, unarm.wpn.flags, unarm.wpn.dmg),
              std::tuple(4, 9, WF_LIGHT, dmg_part_t{1, 3, 0, 0x8}));

    EXPECT_EQ(count_where([](const itm_t& it) { return it.wpn.cat == 4 && it.wpn.hands == 2; }), 1);
    EXPECT_EQ(std::pair(get_itm(13).wpn.hands, get_itm(13).wpn.crit_rng), std::pair(2, 2));

    EXPECT_EQ(std::pair(get_itm(19).ies[0], get_itm(19).ies[1]), std::pair(81, 10));  // bite_bleed: grap, bleed
    EXPECT_EQ(get_itm(1).wpn.dmg.mask, 0xEu);  // "spb"
    EXPECT_EQ(get_itm(25).wpn.dmg, (dmg_part_t{3, 8, 0, 0x1000}));  // void
    EXPECT_EQ(get_itm(174).wpn.dmg, dmg_part_t{});                  // "0"

    EXPECT_EQ(std::pair(get_itm(179).wpn.crit_rng, get_itm(179).wpn.crit_mul), std::pair(0, 0));
    EXPECT_EQ(get_itm(66).price, 0.5);

    EXPECT_EQ((std::array{get_itm(74).amr.max_dex, get_itm(75).amr.max_dex, get_itm(76).amr.max_dex}),
              (std::array{UNLIMITED, UNLIMITED, 2}));
    EXPECT_EQ(get_itm(74).wpn.dmg, (dmg_part_t{1, 3, 0, 0x8}));  // the shield bash
    EXPECT_EQ(std::pair(get_itm(74).wpn.flags, get_itm(76).wpn.flags), std::pair(int(WF_LIGHT), 0));

    for (int id = 160; id <= 165; ++id) EXPECT_EQ(get_itm(id).min_lv, UNLIMITED) << id;
    EXPECT_EQ(get_itm(84).ies[3], 67);  // belt_hr3 fills all four
    EXPECT_EQ(get_itm(166).price, 0.05);
    EXPECT_EQ(get_itm(175).wt, 0.5);
}

TEST(ItmTable, TypesByIdRange) {
    for (int id = 1; id < ITM_COUNT; ++id) {
        const int t = get_itm(id).type;
        const bool ammo = id >= 166 && id <= 168;
        const bool drug = (id >= 160 && id <= 165) || (id >= 169 && id <= 177);
        EXPECT_EQ(std::pair(t == IT_AMMO, t == IT_DRUG), std::pair(ammo, drug)) << id;
        if (id <= 66 || id >= 178) {
            EXPECT_EQ(t, IT_WPN) << id;
        }
        EXPECT_EQ(get_itm(id).price == 0 && get_itm(id).rare_lv == 0, id <= 26) << id;
    }
}

// What the tables state once for a whole section rather than per row.
TEST(ItmTable, SectionDefaults) {
    for (int id = 1; id <= 26; ++id) {
        const itm_t& it = get_itm(id);
        EXPECT_TRUE(it.type == IT_WPN && it.grp == 9 && it.wpn.cat == 4 && it.price == 0 && it.wt == 0) << id;
        EXPECT_TRUE(it.wpn.crit_mul == 2 && it.wpn.range == 0 && it.wpn.flags == WF_LIGHT) << id;
    }
    for (int id : {27, 50, 66, 178, 179}) EXPECT_EQ(get_itm(id).ies[0], 0) << id;
    for (int id = 74; id <= 76; ++id) {
        const itm_wpn_t& bash = get_itm(id).wpn;
        EXPECT_TRUE(bash.cat == 2 && bash.hands == 1 && bash.crit_rng == 1 && bash.crit_mul == 2) << id;
        EXPECT_EQ(bash.dmg, (dmg_part_t{1, id == 74 ? 3 : 4, 0, 0x8})) << id;
    }
    for (int id = 77; id <= 165; ++id) {
        EXPECT_TRUE(get_itm(id).price == 0 && get_itm(id).grp == 0 && get_itm(id).rare_lv >= 2) << id;
        EXPECT_EQ(get_itm(id).min_lv, id >= 160 ? UNLIMITED : 1) << id;
    }
    for (int id = 169; id <= 177; ++id) {
        const itm_t& it = get_itm(id);
        EXPECT_TRUE(it.grp == 0 && it.wpn.cat == 1 && it.wpn.hands == 1 && it.wpn.crit_rng == 1) << id;
        EXPECT_EQ(it.wpn.crit_mul, 2) << id;
    }
}

TEST(ItmRules, FitsSlot) {
    const struct {
        int id;
        const char* slots;  // which of the slots -1, 0 .. 16, 17 accept the item
    } cases[] = {
        {61, "010000000000000000 0"},   // longbow: main hand only
        {27, "011111100000000000 0"},   // dagger: hands and quick slots
        {66, "000111100000000000 0"},   // dart: quick slots only
        {179, "000111100000000000 0"},  // net
        {74, "001000000000000000 0"},   // light shield: off hand
        {96, "000000010000000000 0"},   // robe: body
        {67, "000000010000000000 0"},   // armour
        {166, "000111100000000000 0"},  // arrows
        {170, "000000000000000000 0"},  // a thrown consumable fits nowhere
        {121, "000000000000001100 0"},  // ring
        {136, "000000000000000011 0"},  // accessory
        {85, "000000001000000000 0"},   // head
        {112, "000000000100000000 0"},  // neck
        {77, "000000000010000000 0"},   // belt
        {108, "000000000001000000 0"},  // boots
        {100, "000000000000100000 0"},  // arms
        {89, "000000000000010000 0"},   // back
    };
    for (const auto& c : cases) {
        std::string got;
        for (int slot = -1; slot <= 16; ++slot) got += get_itm(c.id).fits_slot(slot) ? '1' : '0';
        got += ' ';
        got += get_itm(c.id).fits_slot(17) ? '1' : '0';
        EXPECT_EQ(got, c.slots) << c.id;
    }
}

TEST(ItmRules, RangesAmmunitionAndStacks) {
    const int rngs[][3] = {{58, RNG_USE_MELEE, 2}, {58, RNG_USE_OWN, 2}, {61, RNG_USE_MELEE, 0},
                           {61, RNG_USE_RANGED, 10}, {61, RNG_USE_OWN, 10}, {56, RNG_USE_MELEE, 1},
                           {56, RNG_USE_OWN, 1}, {56, RNG_USE_RANGED, 4}};
    for (const auto& [id, use, rng] : rngs) EXPECT_EQ(get_itm(id).wpn.get_rng(use), rng) << id << " " << use;
    for (const auto& [id, ammo] : {std::pair{61, 166}, {63, 167}, {65, 168}, {66, 168}, {28, 0}})
        EXPECT_EQ(get_itm(id).get_ammo_id(), ammo) << id;
    for (const auto& [id, stack] : {std::pair{166, 30}, {167, 20}, {168, 20}, {27, 5}, {169, 5}})
        EXPECT_EQ(get_itm(id).max_stack(), stack) << id;
}

// ---- texts ----

class ItmTexts : public lua_db_test {
protected:
    void SetUp() override {
        dir.write("main.lua", "strs = {}\n_wsp = ' '");
        dir.write("cn/itms.lua", "itm_runs = (itm_runs or 0) + 1\n"
                                 "itms = { [1] = { n = '咬' }, [26] = { n = '徒手', d = 'fists' },"
                                 " [180] = { n = 'outside' }, [-1] = { n = 'negative' } }");
        dir.write("cn/strs.lua", "itm_types = { [14] = { n = '消耗品' } }");
        dir.write("en/strs.lua", "x = 1");
        dir.load();
    }
    static int itm_runs() {
        lua_State* L = db_t::instance().L;
        lua_getfield(L, LUA_GLOBALSINDEX, "itm_runs");
        const int n = int(lua_tonumber(L, -1));
        lua_pop(L, 1);
        return n;
    }
};

TEST_F(ItmTexts, ReadOncePerLanguage) {
    EXPECT_STREQ(get_itm(1).n, L"\u54ac");
    EXPECT_STREQ(get_itm(26).d, L"fists");
    EXPECT_EQ(get_itm(0).n, nullptr);  // "[-1]" and "[180]" change no row
    EXPECT_STREQ(get_itm_type(14).n, L"\u6d88\u8017\u54c1");
    get_itm(2);
    get_itm(3);
    EXPECT_EQ(itm_runs(), 1);
    EXPECT_EQ(boxes.count, 0);

    // English has no itms.lua: one error box for the first lookup, none after it.
    db_set_lang(L"en");
    db_init();
    get_itm(1);
    get_itm(2);
    get_itm_type(1);
    get_itm_type(2);
    EXPECT_EQ(boxes.count, 1);
}
