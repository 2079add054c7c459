#include "app/seams.h"

#include <SDL.h>

namespace {
uint32_t default_ticks() { return SDL_GetTicks(); }
uint64_t default_perf_counter() { return SDL_GetPerformanceCounter(); }
uint64_t default_perf_freq() { return SDL_GetPerformanceFrequency(); }
uint32_t default_mouse(int* x, int* y) { return SDL_GetMouseState(x, y); }
const uint8_t* default_keys(int* n) { return SDL_GetKeyboardState(n); }
int default_mod() { return int(SDL_GetModState()); }

constexpr seams_t defaults{default_ticks, default_perf_counter, default_perf_freq,
                           default_mouse, default_keys, default_mod};
seams_t live = defaults;
}  // namespace

seams_t& seams() { return live; }
void seams_reset() { live = defaults; }
