#pragma once
// A unit moved for a trial (planning, a hover's preview) is put back by the
// guard that saved it, never by hand: whatever path leaves the scope, the unit
// stands where it stood, with the same action points, turn flags and run.
#include "app/types.h"
#include "battle/u_pos_state.h"
#include "battle/unit_move.h"

class u_pos_guard_t {
public:
    explicit u_pos_guard_t(unit_t* u) : u_(u) { save_unit_pos(&saved_, u); }
    // Saves u, then makes the planning move to `to` unless u stands there.
    u_pos_guard_t(unit_t* u, const pt_t& to);
    ~u_pos_guard_t() { restore(); }
    u_pos_guard_t(const u_pos_guard_t&) = delete;
    u_pos_guard_t& operator=(const u_pos_guard_t&) = delete;

    // Back to the saved state now; the guard still restores at its end.
    void restore() const { restore_unit_pos(&saved_, u_); }

private:
    unit_t* u_;
    u_pos_state_t saved_;
};
