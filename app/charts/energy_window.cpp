#include "app/charts/energy_window.h"

#include <QVBoxLayout>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"

namespace yurana::charts {

EnergyWindow::EnergyWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("EnergyWindow"), QStringLiteral("エネルギー"), parent) {
    chart_ = new QChart;
    tAxis_ = valueAxis(QStringLiteral("t (s)"));
    energyAxis_ = valueAxis(QStringLiteral("エネルギー (J)"));
    chart_->addAxis(tAxis_, Qt::AlignBottom);
    chart_->addAxis(energyAxis_, Qt::AlignLeft);
    kinetic_ = lineSeries(QStringLiteral("T 運動"), palette::kKinetic, 1.2);
    potential_ = lineSeries(QStringLiteral("U 位置"), palette::kPotential, 1.2);
    total_ = lineSeries(QStringLiteral("E = T + U"), palette::kCurve, 2.2);
    workIn_ = lineSeries(QStringLiteral("W入力"), palette::kSteady, 2.2);
    workDissipated_ = lineSeries(QStringLiteral("W散逸"), palette::kDissipated, 2.2, true);
    now_ = lineSeries(QStringLiteral("現在の時刻"), palette::kCurrent, 1.5);
    for (QAbstractSeries* s : {kinetic_, potential_, total_, workIn_, workDissipated_, now_}) {
        addSeries(chart_, s, tAxis_, energyAxis_);
    }
    readout_ = readoutLabel(this);
    auto* layout = new QVBoxLayout(this);
    view_ = markedChartView(chart_, MarkedChartView::Shape::VerticalLine, palette::kCurrent, this);
    layout->addWidget(view_, 1);
    layout->addWidget(readout_);
    resize(760, 560);
}

void EnergyWindow::setModel(const ModelRecord& r) {
    curves_ = analysis::energyCurves(r);
    kinetic_->replace(toPoints(curves_.kinetic));
    potential_->replace(toPoints(curves_.potential));
    total_->replace(toPoints(curves_.total));
    workIn_->replace(toPoints(curves_.workIn));
    workDissipated_->replace(toPoints(curves_.workDissipated));
    if (curves_.drawable) {
        setRangeWithRoundTicks(tAxis_, curves_.tRange);
        setRangeWithRoundTicks(energyAxis_, curves_.energyRange);
    }
    setTime(r.tmin);
}

void EnergyWindow::setTime(double t) {
    const analysis::EnergyMarker m = analysis::energyMarker(curves_, t);
    view_->setMarker(m.shown ? std::optional(QPointF(m.reading.t, 0)) : std::nullopt);
    showReadout(readout_, m.readout);
}

}  // namespace yurana::charts
