// The whole program offscreen, with the analysis windows closed (argument 0) or open (7: the
// three analysis windows; 1, 2, 4: one of them; 8: the time-history window; 16: the force
// vector diagram; 32: the absorber; 15: the four chart windows; 63: every chart window), a
// run of tmax = 50000: a frame resize and its layout pass (the target: with the windows open
// at most 1.2 × the time closed, and no curve recomputed), and a running pass (the targets:
// the three analysis windows add at most 3 % of a core at 60 passes a second, 0.5 ms a pass;
// the time-history window at most 2 %, 0.33 ms a pass).

#include <benchmark/benchmark.h>

#include <QCoreApplication>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <memory>

#include "app/application.h"
#include "bench/qt_bench_app.h"
#include "panel/control_names.h"
#include "support/fake_panel.h"

namespace {

using namespace yurana;

struct Program {
    test::RecordingMessageBox box;
    test::ManualClock clock;
    QTemporaryDir settings;
    std::unique_ptr<app::Application> app;

    // `windows`: a bit per analysis window shown (周波数応答, 位相平面, エネルギー, 時刻歴,
    // 力のベクトル図, 動吸振器, 減衰の測定).
    explicit Program(int windows) {
        clock.t = 100;
        // Filled field by field: GCC 12 at -O3 takes the default full-screen hook of a
        // designated initialiser for uninitialised.
        app::Application::Options options;
        options.box = &box;
        options.clock = &clock;
        options.folder = QString::fromStdString(bench::kDataFolder);
        options.runLoop = false;
        options.settingsFile = settings.filePath("yurana.conf");
        app = std::make_unique<app::Application>(std::move(options));
        app->Main();
        app->panel().setText(ctl::Texttmax, "50000");
        app->session().perform(PanelAction::Calculate);
        auto& views = app->analysis();
        int bit = 1;
        for (QAction* a : {views.frequencyAction(), views.phaseAction(), views.energyAction(),
                           views.historyAction(), views.vectorAction(), views.absorberAction(),
                           views.dampingAction()}) {
            if ((windows & bit) != 0) {
                a->trigger();
            }
            bit <<= 1;
        }
        QCoreApplication::processEvents();
    }

    void pass(double seconds) {
        clock.t += seconds;
        app->tick();
        QCoreApplication::processEvents();
    }
};

void BM_FrameResize(benchmark::State& state) {
    bench::ensureQtApplication();
    Program p(int(state.range(0)));
    const int before = p.app->analysis().recomputes();
    int i = 0;
    for (auto _ : state) {
        p.app->frame().resize(p.app->frame().size() + QSize(++i % 2 == 0 ? 40 : -40, 0));
        p.pass(1.0 / 60);
    }
    state.counters["recomputes"] = p.app->analysis().recomputes() - before;
}
BENCHMARK(BM_FrameResize)->Arg(0)->Arg(7)->Unit(benchmark::kMicrosecond);

void BM_AnimatingPass(benchmark::State& state) {
    bench::ensureQtApplication();
    Program p(int(state.range(0)));
    p.app->session().perform(PanelAction::StartStop);
    for (auto _ : state) {
        p.pass(1.0 / 60);
    }
}
BENCHMARK(BM_AnimatingPass)
    ->Arg(0)
    ->Arg(1)
    ->Arg(2)
    ->Arg(4)
    ->Arg(7)
    ->Arg(8)
    ->Arg(15)
    ->Arg(16)
    ->Arg(32)
    ->Arg(63)
    ->Unit(benchmark::kMicrosecond);

// Paused, with the defaults and the windows of the argument's bits open, the time cursor
// moved (the target: under 2 ms a move), either back and forth between 3 s and 7.5 s, a jump
// into another period of the force each time (BM_CursorMove), or one frame at a time as
// ◀1コマ, 1コマ▶ and a dragged slider do, mostly within a period (BM_CursorStep).
template <bool Jump>
void cursorMoves(benchmark::State& state) {
    bench::ensureQtApplication();
    Program p(int(state.range(0)));
    Session& s = p.app->session();
    p.app->panel().setText(ctl::Texttmax, "20");
    s.perform(PanelAction::Calculate);
    s.perform(PanelAction::StartStop);
    s.perform(PanelAction::Pause);
    int i = 0;
    for (auto _ : state) {
        ++i;
        Jump ? s.setTime(i % 2 == 0 ? 3.0 : 7.5) : s.stepFrames(i % 600 < 300 ? 1 : -1);
        p.pass(1.0 / 60);
    }
}

void BM_CursorMove(benchmark::State& state) {
    cursorMoves<true>(state);
}
void BM_CursorStep(benchmark::State& state) {
    cursorMoves<false>(state);
}
// None, one window each, the four of the time history's own set, all six charts, and with
// 減衰の測定 too (it draws nothing that moves with the time).
void windowSets(benchmark::internal::Benchmark* b) {
    for (int windows : {0, 2, 4, 8, 15, 16, 32, 63, 127}) {
        b->Arg(windows);
    }
    b->Unit(benchmark::kMicrosecond);
}
BENCHMARK(BM_CursorMove)->Apply(windowSets);
BENCHMARK(BM_CursorStep)->Apply(windowSets);

}  // namespace
