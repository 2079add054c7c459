#pragma once
// Finding files beside the executable, taking paths apart, and making folders.
// Paths are built with "/"; everything that takes a path apart accepts "/" and "\\".
#include <vector>

#include "app/str.h"

// ---- program folders ----

// The executable's folder with a trailing separator; made on first use.
const Str& get_exe_dir();
// Points the program at another game folder (tests run in a folder of their
// own); takes effect for folders and files not yet resolved, so call it first.
void set_exe_dir(const wchar_t* dir);
// get_exe_dir() + "gfx/".
const Str& get_gfx_dir();
// Appends "/" unless the text ends with "/" or "\"; an empty text becomes "/".
void add_trailing_sep(Str& path);

// ---- taking paths apart ----

// Up to and including the last separator, one trailing separator ignored;
// without one, up to and including the last ":"; else empty.
Str get_parent_dir(const wchar_t* path);
// The name after the last separator without its extension ("x/.cfg" gives "").
Str get_file_title(const wchar_t* path);
// Cuts the last "." that lies after the last separator.
void strip_ext(Str& s);
// Drops the first n characters, then the extension.
void cut_prefix_and_ext(Str& s, int n);
// "dir/pattern" -> dir and pattern, true; no separator: dir = the whole text, false and
// pattern untouched.
bool split_path_spec(const wchar_t* wild_path, Str& dir, Str& pattern);

// ---- existence and creation ----

bool file_exists(const wchar_t* path);  // files and folders
bool path_exists(const wchar_t* path);  // as file_exists, one trailing separator ignored
// Makes the missing parents, then the folder; true only when the folder itself
// was made now (an existing folder gives false). Folders made before a failure stay.
bool create_dir_tree(const wchar_t* path);
// True when the folder exists or could be made.
bool ensure_dir(const wchar_t* path);
// dir + name when that file exists, else dir + name + "." + the first extension
// that exists; else empty. Folders never count as found files.
Str find_file_with_ext(const wchar_t* name, const wchar_t* dir, const std::vector<Str>& exts);
