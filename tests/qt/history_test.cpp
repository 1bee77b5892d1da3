// The time-history window: opened from the 表示 menu, its cursor follows the run and, moved
// by the user, moves the whole program to that time.

#include <QtTest>

#include <QLegendMarker>
#include <QPushButton>

#include "analysis/motion.h"
#include "panel/control_names.h"
#include "support/app_fixture.h"

using namespace yurana;

class HistoryTest : public QObject {
    Q_OBJECT

  private slots:
    // Running, the cursor follows; its slider and its time box move the program's time, and
    // the phase plane follows (how each run state takes a move and the animation shows it:
    // session_test).
    void theCursorMovesTheWholeProgram() {
        test::AppFixture f;
        auto& h = f.app->analysis().history();
        QVERIFY(f.viewOpens(QStringLiteral("時刻歴(&T)"), QStringLiteral("エネルギー(&E)"), h));
        f.app->analysis().phaseAction()->trigger();
        QCOMPARE(h.slider()->accessibleName(), QStringLiteral("時刻"));
        QCOMPARE(h.timeBox()->accessibleName(), QStringLiteral("時刻(s)"));

        f.app->panel().setText(ctl::Texttmin, "0.5");
        f.app->panel().setText(ctl::Textjikanbairitu, "2");
        f.click(ctl::Command2);
        f.run(30, 1.0 / 60);
        const double running = f.app->session().time();
        QVERIFY(running > 0.5);
        // The line every pass; the slider with the read-outs, one of the last six passes.
        QCOMPARE(h.view()->marker()->x(), running);
        QVERIFY(std::abs(h.slider()->value() - running * 1000) <= 6 * 2000.0 / 60);
        QCOMPARE(h.slider()->minimum(), 500);

        h.slider()->setValue(2750);  // as a drag of the slider does
        QCOMPARE(f.app->session().time(), 2.75);

        h.timeBox()->setText("4.125");
        QTest::keyClick(h.timeBox(), Qt::Key_Return);
        QCOMPARE(f.app->session().time(), 4.125);
        // Paused, every move shows at once: the read-outs are those of the new time.
        QVERIFY(h.readout()->text().startsWith("t=4.125 s"));
        QVERIFY(f.app->analysis().phase().readout()->text().startsWith("t=4.125 s"));
        h.timeBox()->setText("x");
        QTest::keyClick(h.timeBox(), Qt::Key_Return);
        QCOMPARE(f.box.texts.back(), std::string("正しい値を半角数字で入力してください。"));
        QCOMPARE(f.app->session().time(), 4.125);
    }

    // The buttons and keys move by one frame (1/60 s times the time magnification) and to
    // the exact extrema either way, Home and End to the run's ends, a click on the chart to
    // its time; 保持 keeps the shown curves in grey under a legend entry with the parameters,
    // 保持を消去 removes them; in full screen the slider is disabled.
    void buttonsKeysClicksAndHolds() {
        test::AppFixture f;
        f.app->panel().setValue(ctl::Checkxcxp, 1);
        f.app->panel().setValue(ctl::Checkxp, 1);
        f.app->analysis().historyAction()->trigger();
        auto& h = f.app->analysis().history();
        QVERIFY(QTest::qWaitForWindowExposed(&h));
        f.app->panel().setText(ctl::Textm, "2");
        f.app->panel().setText(ctl::Texttmin, "0.25");
        f.app->panel().setText(ctl::Textjikanbairitu, "3");
        f.click(ctl::Command_keisan);
        auto press = [&h](const char* caption) {
            for (auto* b : h.findChildren<QPushButton*>()) {
                if (b->text() == QString::fromUtf8(caption)) {
                    QTest::mouseClick(b, Qt::LeftButton);
                    return;
                }
            }
            QFAIL(caption);
        };
        press("1コマ▶");  // stopped: starts paused (session_test), one frame on from tmin
        QCOMPARE(f.app->session().time(), 0.25 + 3.0 / 60);
        press("極値▶");
        const double peak = f.app->session().time();
        const ModelRecord& r = f.app->session().record();
        QVERIFY(std::abs(analysis::velocityAt(r, peak)) < 1e-6);
        press("◀1コマ");
        QCOMPARE(f.app->session().time(), peak - 3.0 / 60);
        QTest::keyClick(&h, Qt::Key_Right, Qt::ShiftModifier);
        QCOMPARE(f.app->session().time(), peak);
        QTest::keyClick(&h, Qt::Key_End);
        QCOMPARE(f.app->session().time(), double(r.tmax));
        QTest::keyClick(&h, Qt::Key_Left, Qt::ShiftModifier);
        QVERIFY(f.app->session().time() < r.tmax);
        QTest::keyClick(&h, Qt::Key_Home);
        QCOMPARE(f.app->session().time(), double(r.tmin));

        // A click on the chart: the time under the pointer.
        QChart* chart = h.chart();
        const QPointF at = chart->mapToPosition(QPointF(5.0, 0));
        QTest::mouseClick(h.view()->viewport(), Qt::LeftButton, {},
                          h.view()->mapFromScene(chart->mapToScene(at)));
        QVERIFY2(std::abs(f.app->session().time() - 5.0) < 0.05,
                 qPrintable(QString::number(f.app->session().time())));

        press("保持");
        QCOMPARE(h.holds(), 1);
        const auto names = [chart] {
            QCoreApplication::processEvents();  // the legend lays out its markers
            QStringList shown;
            for (QLegendMarker* m : chart->legend()->markers()) {
                if (m->isVisible() && m->series()->isVisible()) {
                    shown << m->label();
                }
            }
            return shown;
        };
        // One entry for the hold, over the live curves, which are drawn last.
        QCOMPARE(names(), (QStringList{"保持1 m=2 k=1000 c=1 F=3 ω=2", "特殊解", "余関数+特殊解"}));
        f.app->panel().setText(ctl::Textc, "20");
        f.click(ctl::Command3);
        QCOMPARE(h.holds(), 1);  // the held curves stay while the panel changes
        press("保持を消去");
        QCOMPARE(h.holds(), 0);

        f.click(ctl::Command4);  // full screen: the cursor follows (refused moves: session_test)
        QVERIFY(!h.slider()->isEnabled());
    }
};

QTEST_MAIN(HistoryTest)
#include "history_test.moc"
