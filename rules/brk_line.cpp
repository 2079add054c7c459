#include "rules/brk_line.h"

#include <cstdint>
#include <cwchar>

#include "app/clr.h"
#include "app/str.h"

namespace {

// Writes the decimal digits of v (with a sign when asked) at p; returns the end.
wchar_t* put_int(wchar_t* p, int v, bool plus) {
    uint32_t m = v < 0 ? 0u - uint32_t(v) : uint32_t(v);
    if (v < 0) *p++ = L'-';
    else if (plus) *p++ = L'+';
    wchar_t dig[10];
    int k = 0;
    do {
        dig[k++] = wchar_t(L'0' + m % 10);
        m /= 10;
    } while (m);
    while (k) *p++ = dig[--k];
    return p;
}

wchar_t* put(wchar_t* p, const wchar_t* s) {
    while (*s) *p++ = *s++;
    return p;
}

}  // namespace

// Written by hand, one append a line, rather than through the formatter: the
// battle recalculates every unit after every action, and these lines are most
// of that work.
void brk_line(Str& text, int v, const wchar_t* label) {
    const uint32_t clr = sign_clr(v);
    if (!label) label = L"";
    wchar_t buf[160];
    wchar_t* p = put(buf, L"<c=#");
    for (int i = 7; i >= 0; --i) *p++ = L"0123456789abcdef"[(clr >> (4 * i)) & 15];
    *p++ = L'>';
    p = put_int(p, v, true);
    p = put(p, L"</c>\t");
    // A label too long for the buffer goes in its own append.
    const bool fits = std::wcslen(label) < 100;
    if (fits) p = put(put(p, label), L"\n");
    *p = 0;
    text.append(buf);
    if (!fits) text.append(label).append(L"\n");
}

void brk_base(Str& text, int v, const wchar_t* label) {
    wchar_t buf[16];
    wchar_t* p = put_int(buf, v, false);
    *p++ = L'\t';
    *p = 0;
    text.append(buf);
    text.append(label);
    text.append(L"\n");
}
