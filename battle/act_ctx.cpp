#include "rules/pwr.h"
#include "rules/unit.h"

// Whether the unit may use the power now. TODO: cooldowns, uses per battle, the
// roster checks of "wake", "wait", "resurrect" and "mk_ud", the shield of
// "shd_bash" and the ready weapon of attacks come with the action contexts.
bool unit_t::can_use_pwr(int id) const {
    const act_t* a = dynamic_cast<const act_t*>(get_pwr(id));
    if (!a) return false;  // a passive power is never used
    if (a->school != 0 && drv.abi[cast_abi()] < 10 + a->lv) return false;
    if (btl.act_budget < a->cost || !conds.can_act()) return false;
    if (conds.has(16) && id != 15) return false;
    if (conds.has(15) && id != 15 && id != 9) return false;
    if (a->rng == 0 && a->dmg.empty() && a->cond != 0) return a->cond > 0 ? !conds.has(a->cond) : conds.has(-a->cond);
    if (id == 1) return !(btl.turn_flags & 1) && conds.can_move();
    return true;
}
