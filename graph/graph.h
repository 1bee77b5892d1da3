#pragma once

#include <functional>
#include <vector>

#include "graph/curves.h"
#include "graph/pen_memory.h"
#include "model/record.h"
#include "model/response.h"
#include "platform/panel.h"
#include "platform/picture.h"

namespace yurana::graph {

// The response graph: the plot area of Form3 with its background, the summary panel
// Picture1, and the live tracing of the five curves. Reads the parameter panel (check
// boxes, Texttmin, Texttmax, Textwn, Labelcc) and the model record; writes graphw,
// graphh and gensui into the record and the previous samples into the pen memory.
class Graph {
  public:
    Graph(Picture& form3, Picture& picture1, const Panel& panel, ModelRecord& record,
          PenMemory& pen);

    // graph_haikei: redraws the plot background and prints the summary on the panel.
    // Fails when the window is narrower than 40 px or Textwn is not a number, leaving
    // what it has drawn.
    void graph_haikei();

    // The plot step for the step time t (s) with v the values at t: drawSegments, then
    // `between` (the run loop writes Texttest there), then updatePen.
    void plotStep(double t, const StepValues& v, const std::function<void()>& between = {});

    // Clear drawing (クリア): white plot and the two axes; labels gone, pen kept.
    void clear();

  private:
    // One ticked curve's lines of a step.
    struct Trace {
        Rgb color;
        std::vector<PlotPoint> points;
        std::vector<std::size_t> breaks;  // where a run of drawn pieces ends, into points

        bool operator==(const Trace&) const = default;
    };

    // For each ticked curve, the chain from the pen memory to the new sample through the
    // closed form at the times between; each piece drawn when the draw test holds for its
    // start and end. Nothing when the pen holds no sample inside the axis. A step that
    // would draw exactly what the step before drew, with nothing drawn over it since,
    // draws nothing: the plot would not change (a paused run).
    void drawSegments(double t, const StepValues& v);
    // The chain's points, the last being those of t and v, and its drawn pieces. When the
    // closed form fails between the two, a single piece.
    void buildChain(double t, const StepValues& v);
    // The drawn runs of one curve's chain.
    void traceCurve(const CurveDef& curve, double g, Trace& trace) const;
    // Stores the new sample of every curve, ticked or not.
    void updatePen(double t, const StepValues& v);
    void drawAxes();

    Picture& form3_;
    Picture& picture1_;
    const Panel& panel_;
    ModelRecord& record_;
    PenMemory& pen_;

    // The chain of the current step: times (s), x (px), values and whether piece i
    // (ending at point i) is drawn; point 0 is the pen.
    std::vector<double> chainTimes_;
    std::vector<double> chainX_;
    std::vector<StepValues> chainValues_;
    std::vector<bool> drawn_;
    // What this step and the last step drew; the last is empty once anything else drew.
    std::vector<Trace> traces_;
    std::vector<Trace> lastTraces_;
};

}  // namespace yurana::graph
