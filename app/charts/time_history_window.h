#pragma once

#include <QCategoryAxis>
#include <QChart>
#include <QLabel>
#include <QLineEdit>
#include <QLineSeries>
#include <QPushButton>
#include <QSlider>
#include <array>
#include <memory>
#include <vector>

#include "analysis/time_history.h"
#include "app/charts/analysis_window.h"
#include "app/charts/history_chart_view.h"
#include "app/charts/measured_marks.h"
#include "model/record.h"

namespace yurana::charts {

// 時刻歴: the graph window's five curves over [tmin, tmax] as a chart with axes, ticks and
// a legend (zoom by wheel and by a dragged rectangle, 全体表示 back to the whole run), the
// time cursor (a line on the chart, a slider, a time box, buttons for one frame and one
// extremum either way, the arrow, Home and End keys, a click on the chart), the read-out,
// and up to three held sets of curves in grey to compare with. The window only asks for a
// time (timeRequested and friends); the program decides and announces it back (setTime).
class TimeHistoryWindow : public AnalysisWindow {
    Q_OBJECT

  public:
    explicit TimeHistoryWindow(QWidget* parent = nullptr);

    void setModel(const ModelRecord& r) override;
    void setTime(double t) override;
    // The cursor's line only, cheap enough for every pass.
    void followTime(double t) override;
    // Which of the five curves the panel's check boxes show (全変位, 余関数, 特殊解,
    // 余関数+特殊解, 壁の変位).
    void setShownCurves(const std::array<bool, 5>& shown);
    // Whether the user may move the cursor (not in full screen, not with About open).
    void setMovable(bool movable);

    QChart* chart() const { return chart_; }
    HistoryChartView* view() const { return view_; }
    QSlider* slider() const { return slider_; }
    QLineEdit* timeBox() const { return timeBox_; }
    QLabel* readout() const { return readout_; }
    QLineSeries* curve(int i) const { return curves_[std::size_t(i)]; }
    int holds() const { return int(holds_.size()); }
    // Measured points, peaks and envelope of 減衰の測定; 全体表示 takes the points in.
    MeasuredMarks& marks() { return *marks_; }
    void showWholeRun();

  signals:
    void timeRequested(double t);
    void framesRequested(int frames);
    void extremumRequested(int direction);
    void endRequested(bool tmax);
    void badTime();  // the time box holds no number

  protected:
    void keyPressEvent(QKeyEvent* event) override;

  private:
    QPushButton* button(const QString& caption);
    QWidget* buildCursorRow();
    QWidget* buildButtonRow();
    void hold();
    void clearHolds();
    void typed();
    void retick(QCategoryAxis* axis, qreal min, qreal max);

    analysis::HistoryCurves curvesData_;
    QCategoryAxis* tAxis_;
    QCategoryAxis* xAxis_;
    std::array<QLineSeries*, analysis::kHistoryCurveCount> curves_{};
    std::array<bool, 5> shown_{};
    std::vector<std::vector<QLineSeries*>> holds_;
    std::unique_ptr<MeasuredMarks> marks_;
    QChart* chart_;
    HistoryChartView* view_;
    QSlider* slider_ = nullptr;
    QLineEdit* timeBox_ = nullptr;
    QLabel* readout_;
    std::vector<QWidget*> controls_;  // what moves the cursor
    bool following_ = false;          // the slider is set by the program, not the user
    bool reticking_ = false;
};

}  // namespace yurana::charts
