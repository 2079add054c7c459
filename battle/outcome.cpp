// What one attack does to one target: immunity, the roll, the special outcome,
// damage and its halving, conditions and effects, the cure by healing, rend;
// and the after-effects that look back at the targets: reflected damage and
// counterattacks.
#include <cmath>

#include "app/str.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/damage.h"
#include "battle/listener.h"
#include "battle/rolls.h"
#include "battle/roster.h"
#include "battle/special.h"
#include "battle/turn.h"
#include "battle/zone.h"
#include "rules/cond_ids.h"
#include "rules/dice.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/ie_eff.h"
#include "rules/itm.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {
// A power whose own dice are its damage deals half of it on a miss; weapon damage never does.
bool half_on_miss(const act_t* a) { return a->id == P_ATK_M_DMG3 || (!a->dmg.empty() && a->dmg[0].count != DMG_WPN); }

int roll_flags_for(const act_t* a, const unit_t* actor, const unit_t* tgt) {
    int f = 0;
    if (a->is_harmless_to(actor, tgt) || !tgt->has_trait(TRAIT_IMM_CRIT)) f = ATK_CRIT;
    if (half_on_miss(a)) f |= ATK_MISS_DMG;
    return f;
}

bool zone_pwr_immune(int pwr, const unit_t* u) {
    zone_t z;
    z.pwr = pwr;
    return !zone_affects(z, u);
}

// A heavy weapon held in both hands: a weapon, not one-handed, not ranged.
bool two_hand_heavy(const unit_t* u) {
    const itm_slot_t& m = u->eqpts.slots[EQ_MAIN];
    if (m.empty() || !u->eqpts.slots[EQ_OFF].empty()) return false;
    const itm_t& it = get_itm(m.id);
    return it.type == IT_WPN && it.wpn.hands != HANDS_ONE && !it.wpn.ranged();
}

void new_line() { log_cur_buf()->append(L"\n    "); }
}  // namespace

void do_act_t::resolve_unit(atk_rec_t& rec, act_tgt_t& t) {
    unit_t* tgt = t.unit;
    log_cur_buf()->append_format(L"%s: ", unit_disp_name(tgt));
    if (zone_pwr_immune(act->id, tgt)) {
        show_immune(tgt);
        return;
    }
    const int res = roll_atk(rec.atk, t.value, roll_flags_for(act, actor, tgt), rec.crit_rng);
    const bool hit = res & ATK_HIT;
    if (hit) {
        last_hit = tgt;
        const bool was_prone = tgt->conds.is_prone();
        const bool was_alive = tgt->hp >= 1;
        special_outcome(act->id, rec, actor, t);
        deal_dmg(rec, res, tgt);
        cure_cond(rec, tgt);
        if (!was_prone && tgt->conds.is_prone()) flags |= AF_PRONE;
        if (was_alive && tgt->hp < 1) flags |= AF_FELL;
        rend(tgt);
        tgt->conds.check_grapple();
    } else {
        cur_scene()->on_miss(tgt);
    }
    note_result(tgt, hit);
}

void do_act_t::resolve_other(atk_rec_t& rec, act_tgt_t& t) {
    if (t.kind == TGT_ZONE) log_cur_buf()->append_format(L"<c=y>%s</c> 区域: ", pwr_name(t.zone->pwr));
    if (t.kind == TGT_FALLEN) log_cur_buf()->append_format(L"%s: ", unit_disp_name(t.unit));
    const int res = roll_atk(rec.atk, t.value, 0, rec.crit_rng);
    if (res & ATK_HIT) special_outcome(act->id, rec, actor, t);
}

void do_act_t::deal_dmg(atk_rec_t& rec, int res, unit_t* tgt) {
    if (rec.wpn) itm_kill_on_hit(*rec.wpn, actor, tgt);
    if (tgt->hp >= 1) roll_dmg(rec, res, tgt);
    if (rec.wpn) itm_vampire_on_hit(*rec.wpn, actor, tgt);
    if (tgt->hp < 1 || (res & ATK_MISS_DMG)) return;
    hit_conds(rec, res, tgt);
    for (const int_pair_t& e : (res & ATK_CRIT) ? rec.crit_effs : rec.effs) {
        if (tgt->hp < 1) break;
        try_apply_eff(e, actor, tgt);
    }
}

void do_act_t::roll_dmg(atk_rec_t& rec, int res, unit_t* tgt) {
    if (act->dmg.empty()) return;
    const dmg_list_t& list = (res & ATK_CRIT) ? rec.crit_dmg : rec.dmg;
    if (list.empty()) return;
    dmg_res_t r;
    ::roll_dmg(r, list, tgt);
    r.crit = res & ATK_CRIT;
    if (res & ATK_MISS_DMG) {
        if (list[0].count == DMG_PCT)
            r.amount =
                unit_tier(actor) * std::max(1, roll_dice(2, 6)) + actor->drv.abi_mod[ABI_WIS] + act->lv_bonus(actor);
        else
            halve_dmg(&r.amount);
    }
    if (actor->conds.is_weak()) halve_dmg(&r.amount);
    if (chained) halve_dmg(&r.amount);
    apply_dmg(tgt, &r);
}

void do_act_t::hit_conds(atk_rec_t& rec, int res, unit_t* tgt) {
    std::vector<cond_inst_t> list = (res & ATK_CRIT) ? rec.crit_conds : rec.conds;
    if (act->atk == ATK_MELEE && two_hand_heavy(actor) && !tgt->conds.is_prone()) {
        const int chance = actor->has_pwr(P_TH_KO1) ? 50 : actor->has_pwr(P_TH_KO) ? 25 : 0;
        if (roll_pct(chance, L"触发击倒检定", L"<c=a>未触发击倒检定</c>")) {
            cond_inst_t ci;
            list.push_back(make_cond_inst(ci, C_PRONE, actor, actor->get_atk(ATK_CM), 0, 0));
        }
    }
    for (const cond_inst_t& ci : list) apply_cond(ci, tgt);
}

void cure_cond(const atk_rec_t& rec, unit_t* tgt) {
    if (rec.dmg.empty() || !(rec.dmg[0].mask & dmg_bit(DMG_PE)) || !tgt->is_living()) return;
    for (int id : {C_MAD, C_STUN, C_FEAR, C_TOX, C_BLEED, C_WEAK, C_SLOW}) {
        const auto it = tgt->conds.find(id);
        if (it == tgt->conds.map.end()) continue;
        if (roll_unit_check(L"治愈", tgt, rec.atk, it->second.dc + 10)) tgt->conds.remove(id);
        return;
    }
}

void do_act_t::rend(unit_t* tgt) {
    if (act->atk != ATK_MELEE) return;
    const int t = unit_tier(actor);
    const int p = count_allies_adj_with(actor, tgt, P_REND_CO);
    int dice = 0;
    if (p < 1) {
        const bool can_rend = actor->has_pwr(P_TW_REND) || actor->has_pwr(P_REND);
        if (actor->eqpts.atk_slots(ATK_MELEE).slots.size() < 2 || !can_rend) return;
        if (rend_marks.insert(tgt).second) return;  // the first hit of a pair
        rend_marks.clear();
        dice = actor->has_pwr(P_TW_REND) ? roll_dice(t, 10) : roll_dice(2 * t, 6);
    } else {
        dice = roll_dice(2 * t, 6);
    }
    dmg_res_t r;
    r.amount = int(actor->drv.abi_mod[ABI_STR] * 1.5 + dice);
    log_cur_buf()->append(L"撕裂: ");
    apply_dmg(tgt, &r);
}

void do_act_t::reflect_dmg() {
    for (const result_t& e : results) {
        if (actor->hp < 1) return;
        if (e.hits <= 0) continue;
        const int vals[2] = {e.unit->drv.bounce_p, e.unit->drv.bounce_f};
        for (int k = 0; k < 2 && actor->hp >= 1; ++k) {
            if (vals[k] == 0) continue;
            new_line();
            log_cur_buf()->append_format(L"%s: ", unit_disp_name(actor));
            dmg_part_t p;
            if (k == 0) mk_pierce_dmg(p, vals[k]);
            else mk_fire_dmg(p, vals[k]);
            roll_apply_dmg(actor, {p});
            log_cur_buf()->append(L"<c=a>反弹伤害。</c>");
        }
    }
}

void do_act_t::counterattack() {
    for (const result_t& e : results) {
        if (actor->hp < 1) return;
        unit_t* u = e.unit;
        if (e.hits != 0 || u->drv.ctr_atk <= 0) continue;
        if (u->btl.free_cmds >= u->drv.aoo || u->dflt_atk_pwr() != P_ATK_M || !u->conds.threatens()) continue;
        new_line();
        if (!roll_pct(u->drv.ctr_atk, L"触发反击", L"<c=a>未触发反击</c>")) continue;
        unit_float_text(L"反击", u, FLOAT_NOTE);
        do_aoo(u, actor, 0);
    }
}
