// The run controls and the main loop's pass with every window replaced by a log.

#include "animation/run_controls.h"

#include <gtest/gtest.h>

#include "about/about_ok.h"
#include "animation/main_loop.h"
#include "model/calc_error.h"
#include "support/fake_panel.h"

namespace yurana {
namespace {

class RunControlsTest : public ::testing::Test {
  protected:
    RunControlsTest()
        : parameters(panel, record, run, box, {}),
          controls(panel, run, record, parameters, clock, box, hooks()),
          loop(run, record, step, panel, loopHooks()) {
        panel.setChangeHandler([this](std::string_view c) { parameters.textChanged(c); });
        run.joutai = kStopped;
        clock.t = 1000;
    }

    RunControlHooks hooks() {
        RunControlHooks h;
        h.resetPen = [this] { log += "pen;"; };
        h.graphHaikei = [this] {
            log += "haikei;";
            if (failHaikei) {
                throw calc_error(calc_error::Kind::InvalidCall, "narrow");
            }
        };
        h.processEvents = [this] { ++events; };
        h.showAbout = [this] { log += "about;"; };
        h.enterFullScreen = [this] { log += "full;"; };
        return h;
    }

    LoopHooks loopHooks() {
        LoopHooks h;
        h.unloadForm2 = [this] { log += "unload2;"; };
        h.showForm2 = [this] { log += "show2;"; };
        h.unloadForm0 = [this] { log += "unload0;"; };
        h.blt = [this] {
            advanceClock(run, clock.t, record.tmin, record.jikanbairitu);
            log += "blt;";
        };
        h.plotStep = [this](double t, const std::function<void()>& between) {
            plotted.push_back(t);
            log += "plot;";
            between();
            texttestBetween = panel.text("Texttest");
        };
        return h;
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
    std::vector<double> plotted;
    std::string texttestBetween;
    int events = 0;
    bool failHaikei = false;
};

TEST_F(RunControlsTest, StartThenPassesLagTheTextByOnePass) {
    panel.preset("Texttmin", "2");
    run.ichijiteishi = 1;
    controls.Command2_Click();
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
    failHaikei = true;
    controls.Command2_Click();
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(panel.text("Command2"), "開始");
    EXPECT_EQ(box.texts, std::vector<std::string>{"正しい値を半角数字で入力してください。"});
    EXPECT_TRUE(panel.isVisible("Command3"));  // steps already done stay done
}

TEST_F(RunControlsTest, FullScreenKeepsARunningClockAndHandsOverOnTheNextPass) {
    panel.preset("Texttmin", "2");
    controls.Command4_Click();
    EXPECT_EQ(run.joutai, kFullScreen);
    EXPECT_DOUBLE_EQ(run.timer0, 998);  // from stopped: the clock minus tmin
    loop.pass();
    EXPECT_EQ(log, "full;show2;unload0;");
    run.joutai = kRunning;
    run.timer0 = 5;
    controls.Command4_Click();
    EXPECT_DOUBLE_EQ(run.timer0, 5);
}

TEST_F(RunControlsTest, AboutTogglesThePauseAndOkRestores) {
    controls.Command6_Click();
    controls.cmdtest_Click();  // paused before: the clock resumes
    EXPECT_EQ(run.joutai, kAboutResumed);
    cmdOK_Click(panel, run);
    controls.Command2_Click();
    EXPECT_EQ(run.joutai, kRunning);
    controls.cmdtest_Click();  // running: the clock pauses
    EXPECT_EQ(run.joutai, kAboutPaused);
    EXPECT_EQ(events, 2 * 2002);
    EXPECT_TRUE(panel.isEnabled("cmdtest"));
    cmdOK_Click(panel, run);
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(run.ichijiteishi, 1);  // kept until the next start
}

}  // namespace
}  // namespace yurana
