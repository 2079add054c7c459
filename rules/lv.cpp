#include "rules/lv.h"

#include <algorithm>

#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/enum_ids.h"
#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/race_ids.h"
#include "rules/unit.h"
#include "rules/urank.h"

namespace {

bool is_spell_id(int id) { return id >= P_SPELL_FIRST && id <= P_SPELL_LAST; }

bool in_mask(const Pwr& p, uint32_t mask) { return p.cat >= 0 && p.cat < 32 && (mask & (1u << p.cat)); }

// Weapon proficiencies, shield and armour use: a monster's gear decides those.
bool mon_refuses(int id) {
    return (id >= P_WP_SWORD && id <= P_WP_SIMPLE) || id == P_SHD_USE1 || id == P_SHD_USE2 ||
           (id >= P_AMR_USE1 && id <= P_AMR_USE3) || is_act(id);
}

bool feat_qualifies(const unit_t& u, int id, uint32_t mask, int flags) {
    if (id < P_FEAT_FIRST || id > P_FEAT_LAST || u.has_pwr(id)) return false;
    const Pwr* p = get_pwr(id);
    if (!p || !in_mask(*p, mask)) return false;
    if ((flags & PICK_MON) && mon_refuses(id)) return false;
    return can_learn_pwr(u, id);
}

const u_bld_t* preset_bld(int id) { return id >= 1 && id < BLD_COUNT ? get_bld(id) : nullptr; }

void raise_key_abi(unit_t& u, int key) {
    if (key < 0 || key >= ABIS) return;
    ++u.base.abi[key];
    ++u.base.abi_ups[key];
}

void apply_lv1(unit_t& u, const u_bld_t* b, lv_choices_t& out) {
    if (u.base.bld == 0)
        out.flags |= 1u << LVP_BUILD | 1u << LVP_MISC;
    else if (u.base.bld == BLD_CUSTOM)
        out.flags |= 1u << LVP_BUILD | 1u << LVP_RACE | 1u << LVP_CLASS | 1u << LVP_ABIS | 1u << LVP_MISC;
    if (b) {
        u.base.race = b->race;
        u.base.cls = b->cls;
        for (int i = 0; i < ABIS; ++i) u.base.abi[i] = b->abi[i];
        int bonus[ABIS];
        apply_race_cls(u, b->key_abi_bonus(bonus));
    }
    // A human's extra pick, whoever makes the choices.
    if (u.base.race == RACE_HUM) pick_or_record(u, b, CAT_ANY, LVP_PWRS, out);
}

const std::vector<int> no_plan;

}  // namespace

int xp_for_lv(int lv) { return lv <= 1 ? 0 : 250 * lv * (lv - 1); }

bool can_lv_up(const unit_t& u) { return u.xp >= xp_for_lv(u.base.lv + 1); }

uint32_t class_pick_mask(int cls, int lv) {
    if (lv < 1) return 0;
    switch (cls) {
    case CLS_FIGHTER: case CLS_WARRIOR: return lv == 1 || lv % 2 == 0 ? CAT_FEATS : 0;
    case CLS_WIZARD: case CLS_SHAMAN: return lv == 1 || lv % 5 == 0 ? CAT_MAGIC : 0;
    case CLS_CLERIC: case CLS_PRIEST: return lv == 1 || lv % 3 == 0 ? CAT_ANY : 0;
    default: return 0;
    }
}

bool has_pwr_prereqs(const unit_t& u, const Pwr& p) {
    for (int id : p.prereqs)
        if (id != 0 && !u.has_pwr(id)) return false;
    return true;
}

bool can_learn_pwr(const unit_t& u, int id) {
    const Pwr* p = get_pwr(id);
    if (!p) return false;
    if (id == P_HP1 && u.base.rank == RANK_MINION) return false;
    const int need = is_spell_id(id) ? 2 * p->lv - 1 : p->lv;
    if (u.base.lv < need) return false;
    if (p->cls_mask != 0 && (u.base.cls < 0 || u.base.cls >= 32 || !(p->cls_mask & (1u << u.base.cls))))
        return false;
    for (int i = 0; i < ABIS; ++i)
        if (u.base.abi[i] < p->abi_min[i]) return false;
    return has_pwr_prereqs(u, *p);
}

pwr_learn_e pwr_learn_state(const unit_t& u, int id) {
    if (u.has_pwr(id)) return pwr_learn_e::held;
    return can_learn_pwr(u, id) ? pwr_learn_e::learnable : pwr_learn_e::locked;
}

int count_learnable(const unit_t& u, uint32_t mask) {
    int n = 0;
    for (int id = P_FEAT_FIRST; id <= P_FEAT_LAST; ++id)
        if (feat_qualifies(u, id, mask, 0)) ++n;
    return n;
}

bool any_spell_learnable(const unit_t& u) {
    for (int id = P_SPELL_FIRST; id <= P_SPELL_LAST; ++id)
        if (!u.has_pwr(id) && can_learn_pwr(u, id)) return true;
    return false;
}

void pick_from_plan(unit_t& u, const std::vector<int>& plan, uint32_t mask, int flags) {
    for (int id : plan) {
        if (feat_qualifies(u, id, mask, flags)) {
            u.pwrs.add(id);
            return;
        }
    }
}

void pick_spell_from_plan(unit_t& u, const std::vector<int>& plan) {
    for (int id : plan) {
        if (is_spell_id(id) && !u.has_pwr(id) && can_learn_pwr(u, id)) {
            u.pwrs.add(id);
            return;
        }
    }
}

void learn_all_spells(unit_t& u) {
    if (u.base.lv % 2 == 0 || u.base.lv > 17) return;
    for (int id = P_SPELL_FIRST; id <= P_SPELL_LAST; ++id)
        if (!u.has_pwr(id) && can_learn_pwr(u, id)) u.pwrs.add(id);
}

void pick_or_record(unit_t& u, const u_bld_t* bld, uint32_t mask, int page, lv_choices_t& out) {
    if (bld) {
        pick_from_plan(u, bld->plan, mask, 0);
        return;
    }
    const int n = count_learnable(u, mask);
    if (n <= 0 || page < 0 || page >= LVP_COUNT) return;
    out.flags |= 1u << page;
    out.masks[page] |= mask;
    out.picks = std::min(out.picks + 1, n);
}

void lv1_picks(unit_t& u, int flags) {
    const std::vector<int>& plan = get_bld(u.base.bld)->plan;
    const cls_t* cls = get_cls(u.base.cls);
    if (get_race(u.base.race)->flags & RACE_EXTRA_PICK) pick_from_plan(u, plan, CAT_ANY, flags);
    if (cls->lv1_pick) pick_from_plan(u, plan, cls->lv1_pick, flags);
    pick_from_plan(u, plan, CAT_ANY, flags);
    if (flags & PICK_MON) return;
    if (cls->lv1_spl == -1)
        learn_all_spells(u);
    else
        for (int i = 0; i < cls->lv1_spl; ++i) pick_spell_from_plan(u, plan);
}

void lv_spells(unit_t& u, const std::vector<int>& plan, lv_choices_t& out) {
    const int cls = u.base.cls;
    if (cls == CLS_CLERIC || cls == CLS_PRIEST) {
        if (u.base.lv % 2 != 0 && u.base.lv < 18) learn_all_spells(u);
    } else if (cls == CLS_WIZARD || cls == CLS_SHAMAN) {
        if (u.base.bld != BLD_CUSTOM)
            pick_spell_from_plan(u, plan);
        else if (any_spell_learnable(u))
            out.flags |= 1u << LVP_SPELLS;
    }
}

void lv_up_unit(unit_t& u, lv_choices_t& out) {
    ++u.base.lv;
    u.base.kind = UK_PC;
    u.base.rank = RANK_NORMAL;
    apply_bld_lv(u, out);
}

void apply_bld_lv(unit_t& u, lv_choices_t& out) {
    out = lv_choices_t{};
    out.flags = 1u << LVP_FINISH;
    const int lv = u.base.lv;
    const u_bld_t* b = preset_bld(u.base.bld);
    if (lv == 1) apply_lv1(u, b, out);
    if (lv % 10 == 0) add_to_abis(u.base.abi, 1, ABI_STR, ABI_CHA);
    if (lv % 4 == 0) {
        if (b)
            raise_key_abi(u, b->key_abi);
        else if (u.base.bld == BLD_CUSTOM)
            out.flags |= 1u << LVP_ABIS;
    }
    if (const uint32_t m = class_pick_mask(u.base.cls, lv)) pick_or_record(u, b, m, LVP_PWRS, out);
    if (u.base.bld != 0 && lv % 2 != 0) pick_or_record(u, b, CAT_ANY, LVP_PWRS, out);
    lv_spells(u, b ? b->plan : no_plan, out);
}

void finish_lv_up(unit_t& u, bool new_unit) {
    if (new_unit) {
        give_start_eqpt(u);
        u.reset_for_play();
    } else {
        u.recalc();
    }
    u.hp = u.drv.hp_max;
}

void lv_up_mon(unit_t& u) {
    const u_bld_t* b = get_bld(u.base.bld);
    const int lv = ++u.base.lv;
    if (lv % 10 == 0) add_to_abis(u.base.abi, 1, ABI_STR, ABI_CHA);
    if (lv % 4 == 0) raise_key_abi(u, b->key_abi);
    if (u.base.race == RACE_HUM) pick_from_plan(u, b->plan, CAT_ANY, PICK_MON);
    if (const uint32_t m = class_pick_mask(u.base.cls, lv)) pick_from_plan(u, b->plan, m, PICK_MON);
    if (lv % 2 != 0) pick_from_plan(u, b->plan, CAT_ANY, PICK_MON);
}
