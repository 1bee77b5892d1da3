#include "platform/qt/save_dialog.h"

#include <QBuffer>
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QStandardPaths>

namespace yurana::qt {

QByteArray pngBytes(const QImage& image) {
    QByteArray bytes;
    QBuffer buffer(&bytes);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return bytes;
}

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

}  // namespace yurana::qt
