#pragma once
// One node of a tree view: a caption, flags, two words for the caller and
// the owned children in display order.
#include <cstdint>
#include <vector>

#include "ui/rtext.h"

// Bits of ti_t::flags; the bits not named here are the caller's.
enum : uint32_t {
    TIF_HIDDEN = 1u << 5,      // filtered out: no row
    TIF_CHECKED = 1u << 16,
    TIF_NO_CHECK = 1u << 17,
    TIF_CHECK_OFF = 1u << 18,  // check box drawn greyed and never toggled
    TIF_EXPANDED = 1u << 30,
    TIF_FIXED = 1u << 31,      // may not be moved among its siblings
};

class ti_t;

// Filled by the tree's relayout.
struct ti_layout_t {
    ti_t* parent = nullptr;
    int depth = 0;     // 0 for the top level
    int pre_idx = -1;  // preorder index among all nodes
    int row = -1;      // display row; -1 when the node is not shown
    int cap_w = -1;    // the width the caption was last cut to; -1 none yet
};

class ti_t {
public:
    Str caption;  // the mark-up as given; text holds it laid out to its row
    rtext_t text;
    uint32_t flags = 0;
    uint32_t data2 = 0, data3 = 0;
    int extra_indent = 0;          // added to the depth, in levels of 16 pixels
    std::vector<ti_t*> children;   // owned
    ti_layout_t lay;

    ti_t() = default;
    ti_t(const ti_t&) = delete;
    ti_t& operator=(const ti_t&) = delete;
    ~ti_t();

    int get_row() const { return lay.row; }
    ti_t* parent() const { return lay.parent; }
    bool has(uint32_t bits) const { return (flags & bits) != 0; }
    bool is_expanded() const { return has(TIF_EXPANDED); }
    // Has a child that is not filtered out: only then is there an expander.
    bool has_shown_children() const;
    void delete_children();
};
