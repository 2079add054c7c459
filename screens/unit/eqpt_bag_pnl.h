#pragma once
// The equipment panel over the bag panel, and moving items between them: a
// right click equips a bag item or unequips a slot; items are dragged between
// bag slots, bag pages, equipment slots and the quick slots. Every move goes
// through the rules' equipment and bag operations, so nothing is made or lost.
#include <vector>

#include "ui/splitter.h"

class bag_pnl_t;
class eqpt_pnl_t;
class unit_t;

// Window ids of the item buttons in the joined panel.
enum : int { EB_SLOT_BTN = 1, EB_SET_BTN = 2, EB_BAG_BTN = 3, EB_PAGE_BTN = 4 };

class eqpt_bag_pnl_t : public splitter_t {
public:
    // Shows u; both panels are hidden while a battle runs.
    virtual void set_unit(unit_t* u) = 0;
    virtual unit_t* get_unit() const = 0;
    virtual eqpt_pnl_t* eqpt_pnl() const = 0;
    virtual bag_pnl_t* bag_pnl() const = 0;
    // The slot buttons lit for the drag in progress.
    virtual const std::vector<wnd_t*>& hilited() const = 0;
    // The window a drag from src may drop on: target itself, or null.
    virtual wnd_t* can_drop(wnd_t* src, wnd_t* target) const = 0;
    // Moves what src holds onto target; false when nothing moved.
    virtual bool drop(wnd_t* src, wnd_t* target) = 0;
    // What a right click on an item button does; false when nothing moved.
    virtual bool rclick(wnd_t* btn) = 0;
};

// Docked by style (the unit dialog docks it right at full height), 532 px wide.
eqpt_bag_pnl_t* new_eqpt_bag_pnl(uint32_t style, wnd_t* parent, unit_t* u);
