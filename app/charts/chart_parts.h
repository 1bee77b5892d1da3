#pragma once

// Pieces the three analysis windows share: axes, series, chart views and the read-out line.

#include <QCategoryAxis>
#include <QChart>
#include <QChartView>
#include <QColor>
#include <QLabel>
#include <QLineSeries>
#include <QList>
#include <QPointF>
#include <QScatterSeries>
#include <QString>
#include <initializer_list>
#include <string>

#include "analysis/curve.h"
#include "app/charts/marked_chart_view.h"
#include "app/charts/overlaid_bars_view.h"
#include "app/charts/overlaid_curves_view.h"

namespace yurana::charts {

// A value axis titled with its quantity and unit, e.g. "ω (rad/s)", whose tick labels the
// program writes (analysis::axisTicks) rather than a sum of steps that misses zero.
QCategoryAxis* valueAxis(const QString& title);

// The analysis's range on an axis.
void setRange(QAbstractAxis* axis, const analysis::Range& range);

// The range exactly, with ticks at the multiples of `step` within it.
void setRangeWithTicks(QCategoryAxis* axis, const analysis::Range& range, double step);

// The same at round values (0.02, 0.04, ... rather than 0.01979, 0.03957, ...), at most
// eight intervals over the range.
void setRangeWithRoundTicks(QCategoryAxis* axis, const analysis::Range& range);

// A polyline as a series takes it.
QList<QPointF> toPoints(const analysis::Polyline& line);

// A named line series in a colour, `width` px wide, dashed when asked.
QLineSeries* lineSeries(const QString& name, const QColor& colour, double width,
                        bool dashed = false);

// A named series of one round dot (the current state or operating point).
QScatterSeries* dotSeries(const QString& name, const QColor& colour);

// Margin around every chart, px.
inline constexpr int kChartMargin = 4;

// A chart with its legend at the bottom, in a view that draws it antialiased.
QChartView* chartView(QChart* chart, QWidget* parent);
// The same with a moving marker drawn over the chart.
MarkedChartView* markedChartView(QChart* chart, MarkedChartView::Shape shape, const QColor& colour,
                                 QWidget* parent);
// The same with curves drawn over the chart by the view.
OverlaidCurvesView* overlaidCurvesView(QChart* chart, QWidget* parent);
// The same with the bars of `series` drawn over the chart by the view.
OverlaidBarsView* overlaidBarsView(QChart* chart, QAbstractBarSeries* series, QWidget* parent);

// Adds the series to the chart and attaches it to both axes (already in the chart).
void addSeries(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y);

// A chart titled `title` (none when empty) with x along the bottom and y up the left, and
// the series added in order, each attached to both.
QChart* axesChart(const QString& title, QAbstractAxis* x, QAbstractAxis* y,
                  std::initializer_list<QAbstractSeries*> series);

// Shows or hides the series' entries in the chart's legend.
void showInLegend(QChart* chart, QAbstractSeries* series, bool shown);

// The read-out line under a chart: selectable with the mouse, in a box of `parent` that the
// window's layout places (readoutPlace): a new text lays out no more than the box.
QLabel* readoutLabel(QWidget* parent);
// The box of a read-out, for the window's layout.
inline QWidget* readoutPlace(QLabel* readout) {
    return readout->parentWidget();
}

// Shows the text in the read-out and keeps it as the accessible name, so a screen reader
// reads the same numbers.
void showReadout(QLabel* label, const std::string& text);

}  // namespace yurana::charts
