#pragma once
// Every read of time, of the input devices and of the display's size goes
// through these replaceable functions, so tests drive routing, double clicks
// and waits without real time (SDL's own input state does not follow
// SDL_PushEvent), and start on a display of the size they need.
#include <cstdint>

struct seams_t {
    uint32_t (*ticks_ms)();                  // default SDL_GetTicks
    uint64_t (*perf_counter)();              // default SDL_GetPerformanceCounter
    uint64_t (*perf_freq)();                 // default SDL_GetPerformanceFrequency
    uint32_t (*mouse_state)(int* x, int* y); // default SDL_GetMouseState
    const uint8_t* (*key_state)(int* count); // default SDL_GetKeyboardState
    int (*mod_state)();                      // default SDL_GetModState
    // Default SDL_GetDisplayBounds, or SDL_GetDisplayUsableBounds (the desktop
    // less task bars); false when the display cannot tell.
    bool (*display_size)(int display, bool usable, int* w, int* h);
};

// The live set; tests replace members and restore with seams_reset().
seams_t& seams();
void seams_reset();

inline uint32_t sys_ticks() { return seams().ticks_ms(); }
