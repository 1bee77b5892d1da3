// The About window's link, on the real widgets and a launcher of the test's own; its ways
// of closing are in menus_test.

#include <QApplication>
#include <QtTest>

#include "app/frm_about.h"
#include "platform/posix/linux_registry.h"
#include "support/fake_launcher.h"
#include "support/fake_panel.h"

using namespace yurana;

class FrmAboutTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // The link to the guide beside the program opens it and leaves the window open.
    void theLinkOpensTheGuideBesideTheProgram() {
        test::FakePanel panel;
        RunState run{kAboutPaused};
        test::RecordingMessageBox box;
        LinuxRegistry registry{"/usr/bin", [](const std::string&) { return false; }};
        test::FakeLauncher launcher;
        app::FrmAbout about{panel, run, box, registry, launcher};
        about.showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QWidget* link = about.control("Label2");
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, link->height() / 2));
        const QString guide = QCoreApplication::applicationDirPath() + "/guide/index.html";
        QCOMPARE(launcher.opened, std::vector<std::string>{guide.toStdString()});
        QVERIFY(about.isVisible());
        about.close();
    }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
