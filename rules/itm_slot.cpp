#include "rules/itm_slot.h"

#include <algorithm>

#include "rules/ie.h"
#include "rules/itm.h"

void itm_slot_t::set(int id_, int count) {
    *this = itm_slot_t();
    id = id_;
    cnt = count;
}

bool itm_slot_t::empty() const { return !itm_valid_id(id); }

int32_t itm_slot_t::get_count() const { return empty() ? 0 : std::max(cnt, 1); }

void itm_slot_t::add_count(int delta) {
    if (delta == 0) return;
    // Counts come from save files: saturate instead of overflowing.
    cnt = int32_t(std::clamp<int64_t>(int64_t(cnt) + delta, INT32_MIN, INT32_MAX));
    if (cnt <= 0) clear();
}

int32_t itm_slot_t::keep_at_most(int n) {
    const int64_t surplus = int64_t(get_count()) - n;
    if (surplus <= 0) return 0;
    cnt = int32_t(std::max<int64_t>(int64_t(cnt) - surplus, INT32_MIN));
    if (cnt <= 0) clear();
    return int32_t(surplus);
}

bool itm_slot_t::same_kind(const itm_slot_t& o) const {
    if (empty() || o.empty()) return empty() && o.empty();
    return id == o.id && bonus == o.bonus && std::equal(ies, ies + 4, o.ies);
}

void itm_slot_t::assign(const itm_slot_t& src, int count) {
    *this = src;
    if (count > 0) cnt = count;
}

int32_t itm_slot_t::max_stack(int container) const {
    if (container == CNT_BAG) return UNLIMITED;
    if (container == CNT_EQPT) return 1;
    return get_itm(id).max_stack();
}

std::vector<int> itm_slot_t::get_ies() const {
    std::vector<int> v;
    if (empty()) return v;
    for (int e : get_itm(id).ies)
        if (e) v.push_back(e);
    for (int e : ies)
        if (e) v.push_back(e);
    return v;
}

bool itm_slot_t::is_thrown() const { return !empty() && get_itm(id).type == IT_WPN && get_itm(id).wpn.thrown(); }

itm_amr_t itm_slot_t::get_amr() const {
    itm_amr_t a = get_itm(empty() ? 0 : id).amr;
    a.def += bonus;
    return a;
}

void itm_slot_t::set_bonus(int b) {
    bonus = b;
    if (itm_is_fixed_rarity(*this))
        bonus = std::min(bonus, 1);
    else if (get_itm(id).type == IT_SHD)
        bonus = std::min(bonus, get_itm(id).amr.def);
}

void itm_slot_t::set_bonus_by_lv(int lv) {
    const int b = lv / 5;
    if (b != 0) set_bonus(b);
}

void mk_itm_slot(itm_slot_t& out, int id, int count) { out.set(id, count); }

void mk_itm_slot_bonus(itm_slot_t& out, int id, int count, int bonus) {
    out.set(id, count);
    out.set_bonus(bonus);
}

void mk_itm_slot_enchs(itm_slot_t& out, int id, int count, int bonus, int e1, int e2, int e3, int e4) {
    out.set(id, count);
    if (bonus != 0) out.set_bonus(bonus);
    out.ies[0] = e1;
    out.ies[1] = e2;
    out.ies[2] = e3;
    out.ies[3] = e4;
}
