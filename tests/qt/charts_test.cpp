// The three analysis windows as real widgets: titles and ownership, the read-out line and
// its accessible name, the time marker, the logarithmic amplitude axis, the cases without
// a curve, and no window left behind.

#include <QtTest/qtestspontaneevent.h>
#include <QAccessible>
#include <QApplication>
#include <QLogValueAxis>
#include <QXYSeries>
#include <QtTest>
#include <memory>

#include "app/charts/energy_window.h"
#include "app/charts/frequency_response_window.h"
#include "app/charts/phase_plane_window.h"
#include "model/response.h"

using namespace yurana;
using charts::EnergyWindow;
using charts::FrequencyResponseWindow;
using charts::PhasePlaneWindow;

namespace {

// m 2, k 200, c 4, F 3, ω 7 with ζ 0.1, ωn 10, ωd from them as 計算 leaves them; the run
// 0.5 .. 20 s from x 0.05 m at t0 = 0.5 s.
ModelRecord sampleRecord() {
    ModelRecord r;
    r.m = 2;
    r.k = 200;
    r.c = 4;
    r.f = 3;
    r.w = 7;
    r.z = 0.1f;
    r.wn = 10;
    r.wd = 9.9499f;
    r.tmin = 0.5f;
    r.tmax = 20;
    r.t0 = 0.5f;
    r.xshoki = 0.05f;
    keisan_c1c2(r);
    return r;
}

QString accessibleName(QWidget* w) {
    return QAccessible::queryAccessibleInterface(w)->text(QAccessible::Name);
}

// The read-out shows `text` and a screen reader reads the same.
void expectReadout(QLabel* label, const QString& text) {
    QCOMPARE(label->text(), text);
    QCOMPARE(label->accessibleName(), text);  // set, so no later default can hide it
    QCOMPARE(accessibleName(label), text);
    QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
}

QXYSeries* seriesNamed(QChart* chart, const QString& name) {
    for (QAbstractSeries* s : chart->series()) {
        if (s->name() == name) {
            return qobject_cast<QXYSeries*>(s);
        }
    }
    return nullptr;
}

bool hasLogAxis(QChart* chart) {
    return qobject_cast<QLogValueAxis*>(chart->axes(Qt::Vertical).value(0)) != nullptr;
}

}  // namespace

class ChartsTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void windowsAreTopLevelNamedAndOwnedByTheirParent() {
        auto frame = std::make_unique<QWidget>();
        const QList<QWidget*> windows = {new FrequencyResponseWindow(frame.get()),
                                         new PhasePlaneWindow(frame.get()),
                                         new EnergyWindow(frame.get())};
        const QStringList titles = {"周波数応答", "位相平面", "エネルギー"};
        const QStringList names = {"FrequencyResponseWindow", "PhasePlaneWindow", "EnergyWindow"};
        for (int i = 0; i < 3; ++i) {
            QVERIFY(windows[i]->isWindow());
            QCOMPARE(windows[i]->windowModality(), Qt::NonModal);
            QCOMPARE(windows[i]->windowTitle(), titles[i]);
            QCOMPARE(windows[i]->objectName(), names[i]);
        }
        frame.reset();  // the windows go with their owner
    }

    void showingAndClosingAreReported() {
        PhasePlaneWindow w;
        QSignalSpy spy(&w, &charts::AnalysisWindow::shownChanged);
        w.show();
        QCOMPARE(spy.count(), 1);
        QCOMPARE(spy.at(0).at(0).toBool(), true);
        w.close();  // the title bar's close button
        QCOMPARE(spy.count(), 2);
        QCOMPARE(spy.at(1).at(0).toBool(), false);
    }

    void frequencyResponseReadsTheOperatingPoint() {
        FrequencyResponseWindow w;
        w.setModel(sampleRecord());
        expectReadout(w.readout(),
                      "ω=7 rad/s  ω/ωn=0.7  X=0.0283625 m  φ=15.3501°  X·k/F=1.89084  "
                      "共振 ωr=9.89949 rad/s  Xmax=0.0753778 m\n"
                      "Q=5  ω1=8.83743 rad/s  ω2=10.8582 rad/s  Δω=2.02073 rad/s  TR=1.90928");
        QXYSeries* point = seriesNamed(w.amplitudeChart(), "現在の ω");
        QCOMPARE(point->count(), 1);
        QCOMPARE(point->at(0).x(), 7.0);
        QXYSeries* wn = seriesNamed(w.phaseChart(), "ωn");
        QCOMPARE(wn->at(0).x(), 10.0);
        // The half-power points at Xmax/√2 = 0.0533002 m; TR = 1 at √2·ωn; TR(0.7) as read.
        QXYSeries* half = seriesNamed(w.amplitudeChart(), "半値点 X=Xmax/√2");
        QCOMPARE(half->count(), 2);
        QVERIFY(std::abs(half->at(0).x() - 8.83743) < 1e-5);
        QVERIFY(std::abs(half->at(1).y() - 0.0533002) < 1e-7);
        QCOMPARE(w.transmissibilityChart()->title(), "力の伝達率");
        QXYSeries* crossing = seriesNamed(w.transmissibilityChart(), "TR=1 (r=√2)");
        QCOMPARE(crossing->at(0), QPointF(std::sqrt(2.0) * 10, 1));
        QXYSeries* tr = seriesNamed(w.transmissibilityChart(), "現在の ω");
        QVERIFY(std::abs(tr->at(0).y() - 1.90928) < 1e-5);
        QVERIFY(!w.powerView()->isVisibleTo(&w));
    }

    // 無次元表示: r and X·k/F on the axes, the grey ζ family with its names, the mean power;
    // and back.
    void normalisedViewShowsTheZetaFamily() {
        FrequencyResponseWindow w;
        w.setModel(sampleRecord());
        const QString before = w.readout()->text();
        w.normalised()->setChecked(true);
        QCOMPARE(w.amplitudeChart()->axes(Qt::Horizontal)[0]->titleText(), "r = ω/ωn");
        QCOMPARE(w.amplitudeChart()->axes(Qt::Vertical)[0]->titleText(), "X·k/F");
        QCOMPARE(w.transmissibilityChart()->axes(Qt::Horizontal)[0]->titleText(), "r = ω/ωn");
        QCOMPARE(w.readout()->text(), before);
        QVERIFY(std::abs(seriesNamed(w.amplitudeChart(), "現在の ω")->at(0).y() - 1.89084) < 1e-5);
        int labelled = 0;
        for (QAbstractSeries* s : w.amplitudeChart()->series()) {
            auto* xy = qobject_cast<QXYSeries*>(s);
            if (s->name().startsWith("ζ=") && xy->pointLabelsVisible()) {
                QCOMPARE(xy->pointLabelsFormat(), s->name());
                ++labelled;
            } else if (s->name().startsWith("ζ=")) {
                QVERIFY(xy->count() > 100);
            }
        }
        QCOMPARE(labelled, 5);
        QXYSeries* z005 = nullptr;
        for (QAbstractSeries* s : w.amplitudeChart()->series()) {
            auto* xy = qobject_cast<QXYSeries*>(s);
            z005 = s->name() == "ζ=0.05" && xy->pointLabelsVisible() ? xy : z005;
        }
        QVERIFY(std::abs(z005->at(0).y() - 1 / (0.1 * std::sqrt(1 - 0.0025))) < 1e-9);
        QVERIFY(w.powerView()->isVisibleTo(&w));
        QVERIFY(std::abs(seriesNamed(w.powerChart(), "現在の ω")->at(0).x() - 0.7) < 1e-6);
        w.logScale()->setChecked(true);
        QVERIFY(hasLogAxis(w.amplitudeChart()));
        QCOMPARE(z005->attachedAxes().size(), 2);
        w.normalised()->setChecked(false);
        QCOMPARE(w.amplitudeChart()->axes(Qt::Horizontal)[0]->titleText(), "ω (rad/s)");
        QCOMPARE(z005->count(), 0);
        QVERIFY(!w.powerView()->isVisibleTo(&w));
    }

    void logScaleSwitchesTheAmplitudeAxisWhileThereIsAnAmplitude() {
        FrequencyResponseWindow w;
        w.setModel(sampleRecord());
        QVERIFY(!hasLogAxis(w.amplitudeChart()));
        w.logScale()->setChecked(true);
        QVERIFY(hasLogAxis(w.amplitudeChart()));
        QXYSeries* curve = seriesNamed(w.amplitudeChart(), "X(ω)");
        QCOMPARE(curve->attachedAxes().size(), 2);

        ModelRecord unforced = sampleRecord();  // X ≡ 0 cannot be shown on a log axis
        unforced.f = 0;
        w.setModel(unforced);
        QVERIFY(!w.logScale()->isEnabled());
        QVERIFY(!hasLogAxis(w.amplitudeChart()));
        w.setModel(sampleRecord());
        QVERIFY(w.logScale()->isEnabled());
        QVERIFY(hasLogAxis(w.amplitudeChart()));  // the choice was kept
        w.logScale()->setChecked(false);
        QVERIFY(!hasLogAxis(w.amplitudeChart()));
    }

    void phasePlaneDotFollowsTheTime() {
        PhasePlaneWindow w;
        w.setModel(sampleRecord());
        // At t0 = tmin the fit gives x_c = 0.05 m and x_c' = 0, so x = 0.05 + x_p(0.5) and
        // v = x_p'(0.5) with x_p = F·(102·sin 7t − 28·cos 7t) / (102² + 28²).
        expectReadout(w.readout(), "t=0.5 s  x=0.0474368 m  v=-0.197725 m/s");
        auto* view = w.findChild<charts::MarkedChartView*>();
        QVERIFY(std::abs(view->marker()->x() - 0.0474368) < 1e-7);  // (x, v) of the read-out
        const QPointF atStart = *view->marker();
        w.setTime(1.25);
        QVERIFY(w.readout()->text().startsWith("t=1.25 s  x="));
        expectReadout(w.readout(), w.readout()->text());
        QVERIFY(*view->marker() != atStart);
        QCOMPARE(seriesNamed(w.chart(), "現在の時刻")->count(), 0);  // only for the legend
        QVERIFY(seriesNamed(w.chart(), "余関数+特殊解")->count() > 1000);
    }

    void energyMarkerFollowsTheTimeAndFlagsAnInconsistentRecord() {
        EnergyWindow w;
        w.setModel(sampleRecord());
        // The state of the phase plane at t0 = tmin; no work done yet.
        QVERIFY(w.readout()->text().startsWith(
            "t=0.5 s  T=0.0390953 J  U=0.225025 J  E=0.26412 J  W入力=0 J  W散逸=0 J  収支誤差="));
        QVERIFY(w.readout()->text().endsWith("\n1周期 まだ力の1周期分の時間がありません"));
        QCOMPARE(w.cycleBars()->at(0), 0.0);
        w.setTime(3.5);
        QVERIFY(w.readout()->text().startsWith("t=3.5 s  T="));
        // The bars hold the numbers of the read-out's second line.
        const QString cycle = w.readout()->text().section('\n', 1, 1);
        QCOMPARE(cycle, QStringLiteral("1周期 入力=%1 J  散逸=%2 J")
                            .arg(w.cycleBars()->at(0), 0, 'g', 6)
                            .arg(w.cycleBars()->at(1), 0, 'g', 6));
        QVERIFY(w.cycleBars()->at(1) > 0);
        QCOMPARE(w.findChild<charts::MarkedChartView*>()->marker()->x(), 3.5);
        expectReadout(w.readout(), w.readout()->text());

        ModelRecord heavier = sampleRecord();  // m typed, 計算 not pressed
        heavier.m = 3;
        w.setModel(heavier);
        QVERIFY(w.readout()->text().endsWith(
            "\nζ・ωn が m・k・c と一致していません（計算 を押すと揃います）"));
        expectReadout(w.readout(), w.readout()->text());
    }

    void nothingToDrawWithoutPositiveMassAndStiffness_data() {
        QTest::addColumn<float>("m");
        QTest::addColumn<float>("k");
        QTest::newRow("zero_mass") << 0.0f << 200.0f;
        QTest::newRow("negative_stiffness") << 2.0f << -200.0f;
    }

    void nothingToDrawWithoutPositiveMassAndStiffness() {
        QFETCH(float, m);
        QFETCH(float, k);
        ModelRecord r = sampleRecord();
        r.m = m;
        r.k = k;
        const QString message = "m と k が正のときに描けます";
        FrequencyResponseWindow f;
        f.setModel(sampleRecord());
        f.setModel(r);
        expectReadout(f.readout(), message);
        QCOMPARE(seriesNamed(f.amplitudeChart(), "X(ω)")->count(), 0);
        PhasePlaneWindow p;
        p.setModel(r);
        p.setTime(2);
        expectReadout(p.readout(), message);
        QVERIFY(!p.findChild<charts::MarkedChartView*>()->marker());
        EnergyWindow e;
        e.setModel(r);
        e.setTime(2);
        expectReadout(e.readout(), message);
        QCOMPARE(seriesNamed(e.chart(), "E = T + U")->count(), 0);
    }
};

QTEST_MAIN(ChartsTest)
#include "charts_test.moc"
