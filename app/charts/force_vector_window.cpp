#include "app/charts/force_vector_window.h"

#include <QPainter>
#include <QPainterPath>
#include <QPolygonF>
#include <QVBoxLayout>
#include <algorithm>
#include <array>
#include <cmath>
#include <initializer_list>
#include <numbers>
#include <optional>
#include <vector>

#include "app/charts/chart_parts.h"

namespace yurana::charts {

namespace {

// Share of the square's half side: the polygon's farthest corner, and the displacement.
constexpr double kPolygonShare = 0.6;
constexpr double kDisplacementShare = 0.92;

// Sizes that grow with the square, so a large window reads from afar.
struct Sizes {
    double line;  // px
    double head;  // px
    int font;     // px
};
// `scale`: the chart windows' size (lecture mode), 1 as designed.
Sizes sizesFor(double side, double scale) {
    return {std::clamp(side / 170, 2.0, 6.0) * scale, std::clamp(side / 32, 9.0, 26.0) * scale,
            int(std::clamp(side / 30, 12.0, 30.0) * scale)};
}

QPointF unit(QPointF v) {
    const double len = std::hypot(v.x(), v.y());
    return len > 0 ? v / len : QPointF(1, 0);
}

// An arrow whose tip is at `to`; the head shrinks on a side shorter than two heads.
void drawArrow(QPainter& p, QPointF from, QPointF to, const QColor& colour, const Sizes& s,
               Qt::PenStyle style = Qt::SolidLine, double widthScale = 1) {
    const QPointF d = to - from;
    const double len = std::hypot(d.x(), d.y());
    if (len < 1) {
        return;
    }
    const QPointF u = d / len;
    const QPointF n(-u.y(), u.x());
    const double head = std::min(s.head, len / 2);
    const QPointF base = to - u * head;
    QPen pen(colour, s.line * widthScale, style, Qt::FlatCap);
    p.setPen(pen);
    p.drawLine(from, base + u * (head / 4));  // under the head: no gap at its base
    p.setPen(Qt::NoPen);
    p.setBrush(colour);
    p.drawPolygon(QPolygonF{to, base + n * head * 0.42, base - n * head * 0.42});
}

// A label on a white ground in `box`.
void drawLabel(QPainter& p, const QStaticText& text, const QRectF& box, const QColor& colour) {
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 255, 255, 215));
    p.drawRoundedRect(box, 3, 3);
    p.setPen(colour);
    p.drawStaticText(box.topLeft() + QPointF(3, 1), text);
}

// Where a label may go: moved from `anchor` along the unit `dir` until clear of it.
struct Spot {
    QPointF anchor;
    QPointF dir;
};

// Labels placed one by one where they overlap neither one placed before nor the widget's
// edge: the first spot that is clear at one of a few distances, else the first spot. Short
// sides crowd their labels together; this spreads them at the price of a few rectangles.
class Labels {
  public:
    Labels(QPainter& p, QRectF area, double step) : p_(p), area_(area), step_(step) {}

    void add(const QStaticText& text, std::initializer_list<Spot> spots, const QColor& colour) {
        const QSizeF size = text.size() + QSizeF(6, 2);
        std::optional<QRectF> first;
        for (const Spot& s : spots) {
            // From the anchor to the box's edge along dir, plus a gap.
            const double clear =
                (std::fabs(s.dir.x()) * size.width() + std::fabs(s.dir.y()) * size.height()) / 2 +
                4;
            for (int i = 0; i < 5; ++i) {
                QRectF box(QPointF(), size);
                box.moveCenter(s.anchor + s.dir * (clear + i * step_));
                first = first.value_or(box);
                if (area_.contains(box) && std::ranges::none_of(placed_, [&](const QRectF& r) {
                        return r.intersects(box);
                    })) {
                    place(text, box, colour);
                    return;
                }
            }
        }
        place(text, *first, colour);
    }

    // A box no label covers, such as an arrow's head.
    void keepClear(const QRectF& box) { placed_.push_back(box); }

  private:
    void place(const QStaticText& text, const QRectF& box, const QColor& colour) {
        drawLabel(p_, text, box, colour);
        placed_.push_back(box);
    }

    QPainter& p_;
    QRectF area_;
    double step_;  // px between tries
    std::vector<QRectF> placed_;
};

// The unit normal of the side from `from` to `to` on the side away from `centre`.
QPointF outward(QPointF from, QPointF to, QPointF centre) {
    const QPointF n = unit(QPointF(-(to - from).y(), (to - from).x()));
    const QPointF out = (from + to) / 2 - centre;
    return n.x() * out.x() + n.y() * out.y() < 0 ? -n : n;
}

double argDeg(analysis::Phasor z) {
    return std::arg(z) * 180 / std::numbers::pi;
}

}  // namespace

PhasorDiagram::PhasorDiagram(QWidget* parent) : QWidget(parent) {
    setMinimumSize(240, 240);
    setAttribute(Qt::WA_OpaquePaintEvent);
    setAccessibleName(QStringLiteral("力のベクトル図"));
}

void PhasorDiagram::setPhasors(const analysis::ForceDiagram& d, const analysis::ForcePhasors& p) {
    phasors_ = p;
    reach_ = d.reach;
    message_ = QString::fromStdString(d.message);
    update();
}

PhasorDiagram::Frame PhasorDiagram::frame() const {
    const double half = std::min(width(), height()) / 2.0 - 4;
    return {QRectF(rect()).center(), half, reach_ > 0 ? half * kPolygonShare / reach_ : 0.0};
}

QPointF PhasorDiagram::pointOf(analysis::Phasor force) const {
    const Frame f = frame();
    return {f.origin.x() + force.real() * f.scale, f.origin.y() - force.imag() * f.scale};
}

void PhasorDiagram::paintEvent(QPaintEvent* /*event*/) {
    namespace pal = phasor_palette;
    QPainter p(this);
    p.fillRect(rect(), Qt::white);
    p.setRenderHint(QPainter::Antialiasing);
    const Frame f = frame();
    const QPointF o = f.origin;
    const double half = f.half;
    const QVariant percent = window()->property("chartScale");
    const Sizes s =
        sizesFor(std::min(width(), height()), percent.isValid() ? percent.toInt() / 100.0 : 1.0);
    QFont font = p.font();
    font.setPixelSize(s.font);
    p.setFont(font);
    if (captionPx_ != s.font) {
        const std::array<QString, kCaptions> texts{
            QStringLiteral("φ"),           QStringLiteral("外力 F"),
            QStringLiteral("復元力 kX"),   QStringLiteral("減衰力 cωX"),
            QStringLiteral("慣性力 mω²X"), QStringLiteral("変位 X")};
        for (std::size_t i = 0; i < texts.size(); ++i) {
            captions_[i].setText(texts[i]);
            captions_[i].setTextFormat(Qt::PlainText);
            captions_[i].prepare(QTransform(), font);
        }
        captionPx_ = s.font;
    }

    // Axes through the origin across the square; the vertical one carries the instant values.
    p.setPen(QPen(pal::kAxes, 1));
    p.drawLine(QPointF(o.x() - half, o.y()), QPointF(o.x() + half, o.y()));
    p.drawLine(QPointF(o.x(), o.y() + half), QPointF(o.x(), o.y() - half));
    if (!phasors_.shown) {
        // The message on a white ground over the axes, just above the origin.
        const QRectF room(o.x() - half * 0.8, o.y() - half, half * 1.6, half * 0.95);
        const int flags = Qt::AlignHCenter | Qt::AlignBottom | Qt::TextWordWrap;
        const QRectF box = p.boundingRect(room, flags, message_).adjusted(-6, -4, 6, 4);
        p.fillRect(box, Qt::white);
        p.setPen(Qt::darkGray);
        p.drawText(room, flags, message_);
        return;
    }
    const auto at = [this](analysis::Phasor z) { return pointOf(z); };

    // The displacement first, thin and dashed on its circle, beneath the restoring force
    // that lies along it.
    const double rx = half * kDisplacementShare;
    p.setPen(QPen(QColor(0xc8, 0xd4, 0xe8), 1, Qt::DotLine));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(o, rx, rx);
    const QPointF xDir = unit(QPointF(phasors_.displacement.real(), -phasors_.displacement.imag()));
    drawArrow(p, o, o + xDir * rx, pal::kDisplacement, s, Qt::DashLine, 0.6);

    Labels labels(p, QRectF(rect()), s.font * 0.8);
    // The lag φ from the drive to the displacement, near the origin.
    const double lag = argDeg(phasors_.displacement / phasors_.drive);
    if (std::fabs(lag) > 8) {  // a narrower arc would sit among the arrows
        const double ra = half * 0.16;
        p.setPen(QPen(Qt::darkGray, 1.2));
        p.setBrush(Qt::NoBrush);
        const double from = argDeg(phasors_.drive);
        p.drawArc(QRectF(o.x() - ra, o.y() - ra, 2 * ra, 2 * ra), int(from * 16), int(lag * 16));
        const double mid = (from + lag / 2) * std::numbers::pi / 180;
        const QPointF dir(std::cos(mid), -std::sin(mid));
        labels.add(captions_[kPhi], {{o + dir * ra, dir}}, Qt::darkGray);
    }

    // The drive's value at this instant: its tip carried across to the vertical axis.
    const QPointF driveTip = at(phasors_.drive);
    p.setPen(QPen(pal::kDrive, 1, Qt::DotLine));
    p.drawLine(driveTip, QPointF(o.x(), driveTip.y()));

    // The forces head to tail, and the drive closing the polygon.
    const auto tails = phasors_.tails();
    struct Side {
        analysis::Phasor tail, head;
        QColor colour;
        Caption label;
    };
    const std::array<Side, 4> sides{
        Side{0.0, phasors_.drive, pal::kDrive, kDrive},
        Side{tails[0], tails[1], pal::kRestoring, kRestoring},
        Side{tails[1], tails[2], pal::kDamping, kDamping},
        Side{tails[2], tails[2] + phasors_.inertia, pal::kInertia, kInertia}};
    const QPointF centre = (at(tails[0]) + at(tails[1]) + at(tails[2]) + driveTip) / 4;
    for (const Side& side : sides) {
        drawArrow(p, at(side.tail), at(side.head), side.colour, s);
    }
    p.setBrush(Qt::black);
    p.setPen(Qt::NoPen);
    p.drawEllipse(o, s.line, s.line);
    const QPointF xTip = o + xDir * rx;
    const auto headBox = [&s](QPointF tip) {
        return QRectF(tip.x() - s.head / 2, tip.y() - s.head / 2, s.head, s.head);
    };
    labels.keepClear(headBox(xTip));
    for (const Side& side : sides) {
        labels.keepClear(headBox(at(side.head)));
    }
    // Each force beside its middle away from the polygon, else beyond its head, else on the
    // inner side.
    for (const Side& side : sides) {
        const QPointF a = at(side.tail), b = at(side.head);
        const QPointF n = outward(a, b, centre);
        labels.add(captions_[side.label], {{(a + b) / 2, n}, {b, unit(b - a)}, {(a + b) / 2, -n}},
                   side.colour);
    }
    // The displacement's label last, beyond its tip or beside its outer end.
    const QPointF xSide(-xDir.y(), xDir.x());
    labels.add(
        captions_[kDisplacement],
        {{xTip, xDir}, {xTip - xDir * (rx * 0.15), xSide}, {xTip - xDir * (rx * 0.15), -xSide}},
        pal::kDisplacement);
}

ForceVectorWindow::ForceVectorWindow(QWidget* parent)
    : AnalysisWindow(QStringLiteral("ForceVectorWindow"), QStringLiteral("力のベクトル図"),
                     parent) {
    namespace pal = phasor_palette;
    diagram_ = new PhasorDiagram(this);
    const auto swatch = [](const QColor& c, const QString& name) {
        return QStringLiteral("<span style=\"color:%1\">■</span>&nbsp;%2").arg(c.name(), name);
    };
    // The legend and the caption in a box of their own, whose layout remembers their wrapped
    // height: a new read-out then lays out only itself, not these texts, at every move.
    auto* notes = new QWidget(this);
    auto* legend = new QLabel(notes);
    legend->setTextFormat(Qt::RichText);
    legend->setWordWrap(true);
    legend->setText(
        QStringList{swatch(pal::kRestoring, QStringLiteral("復元力 kX")),
                    swatch(pal::kDamping, QStringLiteral("減衰力 cωX")),
                    swatch(pal::kInertia, QStringLiteral("慣性力 mω²X")),
                    swatch(pal::kDrive, QStringLiteral("外力 F")),
                    swatch(pal::kDisplacement, QStringLiteral("変位 X（力とは別の縮尺）"))}
            .join(QStringLiteral("&nbsp;&nbsp; ")));
    auto* caption =
        new QLabel(QStringLiteral("各ベクトルの縦軸への射影が、その時刻のその力（変位）の値です。"
                                  "復元力・減衰力・慣性力を先端から順につなぐと外力に重なります。"),
                   notes);
    caption->setWordWrap(true);
    caption->setObjectName(QStringLiteral("caption"));
    readout_ = readoutLabel(this);
    auto* layout = new QVBoxLayout(this);
    auto* notesLayout = new QVBoxLayout(notes);
    notesLayout->setContentsMargins(0, 0, 0, 0);
    notesLayout->addWidget(legend);
    notesLayout->addWidget(caption);
    layout->addWidget(diagram_, 1);
    layout->addWidget(notes);
    layout->addWidget(readoutPlace(readout_));
    resize(640, 780);
}

void ForceVectorWindow::setModel(const ModelRecord& r) {
    model_ = analysis::forceDiagram(r);
    setTime(r.tmin);
}

void ForceVectorWindow::setTime(double t) {
    const analysis::ForcePhasors p = analysis::forcePhasorsAt(model_, t);
    diagram_->setPhasors(model_, p);
    showReadout(readout_, p.readout);
}

}  // namespace yurana::charts
