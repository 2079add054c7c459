#pragma once
// The party bag's panel: one page of 50 of the bag's 200 slots as item
// buttons, four page buttons and the party's funds.
#include "screens/widgets/pnl.h"

class itm_btn_t;

class bag_pnl_t : public pnl_t {
public:
    // The page and the funds.
    virtual void refresh_all() = 0;
    // Rebinds the buttons to the current page's slots.
    virtual void refresh_page() = 0;
    // Pages 0 to 3 become current; any other keeps the current page (rebound).
    virtual void set_page(int page) = 0;
    virtual int get_page() const = 0;
    // Button i (0..49) of the page; null outside.
    virtual itm_btn_t* itm_btn(int i) const = 0;
    // Page button 0..3; null outside.
    virtual wnd_t* page_btn(int page) const = 0;
};

// Item buttons get id itm_btn_id and user data 0..49, page buttons page_btn_id
// and their page.
bag_pnl_t* new_bag_pnl(uint32_t style, wnd_t* parent, int itm_btn_id, int page_btn_id);

// The party's gold as the funds label shows it.
Str funds_text();
