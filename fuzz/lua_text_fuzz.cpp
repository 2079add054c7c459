// Arbitrary bytes as one of the Lua text files the game reads (the first byte
// chooses which; the others keep the game's own text): loading the language
// and reading every table, power, help topic and name list from it must
// neither crash nor write outside the tables, whatever the file holds.
#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

#include "app/db.h"
#include "app/text_info.h"
#include "fuzz/fuzz_bytes.h"
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/cond.h"
#include "rules/eff.h"
#include "rules/enums.h"
#include "rules/ex_info.h"
#include "rules/ie.h"
#include "rules/itm.h"
#include "rules/mon.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/rare_lv.h"
#include "rules/u_cat.h"

namespace fs = std::filesystem;

namespace {

// main.lua stands in the text folder, the others in the language's.
const char* const files[] = {"main",   "strs",  "effs", "itm_enchs", "clss",     "races", "u_cats",
                             "builds", "conds", "itms", "monsters",  "help",     "u_names"};
constexpr int FILES = int(sizeof files / sizeof files[0]);

fs::path file_path(const fs::path& root, int i) {
    return i == 0 ? root / "main.lua" : root / "cn" / (std::string(files[i]) + ".lua");
}

std::string read(const fs::path& p) {
    std::string s;
    if (FILE* f = std::fopen(p.c_str(), "rb")) {
        char buf[4096];
        for (size_t n; (n = std::fread(buf, 1, sizeof buf, f)) > 0;) s.append(buf, n);
        std::fclose(f);
    }
    return s;
}

void write(const fs::path& p, const std::string& s) {
    if (FILE* f = std::fopen(p.c_str(), "wb")) {
        std::fwrite(s.data(), 1, s.size(), f);
        std::fclose(f);
    }
}

template <class F>
void each_row(int rows, F get) {
    for (int i = 0; i < rows; ++i) (void)get(i);
}

void read_help() {
    if (!db_push_tbl(L"help:help/items", nullptr)) return;
    db_for_each_top([](int) {
        text_info_t t;
        db_read_top(&t);
        return true;
    });
    db_pop();
}

// What the game reads from each file, in the order of files.
void read_file(int i) {
    switch (i) {
    case 0:
    case 1:
        load_txt_tbls();
        load_pwr_texts();
        (void)db_get_str(L"strs:xbns_note", L"strs");
        (void)get_text_info(L"abi");
        break;
    case 2: each_row(EFF_COUNT, get_eff); break;
    case 3:
        each_row(IE_COUNT, get_ie);
        each_row(RARE_LV_COUNT, get_ex_info);
        break;
    case 4: each_row(CLS_COUNT, get_cls); break;
    case 5: each_row(RACE_COUNT, get_race); break;
    case 6: each_row(U_CAT_COUNT, get_u_cat); break;
    case 7: each_row(BLD_COUNT, get_bld); break;
    case 8: each_row(COND_COUNT, get_cond); break;
    case 9: each_row(ITM_COUNT, get_itm); break;
    case 10: each_row(MON_COUNT, get_mon); break;
    case 11: read_help(); break;
    default: (void)db_get_str(L"u_names", L"u_names"); break;
    }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const fs::path root = fuzz_work_dir("lua_text_fuzz");
    static std::vector<std::string> originals;
    static const bool ready = [] {
        lua_msg_box = [](const char*, const char*) {};
        std::error_code ec;
        fs::create_directories(root / "cn", ec);
        const fs::path texts = fs::path(TW_SOURCE_DIR) / "data/text";
        for (int i = 0; i < FILES; ++i) {
            originals.push_back(read(file_path(texts, i)));
            write(file_path(root, i), originals.back());
        }
        db_set_text_root((root.wstring() + L"/").c_str());
        db_set_lang(L"cn");
        reg_rules_tbls();
        build_pwrs();
        return !ec;
    }();
    if (!ready || size < 1) return 0;
    const int which = data[0] % FILES;
    write(file_path(root, which), std::string(reinterpret_cast<const char*>(data + 1), size - 1));
    db_init();
    read_file(which);
    write(file_path(root, which), originals[size_t(which)]);
    return 0;
}
