// Sections: layout context, lines, characters, tags, regions, images and
// rules, resolving, drawing, the handle.
#include "ui/rtext.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app/clr.h"
#include "app/font.h"
#include "app/geom.h"
#include "app/img_cache.h"
#include "app/input.h"
#include "app/links.h"
#include "app/platform.h"
#include "app/render.h"
#include "app/sys.h"
#include "app/tex.h"
#include "ui/rt_markup.h"
#include "ui/tip.h"
#include "ui/wnd.h"

namespace {

// Placements held in an item's y until its line ends.
constexpr int place_top = -UNLIMITED;
constexpr int place_bottom = -999999999;
constexpr int place_centre = -999999998;
// Held in an item's or band's h until its line ends: the height of that line.
constexpr int line_height_h = -999999994;
// Full width and height: the box (or the text when unbounded) plus the padding on both sides.
constexpr int full_w = -999999989;
constexpr int full_h = -999999988;

constexpr clr_t rule_clr = 0xFF333333;
constexpr clr_t tip_hover_clr = 0xFF2A3B4D;
constexpr int heading_rule_h = 5;
constexpr int heading_gap = 9;  // pixels beyond the heading's text left free in its rule

// ---- layout context ----

struct region_t {
    int type = RT_ALIGN_RIGHT;
    bool per_line = true;
    bool rest = false;  // as wide as the rest of the line it opened on
    bool whole = false; // its text moves as one word
    int line = 0;       // where it opened
    int first = 0;
    int last = -1;
    int w = 0;
};

// An "el" cell being laid out.
struct cell_t {
    int first = 0;
    int x = 0;
    int w = UNLIMITED;  // UNLIMITED: nothing to cut to
    int font = 0;
};

// One layout pass; lives on the stack for the length of set_text.
struct rt_layout_t {
    rt_text_t& t;
    const rt_ops_t& ops;
    rt_style_t st;
    int indent = 0;  // x where new lines start
    int hang = -1;   // after a tab: where the lines that wrap the cell start; -1 none
    int pen_x = 0;
    int line_top = 0;
    int line_h = 0;
    int ink_r = 0;   // right edge of the glyph ink on this line, past the pen when a glyph overhangs
    int widest = 0;
    int line_no = 0;
    size_t line_first = 0;
    int img_w = 0, img_h = 0;  // overrides; 0 for the image's own size
    bool at_line_start = true;
    char32_t prev = 0;  // the character before, for kerning
    std::vector<size_t> hr_starts;
    // Rules of headings with the items of their text, for the gap left around it.
    struct heading_t {
        size_t rule, first, last;
    };
    std::vector<heading_t> headings;
    std::vector<region_t> regions, deferred;
    std::vector<cell_t> cells;
    std::vector<rt_item_t*> open_tips, open_links;
    std::vector<size_t> open_bands;

    rt_layout_t(rt_text_t& text, const rt_ops_t& o, int font) : t(text), ops(o), st(text.def_clr, font) {
        line_h = font_h();
    }

    int font_h() const { return get_font_height(st.font()); }
    // Where a line that wraps starts: under the cell after a tab, when that
    // leaves a column of at least one tab stop, else at the indent.
    int wrap_x() const;
    bool unbounded_w() const { return t.box.w >= UNLIMITED || t.fit; }
    int count() const { return int(t.items.size()); }
    rt_item_t& at(int i) { return *t.items[size_t(i)]; }
};

rt_item_t* add_item(rt_layout_t& L, int kind, char32_t ch, const rect& rc) {
    auto* it = L.t.items.push_back(new rt_item_t);
    it->kind = kind;
    it->ch = ch;
    it->rc = rc;
    it->line = L.line_no;
    return it;
}

// ---- lines ----

void end_line(rt_layout_t& L) {
    for (size_t i = L.line_first; i < L.t.items.size(); ++i) {
        rect& r = L.t.items[i]->rc;
        if (r.h == line_height_h) r.h = L.line_h;
        if (r.y == place_centre)
            r.y = L.line_top + (L.line_h - r.h) / 2;
        else if (r.y == place_top)
            r.y = L.line_top;
        else
            r.y = L.line_top + L.line_h - r.h;
    }
    for (rt_band_t& b : L.t.bands)
        if (b.rc.h == line_height_h) b.rc.h = L.line_h;
    L.widest = std::max({L.widest, L.pen_x, L.ink_r});
}

void new_line(rt_layout_t& L, bool with_break) {
    end_line(L);
    L.at_line_start = true;
    if (with_break) add_item(L, RT_BLANK, U'\n', {L.pen_x, L.line_top, 0, L.line_h});
    L.pen_x = with_break ? L.indent : L.wrap_x();
    if (with_break) L.hang = -1;
    L.ink_r = 0;
    L.prev = 0;
    L.line_top += L.line_h;
    L.line_h = L.font_h();
    L.line_first = L.t.items.size();
    ++L.line_no;
}

// ---- characters ----

bool in_set(char32_t c, const char32_t* set) {
    for (; *set; ++set)
        if (*set == c) return true;
    return false;
}

bool opens_bracket(char32_t c) { return in_set(c, U"([\uFF08\u300A\u300C\u300E\u3010"); }
bool closes_bracket(char32_t c) { return in_set(c, U")]\uFF09\u300B\u300D\u300F\u3011"); }

// Marks that close a phrase and must not begin a line.
bool closes_phrase(char32_t c) {
    return closes_bracket(c) || in_set(c, U",.;:?!\u3002\uFF0C\u3001\uFF1B\uFF1A\uFF1F\uFF01");
}

// A hyphen parts words only after a letter: "Two-" / "Handed", but never a
// sign from its number ("-2") or a range ("19-25").
bool is_letter(char32_t c) {
    return (c >= U'A' && c <= U'Z') || (c >= U'a' && c <= U'z') || (c >= 0xC0 && c < 0x2B0 && c != 0xD7 && c != 0xF7) ||
           (c >= 0x370 && c < 0x530);
}

bool is_glyph(const rt_item_t& it, bool (*test)(char32_t)) { return it.kind == RT_GLYPH && test(it.ch); }
bool is_space(const rt_item_t& it) { return it.kind == RT_BLANK && (it.ch == U' ' || it.ch == U'\t'); }
bool is_anchor(const rt_item_t& it) { return it.kind == RT_TIP || it.kind == RT_LINK; }
// A rule, or the jump down of a vertical tab: what comes after never moves back past it.
bool is_barrier(const rt_item_t& it) { return it.kind == RT_RULE || (it.kind == RT_BLANK && it.ch == U'\v'); }
bool kept_whole(const rt_item_t& it) { return (it.kind == RT_GLYPH || it.kind == RT_BLANK) && (it.flags & RT_NOBR); }

// Right edge of the glyph ink on the current line.
int line_ink(const rt_layout_t& L) {
    int r = 0;
    for (size_t i = L.line_first; i < L.t.items.size(); ++i) {
        const rt_item_t& it = *L.t.items[i];
        if (it.kind == RT_GLYPH && it.tex) r = std::max(r, it.rc.x + it.ink_x + it.tex->get_size().w);
    }
    return r;
}

// Items from `first` on start the next line together, as they stood to each
// other; a space among them that ended its line in the room left takes its
// own width again.
void carry_to_next_line(rt_layout_t& L, size_t first) {
    std::vector<rt_item_t*> moved;
    while (L.t.items.size() > first) moved.insert(moved.begin(), L.t.items.release(L.t.items.size() - 1));
    const int end_x = L.pen_x;
    L.pen_x = moved.front()->rc.x;
    L.ink_r = line_ink(L);  // of the line that stays
    const char32_t prev = L.prev;
    new_line(L, false);
    L.prev = prev;
    int shift = L.pen_x - moved.front()->rc.x;
    for (rt_item_t* it : moved) {
        it->rc.x += shift;
        if (it->kind == RT_BLANK && it->ch == U' ' && it->rc.w < it->rc.h / 4) {
            shift += it->rc.h / 4 - it->rc.w;
            it->rc.w = it->rc.h / 4;
        }
        it->line = L.line_no;
        if (it->kind == RT_GLYPH) L.line_h = std::max(L.line_h, it->rc.h);
        L.t.items.push_back(it);
    }
    L.ink_r = line_ink(L);
    L.pen_x = end_x + shift;
    L.at_line_start = false;
}

// ---- where a line may break ----

// How hard a line that overflows presses for a break. Each step allows the
// breaks of the ones before it too.
enum brk_tier_e : int {
    BRK_CLEAN = 0,    // between words, never inside a kept name or a figure
    BRK_IN_NAME = 1,  // also at the spaces of a kept name or a figure longer than the line
    BRK_IN_WORD = 2,  // also between the characters of the line's last word, when what moves fits
};

// The line being laid as its break sees it: the items laid, then the
// character that did not fit (position n), then, after a space, the word
// still to come (n + 1).
struct line_view_t {
    const rt_layout_t& L;
    const rt_item_t& next;
    size_t n = 0;
    size_t floor = 0;           // nothing before it moves
    bool floor_breaks = false;  // a right-aligned part starts at the floor: it moves alone
    size_t word = 0;            // the glyphs from here to next are the line's last word
    // Per position from the line's first: whether it lies inside a figure's brackets.
    std::vector<bool> in_figure{};

    const rt_item_t& at(size_t i) const { return i < n ? *L.t.items[i] : next; }
    bool figure_at(size_t i) const { return in_figure[i - L.line_first]; }
};

// A figure is a bracket written with spaces inside, the game's way with a
// roll: "( 15 + 21 vs 23 )".
std::vector<bool> find_figures(const line_view_t& v) {
    std::vector<bool> inside, open;  // open: whether each bracket still open opened a figure
    int figures = 0;
    for (size_t i = v.L.line_first; i <= v.n + 1; ++i) {
        inside.push_back(figures > 0);
        if (i > v.n) break;
        const rt_item_t& it = v.at(i);
        if (is_glyph(it, opens_bracket)) {
            open.push_back(i < v.n && is_space(v.at(i + 1)));
            figures += open.back();
        } else if (is_glyph(it, closes_bracket) && !open.empty()) {
            figures -= open.back();
            open.pop_back();
        }
    }
    return inside;
}

line_view_t view_line(const rt_layout_t& L, const rt_item_t& next) {
    line_view_t v{.L = L, .next = next, .n = L.t.items.size()};
    v.floor = L.line_first;
    // A right-aligned part moves alone: a word right before it stays where it is.
    if (!L.regions.empty() && L.regions.back().whole && size_t(L.regions.back().first) > v.floor) {
        v.floor = size_t(L.regions.back().first);
        v.floor_breaks = true;
    }
    v.word = v.n;
    while (v.word > L.line_first && v.at(v.word - 1).kind == RT_GLYPH) --v.word;
    v.in_figure = find_figures(v);
    return v;
}

// Whether the line may end after content item a_i and start the next with
// item i (n + 1: the word after the space being laid), at the given tier.
// This is the one rule of where lines break.
bool may_break(const line_view_t& v, size_t a_i, size_t i, int tier) {
    const rt_item_t& a = v.at(a_i);
    const rt_item_t* b = i <= v.n ? &v.at(i) : nullptr;
    // A line never starts with a space or a closing mark ("23 )", ").", "项）"),
    if (b && (is_space(*b) || is_glyph(*b, closes_phrase))) return false;
    // nor ends with an opening bracket, with spaces after it or not.
    size_t k = a_i;
    while (k > v.L.line_first && is_space(v.at(k))) --k;
    if (is_glyph(v.at(k), opens_bracket)) return false;
    if (i == v.floor && v.floor_breaks) return true;
    if (tier == BRK_CLEAN && v.figure_at(i)) return false;
    // A kept name goes on past the space being laid.
    const bool in_name = kept_whole(a) && (!b || kept_whole(*b));
    if (is_space(a)) return !in_name || tier >= BRK_IN_NAME;
    if (in_name) return false;
    // Chinese text, or a picture, breaks at any character.
    if (!b || !is_glyph(a, sys_joins_word) || !is_glyph(*b, sys_joins_word)) return true;
    // A Latin word breaks where a sentence or a list ends before a letter
    // (").Maddened", "Cold,Poison") and after a hyphen after a letter,
    if (closes_phrase(a.ch) && is_letter(b->ch)) return true;
    if (a.ch == U'-' && a_i > v.L.line_first && is_glyph(v.at(a_i - 1), is_letter)) return true;
    // and anywhere once it is longer than its line.
    return tier >= BRK_IN_WORD && a_i >= v.word;
}

// Where the line ends when `next` (of advance adv) does not fit: the
// latest break of the least pressed tier that has one. The answer is the
// first item to move (anchors opened just before it move along), or n when
// none moves: next starts the next line, or, a space, ends this one.
size_t find_break(const rt_layout_t& L, const rt_item_t& next, int adv) {
    const line_view_t v = view_line(L, next);
    const size_t lowest = std::max(v.floor, L.line_first + 1);
    for (int tier = BRK_CLEAN; tier <= BRK_IN_WORD; ++tier) {
        for (size_t i = is_space(next) ? v.n + 1 : v.n; i >= lowest; --i) {
            if (i <= v.n && is_anchor(v.at(i))) continue;
            if (i <= v.n && is_barrier(v.at(i))) break;
            size_t j = i;
            while (j > L.line_first && is_anchor(v.at(j - 1))) --j;
            if (j == L.line_first || is_barrier(v.at(j - 1))) break;
            if (!may_break(v, j - 1, i, tier)) continue;
            const size_t first = std::min(std::max(j, v.floor), v.n);
            // Only a break inside a word is new to the last tier: it must leave room for next.
            const int moved_w = (first < v.n ? L.pen_x - v.at(first).rc.x : 0) + adv;
            if (tier == BRK_IN_WORD && moved_w > L.t.box.w - L.wrap_x()) continue;
            return first;
        }
    }
    return v.n;
}

// Latin words and names kept whole wrap whole, other Chinese text per
// character, a character is never cut, and a line breaks only where
// may_break lets it.
void lay_char(rt_layout_t& L, char32_t c) {
    const int fh = L.font_h();
    zg::glyph_t* g = nullptr;
    int adv = fh / 4;  // a space
    int kern = 0;
    if (c != U' ') {
        zg::font_t* f = get_font(L.st.font());
        g = f ? f->get_glyph(c) : nullptr;
        adv = g ? g->advance : 0;
        if (f && L.pen_x != L.indent && L.prev) kern = f->kerning(L.prev, c);
    }
    const uint32_t flags = L.st.flags.back();
    // Inside a cell nothing wraps: what passes its width is cut when it closes.
    const auto fits = [&] { return !L.cells.empty() || L.pen_x + adv + kern <= L.t.box.w; };
    // Kerning closes the gap before c, so it moves c itself; a wrap parts the pair and drops it.
    if (!fits()) {
        rt_item_t next;
        next.kind = c == U' ' ? RT_BLANK : RT_GLYPH;
        next.ch = c;
        next.flags = flags;
        // Each carry moves fewer items than the one before, so this ends.
        for (;;) {
            const size_t n = L.t.items.size(), first = find_break(L, next, adv + kern);
            if (first < n) {
                carry_to_next_line(L, first);
                if (fits()) break;
                continue;
            }
            if (c == U' ') {
                // Ends its line in the room left: the next line starts with the next word.
                adv = std::max(0, L.t.box.w - L.pen_x);
            } else {
                new_line(L, false);
                kern = 0;
            }
            break;
        }
    }
    L.pen_x += kern;
    if (c == U' ') {
        add_item(L, RT_BLANK, c, {L.pen_x, place_bottom, adv, fh})->flags = flags;
    } else {
        rt_item_t* it = add_item(L, RT_GLYPH, c, {L.pen_x, place_bottom, adv, fh});
        if (g && g->tex) {
            it->tex = g->tex;
            it->ink_x = g->ink_x;
            L.ink_r = std::max(L.ink_r, L.pen_x + g->ink_x + g->tex->get_size().w);
        }
        it->clr = L.st.glyph_clr();
        it->flags = flags;
        it->font = L.st.font();
    }
    L.pen_x += adv;
    L.prev = c;
    L.at_line_start = false;
}

// Tab stops every 16 quarters of the base font's height; at least 1 pixel
// apart, so a font under 4 pixels cannot make the stops divide by zero.
int tab_unit(const rt_layout_t& L) { return std::max(1, get_font_height(L.st.base_font()) / 4 * 16); }

int rt_layout_t::wrap_x() const { return hang >= 0 && t.box.w - hang >= tab_unit(*this) ? hang : indent; }

void lay_tab(rt_layout_t& L) {
    const int unit = tab_unit(L);
    const int next = (L.pen_x / unit + 1) * unit;
    add_item(L, RT_BLANK, U'\t', {L.pen_x, L.line_top, next - L.pen_x + 1, L.line_h});
    L.pen_x = std::min(next, L.t.box.w);
    L.hang = L.pen_x;
    L.prev = 0;
    L.at_line_start = false;
}

void lay_vtab(rt_layout_t& L) {
    const int unit = tab_unit(L);
    const int next = (L.line_top / unit + 1) * unit;
    add_item(L, RT_BLANK, U'\v', {L.pen_x, L.line_top, L.widest, next - L.line_top + 1});
    L.line_top = std::min(next, L.t.box.h);
    L.at_line_start = false;
}

// ---- regions ----

bool is_break(const rt_item_t& it) { return it.kind == RT_BLANK && it.ch == U'\n'; }

// Runs end at line breaks and where a wrap starts a new line; rules keep
// their own place across the box and are not moved.
void align_region(rt_layout_t& L, const region_t& r, int width) {
    struct run_t {
        int first, last, extent;
    };
    std::vector<run_t> runs;
    for (int i = r.first; i <= r.last; ++i) {
        const rt_item_t& it = L.at(i);
        if (is_break(it) || it.kind == RT_RULE) continue;
        if (runs.empty() || runs.back().last != i - 1 || L.at(runs.back().first).line != it.line)
            runs.push_back({i, i, 0});
        runs.back().last = i;
    }
    int largest = 0;
    for (run_t& run : runs) {
        const rect& a = L.at(run.first).rc;
        const rect& b = L.at(run.last).rc;
        run.extent = b.x + b.w - a.x;
        largest = std::max(largest, run.extent);
    }
    for (const run_t& run : runs) {
        const int extent = r.per_line ? run.extent : largest;
        const int shift = r.type == RT_ALIGN_RIGHT ? width - extent : r.type == RT_ALIGN_CENTRE ? (width - extent) / 2 : 0;
        for (int i = run.first; i <= run.last; ++i) L.at(i).rc.x += shift;
    }
}

void open_region(rt_layout_t& L, int key, const wchar_t* v) {
    region_t r;
    r.first = L.count();
    r.line = L.line_no;
    // A right-aligned part (a label, a price) is one unit: when it does not
    // fit beside what comes before, all of it starts the next line.
    r.whole = key == RK_R;
    if (r.whole) L.st.flags.push_back(L.st.flags.back() | RT_NOBR);
    if (key == RK_R || key == RK_M) {
        r.type = key == RK_R ? RT_ALIGN_RIGHT : RT_ALIGN_CENTRE;
        r.w = rt_parse_width(v, L.t.box.w);
    } else {
        r.type = rt_parse_halign(v);
        r.per_line = key == RK_HA;
        r.w = RT_W_REST;
    }
    r.rest = r.w == RT_W_REST;
    if (r.rest && !L.unbounded_w()) r.w = L.t.box.w - L.pen_x;
    L.regions.push_back(r);
}

void close_region(rt_layout_t& L) {
    if (L.regions.empty()) return;
    region_t r = L.regions.back();
    L.regions.pop_back();
    if (r.whole && L.st.flags.size() > 1) L.st.flags.pop_back();
    r.last = L.count() - 1;
    if (r.last < r.first) return;
    // Moved to a line of its own: the rest of that line.
    if (r.rest && r.w > 0 && L.at(r.first).line != r.line) r.w = L.t.box.w - L.at(r.first).rc.x;
    if (r.w > 0) {
        // The region takes exactly its width, whatever its text needed.
        const int first_x = L.at(r.first).rc.x;
        align_region(L, r, r.w);
        L.pen_x = first_x + r.w;
    } else {
        L.deferred.push_back(r);
    }
}

// ---- cells ----

void open_cell(rt_layout_t& L, const wchar_t* v) {
    cell_t c{L.count(), L.pen_x, UNLIMITED, L.st.font()};
    const int w = rt_parse_width(v, L.t.box.w);
    // Empty: the rest of the line; a negative width: the rest less that much.
    if (w > 0)
        c.w = w;
    else if (!L.unbounded_w())
        c.w = std::max(0, L.t.box.w - L.pen_x + (w == RT_W_REST ? 0 : w));
    L.cells.push_back(c);
}

bool is_laid(const rt_item_t& it) { return it.kind == RT_GLYPH || it.kind == RT_BLANK || it.kind == RT_IMAGE; }

// A cell takes exactly its width. Text that passes it loses its end, spaces
// before the cut too, and shows an ellipsis in its place; anchors and links
// stay, cut to the cell. What is cut stays in the item list as an empty
// blank, so the indexes that regions and headings keep stay true.
void close_cell(rt_layout_t& L) {
    if (L.cells.empty()) return;
    const cell_t c = L.cells.back();
    L.cells.pop_back();
    if (c.w >= UNLIMITED) return;
    const size_t from = std::max(size_t(c.first), L.line_first), n = L.t.items.size();
    const int right = c.x + c.w;
    const auto end_of = [](const rt_item_t& it) { return it.rc.x + it.rc.w; };
    bool past = false;
    for (size_t i = from; i < n; ++i) past = past || (is_laid(*L.t.items[i]) && end_of(*L.t.items[i]) > right);
    if (past) {
        zg::font_t* f = get_font(c.font);
        zg::glyph_t* g = f ? f->get_glyph(U'\u2026') : nullptr;
        const int ew = g ? g->advance : 0;
        clr_t clr = L.st.glyph_clr();
        int font = c.font, x = c.x;
        for (size_t i = n; i-- > from;) {
            rt_item_t& it = *L.t.items[i];
            if (!is_laid(it)) continue;
            if (it.kind != RT_BLANK && end_of(it) <= right - ew) {
                x = end_of(it);
                break;
            }
            if (it.kind == RT_GLYPH) clr = it.clr, font = it.font;
            it.kind = RT_BLANK;
            it.tex = nullptr;
            it.rc.w = 0;
        }
        for (size_t i = from; i < n; ++i) {
            rect& r = L.t.items[i]->rc;
            r.x = std::min(r.x, x);
            r.w = std::min(r.w, std::max(1, right - r.x));
        }
        f = get_font(font);
        g = f ? f->get_glyph(U'\u2026') : nullptr;
        if (g) {
            rt_item_t* it = add_item(L, RT_GLYPH, U'\u2026', {x, place_bottom, g->advance, get_font_height(font)});
            it->tex = g->tex;
            it->ink_x = g->ink_x;
            it->clr = clr;
            it->font = font;
        }
        L.t.cut = true;
    }
    L.pen_x = right;
    L.ink_r = std::min(right, line_ink(L));
    L.prev = 0;
}

// ---- images and rules ----

void add_image(rt_layout_t& L, int key, const wchar_t* name) {
    zg::tex_t* tex = get_img(name);
    int w = 16, h = 16, place = place_centre;
    if (key == RK_ICO_M) w = h = 32;
    if (key == RK_ICO_L) w = h = 64;
    if (key == RK_IMG) {
        const size s = tex ? tex->get_size() : size{};
        w = L.img_w >= 1 ? L.img_w : s.w;
        h = L.img_h > 0 ? L.img_h : s.h;
        place = place_top;
    }
    rt_item_t* it = add_item(L, RT_IMAGE, 0, {L.pen_x, place, w, h});
    it->tex = tex;
    it->clr = L.st.glyph_clr();
    it->bg_clr = L.st.bg_clrs.back();
    it->bdr_clr = L.st.bdr_clrs.back();
    L.pen_x += w;
    // A picture taller than the text makes its line taller rather than overlap the next one.
    L.line_h = std::max(L.line_h, h);
    L.prev = 0;
}

// Left edge and width of the text among items [first, last), on one line when line >= 0.
rect text_span(rt_layout_t& L, size_t first, size_t last, int line = -1) {
    int lo = UNLIMITED, hi = -UNLIMITED;
    for (size_t i = first; i < last; ++i) {
        const rt_item_t& it = *L.t.items[i];
        if ((it.kind != RT_GLYPH && it.kind != RT_BLANK && it.kind != RT_IMAGE) || is_break(it)) continue;
        if (line >= 0 && it.line != line) continue;
        lo = std::min(lo, it.rc.x);
        hi = std::max(hi, it.rc.x + it.rc.w);
    }
    return hi > lo ? rect{lo, 0, hi - lo, 0} : rect{};
}

// The two pieces of a heading's rule stop short of its text on both sides:
// gap = text width + 9, and a centred heading gets pieces of (w - gap) / 2.
// A heading of two lines leaves the gap around the text of the rule's line.
void cut_heading_rules(rt_layout_t& L) {
    for (const auto& h : L.headings) {
        rt_item_t& rule = *L.t.items[h.rule];
        const rect span = text_span(L, h.first, h.last, rule.line);
        const int left = span.x - heading_gap / 2;
        rule.side = std::clamp(left - rule.rc.x, 0, rule.rc.w);
        rule.gap = std::max(0, left + span.w + heading_gap - (rule.rc.x + rule.side));
    }
}

void add_rule(rt_layout_t& L, const rt_op_t& op) {
    const size_t start = L.hr_starts.empty() ? L.t.items.size() : L.hr_starts.back();
    if (!L.hr_starts.empty()) L.hr_starts.pop_back();
    const int style = rt_parse_rule(L.ops.val(op));
    if (style == RT_RULE_NONE) return;
    // Text between the opening and the closing (a heading) leaves a gap in a
    // thicker rule; where the gap falls is known once regions have moved the text.
    const bool heading = text_span(L, start, L.t.items.size()).w > 0;
    const int y = style == RT_RULE_BOTTOM ? place_bottom : place_centre;
    if (heading) L.headings.push_back({L.t.items.size(), start, L.t.items.size()});
    rt_item_t* it = add_item(L, RT_RULE, 0, {-L.t.pad, y, full_w, heading ? heading_rule_h : 1});
    const wchar_t* sw = L.ops.str(op.style_w);
    if (*sw) it->rule_w = rt_parse_width(sw, L.t.box.w);
    const wchar_t* sc = L.ops.str(op.style_c);
    it->clr = *sc ? str_to_clr(sc) : rule_clr;
}

// ---- tags ----

void open_band(rt_layout_t& L, const rt_op_t& op) {
    const clr_t c = str_to_clr(L.ops.val(op));
    if (op.key == RK_BC)
        L.t.bands.push_back({{0, L.line_top, RT_W_WIDEST, line_height_h}, c});
    else
        L.t.bands.push_back({{-L.t.pad, L.line_no == 0 ? -L.t.pad : L.line_top, full_w, full_h}, c});
    L.open_bands.push_back(L.t.bands.size() - 1);
}

void close_band(rt_layout_t& L, const rt_op_t& op) {
    if (L.open_bands.empty()) return;
    rt_band_t& b = L.t.bands[L.open_bands.back()];
    L.open_bands.pop_back();
    // A full band still open when the text ends reaches the bottom of the box.
    if (op.key == RK_OBC && op.at_end) return;
    b.rc.h = L.line_top + L.line_h - b.rc.y + 1;
}

// Tooltip anchors and links: one line high, as wide as the text they enclose.
rt_item_t* open_span(rt_layout_t& L, int kind, const wchar_t* text) {
    rt_item_t* it = add_item(L, kind, 0, {L.pen_x, place_top, 1, line_height_h});
    it->text = text;
    return it;
}

void close_span(rt_layout_t& L, std::vector<rt_item_t*>& open) {
    if (open.empty()) return;
    rt_item_t* it = open.back();
    open.pop_back();
    it->rc.w = std::max(1, (it->line == L.line_no ? L.pen_x : L.widest) - it->rc.x + 1);
}

void font_changed(rt_layout_t& L, bool pushed) {
    const int h = L.font_h();
    L.line_h = pushed && L.at_line_start ? h : std::max(L.line_h, h);
}

void open_tag(rt_layout_t& L, const rt_op_t& op) {
    const wchar_t* v = L.ops.val(op);
    switch (op.key) {
    case RK_MGN_T: case RK_DY: L.line_top += rt_parse_int(v, L.pen_x); break;
    case RK_X: L.pen_x = rt_parse_int(v, L.pen_x); break;
    case RK_Y: L.line_top = rt_parse_int(v, L.pen_x); break;
    case RK_DX: L.pen_x += rt_parse_int(v, L.pen_x); break;
    case RK_MIN_X: L.indent = L.pen_x = rt_parse_int(v, L.pen_x); break;
    case RK_W: L.img_w = rt_parse_width(v, L.t.box.w); break;
    case RK_H: L.img_h = rt_parse_plain_int(v); break;
    case RK_SZ: L.img_w = L.img_h = rt_parse_plain_int(v); break;
    case RK_R: case RK_M: case RK_HA: case RK_HBA: open_region(L, op.key, v); break;
    case RK_EL: open_cell(L, v); break;
    case RK_BC: case RK_OBC: open_band(L, op); break;
    case RK_HR: L.hr_starts.push_back(L.t.items.size()); break;
    case RK_TIP: L.open_tips.push_back(open_span(L, RT_TIP, v)); break;
    case RK_TIP_W:
        if (!L.open_tips.empty()) L.open_tips.back()->tip_w = std::max(0, rt_parse_width(v, L.t.box.w));
        break;
    case RK_URL: {
        const wchar_t* sc = L.ops.str(op.style_c);
        const clr_t c = *sc ? str_to_clr(sc) : rt_link_clr;
        rt_item_t* it = open_span(L, RT_LINK, v);
        it->clr = c;
        L.open_links.push_back(it);
        L.st.apply(L.ops, op, c);
        break;
    }
    default:
        if (L.st.apply(L.ops, op) && (op.key == RK_F || op.key == RK_B)) font_changed(L, true);
        break;
    }
}

void close_tag(rt_layout_t& L, const rt_op_t& op) {
    const wchar_t* v = L.ops.val(op);
    switch (op.key) {
    case RK_MGN_B: L.line_top += rt_parse_int(v, L.pen_x); break;
    case RK_MIN_X: L.indent = L.pen_x = 0; break;
    case RK_W: L.img_w = 0; break;
    case RK_H: L.img_h = 0; break;
    case RK_SZ: L.img_w = L.img_h = 0; break;
    case RK_IMG: case RK_ICO: case RK_ICO_M: case RK_ICO_L: add_image(L, op.key, v); break;
    case RK_R: case RK_M: case RK_HA: case RK_HBA: close_region(L); break;
    case RK_EL: close_cell(L); break;
    case RK_BC: case RK_OBC: close_band(L, op); break;
    case RK_HR: add_rule(L, op); break;
    case RK_TIP: close_span(L, L.open_tips); break;
    case RK_URL:
        // A link written without a target takes its own text, which the reader passes on closing.
        if (!L.open_links.empty() && L.open_links.back()->text.empty()) L.open_links.back()->text = v;
        close_span(L, L.open_links);
        L.st.apply(L.ops, op);
        break;
    default:
        if (L.st.apply(L.ops, op) && (op.key == RK_F || op.key == RK_B)) font_changed(L, false);
        break;
    }
}

void run_ops(rt_layout_t& L) {
    for (const rt_op_t& op : L.ops.ops) {
        switch (op.kind) {
        case RO_CHAR: lay_char(L, op.ch); break;
        case RO_TAB: lay_tab(L); break;
        case RO_VTAB: lay_vtab(L); break;
        case RO_BREAK: new_line(L, true); break;
        case RO_OPEN: open_tag(L, op); break;
        case RO_CLOSE: close_tag(L, op); break;
        }
    }
}

// ---- resolving ----

void resolve_rules(rt_layout_t& L, int text_h) {
    const int span = L.unbounded_w() ? L.widest : L.t.box.w;
    const int full = span + 2 * L.t.pad;
    for (rt_item_t* it : L.t.items) {
        if (it->kind != RT_RULE) continue;
        if (it->rule_w == RT_W_WIDEST) {
            it->rc.x = 0;
            it->rc.w = L.widest;
        } else if (it->rule_w > 0) {
            it->rc.w = it->rule_w;
            it->rc.x = (span - it->rule_w) / 2;
        } else {
            it->rc.w = full;
        }
    }
    const int full_height = (L.t.box.h >= UNLIMITED ? text_h : L.t.box.h) + 2 * L.t.pad;
    for (rt_band_t& b : L.t.bands) {
        if (b.rc.w == RT_W_WIDEST) b.rc.w = L.widest;
        if (b.rc.w == full_w) b.rc.w = full;
        if (b.rc.h == full_h) b.rc.h = full_height;
        if (b.rc.h == line_height_h) b.rc.h = L.line_h;
    }
}

// Typed text (names, edit boxes) is shown as typed, one item per character.
void plain_ops(const Str& text, rt_ops_t* out) {
    out->clear();
    for (const wchar_t* p = text.c_str(); *p; ++p) {
        rt_op_t op;
        op.ch = *p < 32 ? U' ' : char32_t(*p);
        out->ops.push_back(op);
    }
}

size layout(rt_text_t& t, int font) {
    rt_ops_t ops;
    const Str& src = t.prefix.empty() ? t.markup : t.prefix + t.markup;
    if (t.plain)
        plain_ops(src, &ops);
    else
        rt_parse(src.c_str(), &ops);
    rt_layout_t L(t, ops, font);
    run_ops(L);
    end_line(L);
    const size s{L.widest, L.line_top + L.line_h};
    resolve_rules(L, s.h);
    for (const region_t& r : L.deferred) align_region(L, r, L.widest - L.at(r.first).rc.x);
    cut_heading_rules(L);
    for (rt_item_t* it : t.items) {
        if (it->kind == RT_TIP) t.tips.push_back(it);
        if (it->kind == RT_LINK) t.links.push_back(it);
    }
    return s;
}

// ---- drawing ----

void draw_glyph(const rt_item_t& it, int ox, int oy) {
    if (!it.tex) return;
    // Drawn at its own size, never scaled into the advance: the ink may pass the item's rect.
    const size s = it.tex->get_size();
    const rect dst{ox + it.rc.x + it.ink_x, oy + it.rc.y + it.rc.h - s.h, s.w, s.h};
    if (it.flags & RT_SHADOW) {
        const clr_t black = uint32_t(it.clr.a()) << 24;
        const rect shadow{dst.x + 1, dst.y + 1, dst.w, dst.h};
        draw_tex_clr(it.tex, &black, &shadow, nullptr);
    }
    draw_tex_clr(it.tex, &it.clr, &dst, nullptr);
}

void draw_image(const rt_item_t& it, const rect& r) {
    if (it.bg_clr != 0) fill_rect(&r, &it.bg_clr);
    if (it.tex) {
        size s = it.tex->get_size();
        const size cell{r.w, r.h};
        fit_size(&s, &cell);
        const rect dst{r.x + (r.w - s.w) / 2, r.y + (r.h - s.h) / 2, s.w, s.h};
        draw_tex_clr(it.tex, &it.clr, &dst, nullptr);
    }
    if (it.bdr_clr != 0) draw_rect(&r, &it.bdr_clr);
}

void draw_rule_piece(int x0, int x1, const rect& r, const clr_t& c) {
    if (x1 <= x0) return;
    if (r.h == 1) {
        draw_line(x0, r.y, x1 - 1, r.y, &c);
    } else {
        const rect piece{x0, r.y, x1 - x0, r.h};
        fill_rect(&piece, &c);
    }
}

void draw_rule(const rt_item_t& it, const rect& r) {
    if (!it.gap && !it.side) return draw_rule_piece(r.x, r.x + r.w, r, it.clr);
    draw_rule_piece(r.x, r.x + it.side, r, it.clr);
    draw_rule_piece(r.x + it.side + it.gap, r.x + r.w, r, it.clr);
}

// Only in the layer that takes input, with the mouse inside the clip.
void draw_hover(const rt_item_t& it, const rect& r) {
    const pt_t* m = get_mouse_pos();
    if (!is_interactive_paint() || !clip_has_pt(m) || !r.contains(*m)) return;
    if (it.kind == RT_TIP) {
        fill_rect(&r, &tip_hover_clr);
        return;
    }
    draw_line(r.x, r.y + r.h - 1, r.x + r.w - 1, r.y + r.h - 1, &it.clr);
    hint_text() = it.text;
    set_frame_cursor(CUR_HAND);
    // Opened by the frame loop after the frame, not here.
    set_hover_link(it.text);
}

void draw_items(const rt_text_t& t, int ox, int oy) {
    for (const rt_band_t& b : t.bands) {
        const rect r{ox + b.rc.x, oy + b.rc.y, b.rc.w, b.rc.h};
        fill_rect(&r, &b.clr);
    }
    for (const rt_item_t* it : t.items) {
        const rect r{ox + it->rc.x, oy + it->rc.y, it->rc.w, it->rc.h};
        switch (it->kind) {
        case RT_GLYPH: draw_glyph(*it, ox, oy); break;
        case RT_IMAGE: draw_image(*it, r); break;
        case RT_RULE: draw_rule(*it, r); break;
        case RT_TIP:
        case RT_LINK: draw_hover(*it, r); break;
        default: break;
        }
    }
}

const Str empty_text;

}  // namespace

// ---- the handle ----

void rtext_t::init() {
    if (!p_) p_ = new rt_text_t;
}

void rtext_t::free() {
    delete p_;
    p_ = nullptr;
}

void rtext_t::set_text(const wchar_t* text, const size* box, int font, const clr_t* clr, int flags) {
    init();
    rt_text_t& t = *p_;
    t.items.clear();
    t.bands.clear();
    t.tips.clear();
    t.links.clear();
    t.cut = false;
    t.markup = or_empty(text);
    t.box = box ? *box : size{UNLIMITED, UNLIMITED};
    t.def_clr = clr ? *clr : default_clr;
    t.text_rc = {};
    if (t.markup.empty()) return;
    const size s = layout(t, font);
    t.text_rc = {0, 0, s.w, s.h};
    const rect whole{0, 0, t.box.w, t.box.h};
    align_rect(&t.text_rc, &whole, flags);
}

void rtext_t::draw(int x, int y) const {
    if (p_) draw_items(*p_, x + p_->text_rc.x, y + p_->text_rc.y);
}

const Str& rtext_t::get_text() const { return p_ ? p_->markup : empty_text; }

rect rtext_t::get_rect() const { return p_ ? p_->text_rc : rect{}; }

bool rtext_t::was_cut() const { return p_ && p_->cut; }

const clr_t* rtext_t::color_ptr() const { return p_ ? &p_->def_clr : &default_clr; }

void rtext_t::set_color(const clr_t* clr) {
    if (!clr) return;
    init();
    p_->def_clr = *clr;
    for (rt_item_t* it : p_->items)
        if (it->kind == RT_GLYPH) it->clr = *clr;
}

void rtext_t::set_prefix(const char* text) {
    init();
    p_->prefix = text ? utf8_to_str(text) : Str();
}

void rtext_t::set_pad(int n) {
    init();
    p_->pad = n;
}

void rtext_t::set_fit(bool v) {
    init();
    p_->fit = v;
}

void rtext_t::set_plain(bool v) {
    init();
    p_->plain = v;
}

int rtext_t::item_count() const { return p_ ? int(p_->items.size()) : 0; }

rect rtext_t::item_rect(int i) const {
    const rt_item_t* it = item(i);
    return it ? it->rc : rect{};
}

const rt_item_t* rtext_t::item(int i) const {
    if (!p_ || i < 0 || i >= item_count()) return nullptr;
    return p_->items[size_t(i)];
}

bool rtext_t::hit_tip(const pt_t* pt, const pt_t* origin) const {
    if (!p_ || !pt) return false;
    const pt_t o = origin ? *origin : pt_t{};
    for (size_t i = 0; i < p_->tips.size(); ++i) {
        const rt_item_t& it = *p_->tips[i];
        const rect r{it.rc.x + p_->text_rc.x + o.x, it.rc.y + p_->text_rc.y + o.y, it.rc.w, it.rc.h};
        if (!r.contains(*pt)) continue;
        tip_req_t& req = get_tip_req();
        req.anchor = r;
        req.text = it.text;
        req.text_ptr = nullptr;
        req.width = it.tip_w;
        req.region = int(i) + 1;
        return true;
    }
    return false;
}

Str strip_tags(const wchar_t* text) {
    Str out;
    if (!text) return out;
    bool in_tag = false;
    for (const wchar_t* p = text; *p; ++p) {
        // A character tag is text: it stands for its character.
        if (!in_tag && std::wcsncmp(p, L"<ch=", 4) == 0) {
            wchar_t* end = nullptr;
            const long c = std::wcstol(p + 4, &end, 10);
            if (end != p + 4 && *end == L'>' && c >= 32 && c <= 0x10FFFF && rt_is_ch_printable(int(c))) {
                out.append_char(wchar_t(c));
                p = end;
                continue;
            }
        }
        if (*p == L'<')
            in_tag = true;
        else if (*p == L'>')
            in_tag = false;
        else if (!in_tag)
            out.append_char(*p);
    }
    return out;
}
