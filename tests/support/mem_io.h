#pragma once
// A stream over bytes in memory, for record readers and writers: reads stop
// at the end, writes append.
#include <algorithm>
#include <cstring>
#include <string>

#include "app/io.h"

class mem_io_t : public io::io_t {
public:
    std::string data;
    size_t pos = 0;

    mem_io_t() = default;
    explicit mem_io_t(std::string d) : data(std::move(d)) {}
    mem_io_t(const void* p, size_t n) : data(static_cast<const char*>(p), n) {}

    int read(void* buf, int size, int count) override {
        if (size <= 0 || count <= 0) return 0;
        const size_t n = std::min(size_t(size) * size_t(count), data.size() - pos) / size_t(size);
        std::memcpy(buf, data.data() + pos, n * size_t(size));
        pos += n * size_t(size);
        return int(n);
    }
    int write(const void* buf, int size, int count) override {
        if (size <= 0 || count <= 0) return 0;
        data.append(static_cast<const char*>(buf), size_t(size) * size_t(count));
        return count;
    }
    bool seek(int, int) override { return false; }
    bool put_str(const wchar_t*) override { return false; }
    int print_v(const wchar_t*, const fmt_arg_t*, size_t) override { return -1; }
    int scan_v(const wchar_t*, io::scan_arg_t*, size_t) override { return -1; }
    bool at_end() const { return pos == data.size(); }
};

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
