// The 例題 menu on the whole program: each case stops the run, fills the panel and agrees
// after 計算; the graph's summary names its damping regime; About disables the items.

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "support/app_fixture.h"

using namespace yurana;

class ExampleMenuTest : public QObject {
    Q_OBJECT

    static QList<QAction*> items(test::AppFixture& f) {
        return f.app->frame().menuBar()->findChild<QMenu*>("ExampleMenu")->actions();
    }

  private slots:
    void theMenuFollowsTheViewMenu() {
        test::AppFixture f;
        QStringList titles;
        for (QAction* menu : f.app->frame().menuBar()->actions()) {
            titles << menu->text();
        }
        QVERIFY(titles.indexOf("例題(&X)") == titles.indexOf("表示(&V)") + 1);
        QStringList cases;
        for (QAction* a : items(f)) {
            cases << a->text();
        }
        QCOMPARE(cases, (QStringList{"不足減衰の自由振動", "臨界減衰", "超過減衰", "共振", "うなり",
                                     "防振 (ω/ωn = 2)"}));
    }

    void eachCaseFillsThePanelAndAgrees_data() {
        QTest::addColumn<int>("item");
        QTest::addColumn<QStringList>("mkcFw");    // as typed
        QTest::addColumn<QStringList>("derived");  // ζ, ωn, Cc, ωd, f as 計算 leaves them
        QTest::addColumn<QString>("regime");
        QTest::addColumn<int>("wallCurve");
        QTest::newRow("underdamped free")
            << 0 << QStringList{"1", "400", "2", "0", "0"}
            << QStringList{"0.0500", "20.0000", "40.0000", "19.975", "3.1831"} << "(不足減衰)" << 0;
        QTest::newRow("critical") << 1 << QStringList{"1", "100", "20", "0", "0"}
                                  << QStringList{"1.0000", "10.0000", "20.0000", "***", "1.5915"}
                                  << "(臨界減衰)" << 0;
        QTest::newRow("overdamped")
            << 2 << QStringList{"1", "100", "50", "0", "0"}
            << QStringList{"2.5000", "10.0000", "20.0000", "***", "1.5915"} << "(超過減衰)" << 0;
        QTest::newRow("resonance")
            << 3 << QStringList{"1", "100", "0.5", "1", "10"}
            << QStringList{"0.0250", "10.0000", "20.0000", "9.9969", "1.5915"} << "(不足減衰)" << 0;
        QTest::newRow("beats") << 4 << QStringList{"1", "100", "0.05", "1", "9"}
                               << QStringList{"0.0025", "10.0000", "20.0000", "10", "1.5915"}
                               << "(不足減衰)" << 0;
        QTest::newRow("isolation")
            << 5 << QStringList{"1", "100", "2", "1", "20"}
            << QStringList{"0.1000", "10.0000", "20.0000", "9.9499", "1.5915"} << "(不足減衰)" << 1;
    }

    // Loaded while running, from a panel whose every value differs from the case.
    void eachCaseFillsThePanelAndAgrees() {
        QFETCH(int, item);
        QFETCH(QStringList, mkcFw);
        QFETCH(QStringList, derived);
        QFETCH(QString, regime);
        QFETCH(int, wallCurve);
        test::AppFixture f;
        f.app->panel().setValue("Checkkabeheni", 1 - wallCurve);
        f.click("Command2");
        f.run(3, 0.05);
        QCOMPARE(f.app->run().joutai, kRunning);
        items(f)[item]->trigger();
        QCOMPARE(f.app->run().joutai, kStopped);
        QCOMPARE(f.text("Command2"), "開始");
        const char* typed[] = {"Textm", "Textk", "Textc", "Textf", "Textw"};
        const char* shown[] = {"Textz", "Textwn", "Labelcc", "Labelwd", "Labelhz"};
        for (int i = 0; i < 5; ++i) {
            QCOMPARE(QString::fromStdString(f.text(typed[i])), mkcFw[i]);
            QCOMPARE(QString::fromStdString(f.text(shown[i])), derived[i]);
        }
        QCOMPARE(f.app->panel().value("Checkkabeheni"), wallCurve);
        QCOMPARE(f.app->record().m, mkcFw[0].toFloat());
        QCOMPARE(f.app->record().c, mkcFw[2].toFloat());
        QCOMPARE(QString::fromStdString(f.app->record().gensui), regime);
        f.click("Command2");
        f.run(3, 0.05);
        QCOMPARE(QString::fromStdString(f.app->record().gensui), regime);
        QVERIFY(f.box.texts.empty());
    }

    void theItemsAreDisabledWhileAboutIsOpen() {
        test::AppFixture f;
        f.click("cmdtest");
        f.run(1, 0.05);
        for (QAction* a : items(f)) {
            QVERIFY(!a->isEnabled());
        }
        f.app->about().findChild<QAbstractButton*>("cmdOK")->click();
        f.run(1, 0.05);
        for (QAction* a : items(f)) {
            QVERIFY(a->isEnabled());
        }
    }
};

QTEST_MAIN(ExampleMenuTest)
#include "example_menu_test.moc"
