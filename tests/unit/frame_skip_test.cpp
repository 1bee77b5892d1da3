// The main loop draws only frames that differ from the one on screen: at rest and
// while paused the passes go on, but nothing is composed or presented after the first.

#include <gtest/gtest.h>

#include "animation/main_loop.h"
#include "animation/scene.h"
#include "support/fake_panel.h"
#include "support/fake_windows.h"
#include "support/model_defaults.h"
#include "support/sized_surfaces.h"

namespace yurana {
namespace {

class FrameSkipTest : public ::testing::Test {
  protected:
    FrameSkipTest() {
        record.tmin = 1.5f;
        keisan_c1c2(record);
        run.joutai = kStopped;
        scene.init();
        windows.onBlt = [this] { scene.blt(); };
    }

    void passes(int n) {
        for (int i = 0; i < n; ++i) {
            clock.t += 1.0 / 60;
            loop.pass();
        }
    }

    test::SizedSurfaces surfaces;  // texts: one text line per composed frame
    test::FakePanel panel;
    test::ManualClock clock;
    ModelRecord record = test::defaultRecord();
    RunState run;
    StepValues step;
    Scene scene{surfaces, "data", SceneInputs{step, run, record, clock}, surfaces};
    std::string log;
    test::FakeLoopWindows windows{log};
    MainLoop loop{run, record, step, panel, windows};
};

TEST_F(FrameSkipTest, AtRestOneFrameIsDrawnForAHundredPasses) {
    passes(100);
    EXPECT_EQ(std::pair(surfaces.texts, surfaces.presented), std::pair(1, 1));
    EXPECT_EQ(scene.textLine(), "0.00秒1   +0m");
}

TEST_F(FrameSkipTest, RunningEveryPassDrawsPausedOnlyTheFirst) {
    passes(1);
    run.joutai = kRunning;
    startClock(run, clock.t);
    passes(10);
    EXPECT_EQ(surfaces.presented, 11);
    togglePause(run, clock.t);
    passes(100);
    // The first paused pass shows the time it stopped at.
    EXPECT_EQ(std::pair(surfaces.texts, surfaces.presented), std::pair(12, 12));
    togglePause(run, clock.t);
    passes(3);
    EXPECT_EQ(surfaces.presented, 15);
}

TEST_F(FrameSkipTest, ARepaintRequestOrAFreshInitDrawsAgain) {
    passes(5);
    scene.invalidate();
    passes(5);
    EXPECT_EQ(surfaces.presented, 2);
    scene.init();
    passes(5);
    EXPECT_EQ(std::pair(surfaces.texts, surfaces.presented), std::pair(3, 3));
    // A changed picture magnification moves nothing at rest: still no new frame.
    panel.setText("Texthenibairitu", "2000");
    passes(5);
    EXPECT_EQ(surfaces.presented, 3);
}

}  // namespace
}  // namespace yurana
