#pragma once
// The unit dialog opened in a running game from a test button, over the
// default party; and the counts of every item the party holds.
#include <SDL.h>
#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <utility>
#include <vector>

#include "rules/bag.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "screens/unit/bag_pnl.h"
#include "screens/unit/eqpt_bag_pnl.h"
#include "screens/unit/eqpt_pnl.h"
#include "screens/unit/unit_dlg.h"
#include "screens/widgets/itm_btn.h"
#include "support/screen_driver.h"
#include "ui/lv.h"

// Starts the game, makes the default party, runs setup on the game's thread
// and opens the dialog on the party's first member (or on what `open` answers).
inline unit_dlg_t* open_unit_screen(screen_driver_t& d, const std::function<void()>& setup = {},
                                    const std::function<int()>& open = {}) {
    if (!d.start()) return nullptr;
    d.on_main([&] {
        reset_pty();
        if (setup) setup();
    });
    if (!click_test_btn(d, L"角色", open ? open : [] { return open_unit_dlg(g_pty.units.front()); })) return nullptr;
    return get_unit_dlg();
}

// Runs the game under a driver with opts and the dialog open as
// open_unit_screen opens it; the body runs inside the dialog's loop.
inline void in_unit_screen(const std::function<void()>& setup,
                           const std::function<void(screen_driver_t&, unit_dlg_t*)>& body, screen_opts_t opts = {},
                           const std::function<int()>& open = {}) {
    screen_driver_t d(opts);
    d.run([&] {
        unit_dlg_t* dlg = open_unit_screen(d, setup, open);
        ASSERT_NE(dlg, nullptr);
        body(d, dlg);
    });
}

// Escape, and the frames until the dialog's loop has ended.
inline bool close_unit_screen(screen_driver_t& d) {
    d.key(SDLK_ESCAPE);
    return d.wait_for([] { return get_unit_dlg() == nullptr; }, "the unit dialog to close", 5);
}

inline SDL_Point centre(const wnd_t* w) { return {w->rc.x + w->rc.w / 2, w->rc.y + w->rc.h / 2}; }

inline void click_item(screen_driver_t& d, lv_t* l, int i) { d.click_at(l->item_rect(i)); }

// Every slot of the bag and the members' equipment: {id, count}.
inline std::vector<std::pair<int, int>> party_slots() {
    std::vector<std::pair<int, int>> v;
    for (const itm_slot_t& s : g_pty.bag) v.emplace_back(s.id, s.get_count());
    for (const unit_t* u : g_pty.units)
        for (const itm_slot_t& s : u->eqpts.slots) v.emplace_back(s.id, s.get_count());
    return v;
}

// Items by kind: the party's bag and every member's equipment, stored weapon sets included.
inline std::map<int, long> party_items() {
    std::map<int, long> n;
    auto add = [&](const itm_slot_t& s) {
        if (!s.empty()) n[s.id] += s.get_count();
    };
    for (const itm_slot_t& s : g_pty.bag) add(s);
    for (const unit_t* u : g_pty.units) {
        for (const itm_slot_t& s : u->eqpts.slots) add(s);
        for (const auto& set : u->eqpts.sets)
            for (const itm_slot_t& s : set) add(s);
    }
    return n;
}
