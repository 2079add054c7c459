#include "battle/unit_move.h"

#include <algorithm>
#include <cstdlib>

#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "rules/unit.h"

namespace {
int sign(int v) { return (v > 0) - (v < 0); }

bool in_map(const tmap_t* m, int x, int y) { return x >= 0 && y >= 0 && x < m->get_w() && y < m->get_h(); }

// A cell a unit may enter: on the map, not blocking, nobody standing there.
bool is_free_cell(const tmap_t* m, int x, int y) {
    return in_map(m, x, y) && m->get_pass1(x, y) != PASS_BLOCK && !get_unit_at(x, y);
}

// A diagonal step from a to b passes a blocking cell at its side.
bool corner_cut(const tmap_t* m, const pt_t& a, const pt_t& b) {
    if (a.x == b.x || a.y == b.y) return false;
    return m->get_pass1(a.x, b.y) == PASS_BLOCK || m->get_pass1(b.x, a.y) == PASS_BLOCK;
}

bool can_push_to(const tmap_t* m, const pt_t& a, const pt_t& b) {
    return is_free_cell(m, b.x, b.y) && !corner_cut(m, a, b);
}

constexpr int pass_plain = 2;  // plain ground; hard ground (3) needs "shift_hard"
}  // namespace

bool can_shift_to(const unit_t* u, const pt_t& to) {
    const tmap_t* m = get_btl_map();
    if (!u || !m || u->conds.is_slowed()) return false;
    const int dx = std::abs(to.x - u->pos.x), dy = std::abs(to.y - u->pos.y);
    if (std::max(dx, dy) != 1 || !is_free_cell(m, to.x, to.y) || corner_cut(m, u->pos, to)) return false;
    return u->has_pwr(260) || m->get_pass1(to.x, to.y) == pass_plain;
}

int knock_back(const unit_t* src, unit_t* u, int n) {
    const tmap_t* m = get_btl_map();
    if (!src || !u || !m || u->conds.is_prone()) return 0;
    // The direction is fixed at the start: straight away from where the source stands.
    const int sx = sign(u->pos.x - src->pos.x), sy = sign(u->pos.y - src->pos.y);
    if (!sx && !sy) return 0;
    int moved = 0;
    for (; moved < n; ++moved) {
        const pt_t next{u->pos.x + sx, u->pos.y + sy};
        if (!can_push_to(m, u->pos, next)) break;
        // TODO: the step animation, sight, auras and zone entry of each step come
        // with unit movement; the cell change is what the rules read.
        u->pos = next;
    }
    return moved;
}
