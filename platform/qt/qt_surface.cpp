#include "platform/qt/qt_surface.h"
#include "platform/qt/text.h"

#include <QImageReader>
#include <QPainter>

#include "model/calc_error.h"
#include "platform/qt/fonts.h"

namespace yurana::qt {

namespace {

// 96 dots per inch, so that a size in points gives the pixels it gave on the desktop
// the scene was designed for (20 pt -> 26.7 px).
constexpr int kDotsPerMeter = 3780;

QRect toQRect(const Rect& r) {
    return QRect(r.Left, r.Top, r.Right - r.Left, r.Bottom - r.Top);
}

QImage readBitmap(const std::string& path) {
    QImageReader reader(QString::fromStdString(path), "bmp");
    reader.setDecideFormatFromContent(false);
    QImage image = reader.read();
    if (image.isNull()) {
        const std::size_t slash = path.find_last_of('/');
        throw bitmap_error(slash == std::string::npos ? path : path.substr(slash + 1));
    }
    return image;
}

}  // namespace

QtSurface::QtSurface(const QImage& image)
    // Through RGB32 so that any alpha in the file is dropped: bitmaps are opaque.
    : image_(image.convertToFormat(QImage::Format_RGB32)
                 .convertToFormat(QImage::Format_ARGB32_Premultiplied)) {
    image_.setDotsPerMeterX(kDotsPerMeter);
    image_.setDotsPerMeterY(kDotsPerMeter);
}

void QtSurface::setBlackColorKey() {
    keyed_ = image_.copy();
    for (int y = 0; y < keyed_.height(); ++y) {
        auto* row = reinterpret_cast<QRgb*>(keyed_.scanLine(y));
        for (int x = 0; x < keyed_.width(); ++x) {
            if (row[x] == qRgb(0, 0, 0)) {
                row[x] = 0;  // transparent black, premultiplied
            }
        }
    }
}

const QImage& QtSurface::source(CopyKind kind) const {
    return kind == CopyKind::Keyed && !keyed_.isNull() ? keyed_ : image_;
}

void QtSurface::copy(const Rect& dest, const Surface& src, const Rect& srcRect, CopyKind kind) {
    const auto* from = dynamic_cast<const QtSurface*>(&src);
    if (from == nullptr) {
        throw calc_error(calc_error::Kind::InvalidCall, "copy between foreign surfaces");
    }
    if (!fitsInside(dest, width(), height()) ||
        !fitsInside(srcRect, from->width(), from->height())) {
        return;  // refused: this surface stays as it was
    }
    // A copy within one surface reads a snapshot, not the pixels being written.
    const QImage picture = from == this ? source(kind).copy() : from->source(kind);
    QPainter painter(&image_);
    painter.setCompositionMode(kind == CopyKind::Keyed ? QPainter::CompositionMode_SourceOver
                                                       : QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(toQRect(dest), picture, toQRect(srcRect));
}

void QtSurface::drawText(int x, int y, std::string_view text, const TextFont& font, Rgb colour) {
    QPainter painter(&image_);
    painter.setFont(programFont(font.family.c_str(), font.points, font.bold));
    painter.setPen(QColor(colour.r, colour.g, colour.b));
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QString line = toQ(text);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), line);
}

std::unique_ptr<Surface> QtSurfaceFactory::load(const std::string& path) {
    return std::make_unique<QtSurface>(readBitmap(path));
}

std::unique_ptr<Surface> QtSurfaceFactory::load(const std::string& path, int width, int height) {
    QImage image = readBitmap(path);
    return std::make_unique<QtSurface>(
        image.scaled(width, height, Qt::IgnoreAspectRatio, Qt::SmoothTransformation));
}

}  // namespace yurana::qt
