// Seeded battles with the player's side driven through the real battle scene
// by random clicks on the quick slots and the map (the other side by the AI):
// each ends within the round limit, the engine's rules hold at every wait for
// orders, the scene draws nothing from the battle's generator while the player
// hovers, the same seed and clicks replay to the same battle log, and every
// colour of that log reads on the log's background.
// 100 battles in an optimised build, two under the sanitizers;
// TW_BTL_PROP_SEEDS sets the number either way.
#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <random>
#include <string>

#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/enc.h"
#include "battle/target_area.h"
#include "battle/turn.h"
#include "rules/pty.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"
#include "screens/battle/btl_scene.h"
#include "screens/battle/btl_view.h"
#include "screens/map/act_bar.h"
#include "screens/map/main_ui.h"
#include "screens/widgets/log_memo.h"
#include "support/btl_stage.h"
#include "support/env_count.h"
#include "support/screen_driver.h"
#include "support/text_contrast.h"

namespace {
constexpr int round_limit = 60;
constexpr int tries_per_wait = 6;  // random clicks before the unit ends its turn

int seed_count() { return env_count("TW_BTL_PROP_SEEDS", 100, 2); }

// A new wait for orders began since the one numbered `asked`, or the battle ended.
bool wait_over(int asked) {
    const btl_scene_t* s = cur_btl_scene();
    return !s || !s->waiting_unit() || s->orders_asked() != asked;
}

// One input of the player, as the body gave it.
struct input_t {
    enum kind_t { click, rclick, key } kind;
    int x = 0, y = 0;  // a click's point, or the key
};

struct run_t {
    std::vector<std::vector<input_t>> waits;  // the inputs given at each wait for orders
    std::wstring log;
    std::vector<std::string> dim_log;  // log lines in a colour that does not read on the log
    int state = BTL_NONE;
    int rounds = 0;
    int frames = 0;
    std::vector<std::string> faults;
};

// Gives the input and lets the frame that takes it end.
void give(screen_driver_t& d, const input_t& in) {
    if (in.kind == input_t::key) {
        d.key(in.x);
    } else {
        d.move_to(in.x, in.y);
        d.frames(2);
        in.kind == input_t::click ? d.click_at(in.x, in.y) : d.rclick_at(in.x, in.y);
    }
    d.frames(1);
}

// The engine's rules as the player's waits see them.
void check_rules(std::vector<std::string>& faults) {
    const btl_t& b = btl();
    for (size_t i = 0; i < b.roster.size(); ++i) {
        const unit_t* u = b.roster[i];
        if (u->hp < 1 || u->hp > u->drv.hp_max) faults.push_back("hit points out of range");
        for (size_t j = i + 1; j < b.roster.size(); ++j)
            if (b.roster[j]->pos == u->pos) faults.push_back("two units on one cell");
    }
    std::vector<unit_t*> living;
    for (unit_t* u : b.full)
        if (u->hp > 0) living.push_back(u);
    if (living != b.roster) faults.push_back("the roster is not the living units in order");
}

// The clicks of one wait: random picks of usable quick slots and random cells
// (of the picked power's targets, or of the view), until one gives commands;
// then, if none did, the unit ends its turn by clicking itself.
// `before` runs before each input (while the unit still waits).
std::vector<input_t> random_inputs(screen_driver_t& d, std::mt19937& rng, unit_t* u,
                                   const std::function<void()>& before) {
    std::vector<input_t> out;
    btl_scene_t* s = cur_btl_scene();
    const int asked = s->orders_asked();
    const auto act = [&](const input_t& in) {
        before();
        out.push_back(in);
        give(d, in);
        return wait_over(asked);
    };
    const auto pick_cell = [&](const std::vector<pt_t>& from) {
        const rect v = s->get_view().cell_rect();
        if (!from.empty() && rng() % 4 != 0) return from[rng() % from.size()];
        return pt_t{v.x + int(rng() % uint32_t(std::max(v.w, 1))), v.y + int(rng() % uint32_t(std::max(v.h, 1)))};
    };
    for (int t = 0; t < tries_per_wait; ++t) {
        act_bar_t* bar = main_ui().act_bar;
        if (rng() % 3 == 0) {
            std::vector<int> usable;
            for (int i = 0; i < std::min(bar->count(), 10); ++i)
                if (bar->get_item(i) && !(bar->get_item(i)->flags & LIF_DISABLED)) usable.push_back(i);
            if (!usable.empty()) {
                const int i = usable[rng() % usable.size()];
                if (act({input_t::key, i < 9 ? SDLK_1 + i : SDLK_0, 0})) return out;
            }
        }
        const pt_t c = pick_cell(s->sel_pwr().x != 0 ? bv().tgt_pts : bv().mr.stop_pts);
        const SDL_Point p = cell_pt(c);
        const rect vr = s->get_view().scrn_rect();
        if (!vr.contains(p.x, p.y)) continue;
        d.move_to(p.x, p.y);
        d.frames(2);
        if (s->pending_cmds().empty()) continue;
        if (act({input_t::click, p.x, p.y})) return out;
    }
    if (s->sel_pwr().x != 0) act({input_t::rclick, 4, 4});
    const SDL_Point p = cell_pt(u->pos);
    act({input_t::click, p.x, p.y});
    return out;
}

// One battle: the default party against an encounter rolled from the seed.
// With `given` the inputs are replayed instead of drawn.
run_t fight(uint32_t seed, const run_t* given) {
    run_t run;
    screen_opts_t o = fast_btl_opts();
    o.config += "ao_prompt=0\r\n";  // provoking moves go ahead without a question
    o.w = 800, o.h = 480;
    o.seed = seed;
    o.frame_ms = 100;  // the scene's pauses pass in a few frames
    screen_driver_t d(o);
    std::mt19937 rng(seed);
    std::unique_ptr<unit_grp_t> foes;
    bool ended = false;
    d.run_started([&] {
        d.move_to(o.w - 100, 300);
        d.on_main([&] {
            reset_pty();
            while (g_pty.units.size() > 3) {
                delete g_pty.units.back();
                g_pty.units.pop_back();
            }
            foes.reset(enc_to_grp(gen_enc(1, 3, 2, 0)));
            run.state = fight_btl(foes.get(), 0);
            const log_memo_t* m = main_ui().log_memo;
            run.log = m->text.c_str();
            run.dim_log = text_contrast::dim_glyphs(m->text.c_str(), {m->text_clr, m->bg_clr});
            ended = true;
        });
        size_t wait_no = 0;
        int handled = -1;
        while (!ended && d.running()) {
            const auto next = [&] {
                const btl_scene_t* s = cur_btl_scene();
                return ended || (s && s->waiting_unit() && s->orders_asked() != handled);
            };
            if (!d.wait_for(next, "a wait for orders or the end", 20000)) break;
            if (ended) break;
            unit_t* u = cur_btl_scene()->waiting_unit();
            handled = cur_btl_scene()->orders_asked();
            check_rules(run.faults);
            if (btl().round > round_limit) {
                run.faults.push_back("past the round limit");
                d.on_main([] { set_btl_lost(); });
                break;
            }
            // While the unit waits only the scene runs: hovering, picking and
            // menus draw nothing from the battle's generator.
            const uint32_t rnd_before = rnd_get_state();
            const auto still = [&] {
                if (cur_btl_scene()->waiting_unit() == u && rnd_get_state() != rnd_before)
                    run.faults.push_back("the scene drew from the generator");
            };
            std::vector<input_t> ins;
            if (given) {
                if (wait_no >= given->waits.size()) {
                    run.faults.push_back("the replay asked for more orders");
                    d.on_main([] { set_btl_lost(); });
                    break;
                }
                ins = given->waits[wait_no];
                for (const input_t& in : ins) {
                    still();
                    give(d, in);
                }
            } else {
                ins = random_inputs(d, rng, u, still);
            }
            if (!ended && !wait_over(handled)) run.faults.push_back("a wait did not end");
            run.waits.push_back(ins);
            ++wait_no;
        }
        ASSERT_TRUE(d.wait_for([&] { return ended; }, "the battle's end", 20000));
        run.rounds = btl().round;
        run.frames = d.frame_no();
    });
    return run;
}
}  // namespace

TEST(BtlProp, ClickedBattlesEndHoldTheRulesAndReplay) {
    const int n = seed_count();
    for (int i = 0; i < n; ++i) {
        const uint32_t seed = 7001 + uint32_t(i) * 7919;
        const run_t first = fight(seed, nullptr);
        if (std::getenv("TW_BTL_PROP_VERBOSE"))
            printf("seed %u: state %d, %d rounds, %zu waits, %d frames\n", seed, first.state, first.rounds,
                   first.waits.size(), first.frames);
        EXPECT_TRUE(first.faults.empty()) << "seed " << seed << ": " << (first.faults.empty() ? "" : first.faults[0]);
        EXPECT_TRUE(first.state == BTL_WON || first.state == BTL_LOST) << "seed " << seed << " ended with " << first.state;
        EXPECT_LE(first.rounds, round_limit) << "seed " << seed;
        for (const std::string& dim : first.dim_log) ADD_FAILURE() << "seed " << seed << ": " << dim;
        const run_t again = fight(seed, &first);
        EXPECT_TRUE(again.faults.empty()) << "seed " << seed << ": " << (again.faults.empty() ? "" : again.faults[0]);
        EXPECT_EQ(again.state, first.state) << "seed " << seed;
        EXPECT_TRUE(again.log == first.log) << "seed " << seed << ": the replay's log differs";
    }
}
