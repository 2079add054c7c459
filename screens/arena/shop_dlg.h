#pragma once
// The arena merchant: a full-screen dialog with the shelf selector, the shelf
// list and the party bag side by side, and the buy and sell buttons between
// them. The hub opens it.
#include <vector>

#include "rules/itm_slot.h"
#include "ui/full_scrn_dlg.h"

class btn_t;
class itm_list_view_t;

// Buy buttons 0..2 take 1, 10, 100; sell buttons 0..3 give 1, 10, 100 or the stack.
constexpr int SHOP_BUY_BTNS = 3, SHOP_SELL_BTNS = 4;

class shop_dlg_t : public full_scrn_dlg_t {
public:
    virtual int shelf() const = 0;
    virtual lv_t* selector() const = 0;
    virtual itm_list_view_t* shelf_list() const = 0;
    virtual itm_list_view_t* bag_list() const = 0;
    virtual btn_t* buy_btn(int k) const = 0;
    virtual btn_t* sell_btn(int k) const = 0;
    virtual btn_t* bag_btn() const = 0;
    // The chosen shelf's stock, which the shelf list's items point into.
    virtual const std::vector<itm_slot_t>& stock() const = 0;
};

// Makes the dialog on the first call, then runs it on the party until it is closed.
int open_shop();
// Null before the first opening.
shop_dlg_t* get_shop_dlg();
