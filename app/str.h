#pragma once
// The one owned text type: a NUL-terminated wide buffer with no stored length.
// wchar_t is 32 bits here, so one element is one code point; UTF-16 exists only
// at file boundaries (see codec.h).
#include <string>

#include "app/fmt.h"

// The game's own wide string, which records, texts and screens hold.
class Str {
public:
    wchar_t* buf;  // never null, always terminated
    int cap;       // capacity in characters, terminator included

    Str();
    explicit Str(int cap);
    Str(const wchar_t* s);
    Str(const Str& o);
    Str(Str&& o) noexcept;
    template <class A0, class... A>
    Str(const wchar_t* fmt, const A0& a0, const A&... a) : Str() {
        format(fmt, a0, a...);
    }
    // Formats even without arguments, so "%%" gives "%"; explicit, so that a
    // narrow literal never turns into a Str unnoticed.
    template <class... A>
    explicit(sizeof...(A) == 0) Str(const char* fmt, const A&... a) : Str() {
        format(fmt, a...);
    }
    ~Str();

    Str& operator=(const Str& o);
    Str& operator=(Str&& o) noexcept;
    Str& operator=(const wchar_t* s) { return assign(s); }

    operator const wchar_t*() const { return buf; }
    const wchar_t* c_str() const { return buf; }
    int length() const;
    bool empty() const { return buf[0] == 0; }

    Str& assign(const wchar_t* s);
    Str& assign_a(const char* s);
    Str& assign_sub(const wchar_t* src, int start, int count);
    Str& assign_n(wchar_t c, int n);
    wchar_t at(int i) const { return buf[i]; }
    void set_at(int i, wchar_t c) { buf[i] = c; }
    wchar_t at_from_end(int i) const;
    void reserve(int new_cap);

    Str& append(const wchar_t* s);
    Str& append(const char* s);
    Str& append_char(wchar_t c);
    Str& append_ch(char c);
    Str& append_n(wchar_t c, int n);
    template <class... A>
    Str& append_format(const wchar_t* fmt, const A&... a) {
        Str t;
        t.format(fmt, a...);
        return append(t.buf);
    }
    template <class... A>
    Str& append_format(const char* fmt, const A&... a) {
        Str t;
        t.format(fmt, a...);
        return append(t.buf);
    }
    Str& prepend(const Str& s);
    template <class... A>
    Str& prepend_format(const char* fmt, const A&... a) {
        Str t;
        t.format(fmt, a...);
        return prepend(t);
    }
    Str& insert(const wchar_t* s, int pos);

    Str& erase(int pos, int count);
    Str& drop_front(int n);
    Str& drop_back(int n);
    Str& cut_after(int n);
    Str mid(int start, int count) const;
    Str left(int n) const { return mid(0, n); }

    Str operator+(wchar_t c) const;
    Str operator+(const Str& s) const;
    Str operator+(const wchar_t* s) const;
    Str operator+(const char* s) const;
    Str plus_a(const char* s) const { return *this + s; }
    Str plus_int(int n) const;
    Str& operator+=(const wchar_t* s) { return append(s); }
    Str& operator+=(wchar_t c) { return append_char(c); }

    // Formats as the runtime's wide printf would with %s taking wide text;
    // returns the character count, -1 on a formatting failure (text emptied).
    template <class... A>
    int format(const wchar_t* fmt, const A&... a) {
        const fmt_arg_t args[] = {fmt_arg_t{}, to_fmt_arg(a)...};
        return format_v(fmt, args + 1, sizeof...(A));
    }
    template <class... A>
    int format(const char* fmt, const A&... a) {
        const fmt_arg_t args[] = {fmt_arg_t{}, to_fmt_arg(a)...};
        return format_v(fmt ? Str::from_a(fmt).buf : nullptr, args + 1, sizeof...(A));
    }
    int format_v(const wchar_t* fmt, const fmt_arg_t* args, size_t n);

    static Str from_a(const char* s);
    static Str from_ch(char c);
};

inline fmt_arg_t to_fmt_arg(const Str& s) { return to_fmt_arg(s.buf); }

// Record texts may be missing (null): the empty text in their place.
inline const wchar_t* or_empty(const wchar_t* s) { return s ? s : L""; }

bool operator==(const Str& a, const Str& b);
bool operator==(const Str& a, const wchar_t* b);
bool operator<(const Str& a, const Str& b);
Str operator+(const wchar_t* a, const Str& b);

Str int_to_str(int n);
Str int_to_str_grouped(int n, bool group);
// Flags of num_to_str: thousands grouped ("1,234.5"), or shortened; neither is plain.
constexpr int NUM_GROUPED = 4;
constexpr int NUM_SHORT = 8;
Str num_to_str(double v, int flags);
Str num_to_str_plain(double v);
Str num_to_str_short(double v);
Str num_to_str_grouped(double v);

// UTF-8 boundaries; invalid input becomes U+FFFD, nothing throws.
Str utf8_to_str(const char* s);
char* str_to_utf8(const wchar_t* s, int* out_len);  // caller frees with free()
std::string to_utf8_string(const wchar_t* s);
