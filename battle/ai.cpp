#include "battle/ai.h"

#include <algorithm>

#include "app/geom.h"
#include "battle/act_ctx.h"
#include "battle/btl.h"
#include "battle/move_search.h"
#include "battle/rolls.h"
#include "battle/roster.h"
#include "battle/stat_act.h"
#include "battle/target_area.h"
#include "battle/tmap.h"
#include "battle/u_pos_guard.h"
#include "battle/unit_move.h"
#include "rules/cls_ids.h"
#include "rules/cond_ids.h"
#include "rules/enum_ids.h"
#include "rules/itm.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

const u_cmd_t NO_CMD{.pwr = 0, .param = 0, .tgt = {-1, -1}, .flags = 0};

void clear_slots(u_cmd_t* slots) { std::fill(slots, slots + 4, NO_CMD); }

void queue(unit_t* u, int pwr) { u->btl.cmds.push_back({.pwr = pwr, .param = 0, .tgt = u->pos, .flags = 0}); }

void set_cell_values(ai_plan_t& p, ai_cell_t& r) {
    r.v1 = cell_adj_value(p);
    r.v2 = cell_dist_value(p);
}

// The enemy of the highest weight above 0, the first of equals; null for none.
unit_t* heaviest_enemy(const ai_plan_t& p) {
    unit_t* best = nullptr;
    int64_t w = 0;
    for (unit_t* e : p.enemies) {
        const int64_t v = unit_threat_value(e);
        if (v > w) {
            w = v;
            best = e;
        }
    }
    return best;
}

}  // namespace

bool is_front_line_cls(int cls) {
    return cls == CLS_FIGHTER || cls == CLS_CLERIC || cls == CLS_WARRIOR || cls == CLS_PRIEST || cls == CLS_COMMONER ||
           cls == CLS_NO;
}

ai_plan_t::ai_plan_t(unit_t* u) : unit(u) {
    clear_slots(best);
    clear_slots(cand);
}

void ai_run(unit_t* u) {
    ai_plan_t p(u);
    ai_plan(p);
}

bool ai_plan(ai_plan_t& p) {
    unit_t* u = p.unit;
    const area_grid_cache_t cache;  // planning moves change no sight and no zone
    const u_pos_guard_t pos(u);
    if (u->conds.has(C_PRONE)) {
        // Held in a grapple it may not stand: asked again and again for a
        // refused order, the unit held the game for ever.
        queue(u, can_use_pwr(u, P_STAND_UP) ? P_STAND_UP : P_END_TURN);
    } else {
        p.front_line = is_front_line_cls(u->base.cls);
        p.acts = u->pwrs.get_act_list();
        if (!u->drv.no_abi[ABI_INT] && u->drv.abi[ABI_INT] > 2) p.acts.push_back(P_WAKE);
        const tmap_t* m = btl().map;
        p.cells.resize(m ? m->get_w() : 0, m ? m->get_h() : 0, ai_cell_t{});
        enemies_of(u, &p.enemies, 0);
        if (!ai_try_cells(p) && !ai_swap_wpn(p) && !ai_approach(p)) queue(u, P_END_TURN);
    }
    return !u->btl.cmds.empty();
}

bool ai_try_cells(ai_plan_t& p) {
    unit_t* u = p.unit;
    const u_pos_guard_t pos(u);
    std::vector<pt_t> cands{u->pos};
    if (can_use_pwr(u, P_MOVE)) {
        move_range_t range;
        get_move_range_ai(u, &range);
        cands.insert(cands.end(), range.stop_pts.begin(), range.stop_pts.end());
    }
    for (const pt_t& c : cands) {
        clear_slots(p.cand);
        ai_place_at(p, c);
        pos.restore();
    }
    if (p.best[1].pwr != 0) u->btl.cmds.push_back(p.best[1]);
    if (p.best[2].pwr != 0) u->btl.cmds.push_back(p.best[2]);
    return !u->btl.cmds.empty();
}

// ---- weapon sets ----

namespace {
// The hand items of set n: the hands for the active set, else the store that holds it.
const itm_slot_t* set_hands(const eqpts_t& e, int n) {
    if (n == e.cur_set) return e.slots;
    return e.sets[(n == 0 ? e.cur_set : n) - 1];
}

bool is_wpn_slot(const itm_slot_t& s) { return !s.empty() && get_itm(s.id).type == IT_WPN; }

bool hand_fights(const eqpts_t& e, const itm_slot_t& h) {
    return is_wpn_slot(h) && (!get_itm(h.id).wpn.ranged() || e.has_ammo_for(h));
}

// 0: set n has nothing to fight with; 1: only the unarmed strike; 2: a weapon.
int set_fight_kind(const eqpts_t& e, int n) {
    const itm_slot_t* h = set_hands(e, n);
    if (hand_fights(e, h[0]) || hand_fights(e, h[1])) return 2;
    // An off-hand weapon moves into an empty main hand: only a shield or nothing leaves it free.
    return h[0].empty() && !is_wpn_slot(h[1]) ? 1 : 0;
}

bool throws_from_quick(const eqpts_t& e) {
    for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i)
        if (e.slots[i].is_thrown()) return true;
    return false;
}
}  // namespace

bool ai_swap_wpn(ai_plan_t& p) {
    unit_t* u = p.unit;
    const eqpts_t& e = u->eqpts;
    if (e.cur_set < 0 || e.cur_set > 3) return false;  // a damaged record names no store to read
    if (set_fight_kind(e, e.cur_set) > 0 || throws_from_quick(e) || !can_use_pwr(u, P_SWAP_WPN)) return false;
    for (int want : {2, 1})
        for (int n = 0; n <= 3; ++n)
            if (n != e.cur_set && set_fight_kind(e, n) == want) {
                u->btl.cmds.push_back({.pwr = P_SWAP_WPN, .param = n, .tgt = u->pos, .flags = 0});
                return true;
            }
    return false;
}

// ---- candidate cells ----

void ai_place_at(ai_plan_t& p, const pt_t& c) {
    unit_t* u = p.unit;
    if (!p.cells.in(c.x, c.y)) return;  // a range never leaves the map; this guards a map-less test
    ai_cell_t& r = p.cells.at(c.x, c.y);
    r.move_provoke = 0;
    if (c != u->pos) {
        p.cand[1] = make_mov_cmd(u, c);
        if (!(p.cand[1].flags & UCMD_SHIFT)) r.move_provoke = aoo_threat_score(u);
        move_unit_to(u, c);
    }
    set_cell_values(p, r);
    ai_try_actions(p, r);
}

namespace {
int64_t ai_provoke(ai_plan_t& p, int pwr, int64_t& cell_aoo) {
    if (!pwr_provokes(p.unit, pwr)) return 0;
    if (cell_aoo == AI_UNSET) cell_aoo = aoo_threat_score(p.unit);  // at most once a cell
    return cell_aoo;
}

// The least score that ai_consider could still take from this cell.
int64_t ai_needed(const ai_plan_t& p, const ai_cell_t& r, int64_t provoke) {
    return p.best_score == AI_UNSET ? 1 : std::max<int64_t>(1, p.best_total + r.move_provoke + provoke);
}

// Every aim priced, as get_act_tgt_pts lists them; without a scorer, each
// measured in full.
void ai_try_every_aim(ai_plan_t& p, ai_cell_t& r, int pwr, aim_scorer_t* scorer, int64_t& cell_aoo) {
    if (!get_act_tgt_pts(p.unit, pwr, &p.tgts)) return;
    const int64_t provoke = ai_provoke(p, pwr, cell_aoo);
    for (const pt_t& t : p.tgts) {
        p.cand[2] = {.pwr = pwr, .param = 0, .tgt = t, .flags = 0};
        ai_consider(p, scorer ? scorer->score(t) : eval_aim(p.unit, p.cand[2]), provoke, r);
    }
}

// The same, leaving out the aims that cannot be taken. From one cell the aims
// of one power differ only in their scores, and a candidate is taken only
// when it scores and beats the best so far: after the first aimable aim,
// which prices the provoke as the plain search does, an aim is left out,
// untested and unpriced, when it surely scores 0 or below what could still be
// taken, or follows the first of a power that scores the same everywhere.
void ai_try_aims(ai_plan_t& p, ai_cell_t& r, int pwr, aim_scorer_t& scorer, int64_t& cell_aoo, aim_memo_t& memo) {
    const aim_cells_t cells(p.unit, pwr, &memo);
    bool first = true;
    int64_t provoke = 0;
    for (const pt_t& t : cells.reach()) {
        if (!first && (!scorer.may_score(t) || scorer.same_for_every_aim() ||
                       scorer.scores_below(t, ai_needed(p, r, provoke))))
            continue;
        if (!cells.aimable(t)) continue;
        if (first) provoke = ai_provoke(p, pwr, cell_aoo);
        first = false;
        p.cand[2] = {.pwr = pwr, .param = 0, .tgt = t, .flags = 0};
        ai_consider(p, scorer.score(t), provoke, r);
    }
}
}  // namespace

void ai_try_actions(ai_plan_t& p, ai_cell_t& r) {
    int64_t cell_aoo = AI_UNSET;
    aim_memo_t memo;
    for (int pwr : p.acts) {
        if (!can_use_pwr(p.unit, pwr)) continue;
        if (p.plain) {
            ai_try_every_aim(p, r, pwr, nullptr, cell_aoo);
            continue;
        }
        aim_scorer_t scorer(p.unit, pwr);
        if (scorer.foretells())
            ai_try_aims(p, r, pwr, scorer, cell_aoo, memo);
        else
            ai_try_every_aim(p, r, pwr, &scorer, cell_aoo);
    }
}

void ai_consider(ai_plan_t& p, int64_t s, int64_t a, const ai_cell_t& r) {
    // An aim that does nothing is no action, however much the best so far
    // costs: a blow at the air would beat one that provokes, for ever.
    if (s < 1) return;
    const int64_t total = s - r.move_provoke - a;
    const bool take = p.best_score == AI_UNSET || total > p.best_total ||
                      (total == p.best_total && r.v1 > p.best_v1) ||
                      (total == p.best_total && r.v1 == p.best_v1 && r.v2 > p.best_v2);
    if (!take) return;
    p.best_score = s;
    p.best_total = total;
    p.best_v1 = r.v1;
    p.best_v2 = r.v2;
    p.best_move_provoke = r.move_provoke;
    std::copy(p.cand, p.cand + 4, p.best);
}

bool ai_approach(ai_plan_t& p) {
    unit_t* u = p.unit;
    if (!can_use_pwr(u, P_MOVE)) return false;
    get_move_range(u, &p.range);
    const std::vector<pt_t>& stops = p.range.stop_pts;
    if (stops.empty()) return false;
    const unit_t* t = heaviest_enemy(p);
    if (!t) return false;
    std::vector<pt_t> path;
    pt_t to{-1, -1};
    if (find_unit_path_in(u, t->pos, &stops, &path)) to = last_reachable_on_path(path, stops);
    if (to.x < 0) to = nearest_pt(stops, t->pos);
    u->btl.cmds.push_back(make_mov_cmd(u, to));
    return true;
}

int64_t cell_adj_value(const ai_plan_t& p) {
    const unit_t* u = p.unit;
    int64_t v = 0;
    for (const unit_t* e : p.enemies) {
        if (!units_adjacent(u, e) || is_front_line_cls(e->base.cls) == p.front_line) continue;
        v += p.front_line ? unit_threat_value(e) : -unit_threat_value(u);
    }
    return v;
}

int64_t cell_dist_value(const ai_plan_t& p) {
    const unit_t* u = p.unit;
    int64_t v = 0;
    for (const unit_t* e : p.enemies) {
        const int64_t dx = e->pos.x - u->pos.x, dy = e->pos.y - u->pos.y;
        v += unit_threat_value(e) * (dx * dx + dy * dy);
    }
    return p.front_line ? -v : v;
}

pt_t last_reachable_on_path(const std::vector<pt_t>& path, const std::vector<pt_t>& cells) {
    for (auto it = path.rbegin(); it != path.rend(); ++it)
        if (contains(cells, *it)) return *it;
    return {-1, -1};
}
