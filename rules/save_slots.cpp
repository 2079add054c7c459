#include "rules/save_slots.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/ini.h"
#include "app/io.h"
#include "app/num_parse.h"
#include "app/paths.h"
#include "app/str_parts.h"
#include "app/sys.h"
#include "rules/le_io.h"
#include "rules/pty.h"
#include "rules/save_file.h"
#include "rules/unit.h"

namespace {

constexpr int CFG_BYTES = 8;
constexpr int SLOT_DIGITS = 8;
constexpr int SLOT_MAX = 99999999;  // eight digits
constexpr int MAX_MEMBERS = 1000;   // far past any party; stops a runaway folder
// A unit record with three long strings and every power fits well within this.
constexpr int MAX_UNIT_BYTES = 1 << 20;
constexpr int MAX_PTY_BYTES = 1 << 20;
constexpr int PC_ID_DEFAULT = 100;

int g_cur_slot = 0;

struct mode_cfg_t {
    const wchar_t* dir;  // under the game folder
    slot_cfg_t dflt;
    slot_cfg_t rec;
    bool read = false;
};

mode_cfg_t adv_mode{L"saves/adv/", {1, 0}, {}};
mode_cfg_t arena_mode{L"saves/arena/", {ARENA_FIRST_SLOT, 0}, {}};

Str mode_root(const mode_cfg_t& m) { return get_exe_dir() + m.dir; }
Str cfg_path(const mode_cfg_t& m) { return mode_root(m) + L"main.cfg"; }

bool parse_cfg(io::io_t& f, slot_cfg_t& out) {
    int32_t w[2];
    if (!le_get_i32s(f, w, 2)) return false;
    // Numbers past eight digits would name folders the listing cannot find.
    if (w[0] < 1 || w[0] > SLOT_MAX || w[1] < 0 || w[1] > SLOT_MAX) return false;
    out = {w[0], w[1]};
    return true;
}

slot_cfg_t& mode_rec(mode_cfg_t& m) {
    if (!m.read) {
        m.read = true;
        m.rec = m.dflt;
        slot_cfg_t got;
        if (load_file_whole(cfg_path(m).buf, CFG_BYTES, [&](io::io_t& f) { return parse_cfg(f, got); })) m.rec = got;
    }
    return m.rec;
}

bool write_cfg(mode_cfg_t& m) {
    const slot_cfg_t& r = mode_rec(m);
    const int32_t w[2] = {r.next, r.cur};
    ensure_dir(mode_root(m).buf);
    return save_file_atomic(cfg_path(m).buf, [&](io::io_t& f) { return le_put_i32s(f, w, 2); });
}

int resolve(slot_cfg_t& r, int n) {
    if (n == SLOT_NEW)
        n = r.next++;
    else if (n == SLOT_CUR)
        n = r.cur;
    r.cur = n;
    g_cur_slot = n;
    return n;
}

Str slot_dir(const mode_cfg_t& m, int n) { return mode_root(m) + Str(L"%08d/", n); }

bool load_members(const Str& folder, std::vector<unit_t*>& out) {
    for (int i = 0; i < MAX_MEMBERS; ++i) {
        const Str path = slot_member_path(folder.buf, i);
        if (!file_exists(path.buf)) return true;
        auto* u = new unit_t;
        out.push_back(u);
        if (!load_unit_file(path.buf, *u)) return false;
    }
    return true;
}

// Member files of an earlier, larger party would come back on the next load.
bool remove_members_from(const Str& folder, int first) {
    bool ok = true;
    sys_dir_t dir(folder.buf);
    sys_dir_entry_t e;
    std::vector<Str> stale;
    while (dir.next(e)) {
        int i = 0;
        if (e.is_folder || e.name.length() != SLOT_DIGITS + 3 || !str_ends_with(e.name.buf, L".pc")) continue;
        if (parse_int_n(e.name.buf, SLOT_DIGITS, &i) && i >= first) stale.push_back(folder + e.name);
    }
    for (const Str& p : stale) {
        std::error_code ec;
        std::filesystem::remove(os_path(p.buf), ec);
        ok = ok && !ec;
    }
    return ok;
}

}  // namespace

slot_cfg_t& get_adv_cfg() { return mode_rec(adv_mode); }
slot_cfg_t& get_arena_cfg() { return mode_rec(arena_mode); }

void forget_slot_cfgs() {
    adv_mode.read = false;
    arena_mode.read = false;
}

int cur_slot_id() { return g_cur_slot; }

Str adv_slot_dir(int n) { return slot_dir(adv_mode, n); }
Str arena_slot_dir(int n) { return slot_dir(arena_mode, n); }
Str adv_cur_slot_dir() { return adv_slot_dir(g_cur_slot); }
Str slot_member_path(const wchar_t* folder, int i) { return Str(folder) + Str(L"%08d.pc", i); }

std::vector<int> list_slot_ids(const wchar_t* folder) {
    std::vector<int> ids;
    sys_dir_t dir(folder);
    sys_dir_entry_t e;
    while (dir.next(e)) {
        int n = 0;
        // Only real folders: a link could lead anywhere.
        if (!e.is_folder || e.is_link || e.name.length() != SLOT_DIGITS) continue;
        if (parse_int_n(e.name.buf, SLOT_DIGITS, &n)) ids.push_back(n);
    }
    std::sort(ids.begin(), ids.end());
    return ids;
}

std::vector<slot_info_t> list_arena_slots() {
    std::vector<slot_info_t> out;
    for (int id : list_slot_ids(mode_root(arena_mode).buf)) {
        pty_t p;
        const Str path = arena_slot_dir(id) + L"my.pty";
        if (load_file_whole(path.buf, MAX_PTY_BYTES, [&](io::io_t& f) { return p.load(f); }))
            out.push_back({id, p.name});
    }
    return out;
}

bool load_slot_dir(const wchar_t* folder_) {
    Str folder(folder_);
    add_trailing_sep(folder);
    pty_t t;
    const Str pty_path = folder + L"my.pty";
    if (!load_file_whole(pty_path.buf, MAX_PTY_BYTES, [&](io::io_t& f) { return t.load(f); })) return false;
    if (!load_members(folder, t.units)) return false;  // t deletes what it read
    g_pty.assign_data(t);
    unit_vec_clear(g_pty.units);
    g_pty.units.swap(t.units);
    return true;
}

bool save_slot_dir(const wchar_t* folder_) {
    Str folder(folder_);
    add_trailing_sep(folder);
    if (!ensure_dir(folder.buf)) return false;
    const Str pty_path = folder + L"my.pty";
    bool ok = save_file_atomic(pty_path.buf, [](io::io_t& f) { return g_pty.save(f); });
    const int n = int(g_pty.units.size());
    for (int i = 0; i < n; ++i) ok = save_unit_file(slot_member_path(folder.buf, i).buf, *g_pty.units[size_t(i)]) && ok;
    return remove_members_from(folder, n) && ok;
}

bool load_adv_slot(int n, int flags) {
    resolve(get_adv_cfg(), n);
    return !(flags & SLOT_FILES) || load_slot_dir(adv_cur_slot_dir().buf);
}

bool save_adv_slot(int n, int flags) {
    resolve(get_adv_cfg(), n);
    bool ok = !(flags & SLOT_WRITE_CFG) || write_cfg(adv_mode);
    if (flags & SLOT_FILES) ok = save_slot_dir(adv_cur_slot_dir().buf) && ok;
    return ok;
}

bool load_arena_slot(int n) {
    if (!file_exists(cfg_path(arena_mode).buf)) return new_arena_game();
    slot_cfg_t& r = get_arena_cfg();
    n = resolve(r, n);
    if (!path_exists(arena_slot_dir(n).buf)) {
        const std::vector<int> ids = list_slot_ids(mode_root(arena_mode).buf);
        if (ids.empty()) {
            r = arena_mode.dflt;
            return new_arena_game();
        }
        n = resolve(r, ids.front());
    }
    return load_slot_dir(arena_slot_dir(n).buf);
}

bool save_arena_slot(int n) {
    slot_cfg_t& r = get_arena_cfg();
    // A lost "main.cfg" must never make a new slot overwrite an old one.
    if (n == SLOT_NEW)
        for (int id : list_slot_ids(mode_root(arena_mode).buf))
            if (r.next <= id) r.next = id + 1;
    n = resolve(r, n);
    const bool cfg_ok = write_cfg(arena_mode);
    return save_slot_dir(arena_slot_dir(n).buf) && cfg_ok;
}

bool new_arena_game() {
    ensure_dir(mode_root(arena_mode).buf);
    reset_pty();
    return save_arena_slot(SLOT_NEW);
}

Str pc_file_path(int id) { return get_exe_dir() + Str(L"saves/pcs/%08d.pc", id); }

int take_next_pc_id(CZsIni& cfg) {
    int id = std::max(1, cfg.get_int(L"next_pc_id", PC_ID_DEFAULT, L"Main"));
    // A lost config.ini must never let a new character overwrite a saved one.
    while (id < SLOT_MAX && file_exists(pc_file_path(id).buf)) ++id;
    cfg.set_int(L"next_pc_id", id + 1, L"Main");
    return id;
}

int take_next_pc_id() { return take_next_pc_id(CZsConfig::instance()); }

bool save_unit_file(const wchar_t* path, const unit_t& u) {
    // "saves/pcs/" does not exist before the first character is kept.
    ensure_dir(get_parent_dir(path).buf);
    return save_file_atomic(path, [&](io::io_t& f) { return u.save(f); });
}

bool load_unit_file(const wchar_t* path, unit_t& u) {
    // Read into a copy first: the live unit changes only when the whole file is good.
    unit_t t;
    if (!load_file_whole(path, MAX_UNIT_BYTES, [&](io::io_t& f) { return t.load(f); })) return false;
    u = t;
    return true;
}
