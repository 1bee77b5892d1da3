#pragma once

#include <QList>
#include <QPixmap>
#include <QPointF>
#include <QXYSeries>
#include <deque>
#include <vector>

#include "app/charts/picture_chart_view.h"

namespace yurana::charts {

// A chart view that draws some curves itself, over the picture of its chart, rather than
// as points of the chart's series: replacing a series' points makes the chart stroke the
// whole line again to find the mouse on it and draw itself whole again, which for curves
// that change every period of the force costs more than a frame. Each curve stands for an
// empty line series of the chart (its legend entry, name, pen and axes) and is drawn as
// the chart draws a line series: in its pen, clipped to the plot area, a solid line one
// segment at a time, a dashed one with the pen's pattern running on along the curve. The
// last few sets of curves shown are kept as pictures, so going back to one costs a copy.
class OverlaidCurvesView : public PictureChartView {
    Q_OBJECT
  public:
    OverlaidCurvesView(QChart* chart, QWidget* parent);

    // Draws `points`, in the values of the series' axes, as the curve of `series` (a line
    // series of the chart, left without points), replacing those drawn for it before.
    void setCurve(QXYSeries* series, const QList<QPointF>& points);
    // The points drawn for the series; none for a series this view does not draw.
    QList<QPointF> curve(const QXYSeries* series) const;

  signals:
    void curveReplaced(QXYSeries* series);

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    struct Curve {
        QXYSeries* series;
        QList<QPointF> points;
    };
    struct Shown {
        std::vector<QList<QPointF>> points;  // of each curve, in the order of curves_
        QPixmap picture;                     // the chart with those curves over it
    };
    void drawCurves(QPainter& painter) const;
    QRect plotOnViewport() const;

    std::vector<Curve> curves_;
    std::deque<Shown> shown_;  // the most recent first; drawn over the chart's picture
};

// The points a chart view shows for a series: those drawn over its chart, else the
// series' own.
QList<QPointF> shownPoints(const QChartView* view, const QXYSeries* series);

// The lines a dashed pen draws along a polyline: the dashes of its pattern (in widths of
// the pen, from its dash offset) running on over the corners, a dash over a corner as one
// line each side. Each line is drawn with square or flat caps as the pen's, so the dashes
// look as the painter's own dashing draws them.
QList<QLineF> dashLines(const QList<QPointF>& polyline, const QPen& pen);

}  // namespace yurana::charts
