#pragma once
// Who takes part in a battle: the full list in turn order, the roster of living
// units and the fallen list of bodies on the field; and the neighbourhood
// queries the rules make of them. The units belong to their groups (summons to
// the summon list); the lists live in the battle state (battle/btl.h).
#include <functional>
#include <vector>

#include "app/types.h"

class unit_t;

std::vector<unit_t*>& btl_full_list();
std::vector<unit_t*>& btl_roster();
std::vector<unit_t*>& btl_fallen();

// ---- list maintenance ----

// The first group's units, then the second's, in initiative order: the roster
// and the full list; the fallen list empty.
void build_roster(const std::vector<unit_t*>& a, const std::vector<unit_t*>& b);
// A d20 per roster unit in roster order, a shuffle, then a stable sort by
// initiative total and then bonus, highest first: ties of both stay shuffled.
void roll_initiative();
// Refills the roster and the fallen list from the full list, in its order; a
// dead minion or summon leaves no body.
void rebuild_roster();
// u died: it leaves the roster and its body joins the fallen list unless it
// leaves none. A current unit keeps the turn until the battle loop passes it.
void roster_on_death(unit_t* u);
// A current unit that leaves alive (dismissed) passes the turn first.
void remove_from_roster(unit_t* u);
void remove_fallen(unit_t* u);
// added goes right after creator in the roster and in the full list; with no
// creator in the roster, at the end of both.
void insert_after_creator(unit_t* added, unit_t* creator);
void return_from_fallen(unit_t* u, unit_t* creator);
// A minion (rank 4) or a summoned unit leaves no body.
bool leaves_body(const unit_t* u);

// ---- queries ----

// Flags of the roster walks.
constexpr int RW_ADJ = 1;         // only units next to u (never u itself)
constexpr int RW_NO_HELPLESS = 2;
constexpr int RW_ENEMIES = 4;     // only enemies of u
constexpr int RW_ALLIES = 8;      // only u's side (nearest_unit)

// Units of different sides are enemies, except that SIDE_NONE is nobody's enemy.
bool units_are_enemies(const unit_t* a, const unit_t* b);
// The two cells differ and lie at most 1 apart in x and in y.
bool units_adjacent(const pt_t& a, const pt_t& b);
bool units_adjacent(const unit_t* a, const unit_t* b);
int unit_sq_dist(const pt_t& a, const pt_t& b);
// The first roster unit standing on the cell, else null.
unit_t* get_unit_at(int x, int y);
unit_t* get_unit_at(const pt_t& p);
int count_units_at(const pt_t& p);
std::vector<unit_t*> fallen_units_at(const pt_t& p);
// Calls fn for each roster unit that passes the flags, in order, until it answers false.
void for_each_unit(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn);
void visit_adjacent(const unit_t* u, int flags, const std::function<bool(unit_t*)>& fn);
std::vector<unit_t*> adjacent_units(const unit_t* u, int flags);
std::vector<unit_t*> adjacent_enemies(const unit_t* u, int flags);
bool any_adjacent_enemy(const unit_t* u, int flags);
// The roster units next to u that pass the flags.
int count_units_around(const unit_t* u, int flags);
// Roster units within Chebyshev distance d of u (u itself included).
std::vector<unit_t*> units_within(const unit_t* u, int d, int flags);
// Every roster unit of another side than u (none for SIDE_NONE); out emptied first.
void enemies_of(const unit_t* u, std::vector<unit_t*>* out, int flags);
std::vector<unit_t*> enemies_on_cells(const unit_t* u, const std::vector<pt_t>& cells, int flags);
// The enemies standing on the cells at which u may aim the power.
std::vector<unit_t*> enemies_in_area(unit_t* u, int pwr);
// The nearest other roster unit by squared distance, the earlier on ties; flags
// 2 skip helpless, 4 enemies only, 8 u's side only.
unit_t* nearest_unit(const unit_t* u, int flags);
// 0 unless u holds the power; else the other roster units of u's side that
// threaten, hold it and stand next to u (or next to target).
int count_adj_allies_with(const unit_t* u, int pwr);
int count_allies_adj_with(const unit_t* u, const unit_t* target, int pwr);
// u and every roster unit joined to it through adjacent holders of the power;
// empty unless u holds it.
std::vector<unit_t*> pwr_chain(unit_t* u, int pwr, int flags);
unit_t* find_unit(const std::function<bool(unit_t*)>& pred);
unit_t* find_fallen(const std::function<bool(unit_t*)>& pred);
