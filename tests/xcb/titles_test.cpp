// What the window system holds as the windows' titles, read back from the X server
// (xprop), since the platform may decorate a title on its way there; and Qt's own texts.

#include <QApplication>
#include <QDialogButtonBox>
#include <QLineEdit>
#include <QMenu>
#include <QMessageBox>
#include <QProcess>
#include <QPushButton>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <memory>

#include "app/program_setup.h"
#include "panel/control_names.h"
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

// Checks the title and text of the modal box that `open` brings up, then closes it.
void expectModalBox(const std::function<void()>& open, const QString& title, const QString& text) {
    bool seen = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box != nullptr && !seen && QTest::qWaitForWindowExposed(box)) {
            seen = true;
            QTRY_VERIFY(titled(box, title));
            QVERIFY2(box->text().contains(text), qPrintable(box->text()));
            box->accept();
        }
    });
    poll.start(20);
    open();
    QVERIFY(seen);
}

}  // namespace

class TitlesTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        app::setUpProgram();
    }
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void everyTitleReachesTheWindowSystemAsWritten() {
        test::ProgramFolder folder;
        test::AppFixture f(folder.path(), {}, nullptr, true);
        QVERIFY(QTest::qWaitForWindowExposed(&f.app->frame()));
        QTRY_VERIFY(titled(&f.app->frame(), QStringLiteral("ユラナ")));
        expectModalBox([&] { f.click(ctl::Cmd_Save[2]); }, "Save2", "yuran2.txt");
        f.app->panel().setText(ctl::Textm, "0");
        expectModalBox([&] { f.click(ctl::Command_keisan); }, QStringLiteral("ユラナ"),
                       QStringLiteral("正しい値を半角数字で入力してください。"));
        f.click(ctl::cmdtest);
        QVERIFY(QTest::qWaitForWindowExposed(&f.app->about()));
        QTRY_VERIFY(titled(&f.app->about(), QStringLiteral("ﾊﾞｰｼﾞｮﾝ情報")));
        QTest::keyClick(&f.app->about(), Qt::Key_Escape);
        QTRY_VERIFY(!f.app->about().isVisible());
    }

    // Qt's own texts follow the program's language, whatever the system's (LANG=C here).
    void qtsOwnTextsAreJapanese() {
        QLineEdit edit;
        std::unique_ptr<QMenu> menu(edit.createStandardContextMenu());
        QVERIFY(menu->actions().first()->text().startsWith(QStringLiteral("元に戻す(&U)")));
        QDialogButtonBox buttons(QDialogButtonBox::Save | QDialogButtonBox::Cancel);
        QCOMPARE(buttons.button(QDialogButtonBox::Cancel)->text(), QStringLiteral("キャンセル"));
    }
};

QTEST_MAIN(TitlesTest)
#include "titles_test.moc"
