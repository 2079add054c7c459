#pragma once
// One item of a list view (and, through its sub-items, of a menu level).
#include <cstdint>
#include <vector>

#include "app/str.h"
#include "app/types.h"
#include "ui/rtext.h"

namespace zg {
class tex_t;
}

// Bits of li_t::flags. A separator or a disabled item is never selectable.
enum : uint32_t {
    LIF_SEP = 1u << 0,
    LIF_DISABLED = 1u << 1,
    LIF_SELECTED = 1u << 4,
    LIF_CHECKED = 1u << 16,
    LIF_NO_CHECK = 1u << 17,
};

// How selecting an item behaves.
enum : int {
    LIK_SINGLE = 0,        // the one selected item
    LIK_COMMAND = 1,       // reports the choice, never stays selected
    LIK_TOGGLE = 2,        // flips, others untouched
    LIK_SET = 3,           // becomes the only one; selecting it again does nothing
    LIK_TOGGLE_SINGLE = 4, // flips, and is then the only one
};

class li_t {
public:
    Str label;        // mark-up; the list lays it out into text
    rtext_t text;
    Str tip;
    zg::tex_t* icon = nullptr;  // not owned: the image cache's
    size icon_sz{0, 0};
    uint32_t flags = 0;
    int id = 0;
    uintptr_t data = 0;
    clr_t extra = 0;  // when not 0, the colour the item's rect is filled with
    int hot_key = 0;  // SDL key code; 0: none
    zg::tex_t* marker = nullptr;  // not owned
    zg::tex_t* cache = nullptr;   // owned: the item rendered once
    int kind = LIK_SINGLE;
    std::vector<li_t*> subs;      // owned by whoever empties the list

    li_t(const wchar_t* label, const wchar_t* tip, zg::tex_t* icon, uint32_t flags, int id, uintptr_t data,
         int unused, const clr_t* extra);
    li_t(const wchar_t* label, uint32_t flags, int id, uintptr_t data);
    li_t(const li_t&) = delete;
    li_t& operator=(const li_t&) = delete;
    virtual ~li_t();

    // By image name; null for none.
    void set_icon(const wchar_t* name, const size* sz);
    bool selectable() const { return (flags & (LIF_SEP | LIF_DISABLED)) == 0; }
    bool is_selected() const { return (flags & LIF_SELECTED) != 0; }
    bool is_checked() const { return (flags & LIF_CHECKED) != 0; }
};

// Deletes the items of v and, depth first, their sub-items; empties v.
void delete_items(std::vector<li_t*>& v);
