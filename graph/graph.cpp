#include "graph/graph.h"

#include <cmath>

#include "graph/chain.h"
#include "graph/mapping.h"
#include "model/calc_error.h"
#include "model/numbers.h"
#include "model/regime.h"
#include "panel/control_names.h"
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
    lastTraces_.clear();
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
    form3_.print(panel_.text(ctl::Texttmin));
    form3_.line(px(0.875 * w), px(h / 2 - 10), px(0.875 * w), px(h / 2 + 10), kBlack);
    form3_.setTextPos(px(0.875 * w - 10), px(h / 2 + 6));
    form3_.print(panel_.text(ctl::Texttmax));

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

void Graph::drawSegments(double t, const StepValues& v) {
    // The step's own test first: it fails where the plot step fails, before any drawing.
    (void)drawTest(record_, pen_.mae_x, t);
    std::size_t ticked = 0;
    if (pen_.mae_x > 0 && pen_.mae_x < 0.875 * record_.graphw) {
        buildChain(t, v);
        const double g = num::strictDouble(record_.graphbairitu);
        for (const CurveDef& curve : kCurves) {
            if (panel_.value(curve.checkbox) == 1) {
                if (traces_.size() == ticked) {
                    traces_.emplace_back();
                }
                traceCurve(curve, g, traces_[ticked++]);
            }
        }
    }
    traces_.resize(ticked);
    if (traces_ == lastTraces_) {
        return;  // drawing it again would change no pixel
    }
    for (const Trace& trace : traces_) {
        form3_.setDrawColor(trace.color);
        std::size_t begin = 0;
        for (std::size_t end : trace.breaks) {
            form3_.polyline(std::span(trace.points).subspan(begin, end - begin));
            begin = end;
        }
    }
    std::swap(traces_, lastTraces_);
}

void Graph::buildChain(double t, const StepValues& v) {
    const double x0 = pen_.mae_x;
    const double x1 = timeX(record_, t);
    const double t0 = timeAtX(record_, x0);
    const int n = chainPieces(t - t0, x1 - x0, fastestRate(record_));
    chainX_.assign(1, x0);
    chainValues_.resize(n + 1);
    drawn_.assign(1, false);
    chainTimes_.assign(1, t0);
    for (int i = 1; i <= n; ++i) {
        const bool last = i == n;
        const double ti = last ? t : t0 + (t - t0) * i / n;
        chainTimes_.push_back(ti);
        chainX_.push_back(last ? x1 : timeX(record_, ti));
        drawn_.push_back(drawTest(record_, chainX_[i - 1], ti));
    }
    chainValues_[n] = v;
    try {
        for (int i = 1; i < n; ++i) {
            chainValues_[i] = sampleAt(record_, chainTimes_[i]);
        }
    } catch (const calc_error&) {
        // The values at t did not come from this closed form: one segment, as ever.
        chainX_ = {x0, x1};
        chainValues_ = {v, v};
        drawn_ = {false, drawTest(record_, x0, t)};
    }
}

void Graph::traceCurve(const CurveDef& curve, double g, Trace& trace) const {
    trace.color = curve.color;
    trace.points.clear();
    trace.breaks.clear();
    const float h = record_.graphh;
    auto point = [&](std::size_t i) {
        const double y =
            i == 0 ? curve.pen(pen_) : displacementY(h, g, curve.value(chainValues_[i]));
        return PlotPoint{px(chainX_[i]), px(y)};
    };
    // Runs of drawn pieces; a run starts at the point before its first piece.
    for (std::size_t i = 1; i < drawn_.size(); ++i) {
        const bool opens = drawn_[i] && (i == 1 || !drawn_[i - 1]);
        if (!drawn_[i] && i > 1 && drawn_[i - 1]) {
            trace.breaks.push_back(trace.points.size());
        }
        if (opens) {
            trace.points.push_back(point(i - 1));
        }
        if (drawn_[i]) {
            trace.points.push_back(point(i));
        }
    }
    if (drawn_.size() > 1 && drawn_.back()) {
        trace.breaks.push_back(trace.points.size());
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
    lastTraces_.clear();
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
