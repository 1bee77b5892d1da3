// Layout on the real windows: tiling, the panel's scroll bars, the graph window's plot.

#include <QApplication>
#include <QLabel>
#include <QMdiSubWindow>
#include <QScrollBar>
#include <QtTest>

#include "panel/panel_controls.h"
#include "platform/qt/fitted_label.h"
#include "platform/qt/fonts.h"
#include "support/app_fixture.h"

using namespace yurana;

class LayoutTest : public QObject {
    Q_OBJECT

    static void show(test::AppFixture& f, int w, int h) {
        f.app->frame().resize(w, h);
        f.app->frame().show();
        QVERIFY(QTest::qWaitForWindowExposed(&f.app->frame()));
        QCoreApplication::processEvents();
        f.app->tick();
    }

    static void verifyTiled(test::AppFixture& f) {
        const QRect a = f.app->form0Window()->geometry(), p = f.app->form1Window()->geometry();
        QCOMPARE(a.topLeft(), QPoint(0, 0));
        QCOMPARE(QPoint(p.left(), p.height()), QPoint(a.right() + 1, a.height()));
        QCOMPARE(f.app->form3Window()->geometry().top(), a.bottom() + 1);
    }

    static bool hasBlue(const QImage& image) { return test::countColour(image, Qt::blue) > 0; }

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void initTestCase() { qt::installFontSubstitutions(); }

    // At start-up (the design client area under the real menu bar: xcb frame_test), after
    // a frame resize (on the next pass) and after a failed pass.
    void theWindowsAreTiledAndTheBarsAppearExactlyWhenNeeded() {
        test::AppFixture f;
        verifyTiled(f);
        show(f, 960, 720);
        auto* h = qobject_cast<QScrollBar*>(f.app->form1().control(ctl::HScroll1));
        QWidget* textc = f.app->form1().control(ctl::Textc);
        const QPoint c0 = textc->pos();
        QVERIFY(!h->isHidden());  // the panel is narrower than its content
        h->setValue(h->maximum());
        QVERIFY(textc->x() < c0.x());
        h->setValue(0);
        f.app->frame().resize(2200, 1500);
        QCoreApplication::processEvents();
        QVERIFY(f.app->flags().saihaichi);
        f.app->tick();
        QVERIFY(!f.app->flags().saihaichi);
        verifyTiled(f);
        // A panel wide and high enough for the whole content: no bars.
        f.app->form0Window()->resize(1000, 800);
        QCoreApplication::processEvents();
        QVERIFY(h->isHidden() && f.app->form1().control(ctl::VScroll1)->isHidden());
        QCOMPARE(textc->pos(), c0);
        // The failing pass's recovery arranges the windows again.
        f.app->frame().resize(960, 720);
        f.app->panel().setText(ctl::Texthenibairitu, "abc");
        f.click(ctl::Command2);
        f.app->tick();
        QCOMPARE(f.box.texts.size(), size_t(1));
        verifyTiled(f);
        QVERIFY(!f.app->form1().control(ctl::VScroll1)->isHidden());
    }

    // Every caption and result of the panel within its box, condensed only where the fonts
    // here run wider than the box, and drawn as measured; also a long result, and after
    // the collapsed arrangement.
    void everyCaptionFitsItsBox() {
        test::AppFixture f;
        show(f, 960, 720);
        const auto verifyFitted = [&] {
            int condensed = 0;
            for (const ControlDef& c : panelControls()) {
                auto* label = qobject_cast<qt::FittedLabel*>(
                    f.app->form1().control(std::string(c.name).c_str()));
                if (label == nullptr) {
                    continue;
                }
                const QFont drawn = label->drawnFont();
                const int room = label->textRect().width();
                QVERIFY2(QFontMetrics(drawn).horizontalAdvance(label->text()) <= room,
                         c.name.data());
                const bool fits =
                    QFontMetrics(label->font()).horizontalAdvance(label->text()) <= room;
                QVERIFY2((drawn == label->font()) == fits, c.name.data());
                condensed += !fits;
            }
            QCOMPARE(condensed, 2);  // t0における速度(m/s), and the long ωd
        };
        f.app->panel().setText(ctl::Labelwd, "31.61894567");
        verifyFitted();
        auto* lab10 = qobject_cast<qt::FittedLabel*>(f.app->form1().control(ctl::lab[10]));
        QLabel plain(lab10->text());
        plain.setFont(lab10->drawnFont());
        plain.resize(lab10->size());
        QCOMPARE(lab10->grab().toImage().convertToFormat(QImage::Format_RGB32),
                 plain.grab().toImage().convertToFormat(QImage::Format_RGB32));
        f.app->form0Window()->resize(f.app->form0Window()->width(), 30);
        QCoreApplication::processEvents();
        QVERIFY(f.app->flags().shukushou);
        verifyFitted();
    }

    void graphPlotSurvivesCoveringAndAResizeRepaints() {
        test::AppFixture f;
        show(f, 1000, 700);
        QCoreApplication::processEvents();  // the panel's repaint queued by the tiling
        f.app->record().tmax = 20;
        f.app->record().graphbairitu = "1000";
        f.app->panel().setValue(ctl::Checkxp, 1);
        f.app->form3().plotStep(0, {});
        f.app->form3().plotStep(10, {0, 0.01, 0, 0, 0});
        QVERIFY(hasBlue(f.app->form3().plotImage()));
        QWidget cover;
        cover.setGeometry(f.app->frame().geometry());
        cover.show();
        QVERIFY(QTest::qWaitForWindowExposed(&cover));
        cover.hide();
        QTRY_VERIFY(hasBlue(f.app->form3().grab().toImage()));
        QMdiSubWindow* window = f.app->form3Window();
        float w = f.app->record().graphw;
        window->resize(window->width() + 60, window->height());
        QTRY_COMPARE(f.app->record().graphw, w + 60);
        QVERIFY(!hasBlue(f.app->form3().plotImage()));
    }
};

QTEST_MAIN(LayoutTest)
#include "layout_test.moc"
#include "panel/control_names.h"
