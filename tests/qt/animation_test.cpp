// The QImage surfaces, the program's bitmaps, form0's paint rule, what the windows repaint,
// and full screen (Form2).

#include <QApplication>
#include <QPainter>
#include <QPointer>
#include <QtTest>
#include <algorithm>

#include "platform/qt/fonts.h"
#include "platform/qt/qt_surface.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"
#include "support/sized_surfaces.h"

using namespace yurana;
using qt::QtSurface;

namespace {

const QRgb kRed = qRgb(255, 0, 0), kGreen = qRgb(0, 255, 0), kBlack = qRgb(0, 0, 0);

QImage filled(int w, int h, QRgb colour) {
    QImage image(w, h, QImage::Format_RGB32);
    image.fill(colour);
    return image;
}

// The black pixels of a bitmap, and those not reachable from its border through black:
// black inside the drawing, which a keyed copy would wrongly punch out.
std::pair<int, int> blackAndEnclosed(const char* name) {
    QImage image(
        QImage(test::ProgramFolder::programFile(name)).convertToFormat(QImage::Format_RGB32));
    const int w = image.width(), h = image.height(), black = test::countColour(image, Qt::black);
    std::vector<QPoint> open;
    for (int i = 0; i < std::max(w, h); ++i) {
        open.insert(open.end(), {{i, 0}, {i, h - 1}, {0, i}, {w - 1, i}});
    }
    while (!open.empty()) {
        const QPoint at = open.back();
        open.pop_back();
        if (image.valid(at) && image.pixel(at) == kBlack) {
            image.setPixel(at, kRed);  // reached
            open.insert(open.end(), {at + QPoint(1, 0), at - QPoint(1, 0), at + QPoint(0, 1),
                                     at - QPoint(0, 1)});
        }
    }
    return {black, test::countColour(image, Qt::black)};
}

// Plain-coloured sprites on a 640 × 480 background, so that below the mass (rows 424
// on) the canvas holds only the background and the text line.
class PlainSprites : public SurfaceFactory, public FramePresenter {
  public:
    static constexpr QRgb kBackground = qRgb(0, 40, 90);
    std::unique_ptr<Surface> load(const std::string& path) override {
        const bool back = path.ends_with("back1.bmp");
        return std::make_unique<QtSurface>(
            filled(back ? 640 : 64, back ? 480 : 200, back ? kBackground : kGreen));
    }
    std::unique_ptr<Surface> load(const std::string& p, int, int) override { return load(p); }
    void present(const Surface&, const Rect&) override {}
    void canvasReleased() override {}
};

// The whole program, its full-screen surfaces counted.
struct CountedSurfaces {
    test::SizedSurfaces surfaces;
};
struct Program : CountedSurfaces, test::AppFixture {
    Program()
        : AppFixture(QCoreApplication::applicationDirPath(), app::Form2Options{{}, &surfaces, {}}) {
        app->tick();
    }
    // FullScreen, then the loop's hand-over pass: only the view is up, with its surfaces.
    void enter() {
        click(ctl::Command4);
        QVERIFY(app->form2() != nullptr && app->form2()->isVisible());
        app->tick();
        QCOMPARE(std::pair(app->session().form0Loaded(), surfaces.live), std::pair(false, 7));
    }
};

// The widgets painted (by object name, or class name without one), once per paint event.
struct PaintCounter : QObject {
    QStringList painted;
    bool eventFilter(QObject* o, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            painted << (o->objectName().isEmpty() ? o->metaObject()->className() : o->objectName());
        }
        return false;
    }
};

// The widgets painted during `passes` passes, after what was pending has been painted.
QStringList paintsDuring(test::AppFixture& f, int passes) {
    PaintCounter counter;
    for (int i = -3; i < passes; ++i) {
        if (i == 0) {
            qApp->installEventFilter(&counter);
        }
        f.run(1, 1.0 / 60);
        QApplication::processEvents();
    }
    qApp->removeEventFilter(&counter);
    return counter.painted;
}

}  // namespace

class AnimationTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // The colour key makes black (not near black) transparent for keyed copies only; a
    // refused copy changes nothing.
    void theColourKeyAndRefusedCopies() {
        QImage ring = filled(20, 20, kGreen);
        ring.setPixel(10, 10, kBlack);
        ring.setPixel(0, 0, qRgb(1, 0, 0));
        QtSurface sprite(ring);
        sprite.setBlackColorKey();
        QtSurface canvas(filled(20, 20, kRed));
        canvas.copy({0, 0, 20, 20}, sprite, {0, 0, 20, 20}, CopyKind::Keyed);
        const QImage keyed = canvas.image().copy();
        canvas.copy({0, 0, 20, 20}, sprite, {0, 0, 20, 20}, CopyKind::Opaque);
        QCOMPARE((QList<QRgb>{keyed.pixel(10, 10), keyed.pixel(2, 10), keyed.pixel(0, 0),
                              canvas.image().pixel(10, 10)}),
                 (QList<QRgb>{kRed, kGreen, qRgb(1, 0, 0), kBlack}));
        // A target, then a source, reaching outside (which rectangles fit: scene_test).
        const std::pair<Rect, Rect> rows[] = {{{90, 0, 101, 10}, {0, 0, 20, 20}},
                                              {{0, 0, 10, 10}, {0, 0, 20, 21}}};
        for (std::size_t i = 0; i < std::size(rows); ++i) {
            QtSurface big(filled(100, 100, kRed)), small(filled(20, 20, kGreen));
            const QImage before = big.image().copy();
            big.copy(rows[i].first, small, rows[i].second, CopyKind::Opaque);
            big.copy(rows[i].first, small, rows[i].second, CopyKind::Keyed);
            QVERIFY2(big.image() == before, qPrintable(QString::number(i)));
        }
    }

    // The text line on the real surface: white, "ＭＳ ゴシック" 20 pt bold (IPAGothic through
    // the program's substitution) at 96 dpi, its top-left corner at (19, 432).
    void theTextLineIsWhiteGothic20ptBoldAt19And432() {
        qt::installFontSubstitutions();
        PlainSprites sprites;
        StepValues step;
        RunState run{kStopped};
        ModelRecord record;
        test::ManualClock clock;
        Scene scene(sprites, "/y", SceneInputs{step, run, record, clock}, sprites);
        scene.init();
        scene.blt();
        QCOMPARE(scene.textLine(), std::string("0.00秒1   +0m"));
        QImage want(640, 480, QImage::Format_ARGB32_Premultiplied);
        want.fill(PlainSprites::kBackground);
        want.setDotsPerMeterX(3780);  // 96 dpi: 20 pt is 26.7 px
        want.setDotsPerMeterY(3780);
        QPainter painter(&want);
        painter.setFont(QFont("IPAGothic", 20, QFont::Bold));
        painter.setPen(Qt::white);
        painter.drawText(QRect(19, 432, 621, 48), Qt::AlignTop, QStringLiteral("0.00秒1   +0m"));
        painter.end();
        const QImage& got = static_cast<const QtSurface*>(scene.canvas())->image();
        QCOMPARE(got.copy(0, 425, 640, 55), want.copy(0, 425, 640, 55));
    }

    void theProgramsBitmapsAreBlackOnlyWhereTransparent() {
        for (const char* name : {"m3.bmp", "k.bmp"}) {  // keyed, with transparent parts
            const auto [black, enclosed] = blackAndEnclosed(name);
            QVERIFY2(black > 0 && enclosed == 0, name);
        }
        for (const char* name : {"back1.bmp", "kabe.bmp", "bou.bmp", "kabeoku.bmp"}) {
            QVERIFY2(blackAndEnclosed(name).first == 0, name);
        }
        auto stretched = qt::QtSurfaceFactory().load(
            test::ProgramFolder::programFile("m3.bmp").toStdString(), 64, 32);
        QCOMPARE(QSize(stretched->width(), stretched->height()), QSize(64, 32));
    }

    // The loop's frames reach the screen as changed tiles only; the screen still shows what
    // one full scaled copy of the frame would, whether the wall moves or not.
    void framesCopiedInPartsLookLikeWholeFrames() {
        for (int wall : {0, 1}) {
            test::AppFixture f;
            f.app->panel().setValue(ctl::Check1, wall);
            f.app->panel().setText(ctl::Texthenibairitu, "4000");
            f.click(ctl::Command2);
            app::ScenePicture* picture = f.app->form0().picture();
            for (int i = 0; i < 40; ++i) {
                f.run(1, 0.037);
                QApplication::processEvents();
            }
            const QWindow* window = picture->window()->windowHandle();
            const QRect area(picture->mapTo(picture->window(), QPoint(0, 0)), picture->size());
            const QImage shown =
                window->screen()
                    ->grabWindow(window->winId(), area.x(), area.y(), area.width(), area.height())
                    .toImage()
                    .convertToFormat(QImage::Format_RGB32);
            const auto& canvas = static_cast<const QtSurface*>(f.app->session().scene().canvas());
            QImage whole(picture->size(), QImage::Format_RGB32);
            QPainter painter(&whole);
            painter.setRenderHint(QPainter::SmoothPixmapTransform);
            painter.drawImage(whole.rect(), canvas->image(), QRect(0, 0, 640, 480));
            painter.end();
            QCOMPARE(shown.size(), whole.size());
            // A part is smoothed from its own corner: a channel may round one step apart.
            int worst = 0;
            for (qsizetype i = 0; i < shown.sizeInBytes(); ++i) {
                worst = std::max(worst, std::abs(shown.constBits()[i] - whole.constBits()[i]));
            }
            QVERIFY2(worst <= 1, qPrintable(QString("wall %1").arg(wall)));
            // The canvas itself, composed only where frames changed, is the whole frame.
            const QImage composedInParts = canvas->image().copy();
            picture->repaint();  // a system repaint composes the whole frame
            QVERIFY2(canvas->image() == composedInParts, qPrintable(QString("wall %1").arg(wall)));
        }
    }

    // Smoothing spreads a changed canvas pixel over its neighbours on screen: every screen
    // pixel that a change alters lies in the area repainted for it, enlarged or reduced.
    void theRepaintedAreaHoldsEveryPixelTheSmoothingAlters() {
        const QRect src(0, 0, 640, 480);
        for (const QRect& target :
             {QRect(0, 0, 960, 720), QRect(13, 7, 500, 379), QRect(5, 3, 317, 241)}) {
            for (const Rect& c : {Rect{100, 200, 101, 201}, Rect{633, 0, 640, 3}}) {
                QImage canvas = filled(640, 480, kGreen);
                auto onScreen = [&] {
                    QImage screen(target.bottomRight().x() + 2, target.bottomRight().y() + 2,
                                  QImage::Format_RGB32);
                    screen.fill(kBlack);
                    QPainter painter(&screen);
                    painter.setRenderHint(QPainter::SmoothPixmapTransform);
                    painter.drawImage(target, canvas, src);
                    return screen;
                };
                const QImage before = onScreen();
                QPainter(&canvas).fillRect(c.Left, c.Top, c.Right - c.Left, c.Bottom - c.Top, kRed);
                const QImage after = onScreen();
                const QRegion area = app::ScenePicture::onScreen({&c, 1}, src, target);
                int altered = 0;
                for (int y = 0; y < after.height(); ++y) {
                    for (int x = 0; x < after.width(); ++x) {
                        if (after.pixel(x, y) != before.pixel(x, y)) {
                            ++altered;
                            QVERIFY2(area.contains(QPoint(x, y)),
                                     qPrintable(QString("%1,%2").arg(x).arg(y)));
                        }
                    }
                }
                QVERIFY(altered > 0);
            }
        }
    }

    // Full screen's time is magnified but has no tmin (from stopped it starts at tmin: that is
    // run_controls_test's); the animation window's goes on from tmin. Leaving unloads the view
    // at once (a click during its unload does nothing) and deletes it once the event loop is
    // back; a view still waiting for its deletion goes with the program.
    void enteredWhileRunningTheTimeGoesOnAndEachViewIsReleasedOnce() {
        auto p = std::make_unique<Program>();
        p->app->panel().setText(ctl::Texttmin, "2");
        p->app->panel().setText(ctl::Textjikanbairitu, "3");
        p->click(ctl::Command2);  // timer0 = 100
        QList<QPointer<app::Form2>> views;
        for (int i = 0; i < 20; ++i) {
            p->enter();
            views << p->app->form2();
            p->clock.t += 0.25;
            p->app->tick();
            QVERIFY(i > 0 || views[0]->textLine().startsWith(QStringLiteral("0.75 秒3")));
            QTest::mouseClick(views[i], Qt::LeftButton, {}, QPoint(i * 13, i * 7));
            QVERIFY(views[i]->isHidden());                // unloaded at once, deleted later
            QTest::mouseClick(views[i], Qt::LeftButton);  // during its unload
            QVERIFY(p->app->session().run().joutai == kRunning && p->text(ctl::Command2) == "停止");
            QVERIFY(p->app->form2() == nullptr && p->surfaces.live == 0);
            QVERIFY(p->app->session().form0Loaded() && p->app->form0Window()->isVisible());
            p->app->tick();
            QVERIFY(p->app->form0().textLine().contains(QStringLiteral("秒2")));
        }
        QCOMPARE(p->app->form0().textLine().left(7), QStringLiteral("17.00秒2"));
        QTRY_VERIFY(std::ranges::all_of(views, [](const auto& v) { return v.isNull(); }));
        p->enter();
        views << p->app->form2();
        QTest::mouseClick(views.back(), Qt::LeftButton);
        QVERIFY(p->box.texts.empty());
        p.reset();
        QVERIFY(views.back().isNull());
    }

    // At rest nothing is painted (paused: with every curve drawn, from tmin ≠ 0); running,
    // only the picture and the plots.
    void atRestNothingRunningOnlyThePictureAndThePlotsAreRepainted() {
        test::AppFixture f;
        QCOMPARE(paintsDuring(f, 100), QStringList());
        f.app->panel().setText(ctl::Texttmin, "1.5");
        for (const char* box :
             {ctl::Checkheni, ctl::Checkxc, ctl::Checkxp, ctl::Checkxcxp, ctl::Checkkabeheni}) {
            f.app->panel().setValue(box, 1);
        }
        f.click(ctl::Command2);
        const QStringList painted = paintsDuring(f, 30);
        QVERIFY(painted.count("Picture1") >= 10);
        for (const QString& name : painted) {
            QVERIFY2(name == "Picture1" || name == ctl::Form3 || name.contains("Plot"),
                     qPrintable(painted.join(' ')));
        }
        f.click(ctl::Command6);
        QCOMPARE(paintsDuring(f, 100), QStringList());
    }
};
QTEST_MAIN(AnimationTest)
#include "animation_test.moc"
#include "panel/control_names.h"
