#include "app/sys.h"

#include <SDL.h>

#include <cstdint>
#include <cwchar>

#include "app/codec.h"

namespace fs = std::filesystem;

// ---- strings ----

int sys_str_cmp(const wchar_t* a, const wchar_t* b) {
    if (!a) a = L"";
    if (!b) b = L"";
    for (;; ++a, ++b) {
        const auto ca = uint32_t(*a), cb = uint32_t(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (ca == 0) return 0;
    }
}

const wchar_t* sys_str_str(const wchar_t* s, const wchar_t* sub) {
    if (!s || !sub) return nullptr;
    return std::wcsstr(s, sub);
}

const wchar_t* sys_str_chr(const wchar_t* s, wchar_t c) {
    if (!s || c == 0) return nullptr;
    return std::wcschr(s, c);
}

const wchar_t* sys_str_rchr(const wchar_t* s, wchar_t c) {
    if (!s || c == 0) return nullptr;
    return std::wcsrchr(s, c);
}

bool sys_is_space(wchar_t c) {
    switch (c) {
        case L' ': case L'\t': case L'\n': case L'\v': case L'\f': case L'\r':
        case 0x85: case 0xA0: case 0x1680: case 0x2028: case 0x2029: case 0x202F: case 0x205F: case 0x3000:
            return true;
        default:
            return c >= 0x2000 && c <= 0x200A;
    }
}

namespace {

int hex_digit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

// Reads an optionally signed number at `s`; accumulates in 32 bits unsigned so
// that overflow wraps instead of being undefined.
bool read_int(const wchar_t* s, bool allow_hex, int* out) {
    bool neg = false;
    if (*s == L'-' || *s == L'+') neg = *s++ == L'-';
    uint32_t v = 0;
    if (allow_hex && s[0] == L'0' && (s[1] == L'x' || s[1] == L'X') && hex_digit(s[2]) >= 0) {
        for (s += 2; hex_digit(*s) >= 0; ++s) v = v * 16 + uint32_t(hex_digit(*s));
    } else {
        if (*s < L'0' || *s > L'9') return false;
        for (; *s >= L'0' && *s <= L'9'; ++s) v = v * 10 + uint32_t(*s - L'0');
    }
    *out = int(neg ? 0u - v : v);
    return true;
}

}  // namespace

int sys_str_to_int(const wchar_t* s) {
    int v = 0;
    if (s) read_int(s, false, &v);
    return v;
}

bool sys_str_to_int_ex(const wchar_t* s, bool allow_hex, int* out) {
    if (!s || !out) return false;
    while (sys_is_space(*s)) ++s;
    return read_int(s, allow_hex, out);
}

// ---- files and folders ----

std::string os_path(const wchar_t* path) {
    if (!path) return {};
    std::wstring w(path);
    for (auto& c : w)
        if (c == L'\\') c = L'/';
    return utf8_from_wide(w);
}

Str from_os_path(const fs::path& p) { return Str(wide_from_utf8(p.string()).c_str()); }

bool sys_path_file_exists(const wchar_t* path) {
    const std::string p = os_path(path);
    if (p.empty()) return false;
    std::error_code ec;
    return fs::exists(p, ec);
}

bool sys_is_folder(const wchar_t* path) {
    const std::string p = os_path(path);
    if (p.empty()) return false;
    std::error_code ec;
    return fs::is_directory(p, ec);
}

bool sys_create_directory(const wchar_t* path) {
    const std::string p = os_path(path);
    if (p.empty()) return false;
    std::error_code ec;
    return fs::create_directory(p, ec) && !ec;
}

bool sys_path_remove_file_name(Str& path) {
    int cut = -1;
    for (int i = 0; path.buf[i]; ++i)
        if (path.buf[i] == L'/' || path.buf[i] == L'\\') cut = i;
    if (cut < 0) {
        const bool had = !path.empty();
        path.assign(L"");
        return had;
    }
    const int keep = cut == 0 ? 1 : cut;  // "/x" keeps its root
    if (path.buf[keep] == 0) return false;
    path.buf[keep] = 0;
    return true;
}

Str get_exe_path() {
    std::error_code ec;
    const fs::path exe = fs::read_symlink("/proc/self/exe", ec);
    if (!ec && !exe.empty()) return from_os_path(exe);
    // SDL gives the folder with its separator, which the caller's cut of the
    // last component turns back into the folder itself.
    if (char* base = SDL_GetBasePath()) {
        Str s(wide_from_utf8(base).c_str());
        SDL_free(base);
        if (!s.empty()) return s;
    }
    // Never let an unknown program folder become the file-system root.
    const fs::path cwd = fs::current_path(ec);
    return ec ? Str(L"./") : from_os_path(cwd / "");
}

sys_dir_t::sys_dir_t(const wchar_t* dir) {
    const std::string p = os_path(dir);
    if (p.empty()) return;
    std::error_code ec;
    it_ = fs::directory_iterator(p, ec);
    open_ = !ec;
}

bool sys_dir_t::next(sys_dir_entry_t& out) {
    if (!open_ || it_ == fs::directory_iterator()) return false;
    const fs::directory_entry& e = *it_;
    std::error_code ec;
    out.name = from_os_path(e.path().filename());
    out.is_folder = e.is_directory(ec);
    out.is_link = e.is_symlink(ec);
    it_.increment(ec);
    if (ec) {
        open_ = false;
        it_ = fs::directory_iterator();
    }
    return true;
}
