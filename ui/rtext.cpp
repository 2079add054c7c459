#include "ui/rtext.h"

#include <algorithm>
#include <cwchar>
#include <vector>

#include "app/font.h"
#include "app/geom.h"
#include "app/render.h"
#include "app/tex.h"

namespace {

// Placements held in an item's y until its line ends; any other y is "bottom",
// so glyphs of different heights share their bottom edge.
constexpr int place_top = -1000000000;
constexpr int place_centre = -999999998;
// Held in an item's h until its line ends: the height of that line.
constexpr int line_height_h = -999999994;

// One layout pass; lives on the stack for the length of set_text.
struct rt_layout_t {
    rt_text_t& t;
    const wchar_t* src;  // the whole source, for the character before the read position
    const wchar_t* p;
    int indent = 0;  // x where new lines start
    int pen_x = 0;
    int line_top = 0;
    int line_h = 0;
    int widest = 0;
    size_t line_first = 0;  // index of the line's first item
    int line_no = 0;
    // The bottom entry of each stack is what set_text was given.
    std::vector<clr_t> clrs;
    std::vector<int> alphas;
    std::vector<int> fonts;
    std::vector<uint32_t> flags;

    rt_layout_t(rt_text_t& text, const wchar_t* source, int font)
        : t(text), src(source), p(source), clrs{text.def_clr}, alphas{255}, fonts{font}, flags{0} {
        line_h = font_h();
    }

    int font_h() const { return get_font_height(fonts.back()); }
    zg::font_t* font() const { return get_font(fonts.back()); }
};

rt_item_t* add_item(rt_layout_t& L, int kind, char32_t ch, const rect& rc) {
    auto* it = L.t.items.push_back(new rt_item_t);
    it->kind = kind;
    it->ch = ch;
    it->rc = rc;
    return it;
}

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
    L.widest = std::max(L.widest, L.pen_x);
}

void new_line(rt_layout_t& L, bool with_break) {
    end_line(L);
    if (with_break) add_item(L, RT_BLANK, U'\n', {L.pen_x, L.line_top, 0, L.line_h});
    L.pen_x = L.indent;
    L.line_top += L.line_h;
    L.line_h = L.font_h();
    L.line_first = L.t.items.size();
    ++L.line_no;
}

// (colour alpha / 255) x (alpha / 255) x 255, truncated; integers keep it exact.
clr_t glyph_clr(const rt_layout_t& L) {
    const clr_t c = L.clrs.back();
    const uint32_t a = uint32_t(c.a()) * uint32_t(std::clamp(L.alphas.back(), 0, 255)) / 255;
    return (c.v & 0x00FFFFFFu) | a << 24;
}

// Wraps per character: a word may be cut, a character never is.
void lay_char(rt_layout_t& L, char32_t c) {
    const int fh = L.font_h();
    zg::glyph_t* g = nullptr;
    int adv = fh / 4;  // a space
    int kern = 0;
    if (c != U' ') {
        zg::font_t* f = L.font();
        g = f ? f->get_glyph(c) : nullptr;
        adv = g ? g->advance : 0;
        if (f && L.pen_x != L.indent && L.p > L.src) kern = f->kerning(char32_t(L.p[-1]), c);
    }
    // Kerning closes the gap before c, so it moves c itself; a wrap parts the pair and drops it.
    if (L.pen_x + adv + kern > L.t.box.w) {
        new_line(L, false);
        kern = 0;
    }
    L.pen_x += kern;
    if (c == U' ') {
        add_item(L, RT_BLANK, c, {L.pen_x, L.line_top, adv, fh});
    } else {
        rt_item_t* it = add_item(L, RT_GLYPH, c, {L.pen_x, L.line_top, adv, fh});
        it->tex = g ? g->tex : nullptr;
        it->clr = glyph_clr(L);
        it->flags = L.flags.back();
    }
    L.pen_x += adv;
}

// Tab stops every 16 quarters of the base font's height; at least 1 pixel
// apart, so a tiny font cannot make the stops divide by zero.
int tab_unit(const rt_layout_t& L) { return std::max(1, get_font_height(L.fonts.front()) / 4 * 16); }

void lay_tab(rt_layout_t& L) {
    const int unit = tab_unit(L);
    const int next = (L.pen_x / unit + 1) * unit;
    add_item(L, RT_BLANK, U'\t', {L.pen_x, L.line_top, next - L.pen_x + 1, L.line_h});
    L.pen_x = std::min(next, L.t.box.w);
}

void lay_vtab(rt_layout_t& L) {
    const int unit = tab_unit(L);
    const int next = (L.line_top / unit + 1) * unit;
    add_item(L, RT_BLANK, U'\v', {L.pen_x, L.line_top, L.widest, next - L.line_top + 1});
    L.line_top = std::min(next, L.t.box.h);
}

// Past the tag that starts at p, or at the NUL of an unterminated one. A quoted
// value ("...", '...' or a long bracket [[...]], [=[...]=]) may hold ">".
// TODO: the mark-up reader replaces this; until then every tag is one whose
// key is unknown, which is consumed and does nothing.
const wchar_t* skip_tag(const wchar_t* p) {
    for (++p; *p && *p != L'>'; ++p) {
        if (*p != L'=') continue;
        const wchar_t q = p[1];
        if (q == L'"' || q == L'\'') {
            const wchar_t* e = std::wcschr(p + 2, q);
            if (!e) return p + std::wcslen(p);
            p = e;
        } else if (q == L'[') {
            int level = 0;
            while (p[2 + level] == L'=') ++level;
            if (p[2 + level] != L'[') continue;
            Str close(L"]");
            close.append_n(L'=', level).append_char(L']');
            const wchar_t* e = std::wcsstr(p + 3 + level, close.buf);
            if (!e) return p + std::wcslen(p);
            p = e + level + 1;
        }
    }
    return *p ? p + 1 : p;
}

void char_loop(rt_layout_t& L) {
    while (*L.p) {
        const wchar_t c = *L.p;
        switch (c) {
            case L'\t': lay_tab(L); break;
            case L'\v': lay_vtab(L); break;
            case L'\r':
                if (L.p[1] == L'\n') ++L.p;  // CR LF is one line break
                new_line(L, true);
                break;
            case L'\n': new_line(L, true); break;
            case L'<': L.p = skip_tag(L.p); continue;
            default: lay_char(L, char32_t(c)); break;
        }
        ++L.p;
    }
}

size layout(rt_text_t& t, int font) {
    const Str source = t.prefix.empty() ? t.markup : t.prefix + t.markup;
    rt_layout_t L(t, source.buf, font);
    char_loop(L);
    end_line(L);
    return {L.widest, L.line_top + L.line_h};
}

void draw_glyph(const rt_item_t& it, int ox, int oy) {
    if (!it.tex) return;
    size s = it.tex->get_size();
    const size cell{it.rc.w, it.rc.h};
    fit_size(&s, &cell);
    rect dst{ox + it.rc.x + (cell.w - s.w) / 2, oy + it.rc.y + (cell.h - s.h) / 2, s.w, s.h};
    if (it.flags & RT_SHADOW) {
        const clr_t black = uint32_t(it.clr.a()) << 24;
        const rect shadow{dst.x + 1, dst.y + 1, dst.w, dst.h};
        draw_tex_clr(it.tex, &black, &shadow, nullptr);
    }
    draw_tex_clr(it.tex, &it.clr, &dst, nullptr);
}

const Str empty_text;

}  // namespace

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
    t.markup = text ? text : L"";
    t.box = box ? *box : size{rt_unbounded, rt_unbounded};
    t.def_clr = clr ? *clr : default_clr;
    t.text_rc = {};
    if (t.markup.empty()) return;
    const size s = layout(t, font);
    t.text_rc = {0, 0, s.w, s.h};
    const rect whole{0, 0, t.box.w, t.box.h};
    align_rect(&t.text_rc, &whole, flags);
}

void rtext_t::draw(int x, int y) const {
    if (!p_) return;
    const int ox = x + p_->text_rc.x;
    const int oy = y + p_->text_rc.y;
    for (const rt_item_t* it : p_->items)
        if (it->kind == RT_GLYPH) draw_glyph(*it, ox, oy);
}

const Str& rtext_t::get_text() const { return p_ ? p_->markup : empty_text; }

rect rtext_t::get_rect() const { return p_ ? p_->text_rc : rect{}; }

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

int rtext_t::item_count() const { return p_ ? int(p_->items.size()) : 0; }

rect rtext_t::item_rect(int i) const {
    if (!p_ || i < 0 || i >= item_count()) return {};
    return p_->items[size_t(i)]->rc;
}

Str strip_tags(const wchar_t* text) {
    Str out;
    if (!text) return out;
    bool in_tag = false;
    for (const wchar_t* p = text; *p; ++p) {
        if (*p == L'<')
            in_tag = true;
        else if (*p == L'>')
            in_tag = false;
        else if (!in_tag)
            out.append_char(*p);
    }
    return out;
}
