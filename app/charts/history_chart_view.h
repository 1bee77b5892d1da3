#pragma once

#include <QPoint>
#include <QRubberBand>

#include "app/charts/marked_chart_view.h"

namespace yurana::charts {

// The time-history chart's view: the time cursor as its marker; the mouse wheel zooms
// about the pointer, a dragged rectangle zooms into it, and a click (a press released
// where it began) asks for the cursor at that time.
class HistoryChartView : public MarkedChartView {
    Q_OBJECT
  public:
    HistoryChartView(QChart* chart, const QColor& colour, QWidget* parent);

  signals:
    void clickedAt(double t);

  protected:
    void wheelEvent(QWheelEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;

  private:
    QRubberBand* band_;
    QPoint origin_;
    bool pressed_ = false;
};

}  // namespace yurana::charts
