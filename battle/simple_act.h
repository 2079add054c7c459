#pragma once
// The five commands that need no attack machinery: move (P_MOVE), end a grapple
// (P_GRAP_END), swap the weapon set (P_SWAP_WPN), wait (P_WAIT) and end the turn
// (P_END_TURN).
#include "battle/act_ctx.h"

class unit_t;
struct u_cmd_t;

class do_simple_act_t : public act_ctx_base_t {
public:
    unit_t* u = nullptr;
    const u_cmd_t* cmd = nullptr;
    int flags = 0;  // PC_* bits of the pre-check

    do_simple_act_t(unit_t* u, const u_cmd_t* cmd) : u(u), cmd(cmd) {}
    // False when the command was cancelled or had no effect; the cost is booked
    // unless it was cancelled.
    bool run() override;

private:
    void carry_out();
    void grap_end();
    void swap_wpn();
    void wait();
    void end_turn();
};

bool is_simple_cmd(int code);
bool run_simple_cmd(unit_t* u, const u_cmd_t* cmd);
// The defence condition ending the turn grants: 14 "def_full" with all 4
// action points left, 13 "def" with 3, else 0; 0 for a unit that cannot act,
// cannot take commands or is grappling.
int defend_cond(const do_simple_act_t& ctx);
