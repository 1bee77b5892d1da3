// The parameter panel as a real Qt window: controls, defaults, fonts, accessibility,
// and the live 計算 and ζ/ωn change handling.

#include <QAccessible>
#include <QCheckBox>
#include <QFontInfo>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QtTest>

#include "app/application.h"
#include "model/panel_controls.h"
#include "platform/qt/fonts.h"
#include "support/fake_panel.h"

using namespace yurana;

class Form1Test : public QObject {
    Q_OBJECT

    static app::Application::Options options(test::RecordingMessageBox& box) {
        app::Application::Options o;
        o.box = &box;
        o.runLoop = false;
        return o;
    }

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void everyControlHasItsNameCaptionAndPlace() {
        test::RecordingMessageBox box;
        app::Application a(options(box));
        for (const ControlDef& c : panelControls()) {
            QWidget* w = a.form1().control(std::string(c.name).c_str());
            QVERIFY2(w != nullptr, std::string(c.name).c_str());
            if (!c.text.empty()) {
                QCOMPARE(QString::fromStdString(a.panel().text(c.name)),
                         QString::fromUtf8(c.text.data(), qsizetype(c.text.size())));
            }
        }
        // Textk: (4290, 0, 1335, 375) panel units.
        QWidget* textk = a.form1().control("Textk");
        QCOMPARE(textk->geometry(), QRect(284, 0, 88, 24));
        // Check boxes inside the frame are its children.
        QCOMPARE(a.form1().control("Checkkabeheni")->parentWidget(), a.form1().control("Frame1"));
        QCOMPARE(a.form1().windowTitle(), QStringLiteral("初期設定"));
        QCOMPARE(a.frame().windowTitle(), QStringLiteral("ユラナ"));
        // Result fields are captions, not editable.
        QVERIFY(qobject_cast<QLabel*>(a.form1().control("Labelcc")) != nullptr);
        QCOMPARE(a.panel().value("Checkheni"), 0);
    }

    void japaneseFontsResolveToIpa() {
        QFontInfo gothic(qt::programFont(qt::kGothic, 9, true));
        QCOMPARE(gothic.family(), QStringLiteral("IPAGothic"));
        QFontInfo pgothic(qt::programFont(qt::kPGothic, 12));
        QCOMPARE(pgothic.family(), QStringLiteral("IPAPGothic"));
    }

    void captionColours() {
        test::RecordingMessageBox box;
        app::Application a(options(box));
        QCOMPARE(a.form1().control("Checkheni")->palette().color(QPalette::WindowText),
                 QColor(255, 0, 0));
        QCOMPARE(a.form1().control("Checkxcxp")->palette().color(QPalette::WindowText),
                 QColor(255, 255, 0));
    }

    void accessibleNamesAndDescriptions() {
        test::RecordingMessageBox box;
        app::Application a(options(box));
        a.Main();
        auto name = [&](const char* control) {
            QAccessibleInterface* iface =
                QAccessible::queryAccessibleInterface(a.form1().control(control));
            return iface->text(QAccessible::Name);
        };
        QCOMPARE(name("Textk"), QStringLiteral("バネ定数k(N/m)"));
        QCOMPARE(name("Textwn"), QStringLiteral("固有角振動数ωn(rad/s)"));
        QCOMPARE(name("Texttest"), QStringLiteral("Texttest"));
        QCOMPARE(name("Labelwd"), QStringLiteral("31.6189"));
        QCOMPARE(name("Command2"), QStringLiteral("開始"));
        QAccessibleInterface* wd =
            QAccessible::queryAccessibleInterface(a.form1().control("Labelwd"));
        QCOMPARE(wd->text(QAccessible::Description), QStringLiteral("減衰固有角振動数ωd (rad/s)"));
    }

    void keisanAndChangeHandlingWorkLive() {
        test::RecordingMessageBox box;
        app::Application a(options(box));
        a.Main();
        auto* textc = qobject_cast<QLineEdit*>(a.form1().control("Textc"));
        textc->selectAll();
        QTest::keyClicks(textc, "2");
        QTest::mouseClick(qobject_cast<QPushButton*>(a.form1().control("Command_keisan")),
                          Qt::LeftButton);
        QCOMPARE(a.panel().text("Textz"), std::string("0.0316"));
        QCOMPARE(a.panel().text("Labelwd"), std::string("31.607"));
        QCOMPARE(a.record().c, 2.0f);
        QVERIFY2(box.texts.empty(), box.texts.empty() ? "" : box.texts[0].c_str());

        // Typing ωn recomputes at once.
        auto* textwn = qobject_cast<QLineEdit*>(a.form1().control("Textwn"));
        textwn->selectAll();
        QTest::keyClicks(textwn, "10");
        QCOMPARE(a.record().wn, 10.0f);
        QCOMPARE(a.panel().text("Labelhz"), std::string("1.5915"));

        // m = 0: the message, and nothing changes.
        auto* textm = qobject_cast<QLineEdit*>(a.form1().control("Textm"));
        textm->selectAll();
        QTest::keyClicks(textm, "0");
        QTest::mouseClick(qobject_cast<QPushButton*>(a.form1().control("Command_keisan")),
                          Qt::LeftButton);
        QCOMPARE(box.texts.size(), size_t(1));
        QCOMPARE(box.texts[0], std::string("正しい値を半角数字で入力してください。"));
        QCOMPARE(a.panel().text("Textz"), std::string("0.0316"));
    }

    void garbageInEveryBoxNeverCrashes() {
        test::RecordingMessageBox box;
        app::Application a(options(box));
        const char* garbage[] = {"", "-", "1e999", "ｱｲｳ", "0", "-1e38", "1e-45", "NaN", "inf"};
        for (const ControlDef& c : panelControls()) {
            if (c.kind != ControlKind::TextBox) {
                continue;
            }
            for (const char* g : garbage) {
                a.panel().setText(c.name, g);
                a.parameters().Command_keisan_Click();
            }
            a.panel().setText(c.name, c.text);
        }
        for (const std::string& t : box.texts) {
            QCOMPARE(t, std::string("正しい値を半角数字で入力してください。"));
        }
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
