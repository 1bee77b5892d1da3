#include "app/save_dialog.h"

#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace yurana::app {

QString QtSaveDialog::ask(QWidget* parent, const QString& title, const QString& name,
                          const QString& filter) {
    QString folder = lastFolder_;
    if (folder.isEmpty()) {
        folder = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    }
    QString path = QFileDialog::getSaveFileName(parent, title, QDir(folder).filePath(name), filter);
    if (!path.isEmpty()) {
        lastFolder_ = QFileInfo(path).absolutePath();
    }
    return path;
}

}  // namespace yurana::app
