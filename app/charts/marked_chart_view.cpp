#include "app/charts/marked_chart_view.h"

#include <QPainter>

namespace yurana::charts {

namespace {

constexpr double kDotRadius = 5;    // px
constexpr double kLineWidth = 1.5;  // px

}  // namespace

MarkedChartView::MarkedChartView(QChart* chart, Shape shape, const QColor& colour, QWidget* parent)
    : PictureChartView(chart, parent, QPalette::Base), shape_(shape), colour_(colour) {}

void MarkedChartView::setMarkerScale(double factor) {
    scale_ = factor;
    viewport()->update();
}

void MarkedChartView::setMarker(std::optional<QPointF> at) {
    if (at == at_) {
        return;
    }
    QRect touched = markerRect();
    at_ = at;
    touched |= markerRect();
    viewport()->update(touched);
}

QRect MarkedChartView::markerRect() const {
    if (!at_) {
        return {};
    }
    const QPointF p = mapFromScene(chart()->mapToPosition(*at_));
    const int pad = int(kDotRadius * scale_) + 2;
    if (shape_ == Shape::Dot) {
        return QRect(int(p.x()) - pad, int(p.y()) - pad, 2 * pad + 1, 2 * pad + 1);
    }
    const QRect plot = mapFromScene(chart()->plotArea()).boundingRect();
    const int half = int(kLineWidth * scale_) + 2;
    return QRect(int(p.x()) - half, plot.top() - 1, 2 * half + 1, plot.height() + 3);
}

void MarkedChartView::drawOver(QPainter& painter) const {
    if (!at_) {
        return;
    }
    const QPointF p = mapFromScene(chart()->mapToPosition(*at_));
    painter.setRenderHint(QPainter::Antialiasing);
    if (shape_ == Shape::Dot) {
        painter.setPen(QPen(Qt::white, 1));
        painter.setBrush(colour_);
        painter.drawEllipse(p, kDotRadius * scale_, kDotRadius * scale_);
        return;
    }
    const QRectF plot = mapFromScene(chart()->plotArea()).boundingRect();
    if (p.x() < plot.left() - 0.5 || p.x() > plot.right() + 0.5) {
        return;
    }
    painter.setPen(QPen(colour_, kLineWidth * scale_));
    painter.drawLine(QPointF(p.x(), plot.top()), QPointF(p.x(), plot.bottom()));
}

}  // namespace yurana::charts
