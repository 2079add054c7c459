#pragma once
// A character's equipment panel: the 17 slots on a paper doll, the four weapon
// sets, the experience with "升级！", and the carried load.
#include <vector>

#include "screens/widgets/pnl.h"

class itm_btn_t;
class unit_t;
struct itm_slot_t;

class eqpt_pnl_t : public pnl_t {
public:
    // Shows u (not owned): its active set, experience, load and slots.
    virtual void set_unit(unit_t* u) = 0;
    virtual unit_t* get_unit() const = 0;
    // Rebinds slot button i to the unit's equipment slot i.
    virtual void bind_slots() = 0;
    virtual void show_xp() = 0;
    virtual void show_load() = 0;
    // Appends, in slot order, the slot buttons whose slot may take the item.
    virtual void fitting_slots(const itm_slot_t& it, std::vector<wnd_t*>& out) = 0;
    // Slot button 0..16, weapon-set button 0..3; null outside.
    virtual itm_btn_t* slot_btn(int n) const = 0;
    virtual wnd_t* set_btn(int n) const = 0;
    virtual wnd_t* lv_up_btn() const = 0;
    virtual wnd_t* xp_lbl() const = 0;
    virtual wnd_t* load_lbl() const = 0;
};

eqpt_pnl_t* new_eqpt_pnl(uint32_t style, wnd_t* parent, unit_t* u, int slot_btn_id, int set_btn_id);

// The load label's tooltip: the limits of the medium, heavy and over load.
Str load_tip(const unit_t* u);
