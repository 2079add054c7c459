// The situation of one attack against one target: flanking, charge, cover,
// prone and helpless targets, shooting into melee, pack tactics, power attack
// and sneak attack adjust a copy of the attack record.
#include <algorithm>

#include "app/clr.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/cover.h"
#include "battle/roster.h"
#include "battle/target_area.h"
#include "rules/cond_ids.h"
#include "rules/eff_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/itm.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {
struct sit_t {
    atk_rec_t& r;
    unit_t* a;        // the actor
    unit_t* t;        // the target
    const act_t* act;
    const u_cmd_t* cmd;
    int tier;
    bool labels;
    int A = 0;  // attack change
    int D = 0;  // damage change

    void add(int da, int dd, const wchar_t* label) {
        A += da;
        D += dd;
        // By the attack change alone: a label that only adds damage stays white.
        const uint32_t clr = sign_clr(da);
        if (labels) r.sit_tip.append_format(L"<c=#%08x>%s</c>,", clr, or_empty(label));
    }
    bool has(int p) const { return a->has_pwr(p); }
};

constexpr pt_t run_steps[8] = {{0, -1}, {0, 1}, {-1, 0}, {1, 0}, {-1, -1}, {-1, 1}, {1, -1}, {1, 1}};

void sit_all_out(sit_t& s) {
    if (is_full_round(s.a, s.act->id, s.cmd->flags)) s.add(2, 2 * s.tier, L"全力");
}

void sit_cover(sit_t& s) {
    const int c = atk_cover(s.a, s.act->id, s.t->pos);
    if (c == COVER_PARTIAL) s.add(-2, 0, L"掩蔽");
    if (c == COVER_IMPROVED) s.add(-4, 0, L"超级掩蔽");
}

void sit_charge(sit_t& s) {
    const int d = s.a->run_dir;
    if (d < 0 || d > 7) return;
    const pt_t p{s.a->pos.x + run_steps[d].x, s.a->pos.y + run_steps[d].y};
    if (!(p == s.t->pos)) return;
    if (s.has(P_CHARGE2)) s.add(4, 4 * s.tier, pwr_name(P_CHARGE2));
    else if (s.has(P_CHARGE1)) s.add(2, 2 * s.tier, pwr_name(P_CHARGE1));
    else s.add(1, s.tier, L"冲锋");
    const int mv = s.a->get_atk(ATK_CM);
    if (s.has(P_CHARGE_EX2)) {
        s.add(0, 10 * s.tier, pwr_name(P_CHARGE_EX2));
        s.r.effs.push_back(make_int_pair(EFF_KBO2, mv));
    } else if (s.has(P_CHARGE_EX1)) {
        s.add(0, 5 * s.tier, pwr_name(P_CHARGE_EX1));
        cond_inst_t ci;
        s.r.conds.push_back(make_cond_inst(ci, C_PRONE, s.a, mv, 0, 0));
    }
    if (s.act->atk == ATK_MELEE && s.r.wpn && (get_itm(s.r.wpn->id).wpn.flags & WF_BRACE)) {
        const text_info_t* f = get_wpn_flag(wpn_flag_row(WF_BRACE));
        s.add(1, s.tier, f ? or_empty(f->n) : L"");
    }
}

void sit_melee(sit_t& s) {
    if (is_flanked(s.a, s.t)) s.add(2, 0, L"夹击");
    sit_charge(s);
    if (s.t->conds.is_helpless()) {
        s.add(4, 0, L"无助");
        if (s.has(P_GHOUL_BITE)) s.add(0, 10 * s.tier, pwr_name(P_GHOUL_BITE));
    }
    if (s.t->conds.is_prone()) s.add(s.act->id == P_RAM ? -4 : 4, 0, L"倒地");
    if (s.a->conds.is_prone()) s.add(-4, 0, L"倒地攻击");
}

bool foe_next_to(const unit_t* u) {
    bool found = false;
    visit_adjacent(u, RW_ADJ | RW_NO_HELPLESS, [&](unit_t* v) {
        if (v->btl.side != u->btl.side) found = true;
        return !found;
    });
    return found;
}

bool other_side_next_to(const unit_t* t) {
    bool found = false;
    visit_adjacent(t, RW_ADJ, [&](unit_t* v) {
        if (v->btl.side != t->btl.side) found = true;
        return !found;
    });
    return found;
}

void sit_ranged(sit_t& s) {
    if (foe_next_to(s.a)) s.add(-4, 0, L"干扰");
    const int sq = unit_sq_dist(s.a->pos, s.t->pos);
    if (s.has(P_RNG_NEAR) && sq <= 36) s.add(1, s.tier, pwr_name(P_RNG_NEAR));
    if (units_adjacent(s.a, s.t)) return;
    if (!s.has(P_RNG_PRECISE) && other_side_next_to(s.t)) s.add(-4, 0, L"混战");
    if (s.t->conds.is_prone()) s.add(-4, 0, L"倒地");
}

void sit_pack_and_blood(sit_t& s) {
    if (s.has(P_PACK_ATK)) s.add(0, count_allies_adj_with(s.a, s.t, P_PACK_ATK), pwr_name(P_PACK_ATK));
    if (s.has(P_PACK_DMG) && count_allies_adj_with(s.a, s.t, P_PACK_DMG) >= 2)
        s.add(0, 5 * s.tier, pwr_name(P_PACK_DMG));
    if (s.t->hp * 2 > s.t->drv.hp_max) return;
    if (s.has(P_BLOOD_TGT2)) s.add(2, 5 * s.tier, pwr_name(P_BLOOD_TGT2));
    else if (s.has(P_BLOOD_TGT1)) s.add(1, 2 * s.tier, pwr_name(P_BLOOD_TGT1));
}

// Power attack turns the margin over the defence into damage.
void sit_power_atk(sit_t& s, int def) {
    if (s.act->atk == 0 || s.act->def == 0 || s.r.atk == NO_TARGET) return;
    s.r.atk += s.A;
    if (s.r.dmg.empty() || s.r.dmg[0].count < 0) return;
    const long long margin = (long long)s.r.atk - def + 1;
    const int p = s.act->atk == ATK_MELEE ? P_PA : s.act->atk == ATK_RANGE ? P_RNG_PA : 0;
    if (margin <= 0 || !p || !s.has(p)) return;
    s.r.dmg[0].bonus += int(margin) * s.tier;
    if (s.labels) s.r.sit_tip.append_format(L"<c=g>%s</c>,", pwr_name(p));
}

void sit_sneak(sit_t& s) {
    if (!s.has(P_SNEAK_ATK) || s.act->atk == 0 || s.act->def == 0) return;
    if (s.r.dmg.empty() || s.r.dmg[0].count < 0) return;
    if (!s.t->conds.no_threat() && !is_flanked(s.a, s.t)) return;
    if (unit_sq_dist(s.a->pos, s.t->pos) >= 37) return;
    s.r.dmg.push_back({s.tier, 6, 0, s.r.dmg[0].mask});
    if (s.labels) s.r.sit_tip.append_format(L"<c=g>%s</c>,", pwr_name(P_SNEAK_ATK));
}
}  // namespace

void act_ctx_t::get_atk_situation(atk_rec_t& rec, unit_t* tgt, int def) {
    if (!act || !tgt || (act->def != DEF_AC && act->def != DEF_RF && act->def != DEF_CM)) return;
    sit_t s{rec, actor, tgt, act, req, unit_tier(actor), labels};
    sit_all_out(s);
    sit_cover(s);
    if (act->rng == RNG_TOUCH || act->atk == ATK_MELEE || act->atk == ATK_CM) sit_melee(s);
    else sit_ranged(s);
    sit_pack_and_blood(s);
    sit_power_atk(s, def);
    if (!rec.dmg.empty()) rec.dmg[0].bonus += s.D;
    sit_sneak(s);
    if (!rec.sit_tip.empty() && rec.sit_tip.at_from_end(0) == L',') rec.sit_tip.drop_back(1);
    rec.build_crit();
}
