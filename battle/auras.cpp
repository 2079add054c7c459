#include "battle/auras.h"

#include <algorithm>
#include <cstdlib>
#include <vector>

#include "app/geom.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/damage.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/rolls.h"
#include "battle/turn.h"
#include "rules/brk_line.h"
#include "rules/cond.h"
#include "rules/cond_ids.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {
constexpr int AURA_FIRST = P_AURA5_ATK2;
constexpr int AURA_LAST = P_AURA5_FEAR;

int aura_radius(int id) { return id == P_AURA1_FIRE5 || id == P_AURA1_TOXIC5 ? 1 : 3; }

// Step 2 of the recomputation: S's aura id reaching V.
void add_candidate(std::vector<u_aura_t>& list, int id, unit_t* s) {
    for (u_aura_t& a : list)
        if (a.pwr == id) {
            if (s->base.lv > a.src->base.lv) a.src = s;
            return;
        }
    list.push_back({id, s});
}

bool same_list(const std::vector<u_aura_t>& a, const std::vector<u_aura_t>& b) {
    if (a.size() != b.size()) return false;
    for (size_t i = 0; i < a.size(); ++i)
        if (a[i].pwr != b[i].pwr || a[i].src != b[i].src) return false;
    return true;
}

}  // namespace

void log_takes_effect(int pwr) {
    const Pwr* p = get_pwr(pwr);
    log_cur_buf()->append_format(L"<c=y>%s</c> %s: ", or_empty(p ? p->n : nullptr), L"生效");
}

void update_auras() {
    const std::vector<unit_t*> roster = btl_roster();
    std::vector<std::vector<u_aura_t>> cand(roster.size());
    for (unit_t* s : roster)
        for (int id = AURA_FIRST; id <= AURA_LAST; ++id) {
            if (!s->has_pwr(id)) continue;
            for (size_t i = 0; i < roster.size(); ++i) {
                unit_t* v = roster[i];
                if (is_ally_aura(id) != (v->btl.side == s->btl.side)) continue;
                if (cheb_dist(s->pos, v->pos) > aura_radius(id)) continue;
                add_candidate(cand[i], id, s);
            }
        }
    // A candidate list holds one pair per aura id already, so no pair repeats.
    for (size_t i = 0; i < roster.size(); ++i) {
        if (same_list(cand[i], roster[i]->btl.auras)) continue;
        roster[i]->btl.auras = cand[i];
        roster[i]->recalc();
    }
}

bool get_unit_aura(const unit_t* u, aura_shape_t* out) {
    for (int id = AURA_FIRST; id <= AURA_LAST; ++id)
        if (u->has_pwr(id)) {
            *out = {aura_radius(id), is_ally_aura(id)};
            return true;
        }
    return false;
}

bool is_ally_aura(int pwr) { return pwr >= P_AURA5_ATK2 && pwr <= P_AURA5_HEAL5; }

void apply_aura_bonuses(unit_t* u) {
    for (const u_aura_t& a : u->btl.auras) {
        if (a.pwr == P_AURA5_ATK2) {
            u->drv.atk += 2;
            brk_line(*u->text_ptrs[BT_ATK], 2, pwr_name(P_AURA5_ATK2));
        } else if (a.pwr == P_AURA5_DMG2 && a.src) {
            const int v = 2 + 2 * (a.src->base.lv / 5);
            u->drv.dmg += v;
            brk_line(*u->text_ptrs[BT_DMG], v, pwr_name(P_AURA5_DMG2));
        }
    }
}

void aura_turn_effects(unit_t* u) {
    // A copy: the damage may end u and change its list.
    const std::vector<u_aura_t> auras = u->btl.auras;
    for (const u_aura_t& a : auras) {
        if (u->hp < 1) return;  // the first aura may have ended u
        if (!a.src) continue;
        const int lv5 = a.src->base.lv / 5;
        if (a.pwr == P_AURA1_FIRE5 || a.pwr == P_AURA1_TOXIC5) {
            log_takes_effect(a.pwr);
            deal_flat_dmg(u, 5 * (lv5 + 1), a.pwr == P_AURA1_FIRE5 ? dmg_bit(DMG_FIRE) : dmg_bit(DMG_TOX));
        } else if (a.pwr == P_AURA5_HEAL5 && u->hp < u->drv.hp_max) {
            log_takes_effect(a.pwr);
            heal_unit(u, 5 + 5 * lv5);
        } else if (a.pwr == P_AURA5_FEAR) {
            log_takes_effect(a.pwr);
            cond_inst_t ci;
            apply_cond(make_cond_inst(ci, C_FEAR, a.src, a.src->get_atk(ATK_SPL), 0, 0), u);
        }
    }
}

void on_death_trigger(unit_t* u) {
    if (!u->has_pwr(P_DEAD_TOX)) return;
    log_takes_effect(P_DEAD_TOX);
    log_indent();
    for (unit_t* v : adjacent_units(u, 0)) {
        log_cur_buf()->append_format(L"%s: ", unit_disp_name(v));
        cond_inst_t ci;
        apply_cond(make_cond_inst(ci, C_TOX, u, u->base.lv / 2 + 5, 0, 0), v);
    }
    log_unindent();
}

void turn_start_trigger(unit_t* u) {
    if (!u->has_pwr(P_PACK_SHOCK)) return;
    const std::vector<unit_t*> chain = pwr_chain(u, P_PACK_SHOCK, 0);
    if (chain.empty()) return;
    const int n = int(chain.size());
    const dmg_list_t dmg = {
        {.count = (u->base.lv / 5 + 1) * n, .sides = 8, .bonus = u->spl_abi_val(ATK_SPL), .mask = dmg_bit(DMG_LITN)}};
    const std::vector<unit_t*> struck = units_within(u, 3, 0);
    // An unseen holder's turn runs untold; its shock is told where it strikes
    // a unit the side sees, as an unseen actor's action is.
    const bool told = log_enabled();
    const auto tell = [&](bool on) { set_btl_feedback(told || on); };
    tell(std::any_of(struck.begin(), struck.end(), [](const unit_t* v) { return is_pt_visible(v->pos); }));
    log_takes_effect(P_PACK_SHOCK);
    log_indent();
    for (unit_t* v : struck) {
        tell(is_pt_visible(v->pos));
        log_cur_buf()->append_format(L"%s: ", unit_disp_name(v));
        pwr_atk(u, v, ATK_SPL, DEF_RF, dmg);
    }
    log_unindent();
    set_btl_feedback(told);
}

void deal_flat_dmg(unit_t* u, int amount, uint32_t mask) {
    roll_apply_dmg(u, {{.count = 0, .sides = 0, .bonus = amount, .mask = mask}});
}

void pwr_atk(unit_t* src, unit_t* tgt, int atk_kind, int def, const dmg_list_t& dmg) {
    const int res = roll_atk(src->get_atk(atk_kind), tgt->get_def(def), 6, 1);
    if (!(res & ATK_HIT)) return;
    dmg_list_t parts = dmg;
    if ((res & ATK_CRIT) && !parts.empty()) parts[0].count *= 2;
    dmg_res_t r;
    roll_dmg(r, parts, tgt);
    r.crit = res & ATK_CRIT;
    if (res & ATK_MISS_DMG) halve_dmg(&r.amount);
    apply_dmg(tgt, &r);
}
