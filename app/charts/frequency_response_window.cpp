#include "app/charts/frequency_response_window.h"

#include <QVBoxLayout>
#include <algorithm>
#include <array>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"

namespace yurana::charts {

FrequencyResponseWindow::FrequencyResponseWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("FrequencyResponseWindow"), QStringLiteral("周波数応答"),
                     parent) {
    buildAmplitudeChart();
    buildPhaseChart();
    logScale_ = new QCheckBox(QStringLiteral("対数目盛"), this);
    readout_ = readoutLabel(this);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(chartView(amplitudeChart_, this), 3);
    layout->addWidget(chartView(phaseChart_, this), 2);
    layout->addWidget(logScale_);
    layout->addWidget(readout_);
    connect(logScale_, &QCheckBox::toggled, this, &FrequencyResponseWindow::showAmplitudeAxis);
    connect(amplitudeChart_, &QChart::plotAreaChanged, this,
            &FrequencyResponseWindow::alignPlotAreas);
    connect(phaseChart_, &QChart::plotAreaChanged, this, &FrequencyResponseWindow::alignPlotAreas);
    resize(760, 640);
}

void FrequencyResponseWindow::buildAmplitudeChart() {
    amplitudeChart_ = new QChart;
    amplitudeW_ = valueAxis(QStringLiteral("ω (rad/s)"));
    linearX_ = valueAxis(QStringLiteral("X (m)"));
    logX_ = new QLogValueAxis(this);  // waits outside the chart until 対数目盛 is checked
    logX_->setTitleText(QStringLiteral("X (m)"));
    logX_->setLabelFormat(QStringLiteral("%g"));
    logX_->setMinorTickCount(8);
    amplitudeChart_->addAxis(amplitudeW_, Qt::AlignBottom);
    amplitudeChart_->addAxis(linearX_, Qt::AlignLeft);
    amplitude_ = lineSeries(QStringLiteral("X(ω)"), palette::kCurve, 2);
    wnOnAmplitude_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    wOnAmplitude_ = dotSeries(QStringLiteral("現在の ω"), palette::kCurrent);
    for (QXYSeries* s : amplitudeSeries()) {
        addSeries(amplitudeChart_, s, amplitudeW_, linearX_);
    }
}

void FrequencyResponseWindow::buildPhaseChart() {
    phaseChart_ = new QChart;
    phaseW_ = valueAxis(QStringLiteral("ω (rad/s)"));
    phaseAxis_ = valueAxis(QStringLiteral("φ (°)"));
    phaseAxis_->setTickCount(5);  // 0, 45, 90, 135, 180
    phaseChart_->addAxis(phaseW_, Qt::AlignBottom);
    phaseChart_->addAxis(phaseAxis_, Qt::AlignLeft);
    phase_ = lineSeries(QStringLiteral("φ(ω)"), palette::kCurve, 2);
    wnOnPhase_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    wOnPhase_ = dotSeries(QStringLiteral("現在の ω"), palette::kCurrent);
    for (QXYSeries* s : std::array<QXYSeries*, 3>{phase_, wnOnPhase_, wOnPhase_}) {
        addSeries(phaseChart_, s, phaseW_, phaseAxis_);
    }
    setRange(phaseAxis_, curves_.phaseDeg);
}

void FrequencyResponseWindow::setModel(const ModelRecord& r) {
    curves_ = analysis::frequencyCurves(r);
    showReadout(readout_, curves_.readout);
    for (QXYSeries* s : amplitudeSeries()) {
        s->clear();  // a log axis must never see the old points, which may hold X = 0
    }
    logScale_->setEnabled(curves_.amplitudeLog.has_value());
    showAmplitudeAxis();
    amplitude_->replace(toPoints(curves_.amplitude));
    phase_->replace(toPoints(curves_.phase));
    wnOnPhase_->clear();
    wOnPhase_->clear();
    if (!curves_.drawable) {
        return;
    }
    setRangeWithRoundTicks(amplitudeW_, {0, curves_.wmax});
    setRangeWithRoundTicks(phaseW_, {0, curves_.wmax});
    setRange(phaseAxis_, curves_.phaseDeg);
    wnOnPhase_->replace(
        {QPointF(curves_.wn, curves_.phaseDeg.lo), QPointF(curves_.wn, curves_.phaseDeg.hi)});
    wOnAmplitude_->replace({QPointF(curves_.amplitudeAtW.x, curves_.amplitudeAtW.y)});
    wOnPhase_->replace({QPointF(curves_.phaseAtW.x, curves_.phaseAtW.y)});
}

void FrequencyResponseWindow::showAmplitudeAxis() {
    const bool log = logScale_->isChecked() && curves_.amplitudeLog.has_value();
    QAbstractAxis* wanted = log ? static_cast<QAbstractAxis*>(logX_) : linearX_;
    QAbstractAxis* other = log ? static_cast<QAbstractAxis*>(linearX_) : logX_;
    const analysis::Range range = log ? *curves_.amplitudeLog : curves_.amplitudeLinear;
    wnOnAmplitude_->clear();        // it spans the old axis, down to X = 0 on a linear one
    if (other->parent() != this) {  // the chart holds the other one: swap them
        if (log) {
            setRange(other, range);  // the log axis starts from the old range: keep it > 0
        }
        amplitudeChart_->removeAxis(other);
        other->setParent(this);
        amplitudeChart_->addAxis(wanted, Qt::AlignLeft);
        for (QXYSeries* s : amplitudeSeries()) {
            s->attachAxis(wanted);
        }
    }
    if (log) {
        setRange(logX_, range);
    } else {
        setRangeWithRoundTicks(linearX_, range);
    }
    if (curves_.drawable) {
        const double lo = log ? logX_->min() : linearX_->min();
        const double hi = log ? logX_->max() : linearX_->max();
        wnOnAmplitude_->replace({QPointF(curves_.wn, lo), QPointF(curves_.wn, hi)});
    }
}

void FrequencyResponseWindow::alignPlotAreas() {
    const double amplitudeLeft = amplitudeChart_->plotArea().left() - amplitudeIndent_;
    const double phaseLeft = phaseChart_->plotArea().left() - phaseIndent_;
    const double left = std::max(amplitudeLeft, phaseLeft);
    indent(amplitudeChart_, amplitudeIndent_, qRound(left - amplitudeLeft));
    indent(phaseChart_, phaseIndent_, qRound(left - phaseLeft));
}

void FrequencyResponseWindow::indent(QChart* chart, int& current, int wanted) {
    if (wanted == current) {
        return;
    }
    current = wanted;
    QMargins margins = chart->margins();
    margins.setLeft(kChartMargin + wanted);
    chart->setMargins(margins);
}

}  // namespace yurana::charts
