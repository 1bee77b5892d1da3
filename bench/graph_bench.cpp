// Cost of the graph's share of a frame: one plot step with all five curves ticked.

#include <benchmark/benchmark.h>

#include <string>

#include "graph/graph.h"
#include "panel/panel_controls.h"
#include "platform/panel.h"
#include "platform/picture.h"

namespace {

using namespace yurana;

// A surface that only counts what it is asked to draw.
class CountingPicture : public Picture {
  public:
    void setDrawColor(Rgb) override {}
    void line(float, float, float, float) override { ++lines; }
    void line(float, float, float, float, Rgb) override { ++lines; }
    void fillRect(float, float, float, float, Rgb) override {}
    void setTextPos(float, float) override {}
    void print(std::string_view) override {}
    int clientWidth() const override { return 640; }
    int clientHeight() const override { return 252; }
    void setWidth(int) override {}
    long lines = 0;
};

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
    CountingPicture form3;
    CountingPicture picture1;
    TickedPanel panel;
    ModelRecord record;
    record.tmin = 0;
    record.tmax = 20;
    record.graphw = 640;
    record.graphh = 252;
    record.graphbairitu = "1000";
    graph::PenMemory pen;
    graph::Graph g(form3, picture1, panel, record, pen);
    graph::resetPen(pen);
    StepValues v{0.05, 0.003, 0, 0.012f, 0};
    double t = 0;
    for (auto _ : state) {
        g.plotStep(t, v);
        t = t < 19 ? t + 1.0 / 60 : 0;
    }
    benchmark::DoNotOptimize(form3.lines);
}
BENCHMARK(BM_PlotStepAllCurves);

}  // namespace
