#include "app/paths.h"

#include <cwchar>

#include "app/sys.h"

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
    // Follows set_exe_dir: a folder fixed at the first call would outlive it.
    static Str dir, from;
    const Str& exe = get_exe_dir();
    if (dir.empty() || !(from == exe)) {
        from = exe;
        dir = exe + L"gfx/";
    }
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
    if (p.length() > 1 && is_sep(p.at(p.length() - 1))) p.drop_back(1);
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
    const Str base = Str(dir) + or_empty(name);
    if (is_file(base)) return base;
    for (const Str& ext : exts) {
        Str p = base + L'.' + ext;
        if (is_file(p)) return p;
    }
    return Str();
}
