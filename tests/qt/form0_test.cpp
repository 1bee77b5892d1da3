// The animation window: its picture, the loop's present against the system repaint,
// failures of init and of a repainted frame, and the accessible text line.

#include <QAccessible>
#include <QApplication>
#include <QTemporaryDir>
#include <QtTest>

#include "app/form0.h"
#include "model/calc_error.h"
#include "platform/qt/fonts.h"

using namespace yurana;

namespace {

// A clock that counts its readings: each composed frame reads it exactly once.
class CountingClock : public Clock {
  public:
    double now() const override {
        ++reads;
        return t;
    }
    double t = 0;
    mutable int reads = 0;
};

// Counts the paint events a widget receives.
class PaintCounter : public QObject {
  public:
    bool eventFilter(QObject*, QEvent* event) override {
        paints += event->type() == QEvent::Paint;
        return false;
    }
    int paints = 0;
};

struct World {
    StepValues step;
    RunState run{kStopped};
    ModelRecord record;
    CountingClock clock;
    SceneInputs inputs() { return {step, run, record, clock}; }
};

QRgb canvasPixel(const app::Form0& form, int x, int y) {
    return static_cast<const qt::QtSurface*>(form.scene().canvas())->image().pixel(x, y);
}

// The mass is a blue steel block; the background around it a pale grey.
bool isMass(QRgb p) {
    return qBlue(p) > qRed(p) + 30;
}

}  // namespace

class Form0Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void theWindowAndItsPicture() {
        World w;
        app::Form0 form(w.inputs());
        QCOMPARE(form.objectName(), QStringLiteral("form0"));
        QCOMPARE(form.windowTitle(), QStringLiteral("アニメーション"));
        QCOMPARE(form.picture()->objectName(), QStringLiteral("Picture1"));
        form.resize(480, 360);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        QCOMPARE(form.picture()->geometry(), form.rect());
    }

    void atRestTheCanvasShowsTheSystemAndThePictureShowsTheCanvasScaled() {
        World w;
        app::Form0 form(w.inputs());
        form.init();
        form.blt();
        QCOMPARE(form.textLine(), QStringLiteral("0.00秒1   +0m"));
        // The mass block spans x 280..359 around its name plate; its body y 355..419.
        QVERIFY(isMass(canvasPixel(form, 285, 384)));
        QVERIFY(isMass(canvasPixel(form, 354, 384)));
        QVERIFY(!isMass(canvasPixel(form, 277, 384)));
        QVERIFY(!isMass(canvasPixel(form, 362, 384)));
        QVERIFY(isMass(canvasPixel(form, 290, 357)));
        QVERIFY(isMass(canvasPixel(form, 290, 418)));
        QVERIFY(!isMass(canvasPixel(form, 290, 426)));
        // White text over the dark strip at (19, 432).
        int white = 0;
        for (int y = 432; y < 462; ++y) {
            for (int x = 19; x < 120; ++x) {
                white += qGray(canvasPixel(form, x, y)) > 200;
            }
        }
        QVERIFY(white > 50);

        form.resize(960, 720);
        const QImage shown = form.picture()->grab().toImage();
        QCOMPARE(shown.size(), QSize(960, 720));
        QVERIFY(isMass(shown.pixel(435, 576)));   // (290, 384) × 1.5
        QVERIFY(!isMass(shown.pixel(375, 576)));  // (250, 384) × 1.5
    }

    void initFailsOnAMissingBitmapAndBltThenDrawsNothing() {
        QTemporaryDir empty;
        World w;
        app::Form0 form(w.inputs(), empty.path());
        QVERIFY_THROWS_EXCEPTION(calc_error, form.init());
        form.blt();
        QCOMPARE(w.clock.reads, 0);
        QVERIFY(form.textLine().isEmpty());
        form.resize(64, 48);
        QCOMPARE(form.picture()->grab().toImage().pixel(10, 10), qRgb(0, 0, 0));
    }

    void theLoopsPresentOnlyDrawsTheCanvas() {
        World w;
        w.run.joutai = kRunning;
        app::Form0 form(w.inputs());
        PaintCounter counter;
        form.picture()->installEventFilter(&counter);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.init();
        QTRY_VERIFY(counter.paints > 0);  // the first exposure has been painted

        const int reads = w.clock.reads;
        const int paints = counter.paints;
        form.blt();
        QCOMPARE(w.clock.reads, reads + 1);
        QTRY_VERIFY(counter.paints > paints);
        QCOMPARE(w.clock.reads, reads + 1);  // painting the frame composed nothing more
    }

    void aSystemRepaintRunsBltOnlyWhileRunning_data() {
        QTest::addColumn<int>("joutai");
        QTest::addColumn<bool>("composes");
        QTest::newRow("stopped") << int(kStopped) << false;
        QTest::newRow("running") << int(kRunning) << true;
        QTest::newRow("full screen") << int(kFullScreen) << false;
        QTest::newRow("about") << int(kAboutPaused) << false;
    }

    void aSystemRepaintRunsBltOnlyWhileRunning() {
        QFETCH(int, joutai);
        QFETCH(bool, composes);
        World w;
        app::Form0 form(w.inputs());
        PaintCounter counter;
        form.picture()->installEventFilter(&counter);
        form.resize(320, 240);
        form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&form));
        form.init();
        const int paints = counter.paints;
        form.blt();
        QTRY_VERIFY(counter.paints > paints);  // the loop's frame is on screen

        const int reads = w.clock.reads;
        w.run.joutai = joutai;
        w.run.timer0 = 0;
        w.record.jikanbairitu = 1;
        w.clock.t = 4.5;
        form.picture()->repaint();
        QCOMPARE(w.clock.reads, reads + (composes ? 1 : 0));
        QCOMPARE(form.textLine().startsWith(QStringLiteral("4.50秒2")), composes);
    }

    void aFailingRepaintedFrameIsSkipped() {
        World w;
        app::Form0 form(w.inputs());
        form.resize(320, 240);
        form.init();
        form.blt();
        const QImage before = form.picture()->grab().toImage();
        w.run.joutai = kRunning;
        w.record.jikanbairitu = 1e308;  // the time overflows
        w.clock.t = 10;
        w.run.jikan = 3;
        const QImage after = form.picture()->grab().toImage();
        QCOMPARE(w.run.jikan, 3.0);
        QCOMPARE(form.textLine(), QStringLiteral("0.00秒1   +0m"));
        QCOMPARE(after, before);  // the last frame stays
    }

    void theAccessibleNameIsTheCurrentTextLine() {
        World w;
        app::Form0 form(w.inputs());
        form.init();
        form.blt();
        QAccessibleInterface* picture = QAccessible::queryAccessibleInterface(form.picture());
        QVERIFY(picture != nullptr);
        QCOMPARE(picture->role(), QAccessible::Animation);
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("0.00秒1   +0m"));
        w.step.xpix = -3.5;
        form.blt();
        QCOMPARE(picture->text(QAccessible::Name), QStringLiteral("0.00秒1   -3.5m"));
    }
};

QTEST_MAIN(Form0Test)
#include "form0_test.moc"
