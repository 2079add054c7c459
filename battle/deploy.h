#pragma once
// Placing both sides on the map when a battle begins.
#include <vector>

#include "app/types.h"

class Str;
class unit_t;

// Puts a's units around a random cell of the map's largest open region and b's
// around a cell about 10 cells from it, each unit on a free cell of its own.
// When the region is full a unit takes the nearest free cell of the whole map;
// false (with the reason in why) when the map has no free cell left.
bool deploy_groups(const std::vector<unit_t*>& a, const std::vector<unit_t*>& b, Str* why = nullptr);
// The cells of the largest open region (first pass class not 6), rows outer.
std::vector<pt_t> get_start_cells();
// The first cell whose truncated distance to p is 10, else the one nearest to
// 10 (the first of equals); p when cells is empty.
pt_t far_start_cell(const pt_t& p, const std::vector<pt_t>& cells);
