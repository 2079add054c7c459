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
    EXPECT_STREQ(get_abi(0)->n, L"Strength");
    EXPECT_STREQ(get_abi(5)->n, L"Charisma");
    EXPECT_STREQ(get_coin(1)->n, L"Copper");
    EXPECT_STREQ(get_coin(3)->n, L"Gold");
    EXPECT_STREQ(get_dmg_type(4)->n, L"Fire");
    EXPECT_STREQ(get_urank(2).n, L"Elite");
    EXPECT_STREQ(get_u_size(3)->n, L"Medium");
    EXPECT_STREQ(get_u_size(3)->k, L"medium");
    Str s;
    EXPECT_STREQ(urank_lbl(s, 2, true).buf, L"<c=#ffffa500>(Elite)</c>");
    EXPECT_STREQ(urank_lbl(s, 2, false).buf, L"<c=#ffffa500>Elite</c>");
    EXPECT_STREQ(urank_lbl(s, 1, true).buf, L"");
    EXPECT_STREQ(get_dur_text(s, 3).buf, L"3 回合");
    EXPECT_EQ(lua_gettop(db_t::instance().L), 0);
}

TEST(RulesEnumRows, KeysValuesAndRowZeroOutsideTheTables) {
    EXPECT_STREQ(get_abi(0)->k, L"Str");
    EXPECT_EQ(get_abi(2)->clr.v, 0xFFEECC88u);
    EXPECT_EQ(get_abi(3)->clr.v, 0xFF6666FFu);
    EXPECT_EQ(get_abi(ABIS)->k, nullptr);  // no empty row of its own: a blank one
    EXPECT_EQ(get_abi(-1), get_abi(ABIS));
    EXPECT_STREQ(get_def(5)->k, L"cm");
    EXPECT_EQ(get_def(6), get_def(0));
    EXPECT_EQ(get_def(0)->k, nullptr);
    EXPECT_STREQ(get_atk(5)->k, L"turn");
    EXPECT_STREQ(get_act_cost(4)->k, L"Full");
    EXPECT_STREQ(get_wpn_grp(11)->k, L"amr");
    EXPECT_EQ(get_wpn_grp(12), get_wpn_grp(0));
    EXPECT_STREQ(get_wpn_flag(10)->k, L"load_b");
    EXPECT_STREQ(get_wpn_hands(3)->k, L"OneTwoHanded");
    EXPECT_STREQ(get_enc_type(5)->k, L"WolfPack");
    EXPECT_EQ(get_enc_diff(3)->clr.v, 0xFFFF0000u);
    EXPECT_EQ(get_enc_diff(0)->clr.v, 0u);
    EXPECT_STREQ(get_spl_cat(4)->k, L"necromancy");
    EXPECT_STREQ(get_term(6)->k, L"Spd");
    EXPECT_EQ(get_term(-7), get_term(0));
    EXPECT_EQ(get_load_type(4)->spd_pen, NO_MOVE);
    EXPECT_EQ(get_load_type(2)->max_dex, 3);
    EXPECT_EQ(get_load_type(1)->max_dex, UNLIMITED);
    EXPECT_EQ(get_load_type(3)->clr.v, 0xFFFF7700u);
    EXPECT_EQ(get_load_type(99), get_load_type(0));
    EXPECT_EQ(get_urank(4).xp_mul, -4);
    EXPECT_EQ(&get_urank(5), &get_urank(0));
    EXPECT_EQ(urank_rows(0, 4).size(), 5u);
    EXPECT_EQ(urank_rows(2, 9).size(), 3u);
}

TEST(ActTexts, RangeAreaAndRollTexts) {
    EXPECT_STREQ(get_rng_text(-12).buf, L"移动速度");
    EXPECT_STREQ(get_rng_text(-1).buf, L"武器攻击距离");
    EXPECT_STREQ(get_rng_text(7).buf, L"中距（7格）");
    EXPECT_STREQ(get_rng_text(5).buf, L"5格");
    EXPECT_STREQ(get_area_text(2).buf, L"半径2格");
    EXPECT_STREQ(get_area_text(-5).buf, L"2个邻接目标");
    EXPECT_STREQ(get_area_text(-4).buf, L"全场");
    // Two texts at once: neither overwrites the other.
    const Str a = get_rng_text(5), b = get_rng_text(9), c = get_area_text(1), d = get_area_text(3);
    EXPECT_STREQ(a.buf, L"5格");
    EXPECT_STREQ(b.buf, L"9格");
    EXPECT_STREQ(c.buf, L"半径1格");
    EXPECT_STREQ(d.buf, L"半径3格");
    Str s;
    EXPECT_STREQ(get_dur_text(s, COND_FOREVER).buf, L"整场战斗");
}
