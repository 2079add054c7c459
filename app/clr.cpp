#include "app/clr.h"

#include <algorithm>
#include <cmath>
#include <cwchar>

#include "app/clr_names.h"
#include "app/str.h"

namespace {

constexpr uint32_t argb(uint32_t a, uint32_t r, uint32_t g, uint32_t b) { return a << 24 | r << 16 | g << 8 | b; }

// Out-of-range factors and hue inputs would otherwise wrap a channel into an
// unrelated colour; NaN counts as 0. Truncates toward zero.
uint32_t to_byte(double x) {
    if (!(x > 0)) return 0;
    if (x >= 255) return 255;
    return uint32_t(x);
}

int hex_digit(wchar_t c) {
    if (c >= L'0' && c <= L'9') return c - L'0';
    if (c >= L'a' && c <= L'f') return c - L'a' + 10;
    if (c >= L'A' && c <= L'F') return c - L'A' + 10;
    return -1;
}

bool find_name(std::span<const clr_name_t> names, const wchar_t* text, clr_t* out) {
    for (const clr_name_t& n : names) {
        if (std::wcscmp(n.name, text) == 0) {
            *out = n.argb;
            return true;
        }
    }
    return false;
}

// The digits after "#". More than eight would overflow the 32-bit value, so
// they are refused rather than read as some truncated colour.
bool parse_hex_form(const wchar_t* digits, clr_t* out) {
    const size_t n = std::wcslen(digits);
    if (n == 0 || n > 8) return false;
    uint32_t d[8] = {};
    uint32_t v = 0;
    for (size_t i = 0; i < n; ++i) {
        const int x = hex_digit(digits[i]);
        if (x < 0) return false;
        d[i] = uint32_t(x) * 17;  // one digit widened to a byte: F -> FF
        v = v << 4 | uint32_t(x);
    }
    switch (n) {
        case 1: *out = argb(255, d[0], d[0], d[0]); break;
        case 2: *out = argb(d[0], d[1], d[1], d[1]); break;
        case 3: *out = argb(255, d[0], d[1], d[2]); break;
        case 4: *out = argb(d[0], d[1], d[2], d[3]); break;
        case 6: *out = 0xFF000000u | v; break;
        default: *out = v; break;  // 8 digits, and the odd lengths 5 and 7 as they stand
    }
    return true;
}

// One channel of the hue circle before saturation and value: full within 60
// degrees of its peak, fading to nothing at 120.
double hue_channel(double h, double offset) {
    double t = h + offset;
    if (t > 360) t -= 360;
    const double d = std::fabs(t - 240);
    if (d <= 60) return 255;
    if (d < 120) return std::round((1 - (d - 60) / 60) * 255);
    return 0;
}

}  // namespace

bool parse_clr(clr_t* out, const wchar_t* text) {
    if (!out || !text) return false;
    if (text[0] != L'#') return find_name(clr_short_names(), text, out) || find_name(clr_css_names(), text, out);
    return parse_hex_form(text + 1, out);
}

clr_t str_to_clr(const wchar_t* text) {
    clr_t c = 0;
    parse_clr(&c, text);
    return c;
}

Str clr_t::to_str(int flags) const {
    const bool no_alpha = flags & clr_fmt::no_alpha;
    if (flags & clr_fmt::argb_dec) {
        if (no_alpha) return Str(L"%d,%d,%d", int(r()), int(g()), int(b()));
        return Str(L"%d,%d,%d,%d", int(a()), int(r()), int(g()), int(b()));
    }
    if (flags & clr_fmt::hsv) {
        const hsv_t hsv = clr_to_hsv(*this);
        const int h = int(std::lround(hsv.h));
        const int s = int(std::lround(hsv.s * 100));
        const int v = int(std::lround(hsv.v * 100));
        if (no_alpha) return Str(L"%d,%d%%,%d%%", h, s, v);
        return Str(L"%d,%d,%d%%,%d%%", int(a()), h, s, v);
    }
    if (no_alpha) return Str(L"%06X", this->v & 0xFFFFFFu);
    return Str(L"%08X", this->v);
}

void clr_t::scale_rgb(double f) {
    v = argb(a(), to_byte(r() * f), to_byte(g() * f), to_byte(b() * f));
}

hsv_t clr_to_hsv(clr_t c) {
    const double ch[3] = {double(c.r()), double(c.g()), double(c.b())};
    int max_i = 0;
    int min_i = 0;
    for (int i = 1; i < 3; ++i) {
        // Later channels win ties, so a grey has both at blue.
        if (ch[i] >= ch[max_i]) max_i = i;
        if (ch[i] <= ch[min_i]) min_i = i;
    }
    const double max = ch[max_i];
    const double min = ch[min_i];
    if (max == 0) return {};
    const double mid = ch[0] + ch[1] + ch[2] - max - min;

    hsv_t out;
    out.v = double(float(max) / 255.0f);  // single precision on purpose: printed values depend on it
    out.s = 1 - min / max;
    const bool rising = (max_i - min_i + 3) % 3 == 1;
    if (out.s == 0)
        out.h = rising ? 60.0 * (2 * max_i + 1) : 60.0 * (2 * max_i - 1);
    else
        out.h = 120.0 * max_i + (rising ? 1 : -1) * 60 * (1 - 1 / out.s + mid / out.s / max);
    if (out.h < 0)
        out.h += 360;
    else if (out.h > 360)
        out.h -= 360;
    return out;
}

clr_t hsv_to_clr(const hsv_t& hsv) {
    const double offsets[3] = {240, 120, 0};  // red, green, blue
    uint32_t ch[3];
    for (int i = 0; i < 3; ++i) {
        double c = hue_channel(hsv.h, offsets[i]);
        c += std::round((1 - hsv.s) * (255 - c));
        ch[i] = to_byte(std::round(c * hsv.v));
    }
    return argb(255, ch[0], ch[1], ch[2]);
}

void clr_set_brightness(clr_t* c, int percent) {
    if (!c) return;
    hsv_t hsv = clr_to_hsv(*c);
    hsv.v = percent / 100.0;
    *c = hsv_to_clr(hsv);
}
