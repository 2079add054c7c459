#pragma once
// The wizard opened from a test button, alone or around a test's body, and the
// clicks that walk its steps.
#include <gtest/gtest.h>

#include <functional>
#include <initializer_list>
#include <vector>

#include "rules/bld.h"
#include "rules/bld_ids.h"
#include "rules/unit.h"
#include "screens/unit/lv_up_dlg.h"
#include "screens/unit/pwr_pick.h"
#include "support/str_list.h"
#include "ui/tab_ctrl.h"
#include "ui/ti.h"
#include "ui/tv.h"
#include "unit_screen.h"

// Opens the wizard on u; the test then runs inside its loop. Null when it did not open.
inline game::lv_up_dlg_t* open_wizard(screen_driver_t& d, unit_t* u, test_btn_t** btn = nullptr) {
    return click_test_btn(d, L"向导", [u] { return open_lv_up_dlg(u) ? 1 : 0; }, btn) ? get_lv_up_dlg() : nullptr;
}

// Runs the game under d and opens the wizard on u (from *btn when asked for);
// the body runs inside the wizard's loop. ready, when given, readies u first,
// once the game's data is up.
inline void in_wizard(screen_driver_t& d, unit_t& u, const std::function<void()>& ready,
                      const std::function<void(game::lv_up_dlg_t*)>& body, test_btn_t** btn = nullptr) {
    d.run_started([&] {
        if (ready) ready();
        game::lv_up_dlg_t* w = open_wizard(d, &u, btn);
        ASSERT_NE(w, nullptr);
        body(w);
    });
}
inline void in_wizard(screen_driver_t& d, unit_t& u, const std::function<void(game::lv_up_dlg_t*)>& body,
                      test_btn_t** btn = nullptr) {
    in_wizard(d, u, nullptr, body, btn);
}
// The same on a driver and a blank unit of its own.
inline void in_wizard(const std::function<void(screen_driver_t&, game::lv_up_dlg_t*)>& body) {
    screen_driver_t d;
    unit_t u;
    in_wizard(d, u, [&](game::lv_up_dlg_t* w) { body(d, w); });
}

// n clicks on the "+" of ability abi.
inline void buy(screen_driver_t& d, game::lv_up_dlg_t* w, int abi, int n) {
    for (int i = 0; i < n; ++i) d.click(w->abi_btn(abi, true));
}

// As many clicks on each ability's "+" as listed, Str first.
inline void buy_each(screen_driver_t& d, game::lv_up_dlg_t* w, std::initializer_list<int> clicks) {
    int abi = 0;
    for (int n : clicks) buy(d, w, abi++, n);
}

// The 32 points: Str 16 (10), Dex 14 (6), Con 14 (6), Int 12 (4), Wis 13 (5), Cha 9 (1);
// then on to the next step.
constexpr int spent[6] = {16, 14, 14, 12, 13, 9};
inline void spend_all_and_on(screen_driver_t& d, game::lv_up_dlg_t* w) {
    buy_each(d, w, {8, 6, 6, 4, 5, 1});
    d.click(w->fwd_btn());
}

// A click on the check box of power id's entry; false when the tree shows none.
inline bool tick(screen_driver_t& d, pwr_pick_t* p, int id) {
    ti_t* n = p->node_of(id);
    if (!n) return false;
    d.on_main([&] { p->tree()->ensure_visible(n); });
    d.frames(1);
    const rect r = p->tree()->check_rect(n);
    if (r.w <= 0) return false;
    d.click_at(r);
    return true;
}

// Ticks the first n entries the unit may learn, in the tree's order; the ids.
inline std::vector<int> tick_learnable(screen_driver_t& d, pwr_pick_t* p, const unit_t& u, int n) {
    std::vector<int> ids;
    p->tree()->for_each(
        [&](ti_t* t) {
            if (int(ids.size()) < n && t->data2 && pwr_pick_t::learn_state(u, int(t->data2)) == PICK_LEARNABLE)
                ids.push_back(int(t->data2));
            return true;
        },
        ti_ref_t::ROOT, true);
    for (int id : ids) tick(d, p, id);
    return ids;
}

// A dwarf fighter of the custom build at the given level (3: its next level asks for
// an ability increase and a feat).
inline unit_t& custom_fighter(unit_t& u, int level) {
    u.from_bld(BLD_SHD, L"托克", L"units_pc/020201", L"faces_pc/0101");
    u.base.bld = BLD_CUSTOM;
    u.base.lv = level;
    u.recalc();
    return u;
}

// A custom build of the race row and the class row, on to the ability step.
inline void custom_to_abis(screen_driver_t& d, game::lv_up_dlg_t* w, int race_row, int cls_row) {
    click_item(d, w->bld_list(), 0);
    d.click(w->fwd_btn());
    click_item(d, w->race_list(), race_row);
    d.click(w->fwd_btn());
    click_item(d, w->cls_list(), cls_row);
    d.click(w->fwd_btn());
}

// A click on the strip's tab i.
inline void click_tab(screen_driver_t& d, tab_ctrl_t* t, int i) { click_item(d, t->strip, i); }
