// The graph window on its real image, pixel by pixel: background, summary panel, live
// segments, clear, failures, repaint behaviour and accessibility.

#include <QAccessible>
#include <QFontInfo>
#include <QPaintEvent>
#include <QPainter>
#include <QtTest>

#include "app/form3.h"
#include "graph/pen_memory.h"
#include "model/calc_error.h"
#include "model/parameter_panel.h"
#include "platform/qt/fonts.h"
#include "support/fake_panel.h"

using namespace yurana;

namespace {

const QColor kBlack(0, 0, 0);
const QColor kWhite(255, 255, 255);
const QColor kGrey(192, 192, 192);
const QColor kBlue(0, 0, 255);
const QColor kGreen(0, 127, 0);
const QColor kYellow(255, 200, 0);
const QColor kRed(255, 0, 0);

// The graph window with the panel defaults and a record as a run of the defaults has it.
struct Rig {
    Rig() : form(panel, record, pen) {
        record.tmin = 0;
        record.tmax = 20;
        record.graphbairitu = "1000";
        record.z = 0.0158f;
        record.wd = 31.6189f;
        record.c1 = 0.05;
        record.c2 = 0.0007901;
        form.resize(640, 252);
    }
    QColor at(int x, int y) { return form.plotImage().pixelColor(x, y); }
    void tickAll() {
        for (const char* box : {"Checkxp", "Checkxc", "Checkxcxp", "Checkheni", "Checkkabeheni"}) {
            panel.setValue(box, 1);
        }
    }

    test::FakePanel panel;
    ModelRecord record;
    graph::PenMemory pen;
    app::Form3 form;
};

// Pixels of the band that differ from white.
int inkIn(const QImage& image, const QRect& band) {
    int n = 0;
    for (int y = band.top(); y <= band.bottom(); ++y) {
        for (int x = band.left(); x <= band.right(); ++x) {
            n += image.pixelColor(x, y) != kWhite ? 1 : 0;
        }
    }
    return n;
}

// Records the rectangles a widget is asked to paint.
class PaintSpy : public QObject {
  public:
    bool eventFilter(QObject* /*watched*/, QEvent* event) override {
        if (event->type() == QEvent::Paint) {
            region += static_cast<QPaintEvent*>(event)->region();
        }
        return false;
    }
    QRegion region;
};

}  // namespace

class Form3Test : public QObject {
    Q_OBJECT

  private slots:
    void initTestCase() { qt::installFontSubstitutions(); }

    void cleanup() { QVERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void windowAndPanelAsDesigned() {
        Rig r;
        QCOMPARE(r.form.objectName(), QStringLiteral("Form3"));
        QCOMPARE(r.form.windowTitle(), QStringLiteral("グラフ表示ウインドウ"));
        QCOMPARE(r.form.sizeHint(), QSize(640, 252));
        QCOMPARE(r.form.picture1()->objectName(), QStringLiteral("Picture1"));
        QCOMPARE(r.form.picture1()->geometry(), QRect(0, 8, 75, 185));
        QCOMPARE(QFontInfo(r.form.picture1()->font()).family(), QStringLiteral("IPAPGothic"));
        QCOMPARE(r.form.font().pointSizeF(), 13.5);
    }

    void backgroundAtTheDesignSize() {
        Rig r;
        r.form.graph_haikei();
        QCOMPARE(r.record.graphw, 640.0f);
        QCOMPARE(r.record.graphh, 252.0f);
        for (int x = 0; x < 640; ++x) {
            QCOMPARE(r.at(x, 126), kBlack);
        }
        for (int y = 0; y < 252; ++y) {
            QCOMPARE(r.at(80, y), kBlack);
        }
        QCOMPARE(r.at(300, 125), kWhite);
        QCOMPARE(r.at(300, 127), kWhite);
        for (int y = 116; y <= 136; ++y) {
            QCOMPARE(r.at(560, y), kBlack);
        }
        QCOMPARE(r.at(560, 115), kWhite);
        QCOMPARE(r.at(560, 137), kWhite);
        QCOMPARE(r.at(559, 120), kWhite);

        // Time labels below the axis, at (70, 132) and (550, 132).
        QVERIFY(inkIn(r.form.plotImage(), QRect(70, 132, 9, 20)) > 0);
        QVERIFY(inkIn(r.form.plotImage(), QRect(550, 132, 20, 20)) > 0);
        QCOMPARE(inkIn(r.form.plotImage(), QRect(0, 0, 79, 125)), 0);

        // The panel: light grey, an eighth of the window wide, the summary in black.
        QCOMPARE(r.form.picture1()->geometry(), QRect(0, 8, 75, 185));
        const QImage& panel = r.form.panelImage();
        QCOMPARE(panel.size(), QSize(75, 185));
        QCOMPARE(panel.pixelColor(74, 184), kGrey);
        bool dark = false;
        for (int x = 0; x < 75 && !dark; ++x) {
            for (int y = 0; y < 12 && !dark; ++y) {
                dark = panel.pixelColor(x, y).lightness() < 100;
            }
        }
        QVERIFY(dark);
    }

    void timeLabelIsTheRawText() {
        Rig r;
        r.panel.preset("Texttmin", "0.0");
        r.form.graph_haikei();
        // The same text drawn by hand in the window's font at the label's place.
        QImage expected(640, 252, QImage::Format_ARGB32_Premultiplied);
        expected.fill(Qt::white);
        {
            QPainter p(&expected);
            p.setFont(r.form.font());
            p.setPen(Qt::black);
            p.drawText(QPointF(70, 132 + QFontMetrics(r.form.font()).ascent()), "0.0");
        }
        QRect band(81, 132, 60, 20);  // right of the vertical axis
        QVERIFY(inkIn(expected, band) > 0);
        QCOMPARE(r.form.plotImage().copy(band), expected.copy(band));
    }

    void firstStepDrawsNothingThenOneSegmentPerTickedCurve() {
        Rig r;
        r.form.graph_haikei();
        r.panel.setValue("Checkxp", 1);
        graph::resetPen(r.pen);
        QImage before = r.form.plotImage();
        r.form.plotStep(0, {0, 0, 0, 0, 0});
        QCOMPARE(r.form.plotImage(), before);

        r.form.plotStep(10, {0, 0.01, 0, 0, 0});
        QCOMPARE(r.at(320, 136), kBlue);  // t = 10 s, xp = 0.01 m
        QCOMPARE(r.at(200, 131), kBlue);
        QCOMPARE(r.at(80, 126), kBlue);
        QCOMPARE(r.at(321, 136), kWhite);
        QCOMPARE(r.at(200, 130), kWhite);
    }

    void everyCurveInItsColour() {
        Rig r;
        r.form.graph_haikei();
        r.tickAll();
        r.pen = {80, 186, 166, 146, 106, 76};
        r.form.plotStep(10, {0.01, 0.02, 0, 0.03f, 0});
        QCOMPARE(r.at(200, 146), kBlue);    // xp: 146 -> 146
        QCOMPARE(r.at(200, 151), kGreen);   // xc: 166 -> 136
        QCOMPARE(r.at(200, 131), kYellow);  // xc + xp: 106 -> 156
        QCOMPARE(r.at(200, 186), kRed);     // total: 186 -> 186
        QCOMPARE(r.at(200, 116), kBlack);   // wall: 76 -> 156
    }

    void totalOverTheSolutionsAndWallOverAll() {
        Rig r;
        r.form.graph_haikei();
        r.tickAll();
        // xp, xc and the total share one line; the total wins.
        graph::resetPen(r.pen);
        r.form.plotStep(0, {0.02, 0.02, 0, -0.02f, 0});
        r.form.plotStep(10, {0.01, 0.01, 0, -0.01f, 0});
        QCOMPARE(r.at(200, 141), kRed);
        QCOMPARE(r.at(200, 156), kYellow);
        QCOMPARE(r.at(200, 111), kBlack);

        // xp, xc + xp and the wall share one line; the wall wins.
        r.form.clear();
        graph::resetPen(r.pen);
        r.form.plotStep(0, {0, 0.02, 0, 0.02f, 0});
        r.form.plotStep(10, {0, 0.01, 0, 0.01f, 0});
        QCOMPARE(r.at(200, 141), kBlack);
        QCOMPARE(r.at(200, 156), kRed);
    }

    void nothingAtOrPastTheEnd() {
        Rig r;
        r.form.graph_haikei();
        r.tickAll();
        r.pen = {500, 126, 126, 126, 126, 126};
        QImage before = r.form.plotImage();
        r.form.plotStep(20, {0.01, 0.01, 0, 0.01f, 0});
        r.form.plotStep(25, {0.01, 0.01, 0, 0.01f, 0});
        QCOMPARE(r.form.plotImage(), before);
        QCOMPARE(r.pen.mae_x, 680.0);
    }

    void clearKeepsThePenAndErasesTheLabels() {
        Rig r;
        r.form.graph_haikei();
        r.panel.setValue("Checkxc", 1);
        r.pen = {80, 0, 146, 0, 0, 0};
        r.form.plotStep(10, {0.01, 0, 0, 0, 0});
        QCOMPARE(r.at(200, 141), kGreen);
        r.form.clear();
        QCOMPARE(r.at(200, 141), kWhite);
        QCOMPARE(r.at(560, 116), kWhite);  // end tick gone
        QCOMPARE(inkIn(r.form.plotImage(), QRect(81, 132, 60, 20)), 0);
        QCOMPARE(inkIn(r.form.plotImage(), QRect(540, 132, 60, 20)), 0);
        QCOMPARE(r.at(300, 126), kBlack);
        QCOMPARE(r.at(80, 30), kBlack);
        QCOMPARE(r.pen.mae_x, 320.0);

        r.form.plotStep(12, {0.02, 0, 0, 0, 0});  // from (320, 136) to (368, 146)
        QCOMPARE(r.at(344, 141), kGreen);
    }

    void failures() {
        Rig r;
        r.form.graph_haikei();
        r.tickAll();
        r.pen = {80, 126, 126, 126, 126, 126};
        r.record.graphbairitu = "abc";
        QVERIFY_THROWS_EXCEPTION(calc_error, r.form.plotStep(10, {}));
        r.record.graphbairitu = "1000";
        r.record.tmax = 0;
        QVERIFY_THROWS_EXCEPTION(calc_error, r.form.plotStep(10, {}));
        r.record.tmin = 5;
        r.record.tmax = 5;
        QVERIFY_THROWS_EXCEPTION(calc_error, r.form.plotStep(10, {}));
        QCOMPARE(r.at(200, 126), kBlack);
        QCOMPARE(r.at(200, 125), kWhite);

        // Narrower than 40 px: the panel is filled grey and keeps its width.
        r.form.resize(39, 252);
        QVERIFY_THROWS_EXCEPTION(calc_error, r.form.graph_haikei());
        QCOMPARE(r.form.picture1()->width(), 75);
        QCOMPARE(r.form.panelImage().pixelColor(2, 2), kGrey);
        QCOMPARE(r.record.graphw, 640.0f);

        // Textwn not a number: plot complete, line 1 only on the panel.
        r.form.resize(640, 252);
        r.panel.preset("Textwn", "abc");
        QVERIFY_THROWS_EXCEPTION(calc_error, r.form.graph_haikei());
        QCOMPARE(r.at(560, 116), kBlack);
        QCOMPARE(r.form.picture1()->summaryText(), QStringLiteral("固有振動周波数数f:"));
        const QImage& panel = r.form.panelImage();
        int darkBelow = 0;
        for (int y = 20; y < 185; ++y) {
            for (int x = 0; x < 75; ++x) {
                darkBelow += panel.pixelColor(x, y) != kGrey ? 1 : 0;
            }
        }
        QCOMPARE(darkBelow, 0);
    }

    void extremeCoordinatesAndAnEmptyPanel() {
        Rig r;
        r.form.graph_haikei();
        r.panel.setValue("Checkxp", 1);
        r.pen = {80, 0, 0, 126, 0, 0};
        r.form.plotStep(10, {0, 1e30, 0, 0, 0});  // far below the window: cut at its edge
        QCOMPARE(r.at(80, 126), kBlue);
        QCOMPARE(r.at(80, 130), kBlue);
        QCOMPARE(r.at(81, 251), kWhite);
        QCOMPARE(r.at(80, 251), kBlue);

        // A 40 px window leaves a panel 0 px wide; redrawing it twice keeps 11 lines.
        r.form.resize(40, 252);
        r.form.graph_haikei();
        r.form.graph_haikei();
        QCOMPARE(r.form.picture1()->width(), 0);
        QVERIFY(r.form.panelImage().isNull());
        QCOMPARE(r.form.picture1()->summaryText().count('\n'), 10);
        QCOMPARE(r.at(5, 126), kBlack);
        QCOMPARE(r.at(35, 116), kBlack);  // end tick at 0.875 · 40
    }

    void repaintsAndCoveringKeepThePlot() {
        Rig r;
        r.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.form));
        QTRY_COMPARE(r.record.graphw, 640.0f);  // showing the panel ran graph_haikei
        QTRY_COMPARE(r.form.picture1()->summaryText().count('\n'), 10);

        PaintSpy spy;
        r.form.installEventFilter(&spy);
        r.panel.setValue("Checkxp", 1);
        r.pen = {80, 0, 0, 126, 0, 0};
        r.form.plotStep(10, {0, 0.01, 0, 0, 0});
        QTRY_VERIFY(!spy.region.isEmpty());
        QVERIFY(QRect(78, 124, 245, 15).contains(spy.region.boundingRect()));

        // Another window over it and away again; an ordinary repaint of the panel.
        QWidget cover;
        cover.setGeometry(r.form.geometry());
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        cover.hide();
        r.form.picture1()->update();
        r.form.update();
        QTest::qWait(20);
        QCOMPARE(r.form.grab().toImage().pixelColor(200, 131), kBlue);
        QCOMPARE(r.at(200, 131), kBlue);

        // The window grows: re-laid out, the panel repaints and the plot fills the new size.
        r.form.resize(700, 252);
        QTRY_COMPARE(r.record.graphw, 700.0f);
        QCOMPARE(r.at(200, 131), kWhite);
        QCOMPARE(r.at(690, 10), kWhite);
        QCOMPARE(r.form.picture1()->width(), 82);  // 700 / 8 − 5 = 82.5, halves to even

        // Resizing the panel is its repaint too.
        r.form.plotStep(11, {0, 0.01, 0, 0, 0});
        r.form.plotStep(11.5, {0, 0.01, 0, 0, 0});
        QCOMPARE(r.at(375, 136), kBlue);
        r.form.picture1()->resize(120, 185);
        QTRY_COMPARE(r.at(375, 136), kWhite);

        // Hiding and showing the window shows the panel again.
        r.form.plotStep(12, {0, 0.01, 0, 0, 0});  // (320, 136) to (402.5, 136)
        QCOMPARE(r.at(400, 136), kBlue);
        r.form.hide();
        r.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.form));
        QTRY_COMPARE(r.at(400, 136), kWhite);
        QCOMPARE(r.at(88, 30), kBlack);  // the vertical axis at 700 / 8 = 87.5
    }

    void panelRepaintIgnoresFailures() {
        Rig r;
        r.panel.preset("Textwn", "abc");
        r.form.show();
        QVERIFY(QTest::qWaitForWindowExposed(&r.form));
        QTRY_COMPARE(r.record.graphw, 640.0f);
        QCOMPARE(r.form.picture1()->summaryText(), QStringLiteral("固有振動周波数数f:"));
    }

    void accessibleNameIsTheSummary() {
        Rig r;
        r.form.graph_haikei();
        QAccessibleInterface* iface = QAccessible::queryAccessibleInterface(r.form.picture1());
        QVERIFY(iface != nullptr);
        QStringList lines;
        for (const std::string& line : summaryLines(r.panel, r.record)) {
            lines << QString::fromStdString(line);
        }
        QCOMPARE(iface->text(QAccessible::Name), lines.join('\n'));
        QVERIFY(iface->text(QAccessible::Name)
                    .startsWith(QStringLiteral(
                        "固有振動周波数数f:\n5.0329(Hz)(不足減衰)\n\n臨海減衰係数cc:\n63.2456")));

        // Computed when asked: a redraw with other values shows at the next question.
        r.record.z = 1.0f;
        r.form.graph_haikei();
        QVERIFY(iface->text(QAccessible::Name).contains(QStringLiteral("(臨界減衰)")));
    }
};

QTEST_MAIN(Form3Test)
#include "form3_test.moc"
