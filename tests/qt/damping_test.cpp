// 減衰の測定 in the program: the model's peaks measured and marked on 時刻歴, a measured file
// opened through the file dialog, fitted and sent to the panel, and files refused with one
// message naming the line.

#include <QFileDialog>
#include <QLegendMarker>
#include <QMenu>
#include <QMenuBar>
#include <QMessageBox>
#include <QtTest>
#include <cmath>

#include "analysis/format.h"
#include "model/numbers.h"
#include "panel/control_names.h"
#include "support/app_fixture.h"

using namespace yurana;
using W = charts::DampingWindow;

class DampingTest : public QObject {
    Q_OBJECT

    // Opens `path` through ファイル > 測定データを開く and the file dialog; `answer`, when
    // given, is the button pressed in the question that follows.
    static void openThroughDialog(test::AppFixture& f, const QString& path,
                                  const QString& answer = {}) {
        QTimer::singleShot(0, [path, answer] {
            auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget());
            QVERIFY(dialog);
            dialog->selectFile(path);
            if (!answer.isEmpty()) {
                QTimer::singleShot(0, [answer] {
                    auto* ask = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
                    QVERIFY(ask);
                    for (QAbstractButton* b : ask->buttons()) {
                        if (b->text() == answer) {
                            b->click();
                        }
                    }
                });
            }
            QMetaObject::invokeMethod(dialog, "accept");
        });
        f.app->menus().openDataAction()->trigger();
    }

  private slots:
    void measuresTheModelAndMarksTheTimeHistory() {
        test::AppFixture f;
        W& w = f.app->analysis().damping();
        QVERIFY(f.viewOpens(QStringLiteral("減衰の測定(&D)"), QStringLiteral("動吸振器(&A)"), w));
        f.type(ctl::Textf, "0");
        f.type(ctl::Textm, "1.5");
        f.type(ctl::Textc, "2.4");
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        const QString text = w.readout()->text();
        QCOMPARE(w.readout()->accessibleName(), text);
        // The drawn decay is that of the panel's ζ, rounded by 計算 to 0.031, not quite the
        // 2.4 / (2·√(1000·1.5)) of m, k and c: the measurement shows the difference.
        QVERIFY2(std::abs(test::numberAfter(text, "ζ(対数減衰率)=") - 0.031) < 1e-6,
                 qPrintable(text));
        QVERIFY(std::abs(test::numberAfter(text, "ζ(包絡線)=") - 0.031) < 1e-6);
        QCOMPARE(test::numberAfter(text, "ζ(m,k,c)="), 0.0309839);
        QVERIFY(!text.contains("F≠0"));
        const auto& peaks = w.measurement().peaks;
        QCOMPARE(w.peakTable()->rowCount(), int(peaks.size()));
        QCOMPARE(w.peakTable()->item(2, 1)->text(),
                 QString::fromStdString(analysis::g6(peaks[2].t)));
        QCOMPARE(w.peakTable()->item(2, 0)->text(), QStringLiteral("3"));
        // The spin boxes keep within the peaks.
        w.firstPeak()->setValue(5);
        w.peakCount()->setValue(1000);
        QCOMPARE(w.peakCount()->value(), int(peaks.size()) - 5);

        // On 時刻歴: the peaks and the envelope through them, while 減衰の測定 is shown.
        f.app->analysis().historyAction()->trigger();
        charts::MeasuredMarks& marks = f.app->analysis().history().marks();
        QCOMPARE(marks.peaks()->count(), int(peaks.size()));
        QVERIFY(marks.upperEnvelope()->isVisible());
        const auto legend = f.app->analysis().history().chart()->legend();
        QVERIFY(legend->markers(marks.upperEnvelope())[0]->isVisible());
        QVERIFY(!legend->markers(marks.lowerEnvelope())[0]->isVisible());
        const QPointF top = marks.upperEnvelope()->at(0);
        const auto envelope = w.measurement().envelope.value.value();
        QVERIFY(std::abs(top.y() - envelope.at(top.x())) < 1e-12);
        QVERIFY(std::abs(marks.lowerEnvelope()->at(7).y() + marks.upperEnvelope()->at(7).y()) <
                1e-12);
        f.app->analysis().dampingAction()->trigger();
        QCOMPARE(marks.peaks()->count(), 0);
        QVERIFY(!marks.upperEnvelope()->isVisible());

        f.type(ctl::Textf, "3");
        f.click(ctl::Command_keisan);
        f.app->analysis().dampingAction()->trigger();
        f.run(1, 0.1);
        QVERIFY(w.readout()->text().contains("\nF≠0: 山は定常の強制振動を含む"));
    }

    void opensAFileThroughTheDialogFitsAndSendsToThePanel() {
        test::AppFixture f;
        W& w = f.app->analysis().damping();
        f.click(ctl::Command2);  // 開始
        f.run(3, 0.05);
        QCOMPARE(f.app->session().run().joutai, kRunning);
        const QString sample = QCoreApplication::applicationDirPath() + "/guide/sample-decay.csv";
        openThroughDialog(f, sample);
        QVERIFY(f.box.texts.empty());
        QVERIFY(w.isVisible() && w.dataSource()->isChecked());
        QCOMPARE(f.app->analysis().history().marks().data()->isVisible(), true);
        QVERIFY(!w.sendButton()->isEnabled());
        // Ruler measurements of the noisy record are near the truth, ζ = 0.02.
        QVERIFY(std::abs(test::numberAfter(w.readout()->text(), "ζ(包絡線)=") - 0.02) < 0.002);

        QTest::mouseClick(w.fitButton(), Qt::LeftButton);
        const QString fit = w.fitReadout()->text();
        QVERIFY2(fit.contains("R²="), qPrintable(fit));
        QVERIFY(w.fitReadout()->accessibleName() == fit);
        const damping::Fit& result = w.fit().value();
        QVERIFY(std::abs(result.zeta - 0.02) < 0.01 * 0.02);
        QVERIFY(std::abs(result.wn - 20) < 0.002 * 20);
        QCOMPARE(w.fittedCurve()->count(), 1001);

        QTest::mouseClick(w.sendButton(), Qt::LeftButton);
        const double m = 1;  // the panel's
        QCOMPARE(f.text(ctl::Textk), num::singleText(float(m * result.wn * result.wn)));
        QCOMPARE(f.text(ctl::Textc), num::singleText(float(2 * result.zeta * result.wn * m)));
        QCOMPARE(f.text(ctl::Textm), std::string("1"));
        QCOMPARE(f.app->session().run().joutai, kStopped);
        // 計算 ran: ζ follows the new k and c.
        QVERIFY(std::abs(std::stod(f.text(ctl::Textz)) - result.zeta) < 1e-4);
    }

    void refusesABadFileWithOneMessageAndAsksWhatAHeaderlessOneHolds() {
        test::AppFixture f;
        W& w = f.app->analysis().damping();
        QTemporaryDir dir;
        const auto write = [&dir](const char* name, const QByteArray& bytes) {
            QFile file(dir.filePath(name));
            file.open(QIODevice::WriteOnly);
            file.write(bytes);
            return file.fileName();
        };
        QByteArray rows;
        for (int i = 1; i <= 40; ++i) {
            const double w0 = 0.5 * i, s = 900 - 2.5 * w0 * w0;
            rows += QByteArray::number(w0 / (2 * M_PI), 'g', 12) + "\t" +
                    QByteArray::number(2 / std::sqrt(s * s + 16 * w0 * w0), 'g', 10) + "\n";
        }
        openThroughDialog(f, write("bad.csv", "t,x\n0,1\n0.1,2\n0.05,3\n" + rows));
        QCOMPARE(f.box.texts.size(), std::size_t(1));
        QCOMPARE(f.box.texts[0],
                 std::string("測定データを読めません。\nbad.csv: 4行目: 時刻が前の行より大きく"
                             "ありません (増加する順に並べてください)"));
        QVERIFY(!w.isVisible() && !w.dataSource()->isEnabled());

        openThroughDialog(f, write("response.txt", rows),
                          QStringLiteral("周波数応答 (f Hz, 振幅 m)"));
        QCOMPARE(f.box.texts.size(), std::size_t(1));
        QVERIFY(w.dataSource()->isChecked());
        QCOMPARE(f.app->analysis().frequency().measuredPoints()->count(), 40);
        QVERIFY(std::abs(f.app->analysis().frequency().measuredPoints()->at(3).x() - 2) < 1e-5);
        QVERIFY(w.readout()->text().contains("δ=なし(周波数応答のデータ)"));
        QTest::mouseClick(w.fitButton(), Qt::LeftButton);
        // F = 3 N on the panel, not the 2 N the data were made with: m, k, c scale by 3/2.
        QVERIFY2(std::abs(w.fit()->k - 1350) < 1e-4, qPrintable(w.fitReadout()->text()));
        QVERIFY(std::abs(*w.fit()->m - 3.75) < 1e-5);
        QVERIFY(std::abs(w.fit()->c - 6) < 1e-5);
    }
};

QTEST_MAIN(DampingTest)
#include "damping_test.moc"
