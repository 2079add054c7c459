#pragma once
// Who takes part in a battle: the full list in turn order, the roster of living
// units and the fallen list of bodies on the field; and the neighbourhood
// queries the rules make of them. The units belong to their groups.
#include <functional>
#include <vector>

class unit_t;

std::vector<unit_t*>& btl_full_list();
std::vector<unit_t*>& btl_roster();
std::vector<unit_t*>& btl_fallen();

// Refills the roster and the fallen list from the full list, in its order; a
// dead minion leaves no body.
void rebuild_roster();

// Flags of the roster walks.
constexpr int RW_ADJ = 1;         // only units next to u (never u itself)
constexpr int RW_NO_HELPLESS = 2;
constexpr int RW_ENEMIES = 4;     // only enemies of u

// Units of different sides are enemies, except that side 3 is nobody's enemy.
bool units_are_enemies(const unit_t* a, const unit_t* b);
// The two cells differ and lie at most 1 apart in x and in y.
bool units_adjacent(const unit_t* a, const unit_t* b);
// The first roster unit standing on the cell, else null.
unit_t* get_unit_at(int x, int y);
// Calls fn for each roster unit that passes the flags, in order, until it answers false.
void for_each_unit(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn);
void visit_adjacent(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn);
// The roster units next to u that pass the flags.
int count_units_around(unit_t* u, int flags);
// 0 unless u holds the power; else the other roster units of u's side that
// threaten, hold it and stand next to u.
int count_adj_allies_with(const unit_t* u, int pwr);
