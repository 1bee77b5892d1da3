// Running scenarios on the real windows, the clock driven by hand and the passes run
// one by one.

#include <QLineEdit>
#include <QtTest>
#include <cmath>

#include "model/response.h"
#include "platform/qt/fonts.h"
#include "support/app_fixture.h"

using namespace yurana;

class RunTest : public QObject {
    Q_OBJECT

    static void set(test::AppFixture& f, const char* box, const char* text) {
        f.app->panel().setText(box, text);
    }

    static int inkPixels(const QImage& image) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                QColor c = image.pixelColor(x, y);
                n += (c.red() > 200 && c.green() < 80) ? 1 : 0;  // the red total curve
            }
        }
        return n;
    }

    static double seconds(test::AppFixture& f) {
        return f.app->form0().textLine().section(QStringLiteral("秒"), 0, 0).toDouble();
    }

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void firstFramesOfARunFromTmin() {
        test::AppFixture f;
        set(f, "Texttmin", "2");
        f.app->tick();
        f.click("Command2");
        f.app->tick();
        // The text line shows tmin; the mass is still placed for t = 0.
        QCOMPARE(f.app->form0().textLine().left(6), QStringLiteral("2.00秒2"));
        ModelRecord r = f.app->record();
        StepValues at0;
        evaluateResponse(r, 0, "1000", 0, at0);
        QCOMPARE(f.app->step().xpix, at0.xpix);
        QCOMPARE(f.text("Texttest"), std::string("0"));
        // From the next pass on, the mass follows the time of the pass before.
        f.clock.t += 0.25;
        f.app->tick();
        StepValues at2;
        evaluateResponse(r, 2, "1000", 0, at2);
        QCOMPARE(f.app->step().xpix, at2.xpix);
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("2.25"));
    }

    void timeMagnificationZeroAndNegative() {
        test::AppFixture f;
        set(f, "Texttmin", "3");
        set(f, "Textjikanbairitu", "0");
        f.click("Command2");
        for (int i = 0; i < 5; ++i) {
            f.clock.t += 1;
            f.app->tick();
        }
        QCOMPARE(seconds(f), 3.0);
        f.click("Command2");
        set(f, "Textjikanbairitu", "-2");
        f.click("Command2");
        f.app->tick();
        f.clock.t += 1;
        f.app->tick();
        QCOMPARE(seconds(f), 1.0);
    }

    void theTraceStopsAtTmaxWhileTheAnimationGoesOn() {
        test::AppFixture f;
        set(f, "Texttmax", "2");
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        for (int i = 0; i < 25; ++i) {
            f.clock.t += 0.1;
            f.app->tick();
        }
        const int atEnd = inkPixels(f.app->form3().plotImage());
        QVERIFY(atEnd > 0);
        for (int i = 0; i < 20; ++i) {
            f.clock.t += 0.1;
            f.app->tick();
        }
        QCOMPARE(inkPixels(f.app->form3().plotImage()), atEnd);
        QVERIFY(seconds(f) > 4.0);
        QCOMPARE(f.app->run().joutai, int(kRunning));
    }

    void wallAnimationTickedDuringARun() {
        test::AppFixture f;
        f.click("Command2");
        f.clock.t += 0.7;
        f.app->tick();
        f.clock.t += 0.1;
        f.app->tick();
        QCOMPARE(f.app->step().kabepix, 0.0f);
        QVERIFY(f.app->step().kabeheni != 0.0f);
        f.app->panel().setValue("Check1", 1);
        f.clock.t += 0.1;
        f.app->tick();
        QCOMPARE(f.app->step().kabepix, f.app->step().kabeheni * 1000.0f);
    }

    void aboutWhilePausedResumesTheClockAndHoldsThePicture() {
        test::AppFixture f;
        f.click("Command2");
        f.clock.t += 1;
        f.app->tick();
        f.click("Command6");
        f.click("cmdtest");
        QCOMPARE(f.app->run().joutai, int(kAboutResumed));
        QCOMPARE(f.app->run().ichijiteishi, 0);
        const QString line = f.app->form0().textLine();
        f.clock.t += 5;
        f.app->tick();
        QCOMPARE(f.app->form0().textLine(), line);  // nothing drawn in state 4
        QTest::keyClick(&f.app->about(), Qt::Key_Return);
        QCOMPARE(f.app->run().joutai, int(kStopped));
        f.app->tick();
        QCOMPARE(f.app->form0().textLine(), QStringLiteral("0.00秒1   +0m"));
    }
};

QTEST_MAIN(RunTest)
#include "run_test.moc"
