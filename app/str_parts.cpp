#include "app/str_parts.h"

#include <cwchar>
#include <utility>

#include "app/sys.h"

namespace {

int len_of(const wchar_t* s) { return s ? int(std::wcslen(s)) : 0; }

}  // namespace

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
        Str part;
        part.assign_sub(p, 0, int(hit - p));
        parts.push_back(std::move(part));
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
