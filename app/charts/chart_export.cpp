#include "app/charts/chart_export.h"

#include <QAbstractBarSeries>
#include <QAction>
#include <QBarCategoryAxis>
#include <QBarSet>
#include <QLayout>
#include <QValueAxis>
#include <QXYSeries>

#include "app/charts/overlaid_bars_view.h"
#include "app/charts/overlaid_curves_view.h"
#include "export/curves_csv.h"
#include "export/export_file.h"

namespace yurana::charts {

namespace {

// A CSV field: quoted, inner quotes doubled.
std::string quotedField(QString text) {
    // Appended piece by piece: GCC 12 at -O3 warns (-Wrestrict) on "\"" + std::string&&.
    std::string field(1, '"');
    field += text.replace(QStringLiteral("\""), QStringLiteral("\"\"")).toStdString();
    field += '"';
    return field;
}

// The series' axis along `orientation`; for bars drawn by the view, the chart's.
QAbstractAxis* axisOf(const QChart* chart, QAbstractSeries* series, Qt::Orientation orientation) {
    const QList<QAbstractAxis*> axes =
        series->chart() != nullptr ? series->attachedAxes() : chart->axes(orientation);
    for (QAbstractAxis* axis : axes) {
        if (axis->orientation() == orientation) {
            return axis;
        }
    }
    return nullptr;
}

QString axisTitle(const QChart* chart, QAbstractSeries* series, Qt::Orientation orientation) {
    if (QAbstractAxis* axis = axisOf(chart, series, orientation)) {
        return axis->titleText();
    }
    return orientation == Qt::Horizontal ? QStringLiteral("x") : QStringLiteral("y");
}

// A bar chart's rows: one per bar, its category in place of x.
std::string barRows(const QChart* chart, QAbstractBarSeries* series) {
    QStringList categories;
    if (auto* named = qobject_cast<QBarCategoryAxis*>(axisOf(chart, series, Qt::Horizontal))) {
        categories = named->categories();
    }
    std::string rows;
    for (const QBarSet* set : series->barSets()) {
        for (int i = 0; i < set->count(); ++i) {
            rows += quotedField(set->label()) + "," + quotedField(categories.value(i)) + "," +
                    csvNumber(set->at(i)) + "\n";
        }
    }
    return rows;
}

}  // namespace

QImage chartImage(QChartView* view) {
    // A window just placed or resized lays its children out later: the picture is of the
    // size the view is about to have, not the one it had before.
    if (QLayout* layout = view->window()->layout()) {
        layout->activate();
    }
    return view->grab().toImage();
}

std::string chartCsv(const QChartView* view) {
    std::string header;
    std::string rows;
    // What the view shows: a curve switched off (a check box of the time history) is not.
    for (QAbstractSeries* s : shownSeries(view)) {
        auto* series = qobject_cast<QXYSeries*>(s);
        auto* bars = qobject_cast<QAbstractBarSeries*>(s);
        const QList<QPointF> points =
            series != nullptr ? shownPoints(view, series) : QList<QPointF>();
        if (points.isEmpty() && bars == nullptr) {
            continue;
        }
        if (header.empty()) {
            header = "curve," + quotedField(axisTitle(view->chart(), s, Qt::Horizontal)) + "," +
                     quotedField(axisTitle(view->chart(), s, Qt::Vertical)) + "\n";
        }
        if (bars != nullptr) {
            rows += barRows(view->chart(), bars);
            continue;
        }
        const std::string name = quotedField(series->name());
        for (const QPointF& p : points) {
            rows += name + "," + csvNumber(p.x()) + "," + csvNumber(p.y()) + "\n";
        }
    }
    return (header.empty() ? std::string("curve,x,y\n") : header) + rows;
}

ChartExport::ChartExport(QChartView* view, Files& files, MessageBox& box)
    : QObject(view), view_(view), files_(files), box_(box) {
    view->setContextMenuPolicy(Qt::ActionsContextMenu);
    auto* image = new QAction(QStringLiteral("画像で保存…"), view);
    auto* csv = new QAction(QStringLiteral("CSVで保存…"), view);
    view->addAction(image);
    view->addAction(csv);
    connect(image, &QAction::triggered, this, [this] {
        saveImage(ask(QStringLiteral("yurana-chart.png"), QStringLiteral("PNG 画像 (*.png)")));
    });
    connect(csv, &QAction::triggered, this, [this] {
        saveCsv(ask(QStringLiteral("yurana-chart.csv"), QStringLiteral("CSV ファイル (*.csv)")));
    });
}

QString ChartExport::ask(const QString& name, const QString& filter) {
    return dialog_.ask(view_, view_->window()->windowTitle(), name, filter);
}

void ChartExport::saveImage(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    const QByteArray png = qt::pngBytes(chartImage(view_));
    saveExport(files_, box_, path.toStdString(), std::string_view(png.data(), png.size()));
}

void ChartExport::saveCsv(const QString& path) {
    if (!path.isEmpty()) {
        saveExport(files_, box_, path.toStdString(), chartCsv(view_));
    }
}

void addChartExports(QWidget* window, Files& files, MessageBox& box) {
    for (QChartView* view : window->findChildren<QChartView*>()) {
        new ChartExport(view, files, box);
    }
}

}  // namespace yurana::charts
