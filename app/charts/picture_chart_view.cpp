#include "app/charts/picture_chart_view.h"

#include <QGraphicsScene>
#include <QPaintEvent>
#include <QPainter>

namespace yurana::charts {

PictureChartView::PictureChartView(QChart* chart, QWidget* parent, QPalette::ColorRole ground)
    : QChartView(chart, parent),
      ground_(ground == QPalette::NoRole ? viewport()->backgroundRole() : ground) {
    setRenderHint(QPainter::Antialiasing);
    connect(scene(), &QGraphicsScene::changed, this, &PictureChartView::markStale);
}

void PictureChartView::markStale() {
    stale_ = true;
    viewport()->update();
}

const QPixmap& PictureChartView::picture(bool* redrawn) {
    const qreal ratio = devicePixelRatioF();
    const bool stale = stale_ || picture_.size() != viewport()->size() * ratio;
    if (stale) {
        picture_ = QPixmap(viewport()->size() * ratio);
        picture_.setDevicePixelRatio(ratio);
        picture_.fill(viewport()->palette().color(ground_));
        QPainter painter(&picture_);
        painter.setRenderHints(renderHints());
        render(&painter, QRectF(QPointF(0, 0), QSizeF(viewport()->size())), viewport()->rect());
        stale_ = false;
    }
    if (redrawn != nullptr) {
        *redrawn = stale;
    }
    return picture_;
}

void PictureChartView::drawOver(QPainter& /*painter*/) const {}

void PictureChartView::paintEvent(QPaintEvent* event) {
    const QPixmap& shown = picture();
    QPainter painter(viewport());
    painter.setClipRegion(event->region());
    painter.drawPixmap(0, 0, shown);
    drawOver(painter);
}

void PictureChartView::resizeEvent(QResizeEvent* event) {
    QChartView::resizeEvent(event);
    stale_ = true;
}

}  // namespace yurana::charts
