#include "app/charts/phase_plane_window.h"

#include <QVBoxLayout>
#include <array>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"

namespace yurana::charts {

PhasePlaneWindow::PhasePlaneWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("PhasePlaneWindow"), QStringLiteral("位相平面"), parent) {
    xAxis_ = valueAxis(QStringLiteral("x (m)"));
    vAxis_ = valueAxis(QStringLiteral("v (m/s)"));
    trajectory_ = lineSeries(QStringLiteral("余関数+特殊解"), palette::kCurve, 1.5);
    ellipse_ = lineSeries(QStringLiteral("定常状態 (特殊解)"), palette::kSteady, 2, true);
    dot_ = dotSeries(QStringLiteral("現在の時刻"), palette::kCurrent);
    chart_ = axesChart({}, xAxis_, vAxis_, {trajectory_, ellipse_, dot_});
    readout_ = readoutLabel(this);
    auto* layout = new QVBoxLayout(this);
    view_ = markedChartView(chart_, MarkedChartView::Shape::Dot, palette::kCurrent, this);
    layout->addWidget(view_, 1);
    layout->addWidget(readoutPlace(readout_));
    resize(640, 600);
}

void PhasePlaneWindow::setModel(const ModelRecord& r) {
    curves_ = analysis::phasePlaneCurves(r);
    trajectory_->replace(toPoints(curves_.trajectory));
    ellipse_->replace(toPoints(curves_.steadyEllipse));
    if (curves_.drawable) {
        setRangeWithRoundTicks(xAxis_, curves_.xRange);
        setRangeWithRoundTicks(vAxis_, curves_.vRange);
    }
    setTime(r.tmin);
}

void PhasePlaneWindow::setTime(double t) {
    const analysis::PhaseMarker m = analysis::phasePlaneMarker(curves_, t);
    view_->setMarker(m.shown ? std::optional(QPointF(m.point.x, m.point.y)) : std::nullopt);
    showReadout(readout_, m.readout);
}

}  // namespace yurana::charts
