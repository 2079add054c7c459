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

TEST_F(LuaEx, RunsScriptsWithAByteOrderMark) {
    EXPECT_TRUE(run("\xEF\xBB\xBFx = 'ok'"));
    Str s;
    lx.read_global_str(L"x", s);
    EXPECT_STREQ(s.buf, L"ok");
    EXPECT_EQ(boxes.count, 0);
}

TEST_F(LuaEx, FailingScriptsShowOneBoxAndLeaveTheStack) {
    lua_pushinteger(lx.L, 7);
    const struct {
        std::string src;
        bool ok;
    } cases[] = {{"x = = 1", false}, {"error('boom')", false}, {"return 1, 2, 3", true}};
    for (const auto& c : cases) {
        EXPECT_EQ(run(c.src), c.ok) << c.src;
        EXPECT_EQ(lua_gettop(lx.L), 1) << c.src;
    }
    EXPECT_EQ(boxes.count, 2);
    EXPECT_FALSE(lx.do_file(dir.wide() + L"missing.lua"));
    EXPECT_EQ(boxes.count, 3);
    EXPECT_EQ(boxes.last, (dir.root / "missing.lua").string());
}

TEST_F(LuaEx, TextCrossesAsUtf8BothWays) {
    lx.push_str(L"\u6587\u672c \u00e9");
    lua_setglobal(lx.L, "w");
    ASSERT_TRUE(run("assert(w == '\xE6\x96\x87\xE6\x9C\xAC \xC3\xA9'); back = w .. '!'"));
    Str s;
    lx.read_global_str(L"back", s);
    EXPECT_STREQ(s.buf, L"\u6587\u672c \u00e9!");
    lx.push_str(nullptr);
    EXPECT_TRUE(lua_isnil(lx.L, -1));
}

TEST_F(LuaEx, FieldReadsOnTablesAndOtherValues) {
    ASSERT_TRUE(run("t = { s = ' a ', n = 12, f = false, sub = {} }"));
    ASSERT_TRUE(lx.get_table(L"t", LUA_GLOBALSINDEX));
    Str s;
    struct {
        const wchar_t* key;
        const wchar_t* text;
        bool has;
    } cases[] = {{L"s", L" a ", true}, {L"n", L"12", true}, {L"f", L"", true}, {L"sub", L"", true}, {L"zz", L"", false}};
    for (const auto& c : cases) {
        lx.read_str(c.key, s);
        EXPECT_STREQ(s.buf, c.text) << c.key;
        EXPECT_EQ(lx.has_field(c.key, -1), c.has) << c.key;
        wchar_t* p = nullptr;
        lx.get_field_str(c.key, &p, L"def");
        EXPECT_STREQ(p, *c.text ? c.text : L"def") << c.key;
        delete[] p;
        lx.get_field_str(c.key, &p, nullptr);
        EXPECT_EQ(p == nullptr, *c.text == 0) << c.key;
        delete[] p;
        EXPECT_EQ(lua_gettop(lx.L), 1) << c.key;
    }
    EXPECT_FALSE(lx.get_table(L"s", -1));
    EXPECT_TRUE(lx.has_field(L"t", LUA_GLOBALSINDEX));
    // A non-table on top is not indexed: reading it would end the program.
    lua_pushinteger(lx.L, 3);
    EXPECT_FALSE(lx.get_table(L"x", -1));
    EXPECT_FALSE(lx.has_field(L"x", -1));
    lx.read_str(L"x", s);
    EXPECT_TRUE(s.empty());
    EXPECT_EQ(lua_gettop(lx.L), 2);
}

TEST_F(LuaEx, WalksLeaveTablesOrNothing) {
    ASSERT_TRUE(run("a = { b = { [3] = { [-2] = { leaf = 'x' } }, s = 'str' } }"));
    const int top = lua_gettop(lx.L);
    ASSERT_TRUE(lx.walk_keys({Str(L"a"), Str(L"b"), Str(L"3"), Str(L"-2")}, LUA_GLOBALSINDEX));
    EXPECT_EQ(lx.depth, 4);
    EXPECT_EQ(lua_gettop(lx.L), top + 4);
    Str s;
    lx.read_str(L"leaf", s);
    EXPECT_STREQ(s.buf, L"x");
    lx.pop_walk();
    EXPECT_EQ(lx.depth, 0);
    const std::vector<Str> failing[] = {
        {Str(L"zz")}, {Str(L"a"), Str(L"s")}, {Str(L"a"), Str(L"s"), Str(L"1")}, {Str(L"a"), Str(L"b"), Str(L"4")}};
    for (const auto& keys : failing) {
        EXPECT_FALSE(lx.walk_keys(keys, LUA_GLOBALSINDEX));
        EXPECT_EQ(lx.depth, 0);
        EXPECT_EQ(lua_gettop(lx.L), top);
    }
    EXPECT_TRUE(lx.walk_keys({}, LUA_GLOBALSINDEX));
    EXPECT_EQ(lua_gettop(lx.L), top);
}

TEST_F(LuaEx, IterationSkipsUnusableKeysAndStopsCleanly) {
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

    int calls = 0;
    lx.for_each_key([&](int) { return ++calls < 2; }, L"t", LUA_GLOBALSINDEX);
    EXPECT_EQ(calls, 2);
    EXPECT_EQ(lua_gettop(lx.L), 0);

    ASSERT_TRUE(lx.get_table(L"t", LUA_GLOBALSINDEX));
    lx.for_each_key([](int) { return false; }, nullptr, -1);
    EXPECT_EQ(lua_gettop(lx.L), 1);  // the caller's table, without the key
    EXPECT_THROW(lx.for_each_key([](int) -> bool { throw std::runtime_error("x"); }, nullptr, -1),
                 std::runtime_error);
    EXPECT_EQ(lua_gettop(lx.L), 1);
    lx.for_each_key([&](int) { return ++calls > 0; }, L"missing", -1);
    EXPECT_EQ(lua_gettop(lx.L), 1);
}

}  // namespace
