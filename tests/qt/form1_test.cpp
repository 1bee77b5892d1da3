// The parameter panel as a real window: Japanese fonts, accessibility, and 計算 live.

#include <QAccessible>
#include <QApplication>
#include <QCheckBox>
#include <QFile>
#include <QFontInfo>
#include <QtTest>

#include "platform/qt/fonts.h"
#include "support/app_fixture.h"
#include "support/program_folder.h"

using namespace yurana;

class Form1Test : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void initTestCase() { qt::installFontSubstitutions(); }

    // The fonts; the names and descriptions a screen reader reads; 計算 and the change handling
    // live (the values are parameter_panel_test's), the names following.
    void japaneseFontsAccessibleTextsAndKeisanLive() {
        QCOMPARE(QFontInfo(qt::programFont(qt::kGothic, 9, true)).family(), "IPAGothic");
        QCOMPARE(QFontInfo(qt::programFont(qt::kPGothic, 12)).family(), "IPAPGothic");
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
        f.type("Textc", "2");
        f.click("Command_keisan");
        QCOMPARE(f.text("Labelwd"), std::string("31.607"));
        QCOMPARE(text("Labelwd", QAccessible::Name), QStringLiteral("31.607"));
        f.type("Textwn", "10");  // typing ωn recomputes at once
        QCOMPARE(f.text("Labelhz"), std::string("1.5915"));
    }

    // Save N writes yuranN.txt and Load N reads it. A box loaded greyed shows greyed; the
    // first click makes it a two-state box, so clicks then go 1, 0, 1 and a box that looks
    // ticked holds 1.
    void everySlotButtonSavesAndLoadsItsOwnFileAGreyedBoxToo() {
        test::ProgramFolder folder;
        test::AppFixture f(folder.path());
        f.app->panel().setValue("Checkxc", 2);
        for (int n = 0; n < 5; ++n) {
            f.type("Textk", std::to_string(300 + 7 * n).c_str());
            f.click(("Cmd_Save" + std::to_string(n)).c_str());
            QCOMPARE(f.box.titles.back(), "Save" + std::to_string(n));
            QVERIFY(QFile::exists(folder.dir.filePath(QString("yuran%1.txt").arg(n))));
        }
        f.app->panel().setValue("Checkxc", 0);
        for (int n : {3, 0, 4, 1, 2}) {
            f.click(("Cmd_Load" + std::to_string(n)).c_str());
            QCOMPARE(f.text("Textk"), std::to_string(300 + 7 * n));
        }
        QCOMPARE(f.box.texts.size(), size_t(5));  // a load that works says nothing
        QCOMPARE(f.app->panel().value("Checkxc"), 2);
        auto* box = qobject_cast<QCheckBox*>(f.app->form1().control("Checkxc"));
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
        std::vector<int> seen;
        for (int i = 0; i < 4; ++i) {
            QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(6, box->height() / 2));
            seen.push_back(f.app->panel().value("Checkxc"));
        }
        QCOMPARE(seen, (std::vector<int>{1, 0, 1, 0}));
        f.app->panel().setValue("Checkxc", 2);  // saved and loaded again, as it was stored
        f.click("Cmd_Save4");
        f.click("Cmd_Load4");
        QCOMPARE(box->checkState(), Qt::PartiallyChecked);
    }
};

QTEST_MAIN(Form1Test)
#include "form1_test.moc"
