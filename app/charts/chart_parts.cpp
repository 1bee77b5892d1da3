#include "app/charts/chart_parts.h"

#include <algorithm>
#include <utility>

#include <QEvent>
#include <QFont>
#include <QLegend>
#include <QLegendMarker>
#include <QPainter>
#include <QPen>
#include <QSignalBlocker>

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

namespace {

bool showsTicks(QCategoryAxis* axis, const std::vector<analysis::Tick>& ticks) {
    const QStringList labels = axis->categoriesLabels();
    if (labels.size() != static_cast<qsizetype>(ticks.size())) {
        return false;
    }
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        const QString& label = labels[static_cast<qsizetype>(i)];
        if (label != QString::fromStdString(ticks[i].label) ||
            axis->endValue(label) != ticks[i].value) {
            return false;
        }
    }
    return true;
}

}  // namespace

void setRangeWithTicks(QCategoryAxis* axis, const analysis::Range& range, double step) {
    axis->setRange(range.lo, range.hi);
    axis->setStartValue(axis->min());
    const std::vector<analysis::Tick> ticks = analysis::axisTicks({axis->min(), axis->max()}, step);
    if (showsTicks(axis, ticks)) {
        return;
    }
    // Every label removed or added lays the axis out again (text to shape): the changes are
    // made quietly, and the last one alone tells the chart.
    QSignalBlocker quiet(axis);
    QStringList old = axis->categoriesLabels();
    const QString lastOld = ticks.empty() && !old.isEmpty() ? old.takeLast() : QString();
    for (const QString& label : old) {
        axis->remove(label);
    }
    for (std::size_t i = 0; i < ticks.size(); ++i) {
        if (i + 1 == ticks.size()) {
            quiet.unblock();
        }
        axis->append(QString::fromStdString(ticks[i].label), ticks[i].value);
    }
    if (!lastOld.isEmpty()) {
        quiet.unblock();
        axis->remove(lastOld);
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

OverlaidCurvesView* overlaidCurvesView(QChart* chart, QWidget* parent) {
    prepare(chart);
    return new OverlaidCurvesView(chart, parent);
}

OverlaidBarsView* overlaidBarsView(QChart* chart, QAbstractBarSeries* series, QWidget* parent) {
    prepare(chart);
    return new OverlaidBarsView(chart, series, parent);
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

namespace {

// A selectable label keeps its text in a document that it lays out again at every change,
// the most costly part of a moving read-out: the text is made selectable only while the
// mouse is over it, and stays so while some of it is selected.
class SelectableWhileHovered : public QObject {
  public:
    using QObject::QObject;

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override {
        auto* label = static_cast<QLabel*>(watched);
        if (event->type() == QEvent::Enter) {
            label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        } else if (event->type() == QEvent::Leave && !label->hasSelectedText()) {
            label->setTextInteractionFlags(Qt::NoTextInteraction);
        }
        return false;
    }
};

}  // namespace

void showInLegend(QChart* chart, QAbstractSeries* series, bool shown) {
    for (QLegendMarker* marker : chart->legend()->markers(series)) {
        marker->setVisible(shown);
    }
}
// The read-out's place in its window, as high as the label asks and filled by it. A label
// tells the layout of its parent to lay out again at each change of its text, asking every
// widget of the window its size; the box has no layout, and tells its window only when the
// label needs another height: lines added or removed, another font.
class ReadoutBox : public QWidget {
  public:
    explicit ReadoutBox(QWidget* parent) : QWidget(parent) {
        setSizePolicy(QSizePolicy::Ignored, QSizePolicy::Preferred);
    }
    QSize sizeHint() const override { return label()->sizeHint(); }
    QSize minimumSizeHint() const override { return label()->minimumSizeHint(); }

  protected:
    bool event(QEvent* event) override {
        // The label's requests reach the box only while it is visible.
        if (event->type() == QEvent::LayoutRequest || event->type() == QEvent::Show) {
            const QLabel* shown = label();
            const std::pair fit(shown->text().count('\n'), shown->font());
            if (fit != fitted_) {
                fitted_ = fit;
                updateGeometry();
            }
        }
        return QWidget::event(event);
    }
    void resizeEvent(QResizeEvent* /*event*/) override { label()->setGeometry(rect()); }

  private:
    QLabel* label() const { return static_cast<QLabel*>(children().constFirst()); }

    std::pair<qsizetype, QFont> fitted_{-1, QFont()};
};

QLabel* readoutLabel(QWidget* parent) {
    auto* label = new QLabel(new ReadoutBox(parent));
    label->setObjectName(QStringLiteral("readout"));
    label->setTextFormat(Qt::PlainText);
    label->installEventFilter(new SelectableWhileHovered(label));
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
