#pragma once

#include <QColor>
#include <QPointF>
#include <optional>

#include "app/charts/picture_chart_view.h"

namespace yurana::charts {

// A chart view with one moving marker (the current time) drawn over the picture of the
// chart: moving the marker repaints only the strip it leaves and the one it enters, so
// following the animation costs no curve drawing. The chart keeps an empty series of the
// marker's name and colour for its legend.
class MarkedChartView : public PictureChartView {
    Q_OBJECT
  public:
    enum class Shape { VerticalLine, Dot };

    MarkedChartView(QChart* chart, Shape shape, const QColor& colour, QWidget* parent);

    // The marker at a point in the chart's values (for a line, only x counts); none hides it.
    void setMarker(std::optional<QPointF> at);
    std::optional<QPointF> marker() const { return at_; }
    // The marker's size and line width times `factor` (the chart windows' scale).
    void setMarkerScale(double factor);

  protected:
    void drawOver(QPainter& painter) const override;

  private:
    QRect markerRect() const;  // what the marker covers on the viewport, px

    Shape shape_;
    QColor colour_;
    std::optional<QPointF> at_;
    double scale_ = 1;
};

}  // namespace yurana::charts
