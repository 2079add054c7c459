#pragma once
// Small portable stand-ins for the operating-system string, file and folder
// services the game leans on. Every file-system call goes through os_path().
#include <filesystem>
#include <string>

#include "app/str.h"

// ---- strings ----

// Code-unit order, case-sensitive; null reads as empty. Returns <0, 0 or >0.
int sys_str_cmp(const wchar_t* a, const wchar_t* b);
// First occurrence of `sub` in `s` (an empty `sub` is found at `s`); null when none.
const wchar_t* sys_str_str(const wchar_t* s, const wchar_t* sub);
// First / last occurrence of `c` in the text (never the terminator); null when none.
const wchar_t* sys_str_chr(const wchar_t* s, wchar_t c);
const wchar_t* sys_str_rchr(const wchar_t* s, wchar_t c);
// White space as the wide runtime classes it, whatever the C locale: ASCII
// and the Unicode spaces, the ideographic space of Chinese text included.
bool sys_is_space(wchar_t c);
// Latin, Greek, Cyrillic and their punctuation (below U+2E80): characters that
// join into words, where Chinese characters stand alone.
inline bool sys_joins_word(char32_t c) { return c > U' ' && c < 0x2E80; }
// Leading decimal number with an optional sign; "12abc" gives 12, no number gives 0.
int sys_str_to_int(const wchar_t* s);
// As sys_str_to_int after leading white space, and "0x"/"0X" hexadecimal when
// `allow_hex`. False when the text holds no number (out untouched). Values wrap
// to 32 bits, so "0xFFFFFFFF" gives -1 as colour words expect.
bool sys_str_to_int_ex(const wchar_t* s, bool allow_hex, int* out);

// ---- files and folders ----

// The one way from a game path to the OS: "\" becomes "/", the text UTF-8.
std::string os_path(const wchar_t* path);
// The reverse, for names that come back from the OS.
Str from_os_path(const std::filesystem::path& p);

// True for files and folders alike.
bool sys_path_file_exists(const wchar_t* path);
bool sys_is_folder(const wchar_t* path);
// True only when the folder was made now: an existing one gives false.
bool sys_create_directory(const wchar_t* path);
// Cuts the last path component and its separator, keeping a leading root "/".
// False when there was nothing to cut.
bool sys_path_remove_file_name(Str& path);

// The running executable's full path, with no length limit.
Str get_exe_path();

// One folder's entries, "." and ".." never among them.
struct sys_dir_entry_t {
    Str name;
    bool is_folder = false;
    bool is_link = false;  // a symbolic link, whatever it points at
};

class sys_dir_t {
public:
    explicit sys_dir_t(const wchar_t* dir);
    sys_dir_t(const sys_dir_t&) = delete;
    sys_dir_t& operator=(const sys_dir_t&) = delete;

    bool is_open() const { return open_; }
    // The next entry; false at the end or on a read error.
    bool next(sys_dir_entry_t& out);

private:
    std::filesystem::directory_iterator it_;
    bool open_ = false;
};
