#pragma once
// The quick-slot strip of the bottom bar, as the map scene knows it: a row of
// 20 slots of 32-pixel icons (10 on narrow screens), keys 1..9 and 0 on the
// first ten. The battle screen derives the bar that shows a unit's powers and
// installs its maker; the map scene alone shows the slots empty.
#include "ui/tool_bar2.h"

struct tip_req_t;

class unit_t;

constexpr int ACT_BAR_SLOTS = 20;
constexpr int ACT_BAR_NARROW_SLOTS = 10;
// Screens narrower than this show ten slots.
constexpr int ACT_BAR_FULL_MIN_SCRN_W = 1060;

// What a quick slot holds while the bar shows a unit.
struct qslot_t {
    int pwr = 0;    // 0: empty
    int param = 0;
    int cd = 0;     // rounds before it may be used again
    int uses = 0;   // uses left; UNLIMITED: no limit
};

class act_bar_t : public tool_bar_t2 {
public:
    act_bar_t();

    // Every item an empty slot: disabled, unchecked, without icon.
    virtual void reset();
    // The unit's quick slots, for its wait for orders; the plain bar shows none.
    virtual void show_unit(unit_t*) {}
    // Slot i's record; null outside the bar or on the plain bar.
    virtual const qslot_t* slot_rec(int) const { return nullptr; }
    // The bar makes its items anew: 20, or 10 when the screen is narrower
    // than 1060 pixels; the first ten answer the keys 1..9 and 0.
    void set_slot_count(int n);

    // The tip of slot i: the item's tooltip; the battle's bar says more.
    virtual void fill_slot_tip(int i, tip_req_t& req);

    // Keys reach the bar wherever the focus is (its slots answer the number
    // keys), so it leaves the paging keys to the log's bar. Every slot under
    // the pointer, a disabled one too, shows its tip above the bar.
    bool on_msg(const evt_t& msg, wnd_t* sender) override;
};

using act_bar_maker_t = act_bar_t* (*)();
// The battle screen's bar; without one the plain bar is made.
void set_act_bar_maker(act_bar_maker_t fn);
act_bar_t* make_act_bar();
