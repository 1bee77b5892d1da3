#pragma once

// The one Qt application object the Qt benchmarks need (offscreen), created on first use.

#include <QApplication>
#include <QPainter>
#include <string>

#include "animation/scene.h"
#include "app/form0.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_surface.h"

namespace yurana::bench {

inline void ensureQtApplication() {
    static int argc = 1;
    static char name[] = "yurana_bench";
    static char* argv[] = {name, nullptr};
    static QApplication* app = [] {
        qputenv("QT_QPA_PLATFORM", "offscreen");
        auto* a = new QApplication(argc, argv);
        qt::installFontSubstitutions();
        return a;
    }();
    (void)app;
}

// The bitmaps of the source tree.
inline const std::string kDataFolder = YURANA_DATA_FOLDER;

// The picture: the canvas drawn scaled into a 960 × 720 image, as the window's paint, over
// the whole picture or, told what changed, over that part only.
class PicturePresenter : public FramePresenter {
  public:
    void present(const Surface& canvas, const Rect& src) override {
        const Rect whole[] = {src};
        presentChanged(canvas, src, whole);
    }
    void presentChanged(const Surface& canvas, const Rect& src,
                        std::span<const Rect> changed) override {
        const QRect from(src.Left, src.Top, src.Right - src.Left, src.Bottom - src.Top);
        QPainter painter(&picture);
        painter.setClipRegion(app::ScenePicture::onScreen(changed, from, picture.rect()));
        painter.setRenderHint(QPainter::SmoothPixmapTransform);
        painter.drawImage(picture.rect(), static_cast<const qt::QtSurface&>(canvas).image(), from);
    }
    void canvasReleased() override {}
    QImage picture{960, 720, QImage::Format_ARGB32_Premultiplied};
};

}  // namespace yurana::bench
