#include "app/seams.h"

#include <gtest/gtest.h>

TEST(Seams, ReplacedClockIsReadAndResetRestoresIt) {
    seams().ticks_ms = [] { return uint32_t(123456); };
    EXPECT_EQ(sys_ticks(), 123456u);
    seams_reset();
    EXPECT_NE(seams().ticks_ms(), 123456u);
}
