#include "battle/act_ctx.h"

#include "battle/rolls.h"
#include "battle/roster.h"
#include "battle/turn.h"
#include "rules/pwr.h"
#include "rules/unit.h"

namespace {
// Recharge state in the battle engine's words of the battle-state block:
// eng[0], eng[1] rounds since use, eng[2], eng[3] rounds to wait.
constexpr int CD_PAIRS = 2;
constexpr int CD_FRESH = 10;
}  // namespace

int act_cost(const unit_t* u, int pwr) {
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(pwr));
    if (!a) return 1;
    if (pwr == 10 && u->has_pwr(17)) return 1;  // "quick_draw"
    return a->cost;
}

void reset_cooldowns(unit_t* u) {
    for (int i = 0; i < CD_PAIRS; ++i) u->btl.eng[i] = CD_FRESH, u->btl.eng[CD_PAIRS + i] = 0;
}

void tick_cooldowns(unit_t* u) {
    for (int i = 0; i < CD_PAIRS; ++i) {
        ++u->btl.eng[i];
        if (u->btl.eng[CD_PAIRS + i] > 0) --u->btl.eng[CD_PAIRS + i];
    }
}

std::vector<unit_t*> threatening_units(const unit_t* victim, const unit_t* exclude) {
    std::vector<unit_t*> out;
    for (unit_t* v : adjacent_enemies(victim, RW_NO_HELPLESS))
        if (v != exclude && v->btl.free_cmds < v->drv.aoo && v->dflt_atk_pwr() == 2 && v->conds.threatens())
            out.push_back(v);
    return out;
}

bool is_threatened(const unit_t* u) { return !threatening_units(u, nullptr).empty(); }

void provoke_aoos(unit_t* victim, const unit_t* exclude, int flags) {
    for (unit_t* v : threatening_units(victim, exclude)) {
        if (victim->hp <= 0) return;
        if (v->hp <= 0) continue;
        u_cmd_t cmd{.pwr = 2, .param = 0, .tgt = victim->pos, .flags = flags | 1};
        perform_cmd(v, &cmd);
    }
}

// Whether the unit may use the power now. TODO: cooldowns, the roster checks of "wake", "wait", "resurrect" and "mk_ud", the shield of
// "shd_bash" and the ready weapon of attacks come with the action contexts.
bool unit_t::can_use_pwr(int id) const {
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(id));
    if (!a) return false;  // a passive power is never used
    if (a->school != 0 && drv.abi[cast_abi()] < 10 + a->lv) return false;
    if (pwr_uses_left(this, id) < 1) return false;
    if (btl.act_budget < a->cost || !conds.can_act()) return false;
    if (conds.has(16) && id != 15) return false;
    if (conds.has(15) && id != 15 && id != 9) return false;
    if (a->rng == 0 && a->dmg.empty() && a->cond != 0) return a->cond > 0 ? !conds.has(a->cond) : conds.has(-a->cond);
    if (id == 1) return !(btl.turn_flags & 1) && conds.can_move();
    return true;
}
