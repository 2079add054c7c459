#pragma once
// Recalculated human units on a drawn map for the hit statistics and AI tests,
// and a snapshot of everything a planning call must leave as it was.
#include <vector>

#include "app/rnd.h"
#include "app/text_log.h"
#include "battle/act_fixture.h"
#include "battle/stat_act.h"

// Unlike act_test's units, these keep the controller add() gives them.
class ai_test : public act_test {
protected:
    unit_t* mk(int x, int y, int side, int cls = 1, int lv = 1) {
        return make_test_human(add(x, y, side), cls, lv);
    }
    // The command's worth to u, which must be able to weigh it.
    static int64_t score(unit_t* u, int pwr, const pt_t& at) {
        int64_t s = -1;
        EXPECT_TRUE(eval_act(u, {.pwr = pwr, .param = 0, .tgt = at, .flags = 0}, &s));
        return s;
    }
};

// The state of every unit, the generator and the log buffer.
struct btl_snapshot_t {
    struct unit_state_t {
        pt_t pos;
        int hp, budget, turn_flags, run_dir;
        std::vector<int> conds;
        size_t cmds;
        bool operator==(const unit_state_t&) const = default;
    };
    std::vector<unit_state_t> units;
    uint32_t rnd = 0;
    std::wstring log;
    size_t zones = 0, summons = 0;
    bool operator==(const btl_snapshot_t&) const = default;

    static btl_snapshot_t take() {
        btl_snapshot_t s;
        for (unit_t* u : btl().full) {
            unit_state_t us{u->pos, u->hp, u->btl.act_budget, u->btl.turn_flags, u->run_dir, {}, u->btl.cmds.size()};
            for (const auto& [id, c] : u->conds.map) us.conds.push_back(id);
            s.units.push_back(us);
        }
        s.rnd = rnd_get_state();
        s.log = log_cur_buf()->c_str();
        s.zones = btl().zones.size();
        s.summons = btl().summons.size();
        return s;
    }
};
