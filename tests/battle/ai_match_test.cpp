// The AI's quick search against the plain one, which measures every aim of
// every action in full: in seeded AI-against-AI battles, and in battles whose
// casters hold some twenty spells, each decision queues the same commands,
// reaches the same best score and total, and leaves the planning generator
// where the plain search leaves it.
#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "battle/ai.h"
#include "battle/atk_rec.h"
#include "rules/bld_ids.h"
#include "support/ai_battle.h"
#include "support/env_count.h"
#include "support/pwrs_test.h"

namespace {

class AiMatch : public pwrs_test {
protected:
    void TearDown() override { reset_btl(); }
};

// Battles a case, and decisions compared a battle: few in CI's sanitized
// build, where the plain search of a caster takes seconds; more in an
// optimised build, or as TW_AI_MATCH_SEEDS and TW_AI_MATCH_DECISIONS say.
int seeds_per_case() { return env_count("TW_AI_MATCH_SEEDS", 6, 1); }
int decisions_per_battle() { return env_count("TW_AI_MATCH_DECISIONS", 1 << 30, 16); }

struct decision_t {
    std::vector<u_cmd_t> cmds;
    int64_t score = 0, total = 0;
    uint32_t plan_rnd = 0;  // the planning generator afterwards
};

decision_t decide(unit_t* u, bool plain) {
    u->btl.cmds.clear();
    ai_plan_t p(u);
    p.plain = plain;
    ai_plan(p);
    return {u->btl.cmds, p.best_score, p.best_total, rnd_get_state()};
}

// Both searches from one planning state; the quick one's commands stay queued.
struct matcher_t {
    int decisions = 0;
    int limit = decisions_per_battle();  // the rest are the quick search's alone

    void orders(unit_t* u) {
        if (decisions >= limit) {
            ai_run(u);
            return;
        }
        ++decisions;
        plan_rnd_t scope;  // inside it the generator is the planning one
        const uint32_t start = rnd_get_state();
        const decision_t plain = decide(u, true);
        rnd_set_state(start);
        const decision_t quick = decide(u, false);
        SCOPED_TRACE(testing::Message() << "decision " << decisions << " of unit at " << u->pos.x << "," << u->pos.y);
        EXPECT_EQ(std::tie(quick.cmds, quick.score, quick.total), std::tie(plain.cmds, plain.score, plain.total));
        EXPECT_EQ(quick.plan_rnd, plain.plan_rnd) << "the planning draws differ";
    }
};

}  // namespace

TEST_F(AiMatch, TheQuickSearchDecidesAsThePlainOneInAiBattles) {
    int compared = 0;
    for (int lv : {1, 5, 10})
        for (int diff = 1; diff <= 3; ++diff)
            for (int i = 0; i < seeds_per_case(); ++i) {
                const uint32_t seed = uint32_t(7000 + 1000 * lv + 100 * diff + i);
                SCOPED_TRACE(testing::Message() << "level " << lv << " difficulty " << diff << " seed " << seed);
                matcher_t m;
                ai_battle_t b;
                b.listener.orders = [&](unit_t* u) { m.orders(u); };
                b.run(seed, lv, diff);
                compared += m.decisions;
                reset_btl();
                if (HasFailure()) return;
            }
    EXPECT_GT(compared, 9 * std::min(seeds_per_case() * 10, decisions_per_battle()));
}

TEST_F(AiMatch, TheQuickSearchDecidesAsThePlainOneForCastersOfManySpells) {
    int compared = 0;
    for (int lv : {5, 10})
        for (int i = 0; i < seeds_per_case(); ++i) {
            const uint32_t seed = uint32_t(9100 + 100 * lv + i);
            SCOPED_TRACE(testing::Message() << "level " << lv << " seed " << seed);
            matcher_t m;
            ai_battle_t b;
            b.blds = {BLD_TH, BLD_ELM, BLD_RNG, BLD_SUM};  // two fighters, two wizards
            b.adjust_party = give_area_powers;
            b.listener.orders = [&](unit_t* u) { m.orders(u); };
            b.run(seed, lv, 3);
            compared += m.decisions;
            reset_btl();
            if (HasFailure()) return;
        }
    EXPECT_GE(compared, 2 * std::min(seeds_per_case() * 10, decisions_per_battle()));
}
