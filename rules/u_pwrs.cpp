#include "rules/u_pwrs.h"

#include <climits>

#include "rules/pwr.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {

// The kind of a registry power, or -1 for an id that names none.
int pwr_kind(int id) {
    if (!is_pwr_id(id)) return -1;
    const int k = get_pwr(id)->get_kind();
    return k >= 0 && k < PK_COUNT ? k : -1;
}

int id_class_bit(int id) {
    if (id >= P_BASIC_FIRST && id <= P_BASIC_LAST) return UP_BASIC;
    if (id >= P_FEAT_FIRST && id <= P_FEAT_LAST) return UP_FEAT;
    if (id >= P_SPELL_FIRST && id <= P_SPELL_LAST) return UP_SPELL;
    return UP_MON;
}

}  // namespace

u_pwrs_t& u_pwrs_t::operator=(const u_pwrs_t& o) {
    if (this == &o) return *this;
    std::vector<int> ids;
    o.get_ids(ids, UP_ALL);
    clear();
    set_list(ids);
    return *this;
}

void u_pwrs_t::add(int id) {
    if (has(id)) return;
    const int kind = pwr_kind(id);
    if (kind < 0) return;
    auto it = all.emplace(id, uint8_t(0)).first;
    by_kind[kind][id] = &it->second;
    if (kind == 0 && u) u->actbar.add(id);
}

void u_pwrs_t::remove(int id) {
    auto it = all.find(id);
    if (it == all.end()) return;
    for (auto& m : by_kind) m.erase(id);
    all.erase(it);
    if (pwr_kind(id) == 0 && u) u->actbar.remove_pwr(id);
}

void u_pwrs_t::set_list(const std::vector<int>& ids) {
    for (int id : ids) add(id);
}

void u_pwrs_t::apply_changes(const std::vector<int>& changes) {
    for (int c : changes) {
        if (c > 0)
            add(c);
        else if (c < 0 && c != INT_MIN)  // a list from a file: -INT_MIN has no value
            remove(-c);
    }
}

void u_pwrs_t::clear() {
    for (auto& m : by_kind) m.clear();
    all.clear();
}

bool u_pwrs_t::toggle(int id) {
    auto it = all.find(id);
    if (it == all.end()) return false;
    it->second = it->second ? 0 : 1;
    return it->second != 0;
}

std::vector<int>& u_pwrs_t::get_ids(std::vector<int>& out, int filter) const {
    out.clear();
    for (const auto& [id, on] : all)
        if (filter & id_class_bit(id)) out.push_back(id);
    return out;
}

std::vector<int>& u_pwrs_t::get_act_ids(std::vector<int>& out) const {
    out.clear();
    for (const auto& [id, on] : by_kind[PK_ACT]) out.push_back(id);
    return out;
}

std::vector<int> u_pwrs_t::get_act_list() const {
    std::vector<int> v{P_ATK_M, P_ATK_R};
    for (const auto& [id, on] : by_kind[PK_ACT]) v.push_back(id);
    return v;
}
