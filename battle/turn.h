#pragma once
// The life of one battle: its state and the queries the rules make of it.
#include "app/types.h"

class Str;
class tmap_t;
class unit_t;

// The colour of each side: 0 the player's, 1 the opponents, 2 and 3 further sides.
extern clr_t side_clrs[4];

// The map of the battle; null outside one. The battle set-up stores it.
tmap_t* get_btl_map();
void set_btl_map(tmap_t* m);

// 0 running, 1 aborted, 2 won, 3 lost.
int get_btl_state();
bool is_btl_running();
bool is_btl_won();
bool is_btl_lost();
// The program is quitting, or the battle ended in any way.
bool is_btl_over();
void abort_btl();
void set_btl_lost();
// The unit whose turn it is.
unit_t* get_cur_unit();
// Passes the turn to the next roster unit; past the last one a new round
// begins. When the current unit has left the roster, the next living unit of
// the full list takes the turn, if it is in the roster.
void next_unit();

// The death handling of a unit whose hit points fell from above 0 to 0 or below;
// it counts party deaths and monster kills on the arena record.
void unit_dies(unit_t* u);
// The unit's display name, by value; every battle-log line names units through it.
Str unit_disp_name(const unit_t* u);
