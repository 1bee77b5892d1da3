#pragma once

#include <QChartView>
#include <QImage>
#include <QObject>
#include <QString>
#include <string>

#include "platform/files.h"
#include "platform/message_box.h"
#include "platform/qt/save_dialog.h"

namespace yurana::charts {

// The chart as the view shows it, at its pixel size.
QImage chartImage(QChartView* view);

// The curves the view shows as CSV with LF line ends: a header "curve,<x axis>,<y axis>",
// then one row per point of every line or dot series shown that has points (its own, or
// those the view draws for it), its name quoted, and one per bar, its category in place of
// x. Numbers in their shortest round-trip form.
std::string chartCsv(const QChartView* view);

// The context menu of a chart view: "画像で保存…" (PNG) and "CSVで保存…" (its curves). Each
// asks for a file in Qt's file dialog (the user's documents folder first, then the folder
// last used from this view) and saves it whole or not at all.
class ChartExport : public QObject {
    Q_OBJECT
  public:
    ChartExport(QChartView* view, Files& files, MessageBox& box);

    void saveImage(const QString& path);
    void saveCsv(const QString& path);

  private:
    QString ask(const QString& name, const QString& filter);

    QChartView* view_;
    Files& files_;
    MessageBox& box_;
    qt::QtSaveDialog dialog_;  // remembers the folder last used from this view
};

// Gives every chart view in the window its context menu, saving through `files` and
// reporting in `box`.
void addChartExports(QWidget* window, Files& files, MessageBox& box);

}  // namespace yurana::charts
