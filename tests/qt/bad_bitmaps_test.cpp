// Each of the six bitmaps missing or spoilt, at start-up and on entering full screen: one
// message naming the file, and everything else works; a bitmap lost while the program runs.

#include <QApplication>
#include <QMdiSubWindow>
#include <QtTest>

#include "panel/control_names.h"
#include "panel/messages.h"
#include "platform/qt/fonts.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;
using test::Bitmap;

class BadBitmapsTest : public QObject {
    Q_OBJECT

    // Every file, and every kind of damage (in Bitmap's order), once.
    static void table() {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("how");
        const auto kinds = std::to_array({"missing", "corrupt", "truncated header",
                                          "pixels cut short", "zero-length", "PNG named .bmp"});
        for (int i = 0; i < 6; ++i) {
            const char* file = test::ProgramFolder::kBitmaps[i];
            QTest::addRow("%s %s", file, kinds[i]) << QString(file) << int(Bitmap::Missing) + i;
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

    void theFileIsNamedOnceAndTheRestWorks_data() { table(); }
    // At start-up, then (the animation window's copy mended) on each entry to full screen.
    void theFileIsNamedOnceAndTheRestWorks() {
        QFETCH(QString, file);
        QFETCH(int, how);
        test::ProgramFolder folder(qPrintable(file), Bitmap(how)),
            bitmaps(qPrintable(file), Bitmap(how));
        app::Form2Options fullScreen;
        fullScreen.folder = bitmaps.path();
        test::AppFixture f(folder.path(), fullScreen);
        const std::string named = bitmapFailedText(file.toStdString());
        QCOMPARE(f.box.texts, std::vector<std::string>{named});
        QVERIFY(f.app->frame().isVisible() && f.app->form0Window()->isVisible() &&
                f.app->form1Window()->isVisible() && f.app->form3Window()->isVisible());
        // A run traces the graph while the picture stays empty, and says nothing more.
        f.app->panel().setValue(ctl::Checkheni, 1);
        f.click(ctl::Command2);
        f.run(20, 0.1);
        QVERIFY(f.app->session().run().joutai == kRunning && f.app->form0().textLine().isEmpty() &&
                pictureEmpty(f) && redTraced(f) && f.box.texts.size() == 1);
        folder.restore(qPrintable(file));
        f.click(ctl::Command2);
        f.run(2, 0.1);
        for (std::size_t told = 2; told <= 3; ++told) {  // back in the animation window
            f.click(ctl::Command4);
            f.run(10, 0.1);
            QVERIFY(f.box.texts.size() == told && f.box.texts.back() == named);
            QVERIFY(!f.app->form2() && f.app->form0Window()->isVisible() &&
                    f.app->form0().textLine().contains(QStringLiteral("秒2")));
        }
        QVERIFY(redTraced(f));
        // With the file mended, the view comes up and a click leaves it.
        bitmaps.restore(qPrintable(file));
        f.click(ctl::Command4);
        f.run(2, 0.1);
        QVERIFY(f.app->form2() && f.app->form2()->textLine().contains(QStringLiteral(" 秒3")));
        QTest::mouseClick(f.app->form2(), Qt::LeftButton);
        f.run(2, 0.1);
        QVERIFY(f.app->session().form0Loaded() && f.box.texts.size() == 3);
    }

    // The window reloads its bitmaps on each failed pass: a file lost names itself again and
    // leaves the picture empty, never a stale frame; with the file back, the scene returns.
    void aBitmapLostBeforeAReloadIsNamedAndEmptiesThePicture() {
        test::ProgramFolder folder;
        test::AppFixture f(folder.path());
        f.run(2, 0.1);
        QVERIFY(!pictureEmpty(f));
        QFile::remove(folder.dir.filePath("m3.bmp"));
        f.app->panel().setText(ctl::Texthenibairitu, "x");
        f.click(ctl::Command2);
        f.run(3, 0.1);
        const std::string named = bitmapFailedText("m3.bmp");
        QCOMPARE(f.box.texts, (std::vector<std::string>{std::string(kMsgBadRun), named}));
        QVERIFY(pictureEmpty(f));
        f.click(ctl::Command2);
        f.run(100, 0.1);
        QVERIFY(f.box.texts.size() == 4 && f.box.texts.back() == named);
        folder.restore("m3.bmp");
        f.click(ctl::Command2);
        f.run(3, 0.1);
        QVERIFY(f.box.texts.size() == 5 && !pictureEmpty(f));
    }
};

QTEST_MAIN(BadBitmapsTest)
#include "bad_bitmaps_test.moc"
