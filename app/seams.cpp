#include "app/seams.h"

#include <SDL.h>

namespace {
uint32_t default_ticks() { return SDL_GetTicks(); }
uint64_t default_perf_counter() { return SDL_GetPerformanceCounter(); }
uint64_t default_perf_freq() { return SDL_GetPerformanceFrequency(); }
uint32_t default_mouse(int* x, int* y) { return SDL_GetMouseState(x, y); }
const uint8_t* default_keys(int* n) { return SDL_GetKeyboardState(n); }
int default_mod() { return int(SDL_GetModState()); }
bool default_display_size(int display, bool usable, int* w, int* h) {
    SDL_Rect r{0, 0, 0, 0};
    if ((usable ? SDL_GetDisplayUsableBounds(display, &r) : SDL_GetDisplayBounds(display, &r)) != 0) return false;
    *w = r.w, *h = r.h;
    return true;
}

constexpr seams_t defaults{default_ticks, default_perf_counter, default_perf_freq,
                           default_mouse, default_keys, default_mod, default_display_size};
seams_t live = defaults;
}  // namespace

seams_t& seams() { return live; }
void seams_reset() { live = defaults; }
