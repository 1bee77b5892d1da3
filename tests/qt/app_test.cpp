// The whole program as the user drives it, the clock driven by hand and the main
// loop's passes run one by one.

#include <QApplication>
#include <QtTest>

#include "model/response.h"
#include "panel/run_buttons.h"
#include "platform/qt/fonts.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;

class AppTest : public QObject {
    Q_OBJECT

    using Fixture = test::AppFixture;

  private slots:
    // No window outlives its test.
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void initTestCase() { qt::installFontSubstitutions(); }

    void startUpShowsTheTiledWindowsAtRest() {
        Fixture f;
        QCOMPARE(f.app->run().joutai, int(kStopped));
        QVERIFY(!f.app->form1().control("Command3")->isVisibleTo(&f.app->form1()));
        QRect a = f.app->form0Window()->geometry();
        QRect p = f.app->form1Window()->geometry();
        QRect g = f.app->form3Window()->geometry();
        QCOMPARE(a.topLeft(), QPoint(0, 0));
        QCOMPARE(p.left(), a.right() + 1);
        QCOMPARE(p.height(), a.height());
        QCOMPARE(g.top(), a.bottom() + 1);
        QVERIFY(f.box.texts.empty());
        f.app->tick();
        QCOMPARE(f.app->form0().textLine(), QStringLiteral("0.00秒1   +0m"));
    }

    void aRunFromTminTracesPausesAndStops() {
        Fixture f;
        f.app->panel().setText("Texttmin", "2");
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        QCOMPARE(f.text("Command2"), std::string("停止"));
        QVERIFY(f.app->form1().control("Command3")->isVisibleTo(&f.app->form1()));
        f.app->tick();
        // The text line shows tmin while the mass is still placed for t = 0.
        QCOMPARE(f.app->form0().textLine().left(6), QStringLiteral("2.00秒2"));
        StepValues at0;
        evaluateResponse(f.app->record(), 0, "1000", 0, at0);
        QCOMPARE(f.app->step().xpix, at0.xpix);
        f.run(40, 0.05);
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("4.00"));
        QVERIFY(test::countColour(f.app->form3().plotImage(), QColor(255, 0, 0)) > 20);

        f.click("Command6");
        f.run(2, 5);
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("4.00"));
        QCOMPARE(f.text("Texttest"), std::string("1"));
        f.click("Command6");
        f.run(1, 0.5);
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("4.50"));

        f.click("Command2");
        f.app->tick();
        QCOMPARE(f.app->form0().textLine(), QStringLiteral("0.00秒1   +0m"));
        QCOMPARE(test::countColour(f.app->form3().plotImage(), QColor(255, 0, 0)), 0);
    }

    void theTraceStopsAtTmaxWhileTheAnimationGoesOn() {
        Fixture f;
        f.app->panel().setText("Texttmax", "2");
        f.app->panel().setValue("Checkxp", 1);
        f.click("Command2");
        f.run(25, 0.1);
        const int atEnd = test::countColour(f.app->form3().plotImage(), QColor(0, 0, 255));
        QVERIFY(atEnd > 0);
        f.run(20, 0.1);
        QCOMPARE(test::countColour(f.app->form3().plotImage(), QColor(0, 0, 255)), atEnd);
        QCOMPARE(f.app->form0().textLine().left(4), QStringLiteral("4.50"));
        f.click("Command5");  // Clear: the trace goes, the run stays
        QCOMPARE(test::countColour(f.app->form3().plotImage(), QColor(0, 0, 255)), 0);
        QCOMPARE(f.app->run().joutai, int(kRunning));
    }

    void failingPassesAreReportedAndStop_data() {
        QTest::addColumn<QString>("box");
        QTest::addColumn<QString>("text");
        QTest::newRow("magnification") << "Texthenibairitu"
                                       << "abc";
        QTest::newRow("tmax equal to tmin") << "Texttmax"
                                            << "0";
        QTest::newRow("graph magnification") << "Textgraphbairitu"
                                             << "x";
        QTest::newRow("time magnification overflows") << "Textjikanbairitu"
                                                      << "1e308";
        QTest::newRow("huge picture magnification") << "Texthenibairitu"
                                                    << "1e308";
        QTest::newRow("huge graph magnification") << "Textgraphbairitu"
                                                  << "1e300";
        QTest::newRow("huge force") << "Textf"
                                    << "3e38";
        QTest::newRow("tiny wall mass") << "Textkabem"
                                        << "1e-37";
    }
    // Once recovered, no pass fails again until the user acts: one message in 100 passes.
    void failingPassesAreReportedAndStop() {
        QFETCH(QString, box);
        QFETCH(QString, text);
        Fixture f;
        f.app->panel().setText("Texttmin", "0.5");
        f.app->panel().setValue("Check1", 1);
        f.app->panel().setText(box.toStdString(), text.toStdString());
        for (int attempt = 1; attempt <= 2; ++attempt) {
            f.click("Command2");
            for (int i = 0; i < 50 && f.box.texts.size() < size_t(attempt); ++i) {
                f.run(1, 0.1);
            }
            f.run(100, 0.1);
            QCOMPARE(f.box.texts.size(), size_t(attempt));
            QCOMPARE(f.box.texts.back(),
                     std::string("正しい数値を半角英数字で入力し再度実行してください。"));
            QCOMPARE(f.app->run().joutai, int(kStopped));
            QCOMPARE(f.app->record().tmin, 0.0f);
            // The texts are kept, so the same start fails the same way.
        }
    }

    // Stopped, the time is 0 without computing it: a time magnification that would
    // overflow costs no message until a run starts.
    void aHugeTimeMagnificationIsHarmlessWhileStopped() {
        Fixture f;
        f.app->panel().setText("Textjikanbairitu", "1e308");
        f.click("Command_keisan");
        f.run(100, 0.5);
        QVERIFY(f.box.texts.empty());
        QCOMPARE(f.app->form0().textLine(), QStringLiteral("0.00秒1   +0m"));
    }

    void stopShowsStartAndHidesChange() {
        Fixture f;
        f.click("Command2");
        f.run(3, 0.2);
        f.click("Command2");
        QCOMPARE(f.text("Command2"), std::string("開始"));
        QVERIFY(!f.app->form1().control("Command3")->isVisibleTo(&f.app->form1()));
        QCOMPARE(f.app->run().joutai, int(kStopped));
    }

    void closingTheFrameEndsTheProgramAlsoWhileRunning() {
        Fixture f;
        f.click("Command2");
        f.run(3, 0.2);
        QVERIFY(f.app->frame().close());
        QVERIFY(f.app->ended());
    }

    static bool allBlack(const QImage& image) {
        return test::countColour(image, Qt::black) == image.width() * image.height();
    }

    void aBadBitmapIsNamedOnceAndTheRestWorks_data() {
        QTest::addColumn<int>("how");
        QTest::newRow("missing") << int(test::Bitmap::Missing);
        QTest::newRow("corrupt") << int(test::Bitmap::Corrupt);
    }
    void aBadBitmapIsNamedOnceAndTheRestWorks() {
        QFETCH(int, how);
        test::ProgramFolder folder("k.bmp", test::Bitmap(how));
        Fixture f(folder.path());
        const std::string named =
            "k.bmp を読み込めませんでした。プログラムのフォルダにあるか確かめてください。";
        QCOMPARE(f.box.texts, std::vector<std::string>{named});
        for (QWidget* w : {(QWidget*)&f.app->frame(), (QWidget*)f.app->form0Window(),
                           (QWidget*)f.app->form1Window(), (QWidget*)f.app->form3Window()}) {
            QVERIFY(w->isVisible());
        }
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        f.run(20, 0.1);
        QVERIFY(allBlack(f.app->form0().picture()->grab().toImage()));
        QVERIFY(test::countColour(f.app->form3().plotImage(), QColor(255, 0, 0)) > 5);
        QCOMPARE(f.box.texts.size(), size_t(1));

        // A failed pass reloads the window: it tries again, and names the file again.
        f.app->panel().setText("Texthenibairitu", "x");
        f.run(1, 0.1);
        QCOMPARE(f.box.texts.size(), size_t(3));
        QCOMPARE(f.box.texts[2], named);
        f.run(100, 0.1);
        QCOMPARE(f.box.texts.size(), size_t(3));

        // With the file back, the next reload draws the scene.
        folder.restore("k.bmp");
        f.click("Command2");
        f.run(1, 0.1);
        QCOMPARE(f.box.texts.size(), size_t(4));
        f.run(2, 0.1);
        QVERIFY(!allBlack(f.app->form0().picture()->grab().toImage()));
    }

    // A stale frame never stays: a bitmap lost before a reload leaves the picture empty.
    void aBitmapLostBeforeAReloadEmptiesThePicture() {
        test::ProgramFolder folder;
        Fixture f(folder.path());
        f.run(2, 0.1);
        QVERIFY(!allBlack(f.app->form0().picture()->grab().toImage()));
        QFile::remove(folder.dir.filePath("m3.bmp"));
        f.app->panel().setText("Texthenibairitu", "x");
        f.click("Command2");
        f.run(3, 0.1);
        QCOMPARE(f.box.texts.size(), size_t(2));
        QVERIFY(f.box.texts[1].starts_with("m3.bmp "));
        QVERIFY(allBlack(f.app->form0().picture()->grab().toImage()));
    }

    void aboutDisablesTheRunControlsAndOkRestoresThem() {
        Fixture f;
        f.click("Command2");
        f.click("cmdtest");
        QCOMPARE(f.app->run().joutai, int(kAboutPaused));
        QVERIFY(f.app->about().isVisible());
        const QString line = f.app->form0().textLine();
        f.run(2, 1);
        QCOMPARE(f.app->form0().textLine(), line);  // nothing drawn while About is open
        for (std::string_view b : kRunButtons) {
            QVERIFY2(!f.app->panel().isEnabled(b), b.data());
        }
        QTest::keyClick(&f.app->about(), Qt::Key_Escape);
        QCOMPARE(f.app->run().joutai, int(kStopped));
        QCOMPARE(f.text("Command2"), std::string("開始"));
        for (std::string_view b : kRunButtons) {
            QVERIFY2(f.app->panel().isEnabled(b), b.data());
        }
    }

    void quitEndsTheProgram() {
        Fixture f;
        f.click("Command1");
        QVERIFY(f.app->ended());
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
                    f.run(1, 0.7);
                }
            }
            f.app->panel().setText(b, "1");
        }
        for (const std::string& t : f.box.texts) {
            QVERIFY(t == "正しい数値を半角英数字で入力し再度実行してください。" ||
                    t == "正しい値を半角数字で入力してください。");
        }
    }
};

QTEST_MAIN(AppTest)
#include "app_test.moc"
