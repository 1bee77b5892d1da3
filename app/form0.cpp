#include "app/form0.h"

#include <QAccessible>
#include <QAccessibleWidget>
#include <QCoreApplication>
#include <QPaintEvent>
#include <QPainter>
#include <QRegion>
#include <QResizeEvent>

#include "app/program_setup.h"
#include "model/calc_error.h"

namespace yurana::app {

namespace {

// The picture as an animation whose name is its current text line.
class ScenePictureAccessible : public QAccessibleWidget {
  public:
    explicit ScenePictureAccessible(ScenePicture* picture)
        : QAccessibleWidget(picture, QAccessible::Animation) {}

    QString text(QAccessible::Text t) const override {
        auto* picture = static_cast<ScenePicture*>(widget());
        if (t == QAccessible::Name && picture->accessibleLine) {
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

void ScenePicture::present(const Surface& canvas, const Rect& src) {
    const auto* surface = dynamic_cast<const qt::QtSurface*>(&canvas);
    canvas_ = surface != nullptr ? &surface->image() : nullptr;
    src_ = QRect(src.Left, src.Top, src.Right - src.Left, src.Bottom - src.Top);
    if (!painting_) {
        presentPending_ = true;
        update();
    }
}

void ScenePicture::canvasReleased() {
    canvas_ = nullptr;
    update();  // shows empty until a frame is presented again
}

void ScenePicture::paintEvent(QPaintEvent*) {
    painting_ = true;
    if (!presentPending_ && onSystemRepaint) {
        onSystemRepaint();
    }
    presentPending_ = false;
    painting_ = false;

    QPainter painter(this);
    if (canvas_ == nullptr) {
        painter.fillRect(rect(), Qt::black);
        return;
    }
    QRect target = rect();
    if (keepAspect) {
        target.setSize(src_.size().scaled(rect().size(), Qt::KeepAspectRatio));
        target.moveTopLeft({(width() - target.width()) / 2, (height() - target.height()) / 2});
        for (const QRect& bar : QRegion(rect()).subtracted(target)) {
            painter.fillRect(bar, Qt::black);
        }
    }
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(target, *canvas_, src_);
}

Form0::Form0(SceneInputs inputs, QString folder, QWidget* parent)
    : QWidget(parent),
      picture_(new ScenePicture(this)),
      run_(inputs.run),
      scene_(factory_, (folder.isEmpty() ? programDataFolder() : folder).toStdString(), inputs,
             *picture_) {
    setObjectName("form0");
    setWindowTitle(QStringLiteral("アニメーション"));
    picture_->setObjectName("Picture1");
    picture_->setGeometry(rect());
    picture_->onSystemRepaint = [this] { Picture1_Paint(); };
    picture_->accessibleLine = [this] { return textLine(); };
}

void Form0::init() {
    scene_.init();
}

void Form0::blt() {
    scene_.blt();
}

void Form0::unload() {
    scene_.release();
}

QString Form0::textLine() const {
    return QString::fromStdString(scene_.textLine());
}

void Form0::resizeEvent(QResizeEvent* event) {
    // Picture1 fills the window; the layout pass may size it again afterwards.
    picture_->setGeometry(QRect(QPoint(0, 0), event->size()));
    scene_.invalidate();
    QWidget::resizeEvent(event);
}

QSize Form0::sizeHint() const {
    return {kCanvasWidth, kCanvasHeight};
}

void Form0::Picture1_Paint() {
    scene_.invalidate();
    if (run_.joutai != kRunning) {
        return;
    }
    try {
        scene_.blt();
    } catch (const calc_error&) {
        // Skip this frame; the canvas still holds the last one.
    }
}

}  // namespace yurana::app
