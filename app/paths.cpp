// Sections: program folders, taking paths apart, existence and creation,
// listings, wildcards, text, small services.
#include "app/paths.h"

#include <SDL.h>

#include <algorithm>
#include <climits>
#include <cstring>
#include <cwchar>
#include <cwctype>
#include <filesystem>

#include "app/codec.h"
#include "app/seams.h"
#include "app/sys.h"

namespace fs = std::filesystem;

namespace {

bool is_sep(wchar_t c) { return c == L'/' || c == L'\\'; }

int len_of(const wchar_t* s) { return s ? int(std::wcslen(s)) : 0; }

// The first n characters of s.
Str head(const wchar_t* s, int n) {
    Str r;
    r.assign_sub(s, 0, n);
    return r;
}

// Index of the last separator among the first n characters; -1 when none.
int last_sep(const wchar_t* s, int n) {
    for (int i = n - 1; i >= 0; --i)
        if (is_sep(s[i])) return i;
    return -1;
}

}  // namespace

// ---- program folders ----

namespace {
Str& exe_dir_store() {
    static Str dir;
    return dir;
}
}  // namespace

const Str& get_exe_dir() {
    Str& dir = exe_dir_store();
    if (dir.empty()) {
        dir = get_exe_path();
        sys_path_remove_file_name(dir);
        add_trailing_sep(dir);
    }
    return dir;
}

void set_exe_dir(const wchar_t* dir) {
    Str& d = exe_dir_store();
    d = dir;
    add_trailing_sep(d);
}

const Str& get_gfx_dir() {
    static const Str dir = get_exe_dir() + L"gfx/";
    return dir;
}

void add_trailing_sep(Str& path) {
    const int n = path.length();
    if (n == 0 || !is_sep(path.buf[n - 1])) path.append_char(L'/');
}

// ---- taking paths apart ----

Str get_parent_dir(const wchar_t* path) {
    int n = len_of(path);
    if (n > 0 && is_sep(path[n - 1])) --n;
    const int sep = last_sep(path, n);
    if (sep >= 0) return head(path, sep + 1);
    for (int i = n - 1; i >= 0; --i)
        if (path[i] == L':') return head(path, i + 1);
    return Str();
}

Str get_file_title(const wchar_t* path) {
    if (!path) return Str();
    const wchar_t* name = path + last_sep(path, len_of(path)) + 1;
    const wchar_t* dot = std::wcsrchr(name, L'.');
    return dot ? head(name, int(dot - name)) : Str(name);
}

void strip_ext(Str& s) {
    const int n = s.length();
    const int sep = last_sep(s.buf, n);
    for (int i = n - 1; i > sep; --i)
        if (s.buf[i] == L'.') {
            s.buf[i] = 0;
            return;
        }
}

void cut_prefix_and_ext(Str& s, int n) {
    if (n >= s.length())
        s.assign(L"");
    else if (n > 0)
        s.drop_front(n);
    strip_ext(s);
}

bool split_path_spec(const wchar_t* wild_path, Str& dir, Str& pattern) {
    const Str whole(wild_path);  // may point into dir or pattern
    dir = whole;
    const int sep = last_sep(whole.buf, whole.length());
    if (sep < 0) return false;
    pattern.assign(whole.buf + sep + 1);
    dir.buf[sep] = 0;
    return true;
}

// ---- existence and creation ----

bool file_exists(const wchar_t* path) { return sys_path_file_exists(path); }

bool path_exists(const wchar_t* path) {
    Str p(path);
    // A bare root keeps its separator: "/" alone is a folder, "" is nothing.
    if (p.length() > 1 && (str_ends_with(p, L"/") || str_ends_with(p, L"\\"))) p.drop_back(1);
    return file_exists(p);
}

bool create_dir_tree(const wchar_t* path) {
    if (!path || !*path) return false;
    const Str parent = get_parent_dir(path);
    // A parent no shorter than the path (a bare "C:") would recurse for ever.
    const bool make_parent = !parent.empty() && parent.length() < len_of(path) && !sys_path_file_exists(parent);
    if (make_parent && !create_dir_tree(parent)) return false;
    return sys_create_directory(path);
}

bool ensure_dir(const wchar_t* path) { return path_exists(path) || create_dir_tree(path); }

Str find_file_with_ext(const wchar_t* name, const wchar_t* dir, const std::vector<Str>& exts) {
    // A folder of the same name is never the media or data file asked for.
    auto is_file = [](const Str& p) { return file_exists(p) && !sys_is_folder(p); };
    const Str base = Str(dir) + (name ? name : L"");
    if (is_file(base)) return base;
    for (const Str& ext : exts) {
        Str p = base + L'.' + ext;
        if (is_file(p)) return p;
    }
    return Str();
}

// ---- listings ----

namespace {

struct walk_t {
    std::vector<Str>& out;
    const wchar_t* pattern;
    int flags;
    list_files_cb_t cb;
    void* user;
    bool stopped = false;

    int list(const wchar_t* dir);
    int add_if_wanted(const Str& folder, const sys_dir_entry_t& e);
};

int walk_t::add_if_wanted(const Str& folder, const sys_dir_entry_t& e) {
    const int kind = e.is_folder ? LF_FOLDERS : LF_FILES;
    if (!(flags & kind) || !match_wildcards(e.name, pattern, false)) return 0;
    out.push_back((flags & LF_FULL_PATH) ? folder + e.name : e.name);
    return 1;
}

int walk_t::list(const wchar_t* dir) {
    Str folder(dir);
    add_trailing_sep(folder);
    sys_dir_t d(folder);
    if (!d.is_open()) return 0;
    int count = 0;
    std::vector<Str> subs;
    sys_dir_entry_t e;
    while (d.next(e)) {
        if (e.is_folder && (e.name == L"." || e.name == L"..")) continue;
        if (cb && !cb(folder, e.name, e.is_folder, user)) {
            stopped = true;
            break;
        }
        // A linked folder may point back up the tree: list it, never enter it.
        if (e.is_folder && !e.is_link && (flags & LF_RECURSE)) subs.push_back(folder + e.name);
        count += add_if_wanted(folder, e);
    }
    for (size_t i = 0; i < subs.size() && !stopped; ++i) count += list(subs[i]);
    return count;
}

}  // namespace

int list_files_into(std::vector<Str>& out, const wchar_t* dir, const wchar_t* pattern, int flags,
                    list_files_cb_t cb, void* user) {
    walk_t w{out, pattern, flags, cb, user};
    const int count = w.list(dir);
    // One sort of the whole result gives the same order as sorting after every folder.
    if (flags & LF_SORT) std::sort(out.begin(), out.end());
    return count;
}

std::vector<Str> list_files(const wchar_t* dir, const wchar_t* pattern, int flags, list_files_cb_t cb,
                            void* user) {
    std::vector<Str> out;
    list_files_into(out, dir, pattern, flags, cb, user);
    return out;
}

std::vector<Str> list_files_spec(const wchar_t* wild_path, int flags, list_files_cb_t cb, void* user) {
    Str dir, pattern;
    split_path_spec(wild_path, dir, pattern);
    return list_files(dir, pattern, flags, cb, user);
}

// ---- wildcards ----

namespace {

bool same_char(wchar_t a, wchar_t b, bool case_sensitive) {
    return a == b || (!case_sensitive && std::towupper(wint_t(a)) == std::towupper(wint_t(b)));
}

// One pattern [p, pe) against the whole name. On a mismatch the last "*"
// swallows one more character; linear in practice, never exponential.
bool match_range(const wchar_t* n, const wchar_t* p, const wchar_t* pe, bool case_sensitive) {
    const wchar_t* star_p = nullptr;
    const wchar_t* star_n = nullptr;
    while (*n) {
        if (p < pe && *p == L'*') {
            star_p = ++p;
            star_n = n;
        } else if (p < pe && (*p == L'?' || same_char(*p, *n, case_sensitive))) {
            ++p;
            ++n;
        } else if (star_p) {
            p = star_p;
            n = ++star_n;
        } else {
            return false;
        }
    }
    // Trailing stars match nothing at the end of the name, so "a**" takes "a"
    // as "a*" does.
    while (p < pe && *p == L'*') ++p;
    return p == pe;
}

}  // namespace

bool match_wildcard(const wchar_t* name, const wchar_t* pattern, bool case_sensitive) {
    if (!pattern) return false;
    return match_range(name ? name : L"", pattern, pattern + std::wcslen(pattern), case_sensitive);
}

bool match_wildcards(const wchar_t* name, const wchar_t* patterns, bool case_sensitive) {
    if (!patterns) return false;
    if (!name) name = L"";
    for (const wchar_t* p = patterns; *p;) {
        const wchar_t* end = p;
        while (*end && *end != L';') ++end;
        if (end > p && match_range(name, p, end, case_sensitive)) return true;
        p = *end ? end + 1 : end;
    }
    return false;
}

// ---- text ----

int str_find_chr(const wchar_t* s, wchar_t c, int from) {
    if (!s || from < 0 || c == 0) return -1;  // a negative start would read before the text
    if (from != 0 && from >= len_of(s)) return -1;
    const wchar_t* hit = sys_str_chr(s + from, c);
    return hit ? int(hit - s) : -1;
}

bool str_ends_with(const wchar_t* s, const wchar_t* tail) {
    if (!s || !tail) return false;
    const int n = len_of(s), t = len_of(tail);
    return t <= n && std::wmemcmp(s + n - t, tail, size_t(t)) == 0;
}

namespace {

int dec_digit(wchar_t c) { return c >= L'0' && c <= L'9' ? c - L'0' : -1; }

int hex_digit(wchar_t c) {
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return dec_digit(c);
}

// Exactly n digits of one base; the terminator is not a digit, so a short text fails.
bool parse_n(const wchar_t* s, int n, int base, int (*digit)(wchar_t), unsigned long long max,
             unsigned long long* out) {
    if (!s || n <= 0) return false;
    unsigned long long v = 0;
    for (int i = 0; i < n; ++i) {
        const int d = digit(s[i]);
        if (d < 0) return false;
        v = v * unsigned(base) + unsigned(d);
        if (v > max) return false;
    }
    *out = v;
    return true;
}

}  // namespace

bool parse_int_n(const wchar_t* s, int n, int* out) {
    unsigned long long v;
    if (!parse_n(s, n, 10, dec_digit, INT_MAX, &v)) return false;
    if (out) *out = int(v);
    return true;
}

bool parse_hex_n(const wchar_t* s, int n, unsigned* out) {
    unsigned long long v;
    if (!parse_n(s, n, 16, hex_digit, UINT_MAX, &v)) return false;
    if (out) *out = unsigned(v);
    return true;
}

bool parse_leading_int(int* out, const wchar_t* s, const wchar_t** end) {
    if (!s || dec_digit(*s) < 0) {
        if (end) *end = s;
        return false;
    }
    if (out) *out = sys_str_to_int(s);
    while (dec_digit(*s) >= 0) ++s;
    if (end) *end = s;
    return true;
}

std::vector<Str> str_split(const wchar_t* text, const wchar_t* sep) {
    std::vector<Str> parts;
    if (!text || !*text) return parts;
    // An empty separator would never advance: the text is one part.
    const int step = len_of(sep);
    for (const wchar_t* p = text;;) {
        const wchar_t* hit = step ? sys_str_str(p, sep) : nullptr;
        if (!hit) {
            parts.emplace_back(p);
            return parts;
        }
        parts.push_back(head(p, int(hit - p)));
        p = hit + step;
    }
}

void str_split_into(const wchar_t* text, std::vector<Str>& out, const wchar_t* sep) {
    out.clear();
    if (!text) return;
    if (!*text)
        out.emplace_back();
    else
        out = str_split(text, sep);
}

void str_trim_left(wchar_t* s) {
    if (!s) return;
    wchar_t* p = s;
    while (sys_is_space(*p)) ++p;
    if (p != s) std::wmemmove(s, p, std::wcslen(p) + 1);
}

void str_trim_right(wchar_t* s) {
    if (!s) return;
    size_t n = std::wcslen(s);
    while (n > 0 && sys_is_space(s[n - 1])) --n;
    s[n] = 0;
}

const wchar_t* str_pool_t::add(const wchar_t* s) {
    if (!s || !*s) return nullptr;
    const size_t n = std::wcslen(s) + 1;
    auto copy = std::make_unique<wchar_t[]>(n);
    std::wmemcpy(copy.get(), s, n);
    items_.push_back(std::move(copy));
    return items_.back().get();
}

// ---- small services ----

namespace {

int sdl_open_url(const char* url) { return SDL_OpenURL(url); }

url_opener_t url_opener = sdl_open_url;

// "scheme:" of two or more characters; one letter before ":" is a drive.
bool has_url_scheme(const wchar_t* s) {
    if (!std::iswalpha(wint_t(s[0]))) return false;
    int i = 1;
    while (std::iswalnum(wint_t(s[i])) || s[i] == L'+' || s[i] == L'-' || s[i] == L'.') ++i;
    return s[i] == L':' && i >= 2;
}

std::string percent_encode_path(const std::string& path) {
    static const char hex[] = "0123456789ABCDEF";
    std::string out;
    for (unsigned char c : path) {
        if (std::isalnum(c) || std::strchr("-._~/", c)) {
            out += char(c);
        } else {
            out += '%';
            out += hex[c >> 4];
            out += hex[c & 15];
        }
    }
    return out;
}

}  // namespace

std::string shell_url(const wchar_t* file, const wchar_t* dir) {
    if (!file || !*file) return {};
    if (has_url_scheme(file)) return utf8_from_wide(file);
    std::error_code ec;
    fs::path p(os_path(file));
    if (p.is_relative()) {
        const fs::path base = dir && *dir ? fs::path(os_path(dir)) : fs::current_path(ec);
        p = base / p;
    }
    const fs::path abs = fs::absolute(p, ec);
    if (!ec) p = abs;
    p = p.lexically_normal();
    return "file://" + percent_encode_path(p.string());
}

bool shell_exec(const wchar_t* file, const wchar_t* verb, int show, const wchar_t* params, const wchar_t* dir,
                void* window) {
    if (verb && *verb && !match_wildcard(verb, L"open", false)) return false;
    // Nothing is ever run with arguments: a target opens or nothing happens.
    if (params && *params) return false;
    const std::string url = shell_url(file, dir);
    return !url.empty() && url_opener(url.c_str()) == 0;
}

void set_url_opener(url_opener_t fn) { url_opener = fn ? fn : sdl_open_url; }

namespace {
uint32_t tick_mark_ms = 0;
}

void tick_mark() { tick_mark_ms = sys_ticks(); }

uint32_t ticks_since_mark() { return sys_ticks() - tick_mark_ms; }
