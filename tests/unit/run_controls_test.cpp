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
        : parameters(panel, record, run, box,
                     [] {
                         return GraphSize{640, 252};
                     }),
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
        h.clearGraph = [this] { log += "clear;"; };
        h.quit = [this] { log += "quit;"; };
        h.processEvents = [this] { ++events; };
        h.showAbout = [this] { log += "about;"; };
        h.enterFullScreen = [this] { log += "full;"; };
        return h;
    }

    LoopHooks loopHooks() {
        LoopHooks h;
        h.layoutPending = [this] { return layoutPending; };
        h.haichi = [this] { log += "haichi;"; };
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
    int events = 0;
    bool failHaikei = false;
    bool layoutPending = false;
};

TEST_F(RunControlsTest, StartAndStop) {
    panel.setVisible("Command3", false);
    run.ichijiteishi = 1;
    controls.Command2_Click();
    EXPECT_EQ(run.joutai, kRunning);
    EXPECT_EQ(run.ichijiteishi, 0);
    EXPECT_DOUBLE_EQ(run.timer0, 1000);
    EXPECT_EQ(panel.text("Command2"), "停止");
    EXPECT_TRUE(panel.isVisible("Command3"));
    EXPECT_EQ(log, "pen;haikei;");
    EXPECT_FLOAT_EQ(record.wd, 31.6189f);  // the recompute sequence ran

    controls.Command2_Click();
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(panel.text("Command2"), "開始");
    EXPECT_FALSE(panel.isVisible("Command3"));
    EXPECT_EQ(log, "pen;haikei;pen;haikei;");
}

TEST_F(RunControlsTest, FailedGraphRedrawStopsWithTheMessage) {
    failHaikei = true;
    controls.Command2_Click();
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(panel.text("Command2"), "開始");
    ASSERT_EQ(box.texts.size(), 1u);
    EXPECT_EQ(box.texts[0], "正しい値を半角数字で入力してください。");
    EXPECT_TRUE(panel.isVisible("Command3"));  // steps already done stay done
}

TEST_F(RunControlsTest, RunningPassesLagTheTextByOnePass) {
    panel.preset("Texttmin", "2");
    controls.Command2_Click();
    loop.pass();  // yurana sees the stopped state's 0, blt advances to tmin
    ASSERT_EQ(plotted.size(), 1u);
    EXPECT_EQ(plotted[0], 0.0);
    EXPECT_DOUBLE_EQ(run.jikan, 2.0);
    clock.t = 1001.5;
    loop.pass();
    EXPECT_DOUBLE_EQ(plotted[1], 2.0);
    EXPECT_DOUBLE_EQ(run.jikan, 3.5);
    EXPECT_EQ(log, "pen;haikei;unload2;plot;blt;unload2;plot;blt;");
    EXPECT_EQ(panel.text("Texttest"), "0");
}

TEST_F(RunControlsTest, FullScreenFromStoppedAndStateThreePass) {
    panel.preset("Texttmin", "2");
    controls.Command4_Click();
    EXPECT_EQ(run.joutai, kFullScreen);
    EXPECT_DOUBLE_EQ(run.timer0, 998);
    loop.pass();
    EXPECT_EQ(log, "full;show2;unload0;");

    run.joutai = kRunning;
    run.timer0 = 5;
    controls.Command4_Click();
    EXPECT_DOUBLE_EQ(run.timer0, 5);
}

TEST_F(RunControlsTest, AboutPausesDisablesAndOkRestores) {
    controls.Command2_Click();
    controls.cmdtest_Click();
    EXPECT_EQ(run.joutai, kAboutPaused);
    EXPECT_EQ(run.ichijiteishi, 1);
    EXPECT_EQ(events, 2002);
    for (const char* b : RunControls::kRunButtons) {
        EXPECT_FALSE(panel.isEnabled(b)) << b;
    }
    EXPECT_TRUE(panel.isEnabled("cmdtest"));
    EXPECT_NE(log.find("about;"), std::string::npos);
    std::string before = log;
    loop.pass();  // nothing drawn in states 4 and 5
    EXPECT_EQ(log, before);

    cmdOK_Click(panel, run);
    EXPECT_EQ(run.joutai, kStopped);
    EXPECT_EQ(run.ichijiteishi, 1);  // kept until the next start
    EXPECT_EQ(panel.text("Command2"), "開始");
    for (const char* b : RunControls::kRunButtons) {
        EXPECT_TRUE(panel.isEnabled(b)) << b;
    }
}

TEST_F(RunControlsTest, ApplyClearAndQuit) {
    controls.Command2_Click();
    panel.preset("Textz", "0.5");
    controls.Command3_Click();
    EXPECT_FLOAT_EQ(record.z, 0.5f);
    EXPECT_DOUBLE_EQ(run.timer0, 1000);
    controls.Command5_Click();
    controls.Command1_Click();
    EXPECT_EQ(log, "pen;haikei;clear;quit;");
}

}  // namespace
}  // namespace yurana
