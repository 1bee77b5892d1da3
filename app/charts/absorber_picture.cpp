#include "app/charts/absorber_picture.h"

#include <QPainter>
#include <QPolygonF>
#include <algorithm>

#include "absorber/absorber_scene.h"
#include "app/charts/palette.h"

namespace yurana::charts {

namespace {

constexpr int kCoils = 6;

// A spring as a zigzag from `top` to `bottom` at column x, straight for a little at each end.
void drawSpring(QPainter& p, double x, double top, double bottom, double half) {
    const double lead = (bottom - top) * 0.12;
    QPolygonF line;
    line << QPointF(x, top) << QPointF(x, top + lead);
    const double step = (bottom - top - 2 * lead) / (2 * kCoils);
    for (int i = 0; i < 2 * kCoils; ++i) {
        line << QPointF(x + ((i % 2) == 0 ? half : -half), top + lead + step * (i + 0.5));
    }
    line << QPointF(x, bottom - lead) << QPointF(x, bottom);
    p.drawPolyline(line);
}

// A damper: a cylinder hanging from `top` (its place set by the rest length `rest`) and a
// piston on a rod from `bottom`, halfway between the two ends.
void drawDamper(QPainter& p, double x, double top, double bottom, double rest, double half) {
    const double cylTop = top + 0.1 * rest;
    const double cylBottom = top + 0.9 * rest;
    const double piston = (top + bottom) / 2;
    p.drawLine(QPointF(x, top), QPointF(x, cylTop));
    p.drawLine(QPointF(x - half, cylTop), QPointF(x + half, cylTop));
    p.drawLine(QPointF(x - half, cylTop), QPointF(x - half, cylBottom));
    p.drawLine(QPointF(x + half, cylTop), QPointF(x + half, cylBottom));
    p.drawLine(QPointF(x - half * 0.7, piston), QPointF(x + half * 0.7, piston));
    p.drawLine(QPointF(x, piston), QPointF(x, bottom));
}

// A mass as a filled box with its name.
void drawMass(QPainter& p, const QRectF& box, const QColor& colour, const QString& name) {
    p.setPen(QPen(colour.darker(140), 1.5));
    p.setBrush(colour);
    p.drawRect(box);
    p.setPen(Qt::white);
    p.drawText(box, Qt::AlignCenter, name);
}

// The wall as a hatched band across the top.
void drawWall(QPainter& p, double width, double bottom) {
    p.fillRect(QRectF(0, 0, width, bottom), QColor(0xdd, 0xdd, 0xdd));
    p.setPen(QPen(QColor(0x80, 0x80, 0x80), 1));
    for (double x = -bottom; x < width; x += 12) {
        p.drawLine(QPointF(x, bottom), QPointF(x + bottom, 0));
    }
    p.setPen(QPen(Qt::black, 2));
    p.drawLine(QPointF(0, bottom), QPointF(width, bottom));
}

}  // namespace

AbsorberPicture::AbsorberPicture(QWidget* parent) : QWidget(parent) {
    setMinimumSize(200, 260);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("動吸振器の動き"));
}

void AbsorberPicture::setLargest(double largest) {
    largest_ = largest;
    update();
}

void AbsorberPicture::setState(double t, double x1, double x2) {
    shown_ = true;
    t_ = t;
    x1_ = x1;
    x2_ = x2;
    update();
}

void AbsorberPicture::clearState() {
    shown_ = false;
    update();
}

void AbsorberPicture::paintEvent(QPaintEvent* /*event*/) {
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    const double h = height(), w = width();
    const double scale = absorber::sceneScale(h, largest_);
    const absorber::SceneRows rest = absorber::sceneRows(h, 0, 0, 0);
    const absorber::SceneRows r =
        shown_ ? absorber::sceneRows(h, scale, x1_, x2_) : absorber::sceneRows(h, 0, 0, 0);
    // The wall and the places at rest (dotted, for telling a still mass from a moving one)
    // are straight lines: without antialiasing they cost a fraction.
    drawWall(p, w, r.wall);
    const double cx = w / 2;
    const double mainHalf = std::min(w * 0.3, h * 0.22);
    const double absorberHalf = mainHalf * 0.6;
    const double coil = mainHalf * 0.16;
    // Lines as thick as lecture mode makes the charts' (the text follows the window's font).
    const QVariant percent = window()->property("chartScale");
    const double thick = percent.isValid() ? percent.toInt() / 100.0 : 1.0;
    p.setPen(QPen(Qt::gray, thick, Qt::DotLine));
    for (double y : {rest.mainTop, rest.absorberTop}) {
        p.drawLine(QPointF(cx - mainHalf - 20, y), QPointF(cx + mainHalf + 20, y));
    }
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(Qt::black, 1.6 * thick));
    p.setBrush(Qt::NoBrush);
    const double mainRest = rest.mainTop - rest.wall;
    drawSpring(p, cx - mainHalf * 0.5, r.wall, r.mainTop, coil);
    drawDamper(p, cx + mainHalf * 0.5, r.wall, r.mainTop, mainRest, coil);
    const double absorberRest = rest.absorberTop - rest.mainBottom;
    drawSpring(p, cx - absorberHalf * 0.5, r.mainBottom, r.absorberTop, coil * 0.8);
    drawDamper(p, cx + absorberHalf * 0.5, r.mainBottom, r.absorberTop, absorberRest, coil * 0.8);
    drawMass(p, QRectF(cx - mainHalf, r.mainTop, 2 * mainHalf, r.mainBottom - r.mainTop),
             palette::kCurve, QStringLiteral("m"));
    drawMass(p,
             QRectF(cx - absorberHalf, r.absorberTop, 2 * absorberHalf,
                    r.absorberBottom - r.absorberTop),
             palette::kSteady, QStringLiteral("μm"));
    p.setPen(Qt::black);
    const double labelX = cx + mainHalf * 0.5 + coil + 4;
    p.drawText(QPointF(cx - mainHalf * 0.5 - coil - 14, (r.wall + r.mainTop) / 2), "k");
    p.drawText(QPointF(labelX, (r.wall + r.mainTop) / 2), "c");
    p.drawText(QPointF(cx - absorberHalf * 0.5 - coil - 20, (r.mainBottom + r.absorberTop) / 2),
               "ka");
    p.drawText(QPointF(cx + absorberHalf * 0.5 + coil + 4, (r.mainBottom + r.absorberTop) / 2),
               "ca");
    if (shown_) {
        p.drawText(QRectF(4, h - 22, w - 8, 20), Qt::AlignLeft | Qt::AlignVCenter,
                   QStringLiteral("t=%1 s").arg(t_, 0, 'g', 6));
    }
}

}  // namespace yurana::charts
