#include "rules/eqpts.h"

#include <algorithm>
#include <iterator>

#include "app/str.h"
#include "battle/turn.h"
#include "rules/bag.h"
#include "rules/enum_ids.h"
#include "rules/itm.h"
#include "rules/load_type.h"
#include "rules/unit.h"

namespace {

itm_slot_t* g_bag = nullptr;

// Carrying capacity by Strength score 0..29.
constexpr int capacity_by_str[30] = {0,   10,  20,  30,  40,  50,  60,  70,  80,  90,  100, 115, 130, 150, 175,
                                     200, 230, 260, 300, 350, 400, 460, 520, 600, 700, 800, 920, 1040, 1200, 1400};

const itm_t& kind(const itm_slot_t& s) { return get_itm(s.empty() ? 0 : s.id); }

bool is_wpn(const itm_slot_t& s) { return !s.empty() && kind(s).type == IT_WPN; }

bool is_ammo_of(const itm_slot_t& q, int grp) { return !q.empty() && kind(q).type == IT_AMMO && kind(q).grp == grp; }

int quick_container(int n) { return n >= EQ_QUICK && n < EQ_QUICK_END ? CNT_QUICK : CNT_EQPT; }

// Out of battle a change of the maximum from gear carries the hit points with
// it, as a rise in Constitution does: nothing in the hub heals, so a member at
// full must stay at full. In battle the recalculation only lowers hit points
// above the maximum; a fallen unit, one never recalculated and one whose hit
// points the recalculation still fills are left to it.
void carry_hp(unit_t& u, int old_hp, int old_max) {
    if (is_btl_running() || !u.hp_ready || old_hp <= 0 || old_max <= 0) return;
    const long long carried = (long long)old_hp + u.drv.hp_max - old_max;  // widened: hp reach 999,999,999
    u.hp = int(std::clamp<long long>(carried, 1, std::max(1, u.drv.hp_max)));
}

}  // namespace

itm_slot_t* eqpt_bag() { return g_bag; }
void set_eqpt_bag(itm_slot_t* bag) { g_bag = bag; }

int load_capacity(int str) {
    if (str < 0) return 0;  // no rule gives a negative score; read it as 0
    if (str >= 30) return 1500;
    return capacity_by_str[str];
}

eqpts_t& eqpts_t::operator=(const eqpts_t& o) {
    std::copy(std::begin(o.nat), std::end(o.nat), nat);
    std::copy(std::begin(o.slots), std::end(o.slots), slots);
    for (int i = 0; i < 3; ++i) std::copy(std::begin(o.sets[i]), std::end(o.sets[i]), sets[i]);
    cur_set = o.cur_set;
    return *this;
}

void eqpts_t::clear() {
    std::fill(std::begin(nat), std::end(nat), 0);
    for (itm_slot_t& s : slots) s.clear();
    for (auto& set : sets)
        for (itm_slot_t& s : set) s.clear();
    cur_set = 0;
}

itm_slot_t& eqpts_t::get_slot(int n, int mode) {
    static itm_slot_t unarmed;
    static itm_slot_t blank;
    if (n < 0 || n >= EQPT_SLOTS) return blank = itm_slot_t();  // never reads past the slots
    if (mode == SLOT_OR_UNARMED && n == EQ_MAIN && slots[EQ_MAIN].empty()) {
        unarmed.set(ITM_UNARMED, 0);
        return unarmed;
    }
    return slots[n];
}

// ---- load ----

double eqpts_t::weight() const {
    double w = 0;
    for (const itm_slot_t& s : slots) w += s.get_count() * kind(s).wt;
    if (u && u->drv.size < SIZE_MEDIUM) w /= 2;
    return w;
}

int eqpts_t::capacity() const { return load_capacity(u ? u->drv.abi[ABI_STR] : 0); }

int eqpts_t::load_cap(int lv) const {
    const int k = capacity();
    if (lv == LOAD_LIGHT) return k / 3;
    if (lv == LOAD_MEDIUM) return 2 * k / 3;
    if (lv == LOAD_HEAVY) return k;
    return UNLIMITED;
}

int eqpts_t::load_floor(int lv) const {
    const int k = capacity();
    if (lv == LOAD_LIGHT) return 0;
    if (lv == LOAD_MEDIUM) return k / 3;
    if (lv == LOAD_HEAVY) return 2 * k / 3;
    return k;
}

int eqpts_t::load_lv() const {
    const double w = weight();
    for (int lv = LOAD_LIGHT; lv <= LOAD_HEAVY; ++lv)
        if (load_cap(lv) > w) return lv;
    return LOAD_OVER;
}

// ---- ammunition ----

int eqpts_t::quick_count() const {
    int n = 0;
    for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i) n += slots[i].get_count();
    return n;
}

int eqpts_t::ammo_for(const itm_slot_t& w) const {
    const bool thrown = kind(w).wpn.thrown();
    int n = 0;
    for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i) {
        const itm_slot_t& q = slots[i];
        if (thrown ? (!q.empty() && q.same_kind(w)) : is_ammo_of(q, kind(w).grp)) n += q.get_count();
    }
    return n;
}

bool eqpts_t::has_ammo_for(const itm_slot_t& w) const {
    for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i)
        if (is_ammo_of(slots[i], kind(w).grp)) return true;
    return false;
}

bool eqpts_t::no_ammo() const {
    for (int i : {EQ_MAIN, EQ_OFF})
        if (is_wpn(slots[i]) && kind(slots[i]).wpn.ranged() && !has_ammo_for(slots[i])) return true;
    return false;
}

bool eqpts_t::use_ammo_for(const itm_slot_t& w) {
    for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i) {
        if (!is_ammo_of(slots[i], kind(w).grp)) continue;
        slots[i].add_count(-1);
        return true;
    }
    return false;
}

void eqpts_t::spend_ammo(itm_slot_t& w) {
    if (w.is_thrown()) {
        // A thrown weapon with a bonus comes back to its thrower.
        if (w.bonus < 1) w.add_count(-1);
        return;
    }
    use_ammo_for(w);
}

// ---- attacks ----

atk_slots_t eqpts_t::atk_slots(int kind_) const {
    atk_slots_t r;
    if (kind_ == ATK_MELEE && slots[EQ_MAIN].empty()) {
        r.slots = {EQ_MAIN};
        r.light = 0;
        return r;
    }
    if (kind_ != ATK_MELEE && kind_ != ATK_RANGE) return r;
    for (int i : {EQ_MAIN, EQ_OFF}) {
        const itm_slot_t& s = slots[i];
        if (!is_wpn(s)) continue;
        const itm_wpn_t& w = kind(s).wpn;
        const bool take = kind_ == ATK_MELEE ? !w.ranged() : w.ranged() && has_ammo_for(s);
        if (!take) continue;
        r.slots.push_back(i);
        if (i == EQ_OFF && !(w.flags & WF_LIGHT)) r.light = 0;
    }
    if (kind_ == ATK_RANGE && r.slots.empty()) {
        for (int i = EQ_QUICK; i < EQ_QUICK_END; ++i) {
            if (slots[i].is_thrown()) {
                r.slots.push_back(i);
                break;
            }
        }
    }
    return r;
}

bool eqpts_t::can_atk(int kind_, bool ready) {
    const atk_slots_t a = atk_slots(kind_);
    if (!ready) return !a.slots.empty();
    for (int i : a.slots)
        if (!(get_slot(i, kind_ == ATK_MELEE ? SLOT_OR_UNARMED : SLOT_AS_IS).ex & SLOT_EX_UNREADY)) return true;
    return false;
}

// ---- equipping ----

bool eqpts_t::to_bag(itm_slot_t& s) {
    itm_slot_t* bag = eqpt_bag();
    return bag && bag_add_itm(bag, s, -1);
}

void eqpts_t::recalc_unit() {
    if (!u) return;
    const int old_hp = u->hp;
    const int old_max = u->drv.hp_max;
    u->recalc();
    carry_hp(*u, old_hp, old_max);
}

bool eqpts_t::equip(itm_slot_t& it) {
    if (it.empty()) return false;
    const itm_t& k = kind(it);
    for (int n = 0; n < EQPT_SLOTS; ++n)
        if (slots[n].empty() && k.fits_slot(n) && equip_at(it, n)) return true;
    for (int n = 0; n < EQPT_SLOTS; ++n)
        if (k.fits_slot(n) && equip_at(it, n)) return true;
    return false;
}

bool eqpts_t::equip_at(itm_slot_t& it, int n) {
    if (it.empty() || n < 0 || n >= EQPT_SLOTS || !kind(it).fits_slot(n)) return false;
    if (&it == &slots[n]) return false;  // already there: a merge onto itself would double the stack
    itm_slot_t& main = slots[EQ_MAIN];
    itm_slot_t& off = slots[EQ_OFF];
    const bool two_hands = is_wpn(it) && kind(it).wpn.hands == HANDS_TWO;
    if (n == EQ_MAIN && two_hands && !off.empty()) {
        if (!main.empty()) {
            itm_slot_t* bag = eqpt_bag();
            if (!bag || bag_free_slots(bag) < 2) return false;
            if (!to_bag(main)) return false;
        }
        if (!to_bag(off)) return false;
    }
    if (n == EQ_OFF && is_wpn(main) && kind(main).wpn.hands == HANDS_TWO && !to_bag(main)) return false;
    itm_slot_t& dst = slots[n];
    if (!dst.empty() && !dst.same_kind(it) && !to_bag(dst)) return false;
    if (!itm_slot_merge(it, dst, quick_container(n))) return false;
    settle();
    return true;
}

bool eqpts_t::unequip(itm_slot_t& s) {
    if (!to_bag(s)) return false;
    settle();
    return true;
}

void eqpts_t::settle() {
    // Ids outside the item table come only from damaged save files: such a slot
    // is emptied here and never equipped.
    for (itm_slot_t& s : slots)
        if (s.empty()) s.clear();
    for (auto& set : sets)
        for (itm_slot_t& s : set)
            if (s.empty()) s.clear();
    if (slots[EQ_MAIN].empty() && !slots[EQ_OFF].empty() && kind(slots[EQ_OFF]).fits_slot(EQ_MAIN))
        std::swap(slots[EQ_MAIN], slots[EQ_OFF]);
    recalc_unit();
}

// ---- weapon sets ----

int eqpts_t::resolve_set(int n) const {
    if (n == WSET_ACTIVE) return cur_set;
    if (n == WSET_OTHER) return cur_set == 0 ? 1 : 0;
    return n;
}

void eqpts_t::swap_wpn_set(int n) {
    n = resolve_set(n);
    if (n < 0 || n > 3) return;  // no such set: nothing to swap with
    auto swap_store = [this](int k) {
        if (k < 1 || k > 3) return;
        std::swap(slots[EQ_MAIN], sets[k - 1][0]);
        std::swap(slots[EQ_OFF], sets[k - 1][1]);
    };
    swap_store(cur_set);
    swap_store(n);
    cur_set = n;
    if (slots[EQ_MAIN].empty() && !slots[EQ_OFF].empty() && kind(slots[EQ_OFF]).fits_slot(EQ_MAIN))
        std::swap(slots[EQ_MAIN], slots[EQ_OFF]);
    recalc_unit();
}

Str& eqpts_t::wpn_set_name(Str& out, int n) const {
    n = resolve_set(n);
    out.assign(L"");
    const itm_slot_t* hands = slots;
    if (n != cur_set) {
        const int store = n == 0 ? cur_set : n;
        if (store < 1 || store > 3) return out;
        hands = sets[store - 1];
    }
    for (int i = 0; i < 2; ++i) {
        if (hands[i].empty()) continue;
        Str name;
        out.append(hands[i].get_name(name).buf);
        out.append(L"/");
    }
    if (!out.empty()) {
        out.drop_back(1);
    } else {
        const wchar_t* n26 = get_itm(ITM_UNARMED).n;
        out.assign(or_empty(n26));
    }
    return out;
}

void eqpts_t::set_gear(const std::vector<int>& ids, int flags) {
    clear();
    auto stack = [flags](int id) {
        const int n = get_itm(id).max_stack();
        return flags & GEAR_HALF_STACK ? n / 2 : n;
    };
    size_t end = ids.size();
    // An empty list has no last id to put into the quick slot.
    if ((flags & GEAR_QUICK_LAST) && end > 0) {
        --end;
        if (itm_valid_id(ids[end])) slots[EQ_QUICK].set(ids[end], stack(ids[end]));
    }
    bool ammo_done = false;
    for (size_t i = 0; i < end; ++i) {
        const int id = ids[i];
        if (!itm_valid_id(id)) continue;
        if (id <= ITM_UNARMED) {
            int* free_nat = std::find(std::begin(nat), std::end(nat), 0);
            if (free_nat != std::end(nat)) *free_nat = id;
            continue;
        }
        const itm_t& k = get_itm(id);
        if (k.type == IT_AMR) {
            slots[EQ_BODY].set(id, 0);
            continue;
        }
        slots[slots[EQ_MAIN].empty() ? EQ_MAIN : EQ_OFF].set(id, 0);
        if (!ammo_done && k.type == IT_WPN && k.wpn.ranged() && !k.wpn.thrown()) {
            ammo_done = true;
            const int ammo = k.get_ammo_id();
            if (ammo) slots[EQ_QUICK].set(ammo, stack(ammo));
        }
    }
    if (nat[0]) {
        slots[EQ_MAIN].set(nat[0], 0);
        slots[EQ_OFF].clear();
    }
}
