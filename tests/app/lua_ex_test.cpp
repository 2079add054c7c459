#include "app/lua_ex.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <lua.hpp>
#include <stdexcept>

#include "app/str.h"
#include "lua_files.h"

namespace {

class LuaEx : public ::testing::Test {
protected:
    lua_dir_t dir;
    box_counter_t boxes;
    lua_ex_t lx;

    void SetUp() override { lx.init(); }
    bool run(const std::string& src) {
        dir.write("t.lua", src);
        return lx.do_file(dir.wide() + L"t.lua");
    }
};

TEST_F(LuaEx, FailingScriptsShowOneBoxEachAndLeaveTheStack) {
    lua_pushinteger(lx.L, 7);
    const struct { std::string src; bool ok; } cases[] = {
        {"\xEF\xBB\xBFx = 1", true}, {"x = = 1", false}, {"error('boom')", false}, {"return 1, 2", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.src), c.ok) << c.src;
        EXPECT_EQ(lua_gettop(lx.L), 1) << c.src;
    }
    EXPECT_EQ(boxes.count, 2);
    EXPECT_FALSE(lx.do_file(dir.wide() + L"missing.lua"));
    EXPECT_EQ(boxes.count, 3);
    EXPECT_EQ(boxes.last, (dir.root() / "missing.lua").string());
}

TEST_F(LuaEx, FieldsOfEveryTypeAndNonTablesReadSafely) {
    ASSERT_TRUE(run("t = { s = 'a', n = 12, f = false, sub = {} }"));
    ASSERT_TRUE(lx.get_table(L"t", LUA_GLOBALSINDEX));
    const struct { const wchar_t* key; const wchar_t* text; bool has; } cases[] = {
        {L"s", L"a", true}, {L"n", L"12", true}, {L"f", L"", true}, {L"sub", L"", true}, {L"zz", L"", false}};
    for (const auto& c : cases) {
        Str s;
        lx.read_str(c.key, s);
        EXPECT_STREQ(s.buf, c.text) << c.key;
        EXPECT_EQ(lx.has_field(c.key, -1), c.has) << c.key;
    }
    EXPECT_FALSE(lx.get_table(L"s", -1));
    // Indexing a non-table would end the program: it is refused.
    lua_pushinteger(lx.L, 3);
    EXPECT_FALSE(lx.get_table(L"x", -1));
    EXPECT_FALSE(lx.has_field(L"x", -1));
    EXPECT_FALSE(lx.walk_keys({Str(L"1")}, -1));
    EXPECT_EQ(lua_gettop(lx.L), 2);
}

TEST_F(LuaEx, IterationSkipsUnusableKeysAndAlwaysRestoresTheStack) {
    ASSERT_TRUE(run("t = { [1] = 'a', [2] = 'b', [3] = 'c', x = 'name', [1e100] = 'huge', [-4] = 'neg' }"));
    std::vector<int> keys;
    lx.for_each_key(
        [&](int k) {
            keys.push_back(k);
            lua_pushinteger(lx.L, 99);  // a careless callback leaves a value behind
            return true;
        },
        L"t", LUA_GLOBALSINDEX);
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<int>{-4, 1, 2, 3}));
    EXPECT_EQ(lua_gettop(lx.L), 0);

    ASSERT_TRUE(lx.get_table(L"t", LUA_GLOBALSINDEX));
    int calls = 0;
    lx.for_each_key([&](int) { return ++calls < 2; }, nullptr, -1);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(lua_gettop(lx.L), 1);  // the caller's table, without the key
    EXPECT_THROW(lx.for_each_key([](int) -> bool { throw std::runtime_error("x"); }, nullptr, -1),
                 std::runtime_error);
    EXPECT_EQ(lua_gettop(lx.L), 1);
}

}  // namespace
