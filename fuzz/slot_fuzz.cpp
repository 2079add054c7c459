// Arbitrary bytes as a saves folder: the arena's "main.cfg" and a layout of
// slot folders (slots, half-done switches, kept folders, party and member
// files whole, cut short or damaged, links). Settling, listing, entering and
// saving must neither crash nor leave a half-done switch, and what a save
// writes must load back as it was.
#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "app/mem_io.h"
#include "app/paths.h"
#include "app/sys.h"
#include "fuzz/fuzz_bytes.h"
#include "rules/bld_ids.h"
#include "rules/pty.h"
#include "rules/pwr.h"
#include "rules/save_slots.h"
#include "rules/unit.h"

namespace fs = std::filesystem;

namespace {

const char* const slot_names[] = {"arena/10000001", "arena/10000002", "arena/10000003", "arena/99999999",
                                  "adv/00000001"};
const char* const suffixes[] = {"", ".new", ".old", ".kept", ".old"};

struct good_t {
    std::string unit, pty;
};

good_t make_good() {
    build_pwrs();
    good_t g;
    unit_t u;
    u.from_bld(BLD_TH, L"x", L"units_pc/010101", L"faces_pc/0102");
    mem_io_t mu, mp;
    u.save(mu);
    pty_t p;
    p.name = L"p";
    p.save(mp);
    return {mu.data, mp.data};
}

void put_file(const fs::path& p, const std::string& body) {
    if (FILE* f = std::fopen(p.c_str(), "wb")) {
        std::fwrite(body.data(), 1, body.size(), f);
        std::fclose(f);
    }
}

// Whole (255), cut short (254, then the length), or raw bytes of the given length.
std::string body(fuzz_bytes_t& in, const std::string& good) {
    const uint8_t len = in.byte();
    if (len == 255) return good;
    if (len == 254) return good.substr(0, size_t(in.byte()) * 16);
    return in.run(len);
}

void build_layout(fuzz_bytes_t& in, const fs::path& saves, const good_t& good) {
    std::error_code ec;
    const uint8_t cfg = in.byte();
    if (!(cfg & 0x80)) put_file(saves / "arena/main.cfg", in.run(cfg & 15));
    while (in.more()) {
        const uint8_t at = in.byte(), what = in.byte();
        const fs::path dir = saves / (std::string(slot_names[at % 5]) + suffixes[at / 5 % 5]);
        fs::create_directories(dir, ec);
        const std::string member = "0000000" + std::to_string(what / 4 % 8) + ".pc";
        switch (what % 4) {
        case 0: break;  // the folder alone
        case 1: put_file(dir / "my.pty", body(in, good.pty)); break;
        case 2: put_file(dir / member, body(in, good.unit)); break;
        default: fs::create_symlink(what & 0x80 ? "/dev/zero" : "nowhere", dir / member, ec); break;
        }
    }
}

bool half_done_left(const fs::path& root) {
    std::error_code ec;
    for (const auto& e : fs::directory_iterator(root, ec)) {
        const std::string ext = e.path().extension().string();
        if ((ext == ".new" || ext == ".old") && e.is_directory(ec) && !e.is_symlink(ec)) return true;
    }
    return false;
}

std::vector<std::wstring> names_of(const pty_t& p) {
    std::vector<std::wstring> v;
    for (const unit_t* u : p.units) v.push_back(u->name.buf);
    return v;
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size) {
    static const good_t good = make_good();
    static const std::string root = fuzz_work_dir("slot_fuzz");
    static const bool ready = (set_exe_dir(utf8_to_str(root.c_str()).buf), true);
    (void)ready;
    const fs::path saves = fs::path(root) / "saves";
    std::error_code ec;
    fs::remove_all(saves, ec);
    fs::create_directories(saves / "arena", ec);
    fs::create_directories(saves / "adv", ec);
    fuzz_bytes_t in{data, size};
    build_layout(in, saves, good);

    forget_slot_cfgs();
    g_pty.reset();
    settle_saves();
    if (half_done_left(saves / "arena") || half_done_left(saves / "adv")) std::abort();
    (void)list_arena_slots();
    slot_load_t w;
    load_arena_slot(SLOT_CUR, &w);
    // A slot that did not load whole was moved aside, not written over.
    if (w.damaged && !w.kept.empty() && !fs::is_directory(fs::path(root) / os_path(w.kept.buf), ec)) std::abort();
    load_adv_slot(1, SLOT_FILES);

    g_pty.name = L"saved";
    const std::vector<std::wstring> names = names_of(g_pty);
    if (save_arena_slot(SLOT_CUR)) {
        const int n = cur_slot_id();
        g_pty.reset();
        if (!load_slot_dir(arena_slot_dir(n).buf) || g_pty.name != L"saved" || names_of(g_pty) != names)
            std::abort();  // what was saved does not load back
    }
    if (half_done_left(saves / "arena")) std::abort();
    return 0;
}
