#include "app/charts/overlaid_bars_view.h"

#include <QBarCategoryAxis>
#include <QBarSet>
#include <QPainter>
#include <QValueAxis>

namespace yurana::charts {

OverlaidBarsView::OverlaidBarsView(QChart* chart, QAbstractBarSeries* series, QWidget* parent)
    : PictureChartView(chart, parent), series_(series) {
    // Dressed by the chart's theme as a series of it is (the pens it leaves unset), then
    // kept out of it.
    chart->addSeries(series);
    chart->removeSeries(series);
    series->setParent(this);
    const auto redraw = [this] { viewport()->update(); };
    for (const QBarSet* set : series->barSets()) {
        connect(set, &QBarSet::valuesAdded, this, redraw);
        connect(set, &QBarSet::valueChanged, this, redraw);
        connect(set, &QBarSet::selectedBarsChanged, this, redraw);
        connect(set, &QBarSet::penChanged, this, redraw);
        connect(set, &QBarSet::brushChanged, this, redraw);
    }
}

void OverlaidBarsView::drawOver(QPainter& painter) const {
    const auto* names = qobject_cast<QBarCategoryAxis*>(chart()->axes(Qt::Horizontal).value(0));
    const auto* values = qobject_cast<QValueAxis*>(chart()->axes(Qt::Vertical).value(0));
    // Nothing on an axis of no length, as in the chart.
    if (names == nullptr || values == nullptr || names->count() == 0 ||
        !(values->max() > values->min())) {
        return;
    }
    const QList<QBarSet*> sets = series_->barSets();
    const QRectF plot = chart()->plotArea();
    // The chart's mapping: each category one unit wide, centred on its index.
    const double perX = plot.width() / names->count();
    const double perY = plot.height() / (values->max() - values->min());
    const auto at = [&](double x, double y) {
        return QPointF((x + 0.5) * perX, (y - values->min()) * -perY + plot.height());
    };
    painter.save();
    painter.setRenderHints(renderHints());
    painter.setWorldTransform(viewportTransform());
    painter.translate(plot.topLeft());
    painter.setClipRect(QRectF(QPointF(0, 0), plot.size()));
    const double width = series_->barWidth();
    for (qsizetype s = 0; s < sets.size(); ++s) {
        const QBarSet* set = sets[s];
        for (int category = 0; category < set->count() && category < names->count(); ++category) {
            const double left = category - width / 2 + width * double(s) / double(sets.size());
            const double right = category - width / 2 + width * double(s + 1) / double(sets.size());
            painter.setPen(set->pen());
            painter.setBrush(set->isBarSelected(category) ? QBrush(set->selectedColor())
                                                          : set->brush());
            // An empty bar is not drawn, as in the chart, not even its outline.
            const QRectF bar = QRectF(at(left, set->at(category)), at(right, 0)).normalized();
            if (!bar.isEmpty()) {
                painter.drawRect(bar);
            }
        }
    }
    painter.restore();
}

QList<QAbstractSeries*> shownSeries(const QChartView* view) {
    QList<QAbstractSeries*> shown;
    for (QAbstractSeries* s : view->chart()->series()) {
        if (s->isVisible()) {
            shown.append(s);
        }
    }
    if (const auto* overlaid = qobject_cast<const OverlaidBarsView*>(view)) {
        shown.append(overlaid->bars());
    }
    return shown;
}

}  // namespace yurana::charts
