#pragma once
// The fuzzer's input as a file, for readers that take a path: one file per
// process, rewritten for each input. Empty when the file cannot be written.
#include <cstdint>
#include <cstdio>
#include <string>
#include <unistd.h>

inline std::wstring write_fuzz_input(const char* name, const uint8_t* data, size_t size) {
    const std::string path = "/tmp/tw_" + std::string(name) + "_" + std::to_string(getpid());
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return {};
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    return std::wstring(path.begin(), path.end());
}
