#include "platform/qt/qt_launcher.h"

#include <QDesktopServices>
#include <QFileInfo>
#include <QProcess>
#include <QUrl>

#include "platform/qt/text.h"

namespace yurana::qt {

bool QtLauncher::startProgram(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    // The program as given, without arguments: a path with blanks stays one path.
    return QProcess::startDetached(toQ(path), {});
}

bool QtLauncher::fileExists(const std::string& path) const {
    QFileInfo info(toQ(path));
    return info.exists() && info.isFile();
}

bool QtLauncher::openDocument(const std::string& target) {
    QString text = toQ(target);
    QUrl url = text.startsWith('/') ? QUrl::fromLocalFile(text) : QUrl(text, QUrl::StrictMode);
    if (!url.isValid() || url.isEmpty()) {
        return false;
    }
    return QDesktopServices::openUrl(url);
}

}  // namespace yurana::qt
