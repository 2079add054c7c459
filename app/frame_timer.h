#pragma once
// Frame time and frames per second from the performance counter.
#include <cstdint>

// Frame-time consumers never step by more than one sixtieth of a second.
constexpr double FRAME_DT_MAX = 0.016666;

struct frame_timer_t {
    uint64_t freq = 1;       // counts per second
    uint64_t start = 0;      // counter value that stands for t = 0
    int frames = 0;          // frames in the current counting window
    double fps = 0;          // frames counted in the last whole window
    double dt = 0;           // seconds of the last frame
    double last_t = -1;      // t of the previous tick; negative before the first
    double window_start = 0; // t at which the current counting window began

    void tick();
};

// The one frame timer, made on first use.
frame_timer_t* get_frame_timer();
