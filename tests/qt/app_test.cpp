// The whole program as the user drives it: start-up, the main loop's passes, the run
// controls, the failure recovery, the about command and the frame's resize request.

#include <QAbstractButton>
#include <QLineEdit>
#include <QMdiSubWindow>
#include <QtTest>

#include "platform/qt/fonts.h"
#include "support/app_fixture.h"

using namespace yurana;

class AppTest : public QObject {
    Q_OBJECT

    using Fixture = test::AppFixture;

    static int countColour(const QImage& image, QColor colour) {
        int n = 0;
        for (int y = 0; y < image.height(); ++y) {
            for (int x = 0; x < image.width(); ++x) {
                n += image.pixelColor(x, y) == colour ? 1 : 0;
            }
        }
        return n;
    }

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void startUpArrangesAndShowsTheWindowsStopped() {
        Fixture f;
        QCOMPARE(f.app->run().joutai, int(kStopped));
        QVERIFY(f.app->form0Window()->isVisible());
        QVERIFY(f.app->form1Window()->isVisible());
        QVERIFY(f.app->form3Window()->isVisible());
        QVERIFY(!f.app->form1().control("Command3")->isVisibleTo(&f.app->form1()));
        QCOMPARE(f.app->form1Window()->windowTitle(), QStringLiteral("初期設定"));
        // Tiled: form0 top left, the panel beside it as high, the graph below both.
        QRect a = f.app->form0Window()->geometry();
        QRect p = f.app->form1Window()->geometry();
        QRect g = f.app->form3Window()->geometry();
        QCOMPARE(a.topLeft(), QPoint(0, 0));
        QCOMPARE(p.left(), a.right() + 1);
        QCOMPARE(p.height(), a.height());
        QCOMPARE(g.top(), a.bottom() + 1);
        QCOMPARE(g.left(), 0);
        QVERIFY(f.box.texts.empty());

        f.app->tick();  // the rest picture
        QCOMPARE(f.app->form0().textLine(), QStringLiteral("0.00秒1   +0m"));
        QCOMPARE(f.text("Texttest"), std::string("0"));
    }

    void startRunsTheAnimationAndTracesTheGraph() {
        Fixture f;
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        QCOMPARE(f.text("Command2"), std::string("停止"));
        QCOMPARE(f.app->run().joutai, int(kRunning));
        QVERIFY(f.app->form1().control("Command3")->isVisibleTo(&f.app->form1()));
        for (int i = 0; i < 40; ++i) {
            f.clock.t += 0.05;
            f.app->tick();
        }
        QCOMPARE(f.app->form0().textLine().left(8), QStringLiteral("2.00秒2  "));
        QVERIFY(countColour(f.app->form3().plotImage(), QColor(255, 0, 0)) > 20);

        // Pause: the time stands and Texttest shows the flag.
        f.click("Command6");
        f.clock.t += 10;
        f.app->tick();
        f.app->tick();
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("2.00"));
        QCOMPARE(f.text("Texttest"), std::string("1"));
        f.click("Command6");
        f.clock.t += 0.5;
        f.app->tick();
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("2.50"));

        // Stop: back at rest, the graph background redrawn.
        f.click("Command2");
        QCOMPARE(f.text("Command2"), std::string("開始"));
        f.app->tick();
        QCOMPARE(f.app->form0().textLine(), QStringLiteral("0.00秒1   +0m"));
        QCOMPARE(countColour(f.app->form3().plotImage(), QColor(255, 0, 0)), 0);
    }

    void clearKeepsTheRunAndErasesTheTrace() {
        Fixture f;
        f.app->panel().setValue("Checkxp", 1);
        f.click("Command2");
        for (int i = 0; i < 30; ++i) {
            f.clock.t += 0.1;
            f.app->tick();
        }
        QVERIFY(countColour(f.app->form3().plotImage(), QColor(0, 0, 255)) > 0);
        f.click("Command5");
        QCOMPARE(countColour(f.app->form3().plotImage(), QColor(0, 0, 255)), 0);
        QCOMPARE(f.app->run().joutai, int(kRunning));
    }

    void aFailingPassIsReportedAndStops() {
        Fixture f;
        f.type("Texttmin", "2");
        f.click("Command2");
        f.app->tick();
        f.type("Texthenibairitu", "abc");
        f.app->tick();
        QCOMPARE(f.box.texts.size(), size_t(1));
        QCOMPARE(f.box.texts[0],
                 std::string("正しい数値を半角英数字で入力し再度実行してください。"));
        QCOMPARE(f.app->run().joutai, int(kStopped));
        QCOMPARE(f.app->record().tmin, 0.0f);
        QCOMPARE(f.text("Texthenibairitu"), std::string("abc"));
        // The same entries fail the same way on the next start.
        f.click("Command2");
        f.app->tick();
        QCOMPARE(f.box.texts.size(), size_t(2));
        QCOMPARE(f.app->run().joutai, int(kStopped));
    }

    void equalStartAndEndTimesFailTheFirstRunningPass() {
        Fixture f;
        f.type("Texttmax", "0");
        f.click("Command2");
        f.app->tick();
        QCOMPARE(f.box.texts.size(), size_t(1));
        QCOMPARE(f.app->run().joutai, int(kStopped));
    }

    void aboutDisablesTheRunControlsAndOkRestoresThem() {
        Fixture f;
        f.click("Command2");
        f.click("cmdtest");
        QCOMPARE(f.app->run().joutai, int(kAboutPaused));
        QVERIFY(f.app->about().isVisible());
        for (const char* b : RunControls::kRunButtons) {
            QVERIFY2(!f.app->form1().control(b)->isEnabled(), b);
        }
        QTest::keyClick(&f.app->about(), Qt::Key_Escape);
        QVERIFY(!f.app->about().isVisible());
        QCOMPARE(f.app->run().joutai, int(kStopped));
        QCOMPARE(f.text("Command2"), std::string("開始"));
        for (const char* b : RunControls::kRunButtons) {
            QVERIFY2(f.app->form1().control(b)->isEnabled(), b);
        }
    }

    void frameResizeRequestsALayoutPass() {
        Fixture f;
        f.app->frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.app->frame()));
        f.app->tick();
        f.app->frame().resize(1400, 900);
        QCoreApplication::processEvents();
        QCOMPARE(f.app->flags().saihaichi, -1);
        f.app->tick();
        QCOMPARE(f.app->flags().saihaichi, 0);
        QRect a = f.app->form0Window()->geometry();
        QRect g = f.app->form3Window()->geometry();
        // The graph spans the frame's width, borders included, as the layout counts it.
        QCOMPARE(g.width(),
                 f.app->frame().mdi()->contentsRect().width() + app::FrameGeometry::kBorderPx);
        QCOMPARE(g.top(), a.bottom() + 1);
    }

    void quitEndsTheProgram() {
        Fixture f;
        f.click("Command1");
        QVERIFY(f.app->ended());
        f.app->tick();  // no pass after the end
    }

    void garbageEverywhereNeverCrashes() {
        Fixture f;
        const char* boxes[] = {
            "Textk",           "Textm",      "Textc",      "Textz",     "Textwn",
            "Textt0",          "Textxshoki", "Textvshoki", "Texttmin",  "Texttmax",
            "Texthenibairitu", "Textw",      "Textf",      "Textkabem", "Textjikanbairitu",
            "Textgraphbairitu"};
        const char* garbage[] = {"", "-", "1e999", "ｱ", "0", "-1e30", "1e-40", "9e37"};
        const char* buttons[] = {"Command_keisan", "Command2", "Command6",
                                 "Command3",       "Command5", "Command2"};
        for (const char* b : boxes) {
            for (const char* g : garbage) {
                f.app->panel().setText(b, g);
                for (const char* button : buttons) {
                    f.click(button);
                    f.clock.t += 0.7;
                    f.app->tick();
                }
            }
            f.type(b, "1");
        }
        for (const std::string& t : f.box.texts) {
            QVERIFY(t == "正しい数値を半角英数字で入力し再度実行してください。" ||
                    t == "正しい値を半角数字で入力してください。");
        }
    }
};

QTEST_MAIN(AppTest)
#include "app_test.moc"
