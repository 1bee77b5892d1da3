#pragma once

#include <QCategoryAxis>
#include <QChart>
#include <QLabel>
#include <QLineSeries>
#include <QScatterSeries>
#include <QWidget>

#include "analysis/phase_plane.h"
#include "app/charts/analysis_window.h"
#include "app/charts/marked_chart_view.h"
#include "model/record.h"

namespace yurana::charts {

// 位相平面: the state (x, v) of x_c + x_p over the run, the steady-state ellipse of x_p
// dashed, a dot at the current time, and the read-out line.
class PhasePlaneWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit PhasePlaneWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;
    void setTime(double t) override;

    QLabel* readout() const { return readout_; }
    QChart* chart() const { return chart_; }

  private:
    analysis::PhasePlaneCurves curves_;
    QChart* chart_ = nullptr;
    QCategoryAxis* xAxis_ = nullptr;
    QCategoryAxis* vAxis_ = nullptr;
    QLineSeries* trajectory_ = nullptr;
    QLineSeries* ellipse_ = nullptr;
    QScatterSeries* dot_ = nullptr;  // empty: the legend of the marker the view draws
    MarkedChartView* view_ = nullptr;
    QLabel* readout_ = nullptr;
};

}  // namespace yurana::charts
