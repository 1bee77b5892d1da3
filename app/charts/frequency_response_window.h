#pragma once

#include <QChart>
#include <QCheckBox>
#include <QLabel>
#include <QLineSeries>
#include <QLogValueAxis>
#include <QScatterSeries>
#include <QValueAxis>
#include <QWidget>
#include <array>

#include "analysis/frequency_curves.h"
#include "app/charts/analysis_window.h"
#include "model/record.h"

namespace yurana::charts {

// 周波数応答: the steady amplitude X(ω) and, on the same ω axis below it, the phase lag
// φ(ω), with a marker at ωn and a point at the force's ω on both, a 対数目盛 check box for
// the amplitude axis, and the read-out line.
class FrequencyResponseWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit FrequencyResponseWindow(QWidget* parent = nullptr);

    // Recomputes and shows the curves of the record; call when the record changes. (Nothing
    // here depends on the animation time.)
    void setModel(const ModelRecord& r);

    QLabel* readout() const { return readout_; }
    QCheckBox* logScale() const { return logScale_; }
    QChart* amplitudeChart() const { return amplitudeChart_; }
    QChart* phaseChart() const { return phaseChart_; }

  private:
    void buildAmplitudeChart();
    void buildPhaseChart();
    // Puts the linear or the logarithmic X axis in the chart, as the check box and the
    // curves allow, and spans the ωn marker over it.
    void showAmplitudeAxis();
    // Keeps both plot areas over the same ω: the chart with the narrower φ or X labels is
    // indented by the difference.
    void alignPlotAreas();
    static void indent(QChart* chart, int& current, int wanted);
    // The series on the amplitude chart: the curve, the ωn marker and the operating point.
    std::array<QXYSeries*, 3> amplitudeSeries() const {
        return {amplitude_, wnOnAmplitude_, wOnAmplitude_};
    }

    analysis::FrequencyCurves curves_;
    QChart* amplitudeChart_ = nullptr;
    QChart* phaseChart_ = nullptr;
    QValueAxis* amplitudeW_ = nullptr;
    QValueAxis* phaseW_ = nullptr;
    QValueAxis* linearX_ = nullptr;
    QLogValueAxis* logX_ = nullptr;
    QValueAxis* phaseAxis_ = nullptr;
    QLineSeries* amplitude_ = nullptr;
    QLineSeries* phase_ = nullptr;
    QLineSeries* wnOnAmplitude_ = nullptr;
    QLineSeries* wnOnPhase_ = nullptr;
    QScatterSeries* wOnAmplitude_ = nullptr;
    QScatterSeries* wOnPhase_ = nullptr;
    int amplitudeIndent_ = 0;  // px added to the chart's left margin
    int phaseIndent_ = 0;
    QCheckBox* logScale_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace yurana::charts
