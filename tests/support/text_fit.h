#pragma once
// Whether a mark-up text lays out cleanly in the box it is shown in: every
// glyph, image and rule inside the box and none over the one before it, a
// right-aligned part on one line, a label on the line of its value (unless
// the two are wider than the box), and no Latin word or number parted across
// lines but after a hyphen that follows a letter. A tooltip written out in the
// text is held to the same at a tooltip's width. Needs the fonts loaded.
#include <algorithm>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_set>
#include <vector>

#include "app/clr.h"
#include "app/font.h"
#include "app/sentinels.h"
#include "app/str.h"
#include "ui/rt_markup.h"
#include "ui/rtext.h"

namespace text_fit {

// Where a text is shown: the width of its box, whether the box shrinks to the
// text (a tooltip sized to it), and the default font. Full-width rules reach
// into the window's border of 8.
struct place_t { int w = 0; bool fit = false; int font = FONT_DEF; };
// A tooltip that sizes itself: at most 512 pixels, less its border on each side.
inline constexpr place_t auto_tip{496, true};
constexpr int pad = 8;

// One character of the text with the item it was laid out as: whether it has
// a label's colour outside a heading, the right-aligned part it belongs to (0
// none), and whether only tags (joined) or a line break (broken) stand between
// it and the character before.
struct ch_t { const rt_item_t* it; char32_t c; bool label; int r; bool joined, broken; };

inline bool joins(char32_t c) { return c > U' ' && c < 0x2E80; }  // Latin and the like: one word

inline std::string utf8(const std::u32string& s) { return to_utf8_string(std::wstring(s.begin(), s.end()).c_str()); }

// The characters of ops paired with the items of rt (one glyph or space
// blank each, in order), and the tooltips written out in the text.
inline std::vector<ch_t> read_chars(const rt_ops_t& ops, const rtext_t& rt, int font, std::vector<Str>* tips) {
    rt_style_t st(0xFFFFFFFF, font);
    std::vector<ch_t> chs;
    int hr = 0, r_depth = 0, r_no = 0, item = 0;
    bool joined = false, broken = false;
    for (const rt_op_t& op : ops.ops) {
        const wchar_t* v = ops.val(op);
        if (op.kind == RO_CHAR) {
            while (item < rt.item_count() && rt.item(item)->kind != RT_GLYPH && rt.item(item)->ch != U' ') ++item;
            if (item == rt.item_count() || rt.was_cut()) return {};  // an ellipsis took the place of characters
            chs.push_back({rt.item(item++), op.ch, hr == 0 && st.glyph_clr() == str_to_clr(L"lbl"),
                           r_depth ? r_no : 0, joined, broken});
            joined = true, broken = false;
        } else if (op.kind == RO_OPEN || op.kind == RO_CLOSE) {
            const int d = op.kind == RO_OPEN ? 1 : -1;
            hr += op.key == RK_HR ? d : 0;
            if (op.key == RK_R) r_depth += d, r_no += d > 0;
            if (op.key >= RK_IMG && op.key <= RK_ICO_L) joined = false;
            if (tips && op.key == RK_TIP && d > 0 && *v && *v != L'#' && *v != L'$' && *v != L'&') tips->push_back(v);
            st.apply(ops, op);
        } else {
            joined = false, broken |= op.kind != RO_TAB;
        }
    }
    return chs;
}

// The faults of rt laid out at `at`, each a sentence after `where`.
inline void find_faults(const rtext_t& rt, const std::vector<ch_t>& chs, const place_t& at, const std::string& where,
                        std::vector<std::string>& out) {
    const auto line = [&](int n) {
        std::u32string s;
        for (const ch_t& c : chs) s += c.it->line == n ? std::u32string(1, c.c) : U"";
        return "\"" + utf8(s) + "\"";
    };
    const auto parted = [&](const char* what, const ch_t& a, const ch_t& b) {
        out.push_back(where + what + ": " + line(a.it->line) + " / " + line(b.it->line));
    };
    const auto kept = [](const ch_t& c) { return (c.it->flags & RT_NOBR) != 0; };
    const int right = at.fit ? std::min(at.w, rt.get_rect().w) : at.w;
    const rt_item_t* last = nullptr;
    for (int i = 0; i < rt.item_count(); ++i) {
        const rt_item_t& it = *rt.item(i);
        const rect& r = it.rc;
        const bool shown = it.kind == RT_GLYPH || it.kind == RT_IMAGE;
        const int slack = it.kind == RT_RULE ? pad : 0;
        if ((shown || it.kind == RT_RULE) && (r.x < -slack || r.x + r.w > right + slack))
            out.push_back(where + "outside the box at x " + std::to_string(r.x) + ".." +
                          std::to_string(r.x + r.w) + ": " + (shown ? utf8({it.ch}) : "a rule"));
        // Kerning may pull a glyph a pixel or two into the one before.
        if (shown && last && last->line == it.line && r.x < last->rc.x + last->rc.w - 2)
            out.push_back(where + "drawn over the one before at x " + std::to_string(r.x) + ": " +
                          utf8({last->ch, it.ch}));
        last = shown ? &it : last;
    }
    for (size_t i = 1; i < chs.size(); ++i) {
        const ch_t &a = chs[i - 1], &b = chs[i];
        if (a.it->line == b.it->line) continue;
        const char32_t p = i >= 2 ? chs[i - 2].c | 0x20 : 0;  // lower case
        const bool after_letter = a.c == U'-' && p >= U'a' && p <= U'z';
        if (b.joined && a.r == b.r && joins(a.c) && joins(b.c) && !after_letter) parted("a word parted", a, b);
        if (a.r != 0 && a.r == b.r) parted("a right-aligned part parted", a, b);
    }
    // A label's last character and the first of its value (its first word, or a name kept whole).
    for (size_t i = 0, j; i + 1 < chs.size(); ++i) {
        if (!chs[i].label || chs[i + 1].label) continue;
        bool broken = false;
        for (j = i + 1; j < chs.size() && chs[j].c == U' '; ++j) broken |= chs[j].broken;
        if (j == chs.size() || broken || chs[j].broken || chs[j].it->line == chs[i].it->line) continue;
        int w = 0;
        for (size_t k = i; k < chs.size() && chs[k].label; --k) w += chs[k].it->rc.w;
        for (size_t k = j; k < chs.size() && (k == j || (kept(chs[j]) && kept(chs[k])) ||
                                              (joins(chs[j].c) && joins(chs[k].c) && chs[k].joined)); ++k)
            w += chs[k].it->rc.w;
        if (w <= at.w) parted("a label parted from its value", chs[i], chs[j]);
    }
}

// Checks texts, each text at each place once.
class checker_t {
public:
    // The faults of markup laid out at each place, each a sentence naming the
    // place, what and which lines; none where the text was checked before.
    std::vector<std::string> faults(const wchar_t* markup, const std::vector<place_t>& places) {
        std::vector<std::string> out;
        rt_ops_t ops;
        std::vector<Str> tips;
        for (const place_t& at : places) {
            const size_t key = std::hash<std::wstring_view>()(markup) ^ size_t(at.w) << 20 ^ size_t(at.font) << 8;
            if (!seen_.insert(key ^ at.fit).second) continue;
            if (ops.ops.empty()) rt_parse(markup, &ops);
            rtext_t rt;
            rt.set_fit(at.fit);
            rt.set_pad(pad);
            const size box{at.w, UNLIMITED};
            rt.set_text(markup, &box, at.font, nullptr, 3);
            find_faults(rt, read_chars(ops, rt, at.font, tips.empty() ? &tips : nullptr), at,
                        "at " + std::to_string(at.w) + ": ", out);
        }
        for (const Str& t : tips)
            for (const std::string& f : faults(t, {auto_tip})) out.push_back("tip " + f);
        return out;
    }

private:
    std::unordered_set<size_t> seen_;
};

}  // namespace text_fit
