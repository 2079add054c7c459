#pragma once
// A battle set up by hand for tests: a map drawn as text, units placed on it in
// the roster, the recording listener, and a fresh battle state before and after.
#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "battle/act_ctx.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/map_art.h"
#include "battle/roster.h"
#include "rules/pwr.h"
#include "rules/unit.h"
#include "support/rec_listener.h"

class btl_test : public ::testing::Test {
protected:
    tmap_t map;
    rec_listener_t rec;
    std::vector<std::unique_ptr<unit_t>> owned;

    void SetUp() override {
        build_pwrs();
        reset_btl();
        btl().map = &map;
        set_cur_scene(&rec);
    }
    void TearDown() override {
        reset_btl();
        free_pwrs();
    }
    void draw(const std::vector<std::string>& rows) { draw_map(map, rows); }
    void draw_open(int w, int h) { draw(open_rows(w, h)); }

    // A unit standing on (x, y) with speed 6, ready to move, joined to the lists.
    unit_t* add(int x, int y, int side, int hp = 10) {
        owned.push_back(std::make_unique<unit_t>());
        unit_t* u = owned.back().get();
        u->pos = {x, y};
        u->btl.side = side;
        u->drv.hp_max = 20;
        u->hp = hp;
        u->drv.spd = 6;
        u->pwrs.add(1);
        btl().full.push_back(u);
        rebuild_roster();
        return u;
    }
    // A first-level character of build 1 on (x, y), at full hit points and under the
    // player's orders; unlike add()'s units it stays standing through a recalculation.
    unit_t* add_pc(int x, int y, int side) {
        unit_t* u = add(x, y, side);
        u->from_bld(1, L"u", nullptr, nullptr);
        u->pos = {x, y};  // the build starts the unit afresh
        u->btl.side = side;
        u->hp = u->drv.hp_max;
        return u;
    }
    void fog() { init_fog(); }
};

// Gives u a condition from src (a fear's source is what the unit flees from)
// without recalculating it: the hand-made units of these tests have no race or
// class, and a recalculation would leave them 0 hit points.
inline void put_cond(unit_t* u, int id, unit_t* src = nullptr) {
    cond_inst_t ci;
    u->conds.add(make_cond_inst(ci, id, src, 0, 0, 0), false);
    u->conds.upd_mask();
}

// Makes u a human of the class at the level with Str 16, Dex 12, Con 14, Int 18,
// Wis 14, Cha 12; full hit points, a whole turn, spotted.
inline unit_t* make_test_human(unit_t* u, int cls, int lv) {
    u->base.race = 24;
    u->base.cls = cls;
    u->base.lv = lv;
    const int abi[ABIS] = {16, 12, 14, 18, 14, 12};
    for (int i = 0; i < ABIS; ++i) u->base.abi[i] = abi[i];
    u->btl.known = 1;
    u->recalc();
    u->hp = u->drv.hp_max;
    u->hp_ready = 1;
    u->turn_reset();
    reset_cooldowns(u);
    return u;
}
