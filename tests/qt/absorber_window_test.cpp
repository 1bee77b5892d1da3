// The dynamic absorber window: opened from the 表示 menu, tuned by hand and by 最適調整, bad
// values refused once each, and its picture following the run at every pass.

#include <QLegend>
#include <QLegendMarker>
#include <QtTest>
#include <cmath>

#include "panel/control_names.h"
#include "panel/messages.h"
#include "support/app_fixture.h"

using namespace yurana;
using W = charts::AbsorberWindow;

class AbsorberWindowTest : public QObject {
    Q_OBJECT

    // The box typed into and confirmed with Enter.
    static void enter(QLineEdit* box, const char* text) {
        box->selectAll();
        QTest::keyClicks(box, text);
        QTest::keyClick(box, Qt::Key_Return);
    }

  private slots:
    void tunedByHandAndByTheOptimum() {
        test::AppFixture f;
        W& w = f.app->analysis().absorber();
        QVERIFY(
            f.viewOpens(QStringLiteral("動吸振器(&A)"), QStringLiteral("力のベクトル図(&F)"), w));
        QCOMPARE(w.box(W::kMu)->accessibleName() + w.box(W::kF)->accessibleName() +
                     w.box(W::kZetaA)->accessibleName(),
                 QStringLiteral("質量比μ振動数比f減衰比ζa"));
        QCOMPARE(w.box(W::kMu)->text(), QStringLiteral("0.1"));
        QVERIFY(w.readout()->text().contains("(c>0: P, Q は近似)"));

        f.type(ctl::Textc, "0");
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        QVERIFY(!w.readout()->text().contains("近似"));
        enter(w.box(W::kMu), "0.2");
        QCOMPARE(w.tuning().mu, 0.2);
        QTest::mouseClick(w.optimalButton(), Qt::LeftButton);
        const double mu = 0.2;
        // 1/(1+μ) and √(3μ/(8(1+μ)³)) in the boxes, as applied.
        QCOMPARE(w.box(W::kF)->text(), QStringLiteral("0.833333"));
        QCOMPARE(w.box(W::kZetaA)->text(), QStringLiteral("0.208333"));
        // The read-out of the optimum (its numbers: absorber_test); Q marked at Den Hartog's
        // equal height √(1 + 2/μ), on the main mass's axis.
        QVERIFY(w.readout()->text().contains("\nDen Hartog"));
        const double h = std::sqrt(1 + 2 / mu);
        bool marked = false;
        for (QAbstractSeries* s : w.responseChart()->series()) {
            auto* xy = qobject_cast<QScatterSeries*>(s);
            if (xy != nullptr && xy->name() == "Q" && xy->count() == 1) {
                marked = std::fabs(xy->at(0).y() - h) < 1e-5 * h;
            }
        }
        QVERIFY(marked);
        // Undamped, ζa = 0 has two poles: pieces of one legend entry.
        QCoreApplication::processEvents();
        int pieces = 0, entries = 0;
        for (QAbstractSeries* s : w.responseChart()->series()) {
            if (s->name() == QStringLiteral("ζa = 0")) {
                ++pieces;
                entries += w.responseChart()->legend()->markers(s).at(0)->isVisible();
            }
        }
        QVERIFY2(pieces >= 3 && entries == 1,
                 qPrintable(QString("%1 %2").arg(pieces).arg(entries)));

        // ζa by hand: the heights stay (f is still optimal), the equal-height line goes.
        enter(w.box(W::kZetaA), "0.05");
        QCOMPARE(w.tuning().zetaA, 0.05);
        QCOMPARE(w.tuning().f, 1 / (1 + mu));
        QVERIFY(!w.readout()->text().contains("Den Hartog"));
    }

    void badValuesAreReportedOnceAndChangeNothing() {
        test::AppFixture f;
        f.app->analysis().absorberAction()->trigger();
        W& w = f.app->analysis().absorber();
        enter(w.box(W::kF), "1.25");
        const absorber::AbsorberTuning good = w.tuning();
        QCOMPARE(good.f, 1.25);
        const QString readout = w.readout()->text();
        // The message box takes the focus: the box's signal comes again while it is shown.
        QLineEdit* reentered = nullptr;
        connect(&w, &W::badValue, this, [&reentered] {
            if (QLineEdit* box = std::exchange(reentered, nullptr)) {
                emit box->editingFinished();
            }
        });
        for (auto [input, typed] :
             {std::pair(W::kF, "abc"), std::pair(W::kMu, "-1"), std::pair(W::kZetaA, "-0.01"),
              std::pair(W::kF, "0"), std::pair(W::kMu, "1e999"), std::pair(W::kZetaA, "0,2")}) {
            f.box.texts.clear();
            const QString old = w.box(input)->text();
            reentered = w.box(input);
            enter(w.box(input), typed);
            QCOMPARE(w.box(input)->text(), old);
            w.box(input)->clearFocus();
            QCOMPARE(f.box.texts, std::vector<std::string>{std::string(kMsgBadValue)});
            QCOMPARE(std::tuple(w.tuning().mu, w.tuning().f, w.tuning().zetaA),
                     std::tuple(good.mu, good.f, good.zetaA));
            QCOMPARE(w.readout()->text(), readout);
        }
        // ζa = 0 is a value; the other boxes kept theirs.
        enter(w.box(W::kZetaA), "0");
        QCOMPARE(std::tuple(w.tuning().mu, w.tuning().f, w.tuning().zetaA),
                 std::tuple(0.1, 1.25, 0.0));
    }

    // Running, the picture and the cursor show the program's time at every pass, not only
    // with the read-outs.
    void thePictureFollowsEveryPass() {
        test::AppFixture f;
        f.app->analysis().absorberAction()->trigger();
        W& w = f.app->analysis().absorber();
        f.app->panel().setText(ctl::Texttmin, "0.5");
        f.click(ctl::Command2);
        for (int i = 0; i < 14; ++i) {
            f.run(1, 1.0 / 60);
            const double t = f.app->session().time();
            QCOMPARE(w.picture()->time(), t);
            QVERIFY(w.picture()->shown());
            QCOMPARE(w.motionView()->marker()->x(), t);
        }
        QVERIFY(f.app->session().time() > 0.6);
        // The curves over the run: x1 and x2 from tmin to tmax.
        auto* x2 = qobject_cast<QXYSeries*>(w.motionChart()->series().at(0));
        QCOMPARE(x2->at(0).x(), 0.5);
        QCOMPARE(x2->at(x2->count() - 1).x(), 20.0);
    }
};

QTEST_MAIN(AbsorberWindowTest)
#include "absorber_window_test.moc"
