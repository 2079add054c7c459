#include "battle/special.h"

// Sections: target values; forced movement; dispel, teleport, resurrect;
// the outcome by target kind; tooltip texts.

#include <algorithm>

#include "app/rnd.h"
#include "app/sentinels.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/damage.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/move_search.h"
#include "battle/roster.h"
#include "battle/summon.h"
#include "battle/target_area.h"
#include "battle/turn.h"
#include "battle/unit_move.h"
#include "battle/zone.h"
#include "rules/cond_ids.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {
const act_t* as_act(int pwr) { return dynamic_cast<const act_t*>(get_pwr(pwr)); }

constexpr int dispellable[4] = {C_CHARM, C_STONE, C_SLEEP, C_POLYM};

bool is_spell(int pwr) { return pwr >= P_SPELL_FIRST && pwr <= P_SPELL_LAST; }

bool carries_fire(const act_t* a) {
    return a && std::any_of(a->dmg.begin(), a->dmg.end(),
                            [](const dmg_part_t& p) { return (p.mask & dmg_bit(DMG_FIRE)) != 0; });
}

int sgn(int v) { return (v > 0) - (v < 0); }

void blocked() { log_cur_buf()->append(L"被阻挡。"); }
}  // namespace

// ---- target values ----

int fallen_tgt_value(int pwr, const unit_t* actor, const unit_t* u) {
    // Only the actor's own side (or SIDE_NONE) may be brought back: an enemy
    // caster must not revive the player's fallen.
    if (pwr == P_RESURRECT && u->is_living() && (u->btl.side == actor->btl.side || u->btl.side == SIDE_NONE))
        return AUTO_HIT;
    if (pwr == P_MK_UD && u->is_living()) return AUTO_HIT;
    return NO_TARGET;
}

int zone_tgt_value(const unit_t*, int pwr, const atk_rec_t*, const zone_t* z) {
    if (pwr == P_DISPEL) return AUTO_HIT;
    const act_t* a = as_act(pwr);
    if (is_spell(pwr) && carries_fire(a) && is_burnable_pwr(z->pwr)) return AUTO_HIT;
    if (is_web_pwr(z->pwr)) return a && a->atk == ATK_MELEE ? AUTO_HIT : NO_TARGET;
    return NO_TARGET;
}

int ground_value(int pwr, const pt_t&) {
    return pwr == P_SUM || pwr == P_TELEPORT || pwr == P_SUM_SPIDERS ? AUTO_HIT : NO_TARGET;
}

bool unit_special_value(int pwr, const unit_t* actor, const unit_t* u, int* out) {
    if (pwr == P_DISPEL) {
        const unit_t* src = nullptr;
        int v = 0;
        if (u->creator) {
            src = u->creator, v = u->sum_atk;
        } else {
            const cond_inst_t* ci = nullptr;
            for (int id : dispellable)
                if (u->conds.has(id)) {
                    ci = &u->conds.find(id)->second;
                    break;
                }
            if (!ci) return *out = NO_TARGET, true;
            src = ci->src, v = ci->dc;
        }
        *out = src == actor ? AUTO_HIT : v + 10;
        return true;
    }
    if (pwr == P_TURN) {
        if (u->imm_cond(C_TURN)) return *out = NO_TARGET, true;
        const act_t* a = as_act(P_TURN);
        int v = u->get_def(a ? a->def : 0);
        if (u->has_pwr(P_TR10)) v += 10;
        else if (u->has_pwr(P_TR5)) v += 5;
        else if (u->has_pwr(P_TR2)) v += 2;
        *out = v;
        return true;
    }
    return false;
}

// ---- forced movement ----

bool do_ram(unit_t* actor, unit_t* tgt) {
    const pt_t to{tgt->pos.x + sgn(tgt->pos.x - actor->pos.x), tgt->pos.y + sgn(tgt->pos.y - actor->pos.y)};
    if (!can_push_step(tgt, tgt->pos, to)) return blocked(), false;
    slide_unit(tgt, to);
    return true;
}

bool do_drag(unit_t* actor, unit_t* tgt) {
    const pt_t old = actor->pos;
    const pt_t to{old.x + sgn(old.x - tgt->pos.x), old.y + sgn(old.y - tgt->pos.y)};
    // The follower's step is checked on the ground only: the actor still stands there.
    if (!can_push_step(actor, old, to) || !can_step(tgt->pos, old)) return blocked(), false;
    slide_unit(actor, to);
    slide_unit(tgt, old);
    return true;
}

bool do_overrun(unit_t* actor, unit_t* tgt) {
    const pt_t to{tgt->pos.x + sgn(tgt->pos.x - actor->pos.x), tgt->pos.y + sgn(tgt->pos.y - actor->pos.y)};
    if (!can_push_step(actor, tgt->pos, to)) return blocked(), false;
    // Set down beyond the target rather than slid through its cell: a slide
    // stopped there (a web on the cell) would leave two units on one cell.
    place_unit(actor, to);
    return true;
}

// ---- dispel, teleport, resurrect ----

void banish(unit_t*, unit_t* tgt) {
    if (!tgt->creator) {
        for (int id : dispellable)
            if (tgt->conds.has(id)) {
                tgt->conds.remove(id);
                return;
            }
        return;
    }
    set_unit_hp(tgt, 0, nullptr);
    log_cur_buf()->append(L"被驱逐。");
    unit_float_text(L"被驱逐", tgt, FLOAT_SPECIAL);
}

void teleport_unit(unit_t* tgt) {
    std::vector<pt_t> free;
    for_each_cell_in_range(tgt->pos, 3, true, collect_free_cells(&free));
    if (free.empty()) return;
    const pt_t to = free.size() >= 2 ? free[size_t(rnd_rand()) % free.size()] : free[0];
    place_unit(tgt, to);
    log_cur_buf()->append(L"传送成功。");
}

bool resurrect(unit_t* actor, unit_t* tgt) {
    const pt_t cell = nearest_free_cell(tgt->pos);
    if (cell.x < 0) {
        log_cur_buf()->append(L"<c=r>复活失败！</c>");
        return false;
    }
    log_cur_buf()->append(L"被复活。");
    tgt->pos = cell;
    set_unit_hp(tgt, UNLIMITED, actor);  // to its full hit points
    tgt->turn_reset();
    tgt->run_dir = -1;
    tgt->conds.clear();
    update_view(tgt, true, true, false);
    cur_scene()->on_roster_changed();
    return true;
}

// ---- the outcome by target kind ----

namespace {
bool on_unit(int pwr, unit_t* actor, unit_t* tgt) {
    switch (pwr) {
    case P_RAM: do_ram(actor, tgt); return true;
    case P_DRAG: do_drag(actor, tgt); return true;
    case P_OVERRUN: do_overrun(actor, tgt); return true;
    case P_DISPEL: banish(actor, tgt); return true;
    case P_TELEPORT: teleport_unit(tgt); return true;
    default: return false;
    }
}

bool on_zone(int pwr, act_tgt_t& t) {
    const act_t* a = as_act(pwr);
    zone_t* z = t.zone;
    if (pwr == P_DISPEL || (is_web_pwr(z->pwr) && a && a->atk == ATK_MELEE && !(is_spell(pwr) && carries_fire(a)))) {
        log_cur_buf()->append(L"被清除。");
        remove_zone_cell(z, t.pt);
        return true;
    }
    if (is_spell(pwr) && carries_fire(a) && is_burnable_pwr(z->pwr)) {
        log_cur_buf()->append(L"被引燃。");
        ignite(t.pt);
        return true;
    }
    return false;
}
}  // namespace

bool special_outcome(int pwr, atk_rec_t&, unit_t* actor, act_tgt_t& t) {
    switch (t.kind) {
    case TGT_UNIT: return on_unit(pwr, actor, t.unit);
    case TGT_FALLEN:
        if (pwr == P_RESURRECT) return resurrect(actor, t.unit), true;
        if (pwr == P_MK_UD) return raise_fallen(actor, t.unit), true;
        return false;
    case TGT_ZONE: return on_zone(pwr, t);
    case TGT_CELL:
        if (pwr == P_SUM || pwr == P_SUM_SPIDERS) return summon(actor, pwr, t.pt), true;
        if (pwr == P_TELEPORT && is_free_cell(t.pt)) {
            place_unit(actor, t.pt);
            log_cur_buf()->append(L"传送成功。");
        }
        return pwr == P_TELEPORT;
    default: return false;
    }
}

// ---- tooltip texts ----

Str special_result_text(int pwr, int kind, const unit_t*, const unit_t* u, const zone_t* z) {
    if (pwr == P_TELEPORT) return Str(L"传送");
    const act_t* a = as_act(pwr);
    switch (kind) {
    case TGT_FALLEN:
        if (pwr == P_RESURRECT) return Str(L"复活: %s", unit_disp_name(u));
        if (pwr == P_MK_UD) return Str(L"转化为不死生物");
        break;
    case TGT_ZONE:
        if (pwr == P_DISPEL) return Str(L"清除");
        if (z && is_spell(pwr) && carries_fire(a) && is_burnable_pwr(z->pwr)) return Str(L"引燃");
        if (z && a && a->atk == ATK_MELEE && is_web_pwr(z->pwr)) return Str(L"清除蛛网");
        break;
    case TGT_CELL:
        if (pwr == P_SUM || pwr == P_SUM_SPIDERS) return Str(L"召唤");
        break;
    default: break;
    }
    return Str();
}
