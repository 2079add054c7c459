#pragma once
// The open regions of a grid of 0 (closed) and 1 (open) cells, joined through
// their edges: map generation joins them, deployment uses the largest.
#include "app/types.h"

// Relabels the region of from-cells (4-connected) that holds (x, y) to `to`;
// returns its size. Iterative, so a large map cannot overflow the stack.
int fill_region(grid_t<int>& g, int x, int y, int from, int to);
// Labels every region of 1-cells 2, 3, ... in scan order (rows outer) and
// returns the label of the largest, the first on equal sizes; 0 when none.
int label_regions(grid_t<int>& g);
