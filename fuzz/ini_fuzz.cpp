// Arbitrary bytes as config.ini: the reader must neither crash nor read past the file.
#include <cstdint>

#include "app/ini.h"
#include "fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    const std::wstring wpath = write_fuzz_input("ini_fuzz.ini", data, size);
    if (wpath.empty()) return 0;
    CZsIni ini(wpath.c_str());
    ini.load(wpath.c_str(), true);
    for (const auto& [name, keys] : ini.sections)
        for (const auto& [k, v] : keys) (void)ini.get_int(k.c_str(), 0, name.c_str());
    return 0;
}
