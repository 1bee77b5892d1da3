// What the window system holds as the windows' titles, read back from the X server
// (xprop), since the platform may decorate a title on its way there.

#include <QApplication>
#include <QMessageBox>
#include <QProcess>
#include <QTimer>
#include <QtTest>
#include <functional>

#include "app/program_setup.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;

namespace {

// The property as xprop prints it, e.g. _NET_WM_NAME(UTF8_STRING) = "ユラナ".
QString xTitle(const QWidget* window, const char* property) {
    QProcess xprop;
    xprop.start("xprop", {"-id", QString::number(window->winId()), property});
    xprop.waitForFinished(5000);
    const QString out = QString::fromUtf8(xprop.readAllStandardOutput()).trimmed();
    const qsizetype first = out.indexOf('"');
    return first < 0 ? out : out.mid(first + 1, out.lastIndexOf('"') - first - 1);
}

bool titled(const QWidget* window, const QString& title) {
    return xTitle(window, "_NET_WM_NAME") == title && xTitle(window, "WM_NAME") == title;
}

// Runs `inspect` on the modal box that `open` brings up, then closes the box.
void withModalBox(const std::function<void()>& open,
                  const std::function<void(QMessageBox*)>& inspect) {
    bool seen = false;
    QTimer poll;
    poll.setInterval(20);
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr || seen || !QTest::qWaitForWindowExposed(box)) {
            return;
        }
        seen = true;
        inspect(box);
        box->accept();
    });
    poll.start();
    open();
    QVERIFY(seen);
}

}  // namespace

class TitlesTest : public QObject {
    Q_OBJECT

    std::unique_ptr<test::ProgramFolder> folder_;
    std::unique_ptr<test::AppFixture> f_;
    app::Application* app_ = nullptr;

    void click(const char* name) { f_->click(name); }

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        app::setUpProgram();
        folder_ = std::make_unique<test::ProgramFolder>();
        f_ =
            std::make_unique<test::AppFixture>(folder_->path(), app::Form2Options{}, nullptr, true);
        app_ = f_->app.get();
        QVERIFY(QTest::qWaitForWindowExposed(&app_->frame()));
    }

    void theFrame() { QTRY_VERIFY(titled(&app_->frame(), QStringLiteral("ユラナ"))); }

    void aSaveMessage() {
        withModalBox([this] { click("Cmd_Save2"); },
                     [](QMessageBox* box) {
                         QTRY_VERIFY(titled(box, QStringLiteral("Save2")));
                         QVERIFY(box->text().contains(QStringLiteral("yuran2.txt")));
                     });
    }

    void theProgramsOwnMessage() {
        app_->panel().setText("Textm", "0");
        withModalBox([this] { click("Command_keisan"); },
                     [](QMessageBox* box) {
                         QTRY_VERIFY(titled(box, QStringLiteral("ユラナ")));
                         QCOMPARE(box->text(),
                                  QStringLiteral("正しい値を半角数字で入力してください。"));
                     });
        app_->panel().setText("Textm", "1");
    }

    void theAboutWindow() {
        click("cmdtest");
        QVERIFY(QTest::qWaitForWindowExposed(&app_->about()));
        QTRY_VERIFY(titled(&app_->about(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")));
        QTest::keyClick(&app_->about(), Qt::Key_Escape);
        QTRY_VERIFY(!app_->about().isVisible());
    }

    void cleanupTestCase() {
        f_.reset();
        folder_.reset();
    }
};

QTEST_MAIN(TitlesTest)
#include "titles_test.moc"
