// Cost of the graph's share of a frame: one plot step with all five curves ticked, on the
// panel's defaults, the step spanning a 60 Hz frame times the time magnification (the
// argument): the closed form at the chain's points and the pieces handed to the surface.

#include <benchmark/benchmark.h>

#include <string>
#include <tuple>

#include "graph/graph.h"
#include "model/response.h"
#include "panel/panel_controls.h"
#include "platform/panel.h"
#include "platform/picture.h"
#include "support/counting_picture.h"
#include "support/model_defaults.h"

namespace {

using namespace yurana;

// A panel whose check boxes are all ticked.
class TickedPanel : public Panel {
  public:
    std::string text(std::string_view) const override { return "1"; }
    void setText(std::string_view, std::string_view) override {}
    int value(std::string_view) const override { return 1; }
    void setValue(std::string_view, int) override {}
    bool isVisible(std::string_view) const override { return true; }
    void setVisible(std::string_view, bool) override {}
    bool isEnabled(std::string_view) const override { return true; }
    void setEnabled(std::string_view, bool) override {}
    void showPanel() override {}
};

void BM_PlotStepAllCurves(benchmark::State& state) {
    test::CountingPicture form3;
    test::CountingPicture picture1;
    TickedPanel panel;
    ModelRecord record = test::defaultRecord();
    std::tie(record.graphw, record.graphh) = std::tuple(640.f, 252.f);
    keisan_c1c2(record);
    graph::PenMemory pen;
    graph::Graph g(form3, picture1, panel, record, pen);
    const double step = double(state.range(0)) / 60;
    StepValues v;
    double t = 0;
    long steps = 0;
    for (auto _ : state) {
        t += step;
        if (t >= 19) {  // a new run: the pen reset keeps the wrap from drawing
            t = 0;
            graph::resetPen(pen);
        }
        evaluateResponse(record, t, "1000", 1, v);
        g.plotStep(t, v);
        ++steps;
    }
    state.counters["pieces"] = double(form3.segments + form3.marks) / double(steps);
}
BENCHMARK(BM_PlotStepAllCurves)->Arg(1)->Arg(10)->Unit(benchmark::kMicrosecond);

}  // namespace
