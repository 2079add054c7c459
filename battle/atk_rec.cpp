#include "battle/atk_rec.h"

// Sections: helpers; weapon records; power records; finishing; get_atks;
// flanking and manoeuvres; the planning generator.

#include <algorithm>

#include "app/rnd.h"
#include "battle/roster.h"
#include "battle/turn.h"
#include "battle/tmap.h"
#include "rules/brk_line.h"
#include "rules/cond_ids.h"
#include "rules/dice.h"
#include "rules/dmg_ids.h"
#include "rules/enum_ids.h"
#include "rules/enums.h"
#include "rules/ie.h"
#include "rules/ie_eff.h"
#include "rules/ie_ids.h"
#include "rules/itm.h"
#include "rules/itm_slot.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/unit.h"

// ---- helpers ----

int unit_tier(const unit_t* u) { return u ? u->base.lv / 10 + 1 : 1; }

void atk_rec_t::build_crit() {
    crit_dmg = dmg;
    if (!crit_dmg.empty() && crit_dmg[0].count >= 0) crit_dmg[0].count *= crit_mult;
    crit_conds = conds;
    crit_conds.insert(crit_conds.end(), crit_extra.begin(), crit_extra.end());
    crit_effs = effs;
}

namespace {
// Each manoeuvre with its two feats: +2 each to the attacker, and to the defender.
constexpr int manoeuvre_feats[5][3] = {{P_TRIP, P_TRIP1, P_TRIP2},
                                       {P_RAM, P_RAM1, P_RAM2},
                                       {P_DRAG, P_DRAG1, P_DRAG2},
                                       {P_OVERRUN, P_OVERRUN1, P_OVERRUN2},
                                       {P_GRAP, P_GRAP1, P_GRAP2}};

const act_t* as_act(int pwr) { return dynamic_cast<const act_t*>(get_pwr(pwr)); }

int abi(const unit_t* u, int i) { return u->drv.abi_mod[i]; }

void add_atk(atk_rec_t& r, int v, const wchar_t* label) {
    if (v == 0) return;
    r.atk += v;
    brk_line(r.atk_tip, v, label);
}

void add_dmg(atk_rec_t& r, int v, const wchar_t* label) {
    if (v == 0 || r.dmg.empty()) return;
    r.dmg[0].bonus += v;
    brk_line(r.dmg_tip, v, label);
}

void trim_nl(Str& s) {
    if (!s.empty() && s.at_from_end(0) == L'\n') s.drop_back(1);
}

cond_inst_t mk_cond(int id, unit_t* src, int dc, int flags = 0, int amt = 0) {
    cond_inst_t ci;
    return make_cond_inst(ci, id, src, dc, flags, amt);
}

// A weapon (not light, not ranged) in the main hand and nothing in the off hand.
bool two_handed_grip(const unit_t* u) {
    const itm_slot_t& m = u->eqpts.slots[EQ_MAIN];
    if (m.empty() || !u->eqpts.slots[EQ_OFF].empty()) return false;
    const itm_t& it = get_itm(m.id);
    return it.type == IT_WPN && !(it.wpn.flags & WF_LIGHT) && !it.wpn.ranged();
}

// ---- weapon records ----

struct wpn_ctx_t {
    unit_t* u;
    const act_t* a;
    int kind;         // ATK_MELEE or ATK_RANGE
    int slot;         // equipment slot
    itm_slot_t* s;
    const itm_wpn_t* w;
    bool prof;
    bool off;         // the off-hand record of two weapons
    int tier;
};

void wpn_base(atk_rec_t& r, const wpn_ctx_t& c) {
    r.rng = c.w->get_rng(c.kind == ATK_RANGE ? RNG_USE_RANGED : RNG_USE_MELEE);
    r.atk = 0;
    brk_line(r.atk_tip, c.prof ? 4 : 0, c.prof ? L"擅长武器" : L"非擅长武器");
    r.atk = c.prof ? 4 : 0;
    add_atk(r, c.s->bonus, L"魔法加值");
    r.crit_rng = c.w->crit_rng * (itm_has_ench(*c.s, IE_CH) ? 2 : 1);
    r.crit_mult = c.w->crit_mul;
    r.wpn = c.s;
    r.dmg.push_back(c.w->dmg);
    r.dmg_tip.append_format(L"<b>%s</b>\t基础数值\n", dice_text(c.w->dmg.dice()));
    itm_ench_dmg(*c.s, r.dmg, r.dmg_tip);
    add_dmg(r, c.s->bonus, L"魔法加值");
    for (int e : c.s->get_ies()) {
        const int mv = c.u->get_atk(ATK_CM);
        switch (e) {
        case IE_STOP: r.conds.push_back(mk_cond(C_NO_MOV, c.u, mv)); break;
        case IE_BLEED: r.conds.push_back(mk_cond(C_BLEED, c.u, mv, CI_NO_ROLL, itm_ench_val(*c.s, IE_BLEED))); break;
        case IE_GRAP: r.conds.push_back(mk_cond(C_GRAP, c.u, mv)); break;
        case IE_TRIP: r.conds.push_back(mk_cond(C_PRONE, c.u, mv)); break;
        case IE_PALSY: r.conds.push_back(mk_cond(C_STUN, c.u, c.u->base.lv / 2 + abi(c.u, ABI_CHA))); break;
        default: break;
        }
    }
}

void wpn_atk_ability(atk_rec_t& r, const wpn_ctx_t& c) {
    const unit_t* u = c.u;
    const int str = abi(u, ABI_STR), dex = abi(u, ABI_DEX), wis = abi(u, ABI_WIS);
    if (c.kind == ATK_RANGE && !(c.w->flags & WF_THROW_B)) {
        if (wis > dex && u->has_pwr(P_RNG_WIS)) add_atk(r, wis, L"感知修正（禅宗箭术）");
        else add_atk(r, dex, L"敏捷修正");
        return;
    }
    if (dex > str && (c.w->flags & (WF_LIGHT | WF_DEX)) && u->has_pwr(P_DEX_WPN)) add_atk(r, dex, L"敏捷修正（武器娴熟）");
    else add_atk(r, str, L"力量修正");
}

void wpn_atk_bonus(atk_rec_t& r, const wpn_ctx_t& c) {
    const unit_t* u = c.u;
    add_atk(r, u->base.lv / 2, L"等级修正");
    if (c.kind == ATK_RANGE && u->base.race == RACE_HFLING &&
        ((c.w->flags & (WF_THROW_S | WF_THROW_B)) || get_itm(c.s->id).grp == WG_THROWN)) {
        const race_t* rc = get_race(RACE_HFLING);
        add_atk(r, 1, rc ? or_empty(rc->n) : L"");
    }
    add_atk(r, -size_mod(u->drv.size), L"体形修正");
    wpn_atk_ability(r, c);
    if (c.prof) {
        if (u->has_pwr(P_ATK2)) add_atk(r, 2, pwr_name(P_ATK2));
        else if (u->has_pwr(P_ATK1)) add_atk(r, 1, pwr_name(P_ATK1));
    }
    if (c.kind == ATK_MELEE && two_handed_grip(u) && u->has_pwr(P_TH_ATK1)) add_atk(r, 1, pwr_name(P_TH_ATK1));
}

void wpn_dmg_str(atk_rec_t& r, const wpn_ctx_t& c) {
    const unit_t* u = c.u;
    const int str = abi(u, ABI_STR);
    if (c.kind == ATK_RANGE && !(c.w->flags & WF_THROW_B) && c.a->id != P_ATK_M_DMG3) {
        const int grp = get_itm(c.s->id).grp;
        if (grp == WG_BOW) {
            if (str < 0) add_dmg(r, str, L"力量修正");
            else if (itm_has_ench(*c.s, IE_COMP)) add_dmg(r, str, L"力量修正（复合弓）");
        } else if (grp == WG_XBOW && u->has_pwr(P_RNG_XBOW)) {
            add_dmg(r, c.tier, pwr_name(P_RNG_XBOW));
        }
        return;
    }
    if (str <= 0) {
        add_dmg(r, str, L"力量修正");
    } else if (c.off && !u->has_pwr(P_TW_OFF)) {
        add_dmg(r, str / 2, L"力量修正（副手）");
    } else if (c.w->hands == HANDS_TWO || (c.w->hands == HANDS_EITHER && u->eqpts.slots[EQ_OFF].empty()) ||
               c.a->id == P_ATK_M_DMG3) {
        add_dmg(r, str * 3 / 2, L"力量修正（双手）");
    } else {
        add_dmg(r, str, L"力量修正");
    }
}

void wpn_dmg(atk_rec_t& r, const wpn_ctx_t& c) {
    const unit_t* u = c.u;
    dmg_part_t& p = r.dmg[0];
    if (u->drv.size != SIZE_MEDIUM) {
        dice_t d = p.dice();
        d.resize(u->drv.size);
        p.count = d.count, p.sides = d.sides;
        r.dmg_tip.append_format(L"<b c=y>%s</b>\t基础数值（体型）\n", dice_text(p.dice()));
    }
    if (c.tier > 1) {
        r.dmg[0].count *= c.tier;
        r.dmg_tip.append_format(L"<c=g>x%d</c>\t等级修正\n", c.tier);
    }
    if (c.prof) {
        if (u->has_pwr(P_DMG2)) add_dmg(r, 4 * c.tier, pwr_name(P_DMG2));
        else if (u->has_pwr(P_DMG1)) add_dmg(r, 2 * c.tier, pwr_name(P_DMG1));
    }
    wpn_dmg_str(r, c);
    if (c.kind == ATK_MELEE && two_handed_grip(u)) {
        if (u->has_pwr(P_TH1)) add_dmg(r, 4 * c.tier, pwr_name(P_TH1));
        else if (u->has_pwr(P_TH)) add_dmg(r, 2 * c.tier, pwr_name(P_TH));
    }
}

void wpn_crit_feats(atk_rec_t& r, const wpn_ctx_t& c) {
    if (!c.prof) return;
    if (c.u->has_pwr(P_CH1)) r.crit_rng += itm_has_ench(*c.s, IE_CH) ? 1 : r.crit_rng;
    if (c.u->has_pwr(P_CH2)) r.crit_rng += 1;
    if (c.u->has_pwr(P_CH_PWR)) r.crit_mult += 1;
}

void wpn_crit_conds(atk_rec_t& r, const wpn_ctx_t& c) {
    unit_t* u = c.u;
    std::vector<cond_inst_t> cand;
    const uint32_t m = r.dmg.empty() ? 0 : r.dmg[0].mask;
    if (m & (dmg_bit(DMG_SLASH) | dmg_bit(DMG_PIERCE))) {
        if (u->has_pwr(P_CH_BLEED2)) cand.push_back(mk_cond(C_BLEED, u, r.atk, 0, 10 * c.tier));
        else if (u->has_pwr(P_CH_BLEED)) cand.push_back(mk_cond(C_BLEED, u, r.atk, 0, 5 * c.tier));
    }
    if ((m & dmg_bit(DMG_BLUNT)) && u->has_pwr(P_CH_STUN)) cand.push_back(mk_cond(C_STUN, u, r.atk));
    if (u->has_pwr(P_CH_CRIPPLE2)) cand.push_back(mk_cond(C_NO_MOV, u, r.atk));
    else if (u->has_pwr(P_CH_CRIPPLE)) cand.push_back(mk_cond(C_SLOW, u, r.atk));
    if (cand.empty()) return;
    rnd_shuffle(cand);
    r.crit_extra.push_back(cand[0]);
    if (u->has_pwr(P_CH_2_EFFS) && cand.size() >= 2) r.crit_extra.push_back(cand[1]);
}

void wpn_two_weapons(atk_rec_t& r, const wpn_ctx_t& c, bool light) {
    const unit_t* u = c.u;
    const wchar_t* hand = c.off ? L"副手" : L"主手";
    const int pen = c.off ? -10 : -6;
    add_atk(r, pen, Str(L"双持减值（%s）", hand));
    if (u->has_pwr(P_TW3)) {
        add_atk(r, -pen, Str(L"%s（%s）", pwr_name(P_TW3), hand));
    } else {
        if (light) add_atk(r, 2, L"副手持轻武器");
        if (u->has_pwr(P_TW)) add_atk(r, c.off ? 6 : 2, pwr_name(P_TW));
    }
    const int feat = c.off ? P_TW2 : P_TW1;
    if (u->has_pwr(feat)) add_dmg(r, 2 * c.tier, pwr_name(feat));
}

bool wpn_recs(std::vector<atk_rec_t>& out, unit_t* u, const act_t* a) {
    const atk_slots_t as = u->eqpts.atk_slots(a->atk);
    if (as.slots.empty()) return false;
    for (size_t i = 0; i < as.slots.size(); ++i) {
        itm_slot_t* s = &u->eqpts.get_slot(as.slots[i], a->atk == ATK_MELEE ? SLOT_OR_UNARMED : SLOT_AS_IS);
        const itm_t& it = get_itm(s->id);
        const wpn_ctx_t c{u, a, a->atk, as.slots[i], s, &it.wpn, u->is_proficient(*s), as.slots[i] == EQ_OFF,
                          unit_tier(u)};
        atk_rec_t r;
        wpn_base(r, c);
        wpn_atk_bonus(r, c);
        wpn_dmg(r, c);
        wpn_crit_feats(r, c);
        wpn_crit_conds(r, c);
        if (as.slots.size() > 1) wpn_two_weapons(r, c, as.light != 0);
        out.push_back(std::move(r));
    }
    return true;
}

// ---- power records ----

void spell_rules(atk_rec_t& r, unit_t* u, const act_t* a) {
    // the focus feat of each school
    static constexpr int focus[5] = {0, P_SPL_CONJ, P_SPL_ELEM, P_SPL_CTRL, P_SPL_DEAD};
    if (a->school >= SCHOOL_CONJURATION && a->school <= SCHOOL_NECROMANCY && u->has_pwr(focus[a->school]))
        add_atk(r, 1, pwr_name(focus[a->school]));
    if (a->dmg.empty() && a->cond > 0) add_atk(r, get_cond_dc_bonus(u, a->cond), L"");
    if (r.dmg.empty() || r.dmg[0].count == DMG_WPN || r.dmg[0].count == DMG_PCT) return;
    const int t = unit_tier(u);
    const int lvb = a->lv_bonus(u);
    for (dmg_part_t& p : r.dmg) {
        p.count *= t;
        p.bonus += u->spl_abi_val(ATK_SPL);
        if (p.mask & DMG_ENERGY_MASK)
            p.bonus += (u->has_pwr(P_SPL_ELEM1) ? 2 * t : 0) + u->drv.elm_dmg;
        if (p.mask & dmg_bit(DMG_PE)) p.bonus += u->drv.pe_dmg + u->drv.to_heal;
        if (p.mask & dmg_bit(DMG_NE)) p.bonus += u->drv.ne_dmg;
        p.bonus += lvb;
    }
}

void manoeuvre_rules(atk_rec_t& r, unit_t* u, const act_t* a, int cmd_flags) {
    if (a->rng == RNG_REACH) {
        std::vector<atk_rec_t> m;
        r.rng = get_atks(m, u, P_ATK_M, cmd_flags) ? m[0].rng : 1;
    }
    for (const auto& f : manoeuvre_feats) {
        if (f[0] != a->id) continue;
        for (int k = 1; k < 3; ++k)
            if (u->has_pwr(f[k])) add_atk(r, 2, pwr_name(f[k]));
    }
}

void pwr_rec(std::vector<atk_rec_t>& out, unit_t* u, const act_t* a, int cmd_flags) {
    atk_rec_t r;
    r.rng = a->rng;
    r.atk = u->get_atk(a->atk);
    r.dmg = a->dmg;
    if (a->atk == ATK_SPL) spell_rules(r, u, a);
    if (a->atk == ATK_CM) manoeuvre_rules(r, u, a, cmd_flags);
    out.push_back(std::move(r));
}

// ---- finishing ----

void finish_atk(atk_rec_t& r, unit_t* u, const act_t* a) {
    if (a->atk != 0 && a->def != 0) {
        // The actions with an attack penalty, and the feat that takes it away.
        static constexpr int improved[5][2] = {{P_ATK_M_TGT2, P_ATK_M_TGT2_1}, {P_ATK_M_TGTX, P_ATK_M_TGTX_1},
                                               {P_ATK_R_ATK2, P_ATK_R_ATK2_1}, {P_ATK_R_TGT3, P_ATK_R_TGT3_1},
                                               {P_ATK_R_TGTX, P_ATK_R_TGTX_1}};
        if (a->flags & PF_ATK_PEN) {
            bool cancel = false;
            for (const auto& p : improved)
                if (p[0] == a->id && u->has_pwr(p[1])) cancel = true;
            if (!cancel) add_atk(r, -2, pwr_name(a->id));
        }
        r.atk += u->drv.atk;
        if (u->drv.atk != 0) r.atk_tip.append(u->texts[BT_ATK]);
    } else {
        r.atk = NO_TARGET;
    }
}

void finish_dmg(atk_rec_t& r, unit_t* u, const act_t* a) {
    if (r.dmg.empty() || r.dmg[0].count == DMG_PCT) return;
    if (!a->dmg.empty() && a->dmg[0].count == DMG_WPN && a->dmg[0].sides > 1) r.dmg[0].count *= a->dmg[0].sides;
    r.dmg[0].bonus += u->drv.dmg;
    if (u->drv.dmg != 0) r.dmg_tip.append(u->texts[BT_DMG]);
    if (u->has_pwr(P_IMBUE_ARROW) && a->atk == ATK_RANGE && r.wpn) {
        static constexpr uint32_t types[4] = {
            dmg_bit(DMG_FIRE), dmg_bit(DMG_COLD), dmg_bit(DMG_LITN), dmg_bit(DMG_ACID)};
        const dmg_part_t p{unit_tier(u), 6, 0, types[rnd_rand() % 4]};
        r.dmg.push_back(p);
        r.dmg_tip.append_format(L"%s\t%s\n", dice_text(p.dice()), pwr_name(P_IMBUE_ARROW));
    }
}

void finish_conds(atk_rec_t& r, unit_t* u, const act_t* a) {
    if (a->cond > 0) r.conds.push_back(mk_cond(a->cond, u, r.atk, a->dmg.empty() ? CI_NO_ROLL : 0));
    if (a->cond < 0) {
        cond_inst_t ci;
        r.conds.push_back(make_cond_rm(ci, -a->cond));
    }
    if (!r.wpn) return;
    const int lv = u->base.lv;
    if (u->has_pwr(P_TOX)) r.conds.push_back(mk_cond(C_TOX, u, lv / 2 + lv / 2 + 5));
    if (u->has_pwr(P_TOX_DROW)) r.conds.push_back(mk_cond(C_STUN, u, lv / 2 + lv / 2 + 5));
    if (u->has_pwr(P_HIT_DOWN)) r.conds.push_back(mk_cond(C_PRONE, u, lv / 2 + u->get_atk(ATK_CM)));
}

void finish_rec(atk_rec_t& r, unit_t* u, const act_t* a) {
    finish_atk(r, u, a);
    finish_dmg(r, u, a);
    finish_conds(r, u, a);
    r.build_crit();
    trim_nl(r.atk_tip);
    trim_nl(r.dmg_tip);
}

int repeat_count(const std::vector<atk_rec_t>& v, const unit_t* u, const act_t* a) {
    if ((a->atk == ATK_MELEE || a->atk == ATK_RANGE) && v.size() == 1 && u->has_pwr(P_X2_ATK)) return 2;
    if (a->id == P_MM) return std::min(u->base.lv / 5 + 1, 3);
    if (a->id == P_ATK_R_ATK2) return u->has_pwr(P_ATK_R_ATK2_2) ? 3 : 2;
    return 1;
}
}  // namespace

// ---- get_atks ----

bool get_atks(std::vector<atk_rec_t>& out, unit_t* u, int pwr, int cmd_flags) {
    out.clear();
    const act_t* a = as_act(pwr);
    if (!a || !u) return false;
    if (a->atk == ATK_MELEE || a->atk == ATK_RANGE) {
        if (!wpn_recs(out, u, a)) return false;
    } else {
        pwr_rec(out, u, a, cmd_flags);
    }
    for (atk_rec_t& r : out) finish_rec(r, u, a);
    const int n = repeat_count(out, u, a);
    if (n > 1 && !out.empty()) {
        const atk_rec_t first = out[0];
        out.resize(1);
        for (int i = 1; i < n; ++i) out.push_back(first);
    }
    return !out.empty();
}

// ---- flanking and manoeuvres ----

int manoeuvre_bonus(int pwr, const unit_t* def) {
    int v = 0;
    for (const auto& f : manoeuvre_feats) {
        if (f[0] != pwr) continue;
        if (def->has_pwr(f[1])) v += 2;
        if (def->has_pwr(f[2])) v += 2;
    }
    if (def->base.race == RACE_DWF && pwr >= P_TRIP && pwr <= P_DRAG) v += 4;  // trip, ram, drag
    return v;
}

namespace {
// An empty main hand strikes unarmed at reach 1.
int melee_reach(const unit_t* u) {
    if (u->eqpts.slots[EQ_MAIN].empty()) return u->conds.no_threat() ? 0 : 1;
    return u->get_wpn_reach();
}
}  // namespace

bool can_flank_with(const unit_t* a, const unit_t* t) {
    return !t->has_pwr(P_ALL_EYES) && a->btl.side != t->btl.side && t->btl.side != SIDE_NONE && units_adjacent(a, t) &&
           melee_reach(a) >= 1;
}

bool is_flanked(const unit_t* a, const unit_t* t) {
    if (!can_flank_with(a, t)) return false;
    const pt_t m{2 * t->pos.x - a->pos.x, 2 * t->pos.y - a->pos.y};
    const tmap_t* map = get_btl_map();
    if (!map || m.x < 0 || m.y < 0 || m.x >= map->get_w() || m.y >= map->get_h()) return false;
    const unit_t* p = get_unit_at(m);
    return p && can_flank_with(p, t);
}

// ---- the planning generator ----

namespace {
constexpr uint32_t PLAN_SEED = 0x9E3779B9u;
uint32_t g_plan_state = PLAN_SEED;
int g_plan_depth = 0;
}  // namespace

// Nested scopes keep running on the outer scope's planning state.
plan_rnd_t::plan_rnd_t() : saved_(rnd_get_state()) {
    if (g_plan_depth++ == 0) rnd_set_state(g_plan_state);
}

plan_rnd_t::~plan_rnd_t() {
    if (--g_plan_depth != 0) return;
    g_plan_state = rnd_get_state();
    rnd_set_state(saved_);
}

void plan_rnd_reset() { g_plan_state = PLAN_SEED; }
