#pragma once
// The item button: one item slot (owned elsewhere: the party bag, a unit's
// equipment, a shop list) shown as the item's picture with its enchantment
// bonus and stack count. It drags its item and shows the item's description
// as its tooltip; its panel decides what a drop does.
#include "ui/btn.h"

struct itm_slot_t;
class unit_t;

class itm_btn_t : public btn_t {
public:
    itm_slot_t* slot = nullptr;  // not owned; null or an empty slot shows nothing
    zg::tex_t* img = nullptr;    // the image cache's

    itm_btn_t();
    // A size x size child of parent at (x, y) in its client area; skin names
    // the picture behind the item (the paper doll's slots), or null.
    virtual bool create(wnd_t* parent, int x, int y, int sz, int id, uintptr_t user, const wchar_t* skin);
    // Rebinds the button; an empty slot cannot be dragged.
    void set_item(itm_slot_t* s);
    // The stack count at the bottom right, when above 1.
    void draw_count();

    void draw_content() override;
    bool on_input(const evt_t* e) override;
    bool on_msg(const evt_t& msg, wnd_t* sender) override;

    using btn_t::create;
};

// The unit whose proficiencies shade item buttons red (the unit dialog's
// shown unit while it runs); null shades nothing.
void set_itm_btn_unit(const unit_t* u);
const unit_t* get_itm_btn_unit();

// The picture of an item kind: "items/" and the kind's key.
Str itm_img_name(int itm_id);
