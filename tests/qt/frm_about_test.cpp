// The About window on the real widgets: every way of closing it, and its link.

#include <QApplication>
#include <QWindow>
#include <QtTest>
#include <functional>

#include "animation/run_controls.h"
#include "app/frm_about.h"
#include "panel/run_buttons.h"
#include "platform/posix/linux_registry.h"
#include "support/fake_launcher.h"
#include "support/fake_panel.h"
#include "support/fake_windows.h"

using namespace yurana;

namespace {

struct Scene {
    test::FakePanel panel;
    ModelRecord record;
    RunState run{kStopped};
    test::ManualClock clock;
    test::RecordingMessageBox box;
    LinuxRegistry registry{"/usr/bin", [](const std::string&) { return false; }};
    test::FakeLauncher launcher;
    ParameterPanel parameters{panel, record, run, box, [] { return GraphSize{640, 252}; }};
    std::string log;
    test::FakeRunWindows windows{log};
    RunControls controls{panel, run, record, parameters, clock, box, windows};
    app::FrmAbout about{panel, run, box, registry, launcher};
    Scene() {
        windows.onShowAbout = [this] { about.showModeless(); };
    }
};

}  // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // Each way, after a paused run and after none; the link to the guide beside the program
    // opens it and leaves the window open.
    void everyWayOfClosingRestoresThePanel() {
        const std::pair<const char*, std::function<void(app::FrmAbout&)>> ways[] = {
            {"OK", [](auto& a) { QTest::mouseClick(a.control("cmdOK"), Qt::LeftButton); }},
            {"Return", [](auto& a) { QTest::keyClick(&a, Qt::Key_Return); }},
            {"Enter", [](auto& a) { QTest::keyClick(&a, Qt::Key_Enter); }},
            {"Esc", [](auto& a) { QTest::keyClick(&a, Qt::Key_Escape); }},
            {"title bar", [](auto& a) { a.windowHandle()->close(); }},
        };
        for (int i = 0; i < 10; ++i) {
            const auto& [name, close] = ways[i / 2];
            Scene s;
            if (i % 2 == 0) {
                s.controls.startStop();
                s.controls.pause();
            }
            s.controls.openAbout();
            QVERIFY(!s.panel.isEnabled("Command2"));
            QVERIFY(QTest::qWaitForWindowExposed(&s.about));
            if (i == 1) {
                QWidget* link = s.about.control("Label2");
                QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, link->height() / 2));
                const QString guide = QCoreApplication::applicationDirPath() + "/guide/index.html";
                QCOMPARE(s.launcher.opened, std::vector<std::string>{guide.toStdString()});
                QVERIFY(s.about.isVisible());
            }
            close(s.about);
            for (std::string_view button : kRunButtons) {
                QVERIFY2(s.panel.isEnabled(button),
                         (std::string(name) + " " + std::string(button)).c_str());
            }
            QCOMPARE(s.panel.text("Command2"), "開始");
            QCOMPARE(s.run.joutai, int(kStopped));
            QVERIFY2(!s.about.isVisible(), name);
        }
    }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
