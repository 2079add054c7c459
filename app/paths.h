#pragma once
// Finding files beside the executable, folders, wildcard listings, and the
// small cutting, splitting and parsing helpers for wide text. Paths are built
// with "/"; everything that takes a path apart accepts "/" and "\".
#include <cstdint>
#include <memory>
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

// ---- listings ----

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

// ---- wildcards ----

// "*" any run (also empty), "?" exactly one character.
bool match_wildcard(const wchar_t* name, const wchar_t* pattern, bool case_sensitive);
// `patterns` separated by ";"; an empty list matches nothing.
bool match_wildcards(const wchar_t* name, const wchar_t* patterns, bool case_sensitive);

// ---- text ----

// Index of the first c at or after `from`; -1 when none or `from` lies outside the text.
int str_find_chr(const wchar_t* s, wchar_t c, int from);
bool str_ends_with(const wchar_t* s, const wchar_t* tail);
// Exactly the first n characters as decimal / hexadecimal digits; false when
// any is not a digit, n is out of range, or the value does not fit.
bool parse_int_n(const wchar_t* s, int n, int* out);
bool parse_hex_n(const wchar_t* s, int n, unsigned* out);
// The unsigned run of digits at the start of s; *end after it.
bool parse_leading_int(int* out, const wchar_t* s, const wchar_t** end);
// Parts between separators, empty ones kept; null or empty text gives none.
std::vector<Str> str_split(const wchar_t* text, const wchar_t* sep);
// As str_split into a cleared `out`, but an empty text gives one empty part.
void str_split_into(const wchar_t* text, std::vector<Str>& out, const wchar_t* sep);
void str_trim_left(wchar_t* s);
void str_trim_right(wchar_t* s);

// Keeps copies of texts alive for the pool's lifetime.
class str_pool_t {
public:
    str_pool_t() = default;
    str_pool_t(const str_pool_t&) = delete;
    str_pool_t& operator=(const str_pool_t&) = delete;

    // Null or empty gives null.
    const wchar_t* add(const wchar_t* s);

private:
    std::vector<std::unique_ptr<wchar_t[]>> items_;
};

// ---- small services ----

// Opens a URL or a file with the desktop's handler (never through a shell
// command line). Only the "open" verb and no parameters are supported; `show`
// and `window` have no meaning here. True when the handler was started.
bool shell_exec(const wchar_t* file, const wchar_t* verb, int show, const wchar_t* params,
                const wchar_t* dir, void* window);
// The URL shell_exec hands on: URLs as they are, file paths as file:// URLs
// (relative ones resolved against `dir`, else the current folder). Empty when
// the target is empty.
std::string shell_url(const wchar_t* file, const wchar_t* dir);
// Tests replace the opener; null restores SDL_OpenURL. Returns 0 on success.
using url_opener_t = int (*)(const char* url);
void set_url_opener(url_opener_t fn);

// A mark on the millisecond clock and the time since it, modulo 2^32.
void tick_mark();
uint32_t ticks_since_mark();
