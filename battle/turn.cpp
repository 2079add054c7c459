#include "battle/turn.h"

#include <algorithm>

#include "app/input.h"
#include "app/str.h"
#include "battle/btl.h"
#include "battle/listener.h"
#include "battle/roster.h"
#include "battle/unit_move.h"
#include "rules/unit.h"

clr_t side_clrs[4] = {0xFF00FF00, 0xFFFF0000, 0xFF00BFFF, 0xFFFFFF00};

int get_btl_state() { return btl().state; }
bool is_btl_running() { return btl().state == 0; }
bool is_btl_won() { return btl().state == 2; }
bool is_btl_lost() { return btl().state == 3; }
bool is_btl_over() { return is_quitting() || (btl().state >= 1 && btl().state <= 3); }
void abort_btl() { btl().state = 1; }
void set_btl_lost() { btl().state = 3; }

unit_t* get_cur_unit() { return btl().cur; }
tmap_t* get_btl_map() { return btl().map; }
void set_btl_map(tmap_t* m) { btl().map = m; }

Str unit_disp_name(const unit_t* u) {
    Str s;
    if (u) u->get_disp_name(s);
    return s;
}

namespace {
// The first living unit after old in the full list, cyclically, old excluded.
unit_t* first_living_after(unit_t* old) {
    const auto& full = btl().full;
    const auto it = std::find(full.begin(), full.end(), old);
    if (it == full.end()) return nullptr;
    const size_t at = size_t(it - full.begin());
    for (size_t k = 1; k < full.size(); ++k) {
        unit_t* v = full[(at + k) % full.size()];
        if (v->hp > 0) return v;
    }
    return nullptr;
}
}  // namespace

void next_unit() {
    btl_t& b = btl();
    unit_t* old = b.cur;
    unit_t* nu = nullptr;
    const auto it = std::find(b.roster.begin(), b.roster.end(), old);
    if (it != b.roster.end()) {
        if (it + 1 != b.roster.end()) {
            nu = *(it + 1);
        } else {
            ++b.round;
            for (unit_t* u : b.roster) u->btl.act_budget = BUDGET_WHOLE;
            cur_scene()->on_round_start(b.round);
            nu = b.roster.front();
        }
    } else {
        nu = first_living_after(old);
        if (!nu || std::find(b.roster.begin(), b.roster.end(), nu) == b.roster.end()) return;
    }
    // TODO: the zone upkeep of the units passed over comes with the zones' effects.
    cur_scene()->on_cur_unit_changed(old, nu);
    b.cur = nu;
}

void unit_dies(unit_t* u) {
    if (!u) return;
    // TODO: the arena record's counters and the won or lost decision (the
    // party and the turn engine), and the on-death power 255 (auras).
    roster_on_death(u);
    refresh_unit(u, false);
    cur_scene()->on_unit_dies(u);
    cur_scene()->on_roster_changed();
}
