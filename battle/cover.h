#pragma once
// Cover and line of effect between two cells, from the second (sight) pass
// classes of the pass-node grid as prepared for the acting unit: class 6 blocks,
// every other class is open. Callers keep both cells inside the grid.
#include "battle/pf.h"

enum : int { COVER_NONE = 0, COVER_PARTIAL = 1, COVER_IMPROVED = 2, COVER_BLOCKED = 3 };

// 0 no cover, 1 cover, 2 improved cover, 3 no line of effect. Best-corner mode
// takes the clearest corner of the source; mixed mode answers 0 only when every
// corner is clear, 3 only when every corner is blocked, else 1.
int cover_level(const pf::pass_grid_t& g, int ax, int ay, int bx, int by, bool mixed);
// A blocking cell (x, y) for some y0 <= y <= y1; false when y0 > y1.
bool col_has_block(const pf::pass_grid_t& g, int x, int y0, int y1);
// A blocking cell (x, y) for some x0 <= x <= x1; false when x0 > x1.
bool row_has_block(const pf::pass_grid_t& g, int y, int x0, int x1);
