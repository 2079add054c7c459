// Arbitrary bytes as a language's strs.lua: loading it and reading records from
// it must neither crash nor write outside the tables, whatever the file holds.
#include <filesystem>
#include <string>
#include <vector>

#include "app/db.h"
#include "app/text_info.h"
#include "fuzz_input.h"

namespace fs = std::filesystem;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fs::path root = fs::temp_directory_path() / ("tw_lua_fuzz_" + std::to_string(getpid()));
    static const bool ready = [] {
        lua_msg_box = [](const char*, const char*) {};
        std::error_code ec;
        fs::create_directories(root / "cn", ec);
        if (FILE* f = std::fopen((root / "main.lua").c_str(), "wb")) std::fclose(f);
        db_set_text_root((root.wstring() + L"/").c_str());
        db_set_lang(L"cn");
        return !ec;
    }();
    if (!ready) return 0;
    const std::wstring in = write_fuzz_input("lua_text", data, size);
    std::error_code ec;
    fs::copy_file(fs::path(in), root / "cn" / "strs.lua", fs::copy_options::overwrite_existing, ec);
    if (ec) return 0;
    db_init();
    std::vector<text_info_t> store(8);
    std::vector<text_info_t*> recs;
    for (auto& r : store) recs.push_back(&r);
    db_read_recs(L"strs:pwrs", recs, L"strs");
    (void)db_get_str(L"strs:xbns_note", L"strs");
    text_info_t one;
    db_read_text_info(L"strs:map_envs/1", &one, L"strs");
    return 0;
}
