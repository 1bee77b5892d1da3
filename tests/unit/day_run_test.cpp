// A day of animation: 24 hours of model time at 30 passes per second through the
// GUI-free main loop, the real scene and the real graph, the clock driven by hand. No
// pass fails, the text line at the end shows the day's time, the trace ends at tmax,
// and neither the surfaces nor the heap grow.
//
// 2,592,000 passes per run take under ten seconds optimised and about two and a half
// minutes in the Debug build under the sanitizers, so the test runs only where NDEBUG is
// defined (Release, RelWithDebInfo).

#include <gtest/gtest.h>
#include <malloc.h>

#include <algorithm>
#include <atomic>
#include <chrono>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <fstream>
#include <new>
#include <string>
#include <tuple>

#include "animation/main_loop.h"
#include "animation/run_controls.h"
#include "animation/scene.h"
#include "graph/graph.h"
#include "graph/pen_memory.h"
#include "model/numbers.h"
#include "panel/parameter_panel.h"
#include "support/fake_panel.h"

// Live heap blocks of the whole test program. Only in optimised builds without the
// sanitizers: replacing operator new there would hide their new/delete mismatch checks.
#if defined(NDEBUG) && !defined(__SANITIZE_ADDRESS__)
#define YURANA_COUNT_BLOCKS 1
namespace {
std::atomic<long> liveBlocks{0};
}  // namespace

void* operator new(std::size_t size) {
    void* p = std::malloc(size == 0 ? 1 : size);
    if (p == nullptr) {
        throw std::bad_alloc();
    }
    liveBlocks.fetch_add(1, std::memory_order_relaxed);
    return p;
}

void operator delete(void* p) noexcept {
    if (p != nullptr) {
        liveBlocks.fetch_sub(1, std::memory_order_relaxed);
        std::free(p);
    }
}

void operator delete(void* p, std::size_t) noexcept {
    ::operator delete(p);
}
#endif

namespace yurana {
namespace {

constexpr int kPassesPerSecond = 30;
constexpr int kDaySeconds = 24 * 60 * 60;
constexpr long kDayPasses = long(kDaySeconds) * kPassesPerSecond;  // 2,592,000
constexpr double kStartClock = 100;                                // s
constexpr int kPlotWidth = 640, kPlotHeight = 252;                 // the graph's design size, px

long liveHeapBlocks() {
#ifdef YURANA_COUNT_BLOCKS
    return liveBlocks.load(std::memory_order_relaxed);
#else
    return 0;
#endif
}

// The heap in use (bytes), the live heap blocks and the resident memory (bytes) of the
// process.
struct Memory {
    std::size_t heap = mallinfo2().uordblks;
    long blocks = liveHeapBlocks();
    long resident = [] {
        std::ifstream status("/proc/self/status");
        for (std::string line; std::getline(status, line);) {
            if (line.starts_with("VmRSS:")) {
                return std::stol(line.substr(6)) * 1024;
            }
        }
        return 0L;
    }();
};

// A surface of the scene's sizes that counts how many are alive; it draws nothing.
class LiveSurface : public Surface {
  public:
    LiveSurface(int w, int h, int& live) : w_(w), h_(h), live_(live) { ++live_; }
    ~LiveSurface() override { --live_; }
    int width() const override { return w_; }
    int height() const override { return h_; }
    void setBlackColorKey() override {}
    void copy(const Rect&, const Surface&, const Rect&, CopyKind) override {}
    void drawText(int, int, std::string_view, const TextFont&, Rgb) override {}

  private:
    int w_, h_;
    int& live_;
};

// A picture of the graph window that counts segments and keeps their right-most end.
class PlotArea : public Picture {
  public:
    PlotArea(int w, int h) : w_(w), h_(h) {}
    void setDrawColor(Rgb) override {}
    void line(float x1, float, float x2, float) override {
        ++segments;
        rightmost = std::max({rightmost, x1, x2});
    }
    void line(float, float, float, float, Rgb) override {}  // axes and marks
    void fillRect(float, float, float, float, Rgb) override {}
    void setTextPos(float, float) override {}
    void print(std::string_view) override {}
    int clientWidth() const override { return w_; }
    int clientHeight() const override { return h_; }
    void setWidth(int px) override { w_ = px; }

    long segments = 0;
    float rightmost = 0;

  private:
    int w_, h_;
};

// The program without its windows: the panel's defaults, the run controls, the main loop
// over the real scene and graph.
class DayRunTest : public ::testing::Test,
                   public SurfaceFactory,
                   public FramePresenter,
                   public RunWindows,
                   public LoopWindows {
  protected:
    void SetUp() override {
#ifndef NDEBUG
        GTEST_SKIP() << "a day of passes is run in optimised builds only";
#endif
        panel.setChangeHandler([this](std::string_view c) { parameters.textChanged(c); });
        for (const char* box :
             {"Check1", "Checkheni", "Checkxc", "Checkxp", "Checkxcxp", "Checkkabeheni"}) {
            panel.setValue(box, 1);
        }
        clock.t = kStartClock;
        run.joutai = kStopped;  // the animation window's load
        scene.init();
        loop.pass();
    }

    // 開始, then a day of passes; every hour the text line shows the hour's time.
    void runADay() {
        controls.startStop();
        ASSERT_EQ(run.joutai, kRunning);
        ASSERT_TRUE(box.texts.empty());
        const auto began = std::chrono::steady_clock::now();
        for (long i = 1; i <= kDayPasses; ++i) {
            // From the pass count, not summed, so the clock does not drift.
            clock.t = kStartClock + double(i) / kPassesPerSecond;
            try {
                loop.pass();
            } catch (const calc_error& e) {
                FAIL() << "pass " << i << " failed: " << e.what();
            }
            mostSurfaces = std::max(mostSurfaces, liveSurfaces);
            if (i == kPassesPerSecond * 60) {
                afterAMinute = Memory{};
            }
            if (i % (3600L * kPassesPerSecond) == 0) {
                const std::string hour = std::to_string(i / kPassesPerSecond) + ".00秒2   ";
                ASSERT_TRUE(scene.textLine().starts_with(hour)) << scene.textLine();
            }
        }
        seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - began).count();
        atEnd = Memory{};
    }

    // The figures of the run, for the record.
    void report(const char* name) const {
        std::printf(
            "[ day run ] %s: %ld passes in %.1f s; heap %zu -> %zu bytes, %ld -> %ld "
            "blocks, resident %ld -> %ld kB (after 1 min -> end); %ld segments\n",
            name, kDayPasses, seconds, afterAMinute.heap, atEnd.heap, afterAMinute.blocks,
            atEnd.blocks, afterAMinute.resident / 1024, atEnd.resident / 1024, form3.segments);
    }

    // After the day: the line for 86400 s with the mass where the closed form puts it,
    // no segment at or past tmax, the same surfaces and heap blocks as after a minute.
    void checkTheEnd() {
        EXPECT_TRUE(box.texts.empty());
        EXPECT_EQ(run.joutai, kRunning);
        EXPECT_EQ(run.jikan, double(kDaySeconds));

        // The mass stands where the pass before left it (the response is evaluated before
        // blt advances the time). The default damping has died out long before, so it
        // follows x_p alone: x_p = F((k − mω²) sin ωt − cω cos ωt) / ((k − mω²)² + (cω)²),
        // F 3, k 1000, m 1, c 1, ω 2; 1000 px per m.
        const double before = kStartClock + double(kDayPasses - 1) / kPassesPerSecond - kStartClock;
        const double wt = 2.0 * before;
        const double xp = 3 * (996 * std::sin(wt) - 2 * std::cos(wt)) / (996.0 * 996 + 4);
        EXPECT_NEAR(step.xpix, 1000 * xp, 1e-9);
        const std::string want = "86400.00秒2   " + std::string(step.xpix < 0 ? "-" : "+") +
                                 num::doubleText(std::abs(step.xpix)) + "m";
        EXPECT_EQ(scene.textLine(), want);

        // Every pass before tmax but the first after the start (the pen reset) draws the
        // five curves, and no pass after.
        EXPECT_EQ(form3.segments, 5L * (long(record.tmax) * kPassesPerSecond - 1));
        EXPECT_EQ(tracedAtOrPastTmax, 0);
        EXPECT_LT(lastTraced, record.tmax);
        EXPECT_GE(lastTraced, record.tmax - 2.0 / kPassesPerSecond);  // traced up to the end
        EXPECT_LE(form3.rightmost, 0.875f * kPlotWidth);

        EXPECT_EQ(mostSurfaces, 7);
        EXPECT_EQ(liveSurfaces, 7);
#ifdef YURANA_COUNT_BLOCKS
        EXPECT_EQ(atEnd.blocks, afterAMinute.blocks);
#endif
        EXPECT_LE(atEnd.heap, afterAMinute.heap + 1024);
    }

    // The scene's surfaces: the sizes of the program's bitmaps.
    std::unique_ptr<Surface> load(const std::string& path) override {
        for (auto [file, w, h] : {std::tuple{kBackgroundFile, 640, 480},
                                  {kMassFile, 80, 80},
                                  {kWallFile, 640, 144},
                                  {kRodFile, 6, 48},
                                  {kSpringFile, 64, 40}}) {
            if (path.ends_with(file)) {
                return std::make_unique<LiveSurface>(w, h, liveSurfaces);
            }
        }
        return std::make_unique<LiveSurface>(640, 30, liveSurfaces);
    }
    std::unique_ptr<Surface> load(const std::string& path, int, int) override {
        return load(path);
    }
    void present(const Surface&, const Rect&) override {}
    void canvasReleased() override {}

    // The run controls' windows: the real graph.
    void resetPen() override {
        graph::resetPen(pen);
    }
    void graph_haikei() override {
        graph.graph_haikei();
    }
    void clearGraph() override {
        graph.clear();
    }
    void quit() override {}
    void processEvents() override {}
    void showAbout() override {}
    void enterFullScreen() override {}

    // The main loop's windows: the real scene and graph.
    bool layoutPending() override {
        return false;
    }
    void haichi() override {}
    void unloadForm2() override {}
    void showForm2() override {}
    void unloadForm0() override {}
    void blt() override {
        scene.blt();
    }
    void plotStep(double t, const std::function<void()>& between) override {
        const long before = form3.segments;
        graph.plotStep(t, step, between);
        if (form3.segments > before) {
            lastTraced = t;
            tracedAtOrPastTmax += t >= record.tmax ? 1 : 0;
        }
    }

    test::FakePanel panel;
    test::RecordingMessageBox box;
    test::ManualClock clock;
    ModelRecord record;
    RunState run;
    StepValues step;
    graph::PenMemory pen;
    PlotArea form3{kPlotWidth, kPlotHeight};
    PlotArea picture1{100, 185};
    graph::Graph graph{form3, picture1, panel, record, pen};
    ParameterPanel parameters{panel, record, run, box, [] {
                                  return GraphSize{kPlotWidth, kPlotHeight};
                              }};
    RunControls controls{panel, run, record, parameters, clock, box, *this};
    Scene scene{*this, "data", SceneInputs{step, run, record, clock}, *this};
    MainLoop loop{run, record, step, panel, *this};

    int liveSurfaces = 0;
    int mostSurfaces = 0;
    double lastTraced = -1;
    long tracedAtOrPastTmax = 0;
    double seconds = 0;
    Memory afterAMinute, atEnd;
};

TEST_F(DayRunTest, WithTheDefaultsTheTraceEndsAt20SecondsAndTheDayRunsOn) {
    runADay();
    report("defaults");
    EXPECT_EQ(record.tmax, 20.0f);
    checkTheEnd();
}

TEST_F(DayRunTest, WithALongTmaxTheTraceRunsForHoursThenEnds) {
    panel.setText("Texttmax", "50000");  // about 14 h
    runADay();
    report("tmax 50000");
    EXPECT_EQ(record.tmax, 50000.0f);
    checkTheEnd();
}

}  // namespace
}  // namespace yurana
