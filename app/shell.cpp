#include "app/shell.h"

#include <SDL.h>

#include <cctype>
#include <cstring>
#include <cwctype>
#include <filesystem>

#include "app/codec.h"
#include "app/sys.h"
#include "app/wildcard.h"

namespace fs = std::filesystem;

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
