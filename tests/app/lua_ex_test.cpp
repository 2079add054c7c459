#include "app/lua_ex.h"

#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <lua.hpp>
#include <stdexcept>
#include <string>

#include "app/seams.h"
#include "lua_files.h"

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

TEST_F(LuaEx, ScriptsRunUnderATimeLimitOfThreeSeconds) {
    // Every look at the clock finds `step` milliseconds gone.
    static uint32_t now = 0, step = 0;
    seams().ticks_ms = [] { return now += step; };
    step = 1;
    EXPECT_TRUE(run("x = 0 for i = 1, 2000000 do x = x + 1 end"));  // many looks, little time
    step = 750;
    const uint32_t before = now;
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(run("while true do end"));
    const std::string err = ::testing::internal::GetCapturedStderr();
    seams_reset();
    const uint32_t ran = now - before - step;  // from the look that started the clock
    EXPECT_TRUE(ran > 3000 && ran <= 3000 + step) << ran;
    EXPECT_NE(err.find("t.lua:1: ran longer than 3 seconds and was stopped"), std::string::npos) << err;
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(lua_gethook(lx.L), nullptr);  // lookups after the run are not timed
    EXPECT_TRUE(run("y = 1"));
}

TEST_F(LuaEx, FieldsReadAsTextAndNonTablesAreRefused) {
    ASSERT_TRUE(run("t = { s = 'a', n = 12, f = false }"));
    ASSERT_TRUE(lx.get_table(L"t", LUA_GLOBALSINDEX));
    Str s, n, f(L"old");
    lx.read_str(L"s", s), lx.read_str(L"n", n), lx.read_str(L"f", f);
    EXPECT_EQ(std::wstring(s.buf) + L"," + n.buf + L"," + f.buf, L"a,12,");
    EXPECT_TRUE(lx.has_field(L"f", -1));  // present though false
    EXPECT_FALSE(lx.has_field(L"zz", -1) || lx.get_table(L"s", -1));
    // Indexing a non-table would end the program: it is refused.
    lua_pushinteger(lx.L, 3);
    EXPECT_FALSE(lx.get_table(L"x", -1) || lx.has_field(L"x", -1) || lx.walk_keys({Str(L"1")}, -1));
    EXPECT_EQ(lua_gettop(lx.L), 2);
}

TEST_F(LuaEx, IterationSkipsUnusableKeysAndAlwaysRestoresTheStack) {
    ASSERT_TRUE(run("t = { [1] = 'a', [3] = 'c', x = 'name', [1e100] = 'huge', [-4] = 'neg' }"));
    std::vector<int> keys;
    const auto careless = [&](int k) { return keys.push_back(k), lua_pushinteger(lx.L, 99), true; };
    lx.for_each_key(careless, L"t", LUA_GLOBALSINDEX);  // leaves a value behind each time
    std::sort(keys.begin(), keys.end());
    EXPECT_EQ(keys, (std::vector<int>{-4, 1, 3}));
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

namespace {

// Real Lua 5.1 byte code of a chunk, as luac would write it.
std::string byte_code(const char* src) {
    lua_State* L = luaL_newstate();
    std::string out;
    if (luaL_loadstring(L, src) == 0)
        lua_dump(
            L,
            [](lua_State*, const void* p, size_t n, void* ud) {
                static_cast<std::string*>(ud)->append(static_cast<const char*>(p), n);
                return 0;
            },
            &out);
    lua_close(L);
    return out;
}

}  // namespace

TEST_F(LuaEx, ByteCodeIsRefusedWhereverItComesFrom) {
    const std::string code = byte_code("x = 42");
    ASSERT_EQ(code.compare(0, 4, LUA_SIGNATURE), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(run(code));
    EXPECT_FALSE(run("\xEF\xBB\xBF" + code));  // behind a mark
    EXPECT_FALSE(run("#!/usr/bin/lua\n" + code));  // behind a first line Lua skips
    const std::string err = ::testing::internal::GetCapturedStderr();
    EXPECT_NE(err.find("t.lua: precompiled Lua is refused: text files must be Lua source"), std::string::npos)
        << err;
    EXPECT_EQ(boxes.count, 3);
    lua_getglobal(lx.L, "x");
    EXPECT_TRUE(lua_isnil(lx.L, -1));
    lua_pop(lx.L, 1);

    // The loaders a text file can call by name are source only too.
    dir.write("bc.lua", code);
    dir.write("src.lua", "y = (y or 0) + 1 return 'src'");
    const std::string d = dir.root().string() + "/";
    lua_pushlstring(lx.L, code.data(), code.size());
    lua_setglobal(lx.L, "code");
    ASSERT_TRUE(run("package.path = '" + d + "?.lua'\n"
                    "local function refused(f, ...) local ok, a, b = pcall(f, ...) return not ok or a == nil end\n"
                    "r1 = refused(loadstring, code)\n"
                    "local once = code\n"
                    "r2 = refused(load, function() local c = once once = nil return c end)\n"
                    "r3 = refused(loadfile, '" + d + "bc.lua')\n"
                    "r4 = refused(dofile, '" + d + "bc.lua')\n"
                    "r5 = refused(require, 'bc')\n"
                    "r6 = package.loadlib == nil\n"
                    "dofile('" + d + "src.lua') s1 = require('src') s2 = loadstring('return 7')()\n"));
    for (const char* g : {"r1", "r2", "r3", "r4", "r5", "r6"}) {
        lua_getglobal(lx.L, g);
        EXPECT_TRUE(lua_toboolean(lx.L, -1)) << g;
        lua_pop(lx.L, 1);
    }
    lua_getglobal(lx.L, "x");
    EXPECT_TRUE(lua_isnil(lx.L, -1));
    lua_getglobal(lx.L, "y");
    EXPECT_EQ(lua_tointeger(lx.L, -1), 2);  // source still runs: dofile, then require
    lua_getglobal(lx.L, "s1");
    EXPECT_STREQ(lua_tostring(lx.L, -1), "src");
    lua_getglobal(lx.L, "s2");
    EXPECT_EQ(lua_tointeger(lx.L, -1), 7);
    lua_settop(lx.L, 0);
}

TEST_F(LuaEx, TextFilesThatAreNotRegularFailWithoutWaiting) {
    alarm(60);  // a reader that blocks fails the test instead of hanging it
    const std::string fifo = (dir.root() / "fifo.lua").string();
    ASSERT_EQ(mkfifo(fifo.c_str(), 0600), 0);
    ::testing::internal::CaptureStderr();
    EXPECT_FALSE(lx.do_file(dir.wide() + L"fifo.lua"));
    EXPECT_FALSE(lx.do_file(Str(L"/dev/zero")));
    EXPECT_FALSE(run("dofile('" + fifo + "')"));
    ::testing::internal::GetCapturedStderr();
    EXPECT_EQ(boxes.count, 3);
    alarm(0);
}
