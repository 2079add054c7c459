#include "rules/save_slots.h"

#include <algorithm>
#include <filesystem>
#include <system_error>

#include "app/ini.h"
#include "app/io.h"
#include "app/num_parse.h"
#include "app/paths.h"
#include "app/safe_file.h"
#include "app/str_parts.h"
#include "app/sys.h"
#include "rules/le_io.h"
#include "rules/pty.h"
#include "rules/save_file.h"
#include "rules/unit.h"

namespace fs = std::filesystem;

namespace {

constexpr int CFG_BYTES = 8;
constexpr int SLOT_DIGITS = 8;
constexpr int SLOT_MAX = 99999999;  // eight digits
constexpr int MAX_MEMBERS = 1000;   // far past any party; stops a runaway folder
// A unit record with three long strings and every power fits well within this.
constexpr int MAX_UNIT_BYTES = 1 << 20;
constexpr int MAX_PTY_BYTES = 1 << 20;
constexpr int PC_ID_DEFAULT = 100;
constexpr int PC_ID_MAX = 99999999;  // eight digits in the file name
constexpr int MAX_KEPT = 1000;       // "<slot>.kept" to "<slot>.kept1000"

// Beside a slot folder "<n>": the next content, while it is written, and the
// old content, while the new one takes its place (see save_slot_dir).
constexpr const wchar_t* NEW_EXT = L".new";
constexpr const wchar_t* OLD_EXT = L".old";
// Files of a replaced slot that no load would read stay in "<n>.kept".
constexpr const wchar_t* KEPT_EXT = L".kept";
// A slot that did not load whole is moved aside to "<n>.damaged", untouched.
constexpr const wchar_t* DAMAGED_EXT = L".damaged";

int g_cur_slot = 0;

struct mode_cfg_t {
    const wchar_t* dir;  // under the game folder
    slot_cfg_t dflt;
    slot_cfg_t rec;
    bool read = false;
    bool damaged = false;  // "main.cfg" was there but could not be read
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
        const bool ok = load_file_whole(cfg_path(m).buf, CFG_BYTES, [&](io::io_t& f) { return parse_cfg(f, got); });
        if (ok) m.rec = got;
        m.damaged = !ok && path_exists(cfg_path(m).buf);
    }
    return m.rec;
}

bool write_cfg(mode_cfg_t& m) {
    const slot_cfg_t& r = mode_rec(m);
    const int32_t w[2] = {r.next, r.cur};
    ensure_dir(mode_root(m).buf);
    return save_file_atomic(cfg_path(m).buf, [&](io::io_t& f) { return le_put_i32s(f, w, 2); });
}

Str slot_dir(const mode_cfg_t& m, int n) { return mode_root(m) + Str(L"%08d/", n); }

// ---- the disk, through std::filesystem ----

fs::path fs_path(const Str& s) { return fs::path(os_path(s.buf)); }

// Links count as they are, dangling or not: nothing here follows one.
bool entry_exists(const fs::path& p) {
    std::error_code ec;
    return fs::exists(fs::symlink_status(p, ec));
}

bool is_real_dir(const fs::path& p) {
    std::error_code ec;
    return fs::is_directory(fs::symlink_status(p, ec));
}

fs::path with_ext(const fs::path& slot, const wchar_t* ext) { return fs::path(slot.native() + os_path(ext)); }

void flush_dir(const fs::path& dir) { flush_dir_to_disk(from_os_path(dir).buf); }

bool is_member_name(const Str& name, int* i) {
    return name.length() == SLOT_DIGITS + 3 && str_ends_with(name.buf, L".pc") && parse_int_n(name.buf, SLOT_DIGITS, i);
}

// The numbers of the entries named "%08d.pc" in a folder, of any kind, in ascending order.
std::vector<int> member_ids(const fs::path& dir) {
    std::vector<int> ids;
    sys_dir_t d(from_os_path(dir).buf);
    sys_dir_entry_t e;
    for (int i = 0; d.next(e);)
        if (is_member_name(e.name, &i)) ids.push_back(i);
    std::sort(ids.begin(), ids.end());
    return ids;
}

// What a load of the folder reads: the members from 0 up to the first missing one.
int members_read(const std::vector<int>& ids) {
    int n = 0;
    while (size_t(n) < ids.size() && ids[size_t(n)] == n) ++n;
    return n;
}

bool load_members(const Str& folder, std::vector<unit_t*>& out) {
    const std::vector<int> ids = member_ids(fs_path(folder));
    const int n = members_read(ids);
    // A member past a gap means one is missing: the party would lose it in silence.
    if (size_t(n) != ids.size() || n > MAX_MEMBERS) return false;
    for (int i = 0; i < n; ++i) {
        auto* u = new unit_t;
        out.push_back(u);
        if (!load_unit_file(slot_member_path(folder.buf, i).buf, *u)) return false;
    }
    return true;
}

// Temporary files of ours: "<name>.tmp" of a file the game writes there.
bool is_our_tmp(const Str& name) {
    int i = 0;
    if (!str_ends_with(name.buf, L".tmp")) return false;
    const Str base = name.left(name.length() - 4);
    return base == Str(L"my.pty") || base == Str(L"main.cfg") || is_member_name(base, &i);
}

void remove_our_tmps(const fs::path& dir) {
    std::vector<fs::path> tmps;
    sys_dir_t d(from_os_path(dir).buf);
    sys_dir_entry_t e;
    while (d.next(e))
        if (!e.is_folder && is_our_tmp(e.name)) tmps.push_back(dir / os_path(e.name.buf));
    std::error_code ec;
    for (const fs::path& p : tmps) fs::remove(p, ec);
}

// Renames dir to the first free name of "<slot><ext>", "<slot><ext>2", ...;
// that name, or an empty path when no name was free or the rename failed.
fs::path move_aside(const fs::path& dir, const fs::path& slot, const wchar_t* ext) {
    std::error_code ec;
    for (int k = 1; k <= MAX_KEPT; ++k) {
        const fs::path to = with_ext(slot, k == 1 ? ext : Str(L"%s%d", ext, k).buf);
        if (entry_exists(to)) continue;
        fs::rename(dir, to, ec);
        return ec ? fs::path() : to;
    }
    return {};
}

// Removes from the replaced content of a slot what a load of it read, the
// highest member first, so that a kill midway leaves the same kind of folder;
// then the folder, or, when it holds anything else, the folder is kept under
// "<slot>.kept" (a save never deletes what no load accounted for).
void dispose_old(const fs::path& old, const fs::path& slot) {
    std::error_code ec;
    remove_our_tmps(old);
    const Str folder = from_os_path(old) + L"/";
    for (int i = members_read(member_ids(old)); i-- > 0;) fs::remove(fs_path(slot_member_path(folder.buf, i)), ec);
    fs::remove(old / "my.pty", ec);
    if (fs::remove(old, ec) || !entry_exists(old)) return;
    move_aside(old, slot, KEPT_EXT);
}

// Finishes or undoes a switch a kill interrupted. "<n>.old" is made only once
// "<n>.new" is whole and on the disk, so with both and no "<n>" the new content
// goes in; "<n>.new" without "<n>.old" was never switched to and goes.
bool settle_slot(const fs::path& slot) {
    const fs::path fresh = with_ext(slot, NEW_EXT), old = with_ext(slot, OLD_EXT);
    std::error_code ec;
    bool changed = false;
    if (is_real_dir(old) && !entry_exists(slot)) {
        fs::rename(is_real_dir(fresh) ? fresh : old, slot, ec);
        if (ec) return false;
        changed = true;
    }
    if (is_real_dir(old)) {
        dispose_old(old, slot);
        changed = true;
    }
    if (is_real_dir(fresh)) {
        fs::remove_all(fresh, ec);
        changed = true;
    }
    if (changed) flush_dir(slot.parent_path());
    return !is_real_dir(fresh) && !is_real_dir(old);
}

// The slot's content in the new folder "<n>.new", each file flushed to the
// disk, and the folder too.
bool write_fresh(const fs::path& fresh) {
    const Str folder = from_os_path(fresh) + L"/";
    bool ok = write_file_synced((folder + L"my.pty").buf, [](io::io_t& f) { return g_pty.save(f); });
    for (size_t i = 0; ok && i < g_pty.units.size(); ++i) {
        const unit_t& u = *g_pty.units[i];
        ok = write_file_synced(slot_member_path(folder.buf, int(i)).buf, [&](io::io_t& f) { return u.save(f); });
    }
    return ok && flush_dir_to_disk(folder.buf);
}

// The slot folder without its trailing separator.
fs::path slot_path(const wchar_t* folder) {
    Str s(folder);
    while (s.length() > 1 && (s.at(s.length() - 1) == L'/' || s.at(s.length() - 1) == L'\\')) s.drop_back(1);
    return fs_path(s);
}

bool slot_name_taken(const mode_cfg_t& m, int n) {
    const fs::path slot = slot_path(slot_dir(m, n).buf);
    return entry_exists(slot) || entry_exists(with_ext(slot, NEW_EXT)) || entry_exists(with_ext(slot, OLD_EXT)) ||
           entry_exists(with_ext(slot, KEPT_EXT)) || entry_exists(with_ext(slot, DAMAGED_EXT));
}

// The number a request stands for, which becomes current; -1 (nothing
// changed) when no number of eight digits is left or the number has more.
int resolve(mode_cfg_t& m, int n) {
    slot_cfg_t& r = mode_rec(m);
    if (n == SLOT_NEW) {
        // A lost or damaged "main.cfg" must never make a new slot take a folder that exists.
        for (int id : list_slot_ids(mode_root(m).buf))
            if (r.next <= id) r.next = id + 1;
        while (r.next <= SLOT_MAX && slot_name_taken(m, r.next)) ++r.next;
        if (r.next > SLOT_MAX) return -1;
        n = r.next++;
    } else if (n == SLOT_CUR) {
        n = r.cur;
    }
    if (n < 0 || n > SLOT_MAX) return -1;
    r.cur = n;
    g_cur_slot = n;
    return n;
}

void settle_mode(const mode_cfg_t& m) {
    const fs::path root = fs_path(mode_root(m));
    std::vector<fs::path> slots;
    sys_dir_t d(from_os_path(root).buf);
    sys_dir_entry_t e;
    for (int n = 0; d.next(e);) {
        const int len = e.name.length();
        if (!e.is_folder || e.is_link || len != SLOT_DIGITS + 4 || !parse_int_n(e.name.buf, SLOT_DIGITS, &n)) continue;
        if (str_ends_with(e.name.buf, NEW_EXT) || str_ends_with(e.name.buf, OLD_EXT))
            slots.push_back(root / os_path(e.name.left(SLOT_DIGITS).buf));
    }
    for (const fs::path& slot : slots) settle_slot(slot);
    for (int id : list_slot_ids(from_os_path(root).buf)) remove_our_tmps(root / os_path(Str(L"%08d", id).buf));
    remove_our_tmps(root);
}

// The party from a slot folder that did not load whole: the party file when
// it reads, else a new game's party data, with every member file that reads,
// in number order. Names what could not be read; false when nothing could.
bool read_damaged_slot(const Str& folder, pty_t& t, std::vector<Str>& unread) {
    const bool pty_ok =
        load_file_whole((folder + L"my.pty").buf, MAX_PTY_BYTES, [&](io::io_t& f) { return t.load(f); });
    if (!pty_ok) unread.push_back(Str(L"my.pty"));
    std::vector<unit_t*> units;
    int expected = 0;
    for (int id : member_ids(fs_path(folder))) {
        if (id >= MAX_MEMBERS) break;
        for (; expected < id; ++expected) unread.push_back(Str(L"%08d.pc", expected));
        expected = id + 1;
        auto* u = new unit_t;
        if (load_unit_file(slot_member_path(folder.buf, id).buf, *u)) {
            units.push_back(u);
        } else {
            delete u;
            unread.push_back(Str(L"%08d.pc", id));
        }
    }
    if (!pty_ok && units.empty()) return false;
    if (pty_ok)
        t.units = std::move(units);
    else
        t.init(NEW_PTY_NAME, units);
    return true;
}

// Slot n did not load whole. Its folder is moved aside untouched and what
// could be read becomes the party; true when anything could be read (the
// caller then saves it: as slot n again, or as a new slot when the folder
// could not be moved, so nothing is ever written over it).
bool salvage_slot(int n, slot_load_t& w) {
    const Str folder = slot_dir(arena_mode, n);
    pty_t t;
    const bool got = read_damaged_slot(folder, t, w.unread);
    const fs::path slot = slot_path(folder.buf);
    const fs::path kept = move_aside(slot, slot, DAMAGED_EXT);
    if (!kept.empty()) {
        w.kept = Str(arena_mode.dir) + from_os_path(kept.filename());
        flush_dir(slot.parent_path());
    }
    if (!got) return false;
    w.salvaged = true;
    g_pty.assign_data(t);
    unit_vec_clear(g_pty.units);
    g_pty.units.swap(t.units);
    return true;
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
    settle_slot(slot_path(folder.buf));
    pty_t t;
    const Str pty_path = folder + L"my.pty";
    if (!load_file_whole(pty_path.buf, MAX_PTY_BYTES, [&](io::io_t& f) { return t.load(f); })) return false;
    if (!load_members(folder, t.units)) return false;  // t deletes what it read
    g_pty.assign_data(t);
    unit_vec_clear(g_pty.units);
    g_pty.units.swap(t.units);
    return true;
}

// A slot is one unit on disk: the new content is written whole into
// "<n>.new" and flushed, then "<n>" is renamed to "<n>.old" and "<n>.new" to
// "<n>", and only then is "<n>.old" removed. A kill at any moment leaves the
// whole old save or the whole new one; settle_slot finishes or undoes the rest.
bool save_slot_dir(const wchar_t* folder) {
    const fs::path slot = slot_path(folder);
    const fs::path fresh = with_ext(slot, NEW_EXT), old = with_ext(slot, OLD_EXT);
    std::error_code ec;
    fs::create_directories(slot.parent_path(), ec);
    if (!settle_slot(slot)) return false;
    const bool had = entry_exists(slot);
    // A link or a file in the slot's place is not ours to replace.
    if (had && !is_real_dir(slot)) return false;
    if (!fs::create_directory(fresh, ec)) return false;
    if (!write_fresh(fresh)) {
        fs::remove_all(fresh, ec);
        return false;
    }
    if (had) {
        fs::rename(slot, old, ec);
        if (ec) {
            fs::remove_all(fresh, ec);
            return false;
        }
        flush_dir(slot.parent_path());
    }
    fs::rename(fresh, slot, ec);
    if (ec) {
        if (had) fs::rename(old, slot, ec);
        fs::remove_all(fresh, ec);
        return false;
    }
    flush_dir(slot.parent_path());
    if (had) {
        dispose_old(old, slot);
        flush_dir(slot.parent_path());
    }
    return true;
}

void settle_saves() {
    settle_mode(adv_mode);
    settle_mode(arena_mode);
    remove_our_tmps(fs_path(get_exe_dir() + L"saves/pcs/"));
}

bool load_adv_slot(int n, int flags) {
    if (resolve(adv_mode, n) < 0) return false;
    return !(flags & SLOT_FILES) || load_slot_dir(adv_cur_slot_dir().buf);
}

bool save_adv_slot(int n, int flags) {
    if (resolve(adv_mode, n) < 0) return false;
    // The slot before its number: a kill between them leaves a counter that
    // still names the old slot, never one that names a slot not yet written.
    bool ok = !(flags & SLOT_FILES) || save_slot_dir(adv_cur_slot_dir().buf);
    if (flags & SLOT_WRITE_CFG) ok = write_cfg(adv_mode) && ok;
    return ok;
}

bool load_arena_slot(int n, slot_load_t* what) {
    slot_load_t local;
    slot_load_t& w = what ? *what : local;
    w = slot_load_t();
    auto new_game = [&] {
        w.new_game = true;
        const bool ok = new_arena_game();
        w.got = g_cur_slot;
        return ok;
    };
    if (!file_exists(cfg_path(arena_mode).buf)) return new_game();
    const int named = get_arena_cfg().cur;
    // The slot loaded is the one the next start resumes, even when no save follows (a kill).
    auto loaded = [&](int id) {
        w.got = id;
        if (id != named) write_cfg(arena_mode);
        return true;
    };
    n = resolve(arena_mode, n);
    w.wanted = n;
    w.cfg_damaged = arena_mode.damaged;
    if (n >= 0 && path_exists(arena_slot_dir(n).buf)) {
        if (load_slot_dir(arena_slot_dir(n).buf)) return loaded(n);
        w.damaged = true;
        if (salvage_slot(n, w)) {
            const bool ok = save_arena_slot(w.kept.empty() ? SLOT_NEW : n);
            w.got = g_cur_slot;
            return ok;
        }
    } else {
        w.missing = true;
    }
    // Gone, or nothing of it could be read: the first slot that loads whole.
    const std::vector<int> ids = list_slot_ids(mode_root(arena_mode).buf);
    for (int id : ids) {
        if (id == n) continue;
        if (load_slot_dir(arena_slot_dir(id).buf)) return loaded(resolve(arena_mode, id));
    }
    if (ids.empty()) get_arena_cfg() = arena_mode.dflt;
    return new_game();
}

bool save_arena_slot(int n) {
    n = resolve(arena_mode, n);
    if (n < 0) return false;
    const bool slot_ok = save_slot_dir(arena_slot_dir(n).buf);
    return write_cfg(arena_mode) && slot_ok;
}

bool new_arena_game() {
    ensure_dir(mode_root(arena_mode).buf);
    reset_pty();
    return save_arena_slot(SLOT_NEW);
}

Str pc_file_path(int id) { return get_exe_dir() + Str(L"saves/pcs/%08d.pc", id); }

int take_next_pc_id(CZsIni& cfg, int min_id) {
    // A lost or reset config.ini must not hand out an id the caller lists.
    if (min_id > 0 && min_id <= PC_ID_MAX && cfg.get_int(L"next_pc_id", PC_ID_DEFAULT, L"Main") < min_id)
        cfg.set_int(L"next_pc_id", min_id, L"Main");
    // A lost config.ini must never let a new character overwrite a saved one.
    auto first_free = [](int from) {
        for (int id = from; id <= PC_ID_MAX; ++id)
            if (!entry_exists(fs_path(pc_file_path(id)))) return id;
        return 0;
    };
    int id = cfg.get_int(L"next_pc_id", PC_ID_DEFAULT, L"Main");
    // Past eight digits an id would name a file no listing finds, or wrap negative.
    if (id < 1 || id > PC_ID_MAX) id = PC_ID_DEFAULT;
    id = first_free(id);
    if (id == 0) id = first_free(PC_ID_DEFAULT);
    if (id == 0) return 0;
    cfg.set_int(L"next_pc_id", id < PC_ID_MAX ? id + 1 : PC_ID_DEFAULT, L"Main");
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
