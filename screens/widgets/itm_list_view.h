#pragma once
// A list of item instances: each item's user data points at an itm_slot_t
// owned elsewhere (a shop shelf, the party bag), and its tooltip describes
// that instance. Items without a slot (headers) have no tooltip.
#include "ui/lv.h"

struct itm_slot_t;

class itm_list_view_t : public lv_t {
public:
    Str* item_tip(Str* out, const li_t* it) override;
};

// The slot an item stands for; null for a header or no item.
itm_slot_t* itm_list_slot(const li_t* it);
