#pragma once
// The rich-text mark-up language: its key table, how each kind of value is
// read, and the reader that turns a mark-up text into a stream of operations
// (characters, line breaks, attributes opened and closed) for the layout.
// Nothing here needs a font or a renderer.
#include <cstdint>
#include <vector>

#include "app/str.h"
#include "app/types.h"

// Row numbers of the key table. A key's row fixes the order in which the
// attributes of one tag open (ascending) and close (descending).
enum rt_key : uint8_t {
    RK_NONE = 0,  // an unknown key: consumed, no effect
    RK_S = 1,
    RK_MGN_B = 2,
    RK_PRE_LN = 3,
    RK_P = 4,
    RK_POST_LN = 5,
    RK_MGN_T = 6,
    RK_C = 7,
    RK_BG_C = 8,
    RK_BDR_C = 9,
    RK_F = 10,
    RK_B = 11,
    RK_A = 12,
    RK_R = 13,
    RK_M = 14,
    RK_BC = 15,
    RK_OBC = 16,
    RK_SHADOW = 17,
    RK_I = 18,
    RK_HR = 19,
    RK_H1 = 20,
    RK_H2 = 21,
    RK_H3 = 22,
    RK_X = 23,
    RK_Y = 24,
    RK_DX = 25,
    RK_DY = 26,
    RK_MIN_X = 27,
    RK_W = 28,
    RK_H = 29,
    RK_SZ = 30,
    RK_IMG = 31,
    RK_ICO = 32,
    RK_ICO_M = 33,
    RK_ICO_L = 34,
    RK_BR = 35,
    RK_H_ZEBRA_C = 36,
    RK_TITLE = 37,
    RK_HA = 38,
    RK_VA = 39,
    RK_HBA = 40,
    RK_TIP = 41,
    RK_TIP_W = 42,
    RK_URL = 43,
    RK_CH = 44,  // one character by its code point: "<ch=60>" shows "<"
    RK_NOBR = 45,  // the enclosed text wraps as one word: names are never split
    RK_EL = 46,    // a one-line cell: what does not fit its width is cut with an ellipsis
    RK_COUNT = 47,
};

// A key whose kind holds this bit opens a scope that stays open until a
// closing tag; every other tag closes right after it opens.
constexpr int RT_KIND_SCOPE = 4;

struct rt_key_t {
    int id = 0;
    const wchar_t* key = L"";
    int kind = 0;
    const wchar_t* expand = nullptr;  // attributes the tag brings with it
};

const rt_key_t& rt_key_row(int id);
// Exact, case-sensitive; RK_NONE for an unknown or null key.
int rt_find_key(const wchar_t* name);

// ---- value kinds ----

// Width sentinels, resolved by the layout.
constexpr int RT_W_WIDEST = -999999993;     // the widest line of the finished text
constexpr int RT_W_REST = -999999992;       // the rest of the line

// "mp" 4, "sp" 2, "lp" 8, "cur_x" the pen x; else the leading decimal digits (0 when none).
int rt_parse_int(const wchar_t* v, int cur_x);
// The leading decimal digits only (an optional sign), 0 when none.
int rt_parse_plain_int(const wchar_t* v);
// What a "ch" tag may show: a code point of 32 or above, not DEL, not a surrogate.
bool rt_is_ch_printable(int c);
// Empty and anything unknown are true; "0", "false", "no" are false.
bool rt_parse_bool(const wchar_t* v);
// "#80" hexadecimal, "50%" a percentage, "0.5" a fraction, else decimal; 255 is opaque.
int rt_parse_alpha(const wchar_t* v);
// Empty: RT_W_REST; "max_ln_w": RT_W_WIDEST; "lmt_w": limit_w; else decimal.
int rt_parse_width(const wchar_t* v, int limit_w);
// Rule styles: 1 at the bottom of the line ("b"), 2 centred ("c" or empty), 0 none.
enum : int { RT_RULE_NONE = 0, RT_RULE_BOTTOM = 1, RT_RULE_CENTRE = 2 };
int rt_parse_rule(const wchar_t* v);
// Region alignment: "l" left, "r" right, anything else centre.
enum : int { RT_ALIGN_LEFT = 0, RT_ALIGN_RIGHT = 1, RT_ALIGN_CENTRE = 2 };
int rt_parse_halign(const wchar_t* v);

// ---- the operation stream ----

enum rt_op_kind : uint8_t {
    RO_CHAR,   // one character: a glyph, or a blank for a space
    RO_TAB,
    RO_VTAB,
    RO_BREAK,  // a new line with a line-break item
    RO_OPEN,   // an attribute opens (key, value)
    RO_CLOSE,  // the same attribute closes
};

constexpr int RT_NO_VAL = -1;

struct rt_op_t {
    rt_op_kind kind = RO_CHAR;
    uint8_t key = RK_NONE;
    bool at_end = false;  // closed because the text ended rather than by a closing tag
    char32_t ch = 0;
    int val = RT_NO_VAL;  // index into rt_ops_t::vals
    // Style values the layout needs: for "hr" the "w" and "c" of the hr
    // style; for "url" the "c" of the url style.
    int style_w = RT_NO_VAL;
    int style_c = RT_NO_VAL;
};

struct rt_ops_t {
    std::vector<rt_op_t> ops;
    std::vector<Str> vals;

    void clear();
    // "" for RT_NO_VAL.
    const wchar_t* str(int idx) const;
    const wchar_t* val(const rt_op_t& op) const { return str(op.val); }
};

// Reads the whole text into out (emptied first). Never fails: unknown keys
// are ignored, an unterminated tag or quote ends at the end of the text, a
// closing tag with nothing open is ignored, and scopes still open at the end
// are closed there (without the line breaks and margins their closing would add).
void rt_parse(const wchar_t* text, rt_ops_t* out);

// ---- text state ----

// The stacks that colour, alpha, font, background, border and shadow tags
// push and pop; the bottom entry of each is what the text started with.
struct rt_style_t {
    std::vector<clr_t> clrs;
    std::vector<int> alphas;
    std::vector<clr_t> bg_clrs;
    std::vector<clr_t> bdr_clrs;
    std::vector<int> fonts;
    std::vector<uint32_t> flags;  // the item bits of ui/rtext.h (RT_SHADOW, RT_NOBR)

    rt_style_t(clr_t clr, int font);
    // Applies an open or close of c, bg_c, bdr_c, f, b, a, shadow, nobr or url
    // (link_clr is the colour a link pushes); false for any other op.
    bool apply(const rt_ops_t& ops, const rt_op_t& op, clr_t link_clr = 0);
    // The text colour with the alpha of the alpha stack folded in.
    clr_t glyph_clr() const;
    int font() const { return fonts.back(); }
    int base_font() const { return fonts.front(); }
};

// Opaque blue, the colour of a link without a url style colour.
constexpr clr_t rt_link_clr = 0xFF3498DB;
