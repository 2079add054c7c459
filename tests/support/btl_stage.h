#pragma once
// Battles staged by hand for the battle screen's tests, fought through the
// real battle scene under the screen driver: a plain map, the party's units
// copied from the premade characters, monsters from their templates, each on
// a chosen cell, turns in the order the units were added. The units are made
// on the game's thread once the game's texts are loaded.
//
//   btl_stage_t st;
//   st.plain_map(12, 8);
//   const int me = st.pc(1, {3, 4});        // st.u(me) once the battle began
//   st.mon(MON_RAT_D, 1, {5, 4});
//   screen_driver_t d(fast_btl_opts());
//   st.play(d, [&] {
//       ...                           // the body goes on inside the first wait for orders
//   });
//
// play() is the common run; a test that must see more of the start calls the
// steps itself:
//
//   d.run_started([&] {
//       st.start(d);                  // runs the battle on the game's thread
//       ASSERT_TRUE(st.wait_orders(d));
//       ...
//   });
//
// start() hands the game's thread a function that sets the battle up and runs
// it; the driver gives the baton back at the battle's first frame, so the body
// reads on inside the battle. The stage must outlive the game's run.
#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <vector>

#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/roster.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "app/ani.h"
#include "rules/mon_ids.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "support/screen_driver.h"
#include "ui/menu.h"
#include "ui/tip.h"

struct btl_stage_t {
    tmap_t map;
    unit_grp_t foes;
    // Who stands where, in turn order: a premade character (pc > 0) or a monster.
    struct slot_t {
        int pc = 0;
        int mon = 0, level = 1;
        pt_t at;
    };
    std::vector<slot_t> slots;
    std::vector<unit_t*> units;  // made by begin(), as slots
    int state = BTL_NONE;  // fight's result once it ended
    bool ended = false;
    int asked_seen = 0;  // the scene's wait count when orders were last found asked
    // Runs on the game's thread after the set-up, before the battle loop.
    std::function<void()> before_run;
    // The view's logs during play(), from before the battle's first turn to the
    // run's end: every order the player gave, and every animation shown when set.
    std::vector<u_cmd_t> given;
    std::vector<fx_rec_t>* fx_log = nullptr;

    void plain_map(int w, int h, int env = 1) {
        map.set_size(w, h);
        map.tiles.fill(1);
        map.hdr.env = env;
    }

    // Premade character no (1..10) at the cell, played by the player; the
    // index of its unit in `units`.
    int pc(int no, const pt_t& at) {
        slots.push_back({no, 0, 1, at});
        return int(slots.size()) - 1;
    }
    int mon(int id, int level, const pt_t& at) {
        slots.push_back({0, id, level, at});
        return int(slots.size()) - 1;
    }
    unit_t* u(int i) const { return i >= 0 && i < int(units.size()) ? units[size_t(i)] : nullptr; }
    // The common battle: premade character no at `me`, unit me_i, and a
    // level-1 rat at `rat`, unit rat_i, on a plain of w x h.
    void duel(int w, int h, int no, const pt_t& me, const pt_t& rat) {
        plain_map(w, h);
        pc(no, me);
        mon(MON_RAT_D, 1, rat);
    }

    // The set-up on the game's thread, once the texts are loaded: the units
    // (made by the first battle, fought again by a later one), begin_btl,
    // every unit to its cell, the turn order as added, the fog anew.
    bool begin() {
        if (units.empty()) make_units();
        if (!begin_btl(&g_pty, &foes, &map)) return false;
        for (unit_t* u : units) u->pos = {-1, -1};
        btl_t& b = btl();
        b.full.clear();
        for (size_t i = 0; i < units.size(); ++i) {
            step_unit(units[i], slots[i].at);
            b.full.push_back(units[i]);
        }
        rebuild_roster();
        init_fog();
        return true;
    }

    void make_units() {
        std::vector<unit_t*> party;
        for (const slot_t& s : slots) {
            auto* u = s.pc > 0 ? new unit_t(*get_preset_pcs()[size_t(s.pc - 1)]) : new unit_t;
            if (s.pc > 0)
                u->reset_for_play();
            else
                u->from_mon(s.mon, s.level);
            (s.pc > 0 ? party : foes.units).push_back(u);
            units.push_back(u);
        }
        g_pty.init(L"测试", party);
    }

    // Starts the battle on the game's thread; back in the body at its first frame.
    void start(screen_driver_t& d) {
        // The mouse rests on the right panel: at the screen's edge it would scroll the view.
        d.move_to(1200, 400);
        ended = false;
        d.on_main([this] {
            if (!begin()) {
                ended = true;
                return;
            }
            if (before_run) before_run();
            state = run_btl_scene(&map);
            ended = true;
        });
    }

    // The arena's next fight once this one ended: the scene popped as the
    // arena pops it, the same units set up again, back at u's orders.
    bool again(screen_driver_t& d, const unit_t* u) {
        d.on_main([] { pop_scene(); });
        start(d);
        return wait_orders(d, u);
    }

    // Frames until the battle waits for the player's orders (for u when given).
    bool wait_orders(screen_driver_t& d, const unit_t* u = nullptr, int max_frames = 600) {
        return wait_asked(d, u, -1, max_frames);
    }

    // The same for a later wait than the one the last call found: a click's
    // frames may have ended that one and begun the next already.
    bool wait_next_orders(screen_driver_t& d, const unit_t* u = nullptr, int max_frames = 600) {
        return wait_asked(d, u, asked_seen, max_frames);
    }

    // A wait for orders (for u when given) later than the one numbered `after`.
    bool wait_asked(screen_driver_t& d, const unit_t* u, int after, int max_frames) {
        const auto asked = [&] {
            btl_scene_t* s = cur_btl_scene();
            return s && s->orders_asked() > after && s->waiting_unit() && (!u || s->waiting_unit() == u);
        };
        const bool ok = d.wait_for(asked, "the wait for orders", max_frames);
        if (ok) asked_seen = cur_btl_scene()->orders_asked();
        return ok;
    }

    bool wait_end(screen_driver_t& d, int max_frames = 3000) {
        return d.wait_for([&] { return ended; }, "the battle's end", max_frames);
    }

    // The game run under the driver with this battle, the body read on at the
    // battle's first wait for the player's orders.
    void play(screen_driver_t& d, const std::function<void()>& body) {
        d.run_started([&] {
            d.on_main([&] {
                bv().cmd_log = &given;
                bv().fx_log = fx_log;
            });
            start(d);
            ASSERT_TRUE(wait_orders(d));
            body();
        });
        // The game has shut down: the logs are the test's again and the view outlives them.
        bv().cmd_log = nullptr;
        bv().fx_log = nullptr;
    }
};

inline constexpr int me_i = 0, rat_i = 1;  // the units of btl_stage_t::duel

// Options that keep staged battles short: the fastest steps, no smooth view
// moves or sliding marks, no sound.
inline screen_opts_t fast_btl_opts() {
    return {.config = "spd_ani_lv=3\r\nani_vp=0\r\nani_cur_u_mark=0\r\nsound=0\r\nmusic=0\r\n"};
}

// A suite whose every case is one staged battle under the fast options.
struct btl_stage_test_t : ::testing::Test {
    btl_stage_t st;
    screen_driver_t d{fast_btl_opts()};
    void play(const std::function<void()>& body) { st.play(d, body); }
    // btl_stage_t::duel played, the body given the two units.
    void duel(int w, int h, int no, const pt_t& me, const pt_t& rat,
              const std::function<void(unit_t* me, unit_t* rat)>& body) {
        st.duel(w, h, no, me, rat);
        play([&] { body(st.u(me_i), st.u(rat_i)); });
    }
};

// The middle of the cell on the screen.
inline SDL_Point cell_pt(const pt_t& c) {
    const rect r = cur_btl_scene()->get_view().cell_scrn_rect(c);
    return {r.x + r.w / 2, r.y + r.h / 2};
}

// The mouse rests on the cell until the hover commands are built.
inline void hover_cell(screen_driver_t& d, const pt_t& c) {
    d.move_to(cur_btl_scene()->get_view().cell_scrn_rect(c));
    d.frames(2);
}

inline void click_cell(screen_driver_t& d, const pt_t& c) {
    hover_cell(d, c);
    d.click_at(cur_btl_scene()->get_view().cell_scrn_rect(c));
}

inline void rclick_cell(screen_driver_t& d, const pt_t& c) {
    hover_cell(d, c);
    d.rclick_at(cur_btl_scene()->get_view().cell_scrn_rect(c));
}

// Runs fn on the game's thread, the animations it plays written to fx (emptied
// first); fn is copied, as it may outlive this call in a loop it opens.
inline void fx_of(screen_driver_t& d, std::vector<fx_rec_t>& fx, const std::function<void()>& fn) {
    d.on_main([&fx, fn] {
        fx.clear();
        bv().fx_log = &fx;
        fn();
        bv().fx_log = nullptr;
    });
}

// The item of the open menu's level whose caption (without mark-up) is text; null when none.
inline li_t* menu_item(int level, const std::wstring& text, rect* r) {
    menu_t* m = get_popup_menu();
    if (level >= m->level_count()) return nullptr;
    auto* l = m->get_level(level);
    for (int i = 0; i < l->count(); ++i)
        if (screen_driver_t::plain(l->get_item(i)->label) == text) {
            if (r) *r = l->item_rect(i);
            return l->get_item(i);
        }
    return nullptr;
}

// The text of the tip shown for the window, once the pointer has rested on it.
inline std::wstring tip_for(screen_driver_t& d, const wnd_t* w) {
    if (!d.wait_for([&] { return get_tip_shown_wnd() == w; }, "the tip")) return L"";
    return get_tip_wnd()->text.c_str();
}

// The floating texts among the animations recorded, in order.
inline std::vector<std::wstring> fx_texts(const std::vector<fx_rec_t>& fx) {
    std::vector<std::wstring> out;
    for (const fx_rec_t& f : fx)
        if (f.kind == zg::ANI_TEXT) out.push_back(f.name.c_str());
    return out;
}
