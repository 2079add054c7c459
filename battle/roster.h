#pragma once
// Who stands where in a battle, and the neighbourhood queries the rules make.
class unit_t;

// The two cells differ and lie at most 1 apart in x and in y.
bool units_adjacent(const unit_t* a, const unit_t* b);
// 0 unless u holds the power; else the other roster units of u's side that
// threaten, hold it and stand next to u.
int count_adj_allies_with(const unit_t* u, int pwr);
// The roster units next to u that the adjacency visitor counts under these flags.
int count_units_around(unit_t* u, int flags);
