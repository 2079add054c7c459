// Arbitrary bytes as config.ini: the reader must neither crash nor read past the file.
#include <cstdio>
#include <cstdint>
#include <string>
#include <unistd.h>

#include "app/ini.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const std::string path = "/tmp/tw_ini_fuzz_" + std::to_string(getpid()) + ".ini";
    FILE* f = std::fopen(path.c_str(), "wb");
    if (!f) return 0;
    std::fwrite(data, 1, size, f);
    std::fclose(f);
    const std::wstring wpath(path.begin(), path.end());
    CZsIni ini(wpath.c_str());
    ini.load(wpath.c_str(), true);
    for (const auto& [name, keys] : ini.sections)
        for (const auto& [k, v] : keys) (void)ini.get_int(k.c_str(), 0, name.c_str());
    return 0;
}
