// The analysis windows as the user reaches them: from the frame's 表示 menu, following
// the model after 計算 and the animation time while running.

#include <QApplication>
#include <QLabel>
#include <QMenu>
#include <QMenuBar>
#include <QtTest>

#include "support/app_fixture.h"

using namespace yurana;

class AnalysisMenuTest : public QObject {
    Q_OBJECT

    static QMenu* viewMenu(test::AppFixture& f) {
        return f.app->frame().menuBar()->findChild<QMenu*>("ViewMenu");
    }

  private slots:
    // No window outlives its test.
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void theViewMenuHoldsThreeCheckableWindows() {
        test::AppFixture f;
        QMenu* menu = viewMenu(f);
        QVERIFY(menu != nullptr);
        QCOMPARE(menu->title(), QStringLiteral("表示(&V)"));
        QStringList captions;
        for (QAction* a : menu->actions()) {
            captions << a->text();
            QVERIFY(a->isCheckable() && !a->isChecked());
        }
        QCOMPARE(captions, (QStringList{"周波数応答(&R)", "位相平面(&P)", "エネルギー(&E)"}));
        const QWidget* windows[] = {&f.app->analysis().frequency(), &f.app->analysis().phase(),
                                    &f.app->analysis().energy()};
        const QString titles[] = {"周波数応答", "位相平面", "エネルギー"};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(windows[i]->isWindow() && !windows[i]->isVisible());
            QCOMPARE(windows[i]->windowTitle(), titles[i]);
            menu->actions()[i]->trigger();
            QVERIFY(windows[i]->isVisible());
        }
        menu->actions()[1]->trigger();
        QVERIFY(!f.app->analysis().phase().isVisible());
    }

    // A heavier mass on the panel, 計算, and the next pass redraws the open windows.
    void calculateUpdatesTheReadOuts() {
        test::AppFixture f;
        auto& views = f.app->analysis();
        for (QAction* a : viewMenu(f)->actions()) {
            a->trigger();
        }
        f.click("Command_keisan");
        f.run(1, 0.1);
        const QString frequency = views.frequency().readout()->text();
        const QString phase = views.phase().readout()->text();
        QVERIFY(frequency.contains(QStringLiteral("ω/ωn=0.0632456")));  // 2 / √1000
        f.type("Textm", "4");
        f.click("Command_keisan");
        f.run(1, 0.1);
        // ωn = √(1000/4) = 15.8114: ω/ωn = 2 / 15.8114.
        QVERIFY2(views.frequency().readout()->text().contains(QStringLiteral("ω/ωn=0.126491")),
                 qPrintable(views.frequency().readout()->text()));
        QCOMPARE(views.frequency().readout()->accessibleName(),
                 views.frequency().readout()->text());
        QVERIFY(views.phase().readout()->text() != phase);

        // Running, the markers follow the animation time; stopped they show tmin.
        f.app->panel().setText("Texttmin", "0.5");
        f.click("Command2");
        f.run(20, 0.05);
        // The markers follow every sixth frame: the time of one of the last six passes.
        const QString energy = views.energy().readout()->text();
        const double shown = energy.section(' ', 0, 0).mid(2).toDouble();
        QVERIFY2(shown >= 1.2 && shown <= 1.5, qPrintable(energy));
        f.click("Command2");
        f.run(1, 0.05);
        QVERIFY(views.phase().readout()->text().startsWith(QStringLiteral("t=0.5 s")));
    }
};

QTEST_MAIN(AnalysisMenuTest)
#include "analysis_menu_test.moc"
