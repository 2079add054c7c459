#include "battle/unit_move.h"

#include <algorithm>
#include <cstdlib>

#include "app/geom.h"
#include "battle/act_ctx.h"
#include "battle/auras.h"
#include "battle/btl.h"
#include "battle/fog.h"
#include "battle/listener.h"
#include "battle/rolls.h"
#include "battle/roster.h"
#include "battle/terrain.h"
#include "battle/tmap.h"
#include "battle/turn.h"
#include "battle/u_pos_guard.h"
#include "battle/zone.h"
#include "rules/pwr_ids.h"
#include "rules/unit.h"

namespace {
int sign(int v) { return (v > 0) - (v < 0); }

bool on_map(const pt_t& p) {
    const tmap_t* m = btl().map;
    return m && p.x >= 0 && p.y >= 0 && p.x < m->get_w() && p.y < m->get_h();
}

// One visible step: sound, the scene's step, the move and the sight reveal.
void shown_step(unit_t* u, const pt_t& c, int ani_flags) {
    btl_sfx(L"mov");
    ani_unit_step(u, c, ani_flags);
    step_unit(u, c);
    show_enter_view(u);
}
}  // namespace

// ---- upkeep ----

void refresh_unit(unit_t* u, bool zones) {
    update_view(u, true, true, false);
    update_auras();
    u->conds.check_grapple();
    for (unit_t* v : std::vector<unit_t*>(btl().roster))
        if (v->has_formation_pwr()) v->recalc();
    if (zones) zone_entry(u);
}

void step_unit(unit_t* u, const pt_t& p) {
    u->pos = p;
    refresh_unit(u, true);
}

void place_unit(unit_t* u, const pt_t& p) {
    if (get_unit_at(p)) return;
    step_unit(u, p);
    cur_scene()->on_unit_moved(u);
}

// ---- walking ----

namespace {

// How the walk ended: at its end, before a step (blocked or dead), or by a
// stop rule after entering a cell.
enum walk_end_e : int { WALK_DONE = 0, WALK_BLOCKED = 1, WALK_STOPPED = 2 };

// Steps 3a to 3d of the walk.
int walk_steps(unit_t* u, bool was_prone) {
    btl_t& b = btl();
    const std::vector<pt_t> path = b.walk_path;
    for (size_t i = 0; i < path.size() && !is_btl_over(); ++i) {
        const pt_t c = path[i];
        if (!can_step(u->pos, c)) return WALK_BLOCKED;
        shown_step(u, c, 0);
        b.walk_step = int(i) + 1;
        if (u->hp < 1) return WALK_BLOCKED;
        if (i + 1 == path.size()) break;
        const pf::node_t& n = b.map->search_grid.at(c.x, c.y);
        if ((n.marks & pf::MARK_STOP) || !can_use_pwr(u, P_MOVE) || (!was_prone && u->conds.is_prone()))
            return WALK_STOPPED;
    }
    return WALK_DONE;
}

bool shares_cell(const unit_t* u) {
    const auto& r = btl().roster;
    return std::any_of(r.begin(), r.end(), [&](const unit_t* v) { return v != u && v->pos == u->pos; });
}

// A walk stopped on another unit's cell goes back along its path to a cell
// that u holds alone.
void step_back(unit_t* u, const pt_t& start) {
    const std::vector<pt_t>& path = btl().walk_path;
    int i = btl().walk_step - 1;  // u stands on path[i]
    while (shares_cell(u) && i >= 0) {
        --i;
        u->pos = i >= 0 ? path[size_t(i)] : start;
    }
    refresh_unit(u, false);
}

}  // namespace

bool walk_unit(unit_t* u, const pt_t& to) {
    btl_t& b = btl();
    const bool was_prone = u->conds.is_prone();
    const pt_t start = u->pos;
    b.walk_step = 0;
    find_unit_path(u, to, &b.walk_path);
    set_fog_in_search(false);
    mark_search_grid(u, SF_WALK);
    set_fog_in_search(true);
    // An unreachable target is no success, though the move is still booked.
    bool ok = !b.walk_path.empty() || to == u->pos;
    if (ok && b.map) {
        const int r = walk_steps(u, was_prone);
        // Whatever ended the walk, a living unit never stays on another's cell:
        // a walk blocked right after crossing an ally, or sent onto an occupied
        // target, steps back as a walk stopped by the rules does.
        const bool shared = u->hp > 0 && shares_cell(u);
        if (r == WALK_DONE && !shared) u->run_dir = straight_run_dir(start, to);
        if (u->hp > 0 && (r == WALK_STOPPED || shared)) step_back(u, start);
        ok = r == WALK_DONE && !shared;
    }
    b.walk_path.clear();
    b.walk_step = 0;
    cur_scene()->on_unit_moved(u);
    return ok;
}

const std::vector<pt_t>& get_walk_path() { return btl().walk_path; }
int get_walk_step() { return btl().walk_step; }

// ---- forced movement ----

bool slide_unit(unit_t* u, const pt_t& to) {
    if (!is_free_cell(to)) return false;
    const int n = cheb_dist(u->pos, to);
    // Each step heads for what is left of the way, so a slide that is not a
    // straight line still ends on to.
    for (int i = 0; i < n; ++i) shown_step(u, {u->pos.x + sign(to.x - u->pos.x), u->pos.y + sign(to.y - u->pos.y)}, STEP_SLIDE);
    cur_scene()->on_unit_moved(u);
    return true;
}

bool can_push_step(const unit_t* u, const pt_t& a, const pt_t& b) {
    if (!on_map(b) || !on_map(a)) return false;
    const tmap_t* m = btl().map;
    const auto blocks = [&](int x, int y) { return m->get_pass1(x, y) == PASS_BLOCK; };
    if (blocks(b.x, b.y)) return false;
    if (a.x != b.x && a.y != b.y && (blocks(a.x, b.y) || blocks(b.x, a.y))) return false;
    const unit_t* there = get_unit_at(b);
    return !there || there == u;
}

int knock_back(const unit_t* src, unit_t* u, int n) {
    if (!src || !u || u->conds.is_prone()) return 0;
    const pt_t step{sign(u->pos.x - src->pos.x), sign(u->pos.y - src->pos.y)};
    if (step.x == 0 && step.y == 0) return 0;
    int made = 0;
    // Each step is checked on the map and the roster as they are, not on a
    // search grid prepared for someone else: a push never lands on a unit.
    while (made < n) {
        const pt_t next{u->pos.x + step.x, u->pos.y + step.y};
        if (!can_push_step(u, u->pos, next)) break;
        shown_step(u, next, 0);
        ++made;
    }
    return made;
}

// ---- planning moves ----

u_cmd_t make_mov_cmd(unit_t* u, const pt_t& to) {
    return {.pwr = P_MOVE, .param = 0, .tgt = to, .flags = can_shift_to(u, to) ? UCMD_SHIFT : 0};
}

void move_unit_to(unit_t* u, const pt_t& to) {
    const u_cmd_t cmd = make_mov_cmd(u, to);
    u->run_dir = straight_run_dir(u->pos, to);
    u->pos = to;
    spend_act_pts(u, cmd);
}

void save_unit_pos(u_pos_state_t* out, const unit_t* u) {
    *out = {u->pos.x, u->pos.y, u->btl.act_budget, u->btl.turn_flags, u->run_dir};
}

void restore_unit_pos(const u_pos_state_t* s, unit_t* u) {
    u->pos = {s->x, s->y};
    u->btl.act_budget = s->act;
    u->btl.turn_flags = s->turn_flags;
    u->run_dir = s->run_dir;
}

u_pos_guard_t::u_pos_guard_t(unit_t* u, const pt_t& to) : u_pos_guard_t(u) {
    if (to != u->pos) move_unit_to(u, to);
}
