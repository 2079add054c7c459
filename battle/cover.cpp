#include "battle/cover.h"

#include <algorithm>
#include <cassert>
#include <cstdlib>

#include "battle/terrain.h"

namespace {

// The scan is written once, for a target up and to the left of the source.
// The other quadrants are read through a mirror: cell x becomes -x - 1 and
// corner x becomes -x, so every step, constant and order is mirrored exactly
// (negation is exact in floating point, so mirrored maps give equal levels).
struct frame_t {
    const pf::pass_grid_t& g;
    bool mx;
    bool my;

    int cell_x(int x) const { return mx ? -x - 1 : x; }
    int cell_y(int y) const { return my ? -y - 1 : y; }
    // (x, y) in the frame's coordinates; the mirror is its own inverse.
    bool blocked(int x, int y) const { return g.at(cell_x(x), cell_y(y)).pass == PASS_BLOCK; }
};

int level_of(double f) {
    if (f < 0.0001) return COVER_NONE;
    if (f < 0.7501) return COVER_PARTIAL;
    if (f < 0.9999) return COVER_IMPROVED;
    return COVER_BLOCKED;
}

// The share of the target that the blocking cells hide from corner (cx, cy).
int corner_level(const frame_t& fr, int cx, int cy, int bx, int by) {
    const int dx = cx - bx, dy = cy - by;
    // Line A passes the target's corner (bx + 1, by), line B its corner (bx, by + 1).
    const double a = double(dy) / double(dx - 1);
    const double b = double(dy - 1) / double(dx);
    double lower = 0, upper = 0;
    for (int x = cx - 1; x >= bx; --x) {
        const int k = cx - x;
        const double ya = cy - k * a, yb = cy - k * b;
        const double ya2 = ya + a, yb2 = yb + b;
        for (int y = cy - 1; y >= by; --y) {
            if ((x == bx && y == by) || !(yb2 > y) || !fr.blocked(x, y)) continue;
            if (y > ya2)
                lower = std::max(lower, (yb2 - y) / (yb2 - ya2));
            else if (y + 1 > ya)
                upper = std::max(upper, (y + 1 - ya) / (yb - ya));
            if (lower + upper > 0.9999) return level_of(lower + upper);
        }
    }
    return level_of(lower + upper);
}

struct fold_t {
    bool mixed;
    int result = -1;  // -1: no corner yet

    // True when the scan may stop: best-corner mode found a clear corner.
    bool add(int level) {
        if (!mixed) {
            result = result < 0 ? level : std::min(result, level);
            return level == COVER_NONE;
        }
        if (level == COVER_IMPROVED) level = COVER_PARTIAL;
        if (result < 0)
            result = level;
        else if ((result == COVER_NONE || result == COVER_BLOCKED) && level != result)
            result = COVER_PARTIAL;
        return false;
    }
};

int cover_scan(const frame_t& fr, int ax, int ay, int bx, int by, bool mixed) {
    fold_t fold{mixed};
    for (int cx = ax; cx <= ax + 1; ++cx) {
        if (cx == bx + 1) {
            // The target's column touches the source's: this corner column is its near edge.
            int level = COVER_NONE;
            for (int y = by + 1; y <= ay && level == COVER_NONE; ++y)
                if (fr.blocked(bx, y)) level = COVER_BLOCKED;
            if (fold.add(level)) return COVER_NONE;
            continue;
        }
        for (int cy = ay; cy <= ay + 1; ++cy)
            if (fold.add(corner_level(fr, cx, cy, bx, by))) return COVER_NONE;
    }
    return fold.result;
}

bool blocks(const pf::pass_grid_t& g, int x, int y) { return g.at(x, y).pass == PASS_BLOCK; }

}  // namespace

bool col_has_block(const pf::pass_grid_t& g, int x, int y0, int y1) {
    assert((y0 > y1 || (g.in(x, y0) && g.in(x, y1))) && "column outside the grid");
    for (int y = y0; y <= y1; ++y)
        if (blocks(g, x, y)) return true;
    return false;
}

bool row_has_block(const pf::pass_grid_t& g, int y, int x0, int x1) {
    assert((x0 > x1 || (g.in(x0, y) && g.in(x1, y))) && "row outside the grid");
    for (int x = x0; x <= x1; ++x)
        if (blocks(g, x, y)) return true;
    return false;
}

int cover_level(const pf::pass_grid_t& g, int ax, int ay, int bx, int by, bool mixed) {
    assert(g.in(ax, ay) && g.in(bx, by) && "cover test outside the grid");
    if (ax == bx) {
        if (std::abs(ay - by) <= 1) return COVER_NONE;
        return col_has_block(g, ax, std::min(ay, by) + 1, std::max(ay, by) - 1) ? COVER_BLOCKED : COVER_NONE;
    }
    if (ay == by) {
        if (std::abs(ax - bx) == 1) return COVER_NONE;
        return row_has_block(g, ay, std::min(ax, bx) + 1, std::max(ax, bx) - 1) ? COVER_BLOCKED : COVER_NONE;
    }
    const int sx = bx > ax ? 1 : -1, sy = by > ay ? 1 : -1;
    if (blocks(g, ax + sx, ay) && blocks(g, ax, ay + sy)) return COVER_BLOCKED;  // the source is boxed in
    if (blocks(g, bx - sx, by) && blocks(g, bx, by - sy)) return COVER_BLOCKED;  // the target is boxed in
    const frame_t fr{g, sx > 0, sy > 0};
    return cover_scan(fr, fr.cell_x(ax), fr.cell_y(ay), fr.cell_x(bx), fr.cell_y(by), mixed);
}
