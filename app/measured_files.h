#pragma once

#include <QString>
#include <QWidget>
#include <optional>

#include "app/analysis_views.h"
#include "measured/measured_data.h"
#include "platform/files.h"
#include "platform/message_box.h"

namespace yurana::app {

// ファイル > 測定データを開く: asks for a file, reads its two columns, takes their meaning from
// the header or asks for it, and hands the data to the analysis views. A file that cannot be
// read gets one message naming the line and what is wrong with it, and nothing else changes.
class MeasuredFiles {
  public:
    MeasuredFiles(Files& files, MessageBox& box, QWidget* parent, AnalysisViews& views)
        : files_(files), box_(box), parent_(parent), views_(views) {}

    void open();
    // Reads the file at `path`; false when it was refused or the question was cancelled.
    bool openPath(const QString& path);

  private:
    std::optional<measured::DataKind> askKind(const QString& name);

    Files& files_;
    MessageBox& box_;
    QWidget* parent_;
    AnalysisViews& views_;
    QString lastFolder_;
};

}  // namespace yurana::app
