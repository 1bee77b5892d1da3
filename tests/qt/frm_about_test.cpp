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

    // The link to the guide beside the program opens it, or says that nothing could, as
    // 使い方 does; the window stays open.
    void theLinkOpensTheGuideBesideTheProgram() {
        struct Launcher : test::FakeLauncher {
            bool opens = true;
            bool openDocument(const std::string& target) override {
                return FakeLauncher::openDocument(target) && opens;
            }
        };
        test::FakePanel panel;
        RunState run{kAboutPaused};
        test::RecordingMessageBox box;
        LinuxRegistry registry{"/usr/bin", [](const std::string&) { return false; }};
        Launcher launcher;
        app::FrmAbout about{panel, run, box, registry, launcher};
        about.showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QWidget* link = about.control(ctl::about::Label2);
        const std::string guide =
            (QCoreApplication::applicationDirPath() + "/guide/index.html").toStdString();
        for (bool opens : {true, false}) {
            launcher.opens = opens;
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, link->height() / 2));
        }
        QCOMPARE(launcher.opened, std::vector<std::string>(2, guide));
        QCOMPARE(box.texts, std::vector<std::string>{"使い方を開けませんでした。\n" + guide});
        QVERIFY(about.isVisible());
        about.close();
    }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
