// The run clock, the run controls and the main loop's pass with every window replaced by
// a log, and the frames the loop draws.

#include "animation/run_controls.h"

#include <gtest/gtest.h>

#include "animation/main_loop.h"
#include "animation/scene.h"
#include "model/calc_error.h"
#include "model/run_state.h"
#include "panel/control_names.h"
#include "support/fake_hosts.h"
#include "support/fake_panel.h"
#include "support/model_defaults.h"
#include "support/sized_surfaces.h"

namespace yurana {
namespace {

using namespace std::string_literals;

TEST(RunClock, ScaledFromTminPausesSkippedStoppedHoldsZero) {
    RunState s;
    s.joutai = kRunning;
    startClock(s, 100.0);
    auto at = [&s](double T, double rate) {
        advanceClock(s, T, 2.0f, rate);
        return s.jikan;
    };
    EXPECT_DOUBLE_EQ(at(103.0, 1.0), 5.0);
    togglePause(s, 103.0);
    EXPECT_DOUBLE_EQ(at(113.0, 1.0), 5.0);  // ten seconds paused: the time stands
    togglePause(s, 113.0);
    EXPECT_DOUBLE_EQ(at(114.5, 1.0), 6.5);  // and goes on without a jump
    EXPECT_DOUBLE_EQ(at(114.5, 0.0), 2.0);
    EXPECT_DOUBLE_EQ(at(114.5, -2.0), 2.0 - 2 * 4.5);
    EXPECT_THROW(advanceClock(s, 114.5, 0.0f, 1e308), calc_error);
    s.joutai = kStopped;
    EXPECT_EQ(at(120.0, 1.0), 0.0);
}

class RunControlsTest : public ::testing::Test {
  protected:
    RunControlsTest()
        : parameters(panel, record, run, box, {}),
          controls(panel, run, record, parameters, clock, box, windows),
          loop(run, record, step, panel, loopWindows) {
        panel.setChangeHandler([this](std::string_view c) { parameters.textChanged(c); });
        run.joutai = kStopped;
        clock.t = 1000;
        loopWindows.onBlt = [this] { scene.blt(); };  // before init: only the clock
        loopWindows.afterBetween = [this] { texttestBetween = panel.text(ctl::Texttest); };
    }

    test::FakePanel panel;
    ModelRecord record;
    RunState run;
    StepValues step;
    test::RecordingMessageBox box;
    test::ManualClock clock;
    ParameterPanel parameters;
    RunControls controls;
    MainLoop loop;
    std::string log;
    test::FakeRunHost windows{log};
    test::FakeLoopHost loopWindows{log};
    std::string texttestBetween;
    test::SizedSurfaces surfaces;  // texts: one text line per composed frame
    Scene scene{surfaces, "data", SceneInputs{step, run, record, clock}, surfaces};

    // Texts composed and frames presented after n more passes at 60 per second.
    std::pair<int, int> framesAfter(int n) {
        for (int i = 0; i < n; ++i) {
            clock.t += 1.0 / 60;
            loop.pass();
        }
        return {surfaces.texts, surfaces.presented};
    }
};

TEST_F(RunControlsTest, StartThenPassesLagTheTextByOnePass) {
    panel.preset(ctl::Texttmin, "2");
    run.ichijiteishi = 1;
    controls.startStop();
    loop.pass();  // yurana sees the stopped state's 0; blt then advances to tmin
    clock.t = 1001.5;
    loop.pass();
    EXPECT_EQ(loopWindows.plotted, (std::vector<double>{0.0, 2.0}));
    EXPECT_DOUBLE_EQ(run.jikan, 3.5);
    EXPECT_EQ(log, "pen;haikei;unload2;plot;blt;unload2;plot;blt;");
    // tmin between the drawing and the pen update, then the pause flag
    EXPECT_EQ(std::pair(texttestBetween, panel.text(ctl::Texttest)), std::pair("2"s, "0"s));
}

TEST_F(RunControlsTest, FailedGraphRedrawStopsWithTheMessage) {
    windows.failHaikei = true;
    controls.startStop();
    EXPECT_EQ(std::pair(run.joutai, panel.text(ctl::Command2)), std::pair(kStopped, "開始"s));
    EXPECT_EQ(box.texts, std::vector<std::string>{"正しい値を半角数字で入力してください。"});
    EXPECT_TRUE(panel.isVisible(ctl::Command3));  // steps already done stay done
}

TEST_F(RunControlsTest, FullScreenKeepsARunningClockAndHandsOverOnTheNextPass) {
    panel.preset(ctl::Texttmin, "2");
    controls.enterFullScreen();
    EXPECT_EQ(std::pair(run.joutai, run.timer0), std::pair(kFullScreen, 998.0));  // clock − tmin
    loop.pass();
    EXPECT_EQ(log, "full;show2;unload0;");
}

// At rest and while paused the passes go on, but a frame is composed and presented only
// when the picture changed, was invalidated or the scene initialised (the graph's plot of a
// paused run: graph_test).
TEST_F(RunControlsTest, FramesOnlyWhenThePictureChangesRunningEveryPassAtRestOrPausedOnce) {
    record = test::defaultRecord();  // at rest from 1.5 s
    record.tmin = 1.5f;
    keisan_c1c2(record);
    scene.init();
    EXPECT_EQ(framesAfter(100), std::pair(1, 1));
    scene.invalidate();
    EXPECT_EQ(framesAfter(5), std::pair(2, 2));
    scene.init();
    EXPECT_EQ(framesAfter(5), std::pair(3, 3));
    panel.setText(ctl::Texthenibairitu, "2000");  // moves nothing at rest
    EXPECT_EQ(framesAfter(5), std::pair(3, 3));
    run.joutai = kRunning;
    startClock(run, clock.t);
    EXPECT_EQ(framesAfter(10), std::pair(13, 13));
    togglePause(run, clock.t);
    // The first paused pass shows the time it stopped at.
    EXPECT_EQ(framesAfter(100), std::pair(14, 14));
    togglePause(run, clock.t);
    EXPECT_EQ(framesAfter(3), std::pair(17, 17));
}

}  // namespace
}  // namespace yurana
