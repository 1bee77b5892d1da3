#include "platform/qt/qt_surface.h"
#include "platform/qt/text.h"

#include <QFile>
#include <QImageReader>
#include <QPainter>
#include <QtEndian>
#include <cstdlib>

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

// Whether an uncompressed bitmap holds every row its header announces: Qt reads one cut
// short in its pixels as a whole picture, the missing rows left undefined. Compressed
// and unusual headers are left to the reader.
bool pixelsComplete(QFile& file) {
    const QByteArray head = file.peek(34);
    if (head.size() < 34) {
        return true;  // too short for a header: the reader refuses it
    }
    const auto* h = reinterpret_cast<const uchar*>(head.constData());
    const qint64 offset = qFromLittleEndian<quint32>(h + 10);
    const quint32 infoSize = qFromLittleEndian<quint32>(h + 14);
    const qint64 width = qFromLittleEndian<qint32>(h + 18);
    const qint64 height = qFromLittleEndian<qint32>(h + 22);
    const qint64 bitsPerPixel = qFromLittleEndian<quint16>(h + 28);
    const quint32 compression = qFromLittleEndian<quint32>(h + 30);
    const bool uncompressed = compression == 0 || compression == 3;  // BI_RGB, BI_BITFIELDS
    const qint64 kHuge = qint64(1) << 24;  // beyond any picture the reader would take
    if (infoSize < 40 || !uncompressed || bitsPerPixel > 64 || std::abs(width) > kHuge ||
        std::abs(height) > kHuge) {
        return true;
    }
    const qint64 rowBytes = (std::abs(width) * bitsPerPixel + 31) / 32 * 4;
    return file.size() >= offset + rowBytes * std::abs(height);
}

QImage readBitmap(const std::string& path) {
    QFile file(QString::fromStdString(path));
    QImageReader reader(&file, "bmp");
    reader.setDecideFormatFromContent(false);
    QImage image;
    if (file.open(QIODevice::ReadOnly) && pixelsComplete(file)) {
        image = reader.read();
    }
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
    if (!clip_.isEmpty()) {
        painter.setClipRegion(clip_);
    }
    painter.setCompositionMode(kind == CopyKind::Keyed ? QPainter::CompositionMode_SourceOver
                                                       : QPainter::CompositionMode_Source);
    painter.setRenderHint(QPainter::SmoothPixmapTransform);
    painter.drawImage(toQRect(dest), picture, toQRect(srcRect));
}

void QtSurface::drawText(int x, int y, std::string_view text, const TextFont& font, Rgb colour) {
    QPainter painter(&image_);
    if (!clip_.isEmpty()) {
        painter.setClipRegion(clip_);
    }
    painter.setFont(programFont(font.family.c_str(), font.points, font.bold));
    painter.setPen(QColor(colour.r, colour.g, colour.b));
    painter.setRenderHint(QPainter::TextAntialiasing);
    const QString line = toQ(text);
    painter.drawText(QPoint(x, y + painter.fontMetrics().ascent()), line);
}

void QtSurface::setClip(std::span<const Rect> rects) {
    clip_ = QRegion();
    for (const Rect& r : rects) {
        clip_ += toQRect(r);
    }
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
