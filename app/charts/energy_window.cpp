#include "app/charts/energy_window.h"

#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QHBoxLayout>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"

namespace yurana::charts {

EnergyWindow::EnergyWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("EnergyWindow"), QStringLiteral("エネルギー"), parent) {
    tAxis_ = valueAxis(QStringLiteral("t (s)"));
    energyAxis_ = valueAxis(QStringLiteral("エネルギー (J)"));
    kinetic_ = lineSeries(QStringLiteral("T 運動"), palette::kKinetic, 1.2);
    potential_ = lineSeries(QStringLiteral("U 位置"), palette::kPotential, 1.2);
    total_ = lineSeries(QStringLiteral("E = T + U"), palette::kCurve, 2.2);
    workIn_ = lineSeries(QStringLiteral("W入力"), palette::kSteady, 2.2);
    workDissipated_ = lineSeries(QStringLiteral("W散逸"), palette::kDissipated, 2.2, true);
    now_ = lineSeries(QStringLiteral("現在の時刻"), palette::kCurrent, 1.5);
    chart_ = axesChart({}, tAxis_, energyAxis_,
                       {kinetic_, potential_, total_, workIn_, workDissipated_, now_});
    buildCycleChart();
    buildLoopChart();
    readout_ = readoutLabel(this);
    auto* layout = new QVBoxLayout(this);
    view_ = markedChartView(chart_, MarkedChartView::Shape::VerticalLine, palette::kCurrent, this);
    auto* charts = new QHBoxLayout;
    charts->addWidget(view_, 4);
    charts->addWidget(overlaidBarsView(cycleChart_, cycleSeries_, this), 1);
    loopView_ = overlaidCurvesView(loopChart_, this);
    charts->addWidget(loopView_, 3);
    layout->addLayout(charts, 1);
    layout->addWidget(readoutPlace(readout_));
    resize(1360, 560);
}

void EnergyWindow::buildLoopChart() {
    loopX_ = valueAxis(QStringLiteral("x (m)"));
    loopForce_ = valueAxis(QStringLiteral("力 (N)"));
    // In the colours of W入力 and W散逸: each loop's area is that work.
    driveLoop_ = lineSeries(QStringLiteral("外力 F·sin ωt"), palette::kSteady, 2);
    dampingLoop_ = lineSeries(QStringLiteral("減衰力 c·v"), palette::kDissipated, 2, true);
    loopChart_ = axesChart(QStringLiteral("力–変位ループ（1周期）"), loopX_, loopForce_,
                           {driveLoop_, dampingLoop_});
}

namespace {

constexpr std::size_t kDrawnLoopPoints = 256;

// `axis` set to `span` with round ticks, unless it already holds the span and the span
// fills at least half of it: the loops of one steady state then keep their axes from
// period to period, and the chart is not laid out again at each.
void fitLoosely(QCategoryAxis* axis, const analysis::Range& span, bool fresh) {
    const double shown = axis->max() - axis->min();
    const bool holds = span.lo >= axis->min() && span.hi <= axis->max();
    if (fresh || !holds || span.hi - span.lo < shown / 2) {
        setRangeWithRoundTicks(axis, span);
    }
}

// Every n-th point of a sampled loop, its last point kept, so that at most about
// kDrawnLoopPoints are drawn.
analysis::Polyline drawnPart(const analysis::Polyline& loop) {
    const std::size_t stride = loop.size() / kDrawnLoopPoints + 1;
    if (stride == 1) {
        return loop;
    }
    analysis::Polyline drawn;
    for (std::size_t i = 0; i < loop.size(); i += stride) {
        drawn.push_back(loop[i]);
    }
    drawn.push_back(loop.back());
    return drawn;
}

}  // namespace

void EnergyWindow::showLoops(const std::shared_ptr<const analysis::ForceLoops>& loops) {
    if (loops == loopsShown_) {
        return;
    }
    loopsShown_ = loops;
    if (!loops) {
        loopView_->setCurve(driveLoop_, {});
        loopView_->setCurve(dampingLoop_, {});
        return;
    }
    fitLoosely(loopX_, analysis::spanOf({&loops->drive}, &analysis::Point::x, 0.05), !loopAxesFit_);
    fitLoosely(loopForce_,
               analysis::spanOf({&loops->drive, &loops->damping}, &analysis::Point::y, 0.05),
               !loopAxesFit_);
    loopAxesFit_ = true;
    // The areas need every sample; the eye needs a few hundred points a loop, and drawing
    // the rest would cost each move of the time into a new period.
    loopView_->setCurve(driveLoop_, toPoints(drawnPart(loops->drive)));
    loopView_->setCurve(dampingLoop_, toPoints(drawnPart(loops->damping)));
}

void EnergyWindow::buildCycleChart() {
    cycleBars_ = new QBarSet(QStringLiteral("力の仕事と散逸"));
    cycleBars_->append({0.0, 0.0});
    // The colours of W入力 and W散逸 in the main chart. A set has one colour; the second
    // bar takes the selected colour, and nothing here selects or deselects bars otherwise.
    cycleBars_->setColor(palette::kSteady);
    cycleBars_->setSelectedColor(palette::kDissipated);
    cycleBars_->selectBar(1);
    cycleSeries_ = new QBarSeries;
    cycleSeries_->append(cycleBars_);
    auto* names = new QBarCategoryAxis;
    names->append({QStringLiteral("入力"), QStringLiteral("散逸")});
    cycleAxis_ = valueAxis(QStringLiteral("J"));
    // The bars are drawn by the chart's view (overlaidBarsView), on these axes.
    cycleChart_ = axesChart(QStringLiteral("1周期"), names, cycleAxis_, {});
    cycleChart_->legend()->hide();
}

void EnergyWindow::showCycle(const std::optional<analysis::CycleWork>& cycle) {
    const double in = cycle ? cycle->work.in : 0.0;
    const double out = cycle ? cycle->work.dissipated : 0.0;
    if (barsShown_ == std::pair(in, out)) {
        return;
    }
    barsShown_ = std::pair(in, out);
    cycleBars_->replace(0, in);
    cycleBars_->replace(1, out);
    // The axis grows to the largest bar and shrinks only for a new record, so the bars
    // can be compared as the time moves.
    const double top = std::max({1.05 * std::fabs(in), 1.05 * std::fabs(out), cycleAxis_->max()});
    const double bottom = std::min({1.05 * in, 0.0, cycleAxis_->min()});
    // Ticks are laid out again only when the range changes: that is text to shape.
    const bool grown = top != cycleAxis_->max() || bottom != cycleAxis_->min();
    if (grown && std::isfinite(top) && std::isfinite(bottom)) {
        setRangeWithRoundTicks(cycleAxis_, {bottom, top});
    }
}

void EnergyWindow::setModel(const ModelRecord& r) {
    curves_ = analysis::energyCurves(r);
    cycles_.reset();
    barsShown_.reset();
    loopsShown_.reset();
    loopAxesFit_ = false;
    loopView_->setCurve(driveLoop_, {});
    loopView_->setCurve(dampingLoop_, {});
    kinetic_->replace(toPoints(curves_.kinetic));
    potential_->replace(toPoints(curves_.potential));
    total_->replace(toPoints(curves_.total));
    workIn_->replace(toPoints(curves_.workIn));
    workDissipated_->replace(toPoints(curves_.workDissipated));
    if (curves_.drawable) {
        setRangeWithRoundTicks(tAxis_, curves_.tRange);
        setRangeWithRoundTicks(energyAxis_, curves_.energyRange);
    }
    cycleAxis_->setRange(0, 0);
    setTime(r.tmin);
}

void EnergyWindow::setTime(double t) {
    const analysis::EnergyMarker m = analysis::energyMarker(curves_, t, cycles_);
    view_->setMarker(m.shown ? std::optional(QPointF(m.reading.t, 0)) : std::nullopt);
    showReadout(readout_, m.readout);
    showCycle(m.cycle);
    showLoops(m.loops);
}

}  // namespace yurana::charts
