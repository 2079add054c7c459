#include "app/text_info.h"

#include <gtest/gtest.h>

#include <lua.hpp>

#include "app/db.h"
#include "lua_files.h"

namespace {

// Two enum tables registered as the rules tables do: abilities fill from row 0,
// coins from row 1.
text_info_t abi_rows[3] = {text_info_t(L"str"), text_info_t(L"dex"), text_info_t(L"con")};
text_info_t coin_rows[3] = {text_info_t(), text_info_t(L"cp"), text_info_t(L"sp")};
const txt_tbl_reg_t abi_reg(L"tst_abi", {&abi_rows[0], &abi_rows[1], &abi_rows[2]}, 0);
const txt_tbl_reg_t coin_reg(L"tst_coin", {&coin_rows[0], &coin_rows[1], &coin_rows[2]}, 1);

TEST(TextInfo, CopiesOwnTheirTexts) {
    text_info_t a(L"k", nullptr, L"a");
    text_info_t b(a);
    EXPECT_NE(b.k, a.k);
    EXPECT_STREQ(b.k, L"k");
    EXPECT_EQ(b.n, nullptr);
    text_info_t c(L"other", L"name");
    c = a;
    EXPECT_STREQ(c.a, L"a");
    EXPECT_EQ(c.n, nullptr);
    c = c;
    EXPECT_STREQ(c.k, L"k");
}

class TextInfoLua : public ::testing::Test {
protected:
    lua_dir_t dir;
    box_counter_t boxes;
    lua_ex_t lx;

    void SetUp() override { lx.init(); }
    // Leaves the table t of the script on top.
    void push(const std::string& table) {
        dir.write("t.lua", "t = " + table);
        ASSERT_TRUE(lx.do_file(dir.wide() + L"t.lua"));
        ASSERT_TRUE(lx.get_table(L"t", LUA_GLOBALSINDEX));
    }
};

TEST_F(TextInfoLua, FieldsAreTrimmedAndAbsentOnesCleared) {
    push("{ k = ' slow ', n = 'Slowed\\t' }");
    text_info_t rec(L"code", L"old name", L"old a");
    read_text_info(lx, rec);
    EXPECT_STREQ(rec.k, L"slow");
    EXPECT_STREQ(rec.n, L"Slowed");
    EXPECT_EQ(rec.a, nullptr);
    EXPECT_EQ(rec.d, nullptr);
    EXPECT_EQ(rec.b, nullptr);
    EXPECT_EQ(lua_gettop(lx.L), 1);
}

TEST_F(TextInfoLua, KeyFromCodeStaysWithoutATextK) {
    push("{ n = 'Prone', d = '  lying  ', k = {} }");
    text_info_t rec(L"prone");
    read_text_info(lx, rec);
    EXPECT_STREQ(rec.k, L"prone");
    EXPECT_STREQ(rec.d, L"lying");
}

class TxtTbls : public ::testing::Test {
protected:
    lua_dir_t dir;
    box_counter_t boxes;

    void start(const std::string& strs) {
        dir.write("main.lua", "strs = " + strs);
        db_set_text_root(dir.wide().buf);
        db_set_lang(L"cn");
        db_init();
    }
    void TearDown() override {
        EXPECT_EQ(lua_gettop(db_t::instance().L), 0);
        db_t::instance().close();
        for (auto& r : abi_rows) text_info_t::set(&r.n, nullptr);
        for (auto& r : coin_rows) text_info_t::set(&r.n, nullptr);
    }
};

TEST_F(TxtTbls, KeysFillTheirRowsByKeyBaseInAnyOrder) {
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

TEST_F(TxtTbls, MissingTablesKeepTheirTexts) {
    text_info_t::set(&coin_rows[1].n, L"kept");
    start("{ tst_abis = 'not a table' }");
    load_txt_tbls();
    EXPECT_STREQ(coin_rows[1].n, L"kept");
    EXPECT_EQ(abi_rows[0].n, nullptr);
    db_t::instance().init();
    lua_pushnil(db_t::instance().L);
    lua_setglobal(db_t::instance().L, "strs");
    load_txt_tbls();
    EXPECT_STREQ(coin_rows[1].n, L"kept");
}

}  // namespace
