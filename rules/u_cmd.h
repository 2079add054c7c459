#pragma once
// One command queued on a unit and carried out by the battle engine.
#include "app/types.h"

constexpr int UCMD_SHIFT = 8;  // flags: the move is a shift step that provokes nothing

struct u_cmd_t {
    int pwr = 0;    // power registry id; 1 = move
    int param = 0;  // for P_SWAP_WPN the weapon set or WSET_OTHER
    pt_t tgt;
    int flags = 0;
    friend bool operator==(const u_cmd_t&, const u_cmd_t&) = default;
};
