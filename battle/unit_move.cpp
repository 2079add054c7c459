#include "battle/unit_move.h"

#include "rules/unit.h"

int knock_back(const unit_t* src, unit_t* u, int n) {
    if (!src || !u || u->conds.is_prone()) return 0;
    // TODO: each step needs the battle map and the movement rules' can_step, which
    // come with unit movement; until then no cell can be entered and nothing moves.
    (void)n;
    return 0;
}
