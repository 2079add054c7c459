#pragma once
// Listings of a folder's files and subfolders by wildcard, optionally the whole tree.
#include <vector>

#include "app/str.h"

enum : int {
    LF_RECURSE = 1,  // descend into subfolders, after the folder's own entries
    LF_FULL_PATH = 2,
    LF_FILES = 4,
    LF_FOLDERS = 8,
    LF_SORT = 16,
};

// Called for every entry before any test; false stops the whole walk.
using list_files_cb_t = bool (*)(const wchar_t* folder, const wchar_t* name, bool is_folder, void* user);

std::vector<Str> list_files(const wchar_t* dir, const wchar_t* pattern, int flags,
                            list_files_cb_t cb = nullptr, void* user = nullptr);
// "dir/pattern" in one text.
std::vector<Str> list_files_spec(const wchar_t* wild_path, int flags, list_files_cb_t cb = nullptr,
                                 void* user = nullptr);
// Appends to `out`; returns the number of entries added. `pattern` is a ";"
// list matched without regard to case.
int list_files_into(std::vector<Str>& out, const wchar_t* dir, const wchar_t* pattern, int flags,
                    list_files_cb_t cb = nullptr, void* user = nullptr);
