// The time-history window: opened from the 表示 menu, its cursor follows the run and, moved
// by the user, moves the whole program to that time.

#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "panel/control_names.h"
#include "support/app_fixture.h"

using namespace yurana;

class HistoryTest : public QObject {
    Q_OBJECT

    static QAction* menuItem(test::AppFixture& f, const QString& caption) {
        auto* menu = f.app->frame().menuBar()->findChild<QMenu*>("ViewMenu");
        for (QAction* a : menu->actions()) {
            if (a->text() == caption) {
                return a;
            }
        }
        return nullptr;
    }

  private slots:
    // Running, the cursor follows; its slider and its time box pause the run and move the
    // animation and the phase plane there; resumed, the time goes on from the cursor.
    void theCursorMovesTheWholeProgram() {
        test::AppFixture f;
        QAction* item = menuItem(f, QStringLiteral("時刻歴(&T)"));
        QVERIFY(item != nullptr && item->isCheckable());
        item->trigger();
        menuItem(f, QStringLiteral("位相平面(&P)"))->trigger();
        auto& h = f.app->analysis().history();
        QVERIFY(h.isVisible() && h.isWindow());
        QCOMPARE(h.windowTitle(), QStringLiteral("時刻歴"));
        QCOMPARE(h.slider()->accessibleName(), QStringLiteral("時刻"));
        QCOMPARE(h.timeBox()->accessibleName(), QStringLiteral("時刻(s)"));

        f.app->panel().setText(ctl::Texttmin, "0.5");
        f.app->panel().setText(ctl::Textjikanbairitu, "2");
        f.click(ctl::Command2);
        f.run(30, 1.0 / 60);
        const double running = f.app->session().time();
        QVERIFY(running > 0.5);
        QCOMPARE(h.slider()->value(), qRound(running * 1000));
        QCOMPARE(h.slider()->minimum(), 500);

        h.slider()->setValue(2750);  // as a drag of the slider does
        QCOMPARE(f.app->session().run().ichijiteishi, 1);
        QCOMPARE(f.app->session().time(), 2.75);
        f.run(2, 0.02);
        QVERIFY2(f.app->form0().textLine().startsWith(QStringLiteral("2.75秒")),
                 qPrintable(f.app->form0().textLine()));
        QVERIFY2(f.app->analysis().phase().readout()->text().startsWith("t=2.75 s"),
                 qPrintable(f.app->analysis().phase().readout()->text()));
        QVERIFY(h.readout()->text().startsWith("t=2.75 s"));

        h.timeBox()->setText("4.125");
        QTest::keyClick(h.timeBox(), Qt::Key_Return);
        QCOMPARE(f.app->session().time(), 4.125);
        h.timeBox()->setText("x");
        QTest::keyClick(h.timeBox(), Qt::Key_Return);
        QCOMPARE(f.box.texts.back(), std::string("正しい値を半角数字で入力してください。"));
        QCOMPARE(f.app->session().time(), 4.125);

        f.click(ctl::Command6);  // resume
        f.run(15, 1.0 / 60);
        QVERIFY(std::abs(f.app->session().time() - (4.125 + 14 * 2.0 / 60)) < 0.05);
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
