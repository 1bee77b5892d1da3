// The QImage surfaces: bitmap loading, the black colour key, stretched and refused
// copies, text; and the program's own bitmaps.

#include <QCoreApplication>
#include <QFontMetrics>
#include <QTemporaryDir>
#include <QtTest>
#include <queue>

#include "model/calc_error.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_surface.h"

using namespace yurana;
using yurana::qt::QtSurface;

Q_DECLARE_METATYPE(yurana::Rect)

namespace {

const QRgb kRed = qRgb(255, 0, 0);
const QRgb kGreen = qRgb(0, 255, 0);
const QRgb kBlue = qRgb(0, 0, 255);
const QRgb kGrey = qRgb(128, 128, 128);
const QRgb kBlack = qRgb(0, 0, 0);

QImage filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// 20 × 20 in four 10 × 10 quadrants: red, green / blue, grey.
QImage quadrants() {
    QImage image = filled(20, 20, kRed);
    for (int y = 0; y < 20; ++y) {
        for (int x = 0; x < 20; ++x) {
            image.setPixel(x, y, y < 10 ? (x < 10 ? kRed : kGreen) : (x < 10 ? kBlue : kGrey));
        }
    }
    return image;
}

QRgb at(const QtSurface& s, int x, int y) {
    return s.image().pixel(x, y);
}

QString programFile(const char* name) {
    return QCoreApplication::applicationDirPath() + "/" + name;
}

QImage programBitmap(const char* name) {
    QImage image(programFile(name), "BMP");
    return image.convertToFormat(QImage::Format_RGB32);
}

// Pure black pixels not reachable from the border through pure black: black inside the
// drawing, which a keyed copy would wrongly punch out.
int enclosedBlack(const QImage& image) {
    const int w = image.width(), h = image.height();
    std::vector<bool> seen(std::size_t(w) * h);
    std::queue<QPoint> open;
    auto visit = [&](int x, int y) {
        if (x >= 0 && y >= 0 && x < w && y < h && !seen[std::size_t(y) * w + x] &&
            image.pixel(x, y) == kBlack) {
            seen[std::size_t(y) * w + x] = true;
            open.push({x, y});
        }
    };
    for (int x = 0; x < w; ++x) {
        visit(x, 0);
        visit(x, h - 1);
    }
    for (int y = 0; y < h; ++y) {
        visit(0, y);
        visit(w - 1, y);
    }
    while (!open.empty()) {
        QPoint p = open.front();
        open.pop();
        visit(p.x() + 1, p.y());
        visit(p.x() - 1, p.y());
        visit(p.x(), p.y() + 1);
        visit(p.x(), p.y() - 1);
    }
    int enclosed = 0;
    for (int y = 0; y < h; ++y) {
        for (int x = 0; x < w; ++x) {
            enclosed += image.pixel(x, y) == kBlack && !seen[std::size_t(y) * w + x];
        }
    }
    return enclosed;
}

int countBlack(const QImage& image) {
    int n = 0;
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            n += image.pixel(x, y) == kBlack;
        }
    }
    return n;
}

}  // namespace

class QtSurfaceTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void loadsABitmapAtItsOwnOrAGivenSize() {
        QTemporaryDir dir;
        const QString path = dir.filePath("q.bmp");
        QVERIFY(quadrants().save(path, "BMP"));
        qt::QtSurfaceFactory factory;
        auto own = factory.load(path.toStdString());
        QCOMPARE(own->width(), 20);
        QCOMPARE(own->height(), 20);
        QCOMPARE(at(static_cast<QtSurface&>(*own), 15, 15), kGrey);
        auto scaled = factory.load(path.toStdString(), 64, 32);
        QCOMPARE(scaled->width(), 64);
        QCOMPARE(scaled->height(), 32);
        QCOMPARE(at(static_cast<QtSurface&>(*scaled), 8, 4), kRed);
        QCOMPARE(at(static_cast<QtSurface&>(*scaled), 56, 28), kGrey);
    }

    void aMissingOrForeignFileFails() {
        QTemporaryDir dir;
        const QString png = dir.filePath("png.bmp");
        QVERIFY(quadrants().save(png, "PNG"));
        QFile text(dir.filePath("text.bmp"));
        QVERIFY(text.open(QIODevice::WriteOnly));
        text.write("BM not really a bitmap");
        text.close();
        qt::QtSurfaceFactory factory;
        for (const QString& path : {dir.filePath("missing.bmp"), png, text.fileName()}) {
            QVERIFY_THROWS_EXCEPTION(calc_error, factory.load(path.toStdString()));
            QVERIFY_THROWS_EXCEPTION(calc_error, factory.load(path.toStdString(), 4, 4));
        }
    }

    void aCopyStretchesTheSourceRectangle() {
        QtSurface canvas(filled(100, 100, kBlack));
        QtSurface source(quadrants());
        canvas.copy({10, 10, 50, 50}, source, {0, 0, 20, 20}, CopyKind::Opaque);
        QCOMPARE(at(canvas, 15, 15), kRed);
        QCOMPARE(at(canvas, 45, 15), kGreen);
        QCOMPARE(at(canvas, 15, 45), kBlue);
        QCOMPARE(at(canvas, 45, 45), kGrey);
        QCOMPARE(at(canvas, 9, 9), kBlack);
        QCOMPARE(at(canvas, 50, 50), kBlack);
        // One quadrant stretched over a wide, flat strip.
        canvas.copy({0, 80, 100, 90}, source, {10, 10, 20, 20}, CopyKind::Opaque);
        QCOMPARE(at(canvas, 2, 81), kGrey);
        QCOMPARE(at(canvas, 97, 88), kGrey);
        QCOMPARE(at(canvas, 50, 79), kBlack);
    }

    void theColourKeyMakesBlackTransparentForKeyedCopiesOnly() {
        QImage ring = filled(20, 20, kGreen);
        for (int y = 5; y < 15; ++y) {
            for (int x = 5; x < 15; ++x) {
                ring.setPixel(x, y, kBlack);
            }
        }
        ring.setPixel(0, 0, qRgb(1, 0, 0));  // near black is not the key
        QtSurface sprite(ring);
        sprite.setBlackColorKey();
        QtSurface canvas(filled(20, 20, kRed));
        canvas.copy({0, 0, 20, 20}, sprite, {0, 0, 20, 20}, CopyKind::Keyed);
        QCOMPARE(at(canvas, 10, 10), kRed);
        QCOMPARE(at(canvas, 2, 10), kGreen);
        QCOMPARE(at(canvas, 0, 0), qRgb(1, 0, 0));
        canvas.copy({0, 0, 20, 20}, sprite, {0, 0, 20, 20}, CopyKind::Opaque);
        QCOMPARE(at(canvas, 10, 10), kBlack);
        QCOMPARE(at(canvas, 2, 10), kGreen);
        QCOMPARE(canvas.image().pixel(10, 10) >> 24, 0xFFu);  // the canvas stays opaque
    }

    void refusedCopiesLeaveTheDestinationUnchanged_data() {
        QTest::addColumn<Rect>("dest");
        QTest::addColumn<Rect>("src");
        QTest::newRow("empty dest") << Rect{10, 10, 10, 30} << Rect{0, 0, 20, 20};
        QTest::newRow("inverted dest") << Rect{10, 30, 30, 10} << Rect{0, 0, 20, 20};
        QTest::newRow("dest above the top") << Rect{0, -1, 20, 19} << Rect{0, 0, 20, 20};
        QTest::newRow("dest past the right") << Rect{90, 0, 101, 10} << Rect{0, 0, 20, 20};
        QTest::newRow("dest past the bottom") << Rect{0, 90, 10, 101} << Rect{0, 0, 20, 20};
        QTest::newRow("dest left of 0") << Rect{-5, 0, 10, 10} << Rect{0, 0, 20, 20};
        QTest::newRow("empty src") << Rect{0, 0, 10, 10} << Rect{0, 5, 20, 5};
        QTest::newRow("inverted src") << Rect{0, 0, 10, 10} << Rect{0, 20, 20, 0};
        QTest::newRow("src outside") << Rect{0, 0, 10, 10} << Rect{0, 0, 20, 21};
        QTest::newRow("src negative") << Rect{0, 0, 10, 10} << Rect{0, -1, 20, 20};
    }

    void refusedCopiesLeaveTheDestinationUnchanged() {
        QFETCH(Rect, dest);
        QFETCH(Rect, src);
        QtSurface canvas(quadrants().scaled(100, 100));
        const QImage before = canvas.image().copy();
        QtSurface source(filled(20, 20, kGreen));
        canvas.copy(dest, source, src, CopyKind::Opaque);
        canvas.copy(dest, source, src, CopyKind::Keyed);
        QCOMPARE(canvas.image(), before);
    }

    void textHangsFromItsTopLeftCornerInTheGivenFont() {
        QtSurface canvas(filled(300, 100, kBlack));
        canvas.drawText(10, 20, "秒", TextFont{qt::kGothic, 20, true}, Colour{255, 255, 255});
        QRect ink;
        for (int y = 0; y < 100; ++y) {
            for (int x = 0; x < 300; ++x) {
                if (qGray(at(canvas, x, y)) > 128) {
                    ink |= QRect(x, y, 1, 1);
                }
            }
        }
        QVERIFY(!ink.isEmpty());  // the Japanese glyph is drawn, not left out
        QVERIFY2(ink.top() >= 20 && ink.left() >= 10, qPrintable(QString::number(ink.top())));
        // 20 pt at 96 dpi is an em of 26.7 px: the glyph is nearly that tall and wide.
        QVERIFY2(ink.height() >= 22 && ink.height() <= 28,
                 qPrintable(QString::number(ink.height())));
        QVERIFY2(ink.width() >= 22 && ink.width() <= 28, qPrintable(QString::number(ink.width())));
    }

    void theProgramsBitmapsHaveTheirSizes() {
        QCOMPARE(programBitmap("back1.bmp").size(), QSize(640, 480));
        for (const char* name : {"m3.bmp", "kabe.bmp", "bou.bmp", "k.bmp", "kabeoku.bmp"}) {
            QVERIFY2(!programBitmap(name).isNull(), name);
        }
        qt::QtSurfaceFactory factory;
        QCOMPARE(factory.load(programFile("m3.bmp").toStdString())->width(), 200);
    }

    void blackOnlyWhereASpriteIsTransparent() {
        // The keyed sprites with transparent parts: black only around the drawing.
        for (const char* name : {"m3.bmp", "k.bmp"}) {
            const QImage image = programBitmap(name);
            QVERIFY2(countBlack(image) > 0, name);
            QCOMPARE(enclosedBlack(image), 0);
        }
        const QImage mass = programBitmap("m3.bmp");
        QCOMPARE(mass.pixel(0, 0), kBlack);  // a rounded corner
        QVERIFY(mass.pixel(100, 100) != kBlack);
        // Drawn whole: no black at all.
        for (const char* name : {"back1.bmp", "kabe.bmp", "bou.bmp", "kabeoku.bmp"}) {
            QCOMPARE(countBlack(programBitmap(name)), 0);
        }
    }

    void theSpringBitmapIsOnePeriodThatTilesSeamlessly() {
        const QImage k = programBitmap("k.bmp");
        // Stacked copies join: the wire crosses the first and the last row at nearly
        // the same columns.
        int mismatched = 0, wire = 0;
        for (int x = 0; x < k.width(); ++x) {
            const bool top = k.pixel(x, 0) != kBlack;
            const bool bottom = k.pixel(x, k.height() - 1) != kBlack;
            wire += top;
            mismatched += top != bottom;
        }
        QVERIFY(wire > 0);
        QVERIFY2(mismatched <= 4, qPrintable(QString::number(mismatched)));
        // A quarter period down, the front stroke crosses the axis where the rods hang.
        const int quarter = qRound(0.25 * k.height());
        QVERIFY(k.pixel(k.width() / 2, quarter) != kBlack);
    }
};

QTEST_MAIN(QtSurfaceTest)
#include "qt_surface_test.moc"
