// The parameter panel as a real window: Japanese fonts, accessibility, and 計算 live.

#include <QAccessible>
#include <QFontInfo>
#include <QtTest>

#include "platform/qt/fonts.h"
#include "support/app_fixture.h"

using namespace yurana;

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void japaneseFontsResolveToIpa() {
        QCOMPARE(QFontInfo(qt::programFont(qt::kGothic, 9, true)).family(),
                 QStringLiteral("IPAGothic"));
        QCOMPARE(QFontInfo(qt::programFont(qt::kPGothic, 12)).family(),
                 QStringLiteral("IPAPGothic"));
    }

    void accessibleNamesAndDescriptions() {
        test::AppFixture f;
        auto text = [&](const char* control, QAccessible::Text kind) {
            return QAccessible::queryAccessibleInterface(f.app->form1().control(control))
                ->text(kind);
        };
        QCOMPARE(text("Textk", QAccessible::Name), QStringLiteral("バネ定数k(N/m)"));
        QCOMPARE(text("Texttest", QAccessible::Name), QStringLiteral("Texttest"));
        QCOMPARE(text("Labelwd", QAccessible::Name), QStringLiteral("31.6189"));
        QCOMPARE(text("Labelwd", QAccessible::Description),
                 QStringLiteral("減衰固有角振動数ωd (rad/s)"));
    }

    void keisanAndTheChangeHandlingWorkLive() {
        test::AppFixture f;
        f.type("Textc", "2");
        f.click("Command_keisan");
        QCOMPARE(f.text("Textz"), std::string("0.0316"));
        QCOMPARE(f.text("Labelwd"), std::string("31.607"));
        f.type("Textwn", "10");  // typing ωn recomputes at once
        QCOMPARE(f.app->record().wn, 10.0f);
        QCOMPARE(f.text("Labelhz"), std::string("1.5915"));
        f.type("Textm", "0");
        f.click("Command_keisan");
        QCOMPARE(f.box.texts, std::vector<std::string>{"正しい値を半角数字で入力してください。"});
        QCOMPARE(f.text("Textz"), std::string("0.0316"));
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
