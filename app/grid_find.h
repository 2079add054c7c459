#pragma once
#include <vector>

#include "app/types.h"

// Cells of r whose value is value, as {x, y} in row order. The part of r outside
// the grid is ignored.
std::vector<pt_t> grid_find_cells(const grid_t<int>& g, const rect& r, int value);
