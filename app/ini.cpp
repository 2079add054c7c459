#include "app/ini.h"

#include <cstdio>
#include <filesystem>
#include <system_error>

#include <unistd.h>

#include "app/io.h"
#include "app/paths.h"
#include "app/safe_file.h"
#include "app/str_parts.h"
#include "app/sys.h"

namespace fs = std::filesystem;

namespace {

constexpr int read_flags = ZF_WTEXT | ZF_TEXT;  // the mark, or its absence, decides the encoding
constexpr int write_flags = ZF_WTEXT | ZF_TEXT | ZF_CREAT | ZF_TRUNC | ZF_WRONLY;
constexpr int line_buf_chars = 1024;
// Far past any configuration the game writes; a file that reads on past it
// (a link to an endless device file) is not a configuration.
constexpr long max_ini_bytes = 4L << 20;

bool is_section_header(const Str& line, int len) {
    return len > 2 && line.at(0) == L'[' && line.at(len - 1) == L']';
}

// Splits as "%[^=]=%[^\n]" does: the key before the first "=", the rest the
// value; no "=" makes the whole line a key, a leading "=" gives neither.
void split_key_line(const Str& line, Str& key, Str& value) {
    key.assign(L"");
    value.assign(L"");
    const wchar_t* eq = std::wcschr(line.buf, L'=');
    if (!eq) {
        key.assign(line.buf);
    } else if (eq != line.buf) {
        key.assign_sub(line.buf, 0, int(eq - line.buf));
        value.assign(eq + 1);
    }
}

// A player who made the file read-only wants it kept: the rename would replace
// it anyway. Root may write anything, so the permission bits decide too.
bool may_replace(const Str& path) {
    const std::string os = os_path(path.buf);
    std::error_code ec;
    const fs::file_status st = fs::status(os, ec);
    if (ec || !fs::exists(st)) return true;
    constexpr fs::perms any_write = fs::perms::owner_write | fs::perms::group_write | fs::perms::others_write;
    return (st.permissions() & any_write) != fs::perms::none && ::access(os.c_str(), W_OK) == 0;
}

bool write_model(CZsFile& f, const CZsIni& ini) {
    bool ok = true;
    for (const auto& [k, v] : ini.root) ok &= f.print_line(L"%s=%s", k, v);
    if (!ini.root.empty()) ok &= f.print_line(L"");
    for (const auto& [name, keys] : ini.sections) {
        ok &= f.print_line(L"[%s]", name);
        for (const auto& [k, v] : keys) ok &= f.print_line(L"%s=%s", k, v);
        ok &= f.print_line(L"");
    }
    return ok;
}

// Written whole to a temporary file and flushed to the disk first, so a failed
// write, a kill or a power cut leaves the old file.
bool write_through_temp(const Str& path, const CZsIni& ini) {
    const Str tmp = path + L".tmp";
    remove_stale_file(tmp.buf);  // a leftover, or a link, must not receive the text
    std::error_code ec;
    CZsFile f;
    const bool opened = f.open(tmp.buf, write_flags, ZF_SHARE_DENY_NONE);
    bool ok = opened && write_model(f, ini) && f.flush_to_disk();
    ok = f.close() && ok;
    if (ok) fs::rename(os_path(tmp.buf), os_path(path.buf), ec);
    if (ok && !ec) {
        flush_dir_to_disk(get_parent_dir(path.buf).buf);
        return true;
    }
    if (opened) fs::remove(os_path(tmp.buf), ec);
    return false;
}

}  // namespace

CZsIni::CZsIni(const wchar_t* p) { load(p, true); }

bool CZsIni::load(const wchar_t* p, bool force) {
    path.assign(p);
    unreadable_ = false;
    if (!force && !sys_path_file_exists(path.buf)) return false;
    CZsFile f;
    if (!f.open(path.buf, read_flags, ZF_SHARE_DENY_NONE)) {
        unreadable_ = file_exists(path.buf);
        return false;
    }
    keys_t new_root;
    std::map<Str, keys_t> new_sections;
    keys_t* cur = &new_root;
    Str line, key, value;
    while (f.get_line(line, line_buf_chars)) {
        if (std::ftell(f.fp) > max_ini_bytes) {
            unreadable_ = true;  // so it is never overwritten either
            return false;
        }
        int len = line.length();
        if (len > 0 && line.at(len - 1) == L'\n') line.set_at(--len, 0);
        str_trim_left(line.buf);
        str_trim_right(line.buf);
        len = line.length();
        if (len == 0) continue;
        if (is_section_header(line, len)) {
            cur = &new_sections[line.mid(1, len - 2)];
            cur->clear();  // a repeated header starts its section afresh
            continue;
        }
        split_key_line(line, key, value);
        (*cur)[key] = value;
    }
    root.swap(new_root);
    sections.swap(new_sections);
    unreadable_ = f.read_error();
    return true;
}

bool CZsIni::save() {
    const std::string shown = to_utf8_string(path.buf);
    if (unreadable_) {
        std::printf("WARNING: %s could not be read, so it is not overwritten!\n", shown.c_str());
        return false;
    }
    if (!may_replace(path) || !write_through_temp(path, *this)) {
        std::printf("WARNING: %s could not be written!\n", shown.c_str());
        return false;
    }
    return true;
}

Str CZsIni::get_string(const wchar_t* key, const Str& def, const wchar_t* section) const {
    const keys_t* keys = &root;
    if (section) {
        const auto s = sections.find(Str(section));
        if (s == sections.end()) return def;
        keys = &s->second;
    }
    const auto k = keys->find(Str(key));
    return k == keys->end() ? def : k->second;
}

int CZsIni::get_int(const wchar_t* key, int def, const wchar_t* section) const {
    const Str text = get_string(key, int_to_str(def), section);
    int v = 0;
    return sys_str_to_int_ex(text.buf, true, &v) ? v : def;
}

void CZsIni::set_string(const wchar_t* key, const wchar_t* value, const wchar_t* section) {
    keys_t& keys = section ? sections[Str(section)] : root;
    keys[Str(key)] = Str(or_empty(value));
}

void CZsIni::set_int(const wchar_t* key, int value, const wchar_t* section) {
    set_string(key, Str(L"%d", value).buf, section);
}

CZsConfig::CZsConfig(const wchar_t* p) : CZsIni(p) { remove_stale_file((path + L".tmp").buf); }

CZsConfig& CZsConfig::instance() {
    // Destroyed (and so written) at process exit.
    static CZsConfig cfg((get_exe_dir() + L"config.ini").buf);
    return cfg;
}

Str config_get_string(const wchar_t* key, const wchar_t* def, const wchar_t* section) {
    return CZsConfig::instance().get_string(key, Str(def), section);
}
