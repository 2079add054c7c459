#pragma once
// Reads a fuzzer's input as a sequence of choices and byte runs; past the end
// every read gives 0 or nothing.
#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <string>

#include <unistd.h>

struct fuzz_bytes_t {
    const uint8_t* data;
    size_t size;
    size_t pos = 0;

    bool more() const { return pos < size; }
    uint8_t byte() { return pos < size ? data[pos++] : 0; }
    std::string run(size_t n) {
        n = std::min(n, size - pos);
        std::string s(reinterpret_cast<const char*>(data + pos), n);
        pos += n;
        return s;
    }
};

// A fresh folder for the target's files: in memory when /dev/shm exists, so
// that flushing saves to the disk costs nothing.
inline std::string fuzz_work_dir(const char* name) {
    const std::string base = access("/dev/shm", W_OK) == 0 ? "/dev/shm" : "/tmp";
    return base + "/tw_" + name + "_" + std::to_string(getpid()) + "/";
}
