#include "app/charts/history_chart_view.h"

#include <QMouseEvent>
#include <QWheelEvent>

namespace yurana::charts {

namespace {
constexpr int kClickSlop = 4;  // px a click may move and stay a click
}  // namespace

HistoryChartView::HistoryChartView(QChart* chart, const QColor& colour, QWidget* parent)
    : MarkedChartView(chart, Shape::VerticalLine, colour, parent),
      band_(new QRubberBand(QRubberBand::Rectangle, viewport())) {}

void HistoryChartView::wheelEvent(QWheelEvent* event) {
    const double factor = event->angleDelta().y() > 0 ? 1.25 : 0.8;
    const QPointF at = chart()->mapFromScene(mapToScene(event->position().toPoint()));
    QRectF area = chart()->plotArea();
    area.setWidth(area.width() / factor);
    area.setHeight(area.height() / factor);
    area.moveCenter(area.center() + (at - area.center()) * (1 - 1 / factor));
    chart()->zoomIn(area);
    event->accept();
}

void HistoryChartView::mousePressEvent(QMouseEvent* event) {
    if (event->button() != Qt::LeftButton) {
        MarkedChartView::mousePressEvent(event);
        return;
    }
    pressed_ = true;
    origin_ = event->position().toPoint();
    band_->setGeometry(QRect(origin_, QSize()));
    event->accept();
}

void HistoryChartView::mouseMoveEvent(QMouseEvent* event) {
    if (!pressed_) {
        MarkedChartView::mouseMoveEvent(event);
        return;
    }
    band_->setGeometry(QRect(origin_, event->position().toPoint()).normalized());
    band_->setVisible((event->position().toPoint() - origin_).manhattanLength() > kClickSlop);
}

void HistoryChartView::mouseReleaseEvent(QMouseEvent* event) {
    if (!pressed_ || event->button() != Qt::LeftButton) {
        MarkedChartView::mouseReleaseEvent(event);
        return;
    }
    pressed_ = false;
    band_->hide();
    const QPoint end = event->position().toPoint();
    if ((end - origin_).manhattanLength() <= kClickSlop) {
        const QPointF value = chart()->mapToValue(chart()->mapFromScene(mapToScene(end)));
        emit clickedAt(value.x());
    } else {
        const QRectF scene = mapToScene(QRect(origin_, end).normalized()).boundingRect();
        chart()->zoomIn(chart()->mapFromScene(scene).boundingRect());
    }
    event->accept();
}

}  // namespace yurana::charts
