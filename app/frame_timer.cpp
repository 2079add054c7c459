#include "app/frame_timer.h"

#include "app/seams.h"

void frame_timer_t::tick() {
    frames += 1;
    const double t = double(seams().perf_counter() - start) / double(freq);
    // A clock that went back (a test restarting the game in one process) gives
    // no negative frame time, which would run animations backwards for ever.
    dt = last_t < 0 || t < last_t ? 0 : t - last_t;
    last_t = t;
    if (t - window_start > 1.0) {
        // A window may run past one second; the count is not scaled to it.
        fps = frames;
        frames = 0;
        window_start = t;
    }
}

frame_timer_t* get_frame_timer() {
    static frame_timer_t ft = [] {
        frame_timer_t f;
        const uint64_t q = seams().perf_freq();
        f.freq = q ? q : 1;
        return f;
    }();
    return &ft;
}
