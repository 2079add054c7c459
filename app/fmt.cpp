#include "app/fmt.h"

#include <climits>
#include <cstdio>
#include <stdexcept>

#include "app/codec.h"

namespace {

// A width or precision past this lays nothing out: from a text file it would
// only ask for gigabytes ("%2000000000d").
constexpr int max_field = 4096;

struct conv_t {
    bool minus = false, plus = false, space = false, hash = false, zero = false;
    int width = -1;  // -1: none
    int prec = -1;   // -1: none
    wchar_t conv = 0;
};

class formatter_t {
public:
    formatter_t(std::wstring& out, const fmt_arg_t* args, size_t n) : out_(out), args_(args), n_(n) {}

    // False on a missing or unfitting argument, or a malformed conversion.
    bool run(const wchar_t* fmt);
    bool all_used() const { return next_ == n_; }

private:
    std::wstring& out_;
    const fmt_arg_t* args_;
    size_t n_;
    size_t next_ = 0;

    const fmt_arg_t* take() { return next_ < n_ ? &args_[next_++] : nullptr; }
    bool parse_conv(const wchar_t*& p, conv_t& s);
    bool take_int(long long& v);
    bool convert(const conv_t& s);
    bool put_int(const conv_t& s, const fmt_arg_t& a);
    bool put_float(const conv_t& s, const fmt_arg_t& a);
    bool put_ptr(const conv_t& s, const fmt_arg_t& a);
    void put_padded(const conv_t& s, std::wstring_view text);
    template <class T>
    bool put_c(const conv_t& s, const char* len_mod, char conv, T v);
};

bool is_integral(const fmt_arg_t& a) {
    return a.kind == fmt_arg_t::k_int || a.kind == fmt_arg_t::k_uint || a.kind == fmt_arg_t::k_wchar;
}

// A code point for %c/%C. An 8-bit argument is one byte of UTF-8, so only ASCII
// stands alone; anything that is not a Unicode scalar value prints U+FFFD.
wchar_t char_of(const fmt_arg_t& a) {
    long long v = a.kind == fmt_arg_t::k_int ? a.i : (long long)a.u;
    if (a.bits == 8) v &= 0xFF;
    if (a.bits == 8 && v >= 0x80) return wchar_t(codec_replacement);
    if (v < 0 || v > 0x10FFFF || (v >= 0xD800 && v <= 0xDFFF)) return wchar_t(codec_replacement);
    return wchar_t(v);
}

// Reads a decimal field; false when it would overflow an int.
bool read_num(const wchar_t*& p, int& v) {
    long long n = 0;
    while (*p >= L'0' && *p <= L'9') {
        n = n * 10 + (*p++ - L'0');
        if (n > INT_MAX) return false;
    }
    v = int(n);
    return true;
}

bool formatter_t::take_int(long long& v) {
    const fmt_arg_t* a = take();
    if (!a || (a->kind != fmt_arg_t::k_int && a->kind != fmt_arg_t::k_uint)) return false;
    v = a->kind == fmt_arg_t::k_int ? a->i : (a->u > LLONG_MAX ? LLONG_MAX : (long long)a->u);
    return true;
}

bool formatter_t::parse_conv(const wchar_t*& p, conv_t& s) {
    for (;; ++p) {
        if (*p == L'-') s.minus = true;
        else if (*p == L'+') s.plus = true;
        else if (*p == L' ') s.space = true;
        else if (*p == L'#') s.hash = true;
        else if (*p == L'0') s.zero = true;
        else break;
    }
    if (*p == L'*') {
        ++p;
        long long w;
        if (!take_int(w)) return false;
        if (w < 0) {
            s.minus = true;
            w = -w;
        }
        if (w > INT_MAX) return false;
        s.width = int(w);
    } else if (*p >= L'1' && *p <= L'9') {
        if (!read_num(p, s.width)) return false;
    }
    if (*p == L'.') {
        ++p;
        if (*p == L'*') {
            ++p;
            long long v;
            if (!take_int(v) || v > INT_MAX) return false;
            s.prec = v < 0 ? -1 : int(v);  // a negative precision counts as none, as in C
        } else {
            s.prec = 0;
            if (!read_num(p, s.prec)) return false;
        }
    }
    if (s.width > max_field || s.prec > max_field) return false;
    // Length modifiers say nothing here: each argument carries its own type.
    for (;;) {
        if (*p == L'I' && p[1] == L'6' && p[2] == L'4') p += 3;
        else if (*p == L'I' && p[1] == L'3' && p[2] == L'2') p += 3;
        else if (*p && std::wstring_view(L"hlLqjztwI").find(*p) != std::wstring_view::npos) ++p;
        else break;
    }
    s.conv = *p;
    if (s.conv) ++p;
    return true;
}

void formatter_t::put_padded(const conv_t& s, std::wstring_view text) {
    size_t w = s.width > 0 ? size_t(s.width) : 0;
    size_t pad = w > text.size() ? w - text.size() : 0;
    if (!s.minus) out_.append(pad, L' ');
    out_ += text;
    if (s.minus) out_.append(pad, L' ');
}

// Numbers go through the C library's narrow printf so that every flag, width
// and precision comes out exactly as C prints it.
template <class T>
bool formatter_t::put_c(const conv_t& s, const char* len_mod, char conv, T v) {
    std::string f = "%";
    if (s.minus) f += '-';
    if (s.plus) f += '+';
    if (s.space) f += ' ';
    if (s.hash) f += '#';
    if (s.zero) f += '0';
    if (s.width >= 0) f += std::to_string(s.width);
    if (s.prec >= 0) f += '.' + std::to_string(s.prec);
    f += len_mod;
    f += conv;
    int n = std::snprintf(nullptr, 0, f.c_str(), v);
    if (n < 0) return false;
    std::string b(size_t(n) + 1, '\0');
    std::snprintf(b.data(), b.size(), f.c_str(), v);
    out_.append(b.begin(), b.begin() + n);  // ASCII only
    return true;
}

bool formatter_t::put_int(const conv_t& s, const fmt_arg_t& a) {
    const char c = char(s.conv);
    if (c == 'd' || c == 'i') {
        if (a.kind == fmt_arg_t::k_int) return put_c(s, "ll", 'd', a.i);
        if (a.u <= (unsigned long long)LLONG_MAX) return put_c(s, "ll", 'd', (long long)a.u);
        return put_c(s, "ll", 'u', a.u);
    }
    // %u %x %X %o show the bits of the argument at its own width.
    unsigned long long u = a.u;
    if (a.kind == fmt_arg_t::k_int && a.bits < 64) u &= (1ull << a.bits) - 1;
    return put_c(s, "ll", c, u);
}

bool formatter_t::put_float(const conv_t& s, const fmt_arg_t& a) {
    double d = a.kind == fmt_arg_t::k_dbl ? a.d : a.kind == fmt_arg_t::k_int ? double(a.i) : double(a.u);
    return put_c(s, "", char(s.conv), d);
}

bool formatter_t::put_ptr(const conv_t& s, const fmt_arg_t& a) {
    conv_t ps;  // C gives %p no flag but '-' and no precision
    ps.minus = s.minus;
    ps.width = s.width;
    return put_c(ps, "", 'p', a.p);
}

bool formatter_t::convert(const conv_t& s) {
    switch (s.conv) {
    case L'd': case L'i': case L'u': case L'x': case L'X': case L'o': {
        const fmt_arg_t* a = take();
        return a && is_integral(*a) && put_int(s, *a);
    }
    case L'f': case L'F': case L'e': case L'E': case L'g': case L'G': case L'a': case L'A': {
        // An integer widens to double without loss; a double never narrows to %d.
        const fmt_arg_t* a = take();
        return a && (a->kind == fmt_arg_t::k_dbl || a->kind == fmt_arg_t::k_int || a->kind == fmt_arg_t::k_uint) &&
               put_float(s, *a);
    }
    case L's': case L'S': {
        // The argument's type decides how it is read, whichever letter was used.
        const fmt_arg_t* a = take();
        if (!a) return false;
        std::wstring text;
        if (a->kind == fmt_arg_t::k_wstr) text = a->ws ? a->ws : L"(null)";
        else if (a->kind == fmt_arg_t::k_nstr) text = a->ns ? wide_from_utf8(a->ns) : L"(null)";
        else return false;
        if (s.prec >= 0 && size_t(s.prec) < text.size()) text.resize(size_t(s.prec));
        put_padded(s, text);
        return true;
    }
    case L'c': case L'C': {
        const fmt_arg_t* a = take();
        if (!a || !is_integral(*a)) return false;
        const wchar_t ch = char_of(*a);
        put_padded(s, std::wstring_view(&ch, 1));
        return true;
    }
    case L'p': {
        const fmt_arg_t* a = take();
        return a && (a->kind == fmt_arg_t::k_ptr || a->kind == fmt_arg_t::k_wstr || a->kind == fmt_arg_t::k_nstr) &&
               put_ptr(s, *a);
    }
    case L'%':
        out_ += L'%';
        return true;
    default:  // unknown letters, a lone '%' at the end, and %n, which writes through a pointer
        return false;
    }
}

bool formatter_t::run(const wchar_t* fmt) {
    for (const wchar_t* p = fmt; *p;) {
        if (*p != L'%') {
            out_ += *p++;
            continue;
        }
        ++p;
        conv_t s;
        if (!parse_conv(p, s) || !convert(s)) return false;
    }
    return true;
}

}  // namespace

int fmt_format_v(std::wstring& out, const wchar_t* fmt, const fmt_arg_t* args, size_t n) {
    out.clear();
    if (!fmt) return -1;
    formatter_t f(out, args, n);
    if (!f.run(fmt) || out.size() > size_t(INT_MAX)) {
        out.clear();
        return -1;
    }
    if (!f.all_used()) {
        out.clear();
        throw std::invalid_argument("extra arguments provided");
    }
    return int(out.size());
}
