#include "model/run_state.h"

#include <gtest/gtest.h>

#include "model/calc_error.h"

namespace yurana {
namespace {

TEST(RunClock, ScaledFromTminPausesSkippedStoppedHoldsZero) {
    RunState s;
    s.joutai = kRunning;
    startClock(s, 100.0);
    advanceClock(s, 103.0, 2.0f, 1.0);
    EXPECT_DOUBLE_EQ(s.jikan, 5.0);
    togglePause(s, 103.0);
    advanceClock(s, 113.0, 2.0f, 1.0);  // ten seconds paused: the time stands
    EXPECT_DOUBLE_EQ(s.jikan, 5.0);
    togglePause(s, 113.0);
    advanceClock(s, 114.5, 2.0f, 1.0);  // and goes on without a jump
    EXPECT_DOUBLE_EQ(s.jikan, 6.5);
    advanceClock(s, 114.5, 2.0f, 0.0);
    EXPECT_DOUBLE_EQ(s.jikan, 2.0);
    advanceClock(s, 114.5, 2.0f, -2.0);
    EXPECT_DOUBLE_EQ(s.jikan, 2.0 - 2 * 4.5);
    EXPECT_THROW(advanceClock(s, 114.5, 0.0f, 1e308), calc_error);

    s.joutai = kStopped;
    advanceClock(s, 120.0, 2.0f, 1.0);
    EXPECT_EQ(s.jikan, 0.0);
}

}  // namespace
}  // namespace yurana
