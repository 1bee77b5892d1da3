// The three analysis windows as widgets, and as the 表示 menu shows them following the panel.

#include <QAccessible>
#include <QApplication>
#include <QBarCategoryAxis>
#include <QBarSeries>
#include <QBarSet>
#include <QCategoryAxis>
#include <QGridLayout>
#include <QLegendMarker>
#include <QLogValueAxis>
#include <QMenu>
#include <QMenuBar>
#include <QVBoxLayout>
#include <QValueAxis>
#include <QXYSeries>
#include <QtTest>

#include "analysis/energy.h"
#include "app/chart_scale_menu.h"
#include "app/charts/chart_export.h"
#include "app/charts/chart_parts.h"
#include "model/response.h"
#include "support/app_fixture.h"

using namespace yurana;
using charts::EnergyWindow;
using charts::FrequencyResponseWindow;
using charts::PhasePlaneWindow;

namespace {

// ζ, ωn and ωd as 計算 leaves them; the run from tmin = t0, where x0 holds.
ModelRecord sampleRecord() {
    ModelRecord r;
    std::tie(r.m, r.k, r.c, r.f, r.w, r.z, r.wn, r.wd) =
        std::tuple(2, 200, 4, 3, 7, 0.1f, 10, 9.9499f);
    std::tie(r.tmin, r.tmax, r.t0, r.xshoki) = std::tuple(0.5f, 20, 0.5f, 0.05f);
    keisan_c1c2(r);
    return r;
}

// sampleRecord with one value changed after 計算.
ModelRecord sampleWith(float ModelRecord::*field, float value) {
    ModelRecord r = sampleRecord();
    r.*field = value;
    return r;
}

// The read-out shows `text`, selectable under the mouse, and a screen reader reads the same.
void expectReadout(QLabel* label, const QString& text) {
    QCOMPARE(label->text(), text);
    QCOMPARE(label->accessibleName(), text);  // set, so no later default can hide it
    QCOMPARE(QAccessible::queryAccessibleInterface(label)->text(QAccessible::Name), text);
    QEnterEvent enter(QPointF(2, 2), QPointF(2, 2), QPointF(2, 2));
    QApplication::sendEvent(label, &enter);
    QVERIFY(label->textInteractionFlags() & Qt::TextSelectableByMouse);
    QEvent leave(QEvent::Leave);
    QApplication::sendEvent(label, &leave);
    QCOMPARE(label->textInteractionFlags(), Qt::NoTextInteraction);
}

QXYSeries* seriesNamed(QChart* chart, const QString& name, bool labelled = false) {
    for (QAbstractSeries* s : chart->series()) {
        auto* xy = qobject_cast<QXYSeries*>(s);
        if (s->name() == name && (!labelled || xy->pointLabelsVisible())) {
            return xy;
        }
    }
    return nullptr;
}

bool hasLogAxis(QChart* chart) {
    return qobject_cast<QLogValueAxis*>(chart->axes(Qt::Vertical).value(0)) != nullptr;
}

bool near(double a, double b, double tolerance) {
    return std::abs(a - b) < tolerance;
}

bool inLegend(QChart* chart, QAbstractSeries* series) {
    const QList<QLegendMarker*> markers = chart->legend()->markers(series);
    return !markers.isEmpty() && markers[0]->isVisible();
}

// The pixels of the two widgets' pictures whose grey differs by more than `tolerance`.
int differingPixels(QWidget* a, QWidget* b, int tolerance) {
    QCoreApplication::processEvents();
    const QImage x = a->grab().toImage(), y = b->grab().toImage();
    int n = 0;
    for (int row = 0; row < x.height(); ++row) {
        for (int col = 0; col < x.width(); ++col) {
            n += qAbs(qGray(x.pixel(col, row)) - qGray(y.pixel(col, row))) > tolerance ? 1 : 0;
        }
    }
    return n;
}

// Two widgets side by side from the corner of their parent, each `size`.
void sideBySide(QWidget* left, QWidget* right, QSize size) {
    left->setGeometry(QRect(QPoint(0, 0), size));
    right->setGeometry(QRect(QPoint(size.width(), 0), size));
}

// Counts the events of one type a widget receives.
struct Events : QObject {
    Events(QWidget* widget, QEvent::Type type) : type(type) { widget->installEventFilter(this); }
    bool eventFilter(QObject* /*watched*/, QEvent* e) override {
        count += e->type() == type ? 1 : 0;
        return false;
    }
    // Whether one came since the last call, once the events have run.
    bool since() {
        QTest::qWait(20);
        const bool painted = count > 0;
        count = 0;
        return painted;
    }
    QEvent::Type type;
    int count = 0;
};

const QString kNoCurve = "m と k が正のときに描けます";

// The tick labels of a chart's axes, horizontal then vertical, joined by spaces.
QString axisLabels(QChart* chart) {
    QStringList labels;
    for (Qt::Orientation o : {Qt::Horizontal, Qt::Vertical}) {
        labels += qobject_cast<QCategoryAxis*>(chart->axes(o).value(0))->categoriesLabels();
    }
    return labels.join(' ');
}

// sampleRecord with c < 0 after 計算: ζ < 0, ωd *** (0), c1 and c2 kept from the last fit.
ModelRecord negativeDamping() {
    ModelRecord r = sampleRecord();
    std::tie(r.c, r.z, r.wd) = std::tuple(-4, -0.1f, 0);
    keisan_c1c2(r);
    return r;
}

}  // namespace

class ChartsTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    // The operating point, the half-power points and TR; then 無次元表示 (r and X·k/F on
    // the axes, the grey ζ family with its names, the mean power) and the log scale.
    void frequencyResponseReadsTheOperatingPointAndSwitchesItsViews() {
        FrequencyResponseWindow w;
        w.setModel(sampleRecord());
        w.show();  // a legend marker is visible only in a shown chart
        QXYSeries* point = seriesNamed(w.amplitudeChart(), "現在のω");
        QVERIFY(point->count() == 1 && point->at(0).x() == 7.0);
        QXYSeries* half = seriesNamed(w.amplitudeChart(), "半値点 X=Xmax/√2");
        QVERIFY(half->count() == 2 && inLegend(w.amplitudeChart(), half));
        QVERIFY(!w.powerView()->isVisibleTo(&w));
        w.normalised()->setChecked(true);
        const auto titles = [&] {
            return w.amplitudeChart()->axes(Qt::Horizontal)[0]->titleText() + "; " +
                   w.amplitudeChart()->axes(Qt::Vertical)[0]->titleText() + "; " +
                   w.transmissibilityChart()->axes(Qt::Horizontal)[0]->titleText();
        };
        QCOMPARE(titles(), "r = ω/ωn; X·k/F; r = ω/ωn");
        int labelled = 0;  // each ζ a curve and a label with its name
        for (QAbstractSeries* s : w.amplitudeChart()->series()) {
            auto* xy = qobject_cast<QXYSeries*>(s);
            if (s->name().startsWith("ζ=")) {
                QVERIFY(xy->pointLabelsVisible() ? xy->pointLabelsFormat() == s->name()
                                                 : xy->count() > 100);
                labelled += xy->pointLabelsVisible();
            }
        }
        QCOMPARE(labelled, 5);
        QXYSeries* z005 = seriesNamed(w.amplitudeChart(), "ζ=0.05", true);
        QVERIFY(w.powerView()->isVisibleTo(&w));
        w.logScale()->setChecked(true);
        QVERIFY(hasLogAxis(w.amplitudeChart()));
        QCOMPARE(z005->attachedAxes().size(), 2);
        w.normalised()->setChecked(false);
        QCOMPARE(titles(), "ω (rad/s); X (m); ω (rad/s)");
        QCOMPARE(z005->count(), 0);
        QVERIFY(!w.powerView()->isVisibleTo(&w));
        QCOMPARE(seriesNamed(w.amplitudeChart(), "X(ω)")->attachedAxes().size(), 2);
        w.setModel(sampleWith(&ModelRecord::f, 0));  // X ≡ 0 cannot be shown on a log axis
        QVERIFY(!w.logScale()->isEnabled() && !hasLogAxis(w.amplitudeChart()));
        w.setModel(sampleRecord());
        QVERIFY(w.logScale()->isEnabled() && hasLogAxis(w.amplitudeChart()));  // choice kept
        w.logScale()->setChecked(false);
        QVERIFY(!hasLogAxis(w.amplitudeChart()));
        // Undamped: no half-power marks, none in the legend; back with damping.
        w.setModel(sampleWith(&ModelRecord::c, 0));
        QVERIFY(half->count() == 0 && !inLegend(w.amplitudeChart(), half));
        w.setModel(sampleRecord());
        QVERIFY(inLegend(w.amplitudeChart(), half));
        w.setModel(negativeDamping());  // c < 0: the lag runs below 0°
        QCOMPARE(axisLabels(w.phaseChart()), "0 5 10 15 20 25 30 -180 -135 -90 -45 0");
        // which of m and k is not positive: analysis_frequency_test
        w.setModel(sampleWith(&ModelRecord::k, -200));
        expectReadout(w.readout(), kNoCurve);
        QCOMPARE(seriesNamed(w.amplitudeChart(), "X(ω)")->count(), 0);
    }

    // The dot, the bars and the read-outs follow the time; none without positive m and k.
    void thePhasePlaneAndTheEnergyFollowTheTime() {
        PhasePlaneWindow w;
        EnergyWindow e;
        w.setModel(sampleRecord());
        e.setModel(sampleRecord());
        expectReadout(w.readout(), "t=0.5 s  x=0.0474368 m  v=-0.197725 m/s");
        auto* view = w.findChild<charts::MarkedChartView*>();
        QVERIFY(near(view->marker()->x(), 0.0474368, 1e-7));  // (x, v) of the read-out
        const QPointF atStart = *view->marker();
        w.setTime(1.25);
        QVERIFY(*view->marker() != atStart);
        QVERIFY(seriesNamed(w.chart(), "余関数+特殊解")->count() > 1000);
        // Zero labelled 0 on both axes, on screen as in an exported picture.
        QCOMPARE(axisLabels(w.chart()), "-0.06 -0.04 -0.02 0 0.02 0.04 0.06 -0.4 -0.2 0 0.2 0.4");
        QCOMPARE(e.cycleBars()->at(0), 0.0);
        e.setTime(3.5);
        // The bars hold the numbers of the read-out's second line, and the areas of the
        // loops beside them are the same works.
        const QString cycle = e.readout()->text().section('\n', 1, 1);
        QCOMPARE(cycle,
                 QStringLiteral("1周期 入力=%1 J  散逸=%2 J  ループ面積 外力=%1 J  減衰力=%2 J")
                     .arg(e.cycleBars()->at(0), 0, 'g', 6)
                     .arg(e.cycleBars()->at(1), 0, 'g', 6));
        QVERIFY(e.cycleBars()->at(1) > 0);
        QCOMPARE(e.findChild<charts::MarkedChartView*>()->marker()->x(), 3.5);
        // The loops of that period, redrawn when the time enters another period only; the
        // view draws them for the chart's series, which name them in its legend.
        QXYSeries* drive = seriesNamed(e.loopChart(), "外力 F·sin ωt");
        QXYSeries* damping = seriesNamed(e.loopChart(), "減衰力 c·v");
        charts::OverlaidCurvesView* loops = e.loopView();
        QCOMPARE(loops->chart(), e.loopChart());
        QVERIFY(loops->curve(drive).size() > 100 &&
                loops->curve(damping).size() == loops->curve(drive).size());
        // The loops and the bars in the colours of W入力 and W散逸 of the main chart.
        const QColor in = seriesNamed(e.chart(), "W入力")->pen().color();
        const QColor out = seriesNamed(e.chart(), "W散逸")->pen().color();
        QCOMPARE((QList<QColor>{drive->pen().color(), damping->pen().color(),
                                e.cycleBars()->color(), e.cycleBars()->selectedColor()}),
                 (QList<QColor>{in, out, in, out}));
        QSignalSpy replaced(loops, &charts::OverlaidCurvesView::curveReplaced);
        const auto redrawn = [&] {  // how often the drive's loop was replaced
            return std::count_if(replaced.begin(), replaced.end(), [&](const QList<QVariant>& a) {
                return a[0].value<QXYSeries*>() == drive;
            });
        };
        const QList<QPointF> before = loops->curve(drive);
        e.setTime(3.55);  // the last whole period before 3.5 s and 3.55 s ends at 3·2π/7 s
        QCOMPARE(redrawn(), 0);
        e.setTime(3.7);  // at 4·2π/7 ≈ 3.59 s
        QCOMPARE(redrawn(), 1);
        QVERIFY(loops->curve(drive) != before);
        // The loop of the period, as the analysis samples it (every few samples drawn).
        const auto period = analysis::energyMarker(analysis::energyCurves(sampleRecord()), 3.7);
        QCOMPARE(loops->curve(drive).first(),
                 QPointF(period.loops->drive.front().x, period.loops->drive.front().y));
        QCOMPARE(loops->curve(damping).last(),
                 QPointF(period.loops->damping.back().x, period.loops->damping.back().y));
        QVERIFY(e.readout()->text().section('\n', 1, 1) != cycle);
        // Periods of the steady state keep the loops' axes, which hold them.
        e.setTime(17);
        auto* loopX = qobject_cast<QCategoryAxis*>(e.loopChart()->axes(Qt::Horizontal)[0]);
        QSignalSpy relaid(loopX, &QCategoryAxis::rangeChanged);
        for (double t : {17.5, 18.4, 19.2}) {
            e.setTime(t);
            const QList<QPointF> points = loops->curve(drive);
            QVERIFY(std::all_of(points.begin(), points.end(), [&](const QPointF& p) {
                return p.x() >= loopX->min() && p.x() <= loopX->max();
            }));
        }
        QCOMPARE(redrawn(), 5);  // one for each new period
        QCOMPARE(relaid.count(), 0);
        QVERIFY(e.cycleBars()->isBarSelected(1) && !e.cycleBars()->isBarSelected(0));
        e.setModel(sampleWith(&ModelRecord::m, 3));  // m typed, 計算 not pressed
        expectReadout(e.readout(), e.readout()->text());
        const auto blank = [&](auto& window) {
            window.setModel(sampleWith(&ModelRecord::k, -200));
            window.setTime(2);
            expectReadout(window.readout(), kNoCurve);
        };
        blank(w);
        blank(e);
        QVERIFY(!view->marker());
        QCOMPARE(seriesNamed(e.chart(), "E = T + U")->count(), 0);
        QVERIFY(loops->curve(drive).isEmpty() && loops->curve(damping).isEmpty());
        QCOMPARE(drive->count() + damping->count(), 0);  // never given the loops' points
    }

    // Curves the view draws over its chart look as the chart's own series drew them: solid
    // and dashed, in the series' pens, clipped to the plot area, mapped again when the axes
    // or the size change; the picture and the CSV of the view show them.
    void curvesDrawnOverTheChartLookAsSeriesOfIt() {
        QList<QPointF> wave;  // a wave leaving the plot area at both ends
        for (int i = 0; i <= 300; ++i) {
            wave.append(QPointF(-0.3 + i * 0.0053, 1.7 * std::sin(i * 0.061) + 0.4));
        }
        QList<QPointF> loop;  // a closed loop crossing itself
        for (int i = 0; i <= 256; ++i) {
            const double a = i * 2 * M_PI / 256;
            loop.append(QPointF(0.6 + 0.5 * std::sin(2 * a), 0.3 + 1.1 * std::cos(3 * a + 0.4)));
        }
        const auto chartOf = [](const QList<QPointF>& a, const QList<QPointF>& b) {
            QCategoryAxis* x = charts::valueAxis("x (m)");
            QCategoryAxis* y = charts::valueAxis("力 (N)");
            QLineSeries* solid = charts::lineSeries("solid", Qt::darkGreen, 2);
            QLineSeries* dashed = charts::lineSeries("dashed", Qt::magenta, 2, true);
            solid->replace(a);
            dashed->replace(b);
            QChart* chart = charts::axesChart("loops", x, y, {solid, dashed});
            charts::setRangeWithRoundTicks(x, {-0.1, 1.3});
            charts::setRangeWithRoundTicks(y, {-1.0, 1.6});
            return chart;
        };
        QWidget window;  // the chart with the curves as its series, and the view drawing them
        QChartView* reference = charts::chartView(chartOf(wave, loop), &window);
        QChart* drawn = chartOf({}, {});
        charts::OverlaidCurvesView* view = charts::overlaidCurvesView(drawn, &window);
        const auto place = [&](QSize size) { sideBySide(reference, view, size); };
        place(QSize(340, 420));
        window.resize(700, 520);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto* solid = qobject_cast<QXYSeries*>(drawn->series()[0]);
        auto* dashed = qobject_cast<QXYSeries*>(drawn->series()[1]);
        view->setCurve(solid, wave);
        view->setCurve(dashed, loop);
        // Beyond the shades of the dashes' edges (the chart fills them at once, the view one
        // by one).
        const auto differing = [&] { return differingPixels(reference, view, 64); };
        QVERIFY(differing() < 40);
        place(QSize(300, 500));  // mapped again for the new plot area
        QVERIFY(differing() < 40);
        for (QChart* chart : {reference->chart(), drawn}) {  // and for new axes
            charts::setRangeWithRoundTicks(
                qobject_cast<QCategoryAxis*>(chart->axes(Qt::Vertical)[0]), {-2.5, 2.5});
        }
        QVERIFY(differing() < 40);
        QCOMPARE(charts::chartCsv(view), charts::chartCsv(reference));
        // Shown again from the pictures kept, the last set of curves wins.
        Events paints(view->viewport(), QEvent::Paint);
        paints.since();
        view->setCurve(solid, loop);
        QVERIFY(paints.since());  // on screen too, not only in a picture taken
        view->setCurve(solid, wave);
        QVERIFY(differing() < 40);
        view->setCurve(dashed, {});
        QVERIFY(differing() > 400);  // the loop is gone
        QCOMPARE(charts::shownPoints(view, dashed), QList<QPointF>());
        QCOMPARE(charts::shownPoints(reference,
                                     qobject_cast<QXYSeries*>(reference->chart()->series()[1])),
                 loop);
    }

    // Bars the view draws over its chart look as the chart's own: in their colours, the
    // selected one in its own, below zero too, on new values and a new size; its picture
    // and CSV show them.
    void barsDrawnOverTheChartLookAsSeriesOfIt() {
        const auto barChart = [](QAbstractBarSeries* series) {
            auto* names = new QBarCategoryAxis;
            names->append({QStringLiteral("入力"), QStringLiteral("散逸")});
            QCategoryAxis* joules = charts::valueAxis("J");
            auto* chart = new QChart;
            chart->addAxis(names, Qt::AlignBottom);
            chart->addAxis(joules, Qt::AlignLeft);
            if (series != nullptr) {
                charts::addSeries(chart, series, names, joules);
            }
            charts::setRangeWithRoundTicks(joules, {-0.4, 1.3});
            chart->legend()->hide();
            return chart;
        };
        const auto barSeries = [](double in, double out) {
            auto* set = new QBarSet(QStringLiteral("力の仕事と散逸"));
            set->append({in, out});
            set->setColor(Qt::darkGreen);
            set->setSelectedColor(Qt::magenta);
            set->selectBar(1);
            auto* series = new QBarSeries;
            series->append(set);
            return series;
        };
        QWidget window;
        QBarSeries* reference = barSeries(0.9, -0.3);
        QChartView* shown = charts::chartView(barChart(reference), &window);
        QBarSeries* drawn = barSeries(0.9, -0.3);
        charts::OverlaidBarsView* view =
            charts::overlaidBarsView(barChart(nullptr), drawn, &window);
        const auto place = [&](QSize size) { sideBySide(shown, view, size); };
        place(QSize(110, 420));
        window.resize(400, 520);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto differing = [&] { return differingPixels(shown, view, 8); };
        QCOMPARE(differing(), 0);
        Events paints(view->viewport(), QEvent::Paint);
        paints.since();
        for (QBarSeries* series : {reference, drawn}) {
            series->barSets()[0]->replace(0, 1.2);
            series->barSets()[0]->replace(1, 0.5);
        }
        QVERIFY(paints.since());  // on screen too, not only in a picture taken
        QCOMPARE(differing(), 0);
        place(QSize(150, 380));
        QCOMPARE(differing(), 0);
        QCOMPARE(charts::chartCsv(view), charts::chartCsv(shown));
        QCOMPARE(charts::shownSeries(view), (QList<QAbstractSeries*>{drawn}));
        // Empty bars, and an axis of no length (the energy window's before any period).
        for (QBarSeries* series : {reference, drawn}) {
            series->barSets()[0]->replace(0, 0);
            series->barSets()[0]->replace(1, 0);
        }
        QCOMPARE(differing(), 0);
        for (QChart* chart : {shown->chart(), view->chart()}) {
            chart->axes(Qt::Vertical)[0]->setRange(0, 0);
        }
        QCOMPARE(differing(), 0);
        for (QChart* chart : {shown->chart(), view->chart()}) {
            chart->axes(Qt::Vertical)[0]->setRange(-0.4, 1.3);
        }
        drawn->barSets()[0]->replace(0, 0.2);
        QVERIFY(differing() > 100);
    }

    // A read-out as high as its lines, shown or not when they change, in a larger font as
    // well; a new text of as many lines lays out nothing of its window.
    void aReadoutIsAsHighAsItsLines() {
        QWidget window;
        auto* layout = new QVBoxLayout(&window);
        layout->addWidget(new QWidget(&window), 1);
        QLabel* readout = charts::readoutLabel(&window);
        layout->addWidget(charts::readoutPlace(readout));
        window.resize(400, 300);
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        const auto fits = [&](const char* text) {
            charts::showReadout(readout, text);
            return QTest::qWaitFor([&] {
                return readout->height() == readout->sizeHint().height() &&
                       readout->width() == window.width() - 2 * layout->contentsMargins().left();
            });
        };
        QVERIFY(fits("t=1 s  x=0.1 m"));
        const int oneLine = readout->height();
        QVERIFY(fits("t=1 s  x=0.1 m\n1周期 入力=1 J"));
        QVERIFY(readout->height() > oneLine * 3 / 2);
        QVERIFY(fits("t=2 s"));
        QCOMPARE(readout->height(), oneLine);
        window.hide();
        charts::showReadout(readout, "t=3 s\n1周期 入力=2 J\n3");
        window.show();
        QVERIFY(fits("t=3 s\n1周期 入力=2 J\n3"));
        QFont larger = window.font();
        larger.setPointSizeF(larger.pointSizeF() * 2);
        window.setFont(larger);
        QVERIFY(fits("t=3 s\n1周期 入力=2 J\n4"));
        QTest::qWait(20);  // the window laid out for the larger font
        Events requests(&window, QEvent::LayoutRequest);
        QVERIFY(fits("t=3.5 s\n1周期 入力=2.5 J\n5"));
        QVERIFY(!requests.since());
    }

    // The dashes run on over the corners of a polyline, from the pen's offset.
    void dashesRunOnAlongAPolyline() {
        QPen pen(Qt::black, 2, Qt::DashLine);  // 8 px dashes, 4 px gaps
        const QList<QLineF> lines =
            charts::dashLines({QPointF(0, 0), QPointF(10, 0), QPointF(10, 15)}, pen);
        QCOMPARE(lines, (QList<QLineF>{QLineF(0, 0, 8, 0), QLineF(10, 2, 10, 10),
                                       QLineF(10, 14, 10, 15)}));
        pen.setDashOffset(5);  // 10 px into the pattern: 2 px of gap left
        QCOMPARE(charts::dashLines({QPointF(0, 0), QPointF(3, 4), QPointF(3, 14)}, pen),
                 (QList<QLineF>{QLineF(1.2, 1.6, 3, 4), QLineF(3, 4, 3, 9), QLineF(3, 13, 3, 14)}));
    }

    // dB表示 puts X·k/F in dB and φ over log ω with the asymptotes in place of the linear
    // pair, in ω or in r; the Nyquist plot of H from 1/k with the current ω and ωn, in the
    // empty quarter or in a column of its own beside the mean power; Re H and Im H read out.
    void frequencyResponseShowsBodeAndNyquist() {
        FrequencyResponseWindow w;
        w.setModel(sampleRecord());
        w.show();
        QVERIFY(
            w.readout()->text().contains("X·k/F=1.89084  Re H=0.00911691 m/N  Im "
                                         "H=-0.00250268 m/N  共振"));
        QVERIFY(w.decibels()->isEnabled() && !w.decibels()->isChecked());
        QVERIFY(!w.bodeView()->isVisibleTo(&w));
        w.logScale()->setChecked(true);
        w.decibels()->setChecked(true);
        QVERIFY(w.bodeView()->isVisibleTo(&w) && !w.logScale()->isEnabled());
        for (QChart* chart : {w.amplitudeChart(), w.phaseChart()}) {
            QVERIFY(!chart->scene()->views().first()->isVisibleTo(&w));
        }
        for (QChart* chart : {w.bodeChart(), w.bodePhaseChart()}) {
            QVERIFY(chart->scene()->views().first()->isVisibleTo(&w));
            auto* axis = qobject_cast<QLogValueAxis*>(chart->axes(Qt::Horizontal).value(0));
            // ωn 10 ± 2 decades (a hair under the first, so that it keeps its label)
            QVERIFY(axis && near(axis->min(), 0.1, 1e-9) && axis->max() == 1000);
            QCOMPARE(axis->titleText(), "ω (rad/s)");
        }
        // Magnitude over phase on the same ω: both plot areas from the same left edge.
        QTRY_VERIFY(
            std::abs(w.bodeChart()->plotArea().left() - w.bodePhaseChart()->plotArea().left()) < 1);
        QVERIFY(w.bodeChart()->plotArea().height() > 100);
        QXYSeries* asymptotes = seriesNamed(w.bodeChart(), "漸近線 0 dB, −40 dB/dec");
        QCOMPARE(asymptotes->points(), (QList<QPointF>{{0.1, 0}, {10, 0}, {1000, -80}}));
        QVERIFY(asymptotes->pen().style() == Qt::DashLine);
        const QPointF db = seriesNamed(w.bodeChart(), "現在のω")->at(0);
        QVERIFY(db.x() == 7 && near(db.y(), 5.53308, 1e-5));  // 20·log₁₀ 1.89084
        QCOMPARE(qobject_cast<QCategoryAxis*>(w.bodeChart()->axes(Qt::Vertical)[0])
                     ->categoriesLabels()
                     .join(' '),
                 "-100 -80 -60 -40 -20 0 20");
        w.normalised()->setChecked(true);
        QCOMPARE(w.bodeChart()->axes(Qt::Horizontal)[0]->titleText(), "r = ω/ωn");
        QVERIFY(near(seriesNamed(w.bodeChart(), "現在のω")->at(0).x(), 0.7, 1e-7));  // a Single
        // Nyquist: its own column while the mean power takes the quarter.
        auto* grid = w.findChild<QGridLayout*>();
        const auto cell = [&](QWidget* view) {
            int row, column, rows, columns;
            grid->getItemPosition(grid->indexOf(view), &row, &column, &rows, &columns);
            return QList<int>{row, column, rows};
        };
        QCOMPARE(cell(w.nyquistView()) + cell(w.powerView()), (QList<int>{0, 2, 2, 1, 1, 1}));
        QCOMPARE(w.nyquistChart()->axes(Qt::Horizontal)[0]->titleText(), "Re H·k");
        w.normalised()->setChecked(false);
        w.decibels()->setChecked(false);
        QVERIFY(!w.bodeView()->isVisibleTo(&w) && w.logScale()->isEnabled());
        QVERIFY(hasLogAxis(w.amplitudeChart()));  // the choice kept under dB表示
        QCOMPARE(cell(w.nyquistView()), (QList<int>{1, 1, 1}));
        QVERIFY(w.nyquistView()->isVisibleTo(&w) && !w.powerView()->isVisibleTo(&w));
        QXYSeries* h = seriesNamed(w.nyquistChart(), "H(ω) ω=0→");
        QCOMPARE(h->at(0), QPointF(1 / 200.0, 0));
        const QPointF now = seriesNamed(w.nyquistChart(), "現在のω")->at(0);
        QVERIFY(near(now.x(), 0.00911691, 1e-8) && near(now.y(), -0.00250268, 1e-8));
        const QPointF wn = seriesNamed(w.nyquistChart(), "ωn (純虚数)")->at(0);
        QVERIFY(std::abs(wn.x()) < 1e-15 && near(wn.y(), -1 / 40.0, 1e-12));  // −1/(c·ωn)
        // A unit as long on both axes, so the curve is as round as H.
        const QRectF area = w.nyquistChart()->plotArea();
        const auto span = [&](Qt::Orientation o) {
            const auto* axis = qobject_cast<QValueAxis*>(w.nyquistChart()->axes(o)[0]);
            return axis->max() - axis->min();
        };
        QVERIFY(near(span(Qt::Horizontal) / area.width(), span(Qt::Vertical) / area.height(),
                     0.02 * span(Qt::Vertical) / area.height()));
        w.setModel(sampleWith(&ModelRecord::c, 0));  // H infinite at ωn: no mark
        QCOMPARE(seriesNamed(w.nyquistChart(), "ωn (純虚数)")->count(), 0);
        QVERIFY(!inLegend(w.nyquistChart(), seriesNamed(w.nyquistChart(), "ωn (純虚数)")));
        w.setModel(sampleWith(&ModelRecord::m, 0));
        for (QChart* chart : {w.bodeChart(), w.nyquistChart()}) {
            for (QAbstractSeries* s : chart->series()) {
                QCOMPARE(qobject_cast<QXYSeries*>(s)->count(), 0);
            }
        }
    }

    // The 表示 menu's checkable items show the top-level, non-modal windows, which follow
    // 計算 (on the next pass) and the animation time; an item follows a window closed by
    // its title bar. The frame owns the windows.
    void theViewMenuShowsWindowsThatFollowThePanel() {
        test::AppFixture f;
        auto& views = f.app->analysis();
        QMenu* menu = f.app->frame().menuBar()->findChild<QMenu*>("ViewMenu");
        const QWidget* windows[] = {&views.frequency(), &views.phase(), &views.energy()};
        const QString captions[] = {"周波数応答(&R)", "位相平面(&P)", "エネルギー(&E)"};
        // and 時刻歴, 力のベクトル図, 動吸振器 and 減衰の測定 (history_test, force_vector_test,
        // absorber_window_test, damping_test), a separator and the three sizes (lecture mode)
        QCOMPARE(menu->actions().size(), 11);
        for (int i = 0; i < 3; ++i) {
            QAction* a = menu->actions()[i];
            QCOMPARE(a->text(), captions[i]);
            QVERIFY(a->isCheckable() && !a->isChecked() && !windows[i]->isVisible());
            QVERIFY(windows[i]->isWindow() && windows[i]->windowModality() == Qt::NonModal);
            QCOMPARE(windows[i]->windowTitle(), captions[i].chopped(4));
            a->trigger();
            QVERIFY(windows[i]->isVisible() && a->isChecked());
        }
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        // Running, the markers follow every sixth frame: the time of one of the last six
        // passes; stopped, they show tmin.
        f.app->panel().setText(ctl::Texttmin, "0.5");
        f.click(ctl::Command2);
        f.run(20, 0.05);
        const QString energy = views.energy().readout()->text();
        const double shown = energy.section(' ', 0, 0).mid(2).toDouble();
        QVERIFY2(shown >= 1.2 && shown <= 1.5, qPrintable(energy));
        f.click(ctl::Command2);
        f.run(1, 0.05);
        QVERIFY(views.phase().readout()->text().startsWith(QStringLiteral("t=0.5 s")));
        menu->actions()[1]->trigger();
        QVERIFY(!views.phase().isVisible());
        menu->actions()[1]->trigger();
        views.phase().close();  // the title bar's close button
        QVERIFY(!menu->actions()[1]->isChecked());
        // Only the shown windows recompute, and only for the physics: 30 frame resizes with
        // all three open and a long run (tmax 50000) write the graph's size into the record
        // and recompute nothing; a hidden window waits until it is shown.
        menu->actions()[1]->trigger();
        f.type(ctl::Texttmax, "50000");
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        const int drawn = views.recomputes();
        const float graphw = f.app->session().record().graphw;
        for (int i = 0; i < 30; ++i) {
            f.app->frame().resize(f.app->frame().size() + QSize(i % 2 == 0 ? 40 : -20, 10));
            f.run(1, 0.02);
        }
        QVERIFY(f.app->session().record().graphw != graphw);  // the layout passes ran
        QCOMPARE(views.recomputes(), drawn);
        menu->actions()[1]->trigger();
        f.type(ctl::Textm, "2.5");
        f.type(ctl::Texttmax, "20");
        f.click(ctl::Command_keisan);
        f.run(1, 0.1);
        QCOMPARE(views.recomputes(), drawn + 2);
        menu->actions()[1]->trigger();
        f.run(1, 0.1);
        QCOMPARE(views.recomputes(), drawn + 3);
        QVERIFY2(views.frequency().readout()->text().contains("ω/ωn=0.1 "),  // 2 / √400
                 qPrintable(views.frequency().readout()->text()));
    }

    // Lecture mode: every chart window's fonts, line widths and markers in steps of 25 % from
    // 75 % to 300 %, the tiled windows untouched; remembered for the next run; F11 puts a
    // chart window full screen, Esc back.
    void chartWindowsGrowAndShrinkAndRememberTheirSize() {
        auto f = std::make_unique<test::AppFixture>();
        const QString settings = f->settings.filePath("yurana.conf");
        auto& energy = f->app->analysis().energy();
        f->app->analysis().energyAction()->trigger();
        QAbstractAxis* axis = energy.chart()->axes(Qt::Horizontal).first();
        auto* total = qobject_cast<QXYSeries*>(seriesNamed(energy.chart(), "E = T + U"));
        const double font = axis->labelsFont().pointSizeF();
        const double width = total->pen().widthF();
        const double readout = energy.readout()->font().pointSizeF();
        const double panel = f->app->form1().font().pointSizeF();
        // The names written on points: P and Q of the absorber.
        QXYSeries* p = seriesNamed(f->app->analysis().absorber().responseChart(), "P", true);
        const double label = p->pointLabelsFont().pointSizeF();
        app::ChartScaleMenu& scale = f->app->chartScale();
        const auto press = [](QAction* a, int times) {
            for (int i = 0; i < times; ++i) {
                a->trigger();
            }
        };
        press(scale.largerAction(), 2);
        QCOMPARE((QList<double>{double(scale.percent()), p->pointLabelsFont().pointSizeF(),
                                axis->labelsFont().pointSizeF(), total->pen().widthF(),
                                energy.readout()->font().pointSizeF(),
                                f->app->form1().font().pointSizeF()}),
                 (QList<double>{150, 1.5 * label, 1.5 * font, 1.5 * width, 1.5 * readout, panel}));
        press(scale.largerAction(), 10);
        QCOMPARE(std::pair(scale.percent(), axis->labelsFont().pointSizeF()),
                 std::pair(300, 3 * font));
        scale.designAction()->trigger();
        press(scale.smallerAction(), 3);
        QCOMPARE(std::pair(scale.percent(), total->pen().widthF()), std::pair(75, 0.75 * width));

        QTest::keyClick(&energy, Qt::Key_F11);
        QVERIFY(energy.windowState().testFlag(Qt::WindowFullScreen));
        QTest::keyClick(&energy, Qt::Key_Escape);
        QVERIFY(!energy.windowState().testFlag(Qt::WindowFullScreen));

        QCOMPARE(QSettings(settings, QSettings::IniFormat).value("charts/scalePercent").toInt(),
                 75);
        f.reset();

        // The next run starts at the size chosen.
        QWidget frame;
        QMenu view;
        auto* phase = new charts::PhasePlaneWindow(&frame);
        QSettings kept(settings, QSettings::IniFormat);
        kept.setValue("charts/scalePercent", 250);
        const double designed = phase->readout()->font().pointSizeF();
        app::ChartScaleMenu next(&frame, &view, kept);
        QCOMPARE(next.percent(), 250);
        phase->show();
        QCOMPARE(phase->readout()->font().pointSizeF(), 2.5 * designed);
    }
};

QTEST_MAIN(ChartsTest)
#include "charts_test.moc"
#include "panel/control_names.h"
