// One full running pass of the main loop, as the animation window does it 60 times a
// second: yurana (the response and the plot step with all five curves) and blt into a
// 960 × 720 picture. Compare with BM_BareFrameQt (one background copy plus the scaled
// copy) of the same run: the target is at most 1 ms and at most 1.6 × the bare frame.

#include <benchmark/benchmark.h>

#include <QPainter>
#include <QWidget>
#include <cmath>

#include "animation/main_loop.h"
#include "animation/scene.h"
#include "bench/qt_bench_app.h"
#include "graph/graph.h"
#include "model/response.h"
#include "platform/qt/qt_picture.h"
#include "platform/qt/qt_surface.h"
#include "support/fake_panel.h"

namespace {

using namespace yurana;

class PicturePresenter : public FramePresenter {
  public:
    void present(const Surface& canvas, const Rect& src) override {
        QPainter painter(&picture);
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(picture.rect(), static_cast<const qt::QtSurface&>(canvas).image(),
                          QRect(src.Left, src.Top, src.Right - src.Left, src.Bottom - src.Top));
    }
    void canvasReleased() override {}
    QImage picture{960, 720, QImage::Format_ARGB32_Premultiplied};
};

// Sixty frames a second, wrapping inside the time axis so the trace never ends.
class FrameClock : public Clock {
  public:
    double now() const override { return std::fmod(t += 1.0 / 60, 19.0); }
    mutable double t = 0;
};

ModelRecord defaults() {
    ModelRecord r;
    r.m = 1;
    r.k = 1000;
    r.c = 1;
    r.z = 0.0158f;
    r.wn = 31.6228f;
    r.wd = 31.6189f;
    r.xshoki = 0.05f;
    r.f = 3;
    r.w = 2;
    r.kabem = 1000;
    r.tmax = 20;
    r.graphbairitu = "1000";
    r.jikanbairitu = 1;
    keisan_c1c2(r);
    return r;
}

void BM_RunningPass(benchmark::State& state) {
    bench::ensureQtApplication();
    test::FakePanel panel;
    for (const char* box :
         {"Checkheni", "Checkxc", "Checkxp", "Checkxcxp", "Checkkabeheni", "Check1"}) {
        panel.setValue(box, 1);
    }
    ModelRecord record = defaults();
    RunState run;
    run.joutai = kRunning;
    StepValues step;
    graph::PenMemory pen;
    FrameClock clock;

    QWidget plotWidget;
    plotWidget.resize(640, 252);
    QWidget panelWidget;
    panelWidget.resize(75, 185);
    qt::QtPicture plot(&plotWidget);
    qt::QtPicture summary(&panelWidget);
    graph::Graph graph(plot, summary, panel, record, pen);
    graph.graph_haikei();

    qt::QtSurfaceFactory factory;
    PicturePresenter presenter;
    Scene scene(factory, bench::kDataFolder, SceneInputs{step, run, record, clock}, presenter);
    scene.init();

    LoopHooks hooks;
    hooks.blt = [&] { scene.blt(); };
    hooks.plotStep = [&](double t, const std::function<void()>& between) {
        graph.plotStep(t, step, between);
    };
    MainLoop loop(run, record, step, panel, hooks);
    for (auto _ : state) {
        loop.pass();
    }
}
BENCHMARK(BM_RunningPass)->Unit(benchmark::kMicrosecond);

// The graph's share alone, on the real image: one plot step with all five curves.
void BM_PlotStepAllCurvesQt(benchmark::State& state) {
    bench::ensureQtApplication();
    test::FakePanel panel;
    for (const char* box : {"Checkheni", "Checkxc", "Checkxp", "Checkxcxp", "Checkkabeheni"}) {
        panel.setValue(box, 1);
    }
    ModelRecord record = defaults();
    graph::PenMemory pen;
    QWidget plotWidget;
    plotWidget.resize(640, 252);
    QWidget panelWidget;
    panelWidget.resize(75, 185);
    qt::QtPicture plot(&plotWidget);
    qt::QtPicture summary(&panelWidget);
    graph::Graph graph(plot, summary, panel, record, pen);
    graph.graph_haikei();
    StepValues step;
    double t = 0;
    for (auto _ : state) {
        t = std::fmod(t + 1.0 / 60, 19.0);
        evaluateResponse(record, t, "1000", 1, step);
        graph.plotStep(t, step);
    }
}
BENCHMARK(BM_PlotStepAllCurvesQt)->Unit(benchmark::kMicrosecond);

}  // namespace
