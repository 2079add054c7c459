#include "app/file_list.h"

#include <algorithm>

#include "app/paths.h"
#include "app/sys.h"
#include "app/wildcard.h"

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
