#pragma once
// Whole AI-against-AI battles from a seed, for the soak test and the
// benchmarks: a party of four premade characters raised to a level, a
// generated encounter of a difficulty, a generated map, and a listener that
// checks the battle's invariants after every call and caps the rounds.
#include <algorithm>
#include <functional>
#include <memory>
#include <regex>
#include <string>
#include <utility>
#include <vector>

#include "app/rnd.h"
#include "app/text_log.h"
#include "battle/ai.h"
#include "battle/btl.h"
#include "battle/enc.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/map_gen.h"
#include "battle/roster.h"
#include "battle/stat_act.h"
#include "battle/target_area.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "rules/lv.h"
#include "rules/pwr.h"
#include "rules/pty.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"
#include "rules/unit_grp.h"

// The first broken invariant of the battle, empty while all hold: every unit
// of the full list within 0..its maximum hit points and its range of action
// points, each living one on an enterable cell of the map and, but for a walk
// passing through, on a cell of its own, and the roster the living units of
// the full list in order. A unit of `dying`, whose hit points just fell to 0,
// lives until its death is handled.
inline std::string btl_fault(const std::vector<const unit_t*>& dying = {}) {
    const btl_t& b = btl();
    const bool walking = !b.walk_path.empty();
    std::vector<unit_t*> living;
    for (unit_t* u : b.full) {
        if (u->hp < 0 || u->hp > u->drv.hp_max) return "hit points out of range";
        if (u->btl.act_budget < BUDGET_NONE || u->btl.act_budget > BUDGET_WHOLE) return "action points out of range";
        if (u->hp <= 0 && std::find(dying.begin(), dying.end(), u) == dying.end()) continue;
        living.push_back(u);
        const pt_t p = u->pos;
        if (!b.map || !b.map->tiles.in(p.x, p.y) || b.map->get_pass1(p.x, p.y) == PASS_BLOCK)
            return "a unit off the map or on a wall";
        for (const unit_t* v : b.roster)
            if (v != u && v->pos == p && !(walking && (u == b.cur || v == b.cur))) return "two units on one cell";
    }
    return living == b.roster ? "" : "the roster is not the living units of the full list";
}

// Counts the listener calls, checks the invariants after each and ends a
// battle that passes the round cap.
class soak_listener_t : public null_listener_t {
public:
    int round_cap = 60;
    int calls = 0;
    int last_round = 0;
    std::string fault;  // the first broken invariant, empty while all hold
    int text_at_round = 0;  // round starts that found an action's text still waiting in the log
    std::vector<bool> acts_seen;  // per running action: the party saw its actor as it began
    std::wstring last_fall;  // the log's waiting text as the party's last member fell to such a seen action

    void on_round_start(int r) override {
        if (r != 0 && r != last_round + 1) fault = "a round announced twice or skipped";
        last_round = r;
        text_at_round += !log_cur_buf()->empty();
        if (r > round_cap) abort_btl();
        check("on_round_start");
    }
    void on_turn_start(unit_t* u) override {
        if (u->hp < 1) fault = "a turn started for a fallen unit";
        check("on_turn_start");
    }
    void on_turn_ready(unit_t* u) override {
        check("on_turn_ready");
        if (turn_ready) turn_ready(u);
    }
    void on_unit_moved(unit_t*) override { check("on_unit_moved"); }
    void on_unit_dies(unit_t* u) override {
        check("on_unit_dies");
        if (u->btl.side == SIDE_PLAYER && is_btl_lost() && !acts_seen.empty() && acts_seen.back() && log_enabled())
            last_fall = log_cur_buf()->c_str();
    }
    void on_unit_ready(unit_t*, bool) override { check("on_unit_ready"); }
    void on_orders_taken(unit_t*) override { check("on_orders_taken"); }
    void on_act_start(unit_t* u, const u_cmd_t* c) override {
        check("on_act_start");
        acts_seen.push_back(is_pt_visible(u->pos));
        if (act_seen) act_seen(u, c);
    }
    void on_act_end(unit_t* u, const u_cmd_t* c) override {
        check("on_act_end");
        if (act_done) act_done(u, c, acts_seen.back());
        acts_seen.pop_back();
    }
    void on_atk_visual(act_ctx_t*, atk_rec_t*, const std::vector<pt_t>&) override { check("on_atk_visual"); }
    void on_miss(unit_t*) override { check("on_miss"); }
    // The hit points change before the death is handled: u may still stand in the roster.
    void on_hp_change(unit_t* u, const dmg_res_t*) override { check("on_hp_change", u); }
    void on_turn_end(unit_t*) override { check("on_turn_end"); }
    void on_cur_unit_changed(unit_t*, unit_t*) override { check("on_cur_unit_changed"); }
    void on_roster_changed() override { check("on_roster_changed"); }
    // Every unit of the battle is given its orders by the battle AI, unless
    // the test gives them.
    std::function<void(unit_t*)> orders;
    std::function<void(unit_t*, const u_cmd_t*)> act_seen;  // after the checks of on_act_start
    std::function<void(unit_t*, const u_cmd_t*, bool seen_at_start)> act_done;  // after those of on_act_end
    std::function<void(unit_t*)> turn_ready;
    std::function<void(const char* where)> each_call;  // before the checks of every call
    void wait_for_orders(unit_t* u) override {
        check("wait_for_orders");
        if (orders) orders(u);
        else ai_run(u);
    }

    void check(const char* where, const unit_t* dying = nullptr) {
        ++calls;
        if (each_call) each_call(where);
        if (!fault.empty()) return;
        const std::vector<unit_t*>& r = btl().roster;
        const bool stands = dying && std::find(r.begin(), r.end(), dying) != r.end();
        const std::string f = btl_fault(stands ? std::vector{dying} : std::vector<const unit_t*>{});
        if (!f.empty()) fault = f + ", at " + where;
    }
};

// A chosen action whose area holds no unit: spent on nothing. Summonses need
// an empty cell; forced behaviour and the engine's own commands (attacks of
// opportunity, cleaves, a zone acting) are nobody's choice.
inline bool aims_at_nobody(unit_t* u, const u_cmd_t& c) {
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(c.pwr));
    if (!a || c.pwr == P_MOVE || !a->can_affect_units() || !u->conds.can_cmd()) return false;
    if (c.flags & (UCMD_FREE | UCMD_NO_COST | UCMD_NO_ANI)) return false;
    if (c.pwr == P_SUM || c.pwr == P_SUM_SPIDERS || c.pwr == P_MK_UD) return false;
    std::vector<pt_t> cells;
    if (!get_act_area_pts(u, c.pwr, c.tgt, &cells)) return false;
    return std::none_of(cells.begin(), cells.end(), [](const pt_t& p) { return get_unit_at(p) != nullptr; });
}

// The attack rolls of an action's text, one a line of its own, each as {the
// target's name, the chance the roll had}.
using rolled_t = std::pair<std::wstring, int>;
inline std::vector<rolled_t> rolled_chances(const std::wstring& text) {
    static const std::wregex roll(L"\n +([^\n]+?): (?:命中|<c=a>失误</c>)<a=128> \\( <c=y>\\d+</c> ([+-]) (\\d+) vs (-?\\d+) \\)");
    std::vector<rolled_t> out;
    for (std::wsregex_iterator it(text.begin(), text.end(), roll), end; it != end; ++it)
        out.push_back({(*it)[1], d20_chance(std::stoi((*it)[3]) * ((*it)[2] == L"-" ? -1 : 1), std::stoi((*it)[4]))});
    return out;
}

// The powers of every shape of area (blows over two cells and all around,
// bursts, cones); for a caster also every spell from "mm" on that it lacks, up
// to twenty, and the ability to cast them all: the AI's widest search.
inline void give_area_powers(unit_t* u) {
    for (int id : {P_ATK_M_TGT2, P_ATK_M_TGTX, P_ATK_R_TGTX, P_TOX_ERUPT, P_SPIT_F, P_SPIT_A, P_DOWN_A1, P_TURN, P_FEAR})
        if (!u->has_pwr(id)) u->pwrs.add(id);
    if (!is_front_line_cls(u->base.cls)) {
        for (int id = P_MM, n = 0; id <= P_METEOR_SWARM && n < 20; ++id)
            if (!u->has_pwr(id)) u->pwrs.add(id), ++n;
        u->base.abi[u->cast_abi()] = 30;
    }
    u->recalc();
    u->hp = u->drv.hp_max;
}

struct ai_battle_t {
    tmap_t map;
    std::unique_ptr<unit_grp_t> party{new unit_grp_t};
    std::unique_ptr<unit_grp_t> foes;
    soak_listener_t listener;
    std::wstring log;
    enc_t enc;
    std::vector<int> blds;  // the party's builds; empty: the default party
    size_t party_size = 4;  // the first so many of them
    std::function<void(unit_t*)> adjust_party;  // for each party member once it is made, if set
    std::vector<int> end_hps;  // every unit's hit points as the battle ended, in full-list order
    int blank_blocks = 0;  // blocks of the log holding a line of nothing but spaces
    int headless_blocks = 0;  // blocks that begin with a line break, under no heading
    std::wstring bad_block;  // the first of either

    static void sink(const wchar_t* text, void* user) {
        auto* me = static_cast<ai_battle_t*>(user);
        me->log += text;
        static const std::wregex blank(L"\n *(\n|$)");
        const bool headless = text[0] == L'\n', has_blank = std::regex_search(text, blank);
        me->headless_blocks += headless;
        me->blank_blocks += has_blank;
        if ((headless || has_blank) && me->bad_block.empty()) me->bad_block = text;
    }

    // Premade characters at level lv, computer-controlled.
    void make_party(int lv) {
        std::vector<unit_t*> us;
        if (blds.empty()) {
            us = mk_default_pty_units();
        } else {
            for (int bld : blds) {
                us.push_back(new unit_t);
                us.back()->from_bld(bld, L"", L"", L"");
            }
        }
        while (us.size() > party_size) {
            delete us.back();
            us.pop_back();
        }
        for (unit_t* u : us) {
            lv_choices_t picks;
            while (u->base.lv < lv) lv_up_unit(*u, picks);
            u->reset_for_play();
            u->hp = u->drv.hp_max;
        }
        party->units = us;
    }

    // Everything from the seed: the map, the encounter, the battle. The party wins when the state is 2.
    // With every_unit_by_listener false only the party's orders come from the
    // listener; the engine asks the AI for the rest.
    int run(uint32_t seed, int lv, int diff, bool every_unit_by_listener = true) {
        rnd_srand(seed);
        make_party(lv);
        if (adjust_party)
            for (unit_t* u : party->units) adjust_party(u);
        gen_rnd_map(&map, ROLL_IT, ROLL_IT, ROLL_IT, ROLL_IT);
        enc = gen_enc(lv, 4, diff, 0);
        foes.reset(enc_to_grp(enc));
        log_set_sink(sink, this);
        begin_btl(party.get(), foes.get(), &map);
        set_cur_scene(&listener);  // the battle set-up starts from a fresh state
        for (unit_t* u : btl().full)
            if (every_unit_by_listener || u->btl.side == SIDE_PLAYER) u->btl.ai = 0;  // orders come from the listener
        run_btl();
        const int state = get_btl_state();
        end_hps.clear();
        for (const unit_t* u : btl().full) end_hps.push_back(u->hp);
        end_btl();
        log_flush();
        log_set_sink(nullptr, nullptr);
        set_cur_scene(nullptr);
        return state;
    }
};
