#include "app/program_setup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>

#include "app/frm_about.h"
#include "platform/qt/fonts.h"

namespace yurana::app {

QString programDataFolder() {
    QDir beside(QCoreApplication::applicationDirPath());
    if (QFileInfo::exists(beside.filePath(QStringLiteral("back1.bmp")))) {
        return beside.path();
    }
    QString shared = beside.filePath(QStringLiteral("../share/yurana"));
    return QFileInfo::exists(shared) ? QDir::cleanPath(shared) : beside.path();
}

void setUpProgram() {
    QApplication::setApplicationName(QStringLiteral("yurana"));
    QApplication::setWindowIcon(programIcon());
    qt::installFontSubstitutions();
}

}  // namespace yurana::app
