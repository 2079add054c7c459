#pragma once
// Moving units on the battle map.
class unit_t;
struct pt_t;

// A one-cell step that needs no move action and provokes nothing.
bool can_shift_to(const unit_t* u, const pt_t& to);
// Pushes u up to n cells straight away from src; nothing for a prone unit.
// Returns the cells moved.
int knock_back(const unit_t* src, unit_t* u, int n);
