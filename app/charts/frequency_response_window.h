#pragma once

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QCheckBox>
#include <QGridLayout>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QWidget>
#include <array>
#include <span>
#include <vector>

#include "analysis/frequency_curves.h"
#include "app/charts/analysis_window.h"
#include "model/record.h"

namespace yurana::charts {

// 周波数応答: the steady amplitude X(ω) with its half-power points, the phase lag φ(ω) and
// the force transmissibility TR on the same ω axis, with a marker at ωn and a point at the
// force's ω on each; a 対数目盛 check box for the amplitude axis; a 無次元表示 check box
// that puts every chart over r = ω/ωn, the amplitude as X·k/F beside a grey ζ family, and
// adds the mean input power over a period; a dB表示 check box that shows X·k/F in dB and φ
// against log ω (a Bode plot) with the asymptotes; the Nyquist plot of the receptance H(ω)
// in the quarter the mean power leaves empty, beside the others when it is shown; and the
// read-out.
class FrequencyResponseWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit FrequencyResponseWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;  // nothing here depends on the time
    // A measured amplitude curve (ω rad/s increasing, m) as points on the amplitude chart,
    // over ω (not in the dimensionless view); empty spans remove it.
    void setMeasuredResponse(std::span<const double> w, std::span<const double> amplitude);
    QScatterSeries* measuredPoints() const { return measured_; }

    QLabel* readout() const { return readout_; }
    QCheckBox* logScale() const { return logScale_; }
    QCheckBox* normalised() const { return normalised_; }
    QCheckBox* decibels() const { return decibels_; }
    QChart* amplitudeChart() const { return amplitudeChart_; }
    QChart* phaseChart() const { return phaseChart_; }
    QChart* transmissibilityChart() const { return trChart_; }
    QChart* powerChart() const { return powerChart_; }
    QChartView* powerView() const { return powerView_; }
    QChart* bodeChart() const { return bodeChart_; }
    QChart* bodePhaseChart() const { return bodePhaseChart_; }
    QChartView* bodeView() const { return bodeView_; }
    QChart* nyquistChart() const { return nyquistChart_; }
    QChartView* nyquistView() const { return nyquistView_; }

  private:
    void buildAmplitudeChart();
    void buildFamily();
    void buildPhaseChart();
    void buildTransmissibilityChart();
    void buildPowerChart();
    void buildBodeCharts();
    void buildNyquistChart();
    // Puts the Bode pair or the linear pair in the left column, as dB表示 asks.
    void showDecibels();
    void enableLogScale();
    void showBode();
    void showNyquist();
    // In the empty quarter, or in a column of its own beside the mean power.
    void placeNyquist(bool dimensionless);
    // Widens one of the Nyquist axes so that a unit is as long on both: a circle looks round.
    void fitNyquistToPlotArea();
    // Draws the curves of the view the check box asks for.
    void showCurves();
    void showFamily();
    void showMarkers();
    void titleAxes(bool dimensionless);
    // Puts the linear or the logarithmic X axis in the chart, as the check box and the
    // curves allow, and spans the ωn marker over it.
    void showAmplitudeAxis();
    void showMeasured();
    // Keeps the amplitude and phase plot areas over the same ω: the chart with the narrower
    // labels is indented by the difference.
    void alignPlotAreas();
    // The amplitude, phase, Bode and Bode phase charts, in the order of indents_ and lefts_.
    QChart* aligned(std::size_t i) const;
    static void indent(QChart* chart, int& current, int wanted);
    // The series on the amplitude chart, which move with its vertical axis.
    std::vector<QXYSeries*> amplitudeSeries() const;

    ModelRecord record_;
    analysis::FrequencyCurves curves_;
    QChart* amplitudeChart_ = nullptr;
    QChart* phaseChart_ = nullptr;
    QChart* trChart_ = nullptr;
    QChart* powerChart_ = nullptr;
    QChartView* powerView_ = nullptr;
    std::array<QCategoryAxis*, 4> wAxes_{};  // the ω (or r) axis of each chart
    QCategoryAxis* linearX_ = nullptr;
    QLogValueAxis* logX_ = nullptr;
    QCategoryAxis* phaseAxis_ = nullptr;
    QCategoryAxis* trAxis_ = nullptr;
    QCategoryAxis* powerAxis_ = nullptr;
    QLineSeries* amplitude_ = nullptr;
    QLineSeries* phase_ = nullptr;
    QLineSeries* tr_ = nullptr;
    QLineSeries* power_ = nullptr;
    QLineSeries* wnOnAmplitude_ = nullptr;
    QLineSeries* wnOnPhase_ = nullptr;
    QLineSeries* wnOnPower_ = nullptr;
    QLineSeries* rootTwo_ = nullptr;  // the vertical at r = √2 on the TR chart
    QScatterSeries* wOnAmplitude_ = nullptr;
    QScatterSeries* wOnPhase_ = nullptr;
    QScatterSeries* wOnTr_ = nullptr;
    QScatterSeries* wOnPower_ = nullptr;
    QScatterSeries* halfPower_ = nullptr;
    QScatterSeries* measured_ = nullptr;
    QList<QPointF> measuredPoints_;  // thinned for drawing
    QScatterSeries* crossover_ = nullptr;
    std::vector<QLineSeries*> family_;     // grey X·k/F for ζ = 0.05 .. 1
    std::vector<QScatterSeries*> labels_;  // their names, one labelled point each
    // px added to the left margins of the amplitude, phase, Bode and Bode phase charts, and
    // the left edges of their plot areas without it, as each last reported it
    std::array<int, 4> indents_{};
    std::array<double, 4> lefts_{};
    QChartView* amplitudeView_ = nullptr;
    QChartView* phaseView_ = nullptr;
    QChart* bodeChart_ = nullptr;
    QChart* bodePhaseChart_ = nullptr;
    QChartView* bodeView_ = nullptr;
    QChartView* bodePhaseView_ = nullptr;
    std::array<QLogValueAxis*, 2> bodeW_{};  // log ω of the Bode pair
    QCategoryAxis* dbAxis_ = nullptr;
    QCategoryAxis* bodePhaseAxis_ = nullptr;
    QLineSeries* bodeMagnitude_ = nullptr;
    QLineSeries* asymptotes_ = nullptr;  // 0 dB up to ωn, then −40 dB per decade
    QLineSeries* wnOnBode_ = nullptr;
    QScatterSeries* wOnBode_ = nullptr;
    QLineSeries* bodePhase_ = nullptr;
    QLineSeries* wnOnBodePhase_ = nullptr;
    QScatterSeries* wOnBodePhase_ = nullptr;
    QChart* nyquistChart_ = nullptr;
    QChartView* nyquistView_ = nullptr;
    QCategoryAxis* reAxis_ = nullptr;
    QCategoryAxis* imAxis_ = nullptr;
    QLineSeries* nyquist_ = nullptr;
    QScatterSeries* wOnNyquist_ = nullptr;
    QScatterSeries* wnOnNyquist_ = nullptr;
    double nyquistAspect_ = 1;  // width / height of the plot area the axes were fitted to
    bool fittingNyquist_ = false;
    QGridLayout* grid_ = nullptr;
    QCheckBox* logScale_ = nullptr;
    QCheckBox* normalised_ = nullptr;
    QCheckBox* decibels_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace yurana::charts
