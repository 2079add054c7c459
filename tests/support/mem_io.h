#pragma once
// Memory streams for record readers and writers, and bytes built by hand.
#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

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

// The bytes a record (a party, a unit) writes.
template <class R>
std::string bytes_of(const R& r) {
    mem_io_t m;
    EXPECT_TRUE(r.save(m));
    return m.data;
}

// Each damaged record, named, fails to load and leaves the live one as it was.
template <class R>
void expect_refused(R& live, const std::vector<std::pair<const char*, std::string>>& bad) {
    const std::string before = bytes_of(live);
    for (const auto& [what, data] : bad) {
        mem_io_t in(data);
        EXPECT_FALSE(live.load(in)) << what;
        EXPECT_EQ(bytes_of(live), before) << what;
    }
}
