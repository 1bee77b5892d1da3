// The About window as a real Qt window: its controls, and every way of closing it
// giving the panel back its run controls, stopped.

#include <QApplication>
#include <QFontInfo>
#include <QLabel>
#include <QPushButton>
#include <QWindow>
#include <QtTest>
#include <set>

#include "about/about_window.h"
#include "animation/run_controls.h"
#include "app/frm_about.h"
#include "model/parameter_panel.h"
#include "platform/linux_registry.h"
#include "platform/qt/fonts.h"
#include "support/fake_panel.h"

using namespace yurana;

namespace {

class FakeLauncher : public Launcher {
  public:
    bool startProgram(const std::string& path) override {
        started.push_back(path);
        return true;
    }
    bool fileExists(const std::string&) const override { return false; }
    bool openDocument(const std::string& target) override {
        opened.push_back(target);
        return true;
    }
    std::vector<std::string> started;
    std::vector<std::string> opened;
};

// The panel with its run controls, the About window opened by the about command.
struct Scene {
    explicit Scene(std::set<std::string> programs = {})
        : registry("/usr/bin", [programs](const std::string& p) { return programs.contains(p); }),
          parameters(panel, record, run, box,
                     [] {
                         return GraphSize{640, 252};
                     }),
          controls(panel, run, record, parameters, clock, box, hooks()),
          about(panel, run, box, registry, launcher) {
        panel.setChangeHandler([this](std::string_view c) { parameters.textChanged(c); });
        run.joutai = kStopped;
    }

    RunControlHooks hooks() {
        RunControlHooks h;
        h.resetPen = [] {};
        h.graphHaikei = [] {};
        h.clearGraph = [] {};
        h.quit = [] {};
        h.processEvents = [] {};
        h.showAbout = [this] { about.showModeless(); };
        h.enterFullScreen = [] {};
        return h;
    }

    // Start a run, pause it, then press about: the state the About window meets.
    void runPauseAndOpenAbout() {
        controls.Command2_Click();
        controls.Command6_Click();
        controls.cmdtest_Click();
    }

    void expectPanelRestored() {
        for (const char* name : RunControls::kRunButtons) {
            QVERIFY2(panel.isEnabled(name), name);
        }
        QCOMPARE(QString::fromStdString(panel.text("Command2")), QStringLiteral("開始"));
        QCOMPARE(run.joutai, int(kStopped));
        QVERIFY(!about.isVisible());
    }

    test::FakePanel panel;
    ModelRecord record;
    RunState run;
    test::ManualClock clock;
    test::RecordingMessageBox box;
    LinuxRegistry registry;
    FakeLauncher launcher;
    ParameterPanel parameters;
    RunControls controls;
    app::FrmAbout about;
};

// True when some pixel of the image has exactly this colour.
bool hasColour(const QImage& image, QRgb colour) {
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            if ((image.pixel(x, y) & 0xFFFFFF) == (colour & 0xFFFFFF)) {
                return true;
            }
        }
    }
    return false;
}

}  // namespace

class FrmAboutTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void controlsAtTheirPlacesWithTheirTexts() {
        Scene s;
        app::FrmAbout& a = s.about;
        QCOMPARE(a.windowTitle(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報"));
        QCOMPARE(a.size(), QSize(446, 109));  // 6690 × 1635 twips
        QVERIFY(!a.isModal());
        struct Place {
            const char* name;
            QRect px;
        };
        const Place places[] = {
            {"picIcon", {16, 16, 36, 36}},     {"lblTitle", {72, 16, 259, 24}},
            {"lblVersion", {72, 52, 259, 15}}, {"Label1", {72, 64, 259, 15}},
            {"Label2", {72, 80, 355, 15}},     {"cmdOK", {346, 16, 92, 23}},
            {"cmdSysInfo", {344, 48, 92, 23}},
        };
        for (const Place& p : places) {
            QWidget* w = a.control(p.name);
            QVERIFY2(w != nullptr, p.name);
            QCOMPARE(w->geometry(), p.px);
            if (!QByteArray(p.name).startsWith("pic")) {
                QFontInfo info(w->font());
                QCOMPARE(info.family(), QStringLiteral("IPAGothic"));
                QCOMPARE(w->font().pointSizeF(), 9.0);
            }
        }
        auto text = [&](const char* name) { return static_cast<QLabel*>(a.control(name))->text(); };
        QCOMPARE(text("lblTitle"), QStringLiteral("ユラナ"));
        QCOMPARE(text("lblVersion"), QStringLiteral("ﾊﾞｰｼﾞｮﾝ ") + YURANA_VERSION);
        QVERIFY(!text("Label1").isEmpty());
        QVERIFY(a.control("Label2")->font().bold());
        auto* ok = static_cast<QPushButton*>(a.control("cmdOK"));
        QCOMPARE(ok->text(), QStringLiteral("OK"));
        QVERIFY(ok->isDefault());
        QCOMPARE(static_cast<QPushButton*>(a.control("cmdSysInfo"))->text(),
                 QStringLiteral("ｼｽﾃﾑ情報(&S)"));
        QVERIFY(!static_cast<QLabel*>(a.control("picIcon"))->pixmap().isNull());
    }

    void linkIsBlueAndSeparatorEtched() {
        Scene s;
        s.about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.about));
        QVERIFY(hasColour(s.about.control("Label2")->grab().toImage(), qRgb(0, 0, 255)));
        QImage window = s.about.grab().toImage();
        QCOMPARE(window.pixel(200, 104) & 0xFFFFFF, qRgb(128, 128, 128) & 0xFFFFFF);
        QCOMPARE(window.pixel(200, 105) & 0xFFFFFF, qRgb(255, 255, 255) & 0xFFFFFF);
        s.about.close();
    }

    void okRestoresThePanelWhateverTheAboutCommandLeft() {
        Scene s;
        s.runPauseAndOpenAbout();
        QCOMPARE(s.run.joutai, int(kAboutResumed));
        QVERIFY(!s.panel.isEnabled("Command2"));
        QCOMPARE(QString::fromStdString(s.panel.text("Command2")), QStringLiteral("停止"));
        QVERIFY(s.about.isVisible());
        QTest::mouseClick(s.about.control("cmdOK"), Qt::LeftButton);
        s.expectPanelRestored();
    }

    void enterActsAsOk() {
        Scene s;
        s.runPauseAndOpenAbout();
        QVERIFY(QTest::qWaitForWindowExposed(&s.about));
        QTest::keyClick(&s.about, Qt::Key_Return);
        s.expectPanelRestored();

        s.controls.cmdtest_Click();  // opened again from the stopped state
        QCOMPARE(s.run.joutai, int(kAboutPaused));
        QVERIFY(s.about.isVisible());
        QTest::keyClick(&s.about, Qt::Key_Enter);
        s.expectPanelRestored();
    }

    void escActsAsOk() {
        Scene s;
        s.runPauseAndOpenAbout();
        QVERIFY(QTest::qWaitForWindowExposed(&s.about));
        QTest::keyClick(&s.about, Qt::Key_Escape);
        s.expectPanelRestored();
    }

    void closingByTheTitleBarActsAsOk() {
        Scene s;
        s.runPauseAndOpenAbout();
        QVERIFY(QTest::qWaitForWindowExposed(&s.about));
        QSignalSpy finished(&s.about, &QDialog::finished);
        s.about.windowHandle()->close();
        s.expectPanelRestored();
        QCOMPARE(finished.count(), 1);
    }

    void linkOpensTheGuideBesideTheProgram() {
        Scene s;
        s.about.show();
        QVERIFY(QTest::qWaitForWindowExposed(&s.about));
        QWidget* link = s.about.control("Label2");
        QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, link->height() / 2));
        QCOMPARE(s.launcher.opened.size(), size_t(1));
        QCOMPARE(QString::fromStdString(s.launcher.opened[0]),
                 QCoreApplication::applicationDirPath() + "/guide/index.html");
        QVERIFY(s.about.isVisible());  // the window stays open
        s.about.close();
    }

    void sysInfoStartsTheProgramFoundOrSaysItCannot() {
        Scene with({"/usr/bin/hardinfo"});
        QTest::mouseClick(with.about.control("cmdSysInfo"), Qt::LeftButton);
        QCOMPARE(with.launcher.started, std::vector<std::string>{"/usr/bin/hardinfo"});
        QVERIFY(with.box.texts.empty());

        Scene without;
        without.about.show();
        QTest::mouseClick(without.about.control("cmdSysInfo"), Qt::LeftButton);
        QVERIFY(without.launcher.started.empty());
        QCOMPARE(without.box.texts, std::vector<std::string>{std::string(kMsgSysInfoUnavailable)});
        QVERIFY(without.about.isVisible());  // the window stays open
        without.about.close();
    }
};

QTEST_MAIN(FrmAboutTest)
#include "frm_about_test.moc"
