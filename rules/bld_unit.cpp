// The unit builders: a character from a build, a monster from a template.
#include "rules/bld.h"
#include "rules/cls.h"
#include "rules/lv.h"
#include "rules/mon.h"
#include "rules/pwr.h"
#include "rules/race.h"
#include "rules/unit.h"

namespace {

// Every part as a new unit has it; the presentation values too.
void reset_unit(unit_t& u) {
    u = unit_t();
    u.px_off = {};
    u.ani_word = 0;
    u.ani_t = 0.0;
    u.tint = 0xFFFFFFFF;
    u.flash_t = 0.0;
}

}  // namespace

unit_t& unit_t::from_bld(int bld, const wchar_t* name_, const wchar_t* img_, const wchar_t* face_) {
    reset_unit(*this);
    name.assign(name_ ? name_ : L"");
    img.assign(img_ ? img_ : L"");
    face.assign(face_ ? face_ : L"");
    const u_bld_t* b = get_bld(bld);
    base.kind = UK_PC;
    base.rank = 1;
    base.bld = bld;
    base.lv = 1;
    base.race = b->race;
    base.cls = b->cls;
    for (int i = 0; i < 6; ++i) base.abi[i] = b->abi[i];
    int bonus[6];
    apply_race_cls(*this, b->key_abi_bonus(bonus));
    lv1_picks(*this, 0);
    give_start_eqpt(*this);
    reset_for_play();
    return *this;
}

void unit_t::reset_for_play() {
    btl.ai = btl.side = base.kind == UK_MON ? 1 : 0;
    recalc();
    actbar.rebuild();
    hp_ready = 1;
}

namespace {

// Tier 2 keeps the build's class; tier 1 raises fighter, cleric and wizard to
// warrior, priest and shaman; any other tier is class 8 ("no").
int mon_cls(const mon_t& t, const u_bld_t* b) {
    if (t.cls_tier == 2) return b->cls;
    if (t.cls_tier == 1) return b->cls >= 1 && b->cls <= 3 ? b->cls + 3 : b->cls;
    return 8;
}

void mon_abis(unit_t& u, const mon_t& t, const u_bld_t* b) {
    assign_abis_by_priority(u.base.abi, mon_tier_abis(t.cls_tier), b->abi);
    int adj[6] = {};
    if (u.base.race == 24 || u.base.race == 28) {
        b->key_abi_bonus(adj);
    } else if (const race_t* r = get_race(u.base.race)) {
        for (int i = 0; i < 6; ++i) adj[i] = r->abi_adj[i];
    }
    for (int i = 0; i < 6; ++i) u.base.abi[i] += adj[i] + t.abis[i];
}

void mon_pwrs(unit_t& u, const mon_t& t) {
    std::vector<int> ids;
    if (const race_t* r = get_race(u.base.race)) apply_pwr_changes(ids, r->pwrs);
    if (const cls_t* c = get_cls(u.base.cls)) apply_pwr_changes(ids, c->pwrs);
    apply_pwr_changes(ids, t.pwrs);
    u.pwrs.set_list(ids);
}

void mon_gear(unit_t& u, const mon_t& t) {
    u.eqpts.set_gear(t.itms, t.gear);
    for (int i = 0; i < EQPT_SLOTS; ++i) {
        const itm_slot_t& s = u.eqpts.slots[i];
        if (s.empty() || u.is_proficient(s)) continue;
        if (const int p = get_prof_pwr(s.id)) u.pwrs.add(p);
    }
    for (int i = 0; i < EQPT_SLOTS; ++i) {
        itm_slot_t& s = u.eqpts.slots[i];
        if (!s.empty() && (s.id < 166 || s.id > 168)) s.set_bonus_by_lv(u.base.lv);
    }
}

}  // namespace

unit_t& unit_t::from_mon(int mon, int lv_) {
    reset_unit(*this);
    const mon_t& t = get_mon(mon);
    name.assign(t.n ? t.n : L"");
    img.assign(L"units_mon/");
    img.append(t.k ? t.k : L"");
    base.lv = 1;
    base.kind = UK_MON;
    base.rank = t.rank;
    base.bld = t.bld;
    base.race = t.race;
    const u_bld_t* b = get_bld(t.bld);
    base.cls = mon_cls(t, b);
    mon_abis(*this, t, b);
    mon_pwrs(*this, t);
    lv1_picks(*this, 1);
    for (int i = 1; i < lv_; ++i) lv_up_mon(*this);
    mon_gear(*this, t);
    reset_for_play();
    return *this;
}
