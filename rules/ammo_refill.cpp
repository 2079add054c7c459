#include "rules/ammo_refill.h"

#include <algorithm>

#include "rules/bag.h"
#include "rules/eqpts.h"
#include "rules/itm.h"
#include "rules/pty.h"
#include "rules/unit.h"

namespace {
constexpr int quick_n = EQ_QUICK_END - EQ_QUICK;

// A quick slot that can still take that ammunition.
bool has_room_for(const itm_slot_t& q, int ammo) {
    return q.empty() || (q.id == ammo && q.get_count() < q.max_stack(CNT_QUICK));
}

bool any_room(const itm_slot_t* quick, int ammo) {
    return std::any_of(quick, quick + quick_n, [ammo](const itm_slot_t& q) { return has_room_for(q, ammo); });
}
}  // namespace

bool is_launcher(const itm_slot_t& s) {
    if (s.empty()) return false;
    const itm_t& it = get_itm(s.id);
    return it.type == IT_WPN && it.wpn.ranged() && !it.wpn.thrown();
}

void load_ammo_from_bag(unit_t& u, itm_slot_t* bag, int ammo) {
    itm_slot_t* quick = &u.eqpts.slots[EQ_QUICK];
    for (int b = 0; b < BAG_SLOTS; ++b) {
        if (!any_room(quick, ammo)) return;
        if (bag[b].empty() || bag[b].id != ammo) continue;
        for (int i = 0; i < quick_n && !bag[b].empty(); ++i) itm_slot_merge(bag[b], quick[i], CNT_QUICK);
    }
}

bool quick_slots_full(const unit_t& u, int ammo) { return !any_room(&u.eqpts.slots[EQ_QUICK], ammo); }

bool refill_pty_ammo(pty_t& p) {
    bool all_full = true;
    for (unit_t* u : p.units) {
        const itm_slot_t& main = u->eqpts.slots[EQ_MAIN];
        if (!is_launcher(main)) continue;
        const int ammo = get_itm(main.id).get_ammo_id();
        load_ammo_from_bag(*u, p.bag, ammo);
        if (!quick_slots_full(*u, ammo)) all_full = false;
    }
    return all_full;
}
