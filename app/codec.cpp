#include "app/codec.h"

#include <cstdint>

namespace {

bool is_high(uint32_t u) { return u >= 0xD800 && u <= 0xDBFF; }
bool is_low(uint32_t u) { return u >= 0xDC00 && u <= 0xDFFF; }
bool is_scalar(uint32_t c) { return c <= 0x10FFFF && !(c >= 0xD800 && c <= 0xDFFF); }
uint32_t join_pair(uint32_t hi, uint32_t lo) { return 0x10000 + ((hi - 0xD800) << 10) + (lo - 0xDC00); }

// Walks wide text one code point at a time: a surrogate pair is joined, anything
// that is not a Unicode scalar value becomes U+FFFD.
template <class F>
void each_code_point(std::wstring_view w, F&& emit) {
    for (size_t i = 0; i < w.size(); ++i) {
        uint32_t c = uint32_t(w[i]);
        if (is_high(c) && i + 1 < w.size() && is_low(uint32_t(w[i + 1]))) {
            emit(join_pair(c, uint32_t(w[++i])));
        } else {
            emit(is_scalar(c) ? c : uint32_t(codec_replacement));
        }
    }
}

void put_utf8(std::string& out, uint32_t c) {
    if (c < 0x80) {
        out += char(c);
    } else if (c < 0x800) {
        out += char(0xC0 | (c >> 6));
        out += char(0x80 | (c & 0x3F));
    } else if (c < 0x10000) {
        out += char(0xE0 | (c >> 12));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    } else {
        out += char(0xF0 | (c >> 18));
        out += char(0x80 | ((c >> 12) & 0x3F));
        out += char(0x80 | ((c >> 6) & 0x3F));
        out += char(0x80 | (c & 0x3F));
    }
}

template <class Out>
void put_utf16(Out&& put_unit, uint32_t c) {
    if (c < 0x10000) {
        put_unit(uint16_t(c));
    } else {
        c -= 0x10000;
        put_unit(uint16_t(0xD800 + (c >> 10)));
        put_unit(uint16_t(0xDC00 + (c & 0x3FF)));
    }
}

// Bounds for the second byte of a sequence by its lead byte. Keeping them tight
// is what rejects overlong forms (E0 80..9F, F0 80..8F), encoded surrogates
// (ED A0..BF) and values above 0x10FFFF (F4 90..BF).
struct lead_t {
    int n_cont;
    uint8_t lo, hi;
};

lead_t lead_of(uint8_t b) {
    if (b >= 0xC2 && b <= 0xDF) return {1, 0x80, 0xBF};
    if (b == 0xE0) return {2, 0xA0, 0xBF};
    if (b == 0xED) return {2, 0x80, 0x9F};
    if (b >= 0xE1 && b <= 0xEF) return {2, 0x80, 0xBF};
    if (b == 0xF0) return {3, 0x90, 0xBF};
    if (b >= 0xF1 && b <= 0xF3) return {3, 0x80, 0xBF};
    if (b == 0xF4) return {3, 0x80, 0x8F};
    return {-1, 0, 0};
}

template <class F>
void each_unit16(const std::u16string_view s, F&& emit) {
    for (size_t i = 0; i < s.size(); ++i) {
        uint32_t u = s[i];
        if (is_high(u) && i + 1 < s.size() && is_low(s[i + 1])) {
            emit(join_pair(u, s[++i]));
        } else {
            emit(is_high(u) || is_low(u) ? uint32_t(codec_replacement) : u);
        }
    }
}

}  // namespace

int utf8_seq_len(unsigned char lead) {
    const int n_cont = lead_of(lead).n_cont;
    return n_cont < 0 ? 1 : n_cont + 1;
}

std::string utf8_from_wide(std::wstring_view w) {
    std::string out;
    out.reserve(w.size());
    each_code_point(w, [&](uint32_t c) { put_utf8(out, c); });
    return out;
}

// Each maximal ill-formed subsequence becomes one U+FFFD, the practice Unicode
// recommends, so a damaged byte never swallows the valid text after it.
void append_wide_from_utf8(std::wstring& out, std::string_view s) {
    const size_t n = s.size();
    size_t i = 0;
    while (i < n) {
        uint8_t b = uint8_t(s[i++]);
        if (b < 0x80) {
            out += wchar_t(b);
            continue;
        }
        lead_t l = lead_of(b);
        if (l.n_cont < 0) {
            out += wchar_t(codec_replacement);
            continue;
        }
        uint32_t c = b & (0x3F >> l.n_cont);
        int got = 0;
        for (; got < l.n_cont && i < n; ++got) {
            uint8_t cb = uint8_t(s[i]);
            uint8_t lo = got == 0 ? l.lo : 0x80, hi = got == 0 ? l.hi : 0xBF;
            if (cb < lo || cb > hi) break;
            c = (c << 6) | (cb & 0x3F);
            ++i;
        }
        out += got == l.n_cont ? wchar_t(c) : wchar_t(codec_replacement);
    }
}

std::wstring wide_from_utf8(std::string_view s) {
    std::wstring out;
    out.reserve(s.size());
    append_wide_from_utf8(out, s);
    return out;
}

std::u16string utf16_from_wide(std::wstring_view w) {
    std::u16string out;
    out.reserve(w.size());
    each_code_point(w, [&](uint32_t c) { put_utf16([&](uint16_t u) { out += char16_t(u); }, c); });
    return out;
}

std::wstring wide_from_utf16(std::u16string_view s) {
    std::wstring out;
    out.reserve(s.size());
    each_unit16(s, [&](uint32_t c) { out += wchar_t(c); });
    return out;
}

std::string utf16le_from_wide(std::wstring_view w) {
    std::string out;
    out.reserve(w.size() * 2);
    each_code_point(w, [&](uint32_t c) {
        put_utf16(
            [&](uint16_t u) {
                out += char(u & 0xFF);
                out += char(u >> 8);
            },
            c);
    });
    return out;
}

std::wstring wide_from_utf16le(const void* data, size_t n_bytes) {
    if (!data) return {};
    const auto* p = static_cast<const uint8_t*>(data);
    std::u16string units(n_bytes / 2, u'\0');
    for (size_t k = 0; k < units.size(); ++k) units[k] = char16_t(p[2 * k] | (p[2 * k + 1] << 8));
    std::wstring out = wide_from_utf16(units);
    if (n_bytes % 2) out += wchar_t(codec_replacement);
    return out;
}
