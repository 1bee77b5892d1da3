#include "app/form0.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>

#include "panel/control_names.h"

namespace yurana::app {

namespace {

// The picture as an animation whose name is its current text line.
class ScenePictureAccessible : public QAccessibleWidget {
  public:
    explicit ScenePictureAccessible(ScenePicture* picture)
        : QAccessibleWidget(picture, QAccessible::Animation) {}

    QString text(QAccessible::Text t) const override {
        auto* picture = static_cast<ScenePicture*>(widget());
        if (t == QAccessible::Name && picture->shownScene() != nullptr) {
            return picture->accessibleLine();
        }
        return QAccessibleWidget::text(t);
    }
};

QAccessibleInterface* scenePictureAccessible(const QString&, QObject* object) {
    if (auto* picture = qobject_cast<ScenePicture*>(object)) {
        return new ScenePictureAccessible(picture);
    }
    return nullptr;
}

}  // namespace

ScenePicture::ScenePicture(QWidget* parent) : QWidget(parent) {
    // Installing the same factory again is a no-op.
    QAccessible::installFactory(scenePictureAccessible);
    setAttribute(Qt::WA_OpaquePaintEvent);
}

QString ScenePicture::accessibleLine() const {
    return scene_ != nullptr ? QString::fromStdString(scene_->textLine()) : QString();
}

void ScenePicture::present(const Surface& canvas, const Rect& src) {
    const Rect whole[] = {src};
    presentChanged(canvas, src, whole);
}

void ScenePicture::presentChanged(const Surface& canvas, const Rect& src,
                                  std::span<const Rect> changed) {
    const auto* surface = dynamic_cast<const qt::QtSurface*>(&canvas);
    canvas_ = surface != nullptr ? &surface->image() : nullptr;
    src_ = QRect(src.Left, src.Top, src.Right - src.Left, src.Bottom - src.Top);
    if (painting_) {
        // A system repaint composed this frame and draws only what it exposes: the next
        // frame goes whole.
        shownTarget_ = {};
        return;
    }
    const QRect target = targetRect();
    // Only what changed is scaled and copied; the rest of the window keeps the last frame.
    QRegion area = target;
    if (canvas_ != nullptr && target == shownTarget_) {
        area = onScreen(changed, src_, target);
    }
    shownTarget_ = target;
    if (!area.isEmpty()) {
        presentPending_ = true;
        update(area);
    }
}

void ScenePicture::canvasReleased() {
    canvas_ = nullptr;
    shownTarget_ = {};
    update();  // shows empty until a frame is presented again
}

QRect ScenePicture::targetRect() const {
    QRect target = rect();
    if (keepAspect && !src_.isEmpty()) {
        target.setSize(src_.size().scaled(rect().size(), Qt::KeepAspectRatio));
        target.moveTopLeft({(width() - target.width()) / 2, (height() - target.height()) / 2});
    }
    return target;
}

QRegion ScenePicture::onScreen(std::span<const Rect> changed, const QRect& src,
                               const QRect& target) {
    if (src.isEmpty()) {
        return target;
    }
    const double sx = double(target.width()) / src.width();
    const double sy = double(target.height()) / src.height();
    QRegion out;
    for (const Rect& c : changed) {
        const QRect r =
            QRect(QPoint(c.Left, c.Top), QPoint(c.Right - 1, c.Bottom - 1)).normalized();
        const QRectF from = QRectF(r.adjusted(-1, -1, 1, 1)).translated(-src.topLeft());
        const QRectF to(target.left() + from.left() * sx, target.top() + from.top() * sy,
                        from.width() * sx, from.height() * sy);
        out += to.toAlignedRect() & target;
    }
    return out;
}

void ScenePicture::paintEvent(QPaintEvent*) {
    painting_ = true;
    if (!presentPending_) {
        emit systemRepaint();
    }
    presentPending_ = false;
    painting_ = false;

    QPainter painter(this);
    if (canvas_ == nullptr) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    const QRect target = targetRect();
    if (keepAspect) {
        for (const QRect& bar : QRegion(rect()).subtracted(target)) {
            painter.fillRect(bar, Qt::black);
        }
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *canvas_, src_);
}

Form0::Form0(QWidget* parent) : QWidget(parent), picture_(new ScenePicture(this)) {
    setObjectName(ctl::form0);
    setWindowTitle(QStringLiteral("アニメーション"));
    picture_->setObjectName("Picture1");
    picture_->setGeometry(rect());
    connect(picture_, &ScenePicture::systemRepaint, this, &Form0::repaint);
}

void Form0::resizeEvent(QResizeEvent* event) {
    // Picture1 fills the window; the layout pass may size it again afterwards.
    picture_->setGeometry(QRect(QPoint(0, 0), event->size()));
    emit resized();
    QWidget::resizeEvent(event);
}

QSize Form0::sizeHint() const {
    return {kCanvasWidth, kCanvasHeight};
}

}  // namespace yurana::app
