#pragma once
// "角色信息": one unit's character sheet with its section toggles and, for a
// player character, the equipment-and-bag panel; previous and next (the title
// bar's arrows, Left or "a", Right or "d") step through a list of units.
#include <vector>

#include "ui/dlg.h"

class eqpt_bag_pnl_t;
class memo_ctrl_t;
class tool_bar_t2;
class unit_t;

class unit_dlg_t : public dlg_t {
public:
    // Shows u: the sheet from the top, and its equipment for a player character.
    virtual void set_unit(unit_t* u) = 0;
    virtual unit_t* get_unit() const = 0;
    // To the previous (back) or next unit of the list, wrapping at its ends.
    virtual void step(bool back) = 0;
    virtual memo_ctrl_t* sheet() const = 0;
    virtual tool_bar_t2* toggles() const = 0;
    virtual eqpt_bag_pnl_t* eqpt_bag() const = 0;
    virtual wnd_t* placeholder() const = 0;
    // The sheet's section mask (bits 0..3).
    virtual int sheet_mask() const = 0;
};

// Runs the dialog on u, stepping through list (null: the party's members).
// A null u opens on the list's first unit; with none it does not open and
// answers MODAL_CANCEL. Called while the dialog runs, it shows u there and
// answers MODAL_CANCEL. Otherwise the modal result.
int open_unit_dlg(unit_t* u, const std::vector<unit_t*>* list = nullptr);
// The dialog while it runs, else null.
unit_dlg_t* get_unit_dlg();
// The list the running dialog steps through.
const std::vector<unit_t*>& unit_dlg_list();
