#pragma once
// One command queued on a unit and carried out by the battle engine.
#include "app/types.h"

// Bits of u_cmd_t::flags.
constexpr int UCMD_FREE = 1;       // a free command: an attack of opportunity, counted against the allowance
constexpr int UCMD_NO_COST = 2;    // takes no action points
constexpr int UCMD_NO_ROUND = 4;   // never takes the whole turn
constexpr int UCMD_SHIFT = 8;      // the move is a shift step that provokes nothing
constexpr int UCMD_NO_ANI = 16;    // shown without animation
constexpr int UCMD_VS_SPELL = 32;  // an attack of opportunity provoked by a spell
constexpr int UCMD_VS_MOVE = 64;   // an attack of opportunity provoked by a move

struct u_cmd_t {
    int pwr = 0;    // power registry id; P_MOVE = move
    int param = 0;  // for P_SWAP_WPN the weapon set or WSET_OTHER
    pt_t tgt;
    int flags = 0;
    friend bool operator==(const u_cmd_t&, const u_cmd_t&) = default;
};
