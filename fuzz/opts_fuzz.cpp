// Arbitrary bytes as config.ini: the options block and the next character id
// read from it must stay within their ranges, whatever the values say.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>

#include "app/ini.h"
#include "app/opts.h"
#include "app/paths.h"
#include "fuzz/fuzz_bytes.h"
#include "fuzz/fuzz_input.h"
#include "rules/save_slots.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    // An empty game folder: no character file takes an id.
    static const std::string root = fuzz_work_dir("opts_fuzz");
    static const bool ready = [] {
        std::error_code ec;
        std::filesystem::create_directories(root, ec);
        set_exe_dir(utf8_to_str(root.c_str()).buf);
        return !ec;
    }();
    if (!ready) return 0;
    const std::wstring path = write_fuzz_input("opts_fuzz.ini", data, size);
    if (path.empty()) return 0;
    CZsIni ini(path.c_str());
    load_opts_from(ini);
    if (opts().spd_ani_lv < 1 || opts().spd_ani_lv > 3) std::abort();
    const int id = take_next_pc_id(ini);
    const int next = ini.get_int(L"next_pc_id", 0, L"Main");
    // Eight digits in a file name, and the key set past the id within them.
    if (id < 1 || id > 99999999 || next < 1 || next > 99999999 || (next != id + 1 && id != 99999999)) std::abort();
    return 0;
}
