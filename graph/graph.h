#pragma once

#include <functional>

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

    // The plot step for the step time t (s): drawSegments, then `between` (the run loop
    // writes Texttest there), then updatePen.
    void plotStep(double t, const StepValues& v, const std::function<void()>& between = {});
    // Segments from the pen memory to the new sample, for each ticked curve, when the
    // draw test holds.
    void drawSegments(double t, const StepValues& v) const;
    // Stores the new sample of every curve, ticked or not.
    void updatePen(double t, const StepValues& v);

    // Clear drawing (クリア): white plot and the two axes; labels gone, pen kept.
    void clear();

  private:
    void drawAxes();

    Picture& form3_;
    Picture& picture1_;
    const Panel& panel_;
    ModelRecord& record_;
    PenMemory& pen_;
};

}  // namespace yurana::graph
