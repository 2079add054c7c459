#pragma once
// Units shown as pictures: u_lv_t, a column of framed faces with name and
// race and class (the party manager's list derives from it), and u_lv2_t, a
// strip of faces with small badges (the arena hub's party, the battle's order).
#include <vector>

#include "ui/tool_bar2.h"

class unit_t;

// A column of units, one framed face with name, race and class a row.
class u_lv_t : public lv_t {
public:
    u_lv_t();
    // The unit an item stands for (its data word); lists whose items carry
    // other records override it.
    virtual unit_t* unit_of(const li_t* it) const;
    virtual li_t* add_unit(unit_t* u);

    void draw_item(li_t* it, int index, const rect& r, const rect& inner) override;
    // The name and type line whole when the row had to cut one of them.
    Str* item_tip(Str* out, const li_t* it) override;
};

// The same as add_unit, as a command item (reports the choice, stays unselected).
li_t* u_lv_add_cmd_unit(u_lv_t* l, unit_t* u);
// The index of u's item; -1 when none.
int u_lv_find_unit(const u_lv_t* l, const unit_t* u);

// A row of unit faces sized to its items (a tool_bar_t2, not a u_lv_t): no
// names, but the level-up mark and, while the pointer is over the strip or
// Alt is held, the level and ammunition badges; hovering and clicking act on
// the unit.
class u_lv2_t : public tool_bar_t2 {
public:
    bool hover_shows = false;  // hovering a face shows the unit in the map scene's unit panel
    bool click_opens = true;   // a click opens the unit dialog on the party
    bool mark_cur = false;     // the unit whose turn it is gets a bar below its face
    // 0: as wide as its faces. Else at most this wide: the strip shows the
    // whole faces that fit and scrolls the rest, a face at a time, with a bar
    // below them (and the wheel).
    int max_w = 0;

    u_lv2_t();
    unit_t* unit_of(const li_t* it) const;
    li_t* add_unit(unit_t* u);
    // The index of u's face; -1 when none.
    int find_unit(const unit_t* u) const;
    // Scrolls so that face i comes first, or as near first as the last faces allow.
    void scroll_to_face(int i);

    bool on_msg(const evt_t& msg, wnd_t* sender) override;
    void relayout() override;
    void draw_item(li_t* it, int index, const rect& r, const rect& inner) override;
    Str* item_tip(Str* out, const li_t* it) override;
};

// The battle's strip of faces in turn order: under the root window, hovering
// shows the unit, the acting unit is marked, clicks open nothing.
u_lv2_t* new_btl_unit_strip();

// What hovering a face of a strip with hover_shows calls (the map scene's unit
// panel installs it; the unit area cannot reach the map's).
using unit_hover_fn = void (*)(unit_t* u);
void set_unit_hover_fn(unit_hover_fn fn);
