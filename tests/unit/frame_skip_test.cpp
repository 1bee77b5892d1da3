// The main loop draws only frames that differ from the one on screen: at rest and
// while paused the passes go on, but nothing is composed or presented after the first.

#include <gtest/gtest.h>

#include "animation/main_loop.h"
#include "animation/scene.h"
#include "support/fake_panel.h"
#include "support/fake_windows.h"
#include "support/model_defaults.h"

namespace yurana {
namespace {

// A surface of the scene's sizes that counts what is drawn on it.
class CountingSurface : public Surface {
  public:
    CountingSurface(int w, int h, int& texts) : w_(w), h_(h), texts_(texts) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    void setBlackColorKey() override {}
    void copy(const Rect&, const Surface&, const Rect&, CopyKind) override {}
    void drawText(int, int, std::string_view, const TextFont&, Rgb) override { ++texts_; }

  private:
    int w_, h_;
    int& texts_;
};

class FrameSkipTest : public ::testing::Test, public SurfaceFactory, public FramePresenter {
  protected:
    std::unique_ptr<Surface> load(const std::string& path) override {
        const auto size = [&]() -> PixelSize {
            for (auto [file, s] : {std::pair{kBackgroundFile, PixelSize{640, 480}},
                                   {kMassFile, {80, 80}},
                                   {kWallFile, {640, 144}},
                                   {kRodFile, {6, 48}},
                                   {kSpringFile, {64, 40}}}) {
                if (path.ends_with(file)) {
                    return s;
                }
            }
            return {640, 30};
        }();
        return std::make_unique<CountingSurface>(size.width, size.height, composed);
    }
    std::unique_ptr<Surface> load(const std::string& path, int, int) override { return load(path); }
    void present(const Surface&, const Rect&) override { ++presented; }
    void canvasReleased() override {}

    FrameSkipTest() {
        record.tmin = 1.5f;
        keisan_c1c2(record);
        run.joutai = kStopped;
        scene.init();
        windows.onBlt = [this] { scene.blt(); };
        loop = std::make_unique<MainLoop>(run, record, step, panel, windows);
    }

    void passes(int n, double step = 1.0 / 60) {
        for (int i = 0; i < n; ++i) {
            clock.t += step;
            loop->pass();
        }
    }

    int composed = 0;  // one text line per composed frame
    int presented = 0;
    test::FakePanel panel;
    test::ManualClock clock;
    ModelRecord record = test::defaultRecord();
    RunState run;
    StepValues step;
    Scene scene{*this, "data", SceneInputs{step, run, record, clock}, *this};
    std::string log;
    test::FakeLoopWindows windows{log};
    std::unique_ptr<MainLoop> loop;
};

TEST_F(FrameSkipTest, AtRestOneFrameIsDrawnForAHundredPasses) {
    passes(100);
    EXPECT_EQ(composed, 1);
    EXPECT_EQ(presented, 1);
    EXPECT_EQ(scene.textLine(), "0.00秒1   +0m");
}

TEST_F(FrameSkipTest, RunningEveryPassDrawsPausedOnlyTheFirst) {
    passes(1);
    run.joutai = kRunning;
    startClock(run, clock.t);
    passes(10);
    EXPECT_EQ(presented, 11);
    togglePause(run, clock.t);
    passes(100);
    EXPECT_EQ(composed, 12);  // the first paused pass shows the time it stopped at
    EXPECT_EQ(presented, 12);
    togglePause(run, clock.t);
    passes(3);
    EXPECT_EQ(presented, 15);
}

TEST_F(FrameSkipTest, ARepaintRequestOrAFreshInitDrawsAgain) {
    passes(5);
    scene.invalidate();
    passes(5);
    EXPECT_EQ(presented, 2);
    scene.init();
    passes(5);
    EXPECT_EQ(composed, 3);
    EXPECT_EQ(presented, 3);
    // A changed picture magnification moves nothing at rest: still no new frame.
    panel.setText("Texthenibairitu", "2000");
    passes(5);
    EXPECT_EQ(presented, 3);
}

}  // namespace
}  // namespace yurana
