#include "app/frame_timer.h"

#include <gtest/gtest.h>

#include "app/input.h"
#include "app/seams.h"

namespace {
uint64_t counter = 0;
uint64_t read_counter() { return counter; }

class FrameTimer : public ::testing::Test {
protected:
    void SetUp() override { seams().perf_counter = read_counter; }
    void TearDown() override { seams_reset(); }
};
}  // namespace

TEST_F(FrameTimer, FrameTimeAndFramesCountedPerWindow) {
    frame_timer_t t;
    t.freq = 1000;  // one count per millisecond
    counter = 500;
    t.tick();
    EXPECT_EQ(t.dt, 0);  // no previous tick
    counter = 530;
    t.tick();
    EXPECT_NEAR(t.dt, 0.030, 1e-9);
    EXPECT_EQ(t.fps, 0);
    for (int i = 0; i < 30; ++i) {
        counter += 30;
        t.tick();
    }
    // The first window closed at t = 1.01 s after 18 frames; 14 more since.
    EXPECT_EQ(t.fps, 18);
    EXPECT_EQ(t.frames, 14);
    for (int i = 0; i < 60; ++i) {
        counter += 30;
        t.tick();
    }
    // Windows of 1.02 s give their count as it is, not scaled to one second.
    EXPECT_EQ(t.fps, 34);
}

TEST_F(FrameTimer, ConsumersSeeAtMostOneSixtiethOfASecond) {
    frame_timer_t* t = get_frame_timer();
    EXPECT_EQ(get_frame_timer(), t);
    t->freq = 1000;
    counter = 10000;
    t->tick();
    counter += 500;
    t->tick();
    EXPECT_NEAR(t->dt, 0.5, 1e-9);
    EXPECT_DOUBLE_EQ(get_frame_dt(), FRAME_DT_MAX);
    counter += 5;
    t->tick();
    EXPECT_NEAR(get_frame_dt(), 0.005, 1e-9);
}
