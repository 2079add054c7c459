// Sections: key table, value kinds, attribute reader, tags and scopes,
// character loop, text state.
#include "ui/rt_markup.h"

#include <algorithm>
#include <array>
#include <cwchar>
#include <cwctype>

#include "app/clr.h"
#include "app/font.h"
#include "app/sentinels.h"
#include "ui/rtext.h"

namespace {

// ---- key table ----

constexpr rt_key_t key_rows[] = {
    {.id = 0, .key = L"", .kind = 0},
    {.id = 1, .key = L"s", .kind = 7},
    {.id = 2, .key = L"mgn_b", .kind = 2},
    {.id = 3, .key = L"pre_ln", .kind = 7},
    {.id = 4, .key = L"p", .kind = 7, .expand = L"pre_ln post_ln"},
    {.id = 5, .key = L"post_ln", .kind = 7},
    {.id = 6, .key = L"mgn_t", .kind = 2},
    {.id = 7, .key = L"c", .kind = 7},
    {.id = 8, .key = L"bg_c", .kind = 7},
    {.id = 9, .key = L"bdr_c", .kind = 7},
    {.id = 10, .key = L"f", .kind = 7},
    {.id = 11, .key = L"b", .kind = 7},
    {.id = 12, .key = L"a", .kind = 7},
    {.id = 13, .key = L"r", .kind = 7},
    {.id = 14, .key = L"m", .kind = 7},
    {.id = 15, .key = L"bc", .kind = 7},
    {.id = 16, .key = L"obc", .kind = 7},
    {.id = 17, .key = L"shadow", .kind = 7},
    {.id = 18, .key = L"i", .kind = 7},
    {.id = 19, .key = L"hr", .kind = 3, .expand = L"pre_ln post_ln"},
    {.id = 20, .key = L"h1", .kind = 5, .expand = L"pre_ln post_ln hr=b mgn_b=8 f=b7"},
    {.id = 21, .key = L"h2", .kind = 5, .expand = L"pre_ln post_ln hr=b mgn_b=8 f=b6"},
    {.id = 22, .key = L"h3", .kind = 5, .expand = L"pre_ln post_ln hr=b mgn_b=4 f=b5"},
    {.id = 23, .key = L"x", .kind = 1},
    {.id = 24, .key = L"y", .kind = 1},
    {.id = 25, .key = L"dx", .kind = 1},
    {.id = 26, .key = L"dy", .kind = 1},
    {.id = 27, .key = L"min_x", .kind = 5},
    {.id = 28, .key = L"w", .kind = 7},
    {.id = 29, .key = L"h", .kind = 7},
    {.id = 30, .key = L"sz", .kind = 7},
    {.id = 31, .key = L"img", .kind = 1},
    {.id = 32, .key = L"ico", .kind = 1},
    {.id = 33, .key = L"ico_m", .kind = 1},
    {.id = 34, .key = L"ico_l", .kind = 1},
    {.id = 35, .key = L"br", .kind = 1, .expand = L"post_ln"},
    {.id = 36, .key = L"h_zebra_c", .kind = 6},
    {.id = 37, .key = L"title", .kind = 2},
    {.id = 38, .key = L"ha", .kind = 2},
    {.id = 39, .key = L"va", .kind = 2},
    {.id = 40, .key = L"hba", .kind = 2},
    {.id = 41, .key = L"tip", .kind = 7},
    {.id = 42, .key = L"tip_w", .kind = 6},
    {.id = 43, .key = L"url", .kind = 5},
    {.id = 44, .key = L"ch", .kind = 1},
    {.id = 45, .key = L"nobr", .kind = 7},
    {.id = 46, .key = L"el", .kind = 7},
};

constexpr bool key_ids_in_order() {
    for (int i = 0; i < int(std::size(key_rows)); ++i)
        if (key_rows[i].id != i) return false;
    return std::size(key_rows) == RK_COUNT;
}
static_assert(key_ids_in_order(), "key rows must be listed by id, one per key");

bool is_image_key(int k) { return k >= RK_IMG && k <= RK_ICO_L; }

}  // namespace

const rt_key_t& rt_key_row(int id) { return key_rows[id > 0 && id < RK_COUNT ? id : 0]; }

int rt_find_key(const wchar_t* name) {
    if (!name || !*name) return RK_NONE;
    for (int i = 1; i < RK_COUNT; ++i)
        if (wcs_eq(name, key_rows[i].key)) return i;
    return RK_NONE;
}

// ---- value kinds ----

int rt_parse_plain_int(const wchar_t* v) {
    if (!v) return 0;
    // Saturates instead of overflowing on absurd lengths of digits.
    const long long n = std::wcstoll(v, nullptr, 10);
    return int(std::clamp<long long>(n, -UNLIMITED, UNLIMITED));
}

bool rt_is_ch_printable(int c) { return c >= 32 && c != 127 && !(c >= 0xD800 && c <= 0xDFFF) && c <= 0x10FFFF; }

int rt_parse_int(const wchar_t* v, int cur_x) {
    if (wcs_eq(v, L"mp")) return 4;
    if (wcs_eq(v, L"sp")) return 2;
    if (wcs_eq(v, L"lp")) return 8;
    if (wcs_eq(v, L"cur_x")) return cur_x;
    return rt_parse_plain_int(v);
}

bool rt_parse_bool(const wchar_t* v) {
    return !(wcs_eq(v, L"0") || wcs_eq(v, L"false") || wcs_eq(v, L"no"));
}

int rt_parse_alpha(const wchar_t* v) {
    if (!v || !*v) return 0;
    if (v[0] == L'#') {
        const unsigned long long n = std::wcstoull(v + 1, nullptr, 16);
        return int(std::min<unsigned long long>(n, UNLIMITED));
    }
    const size_t len = std::wcslen(v);
    if (v[len - 1] == L'%') return rt_parse_plain_int(v) * 255 / 100;
    if (std::wcschr(v, L'.')) {
        const double f = std::clamp(std::wcstod(v, nullptr), -1000.0, 1000.0);
        return int(f * 255);
    }
    return rt_parse_plain_int(v);
}

int rt_parse_width(const wchar_t* v, int limit_w) {
    if (!v || !*v) return RT_W_REST;
    if (wcs_eq(v, L"max_ln_w")) return RT_W_WIDEST;
    if (wcs_eq(v, L"lmt_w")) return limit_w;
    return rt_parse_plain_int(v);
}

int rt_parse_rule(const wchar_t* v) {
    if (!v || !*v || wcs_eq(v, L"c")) return RT_RULE_CENTRE;
    return wcs_eq(v, L"b") ? RT_RULE_BOTTOM : RT_RULE_NONE;
}

int rt_parse_halign(const wchar_t* v) {
    if (wcs_eq(v, L"l")) return RT_ALIGN_LEFT;
    if (wcs_eq(v, L"r")) return RT_ALIGN_RIGHT;
    return RT_ALIGN_CENTRE;
}

void rt_ops_t::clear() {
    ops.clear();
    vals.clear();
}

const wchar_t* rt_ops_t::str(int idx) const {
    return idx >= 0 && idx < int(vals.size()) ? vals[size_t(idx)].c_str() : L"";
}

namespace {

// ---- attribute reader ----

struct attr_t {
    Str key;
    Str val;
};

// Past the value that starts at p: "quoted", 'quoted', a Lua long bracket
// [[...]] or [==[...]==], or plain up to a space or ">". An unclosed quote or
// bracket runs to the end of the text.
const wchar_t* read_attr_value(const wchar_t* p, Str* out) {
    const wchar_t q = *p;
    if (q == L'"' || q == L'\'') {
        const wchar_t* e = std::wcschr(p + 1, q);
        const wchar_t* end = e ? e : p + std::wcslen(p);
        out->assign_sub(p + 1, 0, int(end - p - 1));
        return e ? e + 1 : end;
    }
    if (q == L'[') {
        int level = 0;
        while (p[1 + level] == L'=') ++level;
        if (p[1 + level] == L'[') {
            Str close(L"]");
            close.append_n(L'=', level).append_char(L']');
            const wchar_t* body = p + 2 + level;
            const wchar_t* e = std::wcsstr(body, close.buf);
            const wchar_t* end = e ? e : body + std::wcslen(body);
            out->assign_sub(body, 0, int(end - body));
            return e ? e + level + 2 : end;
        }
    }
    const wchar_t* e = p;
    while (*e && *e != L' ' && *e != L'>') ++e;
    out->assign_sub(p, 0, int(e - p));
    return e;
}

// Reads the attributes of a tag from p (past "<") to past its ">" or to the
// end of the text; returns where reading stopped.
const wchar_t* read_attrs(const wchar_t* p, std::vector<attr_t>* out) {
    for (;;) {
        while (*p == L' ') ++p;
        if (!*p) return p;
        if (*p == L'>') return p + 1;
        const wchar_t* k = p;
        while (*p && *p != L'=' && *p != L' ' && *p != L'>') ++p;
        attr_t a;
        a.key.assign_sub(k, 0, int(p - k));
        if (*p == L'=') p = read_attr_value(p + 1, &a.val);
        out->push_back(std::move(a));
    }
}

// "key:value;key:value" with the keys of the table; unknown keys are dropped.
using style_list_t = std::vector<std::pair<int, Str>>;

style_list_t read_pairs(const wchar_t* p) {
    style_list_t out;
    while (p && *p) {
        const wchar_t* e = std::wcschr(p, L';');
        const wchar_t* end = e ? e : p + std::wcslen(p);
        const wchar_t* colon = std::find(p, end, L':');
        Str key;
        key.assign_sub(p, 0, int(colon - p));
        Str val;
        if (colon < end) val.assign_sub(colon + 1, 0, int(end - colon - 1));
        if (const int k = rt_find_key(key)) out.emplace_back(k, std::move(val));
        p = e ? e + 1 : end;
    }
    return out;
}

// ---- tags and scopes ----

// One attribute of an open tag; the value is an index into the op values.
struct open_attr_t {
    int key;
    int val;
};

struct scope_t {
    std::vector<open_attr_t> attrs;  // ascending key order
    std::vector<int> style_keys;     // style lists an "s" tag pushed, popped on closing
    const wchar_t* url_src = nullptr;  // where the text of a link without a target starts
};

struct parser_t {
    rt_ops_t& out;
    const wchar_t* p;
    bool at_line_start = true;
    bool skip_lf = false;
    std::vector<scope_t> scopes;
    std::array<std::vector<style_list_t>, RK_COUNT> styles;

    parser_t(rt_ops_t& o, const wchar_t* text) : out(o), p(text) {}

    int add_val(const Str& v) {
        if (v.empty()) return RT_NO_VAL;
        out.vals.push_back(v);
        return int(out.vals.size()) - 1;
    }
    void emit(rt_op_kind kind, int key, int val, bool at_end = false) {
        rt_op_t op;
        op.kind = kind;
        op.key = uint8_t(key);
        op.val = val;
        op.at_end = at_end;
        if (key == RK_HR || key == RK_URL) add_style_vals(&op);
        out.ops.push_back(op);
    }
    void add_style_vals(rt_op_t* op) {
        if (styles[op->key].empty()) return;
        for (const auto& [k, v] : styles[op->key].back()) {
            if (k == RK_W) op->style_w = add_val(v);
            if (k == RK_C) op->style_c = add_val(v);
        }
    }
    void emit_char(char32_t c) {
        rt_op_t op;
        op.ch = c;
        out.ops.push_back(op);
        at_line_start = skip_lf = false;
    }
    void emit_break() {
        emit(RO_BREAK, RK_NONE, RT_NO_VAL);
        at_line_start = true;
    }

    void open_attr(int key, int val);
    void close_attr(const open_attr_t& a, bool at_end, const wchar_t* close_at);
    void close_scope(bool at_end, const wchar_t* close_at);
    void style_tag(const std::vector<attr_t>& attrs);
    void tag();
    void run();
};

void parser_t::open_attr(int key, int val) {
    switch (key) {
    case RK_PRE_LN:
        if (rt_parse_bool(out.str(val)) && !at_line_start) emit_break();
        break;
    case RK_TITLE: {
        // Tags and control characters inside the title are shown as they are.
        const Str v = out.str(val);
        emit(RO_OPEN, RK_F, add_val(L"b5"));
        emit(RO_OPEN, RK_C, add_val(L"#fea"));
        for (const wchar_t* c = v.buf; *c; ++c) emit_char(char32_t(*c));
        emit(RO_CLOSE, RK_C, RT_NO_VAL);
        emit(RO_CLOSE, RK_F, RT_NO_VAL);
        break;
    }
    case RK_CH: {
        // The language's one escape: text the player typed shows "<" this way.
        const int c = rt_parse_plain_int(out.str(val));
        if (rt_is_ch_printable(c)) emit_char(char32_t(c));
        break;
    }
    case RK_S: case RK_P: case RK_POST_LN: case RK_I: case RK_H1: case RK_H2: case RK_H3:
    case RK_BR: case RK_H_ZEBRA_C: case RK_VA:
        break;
    default: emit(RO_OPEN, key, val); break;
    }
}

// close_at: where the closing tag starts (the end of a link's own text).
void parser_t::close_attr(const open_attr_t& a, bool at_end, const wchar_t* close_at) {
    switch (a.key) {
    case RK_POST_LN:
        // The text ending closes no paragraph into a new, empty line.
        if (!at_end && rt_parse_bool(out.str(a.val))) {
            emit_break();
            skip_lf = true;
        }
        break;
    case RK_MGN_B:
        if (!at_end) emit(RO_CLOSE, a.key, a.val);
        break;
    case RK_URL:
        if (a.val == RT_NO_VAL && !scopes.empty() && scopes.back().url_src) {
            // A link without a target goes to its own text, up to the closing tag.
            Str target;
            target.assign_sub(scopes.back().url_src, 0, int(close_at - scopes.back().url_src));
            emit(RO_CLOSE, a.key, add_val(target), at_end);
        } else {
            emit(RO_CLOSE, a.key, a.val, at_end);
        }
        break;
    case RK_S: case RK_PRE_LN: case RK_P: case RK_I: case RK_H1: case RK_H2: case RK_H3:
    case RK_BR: case RK_H_ZEBRA_C: case RK_TITLE: case RK_VA: case RK_CH:
        break;
    default: emit(RO_CLOSE, a.key, a.val, at_end); break;
    }
}

void parser_t::close_scope(bool at_end, const wchar_t* close_at) {
    if (scopes.empty()) return;  // a closing tag with nothing open does nothing
    const scope_t& s = scopes.back();
    for (size_t i = s.attrs.size(); i-- > 0;) close_attr(s.attrs[i], at_end, close_at);
    for (int k : s.style_keys)
        if (!styles[size_t(k)].empty()) styles[size_t(k)].pop_back();
    scopes.pop_back();
}

// "<s key=k:v;k:v ...>" pushes a style list for each key named; a value on
// "s" itself is a list whose attributes open at once for the enclosed text.
void parser_t::style_tag(const std::vector<attr_t>& attrs) {
    scope_t scope;
    for (const attr_t& a : attrs) {
        const int k = rt_find_key(a.key);
        if (!k || (k == RK_S && a.val.empty())) continue;
        styles[size_t(k)].push_back(read_pairs(a.val));
        scope.style_keys.push_back(k);
    }
    if (!attrs.empty() && !attrs[0].val.empty()) {
        std::array<int, RK_COUNT> set;
        set.fill(-2);
        for (const auto& [k, v] : styles[RK_S].back()) set[size_t(k)] = add_val(v);
        for (int k = 1; k < RK_COUNT; ++k) {
            if (set[size_t(k)] == -2 || k == RK_S) continue;
            open_attr(k, set[size_t(k)]);
            scope.attrs.push_back({k, set[size_t(k)]});
        }
    }
    scopes.push_back(std::move(scope));
}

void parser_t::tag() {
    const wchar_t* start = p;
    if (p[1] == L'/') {
        const wchar_t* e = std::wcschr(p, L'>');
        p = e ? e + 1 : p + std::wcslen(p);
        close_scope(false, start);
        return;
    }
    std::vector<attr_t> attrs;
    p = read_attrs(p + 1, &attrs);
    if (attrs.empty()) return;
    const int row = rt_find_key(attrs[0].key);
    if (row == RK_NONE) return;
    if (row == RK_S) return style_tag(attrs);

    // Later sources replace earlier values: the expansion, the style of this
    // tag's key, the pairs of an "s" attribute, the tag's own attributes.
    std::array<int, RK_COUNT> set;
    set.fill(-2);  // -2: absent; RT_NO_VAL: present without a value
    if (const wchar_t* ex = rt_key_row(row).expand) {
        std::vector<attr_t> exp;
        read_attrs(ex, &exp);
        for (const attr_t& a : exp) set[size_t(rt_find_key(a.key))] = add_val(a.val);
    }
    if (!styles[size_t(row)].empty())
        for (const auto& [k, v] : styles[size_t(row)].back()) set[size_t(k)] = add_val(v);
    for (const attr_t& a : attrs)
        if (rt_find_key(a.key) == RK_S)
            for (const auto& [k, v] : read_pairs(a.val)) set[size_t(k)] = add_val(v);
    for (const attr_t& a : attrs) {
        const int k = rt_find_key(a.key);
        if (k != RK_S) set[size_t(k)] = add_val(a.val);
    }
    set[RK_NONE] = set[RK_S] = -2;
    // Images keep their own placement in the line: alignment marks on them do nothing.
    if (is_image_key(row)) set[RK_HA] = set[RK_HBA] = -2;

    scope_t scope;
    for (int k = 1; k < RK_COUNT; ++k) {
        if (set[size_t(k)] == -2) continue;
        scope.attrs.push_back({k, set[size_t(k)]});
        if (k == RK_URL) scope.url_src = p;
    }
    for (const open_attr_t& a : scope.attrs) open_attr(a.key, a.val);
    if (rt_key_row(row).kind & RT_KIND_SCOPE) {
        scopes.push_back(std::move(scope));
    } else {
        for (size_t i = scope.attrs.size(); i-- > 0;) close_attr(scope.attrs[i], false, p);
    }
}

// ---- character loop ----

void parser_t::run() {
    while (*p) {
        const wchar_t c = *p;
        switch (c) {
        case L'\t':
            emit(RO_TAB, RK_NONE, RT_NO_VAL);
            at_line_start = skip_lf = false;
            break;
        case L'\v':
            emit(RO_VTAB, RK_NONE, RT_NO_VAL);
            at_line_start = skip_lf = false;
            break;
        case L'\r':
        case L'\n':
            if (c == L'\r' && p[1] == L'\n') ++p;  // CR LF is one new line
            if (skip_lf)
                skip_lf = false;
            else
                emit_break();
            break;
        case L'<': tag(); continue;
        default: emit_char(char32_t(c)); break;
        }
        ++p;
    }
    while (!scopes.empty()) close_scope(true, p);
}

}  // namespace

void rt_parse(const wchar_t* text, rt_ops_t* out) {
    out->clear();
    if (!text) return;
    parser_t ps(*out, text);
    ps.run();
}

// ---- text state ----

rt_style_t::rt_style_t(clr_t clr, int font)
    : clrs{clr}, alphas{255}, bg_clrs{0}, bdr_clrs{0}, fonts{font}, flags{0} {}

namespace {
template <class T>
void pop(std::vector<T>& v) {
    if (v.size() > 1) v.pop_back();
}
}  // namespace

bool rt_style_t::apply(const rt_ops_t& ops, const rt_op_t& op, clr_t link_clr) {
    if (op.kind != RO_OPEN && op.kind != RO_CLOSE) return false;
    const bool open = op.kind == RO_OPEN;
    const wchar_t* v = ops.val(op);
    switch (op.key) {
    case RK_C: open ? clrs.push_back(str_to_clr(v)) : pop(clrs); return true;
    case RK_URL: open ? clrs.push_back(link_clr) : pop(clrs); return true;
    case RK_BG_C: open ? bg_clrs.push_back(str_to_clr(v)) : pop(bg_clrs); return true;
    case RK_BDR_C: open ? bdr_clrs.push_back(str_to_clr(v)) : pop(bdr_clrs); return true;
    case RK_F: open ? fonts.push_back(get_font_id(v, font())) : pop(fonts); return true;
    case RK_B:
        open ? fonts.push_back(rt_parse_bool(v) ? to_bold_font(font()) : to_norm_font(font())) : pop(fonts);
        return true;
    case RK_A: open ? alphas.push_back(rt_parse_alpha(v)) : pop(alphas); return true;
    case RK_SHADOW: case RK_NOBR: {
        const uint32_t bit = op.key == RK_SHADOW ? RT_SHADOW : RT_NOBR;
        open ? flags.push_back(rt_parse_bool(v) ? flags.back() | bit : flags.back() & ~bit) : pop(flags);
        return true;
    }
    default: return false;
    }
}

clr_t rt_style_t::glyph_clr() const {
    const clr_t c = clrs.back();
    // (colour alpha / 255) x (alpha / 255) x 255, truncated; integers keep it exact.
    const uint32_t a = uint32_t(c.a()) * uint32_t(std::clamp(alphas.back(), 0, 255)) / 255;
    return (c.v & 0x00FFFFFFu) | a << 24;
}
