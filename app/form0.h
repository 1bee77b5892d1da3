#pragma once

#include <QImage>
#include <QWidget>

#include "animation/scene.h"
#include "platform/qt/qt_surface.h"

namespace yurana::app {

// A picture that shows a scene's canvas stretched over itself. A frame presented by
// the main loop is only drawn; any other paint (exposure, resize, grab) is a system
// repaint and first emits systemRepaint, so no frame is composed twice.
// Its accessible name is the scene's text line, asked for only when a tool reads it.
class ScenePicture : public QWidget, public FramePresenter {
    Q_OBJECT
  public:
    explicit ScenePicture(QWidget* parent = nullptr);

    void present(const Surface& canvas, const Rect& src) override;
    void presentChanged(const Surface& canvas, const Rect& src,
                        std::span<const Rect> changed) override;
    void canvasReleased() override;

    // The scene whose text line is the picture's accessible name.
    void setScene(const Scene* scene) { scene_ = scene; }
    const Scene* shownScene() const { return scene_; }
    QString accessibleLine() const;
    bool keepAspect = false;  // letterbox the frame with black bars instead of stretching it

    // The area of `target` showing the `changed` rectangles of the frame's part `src`
    // scaled over it, with a pixel of margin for the smoothing, which reaches one over.
    static QRegion onScreen(std::span<const Rect> changed, const QRect& src, const QRect& target);

  signals:
    // A paint the main loop did not ask for, before it draws: the frame may be composed.
    void systemRepaint();

  protected:
    void paintEvent(QPaintEvent* event) override;

  private:
    // Where the frame goes in the widget: all of it, or letterboxed.
    QRect targetRect() const;

    const Scene* scene_ = nullptr;
    const QImage* canvas_ = nullptr;  // owned by the scene
    QRect src_;
    QRect shownTarget_;            // where the last frame went; elsewhere, the next one goes whole
    bool presentPending_ = false;  // an update() of the loop's frame is outstanding
    bool painting_ = false;
};

// The animation window form0 ("アニメーション"): Picture1 fills it and shows the frames
// presented to it. A system repaint of the picture emits repaint, a resize resized.
class Form0 : public QWidget {
    Q_OBJECT
  public:
    explicit Form0(QWidget* parent = nullptr);

    ScenePicture* picture() const { return picture_; }
    QString textLine() const { return picture_->accessibleLine(); }

    // The design size of the picture, 640 × 480.
    QSize sizeHint() const override;

  signals:
    void repaint();
    void resized();

  protected:
    void resizeEvent(QResizeEvent* event) override;

  private:
    ScenePicture* picture_;
};

}  // namespace yurana::app
