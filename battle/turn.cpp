#include "battle/turn.h"

#include <algorithm>

#include "app/input.h"
#include "battle/roster.h"
#include "app/str.h"
#include "rules/unit.h"

clr_t side_clrs[4] = {0xFF00FF00, 0xFFFF0000, 0xFF00BFFF, 0xFFFFFF00};

namespace {
int g_btl_state = 0;
tmap_t* g_btl_map = nullptr;
}  // namespace

tmap_t* get_btl_map() { return g_btl_map; }
void set_btl_map(tmap_t* m) { g_btl_map = m; }

int get_btl_state() { return g_btl_state; }
bool is_btl_running() { return g_btl_state == 0; }
bool is_btl_won() { return g_btl_state == 2; }
bool is_btl_lost() { return g_btl_state == 3; }
bool is_btl_over() { return is_quitting() || (g_btl_state >= 1 && g_btl_state <= 3); }
void abort_btl() { g_btl_state = 1; }
void set_btl_lost() { g_btl_state = 3; }

Str unit_disp_name(const unit_t* u) {
    Str s;
    if (u) u->get_disp_name(s);
    return s;
}

void unit_dies(unit_t* u) {
    // TODO: the death handling proper (fallen list, grapples, the party's arena
    // record of deaths and kills, listener) comes with the turn engine and the
    // party; until then a dead unit only leaves the roster.
    if (!u) return;
    auto& roster = btl_roster();
    roster.erase(std::remove(roster.begin(), roster.end(), u), roster.end());
}
