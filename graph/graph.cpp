#include "graph/graph.h"

#include <cmath>

#include "graph/curves.h"
#include "graph/mapping.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "model/regime.h"
#include "panel/parameter_panel.h"

namespace yurana::graph {

namespace {

constexpr Rgb kBlack{0, 0, 0};            // QBColor(0)
constexpr Rgb kLightGrey{192, 192, 192};  // QBColor(7)
constexpr Rgb kWhite{255, 255, 255};      // QBColor(15)

constexpr int kSummaryLines = 11;

// A coordinate as the surface takes it, a Single; fails beyond the Single range.
float px(double v) {
    return num::toSingle(v);
}

}  // namespace

Graph::Graph(Picture& form3, Picture& picture1, const Panel& panel, ModelRecord& record,
             PenMemory& pen)
    : form3_(form3), picture1_(picture1), panel_(panel), record_(record), pen_(pen) {}

void Graph::graph_haikei() {
    picture1_.fillRect(0, 0, px(picture1_.clientWidth()), px(picture1_.clientHeight()), kLightGrey);
    picture1_.setTextPos(0, 0);

    // The panel is an eighth of the window wide; a negative width is refused.
    double panelWidth = form3_.clientWidth() / 8.0 - 5;
    if (panelWidth < 0) {
        throw calc_error(calc_error::Kind::InvalidCall, "invalid property value");
    }
    picture1_.setWidth(num::nint(panelWidth));

    form3_.setDrawColor(kBlack);
    picture1_.setTextPos(0, 0);

    record_.graphw = float(form3_.clientWidth());
    record_.graphh = float(form3_.clientHeight());
    double w = record_.graphw;
    double h = record_.graphh;

    form3_.fillRect(0, 0, px(w), px(h), kWhite);
    drawAxes();
    form3_.setTextPos(px(w / 8 - 10), px(h / 2 + 6));
    form3_.print(panel_.text("Texttmin"));
    form3_.line(px(0.875 * w), px(h / 2 - 10), px(0.875 * w), px(h / 2 + 10), kBlack);
    form3_.setTextPos(px(0.875 * w - 10), px(h / 2 + 6));
    form3_.print(panel_.text("Texttmax"));

    // A ζ that is no number keeps the previous caption.
    if (!std::isnan(record_.z)) {
        record_.gensui = regimeCaption(regimeOf(record_.z));
    }

    for (int i = 1; i <= kSummaryLines; ++i) {
        picture1_.print(summaryLine(i, panel_, record_));
    }
}

void Graph::plotStep(double t, const StepValues& v, const std::function<void()>& between) {
    drawSegments(t, v);
    if (between) {
        between();
    }
    updatePen(t, v);
}

void Graph::drawSegments(double t, const StepValues& v) const {
    if (!drawTest(record_, pen_.mae_x, t)) {
        return;
    }
    for (const CurveDef& curve : kCurves) {
        if (panel_.value(curve.checkbox) != 1) {
            continue;
        }
        form3_.setDrawColor(curve.color);
        float x1 = px(pen_.mae_x);
        float y1 = px(curve.pen(pen_));
        float x2 = px(timeX(record_, t));
        float y2 = px(displacementY(record_, curve.value(v)));
        form3_.line(x1, y1, x2, y2);
    }
}

void Graph::updatePen(double t, const StepValues& v) {
    // One store after the other: a failure leaves the later ones unchanged.
    pen_.mae_x = timeX(record_, t);
    pen_.mae_heni = displacementY(record_, num::add(num::add(v.xc, v.xp), v.kabeheni));
    pen_.mae_xc = displacementY(record_, v.xc);
    pen_.mae_xp = displacementY(record_, v.xp);
    pen_.mae_xcxp = displacementY(record_, num::add(v.xc, v.xp));
    pen_.mae_kabe = px(displacementY(record_, v.kabeheni));
}

void Graph::clear() {
    form3_.fillRect(0, 0, record_.graphw, record_.graphh, kWhite);
    drawAxes();
}

void Graph::drawAxes() {
    double w = record_.graphw;
    double h = record_.graphh;
    form3_.line(0, px(h / 2), px(w), px(h / 2), kBlack);
    form3_.line(px(w / 8), 0, px(w / 8), px(h), kBlack);
}

}  // namespace yurana::graph
