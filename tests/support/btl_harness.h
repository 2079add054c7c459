#pragma once
// Whole battles without a window: a seeded random map, two groups of units
// made from builds, and a listener whose orders come from a script (or end the
// turn). After every listener call the harness checks the battle's invariants;
// it writes a transcript of the battle log and of what the listener saw.
#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>
#include <utility>
#include <vector>

#include "app/geom.h"
#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/btl.h"
#include "battle/listener.h"
#include "battle/map_gen.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "support/ai_battle.h"

// Chooses a unit's orders into its queue; an empty queue after it ends the turn.
using btl_script_t = std::function<void(unit_t* u)>;

class harness_listener_t : public null_listener_t {
public:
    std::wstring transcript;
    std::vector<std::string> faults;  // broken invariants, with the slot that saw them
    btl_script_t script;
    int max_rounds = UNLIMITED;  // past it the player gives up
    int calls = 0;

    void line(const std::wstring& s) { transcript += s + L"\n"; }
    std::wstring name(const unit_t* u) const { return u ? std::wstring(u->name.buf) : L"-"; }
    std::wstring at(const unit_t* u) const {
        return L"(" + std::to_wstring(u->pos.x) + L"," + std::to_wstring(u->pos.y) + L")";
    }

    // The invariants of btl_fault. A unit whose hit points just fell to 0
    // stays in the roster until its death is handled, slot 27; deaths can
    // nest: what a death sets off may kill another.
    std::vector<const unit_t*> dying;
    void check(int slot) {
        ++calls;
        const std::string f = btl_fault(dying);
        if (!f.empty()) faults.push_back("slot " + std::to_string(slot) + ": " + f);
    }

    void on_round_start(int r) override {
        line(L"round " + std::to_wstring(r));
        check(23);
        if (r >= max_rounds) set_btl_lost();
    }
    void on_turn_start(unit_t* u) override { line(L"turn " + name(u) + L" " + at(u)), check(24); }
    void on_turn_ready(unit_t* u) override { check(25); }
    void on_unit_moved(unit_t* u) override { line(L"moved " + name(u) + L" " + at(u)), check(26); }
    void on_unit_dies(unit_t* u) override {
        line(L"dies " + name(u));
        dying.erase(std::remove(dying.begin(), dying.end(), u), dying.end());
        check(27);
    }
    static bool in_roster(const unit_t* u) {
        const auto& r = btl().roster;
        return std::find(r.begin(), r.end(), u) != r.end();
    }
    void wait_for_orders(unit_t* u) override {
        check(28);
        if (script) script(u);
        if (u->btl.cmds.empty()) null_listener_t::wait_for_orders(u);
    }
    void on_unit_ready(unit_t* u, bool) override { check(29); }
    void on_orders_taken(unit_t* u) override { check(30); }
    void on_act_start(unit_t* u, const u_cmd_t* c) override {
        line(L"act " + name(u) + L" " + std::to_wstring(c->pwr) + L" (" + std::to_wstring(c->tgt.x) + L"," +
             std::to_wstring(c->tgt.y) + L")");
        check(31);
    }
    void on_act_end(unit_t* u, const u_cmd_t*) override { check(32); }
    void on_hp_change(unit_t* u, const dmg_res_t*) override {
        line(L"hp " + name(u) + L" " + std::to_wstring(u->hp));
        if (u->hp < 1 && in_roster(u)) dying.push_back(u);
        check(35);
    }
    void on_turn_end(unit_t* u) override { check(36); }
    void on_cur_unit_changed(unit_t*, unit_t*) override { check(37); }
    bool confirm_aoo() override { return check(38), true; }
    void on_roster_changed() override { check(39); }
};

// The orders of the random battles, drawn from the game's generator: a move
// to a random cell of the unit's range or to the cell nearest its nearest
// enemy, a wait, or the end of the turn.
inline void random_orders(unit_t* u) {
    const int pick = rnd_rand() % 4;
    if (pick <= 1 && can_use_pwr(u, P_MOVE)) {
        move_range_t r;
        get_move_range(u, &r);
        const unit_t* foe = nearest_unit(u, RW_ENEMIES);
        if (!r.stop_pts.empty()) {
            pt_t to = r.stop_pts[size_t(rnd_rand()) % r.stop_pts.size()];
            if (pick == 1 && foe) to = nearest_pt(r.stop_pts, foe->pos);
            u->btl.cmds.push_back(make_mov_cmd(u, to));
            return;
        }
    }
    if (pick == 2 && can_delay_turn(u)) {
        u->btl.cmds.push_back({.pwr = P_WAIT, .param = 0, .tgt = u->pos, .flags = 0});
        return;
    }
    u->btl.cmds.push_back({.pwr = P_END_TURN, .param = 0, .tgt = u->pos, .flags = 0});
}

// The loop of every whole headless battle: seeds the generator, makes a
// random map, has make_units set up the two sides (from the same generator),
// runs the battle with lis as the scene and the log in its transcript, and
// ends it with the final state as the transcript's last line.
inline void run_whole_btl(uint32_t seed, tmap_t& map, harness_listener_t& lis,
                          const std::function<std::pair<unit_grp_t*, unit_grp_t*>()>& make_units) {
    rnd_srand(seed);
    gen_rnd_map(&map, ROLL_IT, ROLL_IT, ROLL_IT, ROLL_IT);
    const auto [a, b] = make_units();
    log_set_sink([](const wchar_t* text, void* user) {
        static_cast<harness_listener_t*>(user)->transcript += std::wstring(L"log ") + text + L"\n";
    }, &lis);
    EXPECT_TRUE(begin_btl(a, b, &map)) << "seed " << seed;
    set_cur_scene(&lis);
    run_btl();
    log_flush();
    log_set_sink(nullptr, nullptr);
    lis.line(L"state " + std::to_wstring(get_btl_state()));
    end_btl();
}

// One headless battle from a seed: map, groups, the battle, and its transcript.
class headless_btl_t {
public:
    tmap_t map;
    unit_grp_t grp[2];
    harness_listener_t lis;

    // Three units a side from builds; on each side one carries the burning and
    // one the toxic aura, so that moving next to the enemy costs hit points and
    // battles end.
    void make_units() {
        static const int blds[2][3] = {{1, 3, 5}, {5, 3, 1}};
        for (int s = 0; s < 2; ++s)
            for (int i = 0; i < 3; ++i) {
                unit_t* u = new unit_t();
                const std::wstring n = std::wstring(s == 0 ? L"A" : L"B") + std::to_wstring(i + 1);
                u->from_bld(blds[s][i], n.c_str(), nullptr, nullptr);
                u->btl.side = s;
                u->btl.ai = 0;  // the script gives every unit its orders
                if (i < 2) u->pwrs.add(i == 0 ? P_AURA1_FIRE5 : P_AURA1_TOXIC5);
                u->recalc();
                u->hp = u->drv.hp_max;
                grp[s].units.push_back(u);
            }
    }

    void run(uint32_t seed, int max_rounds) {
        lis.max_rounds = max_rounds;
        lis.script = random_orders;
        run_whole_btl(seed, map, lis, [this] {
            make_units();
            return std::pair{&grp[0], &grp[1]};
        });
    }

    ~headless_btl_t() {
        set_cur_scene(nullptr);
        reset_btl();
    }
};
