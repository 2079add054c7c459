#include "app/frame_timer.h"

#include <gtest/gtest.h>

#include "app/input.h"
#include "app/seams.h"

namespace {
uint64_t counter = 0;
// Ticks n frames of `ms` milliseconds at one count per millisecond.
void run(frame_timer_t& t, int n, uint64_t ms) {
    for (int i = 0; i < n; ++i) counter += ms, t.tick();
}
}  // namespace

TEST(FrameTimer, FrameTimeAndFramesCountedPerWindowAndConsumersSeeAtMostOneSixtieth) {
    seams().perf_counter = [] { return counter; };
    frame_timer_t& t = *get_frame_timer();
    t.freq = 1000, counter = 500;
    t.tick();
    EXPECT_EQ(t.dt, 0);  // no previous tick
    run(t, 1, 30);
    EXPECT_NEAR(t.dt, 0.030, 1e-9);
    run(t, 30, 30);
    // The first window closed at t = 1.01 s after 18 frames; 14 more since.
    EXPECT_EQ(std::pair(t.fps, t.frames), std::pair(18.0, 14));
    run(t, 60, 30);
    // Windows of 1.02 s give their count as it is, not scaled to one second.
    EXPECT_EQ(t.fps, 34);
    run(t, 1, 500);
    EXPECT_NEAR(t.dt, 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(get_frame_dt(), FRAME_DT_MAX);
    run(t, 1, 5);
    EXPECT_NEAR(get_frame_dt(), 0.005, 1e-9);
    seams_reset();
}
