#pragma once
// The first monster of the table with a rank, or 0 when none has it.
#include "rules/mon.h"

inline int mon_of_rank(int rank) {
    for (int id = 1; id < MON_COUNT; ++id)
        if (get_mon(id).rank == rank) return id;
    return 0;
}
