#include "app/charts/frequency_response_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"

namespace yurana::charts {

namespace {

constexpr double kPhaseStep = 45;  // °
// No space before ω: after kana the legend's font sets a space as wide as a kana.
const QString kCurrentW = QStringLiteral("現在のω");

QString zetaName(double zeta) {
    return QStringLiteral("ζ=%1").arg(zeta);
}

// A grey point that carries the name of a family curve beside it; out of the legend.
QScatterSeries* labelSeries(const QString& name) {
    auto* s = new QScatterSeries;
    s->setName(name);
    s->setMarkerSize(5);
    s->setColor(palette::kFamily);
    s->setBorderColor(palette::kFamily);
    s->setPointLabelsFormat(name);
    s->setPointLabelsColor(palette::kFamily);
    s->setPointLabelsVisible(true);
    return s;
}

void showInLegend(QChart* chart, QAbstractSeries* series, bool shown) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) {
        marker->setVisible(shown);
    }
}

void showPoint(QXYSeries* series, const analysis::Point& p) {
    series->replace({QPointF(p.x, p.y)});
}

}  // namespace

FrequencyResponseWindow::FrequencyResponseWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("FrequencyResponseWindow"), QStringLiteral("周波数応答"),
                     parent) {
    buildAmplitudeChart();
    buildPhaseChart();
    buildTransmissibilityChart();
    buildPowerChart();
    logScale_ = new QCheckBox(QStringLiteral("対数目盛"), this);
    normalised_ = new QCheckBox(QStringLiteral("無次元表示"), this);
    readout_ = readoutLabel(this);
    // Amplitude over phase as before; transmissibility and mean power beside them.
    auto* layout = new QVBoxLayout(this);
    auto* charts = new QGridLayout;
    charts->addWidget(chartView(amplitudeChart_, this), 0, 0);
    charts->addWidget(chartView(phaseChart_, this), 1, 0);
    charts->addWidget(chartView(trChart_, this), 0, 1);
    powerView_ = chartView(powerChart_, this);
    powerView_->hide();
    charts->addWidget(powerView_, 1, 1);
    charts->setRowStretch(0, 3);
    charts->setRowStretch(1, 2);
    layout->addLayout(charts, 1);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(logScale_);
    boxes->addWidget(normalised_);
    boxes->addStretch(1);
    layout->addLayout(boxes);
    layout->addWidget(readout_);
    connect(logScale_, &QCheckBox::toggled, this, &FrequencyResponseWindow::showAmplitudeAxis);
    connect(normalised_, &QCheckBox::toggled, this, &FrequencyResponseWindow::showCurves);
    for (QChart* chart : {amplitudeChart_, phaseChart_}) {
        connect(chart, &QChart::plotAreaChanged, this, &FrequencyResponseWindow::alignPlotAreas);
    }
    titleAxes(false);
    resize(1240, 680);
}

void FrequencyResponseWindow::buildAmplitudeChart() {
    wAxes_[0] = valueAxis({});
    linearX_ = valueAxis({});
    logX_ = new QLogValueAxis(this);  // waits outside the chart until 対数目盛 is checked
    logX_->setLabelFormat(QStringLiteral("%g"));
    logX_->setMinorTickCount(8);
    amplitudeChart_ = axesChart({}, wAxes_[0], linearX_, {});
    buildFamily();
    amplitude_ = lineSeries(QStringLiteral("X(ω)"), palette::kCurve, 2);
    wnOnAmplitude_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    halfPower_ = dotSeries(QStringLiteral("半値点 X=Xmax/√2"), palette::kSteady);
    halfPower_->setMarkerSize(8);
    wOnAmplitude_ = dotSeries(kCurrentW, palette::kCurrent);
    for (QXYSeries* s : amplitudeSeries()) {
        addSeries(amplitudeChart_, s, wAxes_[0], linearX_);
    }
    for (QAbstractSeries* s : amplitudeChart_->series()) {
        if (s->name().startsWith(QStringLiteral("ζ="))) {
            showInLegend(amplitudeChart_, s, false);
        }
    }
}

void FrequencyResponseWindow::buildFamily() {
    for (double zeta : analysis::kZetaFamily) {
        family_.push_back(lineSeries(zetaName(zeta), palette::kFamily, 1));
        labels_.push_back(labelSeries(zetaName(zeta)));
    }
}

void FrequencyResponseWindow::buildPhaseChart() {
    wAxes_[1] = valueAxis({});
    phaseAxis_ = valueAxis(QStringLiteral("φ (°)"));
    phase_ = lineSeries(QStringLiteral("φ(ω)"), palette::kCurve, 2);
    wnOnPhase_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    wOnPhase_ = dotSeries(kCurrentW, palette::kCurrent);
    phaseChart_ = axesChart({}, wAxes_[1], phaseAxis_, {phase_, wnOnPhase_, wOnPhase_});
    setRangeWithTicks(phaseAxis_, curves_.phaseDeg, kPhaseStep);
}

void FrequencyResponseWindow::buildTransmissibilityChart() {
    wAxes_[2] = valueAxis({});
    trAxis_ = valueAxis(QStringLiteral("TR"));
    tr_ = lineSeries(QStringLiteral("TR"), palette::kCurve, 2);
    rootTwo_ = lineSeries(QStringLiteral("r=√2"), palette::kNatural, 1.5, true);
    crossover_ = dotSeries(QStringLiteral("TR=1 (r=√2)"), palette::kNatural);
    crossover_->setMarkerSize(8);
    wOnTr_ = dotSeries(kCurrentW, palette::kCurrent);
    trChart_ = axesChart(QStringLiteral("力の伝達率"), wAxes_[2], trAxis_,
                         {tr_, rootTwo_, crossover_, wOnTr_});
}

void FrequencyResponseWindow::buildPowerChart() {
    wAxes_[3] = valueAxis(QStringLiteral("r = ω/ωn"));
    powerAxis_ = valueAxis(QStringLiteral("P̄/P̄max"));
    setRangeWithRoundTicks(powerAxis_, {0, 1.05});
    power_ = lineSeries(QStringLiteral("P̄/P̄max (P̄max = F²/(2c))"), palette::kSteady, 2);
    wnOnPower_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    wOnPower_ = dotSeries(kCurrentW, palette::kCurrent);
    powerChart_ = axesChart(QStringLiteral("1周期の平均入力パワー"), wAxes_[3], powerAxis_,
                            {power_, wnOnPower_, wOnPower_});
}

std::vector<QXYSeries*> FrequencyResponseWindow::amplitudeSeries() const {
    std::vector<QXYSeries*> all(family_.begin(), family_.end());
    all.insert(all.end(), labels_.begin(), labels_.end());
    all.insert(all.end(), {amplitude_, wnOnAmplitude_, halfPower_, wOnAmplitude_});
    return all;
}

void FrequencyResponseWindow::titleAxes(bool dimensionless) {
    const QString w = dimensionless ? QStringLiteral("r = ω/ωn") : QStringLiteral("ω (rad/s)");
    for (int i = 0; i < 3; ++i) {
        wAxes_[i]->setTitleText(w);
    }
    const QString x = dimensionless ? QStringLiteral("X·k/F") : QStringLiteral("X (m)");
    linearX_->setTitleText(x);
    logX_->setTitleText(x);
    amplitude_->setName(dimensionless ? QStringLiteral("X·k/F(r)") : QStringLiteral("X(ω)"));
}

void FrequencyResponseWindow::setModel(const ModelRecord& r) {
    record_ = r;
    showCurves();
}

void FrequencyResponseWindow::showCurves() {
    const bool dimensionless = normalised_->isChecked();
    curves_ =
        dimensionless ? analysis::normalisedCurves(record_) : analysis::frequencyCurves(record_);
    showReadout(readout_, curves_.readout);
    titleAxes(dimensionless);
    powerView_->setVisible(dimensionless);
    for (QXYSeries* s : amplitudeSeries()) {
        s->clear();  // a log axis must never see the old points, which may hold X = 0
    }
    logScale_->setEnabled(curves_.amplitudeLog.has_value());
    showAmplitudeAxis();
    amplitude_->replace(toPoints(curves_.amplitude));
    phase_->replace(toPoints(curves_.phase));
    tr_->replace(toPoints(curves_.transmissibility));
    power_->replace(toPoints(curves_.meanPower));
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{
             wnOnPhase_, wOnPhase_, rootTwo_, crossover_, wOnTr_, wnOnPower_, wOnPower_}) {
        s->clear();
    }
    if (curves_.drawable) {
        showFamily();
        showMarkers();
    }
    showInLegend(amplitudeChart_, halfPower_, halfPower_->count() > 0);  // none at ζ = 0
}

void FrequencyResponseWindow::showFamily() {
    for (std::size_t i = 0; i < curves_.family.size() && i < family_.size(); ++i) {
        family_[i]->replace(toPoints(curves_.family[i].magnification));
        showPoint(labels_[i], curves_.family[i].label);
    }
}

void FrequencyResponseWindow::showMarkers() {
    for (QCategoryAxis* axis : wAxes_) {
        setRangeWithRoundTicks(axis, {0, curves_.wmax});
    }
    setRangeWithTicks(phaseAxis_, curves_.phaseDeg, kPhaseStep);
    setRangeWithRoundTicks(trAxis_, curves_.transmissibilityRange);
    const double wn = curves_.wn;
    wnOnPhase_->replace({QPointF(wn, curves_.phaseDeg.lo), QPointF(wn, curves_.phaseDeg.hi)});
    wnOnPower_->replace({QPointF(wn, 0), QPointF(wn, 1.05)});
    rootTwo_->replace({QPointF(curves_.crossover.x, curves_.transmissibilityRange.lo),
                       QPointF(curves_.crossover.x, curves_.transmissibilityRange.hi)});
    showPoint(crossover_, curves_.crossover);
    showPoint(wOnAmplitude_, curves_.amplitudeAtW);
    showPoint(wOnPhase_, curves_.phaseAtW);
    showPoint(wOnTr_, curves_.transmissibilityAtW);
    showPoint(wOnPower_, curves_.meanPowerAtW);
    halfPower_->replace(toPoints(curves_.halfPower));
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
    const double amplitudeLeft = amplitudeChart_->plotArea().left() - indents_[0];
    const double phaseLeft = phaseChart_->plotArea().left() - indents_[1];
    const double left = std::max(amplitudeLeft, phaseLeft);
    indent(amplitudeChart_, indents_[0], qRound(left - amplitudeLeft));
    indent(phaseChart_, indents_[1], qRound(left - phaseLeft));
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
