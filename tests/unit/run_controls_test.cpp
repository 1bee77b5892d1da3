// The run controls and the main loop's pass with every window replaced by a log.

#include "animation/run_controls.h"

#include <gtest/gtest.h>

#include "about/about_ok.h"
#include "animation/main_loop.h"
#include "model/calc_error.h"
#include "support/fake_panel.h"
#include "support/fake_windows.h"

namespace yurana {
namespace {

class RunControlsTest : public ::testing::Test {
  protected:
    RunControlsTest()
        : parameters(panel, record, run, box, {}),
          controls(panel, run, record, parameters, clock, box, windows),
          loop(run, record, step, panel, loopWindows) {
        panel.setChangeHandler([this](std::string_view c) { parameters.textChanged(c); });
        run.joutai = kStopped;
        clock.t = 1000;
        loopWindows.onBlt = [this] {
            advanceClock(run, clock.t, record.tmin, record.jikanbairitu);
        };
        loopWindows.afterBetween = [this] { texttestBetween = panel.text("Texttest"); };
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
    test::FakeRunWindows windows{log};
    test::FakeLoopWindows loopWindows{log};
    std::vector<double>& plotted = loopWindows.plotted;
    std::string texttestBetween;
};

TEST_F(RunControlsTest, StartThenPassesLagTheTextByOnePass) {
    panel.preset("Texttmin", "2");
    run.ichijiteishi = 1;
    controls.startStop();
    EXPECT_EQ(run.ichijiteishi, 0);
    EXPECT_DOUBLE_EQ(run.timer0, 1000);
    loop.pass();  // yurana sees the stopped state's 0; blt then advances to tmin
    clock.t = 1001.5;
    loop.pass();
    EXPECT_EQ(plotted, (std::vector<double>{0.0, 2.0}));
    EXPECT_DOUBLE_EQ(run.jikan, 3.5);
    EXPECT_EQ(log, "pen;haikei;unload2;plot;blt;unload2;plot;blt;");
    EXPECT_EQ(texttestBetween, "2");         // tmin between the drawing and the pen update
    EXPECT_EQ(panel.text("Texttest"), "0");  // then the pause flag
}

TEST_F(RunControlsTest, FailedGraphRedrawStopsWithTheMessage) {
    windows.failHaikei = true;
    controls.startStop();
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(panel.text("Command2"), "開始");
    EXPECT_EQ(box.texts, std::vector<std::string>{"正しい値を半角数字で入力してください。"});
    EXPECT_TRUE(panel.isVisible("Command3"));  // steps already done stay done
}

TEST_F(RunControlsTest, FullScreenKeepsARunningClockAndHandsOverOnTheNextPass) {
    panel.preset("Texttmin", "2");
    controls.enterFullScreen();
    EXPECT_EQ(run.joutai, kFullScreen);
    EXPECT_DOUBLE_EQ(run.timer0, 998);  // from stopped: the clock minus tmin
    loop.pass();
    EXPECT_EQ(log, "full;show2;unload0;");
    run.joutai = kRunning;
    run.timer0 = 5;
    controls.enterFullScreen();
    EXPECT_DOUBLE_EQ(run.timer0, 5);
}

TEST_F(RunControlsTest, AboutTogglesThePauseAndOkRestores) {
    controls.pause();
    controls.openAbout();  // paused before: the clock resumes
    EXPECT_EQ(run.joutai, kAboutResumed);
    cmdOK_Click(panel, run);
    controls.startStop();
    EXPECT_EQ(run.joutai, kRunning);
    controls.openAbout();  // running: the clock pauses
    EXPECT_EQ(run.joutai, kAboutPaused);
    EXPECT_EQ(windows.events, 2 * 2002);
    EXPECT_TRUE(panel.isEnabled("cmdtest"));
    cmdOK_Click(panel, run);
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(run.ichijiteishi, 1);  // kept until the next start
}

}  // namespace
}  // namespace yurana
