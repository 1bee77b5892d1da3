#pragma once

#include <QAbstractBarSeries>
#include <QList>

#include "app/charts/picture_chart_view.h"

namespace yurana::charts {

// A chart view that draws the bars of a bar series itself, over the picture of its chart,
// the series kept out of the chart: new values then repaint the bars alone rather than the
// chart's ground, grid and text around them, which for bars that change every period of
// the force costs a good part of a frame. The series holds the values and the colours, and
// each bar is drawn as the chart draws it on its axes (the chart's category axis along the
// bottom, its value axis up the left): barWidth of its category wide (shared by the sets
// side by side), from zero to its value, in its set's pen and brush, or its set's selected
// colour when selected.
class OverlaidBarsView : public PictureChartView {
    Q_OBJECT
  public:
    // The view takes the series.
    OverlaidBarsView(QChart* chart, QAbstractBarSeries* series, QWidget* parent);

    QAbstractBarSeries* bars() const { return series_; }

  protected:
    void drawOver(QPainter& painter) const override;

  private:
    QAbstractBarSeries* series_;
};

// The series a chart view shows: those of its chart that are visible, then the bars the
// view draws over it.
QList<QAbstractSeries*> shownSeries(const QChartView* view);

}  // namespace yurana::charts
