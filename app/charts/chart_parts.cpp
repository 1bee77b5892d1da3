#include "app/charts/chart_parts.h"

#include <algorithm>

#include <QFont>
#include <QLegend>
#include <QPainter>
#include <QPen>

#include "app/charts/chart_export.h"

namespace yurana::charts {

QCategoryAxis* valueAxis(const QString& title) {
    auto* axis = new QCategoryAxis;
    axis->setTitleText(title);
    axis->setLabelsPosition(QCategoryAxis::AxisLabelsPositionOnValue);
    return axis;
}

void setRange(QAbstractAxis* axis, const analysis::Range& range) {
    axis->setRange(range.lo, range.hi);
}

void setRangeWithTicks(QCategoryAxis* axis, const analysis::Range& range, double step) {
    for (const QString& label : axis->categoriesLabels()) {
        axis->remove(label);
    }
    axis->setRange(range.lo, range.hi);
    axis->setStartValue(axis->min());
    for (const analysis::Tick& tick : analysis::axisTicks({axis->min(), axis->max()}, step)) {
        axis->append(QString::fromStdString(tick.label), tick.value);
    }
}

void setRangeWithRoundTicks(QCategoryAxis* axis, const analysis::Range& range) {
    setRangeWithTicks(axis, range, analysis::tickStep(range, 8));
}

QList<QPointF> toPoints(const analysis::Polyline& line) {
    QList<QPointF> points;
    points.reserve(static_cast<qsizetype>(line.size()));
    for (const analysis::Point& p : line) {
        points.append(QPointF(p.x, p.y));
    }
    return points;
}

QLineSeries* lineSeries(const QString& name, const QColor& colour, double width, bool dashed) {
    auto* series = new QLineSeries;
    series->setName(name);
    QPen pen(colour, width);
    pen.setStyle(dashed ? Qt::DashLine : Qt::SolidLine);
    series->setPen(pen);
    return series;
}

QScatterSeries* dotSeries(const QString& name, const QColor& colour) {
    auto* series = new QScatterSeries;
    series->setName(name);
    series->setMarkerShape(QScatterSeries::MarkerShapeCircle);
    series->setMarkerSize(11);
    series->setColor(colour);
    series->setBorderColor(Qt::white);
    return series;
}

namespace {

void prepare(QChart* chart) {
    chart->legend()->setAlignment(Qt::AlignBottom);
    chart->setMargins(QMargins(kChartMargin, kChartMargin, kChartMargin, kChartMargin));
}

}  // namespace

QChartView* chartView(QChart* chart, QWidget* parent) {
    prepare(chart);
    auto* view = new QChartView(chart, parent);
    view->setRenderHint(QPainter::Antialiasing);
    return view;
}

MarkedChartView* markedChartView(QChart* chart, MarkedChartView::Shape shape, const QColor& colour,
                                 QWidget* parent) {
    prepare(chart);
    auto* view = new MarkedChartView(chart, shape, colour, parent);
    return view;
}

void addSeries(QChart* chart, QAbstractSeries* series, QAbstractAxis* x, QAbstractAxis* y) {
    chart->addSeries(series);
    series->attachAxis(x);
    series->attachAxis(y);
}

QChart* axesChart(const QString& title, QAbstractAxis* x, QAbstractAxis* y,
                  std::initializer_list<QAbstractSeries*> series) {
    auto* chart = new QChart;
    if (!title.isEmpty()) {
        chart->setTitle(title);
    }
    chart->addAxis(x, Qt::AlignBottom);
    chart->addAxis(y, Qt::AlignLeft);
    for (QAbstractSeries* s : series) {
        addSeries(chart, s, x, y);
    }
    return chart;
}

QLabel* readoutLabel(QWidget* parent) {
    auto* label = new QLabel(parent);
    label->setObjectName(QStringLiteral("readout"));
    label->setTextFormat(Qt::PlainText);
    label->setTextInteractionFlags(Qt::TextSelectableByMouse);
    // Lines as the read-out breaks them: a wrapped label lays its text out again for every
    // size it is asked (a line per character of Japanese at width 0), at every step of the
    // time. A window too narrow cuts the lines rather than growing.
    label->setWordWrap(false);
    label->setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    label->setMargin(4);
    return label;
}

void showReadout(QLabel* label, const std::string& text) {
    const QString shown = QString::fromStdString(text);
    if (label->text() == shown) {
        return;
    }
    label->setText(shown);
    label->setAccessibleName(shown);
}

}  // namespace yurana::charts
