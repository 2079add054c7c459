#pragma once
// Type-safe printf-style formatting into wide text. glibc's wide printf reads
// %s as a narrow string, so the game's format strings never reach swprintf.
//
//   %s  wide string (Str, const wchar_t*, or const char* widened as UTF-8);
//       a null pointer prints "(null)"
//   %S  narrow string (UTF-8)        %c  wide character   %C  narrow character
//       (the argument's type decides how a string or character is read, so
//       %s and %S, %c and %C accept either kind; an integer for %c prints
//       that character, a byte of 0x80 or more U+FFFD)
//   %d %i %u %x %X %o  integers with flags, width, precision; the argument's
//                      own width decides the two's complement of %x (int -5 in
//                      %08x gives fffffffb)
//   %g %f %e %G %E %a as C prints them (an integer argument widens to double)
//   %p  pointer        %%  percent   '*' takes a width or precision from an int
// Length modifiers (h, hh, l, ll, z, j, t, L, I64, w) are accepted and ignored.
// Too many arguments throw std::invalid_argument("extra arguments provided").
// Too few, an argument that cannot serve its conversion (a string or a double
// for %d), an unknown conversion and %n give -1 and empty text.
#include <cstddef>
#include <cstdint>
#include <string>
#include <type_traits>

struct fmt_arg_t {
    enum kind_t { k_int, k_uint, k_dbl, k_wstr, k_nstr, k_wchar, k_ptr } kind = k_int;
    int bits = 32;  // width of the original integer type, for %x/%o/%u of negatives
    union {
        long long i;
        unsigned long long u;
        double d;
        const wchar_t* ws;
        const char* ns;
        const void* p;
    };
    fmt_arg_t() : i(0) {}
};

template <class T>
    requires(std::is_integral_v<T> && !std::is_same_v<T, bool> && !std::is_same_v<T, wchar_t> &&
             !std::is_same_v<T, char>)
inline fmt_arg_t to_fmt_arg(T v) {
    fmt_arg_t a;
    a.bits = int(sizeof(T) * 8);
    if constexpr (std::is_signed_v<T>) {
        a.kind = fmt_arg_t::k_int;
        a.i = v;
    } else {
        a.kind = fmt_arg_t::k_uint;
        a.u = v;
    }
    return a;
}
inline fmt_arg_t to_fmt_arg(bool v) { return to_fmt_arg(int(v)); }
inline fmt_arg_t to_fmt_arg(char v) {
    fmt_arg_t a;
    a.kind = fmt_arg_t::k_int;
    a.bits = 8;
    a.i = v;
    return a;
}
inline fmt_arg_t to_fmt_arg(wchar_t v) {
    fmt_arg_t a;
    a.kind = fmt_arg_t::k_wchar;
    a.u = uint32_t(v);
    return a;
}
inline fmt_arg_t to_fmt_arg(double v) {
    fmt_arg_t a;
    a.kind = fmt_arg_t::k_dbl;
    a.d = v;
    return a;
}
inline fmt_arg_t to_fmt_arg(float v) { return to_fmt_arg(double(v)); }
inline fmt_arg_t to_fmt_arg(long double v) { return to_fmt_arg(double(v)); }
inline fmt_arg_t to_fmt_arg(const wchar_t* v) {
    fmt_arg_t a;
    a.kind = fmt_arg_t::k_wstr;
    a.ws = v;
    return a;
}
inline fmt_arg_t to_fmt_arg(wchar_t* v) { return to_fmt_arg(static_cast<const wchar_t*>(v)); }
inline fmt_arg_t to_fmt_arg(const char* v) {
    fmt_arg_t a;
    a.kind = fmt_arg_t::k_nstr;
    a.ns = v;
    return a;
}
inline fmt_arg_t to_fmt_arg(char* v) { return to_fmt_arg(static_cast<const char*>(v)); }
inline fmt_arg_t to_fmt_arg(const std::wstring& v) { return to_fmt_arg(v.c_str()); }
inline fmt_arg_t to_fmt_arg(const std::string& v) { return to_fmt_arg(v.c_str()); }
template <class T>
    requires(std::is_enum_v<T>)
inline fmt_arg_t to_fmt_arg(T v) {
    return to_fmt_arg(static_cast<std::underlying_type_t<T>>(v));
}
template <class T>
    requires(!std::is_same_v<std::remove_cv_t<T>, char> && !std::is_same_v<std::remove_cv_t<T>, wchar_t>)
inline fmt_arg_t to_fmt_arg(T* v) {
    fmt_arg_t a;
    a.kind = fmt_arg_t::k_ptr;
    a.p = v;
    return a;
}

// Formats into `out` (replacing it). Returns the character count, or -1 when an
// argument is missing or does not fit its conversion (the output is then empty).
int fmt_format_v(std::wstring& out, const wchar_t* fmt, const fmt_arg_t* args, size_t n);

template <class... A>
int fmt_format(std::wstring& out, const wchar_t* fmt, const A&... a) {
    const fmt_arg_t args[] = {fmt_arg_t{}, to_fmt_arg(a)...};
    return fmt_format_v(out, fmt, args + 1, sizeof...(A));
}
