// Each of the six bitmaps missing or spoilt, at start-up and on entering full screen: one
// message naming the file, and everything else works; a bitmap lost while the program runs.

#include <QApplication>
#include <QMdiSubWindow>
#include <QtTest>

#include "panel/messages.h"
#include "platform/qt/fonts.h"
#include "storage/slot_messages.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;
using test::Bitmap;

class BadBitmapsTest : public QObject {
    Q_OBJECT

    // Every file, and every kind of damage, once.
    static void table() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("how");
        const std::pair<const char*, Bitmap> kinds[] = {{"missing", Bitmap::Missing},
                                                        {"corrupt", Bitmap::Corrupt},
                                                        {"truncated header", Bitmap::Truncated},
                                                        {"pixels cut short", Bitmap::CutPixels},
                                                        {"zero-length", Bitmap::Empty},
                                                        {"PNG named .bmp", Bitmap::Png}};
        for (int i = 0; i < 6; ++i) {
            const char* file = test::ProgramFolder::kBitmaps[i];
            QTest::addRow("%s %s", file, kinds[i].first) << QString(file) << int(kinds[i].second);
        }
    }

    static bool redTraced(test::AppFixture& f) {
        return test::countColour(f.app->form3().plotImage(), QColor(255, 0, 0)) > 5;
    }

    static bool pictureEmpty(test::AppFixture& f) {
        const QImage image = f.app->form0().picture()->grab().toImage();
        return test::countColour(image, Qt::black) == image.width() * image.height();
    }

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void atStartUpTheFileIsNamedOnceAndTheRestWorks_data() { table(); }
    void atStartUpTheFileIsNamedOnceAndTheRestWorks() {
        QFETCH(QString, file);
        QFETCH(int, how);
        test::ProgramFolder folder(qPrintable(file), Bitmap(how));
        test::AppFixture f(folder.path());
        const std::vector<std::string> named{bitmapFailedText(file.toStdString())};
        QCOMPARE(f.box.texts, named);
        QVERIFY(f.app->frame().isVisible() && f.app->form0Window()->isVisible() &&
                f.app->form1Window()->isVisible() && f.app->form3Window()->isVisible());
        // A run traces the graph while the picture stays empty; 計算, a save and a load work.
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        f.run(20, 0.1);
        QVERIFY(f.app->run().joutai == kRunning && f.app->form0().textLine().isEmpty() &&
                pictureEmpty(f));
        QVERIFY(redTraced(f));
        f.click("Command_keisan");
        f.click("Cmd_Save2");
        f.type("Textk", "250");
        f.click("Cmd_Load2");
        QCOMPARE(f.text("Textk"), std::string("1000"));
        QCOMPARE(f.box.texts, (std::vector<std::string>{named[0], saveDoneText(2)}));
    }

    void onEnteringFullScreenTheFileIsNamedOnceAndTheWindowRunsOn_data() { table(); }
    void onEnteringFullScreenTheFileIsNamedOnceAndTheWindowRunsOn() {
        QFETCH(QString, file);
        QFETCH(int, how);
        test::ProgramFolder folder, bitmaps(qPrintable(file), Bitmap(how));
        app::Form2Options fullScreen;
        fullScreen.folder = bitmaps.path();
        test::AppFixture p(folder.path(), fullScreen);
        p.app->panel().setValue("Checkheni", 1);
        p.click("Command2");
        p.run(2, 0.1);
        for (std::size_t attempt = 1; attempt <= 2; ++attempt) {
            p.click("Command4");
            QCOMPARE(p.box.texts.size(), attempt);
            QCOMPARE(p.box.texts.back(), bitmapFailedText(file.toStdString()));
            // Back in the animation window, running, drawing it.
            QVERIFY(!p.app->form2() && p.app->form0Loaded() && p.app->form0Window()->isVisible());
            QCOMPARE(p.text("Command2"), "停止");
            p.run(10, 0.1);
            QVERIFY(p.app->form0().textLine().contains(QStringLiteral("秒2")));
            QCOMPARE(p.box.texts.size(), attempt);
        }
        QVERIFY(redTraced(p));
        // With the file mended, the view comes up and a click leaves it.
        bitmaps.restore(qPrintable(file));
        p.click("Command4");
        p.run(2, 0.1);
        QVERIFY(p.app->form2() && p.app->form2()->isVisible() && !p.app->form0Loaded());
        QVERIFY(p.app->form2()->textLine().contains(QStringLiteral(" 秒3")));
        QTest::mouseClick(p.app->form2(), Qt::LeftButton);
        p.run(2, 0.1);
        QVERIFY(p.app->form0Loaded() && p.app->form2() == nullptr);
        QCOMPARE(p.box.texts.size(), std::size_t(2));
    }

    // The window reloads its bitmaps on each failed pass: a file lost names itself again and
    // leaves the picture empty, never a stale frame; with the file back, the scene returns.
    void aBitmapLostBeforeAReloadIsNamedAndEmptiesThePicture() {
        test::ProgramFolder folder;
        test::AppFixture f(folder.path());
        f.run(2, 0.1);
        QVERIFY(!pictureEmpty(f));
        QFile::remove(folder.dir.filePath("m3.bmp"));
        f.app->panel().setText("Texthenibairitu", "x");
        f.click("Command2");
        f.run(3, 0.1);
        const std::string named =
            "m3.bmp を読み込めませんでした。プログラムのフォルダにあるか確かめてください。";
        QCOMPARE(f.box.texts, (std::vector<std::string>{std::string(kMsgBadRun), named}));
        QVERIFY(pictureEmpty(f));
        f.app->panel().setText("Texthenibairitu", "1000");
        f.app->panel().setValue("Checkheni", 1);
        f.click("Command2");
        f.run(20, 0.1);
        QVERIFY(pictureEmpty(f) && redTraced(f));
        QCOMPARE(f.box.texts.size(), size_t(2));
        f.app->panel().setText("Texthenibairitu", "x");
        f.run(100, 0.1);
        QCOMPARE(f.box.texts.size(), size_t(4));
        QCOMPARE(f.box.texts.back(), named);
        folder.restore("m3.bmp");
        f.click("Command2");
        f.run(1, 0.1);
        QCOMPARE(f.box.texts.size(), size_t(5));
        f.run(2, 0.1);
        QVERIFY(!pictureEmpty(f));
    }
};

QTEST_MAIN(BadBitmapsTest)
#include "bad_bitmaps_test.moc"
