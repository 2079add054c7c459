#include "app/db.h"

#include <gtest/gtest.h>

#include <cwchar>
#include <lua.hpp>
#include <set>

#include "app/paths.h"
#include "app/text_info.h"
#include "lua_files.h"

const char* const main_lua = "strs = {}\n_wsp = ' '\n_cma = '，'\n_dot = '...'\nmain_lang = Lang\nmain_app = AppPath";

// With a byte-order mark, as editors like to save it.
const char* const strs_lua = "\xEF\xBB\xBF" R"(
strs_runs = (strs_runs or 0) + 1
greeting = "你好"
c = "c in strs"
imm = { k = "imm", n = "Immune" }
names = { [1] = { n = "one" }, [2] = { n = "two" }, [3] = { n = "three" }, ["3"] = { n = "string three" },
          [-2] = { n = "minus two" }, [5] = { n = "five" }, ["3a"] = { n = "name 3a" } }
)";

class Db : public ::testing::Test {
protected:
    lua_dir_t dir{"文本 dir"};  // an install folder that is not plain ASCII
    box_counter_t boxes;

    void SetUp() override {
        dir.write("main.lua", main_lua);
        dir.write("cn/strs.lua", strs_lua);
        dir.write("cn/c.lua", "c = 'c in c.lua'");
        dir.write("cn/help.lua", "help = { items = { [1] = { n = 'Potions' }, [2] = { n = 'Swords' } } }");
        dir.write("en/strs.lua", "greeting = 'hello'");
        dir.load();
    }
    void TearDown() override {
        EXPECT_EQ(db_t::instance().depth, 0);
        db_t::instance().close();
    }
    int top() const { return lua_gettop(db_t::instance().L); }
};

TEST_F(Db, FileBeforeTheColonWinsAndNumericKeysIndexByNumber) {
    EXPECT_STREQ(db_get_str(L"strs:greeting", L"other").buf, L"\u4f60\u597d");
    EXPECT_STREQ(db_get_str(L"a:b:c", L"strs").buf, L"c in strs");
    EXPECT_STREQ(db_get_str(L"a:b:c", nullptr).buf, L"c in c.lua");
    EXPECT_TRUE(db_get_str(L"", L"strs").empty());
    EXPECT_EQ(boxes.count, 0);  // other.lua does not exist: running it would show a box
    const struct { const wchar_t* path; const wchar_t* name; } cases[] = {{L"strs:names/3", L"three"},
        {L"strs:names/-2", L"minus two"}, {L"strs:names/+5", L"five"}, {L"strs:names/3a", L"name 3a"}};
    for (const auto& c : cases) {
        text_info_t rec;
        db_read_text_info(c.path, &rec, nullptr);
        EXPECT_STREQ(rec.n, c.name) << c.path;
    }
}

TEST_F(Db, HelpItemsStayPushedUntilPop) {
    const int before = top();
    ASSERT_TRUE(db_push_tbl(L"help/items", nullptr));
    EXPECT_EQ(db_t::instance().depth, 2);
    EXPECT_EQ(top(), before + 2);
    std::set<std::wstring> names;
    db_for_each_top([&](int) {
        text_info_t rec;
        db_read_top(&rec);
        names.insert(rec.n);
        // A lookup in the middle of the iteration must leave the iterated table alone.
        EXPECT_STREQ(db_get_str(L"strs:greeting", nullptr).buf, L"\u4f60\u597d");
        return true;
    });
    EXPECT_EQ(names, (std::set<std::wstring>{L"Potions", L"Swords"}));
    db_pop();
    EXPECT_EQ(top(), before);
    EXPECT_FALSE(db_push_tbl(L"help/nothing", nullptr));
    EXPECT_EQ(top(), before);
}

TEST_F(Db, EveryLookupLeavesTheStackAsItFoundIt) {
    text_info_t r0, r1, r3;
    std::vector<text_info_t*> recs{&r0, &r1, nullptr, &r3};
    const struct { const char* what; std::function<void()> run; } lookups[] = {
        {"string", [] { db_get_str(L"strs:names/3/n", nullptr); }},
        {"missing string", [] { db_get_str(L"strs:nothing/deeper/n", nullptr); }},
        {"string through a string", [] { db_get_str(L"strs:greeting/x/y", nullptr); }},
        {"record", [] { text_info_t r; db_read_text_info(L"strs:imm", &r, nullptr); }},
        {"records", [&] { db_read_recs(L"strs:names", recs, nullptr); }},
        {"records of a string", [&] { db_read_recs(L"strs:greeting", recs, nullptr); }},
        {"cached", [] { get_text_info(L"imm"); }},
    };
    for (const auto& l : lookups) {
        const int before = top();
        l.run();
        EXPECT_EQ(top(), before) << l.what;
        EXPECT_EQ(db_t::instance().depth, 0) << l.what;
    }
    // Keys outside the vector, on a null row or not numbers (3a would be row 0) are skipped.
    EXPECT_EQ(r0.n, nullptr);
    EXPECT_STREQ(r1.n, L"one");
    EXPECT_STREQ(r3.n, L"three");
}

TEST_F(Db, CachedMissDoesNotRunTheScriptAgainAndAMissingFileShowsOneBox) {
    const auto runs = [] {  // counted by the script itself
        Str s;
        db_t::instance().read_global_str(L"strs_runs", s);
        return std::wcstol(s.buf, nullptr, 10);
    };
    const long before = runs();
    text_info_t* miss = get_text_info(L"no_such_key");
    EXPECT_EQ(miss->n, nullptr);
    EXPECT_EQ(runs(), before + 1);
    EXPECT_EQ(get_text_info(L"no_such_key"), miss);
    EXPECT_EQ(runs(), before + 1);
    EXPECT_STREQ(get_text_info(L"imm")->n, L"Immune");

    fs::remove(dir.root() / "cn/strs.lua");
    EXPECT_STREQ(db_get_str(L"strs:greeting", nullptr).buf, L"\u4f60\u597d");  // the globals of the last run
    EXPECT_EQ(boxes.count, 1);
    EXPECT_EQ(boxes.last, (dir.root() / "cn/strs.lua").string());
}

TEST_F(Db, CachedRecordsFollowANewStartInAnotherLanguageAtTheSameAddress) {
    text_info_t* imm = get_text_info(L"imm");
    EXPECT_STREQ(imm->n, L"Immune");
    dir.write("en/strs.lua", "imm = { n = 'Immune (en)' }");
    db_set_lang(L"en");
    db_init();
    EXPECT_EQ(get_text_info(L"imm"), imm);
    EXPECT_STREQ(imm->n, L"Immune (en)");
    db_set_lang(L"cn");
}

TEST_F(Db, StartUpPublishesGlobalsAndLangEnResolvesUnderItsOwnFolder) {
    Str s;
    db_t::instance().read_global_str(L"main_app", s);
    EXPECT_EQ(s, get_exe_dir());
    EXPECT_STREQ(lang_dot.buf, L"...");  // longer than one character, kept whole
    db_set_lang(L"en");
    db_init();
    EXPECT_EQ(db_text_dir(), dir.wide() + L"en/");
    EXPECT_STREQ(db_get_str(L"strs:greeting", nullptr).buf, L"hello");
    db_t::instance().read_global_str(L"main_lang", s);
    EXPECT_STREQ(s.buf, L"en");  // main.lua still ran from the text folder itself
    EXPECT_EQ(boxes.count, 0);
}
