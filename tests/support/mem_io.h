#pragma once
// Memory streams for record readers and writers, and bytes built by hand.
#include <string>

#include "app/mem_io.h"

// Little-endian bytes, to build expected records by hand.
struct le_bytes_t {
    std::string b;
    le_bytes_t& i32(int v) {
        for (int i = 0; i < 4; ++i) b.push_back(char(uint32_t(v) >> (8 * i)));
        return *this;
    }
    le_bytes_t& i32s(int v, int n) {
        for (int i = 0; i < n; ++i) i32(v);
        return *this;
    }
    // A save-file string: count of UTF-16 units, then the units (ASCII here).
    le_bytes_t& str(const std::string& s) {
        i32(int(s.size()));
        for (char c : s) b.append({c, 0});
        return *this;
    }
    le_bytes_t& raw(const std::string& s) {
        b += s;
        return *this;
    }
};

// A save folder's main.cfg: the next slot number and the current one.
inline std::string cfg_bytes(int next, int cur) { return le_bytes_t().i32(next).i32(cur).b; }
