#pragma once
// Units that cannot take commands but can still act follow their strongest
// controlling condition: polymorphed units wander, turned or frightened ones
// flee, mad ones attack the nearest unit and charmed ones their own side. Only
// the command queue is filled; the battle loop carries it out.
#include <vector>

#include "app/types.h"

class unit_t;

void forced_behaviour(unit_t* u);
void wander(unit_t* u);
void flee(unit_t* u, int cond);
// flags as nearest_unit: 0 any side ("mad"), 8 u's own side ("charm").
void rampage(unit_t* u, int flags);
void shuffle_pts(std::vector<pt_t>& pts);
