#pragma once
// A text laid out once into positioned items inside a box, then drawn by
// walking the items. Layout happens only in set_text.
#include <cstdint>
#include <vector>

#include "app/ptr_containers.h"
#include "app/sentinels.h"
#include "app/str.h"
#include "app/types.h"

namespace zg {
class tex_t;
}

// Kinds of laid-out item.
enum : int {
    RT_GLYPH = 0,
    RT_BLANK = 1,  // space, tab, vertical tab or line break: takes room, draws nothing
    RT_IMAGE = 2,
    RT_RULE = 3,
    RT_TIP = 4,
    RT_LINK = 5,
};

// Bits of rt_item_t::flags.
enum : uint32_t {
    RT_SHADOW = 1,
    RT_NOBR = 2,  // glyphs and spaces of a "nobr" scope: they wrap together
};

struct rt_item_t {
    int kind = RT_GLYPH;
    uint32_t flags = 0;
    // y holds a vertical placement (rt_place_*) until the line ends.
    rect rc;
    char32_t ch = 0;                // a glyph's code; 32, 9, 11 or 10 for blanks
    zg::tex_t* tex = nullptr;       // not owned: from the glyph or image cache
    int ink_x = 0;                  // glyphs: where the texture starts, from rc.x (the left bearing when negative)
    int font = 0;                   // glyphs: the font id
    int line = 0;                   // the line the item was laid out on
    clr_t clr;                      // glyph colour with its alpha, or image tint, rule or link colour
    clr_t bg_clr;                   // images only; 0 = none
    clr_t bdr_clr;                  // images only; 0 = none
    Str text;                       // tooltip mark-up or link target
    int tip_w = 0;
    int side = 0;                   // rules split around a heading: the left piece's length
    int gap = 0;                    // and the room left for the heading after it
    int rule_w = 0;                 // rules: the width asked for by the hr style; 0 spans the text
};

struct rt_band_t {
    rect rc;
    clr_t clr;
};

// The text object behind an rtext_t handle.
struct rt_text_t {
    size box;         // UNLIMITED in either side means no limit
    rect text_rc;     // the laid-out text inside the box, after alignment
    Str markup;
    clr_t def_clr{0xFFFFFFFFu};
    Str prefix;       // laid out in front of the mark-up
    int pad = 0;      // added on both sides of full-width rules and bands
    bool fit = false; // the box width only limits: rules and regions use the widest line
    bool plain = false; // no mark-up: every character is one item, controls blank
    bool cut = false;   // an "el" cell lost text to its ellipsis
    ptr_vec_t<rt_item_t> items;  // in layout order
    std::vector<rt_band_t> bands;
    std::vector<rt_item_t*> tips;   // the RT_TIP items, in order (owned by items)
    std::vector<rt_item_t*> links;  // the RT_LINK items, in order (owned by items)
};

class rtext_t {
public:
    rtext_t() = default;
    rtext_t(const rtext_t&) = delete;
    rtext_t& operator=(const rtext_t&) = delete;
    ~rtext_t() { free(); }

    void init();
    void free();

    // Lays the text out in a box of that size (null: unbounded) in font id
    // `font` and colour (null: opaque white), then places the result inside
    // the box by the align flags of align_rect (1/4/16 left/right/centre,
    // 2/8/32 top/bottom/middle). An empty text lays out to an empty rect.
    void set_text(const wchar_t* text, const size* box, int font, const clr_t* clr, int flags);
    void draw(int x, int y) const;

    const Str& get_text() const;
    rect get_rect() const;
    // Whether an "el" cell had to cut its text: the whole of it is then for a tooltip.
    bool was_cut() const;
    // The colour the last set_text started from (opaque white before any).
    const clr_t* color_ptr() const;
    // Every glyph takes exactly this colour, alpha included, without a new layout.
    void set_color(const clr_t* clr);
    // UTF-8 text laid out in front of the mark-up from the next set_text on;
    // null or "" for none.
    void set_prefix(const char* text);
    // Both take effect at the next set_text.
    void set_pad(int n);
    void set_fit(bool v);
    // Plain text: "<" is a glyph, and TAB, CR and LF are blanks a space wide,
    // so item i is character i. Takes effect at the next set_text.
    void set_plain(bool v);
    int item_count() const;
    // An empty rect for an index outside the items.
    rect item_rect(int i) const;
    const rt_item_t* item(int i) const;
    // The first tooltip anchor that holds pt, with the text drawn at origin,
    // fills the tooltip request; false when none does.
    bool hit_tip(const pt_t* pt, const pt_t* origin) const;

private:
    rt_text_t* p_ = nullptr;
};

// The text without its mark-up: everything from a "<" up to and including the
// next ">" goes, and so does any other ">".
Str strip_tags(const wchar_t* text);
