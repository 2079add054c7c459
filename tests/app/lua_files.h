#pragma once
// A temporary folder of Lua scripts for the text database tests, removed afterwards.
#include <unistd.h>

#include <filesystem>
#include <fstream>
#include <string>

#include "app/lua_ex.h"
#include "app/str.h"

namespace fs = std::filesystem;

class lua_dir_t {
public:
    fs::path base;  // removed at the end
    fs::path root;  // where the scripts go

    // Paths are bytes here, so UTF-8 names pass as they are; sub puts the
    // scripts one folder deeper, under a name of the test's choosing.
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
        const fs::path p = root / fs::path(rel);
        fs::create_directories(p.parent_path());
        std::ofstream(p, std::ios::binary) << text;
    }
    void remove(const std::string& rel) const { fs::remove(root / fs::path(rel)); }
    // The folder as the game spells paths: wide, ending with "/".
    Str wide() const { return utf8_to_str((root.string() + "/").c_str()); }
};

// Counts the error boxes instead of showing them.
struct box_counter_t {
    static inline int count = 0;
    static inline std::string last;
    lua_msg_box_t saved = lua_msg_box;
    box_counter_t() {
        count = 0;
        last.clear();
        lua_msg_box = [](const char*, const char* text) {
            ++count;
            last = text;
        };
    }
    ~box_counter_t() { lua_msg_box = saved; }
};
