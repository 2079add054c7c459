#include "battle/roster.h"

#include <algorithm>
#include <cstdlib>

#include "app/geom.h"
#include "app/rnd.h"
#include "battle/btl.h"
#include "battle/target_area.h"
#include "battle/turn.h"
#include "rules/unit.h"
#include "rules/urank.h"

std::vector<unit_t*>& btl_full_list() { return btl().full; }
std::vector<unit_t*>& btl_roster() { return btl().roster; }
std::vector<unit_t*>& btl_fallen() { return btl().fallen; }

// ---- list maintenance ----

namespace {
void erase_all(std::vector<unit_t*>& v, const unit_t* u) { v.erase(std::remove(v.begin(), v.end(), u), v.end()); }

void insert_after(std::vector<unit_t*>& v, unit_t* added, const unit_t* creator) {
    const auto it = std::find(v.begin(), v.end(), creator);
    v.insert(it == v.end() ? v.end() : it + 1, added);
}
}  // namespace

bool leaves_body(const unit_t* u) { return u->base.rank != RANK_MINION && !u->creator; }

void build_roster(const std::vector<unit_t*>& a, const std::vector<unit_t*>& b) {
    btl_t& s = btl();
    s.fallen.clear();
    s.roster = a;
    s.roster.insert(s.roster.end(), b.begin(), b.end());
    roll_initiative();
    s.full = s.roster;
}

void roll_initiative() {
    std::vector<unit_t*>& r = btl().roster;
    for (unit_t* u : r) u->btl.init = u->drv.init + rnd_rand() % 20 + 1;
    rnd_shuffle(r);
    // Stable: units equal in total and bonus keep the shuffled order on every library.
    std::stable_sort(r.begin(), r.end(), [](const unit_t* a, const unit_t* b) {
        if (a->btl.init != b->btl.init) return a->btl.init > b->btl.init;
        return a->drv.init > b->drv.init;
    });
}

void rebuild_roster() {
    btl_t& s = btl();
    s.roster.clear();
    s.fallen.clear();
    for (unit_t* u : s.full) {
        if (u->hp > 0) s.roster.push_back(u);
        else if (leaves_body(u)) s.fallen.push_back(u);
    }
}

void roster_on_death(unit_t* u) {
    remove_from_roster(u);
    if (leaves_body(u)) btl().fallen.push_back(u);
}

void remove_from_roster(unit_t* u) {
    // A unit that dies keeps the turn until the battle loop ends it. Passed
    // here, the change of turn ran inside the dying unit's turn start or
    // action, or inside the change of turn itself, whose zones then struck
    // twice. Only a unit leaving alive (a dismissed summon, gone from the
    // lists) passes it at once.
    if (u == btl().cur && u->hp > 0) next_unit();
    erase_all(btl().roster, u);
}

void remove_fallen(unit_t* u) { erase_all(btl().fallen, u); }

void insert_after_creator(unit_t* added, unit_t* creator) {
    btl_t& s = btl();
    // A creator missing from the roster (gone meanwhile) puts the unit last
    // rather than nowhere.
    const bool ok = creator && std::find(s.roster.begin(), s.roster.end(), creator) != s.roster.end();
    erase_all(s.roster, added);
    insert_after(s.roster, added, ok ? creator : nullptr);
    erase_all(s.full, added);
    insert_after(s.full, added, ok ? creator : nullptr);
}

void return_from_fallen(unit_t* u, unit_t* creator) {
    remove_fallen(u);
    insert_after_creator(u, creator);
}

// ---- queries ----

bool units_are_enemies(const unit_t* a, const unit_t* b) {
    return a->btl.side != b->btl.side && a->btl.side != SIDE_NONE && b->btl.side != SIDE_NONE;
}

bool units_adjacent(const pt_t& a, const pt_t& b) { return cheb_dist(a, b) == 1; }

bool units_adjacent(const unit_t* a, const unit_t* b) { return units_adjacent(a->pos, b->pos); }

int unit_sq_dist(const pt_t& a, const pt_t& b) {
    const int dx = a.x - b.x, dy = a.y - b.y;
    return dx * dx + dy * dy;
}

unit_t* get_unit_at(int x, int y) { return get_unit_at(pt_t{x, y}); }

unit_t* get_unit_at(const pt_t& p) {
    for (unit_t* u : btl().roster)
        if (u->pos == p) return u;
    return nullptr;
}

int count_units_at(const pt_t& p) {
    const auto& r = btl().roster;
    return int(std::count_if(r.begin(), r.end(), [&](const unit_t* u) { return u->pos == p; }));
}

std::vector<unit_t*> fallen_units_at(const pt_t& p) {
    std::vector<unit_t*> out;
    for (unit_t* u : btl().fallen)
        if (u->pos == p) out.push_back(u);
    return out;
}

namespace {
bool passes(const unit_t* u, const unit_t* v, int flags) {
    if ((flags & RW_ADJ) && !units_adjacent(u, v)) return false;
    if ((flags & RW_NO_HELPLESS) && v->conds.is_helpless()) return false;
    if ((flags & RW_ENEMIES) && !units_are_enemies(u, v)) return false;
    return true;
}
}  // namespace

void for_each_unit(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn) {
    // A copy: a callback may change the roster (a death) while the walk goes on.
    const std::vector<unit_t*> units = btl().roster;
    for (unit_t* v : units)
        if (passes(u, v, flags) && !fn(v)) return;
}

void visit_adjacent(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn) {
    for_each_unit(u, flags | RW_ADJ, fn);
}

std::vector<unit_t*> adjacent_units(const unit_t* u, int flags) {
    std::vector<unit_t*> out;
    visit_adjacent(u, flags, [&](unit_t* v) { return out.push_back(v), true; });
    return out;
}

std::vector<unit_t*> adjacent_enemies(const unit_t* u, int flags) { return adjacent_units(u, flags | RW_ENEMIES); }

bool any_adjacent_enemy(const unit_t* u, int flags) {
    bool any = false;
    visit_adjacent(u, flags | RW_ENEMIES, [&](unit_t*) { return any = true, false; });
    return any;
}

int count_units_around(const unit_t* u, int flags) {
    int n = 0;
    visit_adjacent(u, flags, [&](unit_t*) { return ++n, true; });
    return n;
}

std::vector<unit_t*> units_within(const unit_t* u, int d, int flags) {
    std::vector<unit_t*> out;
    for_each_unit(u, flags, [&](unit_t* v) {
        if (cheb_dist(v->pos, u->pos) <= d) out.push_back(v);
        return true;
    });
    return out;
}

void enemies_of(const unit_t* u, std::vector<unit_t*>* out, int flags) {
    out->clear();
    for_each_unit(u, (flags & RW_NO_HELPLESS) | RW_ENEMIES, [&](unit_t* v) { return out->push_back(v), true; });
}

std::vector<unit_t*> enemies_on_cells(const unit_t* u, const std::vector<pt_t>& cells, int flags) {
    std::vector<unit_t*> out;
    for_each_unit(u, flags | RW_ENEMIES, [&](unit_t* v) {
        if (std::find(cells.begin(), cells.end(), v->pos) != cells.end()) out.push_back(v);
        return true;
    });
    return out;
}

std::vector<unit_t*> enemies_in_area(unit_t* u, int pwr) {
    std::vector<pt_t> cells;
    get_act_tgt_pts(u, pwr, &cells);
    return enemies_on_cells(u, cells, 0);
}

unit_t* nearest_unit(const unit_t* u, int flags) {
    unit_t* best = nullptr;
    int best_d = 0;
    for (unit_t* v : btl().roster) {
        if (v == u || !passes(u, v, flags & (RW_NO_HELPLESS | RW_ENEMIES))) continue;
        if ((flags & RW_ALLIES) && v->btl.side != u->btl.side) continue;
        const int d = unit_sq_dist(u->pos, v->pos);
        if (!best || d < best_d) best = v, best_d = d;
    }
    return best;
}

namespace {
int count_holders_next_to(const unit_t* u, const pt_t& at, int pwr) {
    if (!u->has_pwr(pwr)) return 0;
    int n = 0;
    for (const unit_t* v : btl().roster)
        if (v != u && v->btl.side == u->btl.side && !v->conds.no_threat() && v->has_pwr(pwr) &&
            units_adjacent(v->pos, at))
            ++n;
    return n;
}
}  // namespace

int count_adj_allies_with(const unit_t* u, int pwr) { return count_holders_next_to(u, u->pos, pwr); }

int count_allies_adj_with(const unit_t* u, const unit_t* target, int pwr) {
    return count_holders_next_to(u, target->pos, pwr);
}

std::vector<unit_t*> pwr_chain(unit_t* u, int pwr, int flags) {
    std::vector<unit_t*> out;
    if (!u->has_pwr(pwr)) return out;
    out.push_back(u);
    for (size_t i = 0; i < out.size(); ++i)
        for_each_unit(out[i], flags | RW_ADJ, [&](unit_t* v) {
            if (v->has_pwr(pwr) && std::find(out.begin(), out.end(), v) == out.end()) out.push_back(v);
            return true;
        });
    return out;
}

unit_t* find_unit(const std::function<bool(unit_t*)>& pred) {
    for (unit_t* u : btl().roster)
        if (pred(u)) return u;
    return nullptr;
}

unit_t* find_fallen(const std::function<bool(unit_t*)>& pred) {
    for (unit_t* u : btl().fallen)
        if (pred(u)) return u;
    return nullptr;
}
