#pragma once

#include <QImage>
#include <QRegion>

#include "platform/surface.h"

namespace yurana::qt {

// A surface held as a QImage (ARGB32 premultiplied, always opaque) and drawn with
// QPainter. Setting the colour key makes a second image with black turned transparent
// once; keyed copies draw that one with alpha, opaque copies the image as loaded.
class QtSurface : public Surface {
  public:
    explicit QtSurface(const QImage& image);

    int width() const override { return image_.width(); }
    int height() const override { return image_.height(); }
    void setBlackColorKey() override;
    void copy(const Rect& dest, const Surface& src, const Rect& srcRect, CopyKind kind) override;
    void drawText(int x, int y, std::string_view text, const TextFont& font, Rgb colour) override;
    void setClip(std::span<const Rect> rects) override;

    const QImage& image() const { return image_; }

  private:
    const QImage& source(CopyKind kind) const;

    QImage image_;
    QImage keyed_;  // null until the key is set
    QRegion clip_;  // empty: no limit
};

// Loads Windows bitmap files (only BMP: any other content fails) as QtSurfaces.
class QtSurfaceFactory : public SurfaceFactory {
  public:
    std::unique_ptr<Surface> load(const std::string& path) override;
    std::unique_ptr<Surface> load(const std::string& path, int width, int height) override;
};

}  // namespace yurana::qt
