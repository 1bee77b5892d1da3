#include "app/charts/chart_export.h"

#include <QAction>
#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>
#include <QValueAxis>
#include <QXYSeries>

#include "export/curves_csv.h"
#include "export/export_file.h"
#include "platform/posix/posix_files.h"
#include "platform/qt/qt_message_box.h"

namespace yurana::charts {

namespace {

// A CSV field: quoted, inner quotes doubled.
std::string quotedField(QString text) {
    return "\"" + text.replace(QStringLiteral("\""), QStringLiteral("\"\"")).toStdString() + "\"";
}

QString axisTitle(QXYSeries* series, Qt::Orientation orientation) {
    for (const QAbstractAxis* axis : series->attachedAxes()) {
        if (axis->orientation() == orientation) {
            return axis->titleText();
        }
    }
    return orientation == Qt::Horizontal ? QStringLiteral("x") : QStringLiteral("y");
}

// The view, its files and its message box, living as long as the view.
struct OwnParts : QObject {
    PosixFiles files;
    qt::QtMessageBox box;
    explicit OwnParts(QWidget* view) : QObject(view), box(view) {}
};

}  // namespace

QImage chartImage(QChartView* view) {
    return view->grab().toImage();
}

std::string chartCsv(const QChart* chart) {
    std::string header;
    std::string rows;
    for (QAbstractSeries* s : chart->series()) {
        auto* series = qobject_cast<QXYSeries*>(s);
        if (series == nullptr || series->count() == 0) {
            continue;
        }
        if (header.empty()) {
            header = "curve," + quotedField(axisTitle(series, Qt::Horizontal)) + "," +
                     quotedField(axisTitle(series, Qt::Vertical)) + "\n";
        }
        const std::string name = quotedField(series->name());
        for (const QPointF& p : series->points()) {
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
    QString folder = lastFolder_.isEmpty()
                         ? QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation)
                         : lastFolder_;
    QString path = QFileDialog::getSaveFileName(view_, view_->window()->windowTitle(),
                                                QDir(folder).filePath(name), filter);
    if (!path.isEmpty()) {
        lastFolder_ = QFileInfo(path).absolutePath();
    }
    return path;
}

void ChartExport::saveImage(const QString& path) {
    if (path.isEmpty()) {
        return;
    }
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    chartImage(view_).save(&buffer, "PNG");
    saveExport(files_, box_, path.toStdString(), std::string_view(png.data(), png.size()));
}

void ChartExport::saveCsv(const QString& path) {
    if (!path.isEmpty()) {
        saveExport(files_, box_, path.toStdString(), chartCsv(view_->chart()));
    }
}

void addChartExport(QChartView* view) {
    auto* own = new OwnParts(view);
    new ChartExport(view, own->files, own->box);
}

}  // namespace yurana::charts
