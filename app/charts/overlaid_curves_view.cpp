#include "app/charts/overlaid_curves_view.h"

#include <QPaintEvent>
#include <QPainter>
#include <QValueAxis>
#include <algorithm>
#include <cmath>

namespace yurana::charts {

namespace {

// Sets of curves kept as pictures: going back and forth over a period's end shows two.
constexpr std::size_t kKeptPictures = 4;

QValueAxis* axisOf(QXYSeries* series, Qt::Orientation orientation) {
    for (QAbstractAxis* axis : series->attachedAxes()) {
        if (axis->orientation() == orientation) {
            return qobject_cast<QValueAxis*>(axis);
        }
    }
    return nullptr;
}

}  // namespace

QList<QLineF> dashLines(const QList<QPointF>& polyline, const QPen& pen) {
    QList<qreal> pattern = pen.dashPattern();
    pattern.resize(pattern.size() / 2 * 2);  // dash and gap pairs, as the painter reads it
    const double unit = pen.widthF() > 0 ? pen.widthF() : 1.0;
    double period = 0;
    for (qreal& length : pattern) {
        length = std::max(length, qreal(0)) * unit;
        period += length;
    }
    QList<QLineF> lines;
    if (period <= 0) {
        return lines;
    }
    // Where in the pattern the polyline begins.
    double into = pen.dashOffset() * unit;
    into -= std::floor(into / period) * period;
    qsizetype dash = 0;
    while (into >= pattern[dash]) {
        into -= pattern[dash];
        dash = (dash + 1) % pattern.size();
    }
    double left = pattern[dash] - into;  // of the current dash or gap
    for (qsizetype i = 1; i < polyline.size(); ++i) {
        const QPointF a = polyline[i - 1];
        const QPointF b = polyline[i];
        const double length = QLineF(a, b).length();
        double done = 0;
        while (done < length) {
            const double step = std::min(left, length - done);
            if (dash % 2 == 0 && step > 0) {
                lines.append(
                    QLineF(a + (b - a) * (done / length), a + (b - a) * ((done + step) / length)));
            }
            done += step;
            left -= step;
            if (left <= 0) {
                dash = (dash + 1) % pattern.size();
                left = pattern[dash];
            }
        }
    }
    return lines;
}

OverlaidCurvesView::OverlaidCurvesView(QChart* chart, QWidget* parent)
    : PictureChartView(chart, parent) {
    connect(chart, &QChart::plotAreaChanged, this, &OverlaidCurvesView::markStale);
}

void OverlaidCurvesView::setCurve(QXYSeries* series, const QList<QPointF>& points) {
    auto kept = std::find_if(curves_.begin(), curves_.end(),
                             [&](const Curve& c) { return c.series == series; });
    if (kept == curves_.end()) {
        curves_.push_back({series, points});
        for (QAbstractAxis* axis : series->attachedAxes()) {
            if (auto* values = qobject_cast<QValueAxis*>(axis)) {
                connect(values, &QValueAxis::rangeChanged, this, &OverlaidCurvesView::markStale,
                        Qt::UniqueConnection);
            }
        }
        connect(series, &QXYSeries::penChanged, this, &OverlaidCurvesView::markStale);
        connect(series, &QXYSeries::visibleChanged, this, &OverlaidCurvesView::markStale);
    } else {
        kept->points = points;
    }
    viewport()->update(plotOnViewport());
    emit curveReplaced(series);
}

QList<QPointF> OverlaidCurvesView::curve(const QXYSeries* series) const {
    for (const Curve& c : curves_) {
        if (c.series == series) {
            return c.points;
        }
    }
    return {};
}

QRect OverlaidCurvesView::plotOnViewport() const {
    // With room for the widest pen's caps beyond the plot area's edge.
    double pad = 2;
    for (const Curve& c : curves_) {
        pad = std::max(pad, c.series->pen().widthF() + 2);
    }
    const int p = int(std::ceil(pad));
    return viewportTransform().mapRect(chart()->plotArea()).toAlignedRect().adjusted(-p, -p, p, p);
}

void OverlaidCurvesView::drawCurves(QPainter& painter) const {
    const QRectF plot = chart()->plotArea();
    painter.setWorldTransform(viewportTransform());
    painter.translate(plot.topLeft());
    // As the chart clips its series: to the plot area, its left and top edges moved out to
    // whole pixels, the others out by as much or to the pixel half a pixel on, so that a
    // line along an edge shows and none is drawn further out.
    const auto fraction = [](double v) { return v - std::trunc(v); };
    const double outX = std::max(fraction(plot.left()), fraction(plot.width() + 0.5));
    const double outY = std::max(fraction(plot.top()), fraction(plot.height() + 0.5));
    painter.setClipRect(QRectF(QPointF(-fraction(plot.left()), -fraction(plot.top())),
                               QPointF(plot.width() + outX, plot.height() + outY)));
    for (const Curve& c : curves_) {
        const QValueAxis* x = axisOf(c.series, Qt::Horizontal);
        const QValueAxis* y = axisOf(c.series, Qt::Vertical);
        if (!c.series->isVisible() || x == nullptr || y == nullptr || c.points.size() < 2) {
            continue;
        }
        // The chart's own mapping of a value to the plot area.
        const double perX = plot.width() / (x->max() - x->min());
        const double perY = plot.height() / (y->max() - y->min());
        QList<QPointF> mapped;
        mapped.reserve(c.points.size());
        for (const QPointF& p : c.points) {
            mapped.append(
                QPointF((p.x() - x->min()) * perX, (p.y() - y->min()) * -perY + plot.height()));
        }
        QPen pen = c.series->pen();
        QList<QLineF> lines;
        if (pen.style() == Qt::SolidLine) {
            lines.reserve(mapped.size() - 1);
            for (qsizetype i = 1; i < mapped.size(); ++i) {
                lines.append(QLineF(mapped[i - 1], mapped[i]));
            }
        } else {
            lines = dashLines(mapped, pen);
            pen.setStyle(Qt::SolidLine);
        }
        painter.setPen(pen);
        painter.drawLines(lines);
    }
}

void OverlaidCurvesView::paintEvent(QPaintEvent* event) {
    bool redrawn = false;
    const QPixmap& chartPicture = picture(&redrawn);
    if (redrawn) {
        shown_.clear();
    }
    std::vector<QList<QPointF>> now;
    now.reserve(curves_.size());
    for (const Curve& c : curves_) {
        now.push_back(c.points);
    }
    auto kept =
        std::find_if(shown_.begin(), shown_.end(), [&](const Shown& s) { return s.points == now; });
    if (kept == shown_.end()) {
        Shown drawn{std::move(now), chartPicture};
        QPainter painter(&drawn.picture);
        painter.setRenderHints(renderHints());
        drawCurves(painter);
        painter.end();
        shown_.push_front(std::move(drawn));
        if (shown_.size() > kKeptPictures) {
            shown_.pop_back();
        }
    } else if (kept != shown_.begin()) {
        std::rotate(shown_.begin(), kept, std::next(kept));
    }
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, shown_.front().picture);
}

QList<QPointF> shownPoints(const QChartView* view, const QXYSeries* series) {
    if (const auto* overlaid = qobject_cast<const OverlaidCurvesView*>(view)) {
        if (series->count() == 0) {
            return overlaid->curve(series);
        }
    }
    return series->points();
}

}  // namespace yurana::charts
