#pragma once
// Colours by text ("w", "fc_r", "CornflowerBlue", "#f80", "#80123456") and in
// hue form. clr_t itself is in types.h.
#include "app/types.h"

// Hue in degrees 0..360, saturation and value 0..1.
struct hsv_t {
    double h = 0;
    double s = 0;
    double v = 0;
};

// Flags of clr_t::to_str. Without comma forms the text is hexadecimal:
// AARRGGBB, or RRGGBB with clr_fmt::no_alpha.
namespace clr_fmt {
constexpr int no_alpha = 1;
constexpr int argb_dec = 2;  // "a,r,g,b" in decimal; wins over hsv
constexpr int hsv = 4;       // "a,h,s%,v%"
}  // namespace clr_fmt

// Short names first, then CSS names, both exact; or "#" and 1 to 8 hex digits.
// Leaves out unchanged and returns false on anything else.
bool parse_clr(clr_t* out, const wchar_t* text);
// Transparent black when the text is not a colour.
clr_t str_to_clr(const wchar_t* text);

hsv_t clr_to_hsv(clr_t c);
// Always opaque.
clr_t hsv_to_clr(const hsv_t& hsv);
// Sets the value to percent / 100; the colour becomes opaque.
void clr_set_brightness(clr_t* c, int percent);

// What breakdown and situation labels are coloured by: green above 0, white at 0, red below.
constexpr clr_t sign_clr(int v) { return v > 0 ? 0xFF00FF00 : v < 0 ? 0xFFFF0000 : 0xFFFFFFFF; }
