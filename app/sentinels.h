#pragma once
// The one sentinel the rules, the battle and the layout share, far beyond any
// real count, size, score or distance. Names that say more (COND_FOREVER,
// NO_TARGET, AUTO_HIT, ...) are defined from it.

// No limit: an unbounded count, size, duration or number of uses; also a cost
// that blocks, a cell out of reach, or not a target (as an attack bonus: no roll).
// Its negative, -UNLIMITED, stands for a success without a roll, for "no value
// yet", or for what can never be reached from below (a speed penalty that
// stops the bearer).
constexpr int UNLIMITED = 1000000000;
