// Cost of one animation frame (blt).
//
// BM_SceneBltLogic: the scene's own work per frame (layout, clock, clipping, text line)
// on surfaces that draw nothing.
// With Qt visible to this target (yurana_qt linked), also the real thing:
// BM_SceneBltQt composes at 640 × 480 and draws the canvas scaled into a 960 × 720
// picture; BM_BareFrameQt is the floor it is held against, one 640 × 480 background copy
// plus that one scaled copy. The target is BltQt ≤ 1.5 × BareFrameQt.

#include <benchmark/benchmark.h>

#include <cmath>
#include <filesystem>

#include "animation/scene.h"

namespace {

using namespace yurana;

class NullSurface : public Surface {
  public:
    NullSurface(int w, int h) : w_(w), h_(h) {}
    int width() const override { return w_; }
    int height() const override { return h_; }
    void setBlackColorKey() override {}
    void copy(const Rect& dest, const Surface&, const Rect& src, CopyKind) override {
        benchmark::DoNotOptimize(dest);
        benchmark::DoNotOptimize(src);
    }
    void drawText(int, int, std::string_view text, const TextFont&, Rgb) override {
        benchmark::DoNotOptimize(text.data());
    }
    void setClip(std::span<const Rect> rects) override { benchmark::DoNotOptimize(rects.data()); }

  private:
    int w_, h_;
};

class NullFactory : public SurfaceFactory {
  public:
    std::unique_ptr<Surface> load(const std::string& path) override {
        const bool background = path.ends_with(kBackgroundFile);
        return std::make_unique<NullSurface>(background ? 640 : 200, background ? 480 : 200);
    }
    std::unique_ptr<Surface> load(const std::string&, int w, int h) override {
        return std::make_unique<NullSurface>(w, h);
    }
};

class NullPresenter : public FramePresenter {
  public:
    void present(const Surface& canvas, const Rect&) override { benchmark::DoNotOptimize(&canvas); }
    void canvasReleased() override {}
};

class TickingClock : public Clock {
  public:
    double now() const override { return t += 1.0 / 60; }
    mutable double t = 0;
};

struct World {
    StepValues step;
    RunState run{kRunning};
    ModelRecord record;
    TickingClock clock;
    World() { record.jikanbairitu = 1; }
    SceneInputs inputs() { return {step, run, record, clock}; }
};

void BM_SceneBltLogic(benchmark::State& state) {
    World w;
    NullFactory factory;
    NullPresenter presenter;
    Scene scene(factory, "", w.inputs(), presenter);
    scene.init();
    double t = 0;
    for (auto _ : state) {
        w.step.xpix = 50 * std::sin(t += 0.1);
        scene.blt();
    }
}
BENCHMARK(BM_SceneBltLogic);

}  // namespace

#if __has_include(<QGuiApplication>)

#include <QPainter>

#include "bench/qt_bench_app.h"

#include "platform/qt/fonts.h"
#include "platform/qt/qt_surface.h"

namespace {

using ImagePresenter = bench::PicturePresenter;
using bench::ensureQtApplication;
using bench::kDataFolder;

void BM_SceneBltQt(benchmark::State& state) {
    ensureQtApplication();
    World w;
    qt::QtSurfaceFactory factory;
    ImagePresenter presenter;
    Scene scene(factory, kDataFolder, w.inputs(), presenter);
    scene.init();
    double t = 0;
    for (auto _ : state) {
        w.step.xpix = 50 * std::sin(t += 0.1);
        scene.blt();
    }
}
BENCHMARK(BM_SceneBltQt)->Unit(benchmark::kMicrosecond);

void BM_BareFrameQt(benchmark::State& state) {
    ensureQtApplication();
    qt::QtSurfaceFactory factory;
    auto canvas = factory.load(kDataFolder + "/" + kBackgroundFile);
    auto haikei = factory.load(kDataFolder + "/" + kBackgroundFile);
    ImagePresenter presenter;
    const Rect whole{0, 0, 640, 480};
    for (auto _ : state) {
        canvas->copy(whole, *haikei, whole, CopyKind::Opaque);
        presenter.present(*canvas, whole);
    }
}
BENCHMARK(BM_BareFrameQt)->Unit(benchmark::kMicrosecond);

}  // namespace

#endif
