#include "app/num_parse.h"

#include <climits>

#include "app/sys.h"

namespace {

int dec_digit(wchar_t c) { return c >= L'0' && c <= L'9' ? c - L'0' : -1; }

int hex_digit(wchar_t c) {
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return dec_digit(c);
}

// Exactly n digits of one base; the terminator is not a digit, so a short text fails.
bool parse_n(const wchar_t* s, int n, int base, int (*digit)(wchar_t), unsigned long long max,
             unsigned long long* out) {
    if (!s || n <= 0) return false;
    unsigned long long v = 0;
    for (int i = 0; i < n; ++i) {
        const int d = digit(s[i]);
        if (d < 0) return false;
        v = v * unsigned(base) + unsigned(d);
        if (v > max) return false;
    }
    *out = v;
    return true;
}

}  // namespace

bool parse_int_n(const wchar_t* s, int n, int* out) {
    unsigned long long v;
    if (!parse_n(s, n, 10, dec_digit, INT_MAX, &v)) return false;
    if (out) *out = int(v);
    return true;
}

bool parse_hex_n(const wchar_t* s, int n, unsigned* out) {
    unsigned long long v;
    if (!parse_n(s, n, 16, hex_digit, UINT_MAX, &v)) return false;
    if (out) *out = unsigned(v);
    return true;
}

bool parse_leading_int(int* out, const wchar_t* s, const wchar_t** end) {
    if (!s || dec_digit(*s) < 0) {
        if (end) *end = s;
        return false;
    }
    if (out) *out = sys_str_to_int(s);
    while (dec_digit(*s) >= 0) ++s;
    if (end) *end = s;
    return true;
}
