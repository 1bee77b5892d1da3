#include "platform/qt/qt_picture.h"

#include <QFontMetrics>
#include <QLineF>
#include <QPainter>
#include <QVarLengthArray>
#include <algorithm>
#include <cmath>

#include "platform/qt/text.h"

namespace yurana::qt {

namespace {

// Drawing beyond this many pixels outside the image is cut off first, so that any
// Single coordinate can be rounded to an int.
constexpr double kMargin = 4;

QColor toQColor(Rgb c) {
    return QColor(c.r, c.g, c.b);
}

// Nearest pixel, halves to even.
int toPixel(double v) {
    return static_cast<int>(std::nearbyint(v));
}

// Liang–Barsky: cuts the segment to the rectangle; false when nothing of it is inside.
bool clipSegment(QLineF& seg, const QRectF& box) {
    double x0 = seg.x1();
    double y0 = seg.y1();
    double dx = seg.x2() - x0;
    double dy = seg.y2() - y0;
    double t0 = 0;
    double t1 = 1;
    const double p[4] = {-dx, dx, -dy, dy};
    const double q[4] = {x0 - box.left(), box.right() - x0, y0 - box.top(), box.bottom() - y0};
    for (int i = 0; i < 4; ++i) {
        if (p[i] == 0) {
            if (q[i] < 0) {
                return false;
            }
            continue;
        }
        double r = q[i] / p[i];
        if (p[i] < 0) {
            t0 = std::max(t0, r);
        } else {
            t1 = std::min(t1, r);
        }
        if (t0 > t1) {
            return false;
        }
    }
    seg = QLineF(x0 + t0 * dx, y0 + t0 * dy, x0 + t1 * dx, y0 + t1 * dy);
    return true;
}

}  // namespace

QtPicture::QtPicture(QWidget* widget) : widget_(widget) {}

void QtPicture::setDrawColor(Rgb color) {
    color_ = toQColor(color);
}

void QtPicture::line(float x1, float y1, float x2, float y2) {
    drawLine(x1, y1, x2, y2, color_);
}

void QtPicture::line(float x1, float y1, float x2, float y2, Rgb color) {
    drawLine(x1, y1, x2, y2, toQColor(color));
}

bool QtPicture::alreadyDrawn(QPoint a, QPoint b, const QColor& color) const {
    // A one-pixel pen covers exactly both ends of a segment at most one pixel long.
    const QPoint d = b - a;
    const QRgb rgb = color.rgb();
    return std::abs(d.x()) <= 1 && std::abs(d.y()) <= 1 && image_.valid(a) && image_.valid(b) &&
           image_.pixel(a) == rgb && image_.pixel(b) == rgb;
}

bool QtPicture::toPixels(QLineF seg, QLine& out) const {
    QRectF box = QRectF(image_.rect()).adjusted(-kMargin, -kMargin, kMargin, kMargin);
    if (!box.contains(seg.p1()) || !box.contains(seg.p2())) {
        if (!clipSegment(seg, box)) {
            return false;
        }
    }
    out = QLine(toPixel(seg.x1()), toPixel(seg.y1()), toPixel(seg.x2()), toPixel(seg.y2()));
    return true;
}

void QtPicture::drawLine(float x1, float y1, float x2, float y2, const QColor& color) {
    sync();
    QLine seg;
    if (image_.isNull() || !toPixels(QLineF(x1, y1, x2, y2), seg)) {
        return;
    }
    const QPoint a = seg.p1();
    const QPoint b = seg.p2();
    if (alreadyDrawn(a, b, color)) {
        return;  // a paused trace: drawing it again would change no pixel
    }
    {
        QPainter p(&image_);
        p.setPen(QPen(color, 0));  // cosmetic: one pixel, both ends drawn
        p.drawLine(a, b);
    }
    widget_->update(QRect(a, b).normalized().adjusted(-1, -1, 1, 1));
}

void QtPicture::polyline(std::span<const PlotPoint> points) {
    sync();
    if (image_.isNull()) {
        return;
    }
    // One painter and one update for the whole chain.
    QVarLengthArray<QLine, 64> lines;
    QRect touched;
    for (std::size_t i = 1; i < points.size(); ++i) {
        QLine seg;
        if (toPixels(QLineF(points[i - 1].x, points[i - 1].y, points[i].x, points[i].y), seg)) {
            lines.append(seg);
            touched |= QRect(seg.p1(), seg.p2()).normalized();
        }
    }
    if (lines.isEmpty()) {
        return;
    }
    {
        QPainter p(&image_);
        p.setPen(QPen(color_, 0));
        p.drawLines(lines.constData(), int(lines.size()));
    }
    widget_->update(touched.adjusted(-1, -1, 1, 1));
}

void QtPicture::fillRect(float x1, float y1, float x2, float y2, Rgb color) {
    sync();
    QRect whole(QPoint(0, 0), widget_->size());
    auto clampX = [&](double v) {
        return toPixel(std::clamp(v, -kMargin, whole.width() + kMargin));
    };
    auto clampY = [&](double v) {
        return toPixel(std::clamp(v, -kMargin, whole.height() + kMargin));
    };
    QRect r = QRect(QPoint(clampX(x1), clampY(y1)), QPoint(clampX(x2), clampY(y2))).normalized();
    if (whole.isEmpty() || r.contains(whole)) {
        lines_.clear();  // every printed line is gone
    }
    QRect painted = r & image_.rect();
    if (image_.isNull() || painted.isEmpty()) {
        return;
    }
    {
        QPainter p(&image_);
        p.fillRect(painted, toQColor(color));
    }
    widget_->update(painted);
}

void QtPicture::setTextPos(float x, float y) {
    pos_ = QPointF(x, y);
}

void QtPicture::print(std::string_view text) {
    sync();
    QString line = toQ(text);
    QFontMetrics metrics(widget_->font());
    if (!image_.isNull() && std::abs(pos_.x()) < 1e6 && std::abs(pos_.y()) < 1e6) {
        {
            QPainter p(&image_);
            p.setFont(widget_->font());
            p.setPen(color_);
            p.drawText(QPointF(pos_.x(), pos_.y() + metrics.ascent()), line);
        }
        QRectF touched(pos_, QSizeF(metrics.horizontalAdvance(line) + 2, metrics.height()));
        widget_->update(touched.toAlignedRect());
    }
    lines_.append(line);
    pos_ = QPointF(0, pos_.y() + metrics.height());
}

int QtPicture::clientWidth() const {
    return widget_->width();
}

int QtPicture::clientHeight() const {
    return widget_->height();
}

void QtPicture::setWidth(int px) {
    settingWidth_ = true;
    widget_->resize(std::max(px, 0), widget_->height());
    settingWidth_ = false;
    sync();
}

const QImage& QtPicture::image() {
    sync();
    return image_;
}

void QtPicture::paint(QWidget* target, const QRect& rect) {
    sync();
    QPainter p(target);
    p.drawImage(rect.topLeft(), image_, rect);
}

void QtPicture::sync() {
    QSize size = widget_->size();
    if (image_.size() == size) {
        return;
    }
    QImage grown(size, QImage::Format_ARGB32_Premultiplied);
    if (grown.isNull()) {
        image_ = QImage();
        return;
    }
    grown.fill(widget_->palette().color(widget_->backgroundRole()));
    if (!image_.isNull()) {
        QPainter p(&grown);
        p.drawImage(0, 0, image_);
    }
    image_ = grown;
}

}  // namespace yurana::qt
