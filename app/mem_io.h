#pragma once
// A stream over bytes in memory: reads stop at the end, writes append. Files
// from disk are read whole and bounded, then parsed from one of these.
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
