#pragma once
// Whether coloured text reads where it is drawn: the contrast of each glyph of
// a mark-up text against its background, by relative luminance,
// (L1 + 0.05) / (L2 + 0.05). Used by the tests of the tips, the help and the log.
#include <algorithm>
#include <cmath>
#include <string>
#include <utility>
#include <vector>

#include "app/clr.h"
#include "app/str.h"
#include "ui/rt_markup.h"
#include "ui/tip.h"

namespace text_contrast {

// Where text is drawn: its default colour on an opaque background.
struct place_t {
    clr_t text, bg;
};
// A tooltip: white on the tip's near-black.
constexpr place_t on_tip{0xFFFFFFFF, tip_bg_clr};

inline double luminance(clr_t c) {
    const auto lin = [](int v) { return v <= 10 ? v / 255.0 / 12.92 : std::pow((v / 255.0 + 0.055) / 1.055, 2.4); };
    return 0.2126 * lin(c.r()) + 0.7152 * lin(c.g()) + 0.0722 * lin(c.b());
}

// fg laid over an opaque bg by fg's alpha.
inline clr_t over(clr_t fg, clr_t bg) {
    const auto mix = [&](int f, int b) { return uint32_t((f * fg.a() + b * (255 - fg.a())) / 255); };
    return clr_t{0xFF000000u | mix(fg.r(), bg.r()) << 16 | mix(fg.g(), bg.g()) << 8 | mix(fg.b(), bg.b())};
}

inline double ratio(clr_t fg, clr_t bg) {
    const double a = luminance(over(fg, bg)), b = luminance(bg);
    return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

// The runs of glyphs of markup that read below 3 to 1 at place, each as
// "colour on background (ratio): text"; a tooltip written out in the text is
// read at tip.
inline std::vector<std::string> dim_glyphs(const wchar_t* markup, place_t at, place_t tip = on_tip) {
    std::vector<std::string> out;
    rt_ops_t ops;
    rt_parse(markup, &ops);
    rt_style_t st(at.text, 0);
    bool in_run = false;
    for (const rt_op_t& op : ops.ops) {
        const wchar_t* v = ops.val(op);
        const clr_t c = st.glyph_clr();
        const bool was_in_run = std::exchange(in_run, false);
        if (op.kind == RO_CHAR && op.ch != U' ' && ratio(c, at.bg) < 3) {
            const std::string what = to_utf8_string(c.to_str(0).buf) + " on " + to_utf8_string(at.bg.to_str(0).buf) +
                                     " (" + std::to_string(ratio(c, at.bg)) + "): ";
            if (!was_in_run || !out.back().starts_with(what)) out.push_back(what);
            out.back() += to_utf8_string(std::wstring(1, wchar_t(op.ch)).c_str());
            in_run = true;
        } else if (op.key == RK_TIP && op.kind == RO_OPEN && *v && *v != L'#' && *v != L'$' && *v != L'&') {
            for (const std::string& d : dim_glyphs(v, tip, tip)) out.push_back("tip " + d);
        } else {
            const wchar_t* url_c = ops.str(op.style_c);
            st.apply(ops, op, *url_c ? str_to_clr(url_c) : rt_link_clr);
        }
    }
    return out;
}

}  // namespace text_contrast
