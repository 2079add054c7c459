#pragma once
// The life of one battle: set-up, the battle loop with its turns and rounds,
// deaths and revivals, and the queries the rules make of it. The state lives
// in the battle state object (battle/btl.h).
#include "app/types.h"
#include "rules/u_btl_state.h"

class Str;
class tmap_t;
class unit_grp_t;
class unit_t;
struct u_cmd_t;

// The colour of each side: SIDE_PLAYER, SIDE_FOES, a further side, SIDE_NONE.
extern clr_t side_clrs[BTL_SIDES];

// ---- set-up, loop and end ----

// Stores the groups and the map, builds the roster with initiative, deploys
// both sides and readies every unit. Calls no listener operation. False when
// the map has no room for the sides: the battle must not be run.
bool begin_btl(unit_grp_t* a, unit_grp_t* b, tmap_t* map);
// Gives turns until the battle is over or the program quits.
void run_btl();
// Removes the zones and the summoned units and lets go of every other unit:
// the lists are empty, the current unit and the groups null. The result
// (state, no_death, round) stays for the pages after the fight.
void end_btl();

// BTL_NONE before the first battle, then BTL_RUNNING, BTL_ABORTED, BTL_WON or BTL_LOST.
int get_btl_state();
bool is_btl_running();
bool is_btl_won();
bool is_btl_lost();
// The program is quitting, the battle ended in any way, or none was ever set up.
bool is_btl_over();
void abort_btl();
void set_btl_lost();
// The unit whose turn it is; the map the battle was set up with.
unit_t* get_cur_unit();
tmap_t* get_btl_map();
// The battle set-up stores the map; tests set one directly.
void set_btl_map(tmap_t* m);

// ---- turns ----

// Computer-controlled, or unable to take commands.
bool is_ai_unit(const unit_t* u);
// Carries out one queued command; false stops the rest of the queue.
bool perform_cmd(unit_t* u, const u_cmd_t* cmd);
void btl_turn_start(unit_t* u);
void btl_turn_end(unit_t* u);
// Passes the turn to the next roster unit; past the last one a new round
// begins. When the current unit has left the roster (it died), the next living
// unit of the full list takes the turn, if it is in the roster, and a new
// round begins when the search passed the end of the list.
void next_unit();
// The current unit waits: it moves behind every other unit of the order.
void delay_turn();
// Not yet delayed this round, and not the last unit of the roster.
bool can_delay_turn(const unit_t* u);
// Flips a switched power and recalculates the unit.
void toggle_unit_pwr(unit_t* u, int pwr);

// ---- deaths and revivals ----

// The death handling of a unit whose hit points fell from above 0 to 0 or below;
// it counts party deaths and monster kills on the arena record.
void unit_dies(unit_t* u);
// A fallen unit is up again: it rejoins after its creator (at the end when the
// creator is missing or down).
void unit_rejoins(unit_t* u, unit_t* creator);
// The unit's display name, by value; every battle-log line names units through it.
Str unit_disp_name(const unit_t* u);
