// Whole seeded battles in which every unit's orders come from a script that
// tries every action power in turn: a party of four built characters against
// generated monster groups. Every invariant must hold, every action
// power must be carried out across the seeds, and a seed replays exactly.
// The monster groups come from the encounter generator.
#include <gtest/gtest.h>

#include <map>
#include <memory>

#include "app/codec.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/enc.h"
#include "battle/special.h"
#include "battle/target_area.h"
#include "battle/zone.h"
#include "rules/mon.h"
#include "support/btl_harness.h"

namespace {
constexpr int MAX_ROUNDS = 12;
constexpr int SEEDS = 60;

bool is_simple(int p) { return p == 1 || p == 9 || p == 10 || p == 11 || p == 15; }

// Counts the powers carried out, and checks the zones on top of the harness's invariants.
class act_listener_t : public harness_listener_t {
public:
    std::map<int, int>* used = nullptr;
    size_t fault_at = 0;  // the transcript's length when the first fault was seen
    void on_act_start(unit_t* u, const u_cmd_t* c) override {
        ++(*used)[c->pwr];
        harness_listener_t::on_act_start(u, c);
        if (!faults.empty() && !fault_at) fault_at = transcript.size();
    }
    void on_act_end(unit_t* u, const u_cmd_t* c) override {
        for (const zone_t* z : btl().zones) {
            if (z->cells.empty()) faults.push_back("an empty zone");
            for (const pt_t& p : z->cells)
                if (btl().map->get_pass1(p.x, p.y) == 6) faults.push_back("a zone on a wall");
        }
        harness_listener_t::on_act_end(u, c);
    }
};

bool pick_target(unit_t* u, int p, pt_t* out) {
    std::vector<pt_t> pts;
    if (!get_act_tgt_pts(u, p, &pts)) return false;
    auto first = [&](const std::function<bool(const pt_t&)>& ok) {
        for (const pt_t& c : pts)
            if (ok(c)) return *out = c, true;
        return false;
    };
    if (p == 137 || p == 129)
        return first([&](const pt_t& c) {
            for (unit_t* f : fallen_units_at(c))
                if (fallen_tgt_value(p, u, f) != NO_TARGET) return true;
            return false;
        });
    if (ground_value(p, u->pos) != NO_TARGET && first([&](const pt_t& c) { return get_unit_at(c) == nullptr; }))
        return true;
    if (first([&](const pt_t& c) {
            const unit_t* v = get_unit_at(c);
            return v && is_fit_target(p, u, v);
        }))
        return true;
    if (first([&](const pt_t& c) { return get_zone_at(c) && zone_tgt_value(u, p, nullptr, get_zone_at(c)) != NO_TARGET; }))
        return true;
    return first([&](const pt_t& c) { return get_unit_at(c) != nullptr; }) || first([](const pt_t&) { return true; });
}

// The least used action the unit can aim; else a step towards the nearest foe.
void every_power_orders(unit_t* u, const std::map<int, int>& used) {
    plan_rnd_t plan;
    std::vector<int> ids = u->pwrs.get_act_list();
    std::stable_sort(ids.begin(), ids.end(), [&](int a, int b) {
        const auto ua = used.find(a), ub = used.find(b);
        return (ua == used.end() ? 0 : ua->second) < (ub == used.end() ? 0 : ub->second);
    });
    for (int p : ids) {
        if (is_simple(p) || !can_use_pwr(u, p)) continue;
        pt_t at;
        if (!pick_target(u, p, &at)) continue;
        u->btl.cmds.push_back({.pwr = p, .param = 0, .tgt = at, .flags = 0});
        return;
    }
    const unit_t* foe = nearest_unit(u, RW_ENEMIES);
    if (foe && can_use_pwr(u, 1)) {
        move_range_t r;
        get_move_range(u, &r);
        if (!r.stop_pts.empty()) {
            u->btl.cmds.push_back(make_mov_cmd(u, nearest_pt(r.stop_pts, foe->pos)));
            return;
        }
    }
    u->btl.cmds.push_back({.pwr = 15, .param = 0, .tgt = u->pos, .flags = 0});
}

struct act_btl_t {
    tmap_t map;
    unit_grp_t party;
    std::unique_ptr<unit_grp_t> foes;
    act_listener_t lis;

    static void give_every_action(unit_t* u) {
        for (int id = 1; id <= PWR_LAST; ++id)
            if (is_act(id)) u->pwrs.add(id);
    }

    // Four built characters against a generated encounter for their level.
    void make_units() {
        for (int i = 0; i < 4; ++i) {
            unit_t* u = new unit_t();
            u->from_bld(1 + (i * 3) % 14, (L"P" + std::to_wstring(i + 1)).c_str(), nullptr, nullptr);
            party.units.push_back(u);
        }
        foes.reset(enc_to_grp(gen_enc(1, 4, ENC_ROLL, 0)));
        int n = 0;
        for (unit_t* u : foes->units) u->name.assign((L"M" + std::to_wstring(++n)).c_str());
        for (unit_grp_t* g : {&party, foes.get()})
            for (unit_t* u : g->units) {
                give_every_action(u);
                u->btl.side = g == &party ? SIDE_PLAYER : SIDE_FOES;
                u->btl.ai = 0;  // the script gives every unit its orders
                u->recalc();
                u->hp = u->drv.hp_max;
            }
    }

    void run(uint32_t seed, std::map<int, int>& used) {
        lis.used = &used;
        lis.max_rounds = MAX_ROUNDS;
        lis.script = [&used](unit_t* u) { every_power_orders(u, used); };
        run_whole_btl(seed, map, lis, [this] {
            make_units();
            return std::pair{&party, foes.get()};
        });
    }

    ~act_btl_t() {
        set_cur_scene(nullptr);
        reset_btl();
    }
};

class ActBtl : public ::testing::Test {
protected:
    void SetUp() override { build_pwrs(); }
    void TearDown() override { free_pwrs(); }
};
}  // namespace

TEST_F(ActBtl, EveryActionPowerIsCarriedOutAcrossTheSeeds) {
    std::map<int, int> used;
    for (uint32_t seed = 1; seed <= SEEDS; ++seed) {
        act_btl_t b;
        b.run(seed, used);
        ASSERT_TRUE(b.lis.faults.empty()) << "seed " << seed << ": " << b.lis.faults.front() << " (" << b.lis.faults.size() << " faults)"
                                          << utf8_from_wide(b.lis.transcript.substr(b.lis.fault_at > 2000 ? b.lis.fault_at - 2000 : 0, 2000));
        const int state = get_btl_state();
        ASSERT_TRUE(state == BTL_WON || state == BTL_LOST) << "seed " << seed << " ended in state " << state;
    }
    std::string missing;
    for (int id = 1; id <= PWR_LAST; ++id)
        if (is_act(id) && !is_simple(id) && !used.count(id)) missing += " " + std::to_string(id);
    EXPECT_EQ(missing, "") << "never carried out";
    EXPECT_GE(used.size(), 60u);  // the registry's action powers, the simple ones among them
}

TEST_F(ActBtl, ASeedReplaysExactly) {
    std::map<int, int> u1, u2;
    act_btl_t a, b;
    a.run(13, u1);
    const std::string ta = utf8_from_wide(a.lis.transcript);
    b.run(13, u2);
    EXPECT_EQ(ta, utf8_from_wide(b.lis.transcript));
    EXPECT_EQ(u1, u2);
    EXPECT_NE(ta.find("施放"), std::string::npos);
}
