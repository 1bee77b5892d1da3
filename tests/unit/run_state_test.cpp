#include "animation/run_state.h"

#include <gtest/gtest.h>

#include "model/calc_error.h"

namespace yurana {
namespace {

TEST(RunClock, RunsScaledFromTminAndSkipsPauses) {
    RunState s;
    s.joutai = kRunning;
    startClock(s, 100.0);
    advanceClock(s, 103.0, 2.0f, 1.0);
    EXPECT_DOUBLE_EQ(s.jikan, 5.0);

    togglePause(s, 103.0);
    EXPECT_EQ(s.ichijiteishi, 1);
    advanceClock(s, 113.0, 2.0f, 1.0);  // ten seconds paused: time stands
    EXPECT_DOUBLE_EQ(s.jikan, 5.0);
    togglePause(s, 113.0);
    EXPECT_EQ(s.ichijiteishi, 0);
    advanceClock(s, 113.0, 2.0f, 1.0);  // resumes without a jump
    EXPECT_DOUBLE_EQ(s.jikan, 5.0);
    advanceClock(s, 114.5, 2.0f, 1.0);
    EXPECT_DOUBLE_EQ(s.jikan, 6.5);
}

TEST(RunClock, MagnificationZeroHoldsAndNegativeRunsBackwards) {
    RunState s;
    s.joutai = kRunning;
    startClock(s, 10.0);
    advanceClock(s, 20.0, 3.0f, 0.0);
    EXPECT_DOUBLE_EQ(s.jikan, 3.0);
    advanceClock(s, 20.0, 3.0f, -2.0);
    EXPECT_DOUBLE_EQ(s.jikan, -17.0);
    advanceClock(s, 20.0, 3.0f, 3.0);
    EXPECT_DOUBLE_EQ(s.jikan, 33.0);
}

TEST(RunClock, StoppedHoldsZeroEvenWhenPaused) {
    RunState s;
    s.joutai = kStopped;
    advanceClock(s, 50.0, 2.0f, 1.0);
    EXPECT_EQ(s.jikan, 0.0);
    togglePause(s, 50.0);
    advanceClock(s, 60.0, 2.0f, 1.0);
    EXPECT_EQ(s.jikan, 0.0);
    EXPECT_DOUBLE_EQ(s.pausetimer, 50.0);
}

TEST(RunClock, OverflowFails) {
    RunState s;
    s.joutai = kRunning;
    startClock(s, 0.0);
    EXPECT_THROW(advanceClock(s, 10.0, 0.0f, 1e308), calc_error);
}

}  // namespace
}  // namespace yurana
