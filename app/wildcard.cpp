#include "app/wildcard.h"

#include <cwchar>
#include <cwctype>

#include "app/str.h"

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
    return match_range(or_empty(name), pattern, pattern + std::wcslen(pattern), case_sensitive);
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
