#include "battle/rolls.h"

#include <algorithm>

#include "app/db.h"
#include "app/rnd.h"
#include "app/str.h"
#include "app/text_log.h"
#include "battle/act_ctx.h"
#include "battle/atk_rec.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/special.h"
#include "battle/target_area.h"
#include "battle/turn.h"
#include "rules/cls_ids.h"
#include "rules/cond.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/u_cmd.h"
#include "rules/unit.h"

namespace {
int d20() { return rnd_rand() % 20 + 1; }

bool d20_rule(int die, int bonus, int dc) {
    if (die == 20) return true;
    if (die == 1) return false;
    return (long long)die + bonus >= dc;  // no overflow near the UNLIMITED sentinels
}
}  // namespace

Str& roll_t::get_text(Str& out) const {
    const long long size = mod < 0 ? -(long long)mod : (long long)mod;  // -2147483648 has no int opposite
    out.format(L"<c=y>%d</c> %c %d vs %d", roll, mod < 0 ? L'-' : L'+', size, target);
    return out;
}

bool roll_d20_vs(int32_t bonus, int32_t dc) { return d20_rule(d20(), bonus, dc); }

bool roll_d20_log(int bonus, int dc, int* roll) {
    const int die = d20();
    if (roll) *roll = die;
    const bool ok = d20_rule(die, bonus, dc);
    Str roll_text;
    roll_t{die, bonus, dc}.get_text(roll_text);
    log_cur_buf()->append_format(L"%s<a=128> ( %s )</a>%s", ok ? L"命中" : L"<c=a>失误</c>", roll_text, lang_dot);
    return ok;
}

bool roll_unit_check(const wchar_t* name, unit_t* u, int bonus, int dc) {
    log_cur_buf()->append_format(L"%s检定: ", or_empty(name));
    const bool ok = roll_d20_log(bonus, dc, nullptr);
    if (!ok) unit_float_text(Str(L"抵抗%s", or_empty(name)).buf, u, FLOAT_RESISTED);
    return ok;
}

bool roll_pct(int chance, const wchar_t* ok_text, const wchar_t* fail_text) {
    if (chance < 1) return false;
    const int roll = rnd_rand() % 100 + 1;
    // Strictly above: "roll >= 100 - chance" would succeed one time in a hundred too often.
    const bool ok = roll > 100 - chance;
    log_cur_buf()->append_format(L"%s ( <c=y>%d</c> vs %d )%s", ok ? ok_text : fail_text, roll, 100 - chance,
                                 lang_dot);
    return ok;
}

int roll_atk(int bonus, int def, int flags, int crit_rng) {
    const bool real = bonus != NO_TARGET && def != AUTO_HIT;
    int die = 0;
    if (real) {
        if (!roll_d20_log(bonus, def, &die)) {
            if (!(flags & ATK_MISS_DMG)) return 0;
            log_cur_buf()->append(L"失手伤害: ");
            return ATK_HIT | ATK_MISS_DMG;
        }
    } else {
        die = d20();
    }
    if (!(flags & ATK_CRIT) || die <= 20 - crit_rng) return ATK_HIT;
    if (real && (long long)die + bonus < def) return ATK_HIT;  // a natural 20 that would have missed
    log_cur_buf()->append(L"<c=r>暴击！</c>");
    return ATK_HIT | ATK_CRIT;
}

void add_cond_no_save(int cond, unit_t* src, unit_t* tgt) {
    cond_inst_t ci;
    apply_cond(make_cond_inst(ci, cond, src, 0, CI_NO_ROLL, 0), tgt);
}

// ---- defence values and uses ----

namespace {
const act_t* get_act(int pwr) { return dynamic_cast<const act_t*>(get_pwr(pwr)); }

bool is_spell_eff(const act_t& a) { return a.school != 0; }

bool cannot_affect(const act_t& a, const unit_t* tgt) {
    if (!a.can_affect_units()) return true;
    if (is_spell_eff(a) && tgt->has_trait(TRAIT_IMM_SPELL)) return true;
    if (a.is_insta_kill() && tgt->has_trait(TRAIT_SOLO)) return true;
    if (a.dmg.empty() && a.cond > 0 && tgt->imm_cond(a.cond)) return true;
    if (a.dmg.empty() && a.cond < 0 && !tgt->conds.has(-a.cond)) return true;
    return a.id == P_TRIP && tgt->conds.is_prone();
}

int named_def(const act_t& a, const unit_t* tgt) {
    if (a.def == 0) return AUTO_HIT;
    int v = tgt->get_def(a.def);
    if (a.is_cond_only()) v += get_cond_bonus(tgt, a.cond);
    v += manoeuvre_bonus(a.id, tgt);
    if (a.id == P_TURN) v += tgt->drv.tr;  // turn resistance
    if (a.atk == ATK_RANGE) v += tgt->drv.ac_rng;  // the ranged-attack defence bonus
    return v;
}

// Harder to hit with an attack of opportunity: spell casters with "spl_unao",
// the mobile and the alert.
int aoo_bonus(const u_cmd_t& cmd, const unit_t* tgt) {
    int v = 0;
    if ((cmd.flags & UCMD_VS_SPELL) && tgt->has_pwr(P_SPL_UNAO)) v += 4;
    if (tgt->conds.no_threat()) return v;
    if ((cmd.flags & UCMD_VS_MOVE) && tgt->has_pwr(P_MOBILITY)) v += 4;
    if (tgt->has_pwr(P_AO_AC2)) v += 2;
    return v;
}
}  // namespace

int tgt_def_value(const u_cmd_t& cmd, const unit_t* atk, const unit_t* tgt) {
    const act_t* a = get_act(cmd.pwr);
    if (!a || cannot_affect(*a, tgt)) return NO_TARGET;
    int v;
    if (unit_special_value(a->id, atk, tgt, &v)) {
        // the dispel and turning values stand as they are
    } else if (a->is_harmless_to(atk, tgt)) {
        v = AUTO_HIT;
    } else if (a->atk == ATK_CM && atk->btl.side == tgt->btl.side) {
        v = 5;
    } else {
        v = named_def(*a, tgt);
        if (is_spell_eff(*a) && tgt->drv.sr > 0) {
            const int pen = std::max(0, tgt->drv.sr - atk->drv.unsr);
            v = v == AUTO_HIT ? pen : v + pen;
        }
    }
    if (cmd.flags & UCMD_FREE) v += aoo_bonus(cmd, tgt);
    return v;
}

int pwr_uses_max(const unit_t* u, int pwr) {
    const act_t* a = get_act(pwr);
    if (!a || !(a->flags & PF_LIMITED)) return UNLIMITED;
    return pwr == P_TURN && u->has_pwr(P_TURN_EXTRA) ? 2 : 1;
}

int pwr_uses_left(const unit_t* u, int pwr) {
    const int max = pwr_uses_max(u, pwr);
    if (max == UNLIMITED) return max;
    const auto it = u->btl.pwr_uses.find(pwr);
    return max - (it == u->btl.pwr_uses.end() ? 0 : it->second);
}

void count_pwr_use(unit_t* u, const u_cmd_t& cmd) {
    const act_t* a = get_act(cmd.pwr);
    if (a && (a->flags & PF_LIMITED)) ++u->btl.pwr_uses[cmd.pwr];
}

bool is_wpn_atk_kind(int kind) { return kind == ATK_MELEE || kind == ATK_RANGE; }

namespace {
bool is_caster_cls(int cls) {
    return cls == CLS_CLERIC || cls == CLS_WIZARD || cls == CLS_PRIEST || cls == CLS_SHAMAN;
}
}  // namespace

int64_t unit_threat_value(const unit_t* u) {
    // 64-bit: the AI multiplies weights by squared distances and sums them.
    const int64_t p = int64_t(u->get_def(DEF_AC)) * u->hp;
    const int64_t base = is_caster_cls(u->base.cls) ? 20000000 : 10000000;
    // A unit with no armour or no hit points left weighs as much as the base itself.
    if (p <= 0) return base;
    if (base > p) return base / p;
    return p * 100 / base;  // in whole numbers: no rounding of a double between builds
}

int unit_class_weight(const unit_t* u) { return is_caster_cls(u->base.cls) ? 200 : 100; }

// ---- pre-checks and costs of a command ----

bool pwr_provokes(const unit_t* u, int pwr) {
    if (pwr == P_MOVE && u->has_pwr(P_MOV_NO_AO)) return false;
    if (pwr == P_SWAP_WPN && u->has_pwr(P_QUICK_DRAW)) return false;
    const act_t* a = get_act(pwr);
    if (a && a->atk == ATK_MELEE) return u->eqpts.slots[EQ_MAIN].empty() && !u->has_pwr(P_UNARMED1);
    if (a && (a->flags & PF_NO_AOO)) return false;
    // trip, ram, drag, overrun and grapple, each with the feat that makes it safe
    static const int safe[][2] = {
        {P_TRIP, P_TRIP1}, {P_RAM, P_RAM1}, {P_DRAG, P_DRAG1}, {P_OVERRUN, P_OVERRUN1}, {P_GRAP, P_GRAP1}};
    for (const auto& s : safe)
        if (pwr == s[0]) return !u->has_pwr(s[1]);
    return true;
}

bool cmd_provokes(const unit_t* u, const u_cmd_t& cmd) {
    return !(cmd.flags & UCMD_SHIFT) && pwr_provokes(u, cmd.pwr);
}

int pre_check_cmd(unit_t* u, const u_cmd_t& cmd) {
    if (!cmd_provokes(u, cmd)) return 0;
    if (!is_ai_unit(u) && is_threatened(u) && !cur_scene()->confirm_aoo()) return PC_CANCEL;
    const bool was_prone = u->conds.is_prone();
    const bool seen_before = is_pt_visible(u->pos);
    const int kind =
        cmd.pwr == P_MOVE ? UCMD_VS_MOVE : cmd.pwr >= P_SPELL_FIRST && cmd.pwr <= P_SPELL_LAST ? UCMD_VS_SPELL : 0;
    provoke_aoos(u, nullptr, kind);
    int why = pwr_refusal(u, cmd.pwr);
    if (!why && cmd.pwr == P_MOVE && !was_prone && u->conds.is_prone()) why = USE_FELL;
    if (!why) return 0;
    // The command is spent, so unlike a refusal the computer's is told too;
    // a death is written already.
    if (u->hp > 0 && (seen_before || is_pt_visible(u->pos))) log_refusal(u, cmd.pwr, why);
    return PC_NO_EFFECT;
}

void finish_cmd(unit_t* u, const u_cmd_t& cmd) {
    if (cmd.flags & UCMD_FREE) ++u->btl.free_cmds;
    else if (!(cmd.flags & UCMD_NO_COST)) spend_act_pts(u, cmd);
}

bool spend_act_pts(unit_t* u, const u_cmd_t& cmd) {
    if (cmd.flags & UCMD_SHIFT) return u->spend_act(COST_NO, true);  // free, but the move is used
    if (cmd.pwr == P_END_TURN) {  // takes whatever is left
        u->btl.act_budget = BUDGET_NONE;
        return true;
    }
    int cost = act_cost(u, cmd.pwr);
    if (is_full_round(u, cmd.pwr, cmd.flags)) cost = COST_FULL;
    return u->spend_act(cost, cmd.pwr == P_MOVE);
}
