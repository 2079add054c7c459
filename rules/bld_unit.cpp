// The unit builders: a character from a build, a monster from a template.
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/cls_ids.h"
#include "rules/itm_ids.h"
#include "rules/lv.h"
#include "rules/mon.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"
#include "rules/urank.h"

namespace {

// Every part as a new unit has it; the presentation values too.
void reset_unit(unit_t& u) {
    u = unit_t();
    u.px_off = {};
    u.ani_word = 0;
    u.ani_t = 0.0;
    u.tint = 0xFFFFFFFF;
    u.flash_t = 0.0;
    u.hp_pend = 0;
    u.hp_pend_t = 0.0;
}

int mon_cls(const mon_t& t, int bld_cls) {
    if (t.cls_tier == MON_CLS_BUILD) return bld_cls;
    if (t.cls_tier == MON_CLS_RAISED)
        return bld_cls >= CLS_FIGHTER && bld_cls <= CLS_WIZARD ? bld_cls + (CLS_WARRIOR - CLS_FIGHTER) : bld_cls;
    return CLS_NO;
}

void mon_abis(unit_t& u, const mon_t& t, const u_bld_t& b) {
    assign_abis_by_priority(u.base.abi, mon_tier_abis(t.cls_tier), b.abi);
    int bonus[ABIS];
    const int* adj = race_takes_key_abi(u.base.race) ? b.key_abi_bonus(bonus) : get_race(u.base.race)->abi_adj;
    for (int i = 0; i < ABIS; ++i) u.base.abi[i] += adj[i] + t.abis[i];
}

void mon_gear(unit_t& u, const mon_t& t) {
    u.eqpts.set_gear(t.itms, t.gear);
    // A monster uses what it carries: it gains the proficiency before its statistics count.
    for (const itm_slot_t& s : u.eqpts.slots)
        if (!s.empty() && !u.is_proficient(s))
            if (const int p = get_prof_pwr(s.id)) u.pwrs.add(p);
    for (itm_slot_t& s : u.eqpts.slots)
        if (!s.empty() && (s.id < ITM_BOW_A || s.id > ITM_SLING_A)) s.set_bonus_by_lv(u.base.lv);  // ammunition keeps 0
}

}  // namespace

unit_t& unit_t::from_bld(int bld, const wchar_t* name_, const wchar_t* img_, const wchar_t* face_) {
    reset_unit(*this);
    name.assign(or_empty(name_));
    img.assign(or_empty(img_));
    face.assign(or_empty(face_));
    const u_bld_t* b = get_bld(bld);
    base.kind = UK_PC;
    base.rank = RANK_NORMAL;
    base.bld = bld;
    base.lv = 1;
    base.race = b->race;
    base.cls = b->cls;
    for (int i = 0; i < ABIS; ++i) base.abi[i] = b->abi[i];
    int bonus[ABIS];
    apply_race_cls(*this, b->key_abi_bonus(bonus));
    lv1_picks(*this, 0);
    give_start_eqpt(*this);
    reset_for_play();
    return *this;
}

void unit_t::reset_for_play() {
    btl.side = base.kind == UK_MON ? SIDE_FOES : SIDE_PLAYER;
    btl.ai = base.kind == UK_MON ? 1 : 0;
    recalc();
    actbar.rebuild();
    hp_ready = 1;
}

unit_t& unit_t::from_mon(int mon, int lv) {
    const mon_t& t = get_mon(mon);
    const u_bld_t& b = *get_bld(t.bld);
    reset_unit(*this);
    name.assign(or_empty(t.n));
    img = Str(L"units_mon/") + or_empty(t.k);
    base.lv = 1;
    base.kind = UK_MON;
    base.rank = t.rank;
    base.bld = t.bld;
    base.race = t.race;
    base.cls = mon_cls(t, b.cls);
    mon_abis(*this, t, b);
    std::vector<int> ids = get_race(base.race)->pwrs;
    apply_pwr_changes(ids, get_cls(base.cls)->pwrs);
    apply_pwr_changes(ids, t.pwrs);
    pwrs.set_list(ids);
    lv1_picks(*this, PICK_MON);
    for (int i = 1; i < lv; ++i) lv_up_mon(*this);
    mon_gear(*this, t);
    reset_for_play();
    return *this;
}
