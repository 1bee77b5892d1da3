// The frame on the real window system: its size with the menu bar's real height, where
// the windows it owns open, and its shortcuts pressed on the X server's keyboard (xdotool,
// through the XTEST extension) into a focused panel box.

#include <QApplication>
#include <QLineEdit>
#include <QMenuBar>
#include <QProcess>
#include <QScreen>
#include <QtTest>

#include "app/program_setup.h"
#include "panel/control_names.h"
#include "support/app_fixture.h"

using namespace yurana;

namespace {

// Runs xdotool with `args`; false when it cannot be run or fails.
bool xdotool(const QStringList& args) {
    QProcess p;
    p.start(QStringLiteral("xdotool"), args);
    return p.waitForFinished(5000) && p.exitStatus() == QProcess::NormalExit && p.exitCode() == 0;
}

QRect onScreen(const QWidget* w) {
    return {w->mapToGlobal(QPoint(0, 0)), w->size()};
}

// Its save dialog is cancelled at once, and counts how often it was asked.
struct Program : qt::SaveDialog, test::AppFixture {
    int asked = 0;
    Program() : test::AppFixture(QCoreApplication::applicationDirPath(), {}, this) {}
    QString ask(QWidget*, const QString&, const QString&, const QString&) override {
        ++asked;
        return {};
    }
};

}  // namespace

class FrameTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        app::setUpProgram();
        QVERIFY2(xdotool({"version"}), "xdotool is needed to press keys on the X server");
    }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // Under the menu bar, as tall as the fonts make it here, the client area has the
    // design size, and the tiled windows fill it to the bottom; the windows the frame owns
    // open below the bar, within the screen.
    void theClientAreaKeepsItsDesignSizeAndOwnedWindowsOpenOffTheMenuBar() {
        Program p;
        app::MainWindow& frame = p.app->frame();
        QVERIFY(QTest::qWaitForWindowExposed(&frame));
        const QMenuBar* bar = frame.menuBar();
        QVERIFY(bar->height() > 10);
        QCOMPARE(frame.mdi()->geometry(),
                 QRect(QPoint(0, bar->height()), app::MainWindow::designClientSize()));
        QCOMPARE(frame.size(), app::MainWindow::designClientSize() + QSize(0, bar->height()));
        QCOMPARE(p.app->form3Window()->geometry().bottom() + 1, frame.mdi()->height());

        app::AnalysisViews& views = p.app->analysis();
        for (QAction* a : {views.frequencyAction(), views.phaseAction(), views.energyAction(),
                           p.app->menus().aboutAction()}) {
            a->trigger();
        }
        const QRect screen = frame.screen()->availableGeometry();
        QList<QPoint> corners;
        for (QWidget* w : std::initializer_list<QWidget*>{&views.frequency(), &views.phase(),
                                                          &views.energy(), &p.app->about()}) {
            QVERIFY(QTest::qWaitForWindowExposed(w));
            const QRect g = w->frameGeometry();
            QVERIFY2(!g.intersects(onScreen(bar)) && screen.contains(g),
                     qPrintable(w->objectName()));
            QVERIFY(!corners.contains(g.topLeft()));
            corners << g.topLeft();
        }
        p.app->about().close();
    }

    // Ctrl+E (the end of the line in a box, on X11), F1 and Ctrl+Q reach the frame's items
    // while the focus is in a panel box; the box keeps its own Ctrl+A.
    void theFramesShortcutsWorkFromAFocusedPanelBox() {
        Program p;
        QVERIFY(QTest::qWaitForWindowExposed(&p.app->frame()));
        auto* textk = qobject_cast<QLineEdit*>(p.app->form1().control(ctl::Textk));
        const QPoint at = textk->mapToGlobal(textk->rect().center());
        QVERIFY(
            xdotool({"mousemove", QString::number(at.x()), QString::number(at.y()), "click", "1"}));
        QTRY_VERIFY(textk->hasFocus());
        QVERIFY(xdotool({"key", "ctrl+a", "7"}));
        QTRY_COMPARE(textk->text(), QStringLiteral("7"));
        QVERIFY(xdotool({"key", "ctrl+e"}));
        QTRY_COMPARE(p.asked, 1);
        QVERIFY(xdotool({"key", "F1"}));
        QTRY_COMPARE(p.launcher.opened.size(), size_t(1));
        QVERIFY(textk->hasFocus());
        QVERIFY(xdotool({"key", "ctrl+q"}));
        QTRY_VERIFY(p.app->ended());
        QVERIFY(p.box.texts.empty());
    }
};

QTEST_MAIN(FrameTest)
#include "frame_test.moc"
