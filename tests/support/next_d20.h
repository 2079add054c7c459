#pragma once
// Sets the game's generator so that its next d20 (rnd_rand() % 20 + 1) shows `face`.
#include <cstdint>

#include "app/rnd.h"

inline void next_d20(int face) {
    for (uint32_t s = 1;; ++s) {
        rnd_set_state(s);
        if (rnd_rand() % 20 + 1 != face) continue;
        rnd_set_state(s);
        return;
    }
}
