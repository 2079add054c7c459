#include "rules/itm_drop.h"

#include "rules/bag.h"
#include "rules/eqpts.h"
#include "rules/itm.h"
#include "rules/unit.h"

namespace {
bool is_quick(int n) { return n >= EQ_QUICK && n < EQ_QUICK_END; }

itm_slot_t* slot_at(unit_t& u, itm_slot_t* bag, itm_place_t p) {
    if (p.at == itm_at_e::bag && p.n >= 0 && p.n < BAG_SLOTS) return &bag[p.n];
    if (p.at == itm_at_e::eqpt && p.n >= 0 && p.n < EQPT_SLOTS) return &u.eqpts.slots[p.n];
    return nullptr;
}

bool move(unit_t& u, itm_slot_t* bag, itm_slot_t& from, itm_place_t at, itm_place_t to) {
    const bool from_eqpt = at.at == itm_at_e::eqpt;
    switch (to.at) {
    case itm_at_e::page: return bag_page_add_itm(bag, from, to.n, -1);
    case itm_at_e::eqpt:
        if (from_eqpt && is_quick(at.n) && is_quick(to.n)) {
            itm_slot_put_quick(from, u.eqpts.slots[to.n]);
            return true;
        }
        return u.eqpts.equip_at(from, to.n);
    case itm_at_e::bag:
        if (from_eqpt) return itm_slot_merge_any(from, bag[to.n]);
        itm_slot_put_bag(from, bag[to.n]);
        return true;
    }
    return false;
}
}  // namespace

bool itm_drop_ok(const itm_slot_t& s, itm_place_t to) {
    if (to.at != itm_at_e::eqpt) return true;
    return !s.empty() && to.n >= 0 && to.n < EQPT_SLOTS && get_itm(s.id).fits_slot(to.n);
}

bool itm_drop(unit_t& u, itm_slot_t* bag, itm_place_t from, itm_place_t to) {
    itm_slot_t* src = slot_at(u, bag, from);
    if (!src || src->empty() || !itm_drop_ok(*src, to)) return false;
    if (to.at != itm_at_e::page && (!slot_at(u, bag, to) || slot_at(u, bag, to) == src)) return false;
    if (!move(u, bag, *src, from, to)) return false;
    u.eqpts.settle();
    return true;
}
