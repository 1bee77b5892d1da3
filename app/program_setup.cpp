#include "app/program_setup.h"

#include <QApplication>
#include <QDir>
#include <QFileInfo>
#include <QLibraryInfo>
#include <QLocale>
#include <QTranslator>

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

void installJapaneseQtTexts() {
    // Qt's own texts (the text boxes' context menu, the file dialog's buttons) in the
    // language of the rest of the program, whatever the system's; English when Qt's
    // translations are not installed.
    auto* texts = new QTranslator(QCoreApplication::instance());
    if (texts->load(QLocale(QLocale::Japanese, QLocale::Japan), QStringLiteral("qtbase"),
                    QStringLiteral("_"), QLibraryInfo::path(QLibraryInfo::TranslationsPath))) {
        QCoreApplication::installTranslator(texts);
    } else {
        delete texts;
    }
}

void setUpProgram() {
    QApplication::setApplicationName(QStringLiteral("yurana"));
    QApplication::setWindowIcon(programIcon());
    qt::installFontSubstitutions();
    installJapaneseQtTexts();
}

}  // namespace yurana::app
