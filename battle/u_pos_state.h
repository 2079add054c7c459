#pragma once
// A unit's place and turn state, saved and restored around planning and previews.
#include <cstdint>

struct u_pos_state_t {
    int32_t x = 0;
    int32_t y = 0;
    int32_t act = 0;         // action points left
    int32_t turn_flags = 0;
    int32_t run_dir = -1;
};
