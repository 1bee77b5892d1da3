#include "app/charts/frequency_response_window.h"

#include <QGridLayout>
#include <QHBoxLayout>
#include <QLegendMarker>
#include <QVBoxLayout>
#include <algorithm>
#include <cmath>
#include <iterator>

#include "app/charts/chart_parts.h"
#include "app/charts/palette.h"
#include "measured/thinning.h"

namespace yurana::charts {

namespace {

constexpr double kPhaseStep = 45;  // °
constexpr double kDbStep = 20;     // dB
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

void showPoint(QXYSeries* series, const analysis::Point& p) {
    series->replace({QPointF(p.x, p.y)});
}

// An ω axis in decades, labelled 0.1, 1, 10, … with eight minor ticks between.
QLogValueAxis* logAxis(QObject* parent) {
    auto* axis = new QLogValueAxis(parent);
    axis->setBase(10);
    axis->setLabelFormat(QStringLiteral("%g"));
    axis->setMinorTickCount(8);
    return axis;
}

analysis::Range widened(const analysis::Range& r, double width) {
    const double mid = (r.lo + r.hi) / 2;
    return {mid - width / 2, mid + width / 2};
}

}  // namespace

FrequencyResponseWindow::FrequencyResponseWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("FrequencyResponseWindow"), QStringLiteral("周波数応答"),
                     parent) {
    buildAmplitudeChart();
    buildPhaseChart();
    buildTransmissibilityChart();
    buildPowerChart();
    buildBodeCharts();
    buildNyquistChart();
    logScale_ = new QCheckBox(QStringLiteral("対数目盛"), this);
    normalised_ = new QCheckBox(QStringLiteral("無次元表示"), this);
    decibels_ = new QCheckBox(QStringLiteral("dB表示"), this);
    readout_ = readoutLabel(this);
    // Amplitude over phase as before (or the Bode pair in their place); transmissibility
    // beside them, and under it the Nyquist plot, or the mean power with the Nyquist plot
    // in a third column.
    auto* layout = new QVBoxLayout(this);
    grid_ = new QGridLayout;
    amplitudeView_ = chartView(amplitudeChart_, this);
    phaseView_ = chartView(phaseChart_, this);
    bodeView_ = chartView(bodeChart_, this);
    bodePhaseView_ = chartView(bodePhaseChart_, this);
    grid_->addWidget(amplitudeView_, 0, 0);
    grid_->addWidget(phaseView_, 1, 0);
    grid_->addWidget(bodeView_, 0, 0);
    grid_->addWidget(bodePhaseView_, 1, 0);
    grid_->addWidget(chartView(trChart_, this), 0, 1);
    powerView_ = chartView(powerChart_, this);
    powerView_->hide();
    grid_->addWidget(powerView_, 1, 1);
    nyquistView_ = chartView(nyquistChart_, this);
    placeNyquist(false);
    grid_->setRowStretch(0, 3);
    grid_->setRowStretch(1, 2);
    // The ω charts wide, the transmissibility and the Nyquist plot (round) narrower; the
    // legends' widths alone would leave the right column a strip.
    grid_->setColumnStretch(0, 3);
    grid_->setColumnStretch(1, 2);
    layout->addLayout(grid_, 1);
    auto* boxes = new QHBoxLayout;
    boxes->addWidget(logScale_);
    boxes->addWidget(normalised_);
    boxes->addWidget(decibels_);
    boxes->addStretch(1);
    layout->addLayout(boxes);
    layout->addWidget(readoutPlace(readout_));
    connect(logScale_, &QCheckBox::toggled, this, &FrequencyResponseWindow::showAmplitudeAxis);
    connect(normalised_, &QCheckBox::toggled, this, &FrequencyResponseWindow::showCurves);
    connect(decibels_, &QCheckBox::toggled, this, &FrequencyResponseWindow::showDecibels);
    for (std::size_t i = 0; i < lefts_.size(); ++i) {
        // A chart's plot area is current only in its own signal: the other's may wait for
        // a layout after a new margin. Keep it here, without the indent.
        connect(aligned(i), &QChart::plotAreaChanged, this, [this, i](const QRectF& area) {
            lefts_[i] = area.left() - indents_[i];
            alignPlotAreas();
        });
    }
    connect(nyquistChart_, &QChart::plotAreaChanged, this,
            &FrequencyResponseWindow::fitNyquistToPlotArea);
    titleAxes(false);
    showDecibels();
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
    measured_ = dotSeries(QStringLiteral("測定データ"), palette::kMeasured);
    measured_->setMarkerSize(5);
    measured_->setBorderColor(palette::kMeasured);
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

void FrequencyResponseWindow::buildBodeCharts() {
    for (QLogValueAxis*& axis : bodeW_) {
        axis = logAxis(this);
    }
    dbAxis_ = valueAxis(QStringLiteral("X·k/F (dB)"));
    bodeMagnitude_ = lineSeries(QStringLiteral("X·k/F"), palette::kCurve, 2);
    asymptotes_ =
        lineSeries(QStringLiteral("漸近線 0 dB, −40 dB/dec"), palette::kNatural, 1.2, true);
    wnOnBode_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    wOnBode_ = dotSeries(kCurrentW, palette::kCurrent);
    bodeChart_ =
        axesChart({}, bodeW_[0], dbAxis_, {bodeMagnitude_, asymptotes_, wnOnBode_, wOnBode_});
    bodePhaseAxis_ = valueAxis(QStringLiteral("φ (°)"));
    bodePhase_ = lineSeries(QStringLiteral("φ(ω)"), palette::kCurve, 2);
    wnOnBodePhase_ = lineSeries(QStringLiteral("ωn"), palette::kNatural, 1.5, true);
    wOnBodePhase_ = dotSeries(kCurrentW, palette::kCurrent);
    bodePhaseChart_ =
        axesChart({}, bodeW_[1], bodePhaseAxis_, {bodePhase_, wnOnBodePhase_, wOnBodePhase_});
}

void FrequencyResponseWindow::buildNyquistChart() {
    reAxis_ = valueAxis({});
    imAxis_ = valueAxis({});
    nyquist_ = lineSeries(QStringLiteral("H(ω) ω=0→"), palette::kCurve, 2);
    wnOnNyquist_ = dotSeries(QStringLiteral("ωn (純虚数)"), palette::kNatural);
    wnOnNyquist_->setMarkerSize(8);
    wOnNyquist_ = dotSeries(kCurrentW, palette::kCurrent);
    nyquistChart_ = axesChart(QStringLiteral("ナイキスト線図"), reAxis_, imAxis_,
                              {nyquist_, wnOnNyquist_, wOnNyquist_});
}

std::vector<QXYSeries*> FrequencyResponseWindow::amplitudeSeries() const {
    std::vector<QXYSeries*> all(family_.begin(), family_.end());
    all.insert(all.end(), labels_.begin(), labels_.end());
    all.insert(all.end(), {measured_, amplitude_, wnOnAmplitude_, halfPower_, wOnAmplitude_});
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
    for (QLogValueAxis* axis : bodeW_) {
        axis->setTitleText(w);
    }
    // The normalised view draws H of m = k = 1: H·k, dimensionless.
    reAxis_->setTitleText(dimensionless ? QStringLiteral("Re H·k") : QStringLiteral("Re H (m/N)"));
    imAxis_->setTitleText(dimensionless ? QStringLiteral("Im H·k") : QStringLiteral("Im H (m/N)"));
    nyquist_->setName(dimensionless ? QStringLiteral("H·k(r) r=0→") : QStringLiteral("H(ω) ω=0→"));
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
    enableLogScale();
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
    showBode();
    showNyquist();
    placeNyquist(dimensionless);
}

void FrequencyResponseWindow::setMeasuredResponse(std::span<const double> w,
                                                  std::span<const double> amplitude) {
    measuredPoints_.clear();
    for (std::size_t i : measured::thinnedIndices(amplitude, 4000)) {
        measuredPoints_.append(QPointF(w[i], amplitude[i]));
    }
    showMeasured();
}

void FrequencyResponseWindow::showMeasured() {
    // Over ω only; a log axis must never see an amplitude of 0.
    QList<QPointF> shown;
    if (!normalised_->isChecked()) {
        const bool log = logScale_->isChecked() && curves_.amplitudeLog.has_value();
        std::copy_if(measuredPoints_.begin(), measuredPoints_.end(), std::back_inserter(shown),
                     [log](const QPointF& p) { return !log || p.y() > 0; });
    }
    measured_->replace(shown);
    showInLegend(amplitudeChart_, measured_, !shown.empty());
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
    wnOnAmplitude_->clear();  // it spans the old axis, down to X = 0 on a linear one
    showMeasured();
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

void FrequencyResponseWindow::showDecibels() {
    const bool db = decibels_->isChecked();
    amplitudeView_->setVisible(!db);
    phaseView_->setVisible(!db);
    bodeView_->setVisible(db);
    bodePhaseView_->setVisible(db);
    enableLogScale();
}

void FrequencyResponseWindow::enableLogScale() {
    // The log scale is of the linear pair's X axis, which dB表示 hides.
    logScale_->setEnabled(curves_.amplitudeLog.has_value() && !decibels_->isChecked());
}

void FrequencyResponseWindow::showBode() {
    for (QXYSeries* s :
         std::initializer_list<QXYSeries*>{bodeMagnitude_, asymptotes_, wnOnBode_, wOnBode_,
                                           bodePhase_, wnOnBodePhase_, wOnBodePhase_}) {
        s->clear();
    }
    if (!curves_.drawable) {
        return;
    }
    const analysis::BodeCurves& b = curves_.bode;
    for (QLogValueAxis* axis : bodeW_) {
        // A hair below the first decade: Qt's log of 0.1 comes out above −1 and would leave
        // the axis's first tick without its label.
        axis->setRange(b.w.lo * (1 - 1e-9), b.w.hi);
    }
    setRangeWithTicks(dbAxis_, b.db, kDbStep);
    setRangeWithTicks(bodePhaseAxis_, curves_.phaseDeg, kPhaseStep);
    bodeMagnitude_->replace(toPoints(b.magnitudeDb));
    analysis::Polyline corner = b.lowAsymptote;  // they meet at (ωn, 0 dB)
    corner.push_back(b.highAsymptote.back());
    asymptotes_->replace(toPoints(corner));
    const double wn = curves_.wn;
    wnOnBode_->replace({QPointF(wn, b.db.lo), QPointF(wn, b.db.hi)});
    bodePhase_->replace(toPoints(b.phase));
    wnOnBodePhase_->replace({QPointF(wn, curves_.phaseDeg.lo), QPointF(wn, curves_.phaseDeg.hi)});
    if (b.atW && b.phaseAtW) {  // none at ω = 0, left of every log axis
        showPoint(wOnBode_, *b.atW);
        showPoint(wOnBodePhase_, *b.phaseAtW);
    }
}

void FrequencyResponseWindow::showNyquist() {
    for (QXYSeries* s : std::initializer_list<QXYSeries*>{nyquist_, wOnNyquist_, wnOnNyquist_}) {
        s->clear();
    }
    if (!curves_.drawable) {
        return;
    }
    const analysis::NyquistCurves& n = curves_.nyquist;
    nyquist_->replace(toPoints(n.curve));
    showPoint(wOnNyquist_, n.atW);
    if (n.atWn) {
        showPoint(wnOnNyquist_, *n.atWn);
    }
    showInLegend(nyquistChart_, wnOnNyquist_, n.atWn.has_value());
    setRangeWithRoundTicks(reAxis_, n.re);  // until the plot area is known
    setRangeWithRoundTicks(imAxis_, n.im);
    nyquistAspect_ = 1;
    fitNyquistToPlotArea();
}

void FrequencyResponseWindow::placeNyquist(bool dimensionless) {
    grid_->removeWidget(nyquistView_);
    if (dimensionless) {
        grid_->addWidget(nyquistView_, 0, 2, 2, 1);
    } else {
        grid_->addWidget(nyquistView_, 1, 1);
    }
    grid_->setColumnStretch(2, dimensionless ? 2 : 0);
}

void FrequencyResponseWindow::fitNyquistToPlotArea() {
    if (fittingNyquist_ || !curves_.drawable) {
        return;
    }
    // New ranges bring new tick labels, which move the plot area at once and call this
    // again: that call is left out and the loop refits to the area they leave, a few times
    // at most, and only for a change of shape that shows.
    fittingNyquist_ = true;
    for (int i = 0; i < 3; ++i) {
        const QRectF area = nyquistChart_->plotArea();
        const double aspect = area.width() / area.height();
        if (!(area.width() > 0 && area.height() > 0) ||
            std::fabs(aspect / nyquistAspect_ - 1) < 0.01) {
            break;
        }
        nyquistAspect_ = aspect;
        analysis::Range re = curves_.nyquist.re;
        analysis::Range im = curves_.nyquist.im;  // as wide as re
        if (aspect > 1) {
            re = widened(re, (re.hi - re.lo) * aspect);
        } else {
            im = widened(im, (im.hi - im.lo) / aspect);
        }
        setRangeWithRoundTicks(reAxis_, re);
        setRangeWithRoundTicks(imAxis_, im);
    }
    fittingNyquist_ = false;
}

void FrequencyResponseWindow::alignPlotAreas() {
    for (std::size_t upper : {0, 2}) {  // amplitude over phase, Bode over its phase
        const double left = std::max(lefts_[upper], lefts_[upper + 1]);
        indent(aligned(upper), indents_[upper], qRound(left - lefts_[upper]));
        indent(aligned(upper + 1), indents_[upper + 1], qRound(left - lefts_[upper + 1]));
    }
}

QChart* FrequencyResponseWindow::aligned(std::size_t i) const {
    const std::array<QChart*, 4> charts{amplitudeChart_, phaseChart_, bodeChart_, bodePhaseChart_};
    return charts.at(i);
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
