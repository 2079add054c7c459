// Seeded battles in which the party's orders are random commands, legal and
// illegal (powers it does not hold, cells off the map, flags only the engine
// gives, queues that go on after a wait), and the enemy is the AI. After every
// listener call: no two living units on a cell, hit points and action points
// within range, no command of a fallen unit or of one whose turn has ended, no
// turn paying for more than its budget, the AI spends no action on nobody,
// nearly every battle ends before the cap, a lost battle's log holds the
// fall of the last member when the party saw the felling action begin, a
// seen cast's line comes before the lines of the zone it made, the zone rolls
// at the chances the player's cast previewed, a seen command its attacks of
// opportunity undid says why, and no block of the log holds an empty line or
// begins with one. The early game at levels 1 and 5; the late game from 9 to 20
// with the whole premade party, whose wizard casts chains, storms and clouds.
#include <gtest/gtest.h>

#include <cstring>
#include <functional>
#include <map>
#include <random>
#include <regex>
#include <string>

#include "battle/act_ctx.h"
#include "battle/move_search.h"
#include "battle/unit_move.h"
#include "battle/zone.h"
#include "rules/act_budget.h"
#include "rules/bld_ids.h"
#include "rules/cls_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "support/ai_battle.h"
#include "support/env_count.h"

namespace {

// Thousands in an optimised build by hand (TW_PROP_BATTLES), a few hundred in CI.
int battle_count(int sanitized) { return env_count("TW_PROP_BATTLES", 2000, sanitized); }

// The player: random clicks from a generator of the test's own, so the
// battle's draws stay the engine's.
class random_player_t {
public:
    explicit random_player_t(uint32_t seed) : rng(seed) {}

    void orders(unit_t* u) {
        // A player who keeps sending refused commands gives up the turn in the end.
        if (++asked[u] > 6) {
            u->btl.cmds.push_back({.pwr = P_END_TURN, .param = 0, .tgt = u->pos, .flags = 0});
            return;
        }
        const int n = 1 + pick(3);
        for (int i = 0; i < n; ++i) u->btl.cmds.push_back(command(u));
    }
    void turn_ready(unit_t* u) { asked[u] = 0; }

private:
    std::mt19937 rng;
    std::map<const unit_t*, int> asked;

    int pick(int n) { return int(rng() % uint32_t(n)); }

    int power(const unit_t* u) {
        const std::vector<int> held = u->pwrs.get_act_list();
        switch (pick(4)) {
        case 0: return 1 + pick(15);  // a basic action
        case 1: return pick(PWR_SLOTS + 8) - 4;  // anything, ids that do not exist too
        default: return held[size_t(pick(int(held.size())))];
        }
    }

    pt_t cell(unit_t* u) {
        const btl_t& b = btl();
        switch (pick(6)) {
        case 0: return u->pos;  // one's own cell: a blow at oneself
        case 1: return {pick(b.map->get_w() + 4) - 2, pick(b.map->get_h() + 4) - 2};  // off the map too
        default: {
            const unit_t* v = b.roster[size_t(pick(int(b.roster.size())))];
            return v->pos;
        }
        }
    }

    u_cmd_t command(unit_t* u) {
        u_cmd_t c{.pwr = power(u), .param = 0, .tgt = cell(u), .flags = 0};
        if (c.pwr == P_MOVE && pick(2)) {
            move_range_t r;
            get_move_range(u, &r);
            if (!r.stop_pts.empty()) c = make_mov_cmd(u, r.stop_pts[size_t(pick(int(r.stop_pts.size())))]);
        }
        if (c.pwr == P_SWAP_WPN) c.param = pick(3) - 3;
        if (pick(8) == 0) c.flags |= 1 << pick(7);  // 1, 2, 4, 8, 16, 32 or 64
        return c;
    }
};

// The seen casts that made zones, each with its line and the log's length as
// it was done: the zone acts only after that, so the log holds the line there.
struct zone_cast_watch_t {
    struct cast_t {
        int pwr;
        std::wstring text;
        size_t at;
    };
    std::vector<cast_t> casts;

    void act_done(const unit_t* u, const u_cmd_t* c, bool seen_at_start, size_t log_len) {
        const act_t* a = dynamic_cast<const act_t*>(get_pwr(c->pwr));
        const std::wstring text = log_cur_buf()->c_str();
        // A zone acting writes its own header, not " 施放 "; an unseen cast leaves no line.
        if (a && a->zone_dur != 0 && text.find(L" 施放 ") != std::wstring::npos && (seen_at_start || is_pt_visible(u->pos)))
            casts.push_back({c->pwr, text, log_len});
    }
    // Casts whose zone wrote lines, and the casts whose line came after something else.
    void count(const std::wstring& log, int& zoned, int& late) const {
        for (const cast_t& c : casts) {
            const std::wstring zone = std::wstring(L"<c=key>") + pwr_name(c.pwr) + L"</c> 区域: ";
            const bool first = log.compare(c.at, c.text.size(), c.text) == 0;
            zoned += log.compare(first ? c.at + c.text.size() : c.at, zone.size(), zone) == 0;
            late += !first;
        }
    }
};

// A player's cast that laid a zone: the chance previewed for each unit just
// before, against the roll of the zone's first effect on it.
struct zone_preview_watch_t {
    int &compared, &differ;  // the run's totals
    std::vector<rolled_t> shown{};
    const zone_t* newest = nullptr;  // as the cast began
    size_t cast = 0, effect = 0;  // the depths of the running cast and of its zone's first effect, to come

    void act_seen(unit_t* u, const u_cmd_t* c, size_t depth) {
        const act_t* a = dynamic_cast<const act_t*>(get_pwr(c->pwr));
        if (u->btl.side != SIDE_PLAYER || (c->flags & UCMD_NO_ANI) || !a || a->zone_dur == 0) return;
        stat_act_t s(u, c);
        s.run();
        shown.clear();
        for (const auto& [p, e] : s.tgts)
            if (e.tgt.kind == TGT_UNIT) shown.push_back({unit_disp_name(e.tgt.unit).c_str(), e.hits[0].chance});
        newest = btl().zones.empty() ? nullptr : btl().zones.back();
        cast = depth;
    }
    // The zone acts as soon as the cast is done, at the cast's depth.
    void act_done(const unit_t* u, const u_cmd_t* c, size_t depth) {
        if (depth == effect && (c->flags & UCMD_NO_ANI)) {
            for (const rolled_t& r : rolled_chances(log_cur_buf()->c_str()))
                ++compared, differ += std::find(shown.begin(), shown.end(), r) == shown.end();
            effect = 0;
        } else if (depth == cast) {
            const auto& z = btl().zones;
            effect = !z.empty() && z.back() != newest && z.back()->creator == u ? depth : 0;
            cast = 0;
        }
    }
};

// Commands whose own attacks of opportunity left them without effect: each of
// a unit that lives and that the party saw (before the strikes or after) needs
// its line, as a refusal reads.
struct spent_cmd_watch_t {
    int &spent, &silent;  // the run's totals
    const unit_t* victim = nullptr;  // whose command the running strikes answer
    bool seen = false, feedback = false;
    size_t at = 0;

    // A strike at the current unit inside no action of that unit: its command provoked it.
    void act_seen(const unit_t* u, const u_cmd_t* c, size_t depth, size_t log_len) {
        if (!(c->flags & UCMD_FREE)) {
            if (u == victim) victim = nullptr;  // the command went ahead
            return;
        }
        if (victim || depth != 1 || get_unit_at(c->tgt) != get_cur_unit()) return;
        victim = get_cur_unit();
        seen = is_pt_visible(victim->pos);
        feedback = log_enabled();
        at = log_len;
    }
    // Asked again, or at its turn's end, before its command began: the command was spent.
    void call(const char* where, const std::wstring& log) {
        if (!victim || (std::strcmp(where, "on_unit_ready") != 0 && std::strcmp(where, "on_turn_end") != 0)) return;
        if (victim->hp > 0 && feedback && (seen || is_pt_visible(victim->pos))) {
            ++spent;
            const std::wstring line = std::wstring(unit_disp_name(victim).c_str()) + L" <c=a>无法使用</c> ";
            silent += log.find(line, at) == std::wstring::npos;
        }
        victim = nullptr;
    }
};

// Actions a unit the party saw neither begin nor end took, that hurt a party
// member the party saw: the member's line must reach the log.
struct unseen_hit_watch_t {
    int &hits, &untold;  // the run's totals
    struct open_t {
        std::map<const unit_t*, int> hp;  // the seen members, as the action began
        size_t at;
    };
    std::vector<open_t> open{};
    std::vector<std::pair<std::wstring, size_t>> waiting{};  // a line still in the buffer, and where it may land

    void act_seen(const unit_t* u, size_t log_len) {
        open.push_back({{}, log_len});
        if (!is_pt_visible(u->pos))
            for (const unit_t* v : btl().roster)
                if (v->btl.side == SIDE_PLAYER && is_pt_visible(v->pos)) open.back().hp[v] = v->hp;
    }
    void act_done(const unit_t* u, bool seen_at_start, const std::wstring& log) {
        const open_t o = std::move(open.back());
        open.pop_back();
        if (seen_at_start || is_pt_visible(u->pos)) return;
        const std::wstring buf = log_cur_buf()->c_str();
        for (const auto& [v, hp] : o.hp) {
            if (v->hp >= hp) continue;
            ++hits;
            const std::wstring name = unit_disp_name(v).c_str();
            if (buf.find(name) != std::wstring::npos) waiting.push_back({buf, log.size()});
            else untold += log.find(name, o.at) == std::wstring::npos;
        }
    }
    void count(const std::wstring& log) {
        for (const auto& [text, at] : waiting) untold += log.find(text, at) == std::wstring::npos;
    }
};

// What the engine may let a unit do in one turn, kept apart from the engine:
// the budget of the turn start, spent by the table cost of every paid command.
struct budget_watch_t {
    std::map<const unit_t*, int> left;
    std::string fault;

    void turn_ready(const unit_t* u) { left[u] = u->btl.act_budget; }
    void act(const unit_t* u, const u_cmd_t* c) {
        if (c->flags & (1 | 2 | 16)) return;  // attacks of opportunity, cleaves, zones
        if (u->hp <= 0) fault = "a fallen unit acts";
        if (u != get_cur_unit()) fault = "a unit acts outside its turn";
        const act_t* a = dynamic_cast<const act_t*>(get_pwr(c->pwr));
        if (!a || c->pwr == P_END_TURN) return;
        const int cost = (c->flags & UCMD_SHIFT) ? 1 : act_cost(u, c->pwr);
        int& b = left[u];
        if (!act_budget_spend(b, cost)) fault = "a turn paid for more than its budget";
    }
};

// Battles of the random party against the AI from seed `first` on, at the
// levels `level` gives, with the whole premade party or the first four: every
// rule checked, and each watch counted to have watched something.
void fight_random_battles(uint32_t first, int count, const std::function<int(int)>& level, bool whole_party) {
    int won = 0, refused = 0, capped = 0, idle = 0, glued = 0, falls = 0, unlogged_falls = 0, zoned = 0, late_casts = 0;
    int spent_cmds = 0, silent_cmds = 0, ticked = 0, blank = 0, headless = 0, hits_unseen = 0, untold_hits = 0;
    int previewed = 0, misshown = 0;
    std::wstring bad_block;  // the first block with an empty line
    // A turn start's heading, then its tick (empty lines between, if any).
    const std::wregex tick_start(L" 回合开始:\n[ \n]*造成");
    for (int i = 0; i < count; ++i) {
        const uint32_t seed = first + uint32_t(i);
        const int lv = level(i);
        random_player_t player(seed);
        budget_watch_t watch;
        ai_battle_t b;
        if (whole_party) {
            b.party_size = 6;  // all of the default party: a party holds six at most
        } else if (i % 5 == 2) {  // the default party with a wizard of grease and webs in the healer's place
            b.blds = {BLD_TH, BLD_TW, BLD_RNG, BLD_CTL};
            b.adjust_party = [](unit_t* u) {
                if (u->base.cls == CLS_WIZARD) u->pwrs.add(P_GREASE), u->pwrs.add(P_WEB);
            };
        }
        b.listener.round_cap = 40;
        b.listener.orders = [&](unit_t* u) {
            if (u->btl.side == SIDE_PLAYER) player.orders(u);
            else ai_run(u);
        };
        b.listener.turn_ready = [&](unit_t* u) {
            player.turn_ready(u);
            watch.turn_ready(u);
        };
        spent_cmd_watch_t spent{spent_cmds, silent_cmds};
        unseen_hit_watch_t unseen_hits{hits_unseen, untold_hits};
        zone_preview_watch_t previews{previewed, misshown};
        b.listener.act_seen = [&](unit_t* u, const u_cmd_t* c) {
            watch.act(u, c);
            idle += u->btl.ai && aims_at_nobody(u, *c);
            spent.act_seen(u, c, b.listener.acts_seen.size(), b.log.size());
            unseen_hits.act_seen(u, b.log.size());
            previews.act_seen(u, c, b.listener.acts_seen.size());
        };
        b.listener.each_call = [&](const char* where) { spent.call(where, b.log); };
        zone_cast_watch_t zone_casts;
        b.listener.act_done = [&](unit_t* u, const u_cmd_t* c, bool seen) {
            zone_casts.act_done(u, c, seen, b.log.size());
            unseen_hits.act_done(u, seen, b.log);
            previews.act_done(u, c, b.listener.acts_seen.size());
        };
        const int state = b.run(seed, lv, 1 + i % 3, /*every_unit_by_listener=*/false);
        SCOPED_TRACE(testing::Message() << "battle " << i << " seed " << seed << " level " << lv);
        ASSERT_TRUE(b.listener.fault.empty()) << b.listener.fault;
        ASSERT_TRUE(watch.fault.empty()) << watch.fault;
        ASSERT_TRUE(state == BTL_WON || state == BTL_LOST || b.listener.last_round > b.listener.round_cap)
            << "state " << state << " after round " << b.listener.last_round;
        glued += b.listener.text_at_round;
        if (state == BTL_LOST && b.listener.last_fall.find(L"死亡") != std::wstring::npos) {
            ++falls;
            unlogged_falls += b.log.find(b.listener.last_fall) == std::wstring::npos;
        }
        zone_casts.count(b.log, zoned, late_casts);
        unseen_hits.count(b.log);
        ticked += std::regex_search(b.log, tick_start);
        blank += b.blank_blocks > 0;
        headless += b.headless_blocks > 0;
        if (bad_block.empty()) bad_block = b.bad_block;
        won += state == BTL_WON;
        capped += state != BTL_WON && state != BTL_LOST;
        for (size_t p = b.log.find(L"无法使用"); p != std::wstring::npos; p = b.log.find(L"无法使用", p + 1)) ++refused;
        reset_btl();
    }
    std::printf("%d battles, %d won by the random party, %d commands refused with a reason, %d capped, %d lost by a fall seen, "
                "%d seen casts whose zone wrote lines at once (%d of them logged after those lines), "
                "%d seen commands spent without effect by their attacks of opportunity (%d without a line), "
                "%d logs with a turn start that dealt damage, %d with an empty line, %d with a block that begins with one, "
                "%d seen members hurt by unseen actors (%d untold), "
                "%d zone rolls after a player's cast (%d at a chance not previewed)\n",
                count, won, refused, capped, falls, zoned, late_casts, spent_cmds, silent_cmds, ticked, blank, headless,
                hits_unseen, untold_hits, previewed, misshown);
    EXPECT_GT(refused, count) << "the random party sends many commands it may not give";
    // A random party's healer who mends herself round after round can outlast
    // a foe that seldom hits her (seed 501233 of the optimised run's 2000).
    EXPECT_LE(capped, count / 1000) << "battles that reached the round cap";
    EXPECT_EQ(idle, 0) << "the computer's actions at nobody";
    EXPECT_EQ(glued, 0) << "round starts with an action's text still waiting in the log";
    EXPECT_GT(falls, 0);
    EXPECT_EQ(unlogged_falls, 0) << "lost battles whose log leaves out the last member's fall the party saw";
    EXPECT_GT(zoned, 0);
    EXPECT_EQ(late_casts, 0) << "seen casts whose line the log holds after the lines of the zone they made";
    EXPECT_GT(spent_cmds, 0);
    EXPECT_EQ(silent_cmds, 0) << "seen commands spent by their attacks of opportunity without a line";
    EXPECT_GT(ticked, 0);
    EXPECT_EQ(blank, 0) << "battles whose log holds an empty line, the first: " << to_utf8_string(bad_block.c_str());
    EXPECT_EQ(headless, 0) << "battles whose log holds a block that begins with a line break";
    EXPECT_GT(hits_unseen, 0);
    EXPECT_EQ(untold_hits, 0) << "seen members hurt by an unseen actor without a line";
    EXPECT_GT(previewed, 0);
    EXPECT_EQ(misshown, 0) << "zone rolls at a chance the cast's preview did not show";
}

}  // namespace

TEST(TurnProp, RandomCommandsAgainstTheAiKeepEveryRule) {
    init_pwrs();
    fight_random_battles(500000, battle_count(200), [](int i) { return i % 5 == 4 ? 5 : 1; }, false);
    free_pwrs();
}

// Chains, storms and clouds at levels CI's early game never reaches.
TEST(TurnProp, TheLateGameKeepsEveryRule) {
    init_pwrs();
    fight_random_battles(900000, battle_count(120), [](int i) { return 9 + i % 12; }, true);
    free_pwrs();
}
