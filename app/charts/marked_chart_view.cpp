#include "app/charts/marked_chart_view.h"

#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPainter>

namespace yurana::charts {

namespace {

constexpr double kDotRadius = 5;    // px
constexpr double kLineWidth = 1.5;  // px

}  // namespace

MarkedChartView::MarkedChartView(QChart* chart, Shape shape, const QColor& colour, QWidget* parent)
    : QChartView(chart, parent), shape_(shape), colour_(colour) {
    setRenderHint(QPainter::Antialiasing);
    connect(scene(), &QGraphicsScene::changed, this, [this] {
        stale_ = true;
        viewport()->update();
    });
}

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

void MarkedChartView::drawMarker(QPainter& painter) const {
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

void MarkedChartView::paintEvent(QPaintEvent* event) {
    const qreal ratio = devicePixelRatioF();
    if (stale_ || picture_.size() != viewport()->size() * ratio) {
        picture_ = QPixmap(viewport()->size() * ratio);
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(palette().color(QPalette::Base));
        QPainter painter(&picture_);
        painter.setRenderHints(renderHints());
        render(&painter, QRectF(QPointF(0, 0), QSizeF(viewport()->size())), viewport()->rect());
        stale_ = false;
    }
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, picture_);
    drawMarker(painter);
}

void MarkedChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    stale_ = true;
}

}  // namespace yurana::charts
