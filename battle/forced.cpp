#include "battle/forced.h"

#include <algorithm>

#include "app/geom.h"
#include "app/rnd.h"
#include "battle/act_ctx.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/target_area.h"
#include "battle/u_pos_guard.h"
#include "battle/unit_move.h"
#include "rules/cond_ids.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

void queue_move(unit_t* u, const pt_t& to) { u->btl.cmds.push_back(make_mov_cmd(u, to)); }

// The cell the rampaging unit can strike t from, or (-1, -1).
pt_t strike_cell(unit_t* u, int atk, const unit_t* t) {
    std::vector<pt_t> cands;
    move_range_t range;
    if (can_use_pwr(u, P_MOVE)) {
        get_move_range_ai(u, &range);
        cands = range.stop_pts;
    }
    cands.insert(cands.begin(), u->pos);
    shuffle_pts(cands);
    const u_pos_guard_t pos(u);
    pt_t best{-1, -1};
    std::vector<pt_t> tgts;
    for (const pt_t& x : cands) {
        if (x != u->pos) move_unit_to(u, x);
        tgts.clear();
        if (get_act_tgt_pts(u, atk, &tgts) && std::find(tgts.begin(), tgts.end(), t->pos) != tgts.end()) {
            best = x;
            break;
        }
        pos.restore();
    }
    return best;
}

}  // namespace

void shuffle_pts(std::vector<pt_t>& pts) { rnd_shuffle(pts); }

void forced_behaviour(unit_t* u) {
    if (u->conds.has(C_POLYM))
        wander(u);
    else if (u->conds.has(C_TURN))
        flee(u, C_TURN);
    else if (u->conds.has(C_FEAR))
        flee(u, C_FEAR);
    else if (u->conds.has(C_MAD))
        rampage(u, 0);
    else if (u->conds.has(C_CHARM))
        rampage(u, RW_ALLIES);
    if (u->btl.cmds.empty()) u->btl.cmds.push_back({.pwr = P_END_TURN, .param = 0, .tgt = u->pos, .flags = 0});
}

void wander(unit_t* u) {
    if (!can_use_pwr(u, P_MOVE)) return;
    move_range_t range;
    get_move_range(u, &range);
    const std::vector<pt_t>& pts = range.stop_pts;
    if (pts.empty()) return;
    queue_move(u, pts.size() >= 2 ? pts[rnd_rand() % int(pts.size())] : pts[0]);
}

void flee(unit_t* u, int cond) {
    if (!can_use_pwr(u, P_MOVE)) return;
    const auto it = u->conds.find(cond);
    // A fear whose giver has left the battle has nothing to flee from.
    if (it == u->conds.map.end() || !it->second.src) return;
    move_range_t range;
    get_move_range(u, &range);
    if (range.stop_pts.empty()) return;
    pt_t to;
    if (farthest_pt_if(range.stop_pts, it->second.src->pos, &to, [](const pt_t&) { return true; }))
        queue_move(u, to);
}

void rampage(unit_t* u, int flags) {
    const int atk = u->dflt_atk_pwr();
    if (!can_use_pwr(u, atk)) {
        wander(u);
        return;
    }
    const unit_t* t = nearest_unit(u, flags);
    if (!t) return;
    const pt_t best = strike_cell(u, atk, t);
    if (best.x < 0) return;
    if (best != u->pos) queue_move(u, best);
    u->btl.cmds.push_back({.pwr = atk, .param = 0, .tgt = t->pos, .flags = 0});
}
