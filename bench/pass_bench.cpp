// One full running pass of the main loop, as the animation window does it 60 times a
// second: yurana (the response and the plot step with all five curves) and blt into a
// 960 × 720 picture. Compare with BM_BareFrameQt (one background copy plus the scaled
// copy) of the same run: the target is at most 1 ms and at most 1.2 × the bare frame.

#include <benchmark/benchmark.h>

#include <QWidget>
#include <cmath>

#include "bench/qt_bench_app.h"
#include "graph/graph.h"
#include "model/response.h"
#include "panel/control_names.h"
#include "platform/qt/qt_picture.h"
#include "support/fake_panel.h"
#include "support/model_defaults.h"
#include "support/session_rig.h"

namespace {

using namespace yurana;

// The graph window's two surfaces at design size, every curve ticked, background drawn.
struct GraphRig {
    test::FakePanel panel;
    ModelRecord record = test::defaultRecord();
    graph::PenMemory pen;
    QWidget plotWidget;
    QWidget panelWidget;
    qt::QtPicture plot{&plotWidget};
    qt::QtPicture summary{&panelWidget};
    graph::Graph graph{plot, summary, panel, record, pen};

    GraphRig() {
        keisan_c1c2(record);
        for (const char* box : {ctl::Checkheni, ctl::Checkxc, ctl::Checkxp, ctl::Checkxcxp,
                                ctl::Checkkabeheni, ctl::Check1}) {
            panel.setValue(box, 1);
        }
        plotWidget.resize(640, 252);
        panelWidget.resize(75, 185);
        graph.graph_haikei();
    }
};

void BM_RunningPass(benchmark::State& state) {
    bench::ensureQtApplication();
    QWidget plotWidget, panelWidget;
    plotWidget.resize(640, 252);
    panelWidget.resize(75, 185);
    qt::QtPicture plot{&plotWidget}, summary{&panelWidget};
    qt::QtSurfaceFactory factory;
    bench::PicturePresenter presenter;
    test::SessionRig r({&factory, &presenter, &plot, &summary, bench::kDataFolder});
    for (const char* box : {ctl::Checkheni, ctl::Checkxc, ctl::Checkxp, ctl::Checkxcxp,
                            ctl::Checkkabeheni, ctl::Check1}) {
        r.panel.setValue(box, 1);
    }
    r.session.Main();
    r.session.perform(PanelAction::StartStop);
    const double start = r.clock.t;
    double elapsed = 0;
    for (auto _ : state) {
        // Sixty frames a second, wrapping inside the time axis so the trace never ends.
        elapsed = std::fmod(elapsed + 1.0 / 60, 19.0);
        r.clock.t = start + elapsed;
        r.session.pass();
    }
}
BENCHMARK(BM_RunningPass)->Unit(benchmark::kMicrosecond);

// The graph's share alone, on the real image: one plot step with all five curves, the step
// spanning a 60 Hz frame times the time magnification (the argument).
void BM_PlotStepAllCurvesQt(benchmark::State& state) {
    bench::ensureQtApplication();
    GraphRig g;
    StepValues step;
    const double dt = double(state.range(0)) / 60;
    double t = 0;
    for (auto _ : state) {
        t += dt;
        if (t >= 19) {  // a new run: the pen reset keeps the wrap from drawing
            t = 0;
            graph::resetPen(g.pen);
        }
        evaluateResponse(g.record, t, "1000", 1, step);
        g.graph.plotStep(t, step);
    }
}
BENCHMARK(BM_PlotStepAllCurvesQt)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
