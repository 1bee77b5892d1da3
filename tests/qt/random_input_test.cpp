// Faults the random-input tool (tools/monkey) found, each kept as a test.

#include <QApplication>
#include <QLineEdit>
#include <QtTest>

#include "panel/messages.h"
#include "storage/slot_messages.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;

class RandomInputTest : public QObject {
    Q_OBJECT

  private slots:
    // No window outlives its test.
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // A text that begins with U+FEFF keeps it. Qt's plain UTF-8 reading takes it for a
    // byte-order mark and drops it, so a box lost one on every write from the program and
    // a slot value one on every load.
    void aLeadingZeroWidthNoBreakSpaceSurvivesTheBoxAndTheSlot() {
        test::ProgramFolder folder;
        test::AppFixture f(folder.path());
        const std::string mark = "\xEF\xBB\xBF";  // U+FEFF
        const std::string first = mark + "1000", later = mark + mark + "5";
        f.app->panel().setText("Textk", first);  // line 1 of the slot file
        f.app->panel().setText("Textkabem", later);
        QCOMPARE(qobject_cast<QLineEdit*>(f.app->form1().control("Textkabem"))->text(),
                 QString(QChar(0xFEFF)) + QChar(0xFEFF) + "5");
        QCOMPARE(f.text("Textkabem"), later);

        f.click("Cmd_Save1");
        f.app->panel().setText("Textk", "7");
        f.app->panel().setText("Textkabem", "7");
        f.click("Cmd_Load1");
        QCOMPARE(f.text("Textk"), first);
        QCOMPARE(f.text("Textkabem"), later);
        QCOMPARE(f.box.texts, std::vector<std::string>{saveDoneText(1)});
    }

    // A frame too low for the first arrangement fails every load of the animation
    // window, which tries the arrangement twice. A failed pass and the failing
    // arrangement of its recovery, or the arrangement failing twice on leaving full
    // screen, are one failure: one message.
    void aFailureInAFrameTooLowIsToldOnce() {
        test::ProgramFolder folder;
        test::AppFixture f(folder.path());
        f.app->frame().resize(1296, 343);
        f.run(2, 0.1);
        QVERIFY(f.box.texts.empty());

        f.app->panel().setText("Texthenibairitu", "x");
        f.click("Command2");
        f.run(3, 0.1);
        const std::vector<std::string> once{std::string(kMsgBadRun)};
        QCOMPARE(f.box.texts, once);
        QCOMPARE(f.app->run().joutai, int(kStopped));

        f.app->panel().setText("Texthenibairitu", "1000");
        f.click("Command4");
        f.run(2, 0.1);
        QVERIFY(f.app->form2() != nullptr);
        QTest::mouseClick(f.app->form2(), Qt::LeftButton);
        f.run(2, 0.1);
        QCOMPARE(f.box.texts, (std::vector<std::string>{once[0], once[0]}));
        QVERIFY(f.app->form0Loaded());
    }
};

QTEST_MAIN(RandomInputTest)
#include "random_input_test.moc"
