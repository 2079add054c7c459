#include "battle/roster.h"

#include <cstdlib>

#include "rules/unit.h"

namespace {
std::vector<unit_t*> g_full, g_roster, g_fallen;

// TODO: a summoned unit leaves no body either, once units carry their creator (summoning).
bool leaves_body(const unit_t* u) { return u->base.rank != 4; }
}  // namespace

std::vector<unit_t*>& btl_full_list() { return g_full; }
std::vector<unit_t*>& btl_roster() { return g_roster; }
std::vector<unit_t*>& btl_fallen() { return g_fallen; }

void rebuild_roster() {
    g_roster.clear();
    g_fallen.clear();
    for (unit_t* u : g_full) {
        if (u->hp > 0) g_roster.push_back(u);
        else if (leaves_body(u)) g_fallen.push_back(u);
    }
}

bool units_are_enemies(const unit_t* a, const unit_t* b) {
    return a->btl.side != b->btl.side && a->btl.side != 3 && b->btl.side != 3;
}

bool units_adjacent(const unit_t* a, const unit_t* b) {
    const int dx = std::abs(a->pos.x - b->pos.x), dy = std::abs(a->pos.y - b->pos.y);
    return (dx || dy) && dx <= 1 && dy <= 1;
}

unit_t* get_unit_at(int x, int y) {
    for (unit_t* u : g_roster)
        if (u->pos.x == x && u->pos.y == y) return u;
    return nullptr;
}

void for_each_unit(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn) {
    // A copy: a callback may change the roster (a death) while the walk goes on.
    const std::vector<unit_t*> units = g_roster;
    for (unit_t* v : units) {
        if ((flags & RW_ADJ) && !units_adjacent(u, v)) continue;
        if ((flags & RW_NO_HELPLESS) && v->conds.is_helpless()) continue;
        if ((flags & RW_ENEMIES) && !units_are_enemies(u, v)) continue;
        if (!fn(v)) return;
    }
}

void visit_adjacent(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn) {
    for_each_unit(u, flags | RW_ADJ, fn);
}

int count_units_around(unit_t* u, int flags) {
    int n = 0;
    visit_adjacent(u, flags, [&](unit_t*) { return ++n, true; });
    return n;
}

int count_adj_allies_with(const unit_t* u, int pwr) {
    if (!u->has_pwr(pwr)) return 0;
    int n = 0;
    visit_adjacent(u, 0, [&](unit_t* v) {
        if (v != u && v->btl.side == u->btl.side && !v->conds.no_threat() && v->has_pwr(pwr)) ++n;
        return true;
    });
    return n;
}
