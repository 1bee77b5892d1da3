#pragma once

#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QWidget>
#include <memory>
#include <optional>

#include "analysis/energy.h"
#include "app/charts/analysis_window.h"
#include "app/charts/marked_chart_view.h"
#include "app/charts/overlaid_curves_view.h"
#include "model/record.h"

namespace yurana::charts {

// エネルギー: T, U, E = T + U and the works W_in and W_d against t over the run, a line at
// the current time, and the read-out (with a second line when the balance does not close
// because ζ and ωn disagree with m, k and c); beside them two bars, the work of the force
// and the work dissipated over the last complete period of the force, and the loops of the
// drive F·sin ωt and the damping force c·v against x over that period, whose areas are
// those works.
class EnergyWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit EnergyWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;
    void setTime(double t) override;

    QLabel* readout() const { return readout_; }
    QChart* chart() const { return chart_; }
    QChart* cycleChart() const { return cycleChart_; }
    QBarSet* cycleBars() const { return cycleBars_; }
    QChart* loopChart() const { return loopChart_; }
    // Draws the loops over loopChart, for its series of the drive and of the damping.
    OverlaidCurvesView* loopView() const { return loopView_; }

  private:
    void buildCycleChart();
    // The bars of the last period; empty bars and the axis kept when there is none.
    void showCycle(const std::optional<analysis::CycleWork>& cycle);
    void buildLoopChart();
    // The loops of the period; empty without one. Redrawn only when the period changes.
    void showLoops(const std::shared_ptr<const analysis::ForceLoops>& loops);

    analysis::EnergyCurves curves_;
    analysis::CycleCache cycles_;  // of curves_
    // The works the bars show: the bar chart is redrawn only when they change (once a
    // period), not at every step of the time.
    std::optional<std::pair<double, double>> barsShown_;
    QChart* chart_ = nullptr;
    QCategoryAxis* tAxis_ = nullptr;
    QCategoryAxis* energyAxis_ = nullptr;
    QLineSeries* kinetic_ = nullptr;
    QLineSeries* potential_ = nullptr;
    QLineSeries* total_ = nullptr;
    QLineSeries* workIn_ = nullptr;
    QLineSeries* workDissipated_ = nullptr;
    QLineSeries* now_ = nullptr;  // empty: the legend of the marker the view draws
    MarkedChartView* view_ = nullptr;
    QChart* cycleChart_ = nullptr;
    QBarSeries* cycleSeries_ = nullptr;  // drawn by its view: see OverlaidBarsView
    QBarSet* cycleBars_ = nullptr;
    QCategoryAxis* cycleAxis_ = nullptr;
    // The loops drawn, held so that their address stands for them until others are drawn.
    std::shared_ptr<const analysis::ForceLoops> loopsShown_;
    bool loopAxesFit_ = false;  // the loop axes were fitted to loops of the current record
    QChart* loopChart_ = nullptr;
    QCategoryAxis* loopX_ = nullptr;
    QCategoryAxis* loopForce_ = nullptr;
    // Without points: their legend entries, pens and axes. The view draws the loops.
    QLineSeries* driveLoop_ = nullptr;
    QLineSeries* dampingLoop_ = nullptr;
    OverlaidCurvesView* loopView_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace yurana::charts
