#pragma once
#include <cstdint>

// A mark on the millisecond clock and the time since it, modulo 2^32.
void tick_mark();
uint32_t ticks_since_mark();
