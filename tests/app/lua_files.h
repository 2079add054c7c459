#pragma once
// A temporary folder of Lua scripts, a counter of the error boxes that
// failed scripts would show, and a suite with both over the text database.
#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "app/db.h"
#include "app/lua_ex.h"
#include "app/str.h"
#include "support/temp_dir.h"

namespace fs = std::filesystem;

// The scripts go under sub, a name of the test's choosing (UTF-8 bytes).
struct lua_dir_t {
    temp_dir_t tmp;
    std::string sub;
    explicit lua_dir_t(std::string s = "") : sub(std::move(s)) { tmp.folder(sub); }
    fs::path root() const { return sub.empty() ? tmp.root() : tmp.root() / sub; }
    void write(const std::string& rel, const std::string& s) const { tmp.file((fs::path(sub) / rel).string(), s); }
    Str wide() const { return utf8_to_str((root().string() + "/").c_str()); }
    // The folder as the text root, read afresh in Chinese.
    void load() const { db_set_text_root(wide().buf); db_set_lang(L"cn"); db_init(); }
};

struct box_counter_t {
    static inline int count = 0;
    static inline std::string last;
    lua_msg_box_t saved = lua_msg_box;
    box_counter_t() { count = 0, lua_msg_box = [](const char*, const char* text) { ++count, last = text; }; }
    ~box_counter_t() { lua_msg_box = saved; }
};

// The text database read from the suite's own folder, closed after each case.
class lua_db_test : public ::testing::Test {
protected:
    lua_dir_t dir;
    box_counter_t boxes;
    void TearDown() override { db_t::instance().close(); }
};
