// The ファイル and ヘルプ menus as the user reaches them: the exports through a file
// dialog that answers with a test file, 終了 and バージョン情報 as the panel's buttons.

#include <QAbstractBarSeries>
#include <QBarSet>
#include <QMenu>
#include <QMenuBar>
#include <QTemporaryDir>
#include <QtTest>

#include "app/charts/chart_export.h"
#include "app/exports.h"
#include "panel/messages.h"
#include "support/app_fixture.h"

using namespace yurana;

namespace {

// Answers every dialog with `path` and remembers what it was asked.
struct FixedDialog : app::SaveDialog {
    QString path;
    QStringList offered;
    QString ask(QWidget*, const QString&, const QString& name, const QString&) override {
        offered << name;
        return path;
    }
};

struct Program : FixedDialog, test::AppFixture {
    QTemporaryDir dir;
    FixedDialog& dialog = *this;

    Program() : test::AppFixture(QCoreApplication::applicationDirPath(), {}, this) {}
    QString file(const char* name) { return dialog.path = dir.filePath(name); }
};

}  // namespace

class ExportMenuTest : public QObject {
    Q_OBJECT

  private slots:
    void theMenusStandAroundTheViewMenuWithTheirItems() {
        Program p;
        const auto items = [](const QWidget* menu) {
            QStringList out;
            for (QAction* a : menu->actions()) {
                out << (a->isSeparator() ? "-" : a->text() + " " + a->shortcut().toString());
            }
            return out;
        };
        QCOMPARE(items(p.app->frame().menuBar()),
                 (QStringList{"ファイル(&F) ", "表示(&V) ", "例題(&X) ", "ヘルプ(&H) "}));
        QCOMPARE(items(p.app->menus().fileMenu()),
                 (QStringList{"曲線をCSVで保存(&C)… Ctrl+E", "グラフを画像で保存(&G)… ",
                              "アニメーションを画像で保存(&A)… ", "-", "終了(&X) Ctrl+Q"}));
        QCOMPARE(items(p.app->menus().helpMenu()),
                 (QStringList{"使い方(&H) F1", "バージョン情報(&A) "}));
    }

    // バージョン情報 opens the About window as the button does; 終了 goes grey with 終了.
    void theItemsFollowThePanelsButtons() {
        Program p;
        app::FrameMenus& m = p.app->menus();
        QVERIFY(m.quitAction()->isEnabled());
        m.aboutAction()->trigger();
        QTRY_VERIFY(p.app->about().isVisible());
        QVERIFY(!m.quitAction()->isEnabled());
        QCOMPARE(p.app->run().joutai, int(kAboutPaused));  // opened while stopped
        p.app->about().accept();
        QVERIFY(m.quitAction()->isEnabled());
        QVERIFY(!p.app->ended());
        m.quitAction()->trigger();
        QVERIFY(p.app->ended());
    }

    void theCurvesAreSavedOrABadValueIsSaid() {
        Program p;
        const QString csv = p.file("c.csv");
        p.app->menus().curvesAction()->trigger();
        QCOMPARE(p.dialog.offered, QStringList{"yurana-curves.csv"});
        QFile f(csv);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readLine(), QByteArray("t_s,total_m,xc_m,xp_m,xcxp_m,wall_m,v_m_s,kinetic_J,"
                                          "potential_J\n"));
        QVERIFY(f.readLine().startsWith("0,"));
        f.close();
        QVERIFY(p.box.texts.empty());

        const QString failed = p.file("failed.csv");
        p.type("Texttmax", "0");
        p.app->menus().curvesAction()->trigger();
        QCOMPARE(p.box.texts, std::vector<std::string>{std::string(kMsgBadValue)});
        QVERIFY(!QFile::exists(failed));
    }

    // The pictures as the windows show them, pixel for pixel, at their size.
    void theGraphAndTheFrameAreSavedAsShown() {
        Program p;
        p.click("Command2");
        p.run(30, 0.05);
        app::Form3& graph = p.app->form3();
        p.file("graph.png");
        p.app->menus().graphAction()->trigger();
        QImage saved(p.dialog.path);
        QCOMPARE(saved.size(), graph.size());
        const QImage plot = graph.plotImage();
        const QImage panel = graph.panelImage();
        const QPoint panelAt = graph.picture1()->pos();
        for (QPoint at :
             {QPoint(graph.width() - 3, graph.height() / 2), QPoint(graph.width() / 2 + 40, 5)}) {
            QCOMPARE(saved.pixel(at), plot.pixel(at));
        }
        QCOMPARE(saved.pixel(panelAt + QPoint(4, 4)), panel.pixel(4, 4));

        p.file("animation.png");
        p.app->menus().animationAction()->trigger();
        saved = QImage(p.dialog.path);
        app::ScenePicture* picture = p.app->form0().picture();
        QCOMPARE(saved.size(), picture->size());
        const QImage window = p.app->form0().grab().toImage();
        for (QPoint at : {QPoint(5, 5), QPoint(picture->width() / 2, picture->height() / 2)}) {
            QCOMPARE(saved.pixel(at), window.pixel(picture->pos() + at));
        }
        QCOMPARE(p.dialog.offered, (QStringList{"yurana-graph.png", "yurana-animation.png"}));
    }

    // Every chart of every analysis window saves its picture and its curves.
    void eachChartSavesItsPictureAndCurves() {
        Program p;
        for (QAction* a : p.app->frame().menuBar()->findChild<QMenu*>("ViewMenu")->actions()) {
            a->trigger();
        }
        p.click("Command_keisan");
        p.run(2, 0.1);
        const auto views = p.app->frame().findChildren<QChartView*>();
        // amplitude, phase, transmissibility, mean power; phase plane; energy and its bars
        QCOMPARE(views.size(), 7);
        for (QChartView* view : views) {
            QCOMPARE(view->actions().size(), 2);
            QCOMPARE(view->actions()[0]->text(), QStringLiteral("画像で保存…"));
            QCOMPARE(view->actions()[1]->text(), QStringLiteral("CSVで保存…"));
            auto* exporter = view->findChild<charts::ChartExport*>();
            exporter->saveCsv(p.file("chart.csv"));
            QFile f(p.dialog.path);
            QVERIFY(f.open(QIODevice::ReadOnly));
            const QList<QByteArray> lines = f.readAll().split('\n');
            QVERIFY(lines[0].startsWith("curve,\""));
            // One row per point, or per bar with its category in place of x.
            qsizetype rows = 0;
            QXYSeries* first = nullptr;
            for (QAbstractSeries* s : view->chart()->series()) {
                if (auto* bars = qobject_cast<QAbstractBarSeries*>(s)) {
                    const QBarSet* set = bars->barSets().first();
                    rows += set->count();
                    QCOMPARE(lines[1], "\"" + set->label().toUtf8() + "\",\"入力\"," +
                                           QByteArray::number(set->at(0), 'g', 17));
                    continue;
                }
                auto* xy = qobject_cast<QXYSeries*>(s);
                rows += xy->count();
                first = first == nullptr && xy->count() > 1 ? xy : first;
            }
            QCOMPARE(lines.size(), rows + 2);  // the header, and nothing after the last LF
            if (first != nullptr) {
                const QList<QByteArray> row = lines[2].split(',');
                QCOMPARE(row[0], "\"" + first->name().toUtf8() + "\"");
                QCOMPARE(row[1].toDouble(), first->at(1).x());
                QCOMPARE(row[2].toDouble(), first->at(1).y());
            }
            exporter->saveImage(p.file("chart.png"));
            QCOMPARE(QImage(p.dialog.path).size(), view->size());
        }
        QVERIFY(p.box.texts.empty());
    }
};

QTEST_MAIN(ExportMenuTest)
#include "export_menu_test.moc"
