// A day of animation through the main loop, the real scene and graph, the clock driven by
// hand: no pass fails, the text line shows the day's time, the trace ends at tmax, and
// neither the surfaces nor the heap grow. 2,592,000 passes per run take minutes in the
// Debug build under the sanitizers, so it runs only where NDEBUG is defined.

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <cmath>

#include "animation/main_loop.h"
#include "animation/run_controls.h"
#include "graph/graph.h"
#include "graph/pen_memory.h"
#include "model/numbers.h"
#include "panel/control_names.h"
#include "panel/parameter_panel.h"
#include "support/counting_picture.h"
#include "support/fake_panel.h"
#include "support/sized_surfaces.h"

namespace yurana {
namespace {

constexpr int kPassesPerSecond = 30;
constexpr int kDaySeconds = 24 * 60 * 60;
constexpr long kDayPasses = long(kDaySeconds) * kPassesPerSecond;
constexpr double kStartClock = 100;                 // s
constexpr int kPlotWidth = 640, kPlotHeight = 252;  // the graph's design size, px
#ifdef NDEBUG
constexpr bool kOptimised = true;
#else
constexpr bool kOptimised = false;
#endif

// The program without its windows, on the panel's defaults.
class DayRunTest : public ::testing::Test, public RunWindows, public LoopWindows {
  protected:
    void SetUp() override {
        if (!kOptimised) {
            GTEST_SKIP() << "a day of passes is run in optimised builds only";
        }
        panel.setChangeHandler([this](std::string_view c) { parameters.textChanged(c); });
        for (const char* box : {ctl::Check1, ctl::Checkheni, ctl::Checkxc, ctl::Checkxp,
                                ctl::Checkxcxp, ctl::Checkkabeheni}) {
            panel.setValue(box, 1);
        }
        clock.t = kStartClock;
        run.joutai = kStopped;  // the animation window's load
        scene.init();
        loop.pass();
    }

    void resetPen() override { graph::resetPen(pen); }
    void graph_haikei() override { graph.graph_haikei(); }
    void clearGraph() override { graph.clear(); }
    void quit() override {}
    void processEvents() override {}
    void showAbout() override {}
    void enterFullScreen() override {}
    bool layoutPending() override { return false; }
    void haichi() override {}
    void unloadForm2() override {}
    void showForm2() override {}
    void unloadForm0() override {}
    void blt() override { scene.blt(); }
    void plotStep(double t, const std::function<void()>& between) override {
        const long before = form3.segments;
        graph.plotStep(t, step, between);
        if (form3.segments > before) {
            lastTraced = t;
        }
    }

    test::SizedSurfaces surfaces;
    test::FakePanel panel;
    test::RecordingMessageBox box;
    test::ManualClock clock;
    ModelRecord record;
    RunState run;
    StepValues step;
    graph::PenMemory pen;
    test::CountingPicture form3;  // kPlotWidth × kPlotHeight
    test::CountingPicture picture1;
    graph::Graph graph{form3, picture1, panel, record, pen};
    ParameterPanel parameters{panel, record, run, box, [] {
                                  return GraphSize{kPlotWidth, kPlotHeight};
                              }};
    RunControls controls{panel, run, record, parameters, clock, box, *this};
    Scene scene{surfaces, "data", SceneInputs{step, run, record, clock}, surfaces};
    MainLoop loop{run, record, step, panel, *this};

    double lastTraced = -1;
};

// 開始 with a trace of about 14 h, then a day of passes; every hour the text line shows
// the hour's time.
TEST_F(DayRunTest, TheTraceRunsForHoursThenEndsAndTheDayRunsOn) {
    panel.setText(ctl::Texttmax, "50000");
    controls.startStop();
    ASSERT_EQ(run.joutai, kRunning);
    int mostSurfaces = 0;
    std::size_t heapAfterAMinute = 0;
    for (long i = 1; i <= kDayPasses; ++i) {
        // From the pass count, not summed, so the clock does not drift.
        clock.t = kStartClock + double(i) / kPassesPerSecond;
        try {
            loop.pass();
        } catch (const calc_error& e) {
            FAIL() << "pass " << i << " failed: " << e.what();
        }
        mostSurfaces = std::max(mostSurfaces, surfaces.live);
        if (i == kPassesPerSecond * 60) {
            heapAfterAMinute = mallinfo2().uordblks;
        }
        if (i % (3600L * kPassesPerSecond) == 0) {
            const std::string hour = std::to_string(i / kPassesPerSecond) + ".00秒2   ";
            ASSERT_TRUE(scene.textLine().starts_with(hour)) << scene.textLine();
        }
    }
    EXPECT_EQ(std::tuple(box.texts.size(), run.joutai, run.jikan),
              std::tuple(0u, kRunning, double(kDaySeconds)));

    // The mass where the pass before left it (blt advances the time after the response
    // is evaluated); x_c has died out, so x_p alone, with F 3, k 1000, m 1, c 1, ω 2:
    // F((k − mω²) sin ωt − cω cos ωt) / ((k − mω²)² + (cω)²), 1000 px per m.
    const double wt = 2.0 * double(kDayPasses - 1) / kPassesPerSecond;
    const double xp = 3 * (996 * std::sin(wt) - 2 * std::cos(wt)) / (996.0 * 996 + 4);
    EXPECT_NEAR(step.xpix, 1000 * xp, 1e-9);
    EXPECT_EQ(scene.textLine(), "86400.00秒2   " + std::string(step.xpix < 0 ? "-" : "+") +
                                    num::doubleText(std::abs(step.xpix)) + "m");

    // Five curves from every pass up to tmax (50000 s) but the first (the pen reset), each
    // pass a chain of ⌈50 · ωd / (2π · 30)⌉ = 9 pieces; the pass at tmax draws the 8 before it.
    EXPECT_EQ(form3.segments, 5L * (9 * (50000L * kPassesPerSecond - 1) + 8));
    EXPECT_GE(lastTraced, record.tmax);  // traced up to the end, and no further
    EXPECT_LT(lastTraced, record.tmax + 1.0 / kPassesPerSecond);
    EXPECT_LE(form3.rightmost, 0.875f * kPlotWidth);

    EXPECT_EQ(std::pair(mostSurfaces, surfaces.live), std::pair(7, 7));
    EXPECT_LE(mallinfo2().uordblks, heapAfterAMinute + 1024);
}

}  // namespace
}  // namespace yurana
