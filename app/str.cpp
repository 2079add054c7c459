#include "app/str.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <cwchar>
#include <functional>
#include <new>
#include <stdexcept>
#include <utility>

#include "app/codec.h"

namespace {

constexpr int default_cap = 4;

wchar_t* alloc_chars(int cap) {
    auto* p = static_cast<wchar_t*>(std::malloc(size_t(cap) * sizeof(wchar_t)));
    if (!p) throw std::bad_alloc();
    p[0] = 0;
    return p;
}

int len_of(const wchar_t* s) { return s ? int(std::wcslen(s)) : 0; }

// Capacities are ints; a text that would not fit one is refused rather than wrapped.
int checked_cap(long long need) {
    if (need > INT_MAX) throw std::length_error("Str too long");
    return int(need);
}

// The growth rule: exactly what is needed and never shrinking, so a capacity
// set with reserve holds.
void grow(Str& s, long long need) {
    if (need <= s.cap) return;
    int cap = checked_cap(need);
    auto* p = static_cast<wchar_t*>(std::realloc(s.buf, size_t(cap) * sizeof(wchar_t)));
    if (!p) throw std::bad_alloc();
    s.buf = p;
    s.cap = cap;
}

// A source inside our own buffer moves when the buffer grows; callers keep its
// offset instead of the pointer.
bool points_into(const Str& s, const wchar_t* p) {
    return p && std::greater_equal<const wchar_t*>()(p, s.buf) && std::less<const wchar_t*>()(p, s.buf + s.cap);
}

void move_chars(wchar_t* dst, const wchar_t* src, int n) {
    if (n > 0) std::memmove(dst, src, size_t(n) * sizeof(wchar_t));
}

}  // namespace

// ---- construction ----

Str::Str() : buf(alloc_chars(default_cap)), cap(default_cap) {}

// A capacity below 1 would leave no room for the terminator.
Str::Str(int c) : buf(alloc_chars(c < 1 ? 1 : c)), cap(c < 1 ? 1 : c) {}

Str::Str(const wchar_t* s) : Str() { assign(s); }

Str::Str(const Str& o) : cap(std::max(default_cap, o.length() + 1)) {
    buf = alloc_chars(cap);
    move_chars(buf, o.buf, o.length() + 1);
}

// The moved-from text keeps a buffer of its own: `buf` is never null.
Str::Str(Str&& o) noexcept : buf(o.buf), cap(o.cap) {
    o.buf = alloc_chars(default_cap);
    o.cap = default_cap;
}

Str::~Str() { std::free(buf); }

Str& Str::operator=(const Str& o) { return assign(o.buf); }

Str& Str::operator=(Str&& o) noexcept {
    std::swap(buf, o.buf);
    std::swap(cap, o.cap);
    return *this;
}

int Str::length() const { return int(std::wcslen(buf)); }

// ---- assignment and access ----

Str& Str::assign(const wchar_t* s) {
    if (!s) {
        buf[0] = 0;
        return *this;
    }
    if (s == buf) return *this;
    const int n = len_of(s);
    if (!points_into(*this, s)) grow(*this, n + 1LL);  // a source within buf already fits
    move_chars(buf, s, n + 1);
    return *this;
}

Str& Str::assign_a(const char* s) {
    if (!s) {
        buf[0] = 0;
        return *this;
    }
    return assign(wide_from_utf8(s).c_str());
}

// Start and count are clamped to the source, so a bad start never copies from
// outside it.
Str& Str::assign_sub(const wchar_t* src, int start, int count) {
    const int n = len_of(src);
    if (!points_into(*this, src)) grow(*this, n + 1LL);
    start = std::clamp(start, 0, n);
    count = std::clamp(count, 0, n - start);
    if (count > 0) move_chars(buf, src + start, count);
    buf[count] = 0;
    return *this;
}

Str& Str::assign_n(wchar_t c, int n) {
    buf[0] = 0;
    return append_n(c, n);
}

wchar_t Str::at_from_end(int i) const {
    const int n = length();
    return i >= 0 && i < n ? buf[n - 1 - i] : 0;
}

void Str::reserve(int new_cap) { grow(*this, new_cap); }

// ---- appending and inserting ----

Str& Str::append(const wchar_t* s) {
    if (!s) return *this;
    const int n = length();
    const int ns = len_of(s);
    // A source inside our own buffer moves when the buffer grows: keep its offset.
    const ptrdiff_t inside_at = points_into(*this, s) ? s - buf : -1;
    grow(*this, n + 1LL + ns);
    move_chars(buf + n, inside_at >= 0 ? buf + inside_at : s, ns);
    buf[n + ns] = 0;
    return *this;
}

Str& Str::append(const char* s) {
    if (!s) return *this;
    return append(wide_from_utf8(s).c_str());
}

Str& Str::append_char(wchar_t c) { return append_n(c, 1); }

Str& Str::append_ch(char c) { return append_char(from_ch(c).buf[0]); }

Str& Str::append_n(wchar_t c, int count) {
    if (count <= 0) return *this;
    const int n = length();
    grow(*this, n + 1LL + count);
    std::wmemset(buf + n, c, size_t(count));
    buf[n + count] = 0;
    return *this;
}

Str& Str::prepend(const Str& s) {
    Str t(s);
    t.append(buf);
    return assign(t.buf);
}

Str& Str::insert(const wchar_t* s, int pos) {
    if (!s || !*s) return *this;
    const int n = length();
    if (pos >= n) return append(s);
    if (pos < 0) pos = 0;
    const std::wstring copy(s);  // s may lie in buf, which moves below
    const int ns = int(copy.size());
    grow(*this, n + 1LL + ns);
    move_chars(buf + pos + ns, buf + pos, n - pos + 1);
    move_chars(buf + pos, copy.data(), ns);
    return *this;
}

// ---- shortening and extracting ----

// A position past the text or a negative count leaves the text alone, so no
// call writes outside the buffer. Otherwise the text ends at `pos` unless the
// removed span lies wholly inside it, which callers rely on to cut a tail.
Str& Str::erase(int pos, int count) {
    const int n = length();
    if (pos < 0) pos = 0;
    if (pos >= n || count <= 0) return *this;
    if (count < n && pos + count < n) {
        move_chars(buf + pos, buf + pos + count, n - pos - count + 1);
    } else {
        buf[pos] = 0;
    }
    return *this;
}

Str& Str::drop_front(int count) {
    if (count <= 0) return *this;
    const int n = length();
    if (count >= n) {
        buf[0] = 0;
    } else {
        move_chars(buf, buf + count, n - count + 1);
    }
    return *this;
}

Str& Str::drop_back(int count) {
    if (count <= 0) return *this;
    const int n = length();
    buf[count > n ? 0 : n - count] = 0;
    return *this;
}

// Limits the text to n + 1 characters (the edit control's maximum length).
Str& Str::cut_after(int n) {
    if (cap > n + 1) buf[std::max(n + 1, 0)] = 0;  // a negative n empties the text, never writes before buf
    return *this;
}

Str Str::mid(int start, int count) const {
    Str r;
    const int n = length();
    if (count < 1 || start < 0 || start >= n) return r;
    const int k = std::min(count, n - start);
    grow(r, k + 1LL);
    move_chars(r.buf, buf + start, k);
    r.buf[k] = 0;
    return r;
}

// ---- concatenation ----

Str Str::operator+(wchar_t c) const {
    Str r(*this);
    r.append_char(c);
    return r;
}

Str Str::operator+(const Str& s) const { return *this + s.buf; }

Str Str::operator+(const wchar_t* s) const {
    Str r(*this);
    r.append(s);
    return r;
}

Str Str::operator+(const char* s) const {
    Str r(*this);
    r.append(s);
    return r;
}

Str Str::plus_int(int n) const { return *this + int_to_str(n).buf; }

Str operator+(const wchar_t* a, const Str& b) {
    Str r(a);
    r.append(b.buf);
    return r;
}

// ---- comparison ----

namespace {

// Code-point order, case-sensitive: the strict weak order of every map keyed by Str.
int compare(const wchar_t* a, const wchar_t* b) {
    for (;; ++a, ++b) {
        const auto ca = uint32_t(*a), cb = uint32_t(*b);
        if (ca != cb) return ca < cb ? -1 : 1;
        if (!ca) return 0;
    }
}

}  // namespace

bool operator==(const Str& a, const Str& b) { return a.length() == b.length() && compare(a.buf, b.buf) == 0; }

// A null string compares as the empty text, as Str(nullptr) is empty.
bool operator==(const Str& a, const wchar_t* b) {
    if (!b) return a.empty();
    return a.length() == len_of(b) && compare(a.buf, b) == 0;
}

bool operator<(const Str& a, const Str& b) { return compare(a.buf, b.buf) < 0; }

// ---- formatting ----

int Str::format_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n) {
    // Formatting into a separate text lets the format or an argument be this Str.
    std::wstring out;
    const int r = fmt_format_v(out, fmt, args, n);
    if (r < 0) {
        buf[0] = 0;
        return -1;
    }
    grow(*this, r + 1LL);
    move_chars(buf, out.data(), r);
    buf[r] = 0;
    return r;
}

Str Str::from_a(const char* s) {
    Str r;
    r.assign_a(s);
    return r;
}

// A byte of 0x80 or more is not a character of its own in UTF-8, the program's
// 8-bit encoding; it becomes U+FFFD rather than a sign-extended value.
Str Str::from_ch(char c) {
    Str r;
    r.buf[0] = (unsigned char)c < 0x80 ? wchar_t(c) : wchar_t(codec_replacement);
    r.buf[1] = 0;
    return r;
}

// ---- numbers ----

Str int_to_str(int n) { return Str(L"%d", n); }

Str int_to_str_grouped(int n, bool group) {
    if (!group) return int_to_str(n);
    const long long v = n;  // INT_MIN has no positive int
    std::wstring digits = std::to_wstring(v < 0 ? -v : v);
    std::wstring out;
    for (size_t i = 0; i < digits.size(); ++i) {
        if (i > 0 && (digits.size() - i) % 3 == 0) out += L',';
        out += digits[i];
    }
    Str r(v < 0 ? L"-" : L"");
    r.append(out.c_str());
    return r;
}

Str num_to_str_plain(double v) { return Str(L"%g", v); }

Str num_to_str_short(double v) {
    if (v > 1000000) return Str(L"%g M", v / 1000000);
    if (v > 1000) return Str(L"%g K", v / 1000);
    return num_to_str_plain(v);
}

Str num_to_str_grouped(double v) {
    // Infinity, NaN and values past the 64-bit range would overflow the
    // truncation below; they print plain.
    if (v < 1000 || !std::isfinite(v) || v / 1000 >= 9.2e18) return num_to_str_plain(v);
    long long q = (long long)(v / 1000);
    const double r = v - double(q) * 1000;
    const int i = int(r);
    const double f = r - i;
    Str text;
    if (f >= 0.01) {
        Str frac(L"%g", f);
        if (frac.length() >= 2) text.assign(frac.buf + 1);  // "0.5" -> ".5"
    }
    text.prepend(Str(L"%03d", i));
    for (; q >= 1000; q /= 1000) text.prepend(Str(L"%03d,", q % 1000));
    text.prepend(Str(L"%d,", q));
    return text;
}

Str num_to_str(double v, int flags) {
    if (flags & NUM_GROUPED) return num_to_str_grouped(v);
    if (flags & NUM_SHORT) return num_to_str_short(v);
    return num_to_str_plain(v);
}

// ---- UTF-8 boundaries ----

Str utf8_to_str(const char* s) { return Str::from_a(s); }

char* str_to_utf8(const wchar_t* s, int* out_len) {
    const std::string u = s ? utf8_from_wide(s) : std::string();
    auto* p = static_cast<char*>(std::malloc(u.size() + 1));
    if (!p) throw std::bad_alloc();
    std::memcpy(p, u.c_str(), u.size() + 1);
    if (out_len) *out_len = int(u.size());
    return p;
}

std::string to_utf8_string(const wchar_t* s) { return s ? utf8_from_wide(s) : std::string(); }
