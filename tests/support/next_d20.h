#pragma once
// Forced dice: the game's generator set so that its next draws, read as d20s
// (rnd_rand() % 20 + 1), show what a case needs.
#include <cstdint>

#include "app/rnd.h"

// Each of the next n draws shows lo to hi: a check after a blow comes up too,
// however many damage dice lie between.
inline void next_d20s(int lo, int hi, int n) {
    auto shows = [&] {
        const int d = rnd_rand() % 20 + 1;
        return d >= lo && d <= hi;
    };
    for (uint32_t s = 1;; ++s) {
        rnd_set_state(s);
        int i = 0;
        while (i < n && shows()) ++i;
        if (i < n) continue;
        rnd_set_state(s);
        return;
    }
}

inline void next_d20(int face) { next_d20s(face, face, 1); }
