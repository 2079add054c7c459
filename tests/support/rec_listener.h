#pragma once
// A battle listener for tests: keeps the null listener's duties and records
// every call as {slot, unit, other unit, number}, in order.
#include <algorithm>
#include <vector>

#include "battle/listener.h"
#include "support/mapped.h"

class rec_listener_t : public null_listener_t {
public:
    struct call_t {
        int slot = 0;
        unit_t* u = nullptr;
        unit_t* u2 = nullptr;
        int n = 0;
        friend bool operator==(const call_t&, const call_t&) = default;
    };
    std::vector<call_t> calls;
    bool aoo_answer = true;

    std::vector<int> slots() const { return mapped(calls, [](const call_t& c) { return c.slot; }); }
    // The calls of the slot, only u's when u is given.
    int count(int slot, const unit_t* u = nullptr) const {
        return int(std::count_if(calls.begin(), calls.end(),
                                 [&](const call_t& c) { return c.slot == slot && (!u || c.u == u); }));
    }

    void on_round_start(int r) override { calls.push_back({23, nullptr, nullptr, r}); }
    void on_turn_start(unit_t* u) override { calls.push_back({24, u}); }
    void on_turn_ready(unit_t* u) override { calls.push_back({25, u}); }
    void on_unit_moved(unit_t* u) override { calls.push_back({26, u}); }
    void on_unit_dies(unit_t* u) override { calls.push_back({27, u}); }
    void wait_for_orders(unit_t* u) override {
        calls.push_back({28, u});
        null_listener_t::wait_for_orders(u);
    }
    void on_unit_ready(unit_t* u, bool computer) override { calls.push_back({29, u, nullptr, computer}); }
    void on_orders_taken(unit_t* u) override { calls.push_back({30, u}); }
    void on_act_start(unit_t* u, const u_cmd_t*) override { calls.push_back({31, u}); }
    void on_act_end(unit_t* u, const u_cmd_t*) override { calls.push_back({32, u}); }
    void on_atk_visual(act_ctx_t*, atk_rec_t*, const std::vector<pt_t>& pts) override {
        calls.push_back({33, nullptr, nullptr, int(pts.size())});
    }
    void on_miss(unit_t* u) override { calls.push_back({34, u}); }
    void on_hp_change(unit_t* u, const dmg_res_t*) override { calls.push_back({35, u}); }
    void on_turn_end(unit_t* u) override { calls.push_back({36, u}); }
    void on_cur_unit_changed(unit_t* a, unit_t* b) override { calls.push_back({37, a, b}); }
    bool confirm_aoo() override {
        calls.push_back({38});
        return aoo_answer;
    }
    void on_roster_changed() override { calls.push_back({39}); }
};
