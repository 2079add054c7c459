#include "rules/enums.h"

#include <gtest/gtest.h>

#include <lua.hpp>

#include "app/db.h"
#include "app/lua_files.h"
#include "app/str.h"
#include "rules/act_texts.h"
#include "rules/cond.h"
#include "rules/dmg.h"
#include "rules/load_type.h"
#include "rules/urank.h"

namespace {
class RulesEnums : public lua_db_test {
protected:
    void start(const std::string& main_lua) {
        dir.write("main.lua", main_lua);
        dir.load();
    }
    void TearDown() override {
        for (text_info_t* r : {(text_info_t*)get_abi(0), (text_info_t*)get_abi(5), get_coin(1), get_coin(3),
                               (text_info_t*)get_dmg_type(4), (text_info_t*)&get_urank(2), get_u_size(3)})
            text_info_t::set(&r->n, nullptr);
        db_t::instance().close();
    }
};
}  // namespace

TEST_F(RulesEnums, RegisteredTablesTakeTheirTextsFromStrs) {
    reg_rules_tbls();
    reg_rules_tbls();  // a second call registers nothing twice
    int ours = 0;
    for (const txt_tbl_reg_entry& e : txt_tbl_regs())
        for (const wchar_t* n : {L"spl_cat", L"urank", L"dmg_type", L"abi", L"wpn_hands", L"wpn_rng_type"})
            ours += Str(e.name) == n;
    EXPECT_EQ(ours, 6);
    start(R"(_wsp = ' ' strs = {
        abis = { [1] = { n = 'Strength' }, [6] = { n = 'Charisma' }, [7] = { n = 'none' } },
        coins = { [1] = { n = 'Copper' }, [3] = { n = 'Gold' }, [4] = { n = 'none' } },
        dmg_types = { [4] = { n = 'Fire' } },
        uranks = { [2] = { n = 'Elite' } },
    })");
    dir.write("cn/strs.lua", "u_sizes = { [3] = { n = 'Medium' }, [9] = { n = 'none' } }");
    load_txt_tbls();
    const std::pair<const wchar_t*, const wchar_t*> names[] = {
        {get_abi(0)->n, L"Strength"}, {get_abi(5)->n, L"Charisma"}, {get_coin(1)->n, L"Copper"},
        {get_coin(3)->n, L"Gold"}, {get_dmg_type(4)->n, L"Fire"}, {get_urank(2).n, L"Elite"},
        {get_u_size(3)->n, L"Medium"}, {get_u_size(3)->k, L"medium"}};
    for (const auto& [got, want] : names) EXPECT_STREQ(got, want);
    Str s;
    EXPECT_STREQ(urank_lbl(s, 2, true).buf, L"<c=#ffffa500>(Elite)</c>");
    EXPECT_STREQ(urank_lbl(s, 2, false).buf, L"<c=#ffffa500>Elite</c>");
    EXPECT_STREQ(urank_lbl(s, 1, true).buf, L"");
    EXPECT_STREQ(get_dur_text(s, 3).buf, L"3 回合");
    EXPECT_EQ(lua_gettop(db_t::instance().L), 0);
}

TEST(RulesEnumRows, KeysValuesAndRowZeroOutsideTheTables) {
    const std::pair<const wchar_t*, const wchar_t*> keys[] = {
        {get_abi(0)->k, L"Str"}, {get_def(5)->k, L"cm"}, {get_atk(5)->k, L"turn"}, {get_act_cost(4)->k, L"Full"},
        {get_wpn_grp(11)->k, L"amr"}, {get_wpn_flag(10)->k, L"load_b"}, {get_wpn_hands(3)->k, L"OneTwoHanded"},
        {get_enc_type(5)->k, L"WolfPack"}, {get_spl_cat(4)->k, L"necromancy"}, {get_term(6)->k, L"Spd"}};
    for (const auto& [got, want] : keys) EXPECT_STREQ(got, want);
    EXPECT_EQ(std::pair(get_abi(2)->clr.v, get_abi(3)->clr.v), std::pair(0xFFEECC88u, 0xFF6666FFu));
    EXPECT_EQ(get_abi(ABIS)->k, nullptr);  // no empty row of its own: a blank one
    EXPECT_EQ(get_abi(-1), get_abi(ABIS));
    EXPECT_EQ(get_def(6), get_def(0));
    EXPECT_EQ(get_def(0)->k, nullptr);
    EXPECT_EQ(get_wpn_grp(12), get_wpn_grp(0));
    EXPECT_EQ(std::pair(get_enc_diff(3)->clr.v, get_enc_diff(0)->clr.v), std::pair(0xFFFF0000u, 0u));
    EXPECT_EQ(get_term(-7), get_term(0));
    EXPECT_EQ(std::pair(get_load_type(4)->spd_pen, get_load_type(3)->clr.v), std::pair(NO_MOVE, 0xFFFF7700u));
    EXPECT_EQ(std::pair(get_load_type(2)->max_dex, get_load_type(1)->max_dex), std::pair(3, UNLIMITED));
    EXPECT_EQ(get_load_type(99), get_load_type(0));
    EXPECT_EQ(get_urank(4).xp_mul, -4);
    EXPECT_EQ(&get_urank(5), &get_urank(0));
    EXPECT_EQ(std::pair(urank_rows(0, 4).size(), urank_rows(2, 9).size()), std::pair(size_t{5}, size_t{3}));
}

TEST(ActTexts, RangeAreaAndRollTexts) {
    for (const auto& [rng, want] :
         {std::pair{-12, L"移动速度"}, {-1, L"武器攻击距离"}, {7, L"中距（7格）"}, {5, L"5格"}})
        EXPECT_STREQ(get_rng_text(rng).buf, want) << rng;
    for (const auto& [area, want] : {std::pair{2, L"半径2格"}, {-5, L"2个邻接目标"}, {-4, L"全场"}})
        EXPECT_STREQ(get_area_text(area).buf, want) << area;
    // Two texts at once: neither overwrites the other.
    const Str a = get_rng_text(5), b = get_rng_text(9), c = get_area_text(1), d = get_area_text(3);
    for (const auto& [got, want] : {std::pair{&a, L"5格"}, {&b, L"9格"}, {&c, L"半径1格"}, {&d, L"半径3格"}})
        EXPECT_STREQ(got->buf, want);
    Str s;
    EXPECT_STREQ(get_dur_text(s, COND_FOREVER).buf, L"整场战斗");
}
