#pragma once
// A temporary folder of Lua scripts, removed afterwards, and a counter of the
// error boxes that failed scripts would show.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/lua_ex.h"
#include "app/str.h"

namespace fs = std::filesystem;

struct lua_dir_t {
    fs::path base;  // removed at the end
    fs::path root;  // the scripts; sub puts them one folder deeper (paths are UTF-8 bytes here)

    explicit lua_dir_t(const std::string& sub = "") {
        static int serial = 0;
        base = fs::temp_directory_path() / ("tw_lua_" + std::to_string(getpid()) + "_" + std::to_string(++serial));
        root = sub.empty() ? base : base / sub;
        fs::create_directories(root);
    }
    ~lua_dir_t() {
        std::error_code ec;
        fs::remove_all(base, ec);
    }
    void write(const std::string& rel, const std::string& text) const {
        fs::create_directories((root / rel).parent_path());
        std::ofstream(root / rel, std::ios::binary) << text;
    }
    Str wide() const { return utf8_to_str((root.string() + "/").c_str()); }
};

struct box_counter_t {
    static inline int count = 0;
    static inline std::string last;
    lua_msg_box_t saved = lua_msg_box;
    box_counter_t() {
        count = 0;
        lua_msg_box = [](const char*, const char* text) {
            ++count;
            last = text;
        };
    }
    ~box_counter_t() { lua_msg_box = saved; }
};
