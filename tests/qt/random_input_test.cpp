// Faults the random-input tool (tools/monkey) found, each kept as a test.

#include <QLineEdit>
#include <QtTest>

#include "storage/slot_messages.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;

class RandomInputTest : public QObject {
    Q_OBJECT

  private slots:
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
};

QTEST_MAIN(RandomInputTest)
#include "random_input_test.moc"
