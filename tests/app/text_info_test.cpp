#include "app/text_info.h"

#include <gtest/gtest.h>

#include <lua.hpp>

#include "app/db.h"
#include "lua_files.h"

// Registered as the rules tables are: abilities fill from row 0, coins from row 1.
static text_info_t abi_rows[3] = {text_info_t(L"str"), text_info_t(L"dex"), text_info_t(L"con")};
static text_info_t coin_rows[3] = {text_info_t(), text_info_t(L"cp"), text_info_t(L"sp")};
const txt_tbl_reg_t abi_reg(L"tst_abi", {&abi_rows[0], &abi_rows[1], &abi_rows[2]}, 0);
const txt_tbl_reg_t coin_reg(L"tst_coin", {&coin_rows[0], &coin_rows[1], &coin_rows[2]}, 1);

class TextInfo : public lua_db_test {
protected:
    void start(const std::string& strs) {
        dir.write("main.lua", "strs = " + strs);
        dir.load();
    }
    void TearDown() override {
        EXPECT_EQ(lua_gettop(db_t::instance().L), 0);
        db_t::instance().close();
        for (auto* rows : {abi_rows, coin_rows})
            for (int i = 0; i < 3; ++i) text_info_t::set(&rows[i].n, nullptr);
    }
};

TEST_F(TextInfo, FieldsAreTrimmedAbsentOnesClearedAndCodeKeysKept) {
    start("{ { k = ' slow ', n = 'Slowed\\t' }, { n = 'Prone', k = {} } }");
    text_info_t slow(L"code", L"old name", L"old a"), prone(L"prone");
    std::vector<text_info_t*> recs{nullptr, &slow, &prone};
    ASSERT_TRUE(db_t::instance().get_table(L"strs", LUA_GLOBALSINDEX));
    read_text_infos(db_t::instance(), recs, 1);
    lua_pop(db_t::instance().L, 1);
    EXPECT_STREQ(slow.k, L"slow");
    EXPECT_STREQ(slow.n, L"Slowed");
    EXPECT_EQ(slow.a, nullptr);
    EXPECT_STREQ(prone.k, L"prone");  // a "k" that is not text: the key from code stays
}

TEST_F(TextInfo, EnumTablesSkipKeysOutOfRangeOrNotNumbers) {
    start(R"({
        tst_abis = { [3] = { n = 'Con' }, [1] = { n = 'Str' }, [4] = { n = 'out' }, [0] = { n = 'low' },
                     x = { n = 'named' }, [2.5] = { n = 'Dex' } },
        tst_coins = { [2] = { n = 'Silver' }, [1] = { n = 'Copper' }, [3] = { n = 'out' }, x = { n = 'named' } },
    })");
    load_txt_tbls();
    EXPECT_STREQ(abi_rows[0].n, L"Str");
    EXPECT_STREQ(abi_rows[1].n, L"Dex");
    EXPECT_STREQ(abi_rows[2].n, L"Con");
    EXPECT_STREQ(abi_rows[0].k, L"str");
    EXPECT_EQ(coin_rows[0].n, nullptr);  // neither x nor any other key reaches row 0
    EXPECT_STREQ(coin_rows[1].n, L"Copper");
    EXPECT_STREQ(coin_rows[2].n, L"Silver");
}

TEST_F(TextInfo, MissingTablesKeepTheirTexts) {
    text_info_t::set(&coin_rows[1].n, L"kept");
    start("{ tst_abis = 'not a table' }");
    load_txt_tbls();
    EXPECT_STREQ(coin_rows[1].n, L"kept");
    EXPECT_EQ(abi_rows[0].n, nullptr);
    lua_pushnil(db_t::instance().L);
    lua_setglobal(db_t::instance().L, "strs");
    load_txt_tbls();
    EXPECT_STREQ(coin_rows[1].n, L"kept");
}
