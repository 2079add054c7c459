#include "battle/dflt_act.h"

#include <algorithm>

#include "app/sentinels.h"
#include "battle/act_ctx.h"
#include "battle/fog.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/stat_act.h"
#include "battle/target_area.h"
#include "battle/u_pos_guard.h"
#include "battle/unit_move.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

const int dflt_act_pwrs[DFLT_ACTS] = {P_ATK_M, P_ATK_R, P_HEAL};

namespace {
constexpr int64_t no_score = -UNLIMITED;
}  // namespace

bool may_attack(const unit_t* u, const unit_t* t) {
    return u && t && t->btl.side != u->btl.side && u->btl.side != SIDE_NONE;
}

void dflt_act_cells(unit_t* u, int pwr, std::vector<pt_t>* out) {
    out->clear();
    // The basic actions 1..15 belong to everybody; others only to who learnt them.
    if (!u || !can_use_pwr(u, pwr) || (pwr > P_END_TURN && !u->has_pwr(pwr))) return;
    std::vector<pt_t> tgts;
    get_act_tgt_pts(u, pwr, &tgts);
    for (const pt_t& c : tgts) {
        const unit_t* t = is_pt_visible_for(c, u) ? get_unit_at(c) : nullptr;
        if (!t) continue;
        const bool ally = t->btl.side == u->btl.side;
        const bool fits = pwr == P_HEAL ? ally && t->hp < t->drv.hp_max && t->is_living() : may_attack(u, t);
        if (fits) out->push_back(c);
    }
}

bool find_atk_cell(unit_t* u, int pwr, const pt_t& tgt, const move_range_t& mr, pt_t* out) {
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(pwr));
    if (!a) return false;
    const int r = act_range(a, u);
    std::vector<pt_t> square;
    for (int dx = -r; dx <= r; ++dx)
        for (int dy = -r; dy <= r; ++dy)
            if (dx != 0 || dy != 0) square.push_back({tgt.x + dx, tgt.y + dy});
    std::vector<pt_t> stops = mr.stop_pts;
    std::sort(square.begin(), square.end());
    std::sort(stops.begin(), stops.end());
    std::vector<pt_t> cands;
    std::set_intersection(square.begin(), square.end(), stops.begin(), stops.end(), std::back_inserter(cands));
    int64_t best = no_score;
    std::vector<pt_t> bests;
    const u_cmd_t atk{pwr, 0, tgt, 0};
    {
        const u_pos_guard_t pos(u);
        for (const pt_t& c : cands) {
            move_unit_to(u, c);
            std::vector<pt_t> tgts;
            int64_t score = 0;
            if (get_act_tgt_pts(u, pwr, &tgts) && contains(tgts, tgt) && eval_act(u, atk, &score)) {
                if (score > best) {
                    best = score;
                    bests.assign(1, c);
                } else if (score == best) {
                    bests.push_back(c);
                }
            }
            pos.restore();
        }
    }
    if (bests.empty()) return false;
    prep_unit_paths(u, SF_WALK);
    return nearest_by_path(u, bests, out);
}

bool plan_dflt_atk(unit_t* u, const unit_t* t, const move_range_t& mr, atk_plan_t* out) {
    if (!may_attack(u, t)) return false;
    const int pwr = u->dflt_atk_pwr();
    if (!can_use_pwr(u, pwr)) return false;
    std::vector<pt_t> tgts;
    get_act_tgt_pts(u, pwr, &tgts);
    atk_plan_t p;
    p.from = u->pos;
    if (!contains(tgts, t->pos)) {
        if (!find_atk_cell(u, pwr, t->pos, mr, &p.from)) return false;
        p.move = make_mov_cmd(u, p.from);
        // Only a whole turn has the move and the attack both.
        if (!(p.move.flags & UCMD_SHIFT) && u->btl.act_budget < BUDGET_WHOLE) return false;
    }
    p.atk = {pwr, 0, t->pos, 0};
    *out = p;
    return true;
}
