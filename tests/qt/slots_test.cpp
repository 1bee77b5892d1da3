// The slots on the real panel window: Qt line edits, labels and tri-state check
// boxes, with the ζ/ωn change handling raised by QLineEdit::textChanged.

#include <QCheckBox>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QtTest>

#include "app/form1.h"
#include "model/parameter_panel.h"
#include "platform/posix_files.h"
#include "platform/qt/fonts.h"
#include "platform/qt/qt_panel.h"
#include "storage/slot_format.h"
#include "storage/slots.h"
#include "support/fake_panel.h"

using namespace yurana;

namespace {

// The panel window with its logic and the slots, over a temporary program folder.
struct Fixture {
    Fixture() {
        panel.setChangeHandler([this](std::string_view c) { form.textChanged(c); });
        run.joutai = kStopped;
    }
    ~Fixture() { panel.setChangeHandler(nullptr); }

    QLineEdit* edit(const char* name) { return qobject_cast<QLineEdit*>(window.control(name)); }
    QCheckBox* check(const char* name) { return qobject_cast<QCheckBox*>(window.control(name)); }
    QString label(const char* name) { return qobject_cast<QLabel*>(window.control(name))->text(); }
    QByteArray slotBytes(int n) {
        QFile f(QString::fromStdString(slotFiles.path(n)));
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }

    QTemporaryDir dir;
    app::Form1 window;
    qt::QtPanel panel{&window, [this] { window.show(); }};
    ModelRecord record;
    RunState run;
    test::RecordingMessageBox box;
    ParameterPanel form{panel, record, run, box, {}};
    PosixFiles files;
    Slots slotFiles{panel, run, box, files, dir.path().toStdString()};
};

}  // namespace

class SlotsTest : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void roundTripOnTheRealWidgets() {
        Fixture f;
        QVERIFY(f.dir.isValid());
        f.edit("Textk")->setText(" 1000  ");
        f.edit("Textc")->setText("");
        f.edit("Textm")->setText("ｍ＝１");
        f.edit("Textz")->setText("0.5");  // recomputes: Labelwd and Labelhz change
        f.panel.setText("Labelwd", "***");
        f.check("Checkxc")->setCheckState(Qt::PartiallyChecked);
        f.check("Checkkabeheni")->setCheckState(Qt::Checked);
        std::vector<std::string> saved = readSlotValues(f.panel);

        f.slotFiles.hozon(1);
        QCOMPARE(f.box.texts.back(), std::string("yuran1.txtに値を保存しました。"));
        QCOMPARE(f.box.titles.back(), std::string("Save1"));
        QByteArray bytes = f.slotBytes(1);
        QCOMPARE(bytes.count("\r\n"), 25);
        QCOMPARE(bytes.count('\n'), 25);
        QCOMPARE(bytes.count('\r'), 25);
        QVERIFY(bytes.endsWith("\r\n"));
        QVERIFY(bytes.contains("\r\n***\r\n"));

        f.edit("Textk")->setText("1");
        f.edit("Textm")->setText("2");
        f.edit("Textz")->setText("0.9");
        f.check("Checkxc")->setCheckState(Qt::Unchecked);
        f.check("Checkkabeheni")->setCheckState(Qt::Unchecked);
        f.slotFiles.yomikomi(1);
        QCOMPARE(readSlotValues(f.panel), saved);
        QCOMPARE(f.edit("Textk")->text(), QStringLiteral(" 1000  "));
        QCOMPARE(f.edit("Textm")->text(), QStringLiteral("ｍ＝１"));
        QCOMPARE(f.label("Labelwd"), QStringLiteral("***"));
        QCOMPARE(f.check("Checkxc")->checkState(), Qt::PartiallyChecked);
        QCOMPARE(f.check("Checkkabeheni")->checkState(), Qt::Checked);
    }

    void loadWhileRunningStopsAndRestoresTheCaptions() {
        Fixture f;
        f.run.joutai = kRunning;
        f.panel.setText("Command2", "停止");
        std::string lines;
        std::vector<std::string> values = readSlotValues(f.panel);
        values[3] = "0.5";     // Textz
        values[4] = "10";      // Textwn
        values[6] = "***";     // Labelwd
        values[8] = "1.2345";  // Labelhz
        for (const std::string& v : values) {
            lines += v + "\r\n";
        }
        QFile out(QString::fromStdString(f.slotFiles.path(0)));
        QVERIFY(out.open(QIODevice::WriteOnly));
        out.write(lines.data(), qint64(lines.size()));
        out.close();

        f.slotFiles.yomikomi(0);
        QVERIFY(f.box.texts.empty());
        QCOMPARE(f.run.joutai, int(kStopped));
        QCOMPARE(f.panel.text("Command2"), std::string("開始"));
        QCOMPARE(f.record.z, 0.5f);
        QCOMPARE(f.record.wn, 10.0f);
        QCOMPARE(f.record.wd, 8.6603f);
        QCOMPARE(f.label("Labelwd"), QStringLiteral("***"));
        QCOMPARE(f.label("Labelhz"), QStringLiteral("1.2345"));
    }

    void failedLoadLeavesTheWindowAlone() {
        Fixture f;
        f.run.joutai = kRunning;
        f.panel.setText("Command2", "停止");
        std::vector<std::string> before = readSlotValues(f.panel);
        f.slotFiles.yomikomi(3);
        QCOMPARE(f.box.texts.size(), size_t(1));
        QVERIFY(f.box.texts[0].starts_with("yuran3.txtを読み込めませんでした。"));
        QCOMPARE(f.box.titles[0], std::string("Load3"));
        QCOMPARE(readSlotValues(f.panel), before);
        QCOMPARE(f.panel.text("Command2"), std::string("停止"));
        QCOMPARE(f.run.joutai, int(kRunning));
    }
};

QTEST_MAIN(SlotsTest)
#include "slots_test.moc"
