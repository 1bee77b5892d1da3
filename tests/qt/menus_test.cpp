// The frame's menus as the user reaches them; the exports through a file dialog that answers
// with a test file; the About window's link, with a launcher of the test's own.

#include <QAbstractBarSeries>
#include <QApplication>
#include <QBarSet>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QWindow>
#include <QtTest>

#include "app/charts/chart_export.h"
#include "app/charts/overlaid_bars_view.h"
#include "app/charts/overlaid_curves_view.h"
#include "app/exports.h"
#include "examples/examples.h"
#include "panel/messages.h"
#include "panel/run_buttons.h"
#include "platform/posix/linux_registry.h"
#include "support/app_fixture.h"

using namespace yurana;

namespace {

// Its save dialog answers with `path` and remembers the names it offered.
struct Program : qt::SaveDialog, test::AppFixture {
    QTemporaryDir dir;
    QString path;
    QStringList offered;

    Program() : test::AppFixture(QCoreApplication::applicationDirPath(), {}, this) {}
    QString ask(QWidget*, const QString&, const QString& name, const QString&) override {
        offered << name;
        return path;
    }
    QString file(const char* name) { return path = dir.filePath(name); }
    QList<QAction*> exampleItems() {
        return app->frame().findChild<QMenu*>("ExampleMenu")->actions();
    }
};

// A menu's or a chart view's items, with their shortcuts.
QStringList items(const QWidget* menu) {
    QStringList out;
    for (QAction* a : menu->actions()) {
        out << (a->isSeparator() ? "-" : a->text() + " " + a->shortcut().toString());
    }
    return out;
}

// How many pixels of two pictures of one size differ by more than 48 in a colour.
int differingPixels(const QImage& a, const QImage& b) {
    int n = 0;
    for (int y = 0; y < a.height(); ++y) {
        for (int x = 0; x < a.width(); ++x) {
            const QColor p = a.pixelColor(x, y), q = b.pixelColor(x, y);
            n += std::max({std::abs(p.red() - q.red()), std::abs(p.green() - q.green()),
                           std::abs(p.blue() - q.blue())}) > 48;
        }
    }
    return n;
}

const std::pair<const char*, void (*)(app::FrmAbout&)> kCloseAbout[] = {
    {"OK",
     [](app::FrmAbout& a) { QTest::mouseClick(a.control(ctl::about::cmdOK), Qt::LeftButton); }},
    {"Return", [](app::FrmAbout& a) { QTest::keyClick(&a, Qt::Key_Return); }},
    {"Enter", [](app::FrmAbout& a) { QTest::keyClick(&a, Qt::Key_Enter); }},
    {"Esc", [](app::FrmAbout& a) { QTest::keyClick(&a, Qt::Key_Escape); }},
    {"title bar", [](app::FrmAbout& a) { a.windowHandle()->close(); }},
};

}  // namespace

class MenusTest : public QObject {
    Q_OBJECT

  private slots:
    void cleanup() { QTRY_VERIFY(QApplication::topLevelWidgets().isEmpty()); }

    void theItemsFollowThePanelsButtons_data() {
        QTest::addColumn<int>("way");
        QTest::addColumn<QStringList>("before");  // the buttons clicked before
        const QStringList before[] = {{ctl::Command2}, {ctl::Command2, ctl::Command6}, {}};
        for (int i = 0; i < 15; ++i) {
            QTest::addRow("%s after [%s]", kCloseAbout[i / 3].first,
                          qPrintable(before[i % 3].join(' ')))
                << i / 3 << before[i % 3];
        }
    }

    // バージョン情報 opens the About window as the button does: the run buttons, 終了 and the
    // 例題 items go grey, and a running run pauses, drawing nothing. Every way of closing it
    // stops the run and restores them.
    void theItemsFollowThePanelsButtons() {
        QFETCH(int, way);
        QFETCH(QStringList, before);
        Program p;
        app::FrameMenus& m = p.app->menus();
        const auto greyed = [&](bool grey) {
            QCOMPARE(m.quitAction()->isEnabled(), !grey);
            for (QAction* a : p.exampleItems()) {
                QCOMPARE(a->isEnabled(), !grey);
            }
            for (std::string_view b : kRunButtons) {
                QVERIFY2(p.app->panel().isEnabled(b) != grey, b.data());
            }
        };
        greyed(false);
        for (const QString& button : before) {
            p.click(qPrintable(button));
        }
        m.aboutAction()->trigger();
        QVERIFY(QTest::qWaitForWindowExposed(&p.app->about()));
        const QString line = p.app->form0().textLine();
        p.run(2, 1);
        QVERIFY(before.size() != 1 || (p.app->session().run().joutai == kAboutPaused &&
                                       p.app->form0().textLine() == line));
        greyed(true);
        kCloseAbout[way].second(p.app->about());
        QVERIFY(!p.app->about().isVisible());
        QCOMPARE(p.app->session().run().joutai, int(kStopped));
        QCOMPARE(p.text(ctl::Command2), "開始");
        greyed(false);
        QVERIFY(!p.app->ended());
        m.quitAction()->trigger();
        QVERIFY(p.app->ended());
    }

    // Each case, loaded while running from a panel whose every value differs from it, fills
    // the panel and stops the run (what 計算 then makes of it: response_test).
    void eachCaseFillsThePanelAndStopsTheRun() {
        const auto texts = std::to_array(
            {ctl::Textm, ctl::Textk, ctl::Textc, ctl::Textf, ctl::Textw, ctl::Textxshoki,
             ctl::Textvshoki, ctl::Textt0, ctl::Texttmin, ctl::Texttmax, ctl::Textkabem,
             ctl::Texthenibairitu, ctl::Textgraphbairitu, ctl::Textjikanbairitu});
        const auto boxes = std::to_array({ctl::Check1, ctl::Checkheni, ctl::Checkxc, ctl::Checkxp,
                                          ctl::Checkxcxp, ctl::Checkkabeheni});
        Program f;
        for (qsizetype item = 0; item < f.exampleItems().size(); ++item) {
            const Example& e = examples()[item];
            const std::string_view typed[] = {
                e.m,  e.k,    e.c,    e.f,     e.w,           e.x0,           e.v0,
                e.t0, e.tmin, e.tmax, e.kabem, e.henibairitu, e.graphbairitu, e.jikanbairitu};
            const bool ticked[] = {e.wallAnimation, e.heni, e.xc, e.xp, e.xcxp, e.kabeheni};
            f.click(ctl::Command2);
            f.run(3, 0.05);
            QStringList want, shown;
            for (int i = 0; i < 14; ++i) {
                f.app->panel().setText(texts[i], std::string(typed[i]) + "3");
                f.app->panel().setValue(boxes[i % 6], !ticked[i % 6]);
                want << QString::fromUtf8(typed[i].data(), qsizetype(typed[i].size())) +
                            QString::number(ticked[i % 6]);
            }
            QCOMPARE(f.app->session().run().joutai, kRunning);
            f.exampleItems()[item]->trigger();
            for (int i = 0; i < 14; ++i) {
                shown << QString::fromStdString(f.text(texts[i])) +
                             QString::number(f.app->panel().value(boxes[i % 6]));
            }
            QCOMPARE(shown, want);
            QVERIFY(f.app->session().run().joutai == kStopped && f.text(ctl::Command2) == "開始");
        }
        QCOMPARE(f.exampleItems().size(), qsizetype(examples().size()));
        QVERIFY(f.box.texts.empty());
    }

    // The graph as the window shows it, pixel for pixel, at its size; the animation at the
    // scene's size; the curves, or with a bad value a message and no file.
    void theFileMenuSavesWhatTheWindowsShow() {
        Program p;
        p.click(ctl::Command2);
        p.run(30, 0.05);
        app::Form3& graph = p.app->form3();
        p.file("graph.png");
        p.app->menus().graphAction()->trigger();
        QImage saved(p.path);
        QCOMPARE(saved.size(), graph.size());
        for (QPoint at :
             {QPoint(graph.width() - 3, graph.height() / 2), QPoint(graph.width() / 2 + 40, 5)}) {
            QCOMPARE(saved.pixel(at), graph.plotImage().pixel(at));
        }
        QCOMPARE(saved.pixel(graph.picture1()->pos() + QPoint(4, 4)),
                 graph.panelImage().pixel(4, 4));
        // The animation at the scene's own 640 × 480 whatever the picture's size: brought to
        // the picture's size it is the frame on screen, but for edges the two scalings
        // smooth differently; the frame on screen stays as it was.
        app::ScenePicture* picture = p.app->form0().picture();
        p.app->form0Window()->resize(700, 560);
        const QImage shown = picture->grab().toImage();
        QVERIFY(shown.size() != QSize(640, 480));
        p.file("animation.png");
        p.app->menus().animationAction()->trigger();
        saved = QImage(p.path);
        QCOMPARE(saved.size(), QSize(640, 480));
        const QImage scaled =
            saved.scaled(shown.size(), Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
        QVERIFY(differingPixels(scaled, shown) < shown.width() * shown.height() / 100);
        QCOMPARE(picture->grab().toImage(), shown);
        QFile csv(p.file("c.csv"));
        p.app->menus().curvesAction()->trigger();
        QVERIFY(csv.open(QIODevice::ReadOnly));
        QVERIFY(csv.readLine().startsWith("t_s,") && csv.readLine().startsWith("0,"));
        QCOMPARE(p.offered,
                 (QStringList{"yurana-graph.png", "yurana-animation.png", "yurana-curves.csv"}));
        const QString failed = p.file("failed.csv");
        p.type(ctl::Texttmax, "0");
        p.app->menus().curvesAction()->trigger();
        QCOMPARE(p.box.texts, std::vector<std::string>{std::string(kMsgBadValue)});
        QVERIFY(!QFile::exists(failed));
    }

    // The bar around 表示, and the items with their shortcuts; each chart view's own menu.
    void eachChartSavesItsPictureAndCurves() {
        Program p;
        QCOMPARE(items(p.app->frame().menuBar()) + items(p.app->menus().fileMenu()) +
                     items(p.app->menus().helpMenu()),
                 (QStringList{"ファイル(&F) ", "表示(&V) ", "例題(&X) ", "ヘルプ(&H) ",
                              "測定データを開く(&O)… Ctrl+O", "-", "曲線をCSVで保存(&C)… Ctrl+E",
                              "グラフを画像で保存(&G)… ", "アニメーションを画像で保存(&A)… ", "-",
                              "終了(&X) Ctrl+Q", "使い方(&H) F1", "バージョン情報(&A) "}));
        p.app->panel().setValue(ctl::Checkxc, 1);  // the time history exports what it shows
        p.app->panel().setValue(ctl::Checkxcxp, 1);
        for (QAction* a : p.app->frame().menuBar()->findChild<QMenu*>("ViewMenu")->actions()) {
            a->trigger();
        }
        p.click(ctl::Command_keisan);
        p.run(2, 0.1);
        const auto views = p.app->frame().findChildren<QChartView*>();
        // amplitude, phase, transmissibility, mean power, Bode magnitude and phase, Nyquist;
        // phase plane; energy, its bars and its loops; the time history; the absorber's
        // response and motion; the damping lab's fit and residuals (empty without data)
        QCOMPARE(views.size(), 16);
        for (QChartView* view : views) {
            QCOMPARE(items(view), (QStringList{"画像で保存… ", "CSVで保存… "}));
            auto* exporter = view->findChild<charts::ChartExport*>();
            exporter->saveCsv(p.file("chart.csv"));
            QFile f(p.path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QList<QByteArray> lines = f.readAll().split('\n');
            // The loops of the energy window wait for a whole period of the force: no curve
            // to name its axes, the header alone.
            QVERIFY(lines[0].startsWith("curve,\"") ||
                    (lines[0] == "curve,x,y" && lines.size() == 2));
            // One row per point, or per bar with its category in place of x.
            qsizetype rows = 0;
            QXYSeries* first = nullptr;
            for (QAbstractSeries* s : charts::shownSeries(view)) {  // drawn by the view too
                if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
                    const QBarSet* set = bars->barSets().first();
                    rows += set->count();
                    QCOMPARE(lines[1], "\"" + set->label().toUtf8() + "\",\"入力\"," +
                                           QByteArray::number(set->at(0), 'g', 17));
                    continue;
                }
                // Its own points, or those the view draws over the chart for it (the loops).
                auto* xy = qobject_cast<QXYSeries*>(s);
                const qsizetype count = charts::shownPoints(view, xy).size();
                rows += count;
                first = first == nullptr && count > 1 ? xy : first;
            }
            QCOMPARE(lines.size(), rows + 2);  // the header, and nothing after the last LF
            if (first != nullptr) {
                const QList<QByteArray> row = lines[2].split(',');
                const QPointF second = charts::shownPoints(view, first).at(1);
                QCOMPARE(row[0], "\"" + first->name().toUtf8() + "\"");
                QCOMPARE(row[1].toDouble(), second.x());
                QCOMPARE(row[2].toDouble(), second.y());
            }
            exporter->saveImage(p.file("chart.png"));
            QCOMPARE(QImage(p.path).size(), view->size());
        }
        QVERIFY(p.box.texts.empty());
    }

    // The link to the guide beside the program opens it, or says that nothing could, as
    // 使い方 does; the window stays open.
    void theLinkOpensTheGuideBesideTheProgram() {
        struct Launcher : test::FakeLauncher {
            bool opens = true;
            bool openDocument(const std::string& target) override {
                return FakeLauncher::openDocument(target) && opens;
            }
        };
        test::RecordingMessageBox box;
        LinuxRegistry registry{"/usr/bin", [](const std::string&) { return false; }};
        Launcher launcher;
        app::FrmAbout about{box, registry, launcher};
        about.showModeless();
        QVERIFY(QTest::qWaitForWindowExposed(&about));
        QWidget* link = about.control(ctl::about::Label2);
        const std::string guide =
            (QCoreApplication::applicationDirPath() + "/guide/index.html").toStdString();
        for (bool opens : {true, false}) {
            launcher.opens = opens;
            QTest::mouseClick(link, Qt::LeftButton, {}, QPoint(30, link->height() / 2));
        }
        QCOMPARE(launcher.opened, std::vector<std::string>(2, guide));
        QCOMPARE(box.texts, std::vector<std::string>{"使い方を開けませんでした。\n" + guide});
        QVERIFY(about.isVisible());
        about.close();
    }
};

QTEST_MAIN(MenusTest)
#include "menus_test.moc"
#include "panel/control_names.h"
