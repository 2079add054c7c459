#include "rules/unit.h"

#include <algorithm>
#include <iterator>

#include "app/markup_lit.h"
#include "battle/turn.h"
#include "rules/act_budget.h"
#include "rules/dice.h"
#include "rules/enum_ids.h"
#include "rules/itm.h"
#include "rules/itm_ids.h"
#include "rules/pwr.h"
#include "rules/cls.h"
#include "rules/pwr_ids.h"
#include "rules/race.h"
#include "rules/u_cat.h"

unit_t::unit_t() { fix_parts(); }

unit_t::unit_t(const unit_t& o) : unit_t() { *this = o; }

unit_t& unit_t::operator=(const unit_t& o) {
    if (this == &o) return *this;
    name = o.name;
    img = o.img;
    face = o.face;
    base = o.base;
    drv = o.drv;
    hp = o.hp;
    xp = o.xp;
    btl = o.btl;
    for (int i = 0; i < U_TEXTS; ++i) texts[i] = o.texts[i];
    pwrs = o.pwrs;
    eqpts = o.eqpts;
    conds = o.conds;
    actbar = o.actbar;
    hp_ready = o.hp_ready;
    pos = o.pos;
    run_dir = o.run_dir;
    creator = o.creator;
    sum_atk = o.sum_atk;
    sum_pwr = o.sum_pwr;
    sum_dur = o.sum_dur;
    fix_parts();
    return *this;
}

unit_t::~unit_t() {
    // Grapple partners must not keep pointing at a unit that is gone.
    conds.drop_partners();
}

void unit_t::fix_parts() {
    eqpts.u = this;
    pwrs.u = this;
    conds.u = this;
    actbar.u = this;
    for (int i = 0; i < U_TEXTS; ++i) text_ptrs[i] = &texts[i];
}

// ---- hit points ----

void unit_t::set_hp(int v) { hp = std::clamp(v, 0, std::max(0, drv.hp_max)); }

int unit_t::add_hp(int delta) {
    const int old = hp;
    // Widened, so that a huge heal or hit cannot overflow before the clamp.
    const long long v = (long long)hp + delta;
    set_hp(int(std::clamp<long long>(v, 0, std::max(0, drv.hp_max))));
    return hp - old;
}

void unit_t::heal_full() {
    hp = drv.hp_max;
    conds.clear();
}

// ---- turns ----

void u_btl_state_t::reset() {
    known = 0;
    auto_heal1_used = 0;
    auto_heal2_used = 0;
    pwr_uses.clear();
}

void u_btl_state_t::turn_reset() {
    turn_flags = 0;
    regen_off = 0;
    act_budget = BUDGET_WHOLE;
    free_cmds = 0;
}

void unit_t::turn_reset() {
    btl.turn_reset();
    if (has_pwr(P_TRANCE)) btl.act_budget = BUDGET_STD;
}

bool unit_t::spend_act(int cost, bool once) {
    if (!act_budget_spend(btl.act_budget, cost)) return false;
    if (!once) return true;
    if (btl.turn_flags & TF_MOVED) return false;
    btl.turn_flags |= TF_MOVED;
    return true;
}

// ---- queries ----

int unit_t::get_def(int n) const { return n >= 0 && n < 6 ? drv.def[n] : 0; }

bool unit_t::imm_cond(int id) const { return id >= 0 && id < COND_COUNT && drv.imm[id] > 0; }

bool unit_t::has_trait(int n) const { return n >= 0 && n < TRAITS && drv.trait[n] > 0; }

int unit_t::race_grp() const {
    const int t = get_race(base.race)->type;
    if (t >= UCAT_VERMIN && t <= UCAT_HUMANOID) return RG_LIVING;
    if (t == UCAT_UNDEAD) return RG_UNDEAD;
    if (t == UCAT_ELEMENTAL) return RG_ELEMENTAL;
    return RG_CONSTRUCT;
}

bool unit_t::is_living() const {
    const int t = get_race(base.race)->type;
    return t >= UCAT_VERMIN && t <= UCAT_HUMANOID;
}

bool unit_t::is_undead() const { return get_race(base.race)->type == UCAT_UNDEAD; }

int unit_t::cast_abi() const {
    if (has_pwr(P_CHA_SPL)) return ABI_CHA;
    if (has_pwr(P_CON_SPL)) return ABI_CON;
    return get_cls(base.cls)->cast_abi;
}

int unit_t::dflt_atk_pwr() const {
    const itm_slot_t& m = eqpts.slots[EQ_MAIN];
    if (m.empty()) return P_ATK_M;
    const itm_t& it = get_itm(m.id);
    return it.type == IT_WPN && it.wpn.ranged() ? P_ATK_R : P_ATK_M;
}

int unit_t::get_wpn_reach() const {
    const itm_slot_t& m = eqpts.slots[EQ_MAIN];
    if (conds.no_threat() || m.empty()) return 0;
    const itm_t& it = get_itm(m.id);
    if (it.type != IT_WPN || it.wpn.ranged()) return 0;
    return it.wpn.get_rng(RNG_USE_MELEE);
}

bool unit_t::is_proficient(const itm_slot_t& s) const {
    const itm_t& it = get_itm(s.id);
    if (it.type == IT_WPN) {
        if (s.id >= 1 && s.id <= ITM_UNARMED) return true;  // natural weapons and the unarmed strike
        if (it.wpn.cat == WCAT_SIMPLE && has_pwr(P_WP_SIMPLE)) return true;
        if (it.wpn.thrown() && has_pwr(P_WP_THROWN)) return true;
    }
    const int need = get_prof_pwr(s.id);
    return need == 0 || has_pwr(need);
}

int unit_t::get_threat_rad() const { return conds.no_threat() ? 0 : 1; }

bool unit_t::is_known() const { return btl.known || is_btl_over(); }

Str& unit_t::get_disp_name(Str& out) const {
    if (!is_known()) {
        out.assign(L"<c=r>未知生物</c>");
        return out;
    }
    // The name is the player's plain text: it must show as typed inside the mark-up.
    return col_text(out, markup_lit(name.buf).buf, *side_slot());
}

clr_t* unit_t::side_slot() const {
    // The side word is the battle engine's; keep a stray value inside the table.
    const int n = int(std::size(side_clrs));
    return &side_clrs[btl.side >= 0 && btl.side < n ? btl.side : n - 1];
}

void unit_vec_clear(std::vector<unit_t*>& v) {
    for (unit_t* u : v) delete u;
    v.clear();
}
